// The text codec of the settings files and the score payload: bytes re-cut into 5-bit symbols.
#pragma once

#include <string>
#include <string_view>

namespace online {

// The 32 symbols, index = 5-bit value. The score server decodes with the same table.
inline constexpr std::string_view kCodecAlphabet = "ABCDEFGHJKLMNPQRSTUVWXYZ23456789";

// Bytes to symbols: 8 bits per byte, zero bits added at the front up to a multiple of 5,
// then one symbol per 5 bits. n bytes give ceil(8n / 5) symbols.
std::string encode(std::string_view text);

// Symbols to bytes: 5 bits per alphabet symbol (anything else is skipped), zero bits added at
// the front up to a multiple of 8, then one byte per 8 bits. Only a text whose length is a
// multiple of 5 comes back unchanged; any other length comes back with one leading NUL byte.
std::string decode(std::string_view code);

// Appends pad until the length is a multiple of 5, so that encode then decode is lossless.
std::string PadToFive(std::string text, char pad);

// Removes every trailing pad character (settings values are padded with "%").
std::string StripTrailing(std::string text, char pad);

}  // namespace online
