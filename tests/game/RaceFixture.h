// A main form on null devices with a race archive of small plain pictures named as the game
// expects, for tests of the race objects.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "engine/OmegaImageList.h"
#include "engine/Random.h"
#include "game/MainForm.h"
#include "game/TrackCatalogue.h"
#include "game/TruckCatalogue.h"
#include "platform/null/NullPlatform.h"
#include "platform/null/NullRenderDevice.h"
#include "platform/null/VirtualClock.h"

namespace racetest {

class RaceFixture : public ::testing::Test {
 protected:
  // Without an audio device every sound is silent.
  explicit RaceFixture(platform::AudioDevice* audio = nullptr) {
    game::PlatformServices services;
    services.audio = audio;
    services.device = &device_;
    services.fonts = &fonts_;
    services.clock = &clock_;
    services.shell = &shell_;
    form = std::make_unique<game::TForm1>(services);
    form->GameState = 12;
    game::BuildTrackCatalogue(form->Race);
    game::BuildTruckCatalogue(form->Race);
    // Pictures as the race archive holds them: road pieces 300 tall, ground tiles 800 wide.
    AddPicture("r_str", 284, 300);
    AddPicture("r_left", 700, 300);
    AddPicture("r_right", 700, 300);
    AddPicture("r_str_right", 480, 300);
    AddPicture("r_str_left", 480, 300);
    AddPicture("r_right_str", 480, 300);
    AddPicture("r_left_str", 480, 300);
    for (const char* name : {"back1", "back2", "back3", "back4"}) AddPicture(name, 800, 300);
    AddPicture("wall1", 20, 150);
    AddPicture("wall2", 20, 212);
    AddPicture("inplace", 60, 100);
    AddPicture("startline", 300, 20);
    AddPicture("fline", 600, 20);
    AddPicture("groundpoint", 4, 4);
    for (const char* name : {"trees", "desert", "houses"}) AddPicture(name, 60, 60);
    for (const char* name : {"car1", "car2", "car3", "car4", "car5"}) AddPicture(name, 40, 80);
    for (const char* name : {"carten1", "carten2", "carten3", "carten4", "carten5"})
      AddPicture(name, 40, 80);
    AddPicture("arrows", 20, 10);
    AddPicture("radarcar1", 10, 10);
    engine::SetRandSeed(12345);
  }

  // Race sprites go before the race state they report to.
  ~RaceFixture() override {
    while (form->OmegaSprite1.Count() > 0) delete form->OmegaSprite1.Sprites(0);
  }

  void AddPicture(const std::string& name, int width, int height) {
    engine::TImageListItem* item = form->GameImageList.ImageList().Add();
    item->Name = name;
    platform::Pixels pixels;
    pixels.width = width;
    pixels.height = height;
    pixels.argb.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0xFF808080u);
    item->SetPicture(std::move(pixels));
  }

  // Runs one frame of the engine: free the dead, then move every sprite.
  void Frame() {
    form->OmegaSprite1.Dead();
    form->OmegaSprite1.Move(0);
  }

  template <class T>
  int CountOf() const {
    int n = 0;
    for (int i = 0; i < form->OmegaSprite1.Count(); ++i)
      if (dynamic_cast<T*>(form->OmegaSprite1.Sprites(i)) != nullptr) ++n;
    return n;
  }

  platform::NullRenderDevice device_;
  platform::NullFontRasterizer fonts_;
  platform::VirtualClock clock_;
  platform::StderrShell shell_;
  std::unique_ptr<game::TForm1> form;
};

}  // namespace racetest
