// Reads PCM wave files into samples and writes the stereo recording.
#include "platform/WaveData.h"

#include <algorithm>
#include <cstring>

namespace platform {
namespace {

uint32_t Le32(const uint8_t* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
uint16_t Le16(const uint8_t* p) {
  return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

void Put32(uint8_t* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}

// The 44-byte header of a 16-bit stereo wave holding `frames` frames.
void Header(uint8_t* h, int rate, uint32_t frames) {
  const uint32_t data = frames * 4;
  std::memcpy(h, "RIFF", 4);
  Put32(h + 4, 36 + data);
  std::memcpy(h + 8, "WAVEfmt ", 8);
  Put32(h + 16, 16);
  Put32(h + 20, 1 | (2u << 16));  // PCM, two channels
  Put32(h + 24, static_cast<uint32_t>(rate));
  Put32(h + 28, static_cast<uint32_t>(rate) * 4);
  Put32(h + 32, 4 | (16u << 16));  // block align 4, 16 bits
  std::memcpy(h + 36, "data", 4);
  Put32(h + 40, data);
}

}  // namespace

bool DecodeWave(const std::vector<uint8_t>& bytes, WaveSamples& out) {
  if (bytes.size() < 12 || std::memcmp(bytes.data(), "RIFF", 4) != 0 ||
      std::memcmp(bytes.data() + 8, "WAVE", 4) != 0) {
    return false;
  }
  int channels = 0, bits = 0, rate = 0;
  size_t at = 12;
  while (at + 8 <= bytes.size()) {
    const uint8_t* chunk = bytes.data() + at;
    const size_t size = Le32(chunk + 4);
    const size_t body = at + 8;
    const size_t have = std::min(size, bytes.size() - body);
    if (std::memcmp(chunk, "fmt ", 4) == 0 && have >= 16) {
      if (Le16(chunk + 8) != 1) return false;  // PCM only
      channels = Le16(chunk + 10);
      rate = static_cast<int>(Le32(chunk + 12));
      bits = Le16(chunk + 22);
    } else if (std::memcmp(chunk, "data", 4) == 0) {
      if ((channels != 1 && channels != 2) || (bits != 8 && bits != 16) || rate <= 0) return false;
      const size_t count = have / static_cast<size_t>(bits / 8);
      out.rate = rate;
      out.channels = channels;
      out.samples.resize(count - count % static_cast<size_t>(channels));
      const uint8_t* data = bytes.data() + body;
      for (size_t i = 0; i < out.samples.size(); ++i) {
        out.samples[i] = bits == 16 ? static_cast<int16_t>(Le16(data + 2 * i))
                                    : static_cast<int16_t>((data[i] - 128) * 256);
      }
      return true;
    }
    at = body + size + (size & 1);
  }
  return false;
}

bool WaveWriter::Open(const std::string& path, int rate) {
  Close();
  file_ = std::fopen(path.c_str(), "wb");
  if (file_ == nullptr) return false;
  frames_ = 0;
  failed_ = false;
  uint8_t header[44];
  Header(header, rate, 0);
  failed_ = std::fwrite(header, 1, sizeof header, file_) != sizeof header;
  rate_ = rate;
  return true;
}

void WaveWriter::Append(const int16_t* stereoFrames, size_t frameCount) {
  if (file_ == nullptr || frameCount == 0) return;
  // Wave files are little-endian, as is every machine the game runs on.
  if (std::fwrite(stereoFrames, 4, frameCount, file_) != frameCount) failed_ = true;
  frames_ += frameCount;
}

bool WaveWriter::Close() {
  if (file_ == nullptr) return !failed_;
  uint8_t header[44];
  // A wave cannot say more than 4 GB; a longer recording keeps its samples under a capped header.
  Header(header, rate_, static_cast<uint32_t>(std::min<uint64_t>(frames_, 0x3FFFFFF0u)));
  if (std::fseek(file_, 0, SEEK_SET) != 0 || std::fwrite(header, 1, 44, file_) != 44)
    failed_ = true;
  if (std::fclose(file_) != 0) failed_ = true;
  file_ = nullptr;
  return !failed_;
}

}  // namespace platform
