// Wave files as sample arrays: reading the PCM waves the game's sounds come in, and writing the
// stereo recording of a session.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace platform {

// 16-bit samples, interleaved when there are two channels.
struct WaveSamples {
  int rate = 0;
  int channels = 1;
  std::vector<int16_t> samples;
  size_t Frames() const {
    return channels > 0 ? samples.size() / static_cast<size_t>(channels) : 0;
  }
};

// Decodes an uncompressed RIFF wave of 8 or 16 bits, mono or stereo. False for anything else.
bool DecodeWave(const std::vector<uint8_t>& bytes, WaveSamples& out);

// Streams 16-bit stereo frames into a wave file; the header's sizes are filled in at Close.
class WaveWriter {
 public:
  WaveWriter() = default;
  ~WaveWriter() { Close(); }
  WaveWriter(const WaveWriter&) = delete;
  WaveWriter& operator=(const WaveWriter&) = delete;

  bool Open(const std::string& path, int rate);
  void Append(const int16_t* stereoFrames, size_t frameCount);
  // Finishes the header; false when something could not be written.
  bool Close();
  bool IsOpen() const { return file_ != nullptr; }

 private:
  std::FILE* file_ = nullptr;
  uint64_t frames_ = 0;
  int rate_ = 0;
  bool failed_ = false;
};

}  // namespace platform
