// A race fixture with the opponents' and pickups' pictures, trucks at their real sizes, and a
// short straight path to drive along.
#pragma once

#include <string>

#include "game/EnemyCar.h"
#include "game/MainForm.h"
#include "game/PathPoints.h"
#include "game/Player.h"
#include "game/RaceFixture.h"

namespace racetest {

class EnemyFixture : public RaceFixture {
 protected:
  EnemyFixture() {
    // The race archive's truck sizes, so sensors and corners fall where they do in the game.
    Resize("car1", 54, 96);
    Resize("car2", 54, 100);
    Resize("car3", 64, 104);
    Resize("car4", 58, 98);
    Resize("car5", 58, 104);
    AddPicture("radarcar2", 12, 12);
    AddPicture("dim", 32, 32);
    for (const char* name : {"bonus1", "bonus2", "bonus3", "bomb", "repair", "life", "time"})
      AddPicture(name, 44, 44);
    AddPicture("luga", 84, 60);
    AddPicture("kolodec1", 48, 48);
    AddPicture("kolodec2", 48, 48);
    AddPicture("shipi", 96, 32);
    AddPicture("speedup", 52, 52);
    AddPatterned("boxes", 64, 64, 2);
    AddPatterned("barier", 96, 40, 2);
    AddPatterned("exploid", 192, 192, 8);
    AddPatterned("exploid2", 128, 128, 8);
    AddPatterned("exploid3", 128, 128, 8);
  }

  // A truck picture of three colour patterns of the given size.
  void Resize(const std::string& name, int width, int height) {
    engine::TImageListItem* item = form->GameImageList.Find(name);
    ASSERT_NE(item, nullptr);
    platform::Pixels pixels;
    pixels.width = width * 3;
    pixels.height = height;
    pixels.argb.assign(static_cast<size_t>(width) * 3 * static_cast<size_t>(height), 0xFF808080u);
    item->SetPicture(std::move(pixels));
    item->SetTileWidth(width);
  }

  // A picture of `count` patterns side by side.
  void AddPatterned(const std::string& name, int tileWidth, int tileHeight, int count) {
    AddPicture(name, tileWidth * count, tileHeight);
    form->GameImageList.Find(name)->SetTileWidth(tileWidth);
  }

  // Path points straight up from (x, y), 300 pixels apart.
  void StraightPath(double x, double y, int points) {
    game::RaceState& race = form->Race;
    race.PathPointCount = points;
    for (int k = 1; k <= points; ++k)
      race.PathPoint[static_cast<size_t>(k)] = {x, y - 300.0 * (k - 1)};
    game::MeasurePath(race);
  }

  game::TEnemyCar* Opponent(int slot, double x, double y, int model = 0) {
    auto* car = new game::TEnemyCar(*form, x, y, model, "enemy", -90, 0, slot, slot + 1);
    car->UpdateCornersAndProbes();
    car->PlaceSensors();
    return car;
  }

  game::TPlayer* MakePlayer() { return new game::TPlayer(*form, 396, 460, 0, "player", -90); }
};

}  // namespace racetest
