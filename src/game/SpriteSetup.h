// Small helpers the race sprites share: finding a picture and placing a sprite by its centre.
#pragma once

#include <string>

#include "engine/OmegaImageList.h"
#include "engine/OmegaSprite.h"

namespace game {

class TForm1;

// A picture of the race archive; a missing one is reported once and gives null.
engine::TImageListItem* GameImage(TForm1& form, const std::string& name);
// Sets the picture (its tile size becomes the sprite's size); without a picture the sprite keeps
// its size and draws nothing.
void SetPicture(engine::TSprite& sprite, engine::TImageListItem* image);
// Top-left := (x - Width/2, y - Height/2).
void CentreOn(engine::TSprite& sprite, double x, double y);

}  // namespace game
