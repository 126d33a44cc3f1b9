// Picture look-up and centring for the race sprites.
#include "game/SpriteSetup.h"

#include "engine/Messages.h"
#include "game/MainForm.h"

namespace game {

engine::TImageListItem* GameImage(TForm1& form, const std::string& name) {
  // The scenery theme draws the ground, road, walls and roadside; everything else is shared.
  engine::TImageListItem* item = form.ThemeImageList.Find(name);
  if (item == nullptr) item = form.GameImageList.Find(name);
  if (item == nullptr)
    engine::ReportOnce("picture \"" + name +
                       "\" is missing from Data/data2.oil and the scenery set");
  return item;
}

void SetPicture(engine::TSprite& sprite, engine::TImageListItem* image) {
  if (image == nullptr) return;
  sprite.SetImage(image);
  sprite.SetWidth(image->TileWidth);
  sprite.SetHeight(image->TileHeight);
}

void CentreOn(engine::TSprite& sprite, double x, double y) {
  sprite.SetX(static_cast<float>(x - static_cast<double>(sprite.Width) / 2));
  sprite.SetY(static_cast<float>(y - static_cast<double>(sprite.Height) / 2));
}

}  // namespace game
