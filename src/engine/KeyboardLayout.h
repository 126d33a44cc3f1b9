// The standard Russian keyboard layout seen from a Latin one: which Cyrillic letter shares a key
// with each Latin letter.
#pragma once

namespace engine {

// The code page 1251 Cyrillic letter on the same key of the Russian layout as the Latin letter C
// (q -> й, Q -> Й, d -> в ...). Anything else, punctuation included, comes back unchanged: the
// name boxes accept [ ] { } ; : ' " , . < > ` ~ as themselves.
unsigned char LatinToCyrillic(unsigned char c);

}  // namespace engine
