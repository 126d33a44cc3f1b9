// One tracker module rendered through libopenmpt.
#include "engine/ModulePlayer.h"

#include <libopenmpt/libopenmpt.h>

#include "platform/Files.h"

namespace engine {

ModulePlayer::~ModulePlayer() {
  Unload();
}

bool ModulePlayer::LoadFile(const std::string& path) {
  std::vector<uint8_t> data;
  std::string error;
  if (!platform::ReadWholeFile(path, platform::kMaxModuleFileBytes, data, error)) return false;
  return LoadMemory(data);
}

bool ModulePlayer::LoadMemory(const std::vector<uint8_t>& data) {
  Unload();
  if (data.empty()) return false;
  // The library's own chatter stays quiet; a file it cannot read simply gives no module.
  module_ = openmpt_module_create_from_memory2(data.data(), data.size(), openmpt_log_func_silent,
                                               nullptr, openmpt_error_func_ignore, nullptr, nullptr,
                                               nullptr, nullptr);
  // No dither noise: the same song renders to the same samples every run.
  if (module_ != nullptr) openmpt_module_ctl_set_integer(module_, "dither", 0);
  return module_ != nullptr;
}

void ModulePlayer::Unload() {
  if (module_ != nullptr) openmpt_module_destroy(module_);
  module_ = nullptr;
}

void ModulePlayer::SetRepeatCount(int32_t repeats) {
  if (module_ != nullptr) openmpt_module_set_repeat_count(module_, repeats < 0 ? -1 : repeats);
}

void ModulePlayer::SetAttenuation(int32_t hundredthsDb) {
  // libopenmpt's master gain is in millibel, which is the same unit.
  if (module_ != nullptr) {
    openmpt_module_set_render_param(module_, OPENMPT_MODULE_RENDER_MASTERGAIN_MILLIBEL,
                                    hundredthsDb);
  }
}

size_t ModulePlayer::Render(int32_t sampleRate, int16_t* stereoFrames, size_t frameCount) {
  if (module_ == nullptr) return 0;
  size_t done = 0;
  // The library may hand back short blocks; only a block of nothing means the end of the song.
  while (done < frameCount) {
    size_t got = openmpt_module_read_interleaved_stereo(module_, sampleRate, frameCount - done,
                                                        stereoFrames + done * 2);
    if (got == 0) break;
    done += got;
  }
  return done;
}

double ModulePlayer::PositionSeconds() const {
  return module_ != nullptr ? openmpt_module_get_position_seconds(module_) : 0.0;
}

double ModulePlayer::DurationSeconds() const {
  return module_ != nullptr ? openmpt_module_get_duration_seconds(module_) : 0.0;
}

}  // namespace engine
