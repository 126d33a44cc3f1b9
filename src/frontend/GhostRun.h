// The ghost of a seed race: the player's best run on the road driven again on a quiet form of its
// own, kept level with the player's race clock, and drawn over the road as a translucent truck.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "frontend/IniDocument.h"
#include "game/MainForm.h"
#include "game/Replay.h"

namespace frontend {

// The seed screen's switch in vornakel.ini ([general] ghost = shown | hidden); shown by default.
bool GhostShownIn(const IniDocument& ini);
void SetGhostShown(IniDocument& ini, bool shown);

// Where the ghost's truck stands in the player's view, and its picture.
struct GhostPose {
  float x = 0;
  float y = 0;
  float rotation = 0;
  float centerX = 0.5f;
  float centerY = 0.5f;
  std::string picture;
  int32_t pattern = 0;
};

// A recorded race run on a form with null devices that reads and writes no settings. Every step
// runs on the ghost's own generator: the player's seed is put aside before and put back after, so
// the player's race never sees the ghost.
class GhostRun {
 public:
  // Null when the form cannot be made (its pictures missing); the generator is left as it was.
  static std::unique_ptr<GhostRun> Start(game::Language language, game::ReplayRace race);
  ~GhostRun();
  GhostRun(const GhostRun&) = delete;
  GhostRun& operator=(const GhostRun&) = delete;

  // Runs the ghost's frames until it is level with the player's race on the clock.
  void CatchUp(const game::TForm1& player);
  // The ghost's truck in the player's view (the world offset taken from the two finish lines);
  // nothing while it has no truck or its truck is hidden.
  std::optional<GhostPose> PoseFor(const game::TForm1& player) const;

 private:
  struct Session;
  explicit GhostRun(std::unique_ptr<Session> session);
  std::unique_ptr<Session> session_;
};

// Puts the player's best run on the seed race's code beside the race just set up, as the draw
// layer of the race's sprite engine (it goes with the race's teardown). Nothing when the ghost is
// hidden, there is no player or no best run yet, or its file cannot be used (a line on stderr).
void StartGhost(game::TForm1& form);

}  // namespace frontend
