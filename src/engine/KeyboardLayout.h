// The standard Russian keyboard layout seen from a Latin one: which Cyrillic letter shares a key
// with each Latin character.
#pragma once

namespace engine {

// The code page 1251 Cyrillic letter on the same key of the Russian layout as the Latin character
// C (q -> й, Q -> Й, [ -> х, { -> Х, ` -> ё ...); any other character comes back unchanged.
unsigned char LatinToCyrillic(unsigned char c);

}  // namespace engine
