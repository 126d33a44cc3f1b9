// 16-bit PCM wave encoding and the file writer used for every sound and module.
#include "audio/Wav.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <fstream>

namespace assetgen::audio {

namespace {

void Put16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(static_cast<uint8_t>(v & 0xFF));
  out.push_back(static_cast<uint8_t>((v >> 8) & 0xFF));
}

void Put32(std::vector<uint8_t>& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

void PutTag(std::vector<uint8_t>& out, const char* tag) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(tag[i]));
}

}  // namespace

std::vector<int16_t> ToPcm16(const Signal& s) {
  std::vector<int16_t> pcm(s.size());
  for (size_t i = 0; i < s.size(); ++i) {
    const double v = std::clamp(s[i], -1.0, 1.0) * 32767.0;
    pcm[i] = static_cast<int16_t>(std::lround(v));
  }
  return pcm;
}

std::vector<uint8_t> EncodeWav(const std::vector<int16_t>& samples, int rate, int channels) {
  const uint32_t dataBytes = static_cast<uint32_t>(samples.size() * 2);
  std::vector<uint8_t> out;
  out.reserve(44 + dataBytes);
  PutTag(out, "RIFF");
  Put32(out, 36 + dataBytes);
  PutTag(out, "WAVE");
  PutTag(out, "fmt ");
  Put32(out, 16);
  Put16(out, 1);  // PCM
  Put16(out, static_cast<uint32_t>(channels));
  Put32(out, static_cast<uint32_t>(rate));
  Put32(out, static_cast<uint32_t>(rate * channels * 2));
  Put16(out, static_cast<uint32_t>(channels * 2));
  Put16(out, 16);
  PutTag(out, "data");
  Put32(out, dataBytes);
  for (int16_t v : samples) Put16(out, static_cast<uint16_t>(v));
  return out;
}

bool WriteBinaryFile(const std::string& path, const std::vector<uint8_t>& bytes,
                     std::string& error) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  if (file) {
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    file.close();
  }
  if (!file) {
    error = "cannot write " + path;
    return false;
  }
  return true;
}

}  // namespace assetgen::audio
