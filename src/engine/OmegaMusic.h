// TOmegaMusic: songs played through the system's media playback; the game gives it no songs, so
// its per-frame update has nothing to do.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace engine {

struct TSongListItem {
  std::string Name;
  std::string FileName;
  bool Loop = false;
  int32_t Volume = 100;  // 0..100
  int32_t Pan = 0;       // −100..100
};

class TOmegaMusic {
 public:
  std::vector<TSongListItem> SongList;

  // Called every frame while music is on: would rewind each looping song that has reached its end.
  // There is no media playback behind this component, so no song ever plays.
  void Update() {}
};

}  // namespace engine
