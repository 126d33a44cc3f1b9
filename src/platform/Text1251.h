// Conversions between UTF-8 and Windows code page 1251, the byte encoding every game text is held
// in.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// Characters that code page 1251 cannot hold are dropped.
std::string Utf8To1251(std::string_view utf8);
std::string Cp1251ToUtf8(std::string_view text);
// The Unicode code point of one code page 1251 byte (0 for the one unassigned byte, 0x98).
char32_t Cp1251ToUnicode(unsigned char c);
// The code page 1251 byte of a code point, or -1 when it has none.
int UnicodeTo1251(char32_t code);

}  // namespace platform

// Russian literals are written in UTF-8 in the sources and held as code page 1251 at run time.
inline std::string Ru(std::string_view utf8) {
  return platform::Utf8To1251(utf8);
}
