// The --fill-profile table: the pixels each picture filled in one frame, opaque and blended.
#pragma once

#include <string>

#include "game/MainForm.h"
#include "platform/FillCount.h"

namespace app {

// One line per texture, the busiest first, named after the picture that owns it, and a total;
// counts are in pixels and in screens of width x height.
std::string FillProfileTable(const platform::FillTable& fill, game::TForm1& form, int width,
                             int height);

}  // namespace app
