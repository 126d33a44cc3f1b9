// One tracker module (.xm and the other formats libopenmpt reads) rendered to 16-bit stereo.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct openmpt_module;

namespace engine {

class ModulePlayer {
 public:
  ModulePlayer() = default;
  ~ModulePlayer();
  ModulePlayer(const ModulePlayer&) = delete;
  ModulePlayer& operator=(const ModulePlayer&) = delete;

  // Reads a whole module file (native path); false when it is missing or no module.
  bool LoadFile(const std::string& path);
  bool LoadMemory(const std::vector<uint8_t>& data);
  void Unload();
  bool Loaded() const { return module_ != nullptr; }

  // How many times the song plays again after its end; -1 loops for ever.
  void SetRepeatCount(int32_t repeats);
  // Attenuation of the whole song in hundredths of a decibel (0 = as written).
  void SetAttenuation(int32_t hundredthsDb);
  // Renders up to frameCount frames at the given rate; fewer (down to 0) once the song has ended.
  size_t Render(int32_t sampleRate, int16_t* stereoFrames, size_t frameCount);
  // Seconds of the song played so far (libopenmpt keeps counting when a looping song starts over).
  double PositionSeconds() const;
  double DurationSeconds() const;

 private:
  openmpt_module* module_ = nullptr;
};

}  // namespace engine
