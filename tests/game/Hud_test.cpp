// The race display: health bar cropping, the speedometer needle, the reverse light, dust puffs,
// menu lights and the clock text.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>

#include "engine/OmegaImageList.h"
#include "game/HudSprites.h"
#include "game/HudText.h"
#include "game/Player.h"
#include "game/RaceFixture.h"

namespace {

class HudTest : public racetest::RaceFixture {
 protected:
  HudTest() {
    AddPicture("healthbar", 101, 12);
    AddPicture("speedarrow", 12, 64);
    AddPicture("backlight", 24, 24);
    AddPicture("dim", 160, 32);
    form->GameImageList.Find("dim")->SetTileWidth(32);
    player = new game::TPlayer(*form, 396, 460, 0, "player", -90);
  }
  game::TPlayer* player = nullptr;
};

TEST_F(HudTest, HealthBarIsCroppedFromTheRightAndRestoredAtTeardown) {
  auto* bar = new game::TBar(*form, 206, 581);
  engine::TImageListItem* picture = form->GameImageList.Find("healthbar");
  EXPECT_DOUBLE_EQ(bar->FullWidth, 100);
  player->Health = 50;
  bar->Move(0);
  EXPECT_EQ(picture->TileWidth, 51);
  player->Health = 0;
  bar->Move(0);
  EXPECT_EQ(picture->TileWidth, 1) << "an empty bar still shows one pixel";
  player->Health = 100;
  bar->Move(0);
  EXPECT_EQ(picture->TileWidth, 101);
  player->Health = 37;
  bar->Move(0);
  bar->RestoreTileWidth();
  EXPECT_EQ(picture->TileWidth, 101);
  EXPECT_EQ(bar->Width, 101) << "the sprite keeps its size; only the picture's tile shrinks";
}

TEST_F(HudTest, NeedleSweepsBySpeedAndPinsAfterABoost) {
  EXPECT_DOUBLE_EQ(game::TSpeedArrow::AngleFor(0, 9, -2), 0);
  EXPECT_DOUBLE_EQ(game::TSpeedArrow::AngleFor(9, 9, -2), 197);
  EXPECT_DOUBLE_EQ(game::TSpeedArrow::AngleFor(4.5, 9, -2), 98.5);
  EXPECT_DOUBLE_EQ(game::TSpeedArrow::AngleFor(-2, 9, -2), 197) << "full reverse reads as full";
  EXPECT_DOUBLE_EQ(game::TSpeedArrow::AngleFor(9 * 1.4, 9, -2), 267.92);

  auto* needle = new game::TSpeedArrow(*form, 0, 0, player->MaxSpeed, player->ReverseLimit);
  EXPECT_FLOAT_EQ(needle->Rotation, -315);
  EXPECT_FLOAT_EQ(needle->CenterY, 0.9f);
  player->Speed = 0;
  needle->Move(0);
  EXPECT_FLOAT_EQ(needle->Rotation, -495);
  player->Speed = player->MaxSpeed;
  needle->Move(0);
  EXPECT_FLOAT_EQ(needle->Rotation, 197 - 495);
}

TEST_F(HudTest, ReverseLightShowsOnlyWhileReversing) {
  auto* light = new game::TRadarArrow(*form, 660, 579);
  EXPECT_FLOAT_EQ(light->X, 648);
  EXPECT_FLOAT_EQ(light->Y, 567);
  player->Speed = 0;
  light->Move(0);
  EXPECT_FALSE(light->Visible);
  player->Speed = -2;
  light->Move(0);
  EXPECT_TRUE(light->Visible);
  player->Speed = 0.5;
  light->Move(0);
  EXPECT_FALSE(light->Visible);
}

TEST_F(HudTest, DustPuffFadesWithTheWorldAndDiesAfterFifteenFrames) {
  auto* puff = new game::TDim(*form, 100, 200, false);
  EXPECT_EQ(puff->Alpha, 200);
  EXPECT_EQ(puff->Z, 49);
  player->ScrollY = 2;
  int frames = 0;
  const float startY = puff->Y;
  while (!puff->IsDead && frames < 100) {
    puff->Move(0);
    ++frames;
    if (frames == 3) {
      EXPECT_EQ(puff->PatternIndex, 1);
      EXPECT_EQ(puff->Alpha, 185);
    }
  }
  EXPECT_EQ(frames, 15);
  EXPECT_EQ(puff->Alpha, 140);
  EXPECT_FLOAT_EQ(puff->Y, startY + 30) << "it moves with the world";
}

TEST_F(HudTest, MenuLightWaitsThenFadesInAndOut) {
  engine::TImageListItem* item = form->OmegaImageList1.ImageList().Add();
  item->Name = "light1";
  platform::Pixels pixels;
  pixels.width = 48;
  pixels.height = 48;
  pixels.argb.assign(48 * 48, 0xFFFFFFFFu);
  item->SetPicture(std::move(pixels));
  auto* light = new game::TLight(*form, 376, 353, 0);
  EXPECT_EQ(light->Width, 48) << "its picture comes from the menu archive";
  EXPECT_GE(light->Wait, 200);
  EXPECT_LT(light->Wait, 400);
  const int wait = light->Wait;
  for (int i = 0; i < wait; ++i) light->Move(0);
  EXPECT_EQ(light->Alpha, 0) << "dark while waiting";
  int peak = 0;
  int frames = 0;
  do {
    light->Move(0);
    peak = std::max(peak, light->Alpha);
    ++frames;
  } while (light->Alpha > 0 && frames < 2000);
  EXPECT_EQ(peak, 255);
  EXPECT_EQ(frames, 510);
  EXPECT_EQ(light->Counter, 1) << "the wait starts over";
}

TEST(HudTextTest, ClockShowsTwoDigitSecondsAndHundredths) {
  EXPECT_EQ(game::ClockText(0, 59, 7), "0:59:07");
  EXPECT_EQ(game::ClockText(1, 0, 0), "1:00:00");
  EXPECT_EQ(game::ClockText(12, 5, 99), "12:05:99");
}

}  // namespace

namespace {

// Every picture the race display and the race flow ask for is in the generated archives.
TEST(HudPicturesTest, GeneratedArchivesHoldEveryPictureTheDisplayUses) {
  const std::string dir = VORNAKEL_GAME_DIR "/Data/";
  engine::TImageListCollection race;
  engine::TImageListCollection menus;
  if (!std::ifstream(dir + "data2.oil") || !std::ifstream(dir + "data1.oil"))
    GTEST_SKIP() << "the assets are not built";
  ASSERT_TRUE(race.LoadFromFile(dir + "data2.oil"));
  ASSERT_TRUE(menus.LoadFromFile(dir + "data1.oil"));
  for (const char* name :
       {"speeder", "radar", "panel", "healthbar", "speedarrow", "backlight", "radarcar1",
        "radarcar2", "begarrows", "dim", "arrows", "svetophor", "redlight", "yellowlight",
        "greenlight", "undermenu", "scr_raceover", "exploid"})
    EXPECT_NE(race.Find(name), nullptr) << name;
  for (const char* name : {"bro_next", "light1", "light2", "dim", "arrows", "undermenu"})
    EXPECT_NE(menus.Find(name), nullptr) << name;
  // The dust puff steps through five patterns.
  ASSERT_NE(race.Find("dim"), nullptr);
  EXPECT_GE(race.Find("dim")->Rows * race.Find("dim")->Columns, 5);
}

}  // namespace
