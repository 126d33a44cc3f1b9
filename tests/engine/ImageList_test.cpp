// Image lists: lookup, pattern maths, textures, the quads each draw operation sends, archive
// loading and its failures.
#include "engine/OmegaImageList.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "engine/ArchiveLoad.h"
#include "engine/Messages.h"
#include "engine/OilArchive.h"
#include "engine/PngCodec.h"
#include "platform/null/NullRenderDevice.h"

namespace {

using engine::TImageListItem;
using engine::TOmegaImageList;
using platform::BlendFactor;

platform::Pixels Picture(int width, int height, uint32_t argb = 0xFF336699u) {
  return platform::Pixels{width, height,
                          std::vector<uint32_t>(static_cast<size_t>(width * height), argb)};
}

// A started screen in a scene on a recording device, and a message catcher.
class ImageListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    engine::SetMessageHandler([this](const std::string& text, const std::string& caption) {
      messages.push_back(caption + ": " + text);
    });
    screen.Start();
    screen.BeginScene();
  }
  void TearDown() override { engine::SetMessageHandler({}); }

  TImageListItem* AddImage(TOmegaImageList& list, const std::string& name, int width, int height) {
    TImageListItem* item = list.ImageList().Add();
    item->Name = name;
    item->SetPicture(Picture(width, height));
    return item;
  }

  platform::NullRenderDevice dev{true};
  engine::TOmegaScreen screen{&dev};
  std::vector<std::string> messages;
};

TEST_F(ImageListTest, FindIsExactAndReturnsTheFirstOfTwo) {
  TOmegaImageList list(&screen);
  TImageListItem* first = AddImage(list, "b_up", 4, 4);
  AddImage(list, "b_up", 8, 8);
  EXPECT_EQ(list.Find("b_up"), first);
  EXPECT_EQ(list.Find("B_up"), nullptr);
  EXPECT_EQ(list.Find("b_up "), nullptr);
  EXPECT_EQ(list.Items(1)->PictureWidth, 8);
  EXPECT_EQ(list.Items(2), nullptr);
  EXPECT_EQ(list.Items(-1), nullptr);
}

TEST_F(ImageListTest, PatternsClampAndTheWholeStripSqueezesIntoOneTile) {
  TOmegaImageList list(&screen);
  TImageListItem* strip = AddImage(list, "strip", 256, 64);
  strip->SetTileWidth(64);
  strip->SetTileHeight(64);
  EXPECT_EQ(strip->Columns, 4);
  EXPECT_EQ(strip->Rows, 1);
  list.Initialize();
  ASSERT_TRUE(strip->Attached());

  strip->Draw(10, 20, 5);  // beyond the last pattern: pattern 3
  strip->Draw(10, 20, -1);
  ASSERT_EQ(dev.quads.size(), 2u);
  const auto& clamped = dev.quads[0].corners;
  EXPECT_FLOAT_EQ(clamped[0].u, 192.0f / 256);
  EXPECT_FLOAT_EQ(clamped[1].u, 1.0f);
  EXPECT_FLOAT_EQ(clamped[2].v, 1.0f);
  EXPECT_FLOAT_EQ(clamped[0].x, 9.5f);
  EXPECT_FLOAT_EQ(clamped[2].x, 73.5f);
  EXPECT_FLOAT_EQ(clamped[2].y, 83.5f);
  const auto& whole = dev.quads[1].corners;
  EXPECT_FLOAT_EQ(whole[0].u, 0.0f);
  EXPECT_FLOAT_EQ(whole[1].u, 1.0f);
  EXPECT_FLOAT_EQ(whole[1].x - whole[0].x, 64.0f);  // the whole strip, one tile wide
  EXPECT_EQ(dev.quads[1].texture, strip->Texture());
}

TEST_F(ImageListTest, TexturesHoldThePictureTopLeftAndOneClearLine) {
  TOmegaImageList list(&screen);
  TImageListItem* item = AddImage(list, "pic", 100, 50);
  TImageListItem* dot = AddImage(list, "dot", 1, 1);
  TImageListItem* tile = AddImage(list, "tile", 64, 32);
  list.Initialize();
  EXPECT_EQ(item->TextureWidth, 101);
  EXPECT_EQ(item->TextureHeight, 51);
  EXPECT_EQ(dot->TextureWidth, 2);    // never below 2
  EXPECT_EQ(tile->TextureWidth, 64);  // a power of two needs no clear line
  EXPECT_EQ(tile->TextureHeight, 32);
  const auto& tex = dev.textures.at(item->Texture());
  ASSERT_EQ(tex.width, 101);
  ASSERT_EQ(tex.height, 51);
  EXPECT_EQ(tex.argb[0], 0xFF336699u);
  EXPECT_EQ(tex.argb[49 * 101 + 99], 0xFF336699u);
  EXPECT_EQ(tex.argb[49 * 101 + 100], 0u);  // the clear line is transparent
  EXPECT_EQ(tex.argb[50 * 101], 0u);

  item->Draw(0, 0, 0);
  ASSERT_EQ(dev.quads.size(), 1u);
  EXPECT_FLOAT_EQ(dev.quads[0].corners[2].u, 100.0f / 101);
  EXPECT_FLOAT_EQ(dev.quads[0].corners[2].v, 50.0f / 51);
}

TEST_F(ImageListTest, RotationTurnsClockwiseAboutTheCentreAndTheScreenTints) {
  TOmegaImageList list(&screen);
  TImageListItem* item = AddImage(list, "tile", 64, 32);
  list.Initialize();
  item->DrawColored(0, 0, 0, 0, false, 255, 255, 255, 255, 1, 1, 0.5f, 0.5f, 90);
  ASSERT_EQ(dev.quads.size(), 1u);
  const auto& c = dev.quads[0].corners;
  EXPECT_NEAR(c[0].x, 48.5f, 1e-4);
  EXPECT_NEAR(c[0].y, -16.5f, 1e-4);
  EXPECT_NEAR(c[2].x, 16.5f, 1e-4);  // bottom-right (63.5, 31.5) turns about (32, 16)
  EXPECT_NEAR(c[2].y, 47.5f, 1e-4);
  EXPECT_EQ(c[0].color, 0xFEFEFEFEu);  // the screen's tint 255 makes 255 into 254

  dev.quads.clear();
  item->DrawEx(0, 0, 0, -1, true, true, 0xFF000000u, 0, 0, 0, 0, 0);  // scale 0 counts as 1
  ASSERT_EQ(dev.quads.size(), 1u);
  const auto& m = dev.quads[0].corners;
  EXPECT_FLOAT_EQ(m[0].u, 1.0f);  // both mirrors: half a turn
  EXPECT_FLOAT_EQ(m[0].v, 1.0f);
  EXPECT_FLOAT_EQ(m[2].u, 0.0f);
  EXPECT_FLOAT_EQ(m[2].x, 63.5f);
}

TEST_F(ImageListTest, StretchedSourceAndAdditiveDrawing) {
  TOmegaImageList list(&screen);
  TImageListItem* item = AddImage(list, "pic", 64, 64);
  list.Initialize();
  item->DrawStretched(100, 100, engine::TRect{0, 0, 200, 10}, 0, 0, false, false, 255, 255, 255,
                      255, 1, 1, 0, 0, 0);
  item->DrawSource(5, 5, engine::TRect{16, 32, 48, 40}, 0, false, false, 255, 255, 255, 255, 1, 1,
                   0, 0, 0);
  item->DrawColored(0, 0, 0, 0, true, 255, 255, 255, 255, 1, 1, 0, 0, 0);
  item->Draw(0, 0, 0);
  ASSERT_EQ(dev.quads.size(), 4u);
  EXPECT_FLOAT_EQ(dev.quads[0].corners[2].x, 299.5f);
  EXPECT_FLOAT_EQ(dev.quads[0].corners[2].y, 109.5f);
  const auto& src = dev.quads[1].corners;
  EXPECT_FLOAT_EQ(src[0].u, 0.25f);
  EXPECT_FLOAT_EQ(src[0].v, 0.5f);
  EXPECT_FLOAT_EQ(src[2].v, 40.0f / 64);
  EXPECT_FLOAT_EQ(src[2].x, 36.5f);  // drawn at its own size
  // Additive light for that one quad; the next ordinary draw blends normally again.
  EXPECT_EQ(dev.quads[2].destination, BlendFactor::kOne);
  EXPECT_EQ(dev.quads[2].source, BlendFactor::kSrcAlpha);
  EXPECT_EQ(dev.quads[3].destination, BlendFactor::kInvSrcAlpha);
}

TEST_F(ImageListTest, OddTileSizesNeverDivideByZeroOrLeaveThePicture) {
  TOmegaImageList list(&screen);
  TImageListItem* item = AddImage(list, "bar", 64, 16);
  item->SetTileWidth(0);
  EXPECT_EQ(item->TileWidth, 64);
  item->SetTileWidth(-5);
  EXPECT_EQ(item->TileWidth, 64);
  item->SetTileWidth(128);  // larger than the picture: no whole pattern
  EXPECT_EQ(item->Columns, 0);
  list.Initialize();
  item->Draw(0, 0, 7);
  ASSERT_EQ(dev.quads.size(), 1u);
  EXPECT_FLOAT_EQ(dev.quads[0].corners[0].u, 0.0f);  // the one pattern at the corner
  EXPECT_FLOAT_EQ(dev.quads[0].corners[1].x, 127.5f);

  // The health bar: a narrower tile shows only the left part of the picture.
  item->SetTileWidth(16);
  dev.quads.clear();
  item->Draw(0, 0, 0);
  EXPECT_FLOAT_EQ(dev.quads[0].corners[1].u, 16.0f / 64);

  TImageListItem empty;
  empty.SetTileWidth(0);
  empty.SetTileHeight(-3);
  EXPECT_EQ(empty.TileWidth, 1);
  EXPECT_EQ(empty.Rows, 0);
  empty.Draw(0, 0, 3);  // never attached: nothing
  EXPECT_FALSE(empty.SolidAt(0, 0));
}

TEST_F(ImageListTest, UnattachedItemsDrawNothing) {
  TOmegaImageList noScreen(nullptr);
  TImageListItem* loose = AddImage(noScreen, "loose", 8, 8);
  noScreen.Initialize();
  loose->Draw(0, 0, 0);
  EXPECT_FALSE(loose->Attached());

  TOmegaImageList list(&screen);
  TImageListItem* blank = list.ImageList().Add();
  blank->Name = "blank";
  list.Initialize();
  blank->Draw(0, 0, 0);
  EXPECT_FALSE(blank->Attached());
  EXPECT_TRUE(dev.quads.empty());
  EXPECT_TRUE(messages.empty());
}

TEST_F(ImageListTest, ColourKeyClearsMatchingPixels) {
  TOmegaImageList list(&screen);
  TImageListItem* item = list.ImageList().Add();
  platform::Pixels p = Picture(2, 1, 0xFFFF00FFu);
  p.argb[1] = 0xFF00FF00u;
  item->SetPicture(p);
  item->Transparent = true;
  item->TransparentColor = 0x00FF00FF;  // fuchsia in 0x00BBGGRR
  list.Initialize();
  const auto& tex = dev.textures.at(item->Texture());
  EXPECT_EQ(tex.argb[0], 0u);
  EXPECT_EQ(tex.argb[1], 0xFF00FF00u);
  EXPECT_FALSE(item->SolidAt(0, 0));
  EXPECT_TRUE(item->SolidAt(1, 0));
  EXPECT_EQ(item->PicturePixels().argb[0], 0xFFFF00FFu);  // the kept picture is untouched
}

TEST_F(ImageListTest, TextureFailureLeavesItemsUndrawableWithOneMessage) {
  TOmegaImageList list(&screen);
  TImageListItem* a = AddImage(list, "alpha", 4, 4);
  TImageListItem* b = AddImage(list, "beta", 4, 4);
  dev.failTextures = true;
  list.Initialize();
  EXPECT_FALSE(a->Attached());
  EXPECT_FALSE(b->Attached());
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0], "Error: Error creating texture alpha");
  a->Draw(0, 0, 0);
  EXPECT_TRUE(dev.quads.empty());

  dev.failTextures = false;  // a later start makes them
  list.Initialize();
  EXPECT_TRUE(b->Attached());
}

TEST_F(ImageListTest, DeviceResetMakesTexturesAgainFromTheKeptPictures) {
  TOmegaImageList list(&screen);
  TImageListItem* item = AddImage(list, "pic", 16, 16);
  list.Initialize();
  ASSERT_TRUE(item->Attached());
  screen.ToggleFullScreen();  // shuts the list down, resets the device, starts it again
  EXPECT_EQ(dev.resets, 1);
  EXPECT_TRUE(item->Attached());
  EXPECT_EQ(dev.textures.count(item->Texture()), 1u);
  EXPECT_EQ(dev.textures.size(), 1u);

  list.Finalize();
  EXPECT_FALSE(item->Attached());
  EXPECT_TRUE(dev.textures.empty());  // given back, not leaked
}

TEST_F(ImageListTest, ArchivePicturesLetGoOfTheirPixelsAndComeBackAfterAReset) {
  std::vector<engine::OilItem> stored(1);
  stored[0].name = "car";
  platform::Pixels car = Picture(3, 2, 0xFF00FF00u);
  car.argb[1] = 0xFFFF00FFu;  // keyed out
  car.argb[2] = 0;
  stored[0].png = engine::EncodePng(car);
  stored[0].transparent = true;
  stored[0].transparentColor = 0x00FF00FF;
  TOmegaImageList list(&screen);
  ASSERT_TRUE(list.ImageList().LoadFromStream(engine::WriteOilArchive(stored)));
  TImageListItem* item = list.Find("car");
  list.Initialize();
  ASSERT_TRUE(item->Attached());
  EXPECT_FALSE(item->HoldsPixels());
  EXPECT_EQ(item->PicturePixels().argb, car.argb);
  EXPECT_TRUE(item->SolidAt(0, 0));
  EXPECT_FALSE(item->SolidAt(1, 0));
  EXPECT_FALSE(item->SolidAt(2, 0));
  EXPECT_TRUE(item->SolidAt(2, 1));
  const std::vector<uint32_t> texels = dev.textures.at(item->Texture()).argb;

  list.Finalize();  // the device is reset: the texture is made again from the PNG
  list.Initialize();
  ASSERT_TRUE(item->Attached());
  EXPECT_EQ(dev.textures.at(item->Texture()).argb, texels);
  EXPECT_FALSE(item->HoldsPixels());
  EXPECT_TRUE(item->SolidAt(2, 1));
}

// The screen starts its lists and the game starts the menu list again at once: a texture already
// made stays, and the picture is not decoded a second time to learn nothing new.
TEST_F(ImageListTest, StartingAListTwiceKeepsItsTexturesWithoutDecodingAgain) {
  std::vector<engine::OilItem> stored(1);
  stored[0].name = "logo";
  stored[0].png = engine::EncodePng(Picture(8, 4));
  TOmegaImageList list(&screen);
  ASSERT_TRUE(list.ImageList().LoadFromStream(engine::WriteOilArchive(stored)));
  TImageListItem* item = list.Find("logo");
  list.Initialize();
  const platform::TextureId texture = item->Texture();
  item->KeepCompressed({1, 2, 3});  // a decode from here on would fail
  list.Initialize();
  EXPECT_EQ(item->Texture(), texture);
  EXPECT_TRUE(item->Attached());
  EXPECT_TRUE(messages.empty());
}

// A list not shown for a while parks its textures: each picture comes back the same, decoded on a
// worker, all at once or when asked for; what a damaged archive said is not said again.
TEST_F(ImageListTest, ParkedPicturesComeBackTheSame) {
  std::vector<engine::OilItem> stored(3);
  platform::Pixels menu = Picture(64, 32, 0xFF00FF00u);
  menu.argb[5] = 0xFFFF00FFu;  // keyed out
  stored[0].name = "menu";
  stored[0].png = engine::EncodePng(menu);
  stored[0].transparent = true;
  stored[0].transparentColor = 0x00FF00FF;
  stored[1].name = "font";
  stored[1].png = engine::EncodePng(Picture(16, 16));
  stored[2].name = "cut";
  stored[2].png = engine::EncodePng(Picture(4, 4));
  const std::vector<uint8_t> data = engine::WriteOilArchive(stored);
  TOmegaImageList list(&screen);
  EXPECT_FALSE(list.ImageList().LoadFromStream({data.begin(), data.end() - 20}));
  list.Initialize();
  TImageListItem* item = list.Find("menu");
  const std::vector<uint32_t> texels = dev.textures.at(item->Texture()).argb;
  const size_t made = dev.textures.size();
  auto keepFont = [](const TImageListItem& image) { return image.Name == "font"; };

  ASSERT_EQ(list.Park(keepFont), 1);
  EXPECT_EQ(dev.textures.size(), made - 1);
  EXPECT_TRUE(item->Parked());
  EXPECT_TRUE(list.Find("font")->Attached());
  EXPECT_FALSE(item->SolidAt(5, 0));
  list.StartRestore();
  for (int wait = 0; wait < 2000 && item->Parked(); ++wait) {
    list.RestoreDecoded(1);
    if (item->Parked()) usleep(1000);
  }
  ASSERT_FALSE(item->Parked());
  EXPECT_EQ(dev.textures.at(item->Texture()).argb, texels);

  list.Park(keepFont);
  ASSERT_TRUE(item->Attached());  // asked for while parked: back at once
  EXPECT_EQ(dev.textures.at(item->Texture()).argb, texels);
  list.Park(keepFont);
  list.StartRestore();
  list.RestoreAll();
  EXPECT_EQ(list.ParkedCount(), 0);
  EXPECT_EQ(dev.textures.at(item->Texture()).argb, texels);
  EXPECT_TRUE(item->SolidAt(4, 0));
  EXPECT_FALSE(item->SolidAt(5, 0));
  EXPECT_EQ(dev.textures.size(), made);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0],
            "Error!: The stream could not be loaded, either it is corrupt or encrypted!");
}

TEST_F(ImageListTest, LoadsArchivesAndReportsDamage) {
  std::vector<engine::OilItem> stored(3);
  stored[0].name = "strip";
  stored[0].png = engine::EncodePng(Picture(256, 64));
  stored[0].tileWidth = 64;
  stored[1].name = "broken";
  stored[1].png = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0};
  stored[2].name = "last";
  stored[2].png = engine::EncodePng(Picture(4, 4));
  const std::vector<uint8_t> data = engine::WriteOilArchive(stored);

  TOmegaImageList list(&screen);
  AddImage(list, "old", 2, 2);
  ASSERT_TRUE(list.ImageList().LoadFromStream(data));
  ASSERT_EQ(list.Count(), 3);  // loading starts from an empty collection
  TImageListItem* strip = list.Find("strip");
  EXPECT_EQ(strip->TileWidth, 64);
  EXPECT_EQ(strip->TileHeight, 64);  // not stored: the whole picture
  EXPECT_EQ(strip->Columns, 4);
  EXPECT_FALSE(list.Find("broken")->HasPicture());
  list.Initialize();
  EXPECT_TRUE(strip->Attached());
  EXPECT_FALSE(list.Find("broken")->Attached());
  EXPECT_TRUE(messages.empty());

  // Cut inside the last item: the earlier ones stay and the player is told.
  const std::vector<uint8_t> cut(data.begin(), data.end() - 20);
  EXPECT_FALSE(list.ImageList().LoadFromStream(cut));
  EXPECT_EQ(list.Count(), 2);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0],
            "Error!: The stream could not be loaded, either it is corrupt or encrypted!");

  std::vector<uint8_t> notAnArchive = data;
  notAnArchive[0] = 0;
  EXPECT_FALSE(list.ImageList().LoadFromStream(notAnArchive));
  EXPECT_EQ(list.Count(), 0);

  ASSERT_TRUE(list.ImageList().LoadFromStream(data));
  messages.clear();
  EXPECT_FALSE(list.ImageList().LoadFromFile("Data\\no-such-archive.oil"));
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].find("Cannot be loaded - file error or file crypted!"), std::string::npos);
  EXPECT_EQ(list.Count(), 3);  // unchanged
}

// An archive read and decoded on a worker: the items are named at once; one asked for is waited
// for (or decoded on the spot) and gets its texture, the others wait; damage reads as ever.
TEST_F(ImageListTest, ArchiveDecodedOnAWorkerHandsOverEachPictureWhenAskedFor) {
  std::vector<engine::OilItem> stored(8);
  for (size_t i = 0; i < stored.size(); ++i) {
    stored[i].name = "pic" + std::to_string(i);
    stored[i].png = engine::EncodePng(Picture(64, 32));
    stored[i].tileWidth = 16;
  }
  stored[5].png.resize(20);  // cut: does not decode
  const std::vector<uint8_t> data = engine::WriteOilArchive(stored);
  auto start = [](std::vector<uint8_t> bytes, bool readable = true) {
    return std::make_shared<engine::ArchiveLoad>(
        [bytes, readable](std::vector<uint8_t>& out, std::string&) {
          out = bytes;
          return readable;
        },
        std::vector<std::string>{"pic7"});
  };

  TOmegaImageList list(&screen);
  ASSERT_TRUE(list.ImageList().Adopt(start(data)));
  ASSERT_EQ(list.Count(), 8);
  EXPECT_TRUE(list.ImageList().Holds("pic3"));
  EXPECT_TRUE(list.ImageList().Pending(3));
  TImageListItem* third = list.Find("pic3");
  EXPECT_FALSE(list.ImageList().Pending(3));
  EXPECT_TRUE(list.ImageList().Pending(4));
  EXPECT_EQ(third->PictureWidth, 64);
  EXPECT_EQ(third->Columns, 4);
  EXPECT_TRUE(third->Attached());  // the started list made its texture at once
  list.ImageList().FinishAll();
  EXPECT_FALSE(list.ImageList().Loading());
  EXPECT_TRUE(list.Items(7)->Attached());
  EXPECT_FALSE(list.Find("pic5")->HasPicture());
  EXPECT_TRUE(messages.empty());

  // Cut short: the items before the damage, and the box; unreadable: the message, list unchanged.
  EXPECT_FALSE(list.ImageList().Adopt(start({data.begin(), data.end() - 20})));
  EXPECT_EQ(list.Count(), 7);
  EXPECT_TRUE(list.Find("pic6")->Attached());
  EXPECT_FALSE(list.ImageList().Adopt(start({}, false)));
  EXPECT_EQ(list.Count(), 7);
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[0],
            "Error!: The stream could not be loaded, either it is corrupt or encrypted!");
  EXPECT_NE(messages[1].find("Cannot be loaded - file error or file crypted!"), std::string::npos);
}

TEST_F(ImageListTest, FilepathPictureReplacesTheStoredOneRelativeToTheWorkingDirectory) {
  namespace fs = std::filesystem;
  const fs::path dir = fs::temp_directory_path() / ("imagelist-test-" + std::to_string(getpid()));
  fs::create_directories(dir / "wdata");
  const std::vector<uint8_t> png = engine::EncodePng(Picture(40, 20, 0xFF112233u));
  std::ofstream(dir / "wdata" / "back.png", std::ios::binary)
      .write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
  const fs::path previous = fs::current_path();
  fs::current_path(dir);

  TOmegaImageList list(&screen);
  TImageListItem* item = AddImage(list, "back", 8, 8);
  item->Filepath = "  wdata\\back.png ";
  TImageListItem* missing = AddImage(list, "kept", 8, 8);
  missing->Filepath = "wdata\\none.png";
  list.Initialize();
  fs::current_path(previous);
  fs::remove_all(dir);

  EXPECT_EQ(item->PictureWidth, 40);
  EXPECT_EQ(item->TextureWidth, 41);
  EXPECT_EQ(dev.textures.at(item->Texture()).argb[0], 0xFF112233u);
  EXPECT_EQ(missing->PictureWidth, 8);  // no file: the stored picture is used
  EXPECT_TRUE(missing->Attached());
}

}  // namespace
