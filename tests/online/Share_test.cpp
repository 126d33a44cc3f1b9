// Tests of the exit screen: reading its description, its pictures, hover, countdown and clicks.
#include "online/Share.h"

#include <gtest/gtest.h>

#include <sstream>

#include "online/ShareFixture.h"

namespace sharetest {
namespace {

using online::biDisabled;
using online::biHover;
using online::biNormal;

// A screen started on a recording null device, with the two-button description's files.
class ShareTest : public ::testing::Test {
 protected:
  ShareTest() : device_(true), screen_(&device_), list_(&screen_) {
    screen_.Start();
    WriteTwoButtonFiles(dir_);
  }

  std::unique_ptr<online::TShareScreen> LoadText(const std::string& text) {
    dir_.Write("wdata\\config.ini", text);
    auto share = std::make_unique<online::TShareScreen>(list_, &screen_, &fonts_);
    share->BaseDir = dir_.Path();
    share->Load();
    return share;
  }
  void DrawFrame(online::TShareScreen& share, int mouseX, int mouseY) {
    device_.quads.clear();
    share.UpdateHover(mouseX, mouseY);
    screen_.BeginScene();
    share.Draw();
    screen_.EndScene();
  }
  // Top-left of the quad drawn with the picture at Index of the list, or with any texture of none
  // of them (the countdown text) for -1.
  std::optional<std::pair<int, int>> DrawnAt(int32_t index) const {
    for (const auto& quad : device_.quads) {
      bool listed = false;
      for (int i = 0; i < list_.Count(); ++i) listed |= list_.Items(i)->Texture() == quad.texture;
      const bool match = index < 0 ? !listed : list_.Items(index)->Texture() == quad.texture;
      if (!match) continue;
      float left = quad.corners[0].x, top = quad.corners[0].y;
      for (const platform::Vertex& corner : quad.corners) {
        left = std::min(left, corner.x);
        top = std::min(top, corner.y);
      }
      return std::make_pair(static_cast<int>(std::ceil(left)), static_cast<int>(std::ceil(top)));
    }
    return std::nullopt;
  }

  ScratchDir dir_;
  platform::NullRenderDevice device_;
  enginetest::FakeFontRasterizer fonts_;
  engine::TOmegaScreen screen_;
  engine::TOmegaImageList list_;
};

TEST_F(ShareTest, ValidDescriptionReadsEveryValueAndLoadsThePictures) {
  auto share = LoadText(Join(TwoButtonLines()));
  ASSERT_TRUE(share->Valid);
  ASSERT_EQ(share->Buttons.size(), 2u);
  const online::TButton& link = share->Buttons[0];
  EXPECT_EQ(link.Target, "site.url");
  EXPECT_EQ((std::array{link.X1, link.Y1, link.X2, link.Y2, link.W, link.H}),
            (std::array{10, 20, 12, 22, 100, 40}));
  EXPECT_TRUE(link.Enabled);
  const online::TButton& exitButton = share->Buttons[1];
  EXPECT_TRUE(exitButton.IsExit());
  EXPECT_EQ((std::array{exitButton.XD, exitButton.YD}), (std::array{304, 404}));
  EXPECT_FALSE(exitButton.Enabled);
  EXPECT_EQ((std::array{share->TextX, share->TextY}), (std::array{360, 380}));
  EXPECT_EQ(share->Countdown, 200);  // 100 frames a second, less one second

  // Background first, then each button's pictures, each one pattern of its own size.
  ASSERT_EQ(list_.Count(), 6);
  EXPECT_EQ(share->BackgroundIndex, 0);
  EXPECT_EQ(list_.Items(0)->TileWidth, 200);
  EXPECT_EQ(list_.Items(link.ImageIndex[biHover])->TileWidth, 104);
  EXPECT_EQ(exitButton.ImageIndex[biDisabled], 5);
  for (int i = 0; i < list_.Count(); ++i) EXPECT_TRUE(list_.Items(i)->Attached()) << i;

  // Without "TRUE" the size follows the exit button: 0.6 x 50 = 30 points, 40 pixels.
  EXPECT_EQ(fonts_.opened.back().face, "Verdana");
  EXPECT_EQ(fonts_.opened.back().pixelHeight, 40);
  EXPECT_EQ(share->Font().Color(), 0xFF0A141Eu);
}

TEST_F(ShareTest, FixedFontSizeBlanksAndWindowsLineEndsAreAccepted) {
  std::vector<std::string> lines = TwoButtonLines();
  lines[16] = "TRUE";
  lines.push_back("18");
  for (std::string& line : lines) line = "  \t" + line;
  auto share = LoadText("\xEF\xBB\xBF" + Join(lines, "\r\n"));
  ASSERT_TRUE(share->Valid);
  EXPECT_EQ(share->FontSize, 18);
  EXPECT_EQ(fonts_.opened.back().pixelHeight, 24);
  // Red, green and blue as written, whichever way the size is chosen.
  EXPECT_EQ(share->Font().Color(), 0xFF0A141Eu);
}

// Every kind of broken description leaves a screen that shows nothing and holds nobody up.
TEST_F(ShareTest, EveryKindOfBrokenLineMakesTheScreenInvalid) {
  const std::vector<std::string> good = TwoButtonLines();
  std::vector<std::pair<std::string, std::string>> cases;  // what, text
  for (size_t i = 0; i < good.size(); ++i) {
    cases.emplace_back("ends after line " + std::to_string(i),
                       Join(std::vector<std::string>(good.begin(), good.begin() + i)));
    std::vector<std::string> lines = good;
    lines[i] = " ";
    cases.emplace_back("blank line " + std::to_string(i), Join(lines));
  }
  const auto replaced = [&good](size_t index, const char* value) {
    std::vector<std::string> lines = good;
    lines[index] = value;
    return Join(lines);
  };
  const std::vector<std::pair<size_t, const char*>> badLines = {{0, "two"},
                                                                {0, "0"},
                                                                {3, "12 22x 100 40"},
                                                                {8, "302  402 120 50"},
                                                                {9, "304 404 5"},
                                                                {13, "360 1e3"},
                                                                {14, "99999999999"},
                                                                {14, "+-2"},
                                                                {1, "wdata\\nothing.png"},
                                                                {12, "wdata\\nothing.png"},
                                                                {6, "gone.url"},
                                                                {6, "wdata"},
                                                                {16, "TRUE"},
                                                                {16, "TRUE\nbig"}};
  for (const auto& [index, value] : badLines) cases.emplace_back(value, replaced(index, value));
  dir_.Write("wdata\\broken.png", "not a picture");
  cases.emplace_back("not a PNG", replaced(11, "wdata\\broken.png"));

  for (const auto& [what, text] : cases) {
    auto share = LoadText(text);
    EXPECT_FALSE(share->Valid) << what;
    EXPECT_FALSE(share->Busy()) << what;
    EXPECT_EQ(list_.Count(), 0) << what;
  }
}

TEST_F(ShareTest, CountdownLengthAndNumberShown) {
  std::vector<std::string> lines = TwoButtonLines();
  // One second: nothing to wait for, the exit button works from the first frame. No seconds or
  // fewer must not leave a countdown that never ends.
  for (const char* seconds : {"1", "0", "-7"}) {
    lines[14] = seconds;
    auto share = LoadText(Join(lines));
    EXPECT_TRUE(share->Valid) << seconds;
    EXPECT_EQ(share->Countdown, 0) << seconds;
    EXPECT_TRUE(share->ExitButton()->Enabled) << seconds;
  }
  // A minute is the longest wait, however long the description asks for.
  for (const char* seconds : {"61", "2147483647"}) {
    lines[14] = seconds;
    EXPECT_EQ(LoadText(Join(lines))->Countdown, 5900) << seconds;
  }
  // The number: ((countdown div 10) + 1) div 10 + 1.
  auto share = LoadText(Join(TwoButtonLines()));
  for (const auto& [countdown, text] : std::vector<std::pair<int32_t, std::string>>{{400, "5"},
                                                                                    {390, "5"},
                                                                                    {389, "4"},
                                                                                    {190, "3"},
                                                                                    {189, "2"},
                                                                                    {89, "1"},
                                                                                    {1, "1"},
                                                                                    {0, ""}}) {
    share->Countdown = countdown;
    EXPECT_EQ(share->CountdownText(), text) << countdown;
  }
}

TEST_F(ShareTest, DrawsEachButtonPictureWhereItsStateSays) {
  auto share = LoadText(Join(TwoButtonLines()));
  const online::TButton& link = share->Buttons[0];  // hover rectangle 12..112 x 22..62
  const online::TButton& exitButton = share->Buttons[1];
  DrawFrame(*share, 113, 62);
  EXPECT_EQ(DrawnAt(share->BackgroundIndex), std::make_pair(0, 0));
  EXPECT_EQ(DrawnAt(link.ImageIndex[biNormal]), std::make_pair(12, 22));
  // Disabled while the countdown runs; its "3" centred on (360, 380): the fake digit is 20 x 40.
  EXPECT_EQ(DrawnAt(exitButton.ImageIndex[biDisabled]), std::make_pair(304, 404));
  EXPECT_EQ(DrawnAt(-1), std::make_pair(350, 360));

  DrawFrame(*share, 112, 62);  // the rectangle's edges belong to it
  EXPECT_EQ(DrawnAt(link.ImageIndex[biHover]), std::make_pair(10, 20));
  EXPECT_EQ(DrawnAt(link.ImageIndex[biNormal]), std::nullopt);

  // The frame the countdown is over unlocks the exit button; the next frame draws it so.
  while (share->Busy()) share->Tick();
  DrawFrame(*share, 0, 0);
  EXPECT_TRUE(exitButton.Enabled);
  DrawFrame(*share, 0, 0);
  EXPECT_EQ(DrawnAt(exitButton.ImageIndex[biNormal]), std::make_pair(302, 402));
  EXPECT_EQ(DrawnAt(-1), std::nullopt);
  DrawFrame(*share, 302, 402);
  EXPECT_EQ(DrawnAt(exitButton.ImageIndex[biHover]), std::make_pair(300, 400));
}

TEST_F(ShareTest, ClicksOpenLinksAndAskTheExitButtonToClose) {
  auto share = LoadText(Join(TwoButtonLines()));
  RecordingShell shell;
  int closeRequests = 0;
  const auto click = [&](int x, int y) {
    share->UpdateHover(x, y);
    share->Click(&shell, [&closeRequests] { ++closeRequests; });
  };
  click(0, 0);
  click(50, 30);
  EXPECT_EQ(shell.opened, std::vector<std::string>{share->Resolve("site.url")});
  // The exit button asks even while disabled; whoever closes the window decides.
  click(310, 410);
  EXPECT_EQ(closeRequests, 1);
  // A target gone since start-up is not opened.
  std::filesystem::remove(dir_.File("site.url"));
  click(50, 30);
  EXPECT_EQ(shell.opened.size(), 1u);
}

TEST_F(ShareTest, TheExampleDescriptionIsValid) {
  std::ifstream in(std::string(VORNAKEL_TEST_DATA) + "/exit/wdata/config.ini", std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  dir_.WritePicture("wdata\\back.png", 200, 150, 0xFF203040u);
  for (const char* name : {"site", "site_on", "more", "more_on", "exit", "exit_on", "exit_off"})
    dir_.WritePicture("wdata\\" + std::string(name) + ".png", 180, 60, 0xFF406080u);
  dir_.Write("website.url", "[InternetShortcut]\nURL=https://example.org/\n");
  dir_.Write("moregames.url", "[InternetShortcut]\nURL=https://example.org/more\n");
  auto share = LoadText(text.str());
  ASSERT_TRUE(share->Valid);
  EXPECT_EQ(share->Buttons.size(), 3u);
  EXPECT_EQ(share->Countdown, 400);
  EXPECT_EQ(list_.Count(), 8);
}

}  // namespace
}  // namespace sharetest
