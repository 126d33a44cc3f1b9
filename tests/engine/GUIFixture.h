// A started screen on a recording device, a button picture, an image font of the default
// character set and a hooked GUI on a virtual clock, for the GUI tests.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "engine/Messages.h"
#include "engine/OmegaBitmapFont.h"
#include "engine/OmegaGUI.h"
#include "engine/OmegaImageList.h"
#include "platform/null/NullRenderDevice.h"
#include "platform/null/VirtualClock.h"

namespace enginetest {

class GUIFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    engine::SetMessageHandler([](const std::string&, const std::string&) {});
    screen.Start();
    screen.BeginScene();
    // Two patterns of 100 x 40, one above the other.
    buttonPicture = AddPicture("b_test", 100, 80, 100, 40);
    // 110 glyph cells of 10 x 20 for the 109 characters of the default set.
    AddPicture("font", 100, 220, 10, 20);
    images.Initialize();
    font.SetOmegaImageList(&images);
    font.SetOmegaImageIndex(1);
    gui.Start();
  }
  void TearDown() override { engine::SetMessageHandler({}); }

  engine::TImageListItem* AddPicture(const std::string& name, int width, int height, int tileWidth,
                                     int tileHeight) {
    engine::TImageListItem* item = images.ImageList().Add();
    item->Name = name;
    item->SetPicture(platform::Pixels{
        width, height, std::vector<uint32_t>(static_cast<size_t>(width * height), 0xFFFFFFFFu)});
    item->SetTileWidth(tileWidth);
    item->SetTileHeight(tileHeight);
    return item;
  }

  // A mouse move well after the last one, so the thinning lets it through.
  void Move(int x, int y) {
    clock.Advance(20000);
    gui.MouseMove(x, y);
  }

  platform::NullRenderDevice dev{true};
  engine::TOmegaScreen screen{&dev};
  engine::TOmegaImageList images{&screen};
  engine::TOmegaBitmapFont font{&screen, nullptr};
  platform::VirtualClock clock;
  engine::TOmegaGUI gui{&screen, &font, &clock};
  engine::TImageListItem* buttonPicture = nullptr;
};

}  // namespace enginetest
