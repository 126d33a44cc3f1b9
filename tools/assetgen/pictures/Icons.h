// The desktop icons of the game: a racing truck on an amber tile, at the sizes the menus ask for.
#pragma once

#include <string>

namespace assetgen {

// Sizes of the icons the package installs (pixels, square).
inline constexpr int kIconSizes[] = {48, 128, 256};

// Writes Dir/vornakel-N.png for every size.
bool WriteIcons(const std::string& dir, std::string& error);

}  // namespace assetgen
