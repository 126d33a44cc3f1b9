// Writing 16-bit PCM wave files and other binary files of the asset builder's sound output.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "audio/Synth.h"

namespace assetgen::audio {

// Rounds a signal in [-1, 1] to 16-bit samples, clamping anything beyond full scale.
std::vector<int16_t> ToPcm16(const Signal& s);

// A complete RIFF/WAVE file: PCM format, 16 bits, the given rate and channel count.
std::vector<uint8_t> EncodeWav(const std::vector<int16_t>& samples, int rate, int channels);

// Writes the whole file or reports why it could not.
bool WriteBinaryFile(const std::string& path, const std::vector<uint8_t>& bytes,
                     std::string& error);

}  // namespace assetgen::audio
