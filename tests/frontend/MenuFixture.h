// The whole game on null devices, started as the program starts it (real archives, no settings
// files) inside a fresh temporary folder, with helpers to press keys, click buttons and run frames.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "frontend/MenuStates.h"
#include "game/MainForm.h"
#include "platform/null/NullAudioDevice.h"
#include "platform/null/NullPlatform.h"
#include "platform/null/NullRenderDevice.h"
#include "platform/null/VirtualClock.h"

namespace frontendtest {

// Answers the score server's version request with a token and records every request.
class FakeHttp : public online::HttpClient {
 public:
  online::HttpResult Get(const std::string& url, const std::vector<online::HttpHeader>&) override {
    urls.push_back(url);
    online::HttpResult result;
    result.completed = reachable;
    result.status = 200;
    result.body = "OK|a|b|c|token|e";
    return result;
  }
  // An older server: it knows no request with a replay.
  online::HttpResult Post(const std::string& url, const std::string&,
                          const std::vector<online::HttpHeader>&) override {
    urls.push_back("POST " + url);
    online::HttpResult result;
    result.completed = reachable;
    result.status = 404;
    return result;
  }
  std::vector<std::string> urls;
  bool reachable = true;
};

// Remembers what the game asked the desktop to open or show.
class RecordingShell : public platform::Shell {
 public:
  void ShowMessage(const std::string& text, const std::string&) override {
    messages.push_back(text);
  }
  bool Open(const std::string& target) override {
    opened.push_back(target);
    return true;
  }
  std::vector<std::string> messages;
  std::vector<std::string> opened;
};

class MenuFixture : public ::testing::Test {
 protected:
  MenuFixture() : audio_(&clock_) {
    char pattern[] = "/tmp/vornakel-menus-XXXXXX";
    folder_ = mkdtemp(pattern);
    previous_ = std::filesystem::current_path();
    std::filesystem::current_path(folder_);
    std::filesystem::create_directory_symlink(std::string(VORNAKEL_GAME_DIR) + "/Data", "Data");
    std::filesystem::create_directory_symlink(std::string(VORNAKEL_GAME_DIR) + "/Sounds", "Sounds");
    game::PlatformServices services;
    services.device = &device_;
    services.fonts = &fonts_;
    services.clock = &clock_;
    services.shell = &shell_;
    services.audio = &audio_;
    form = std::make_unique<game::TForm1>(services);
    auto httpClient = std::make_unique<FakeHttp>();
    http = httpClient.get();
    auto link = std::make_shared<frontend::ScoreLink>(std::move(httpClient));
    scores = link.get();
    frontend::RegisterFrontend(*form, link);
    form->FixedSeed = true;
    form->Seed = 1;
    form->FormCreate();
    form->FormShow();
  }

  // Without the generated archives every screen would look up missing pictures: say so plainly.
  void SetUp() override {
    ASSERT_TRUE(std::filesystem::exists(std::string(VORNAKEL_GAME_DIR) + "/Data/data1.oil"))
        << "the generated archives are missing; build the assets target first";
  }

  ~MenuFixture() override {
    form.reset();
    std::filesystem::current_path(previous_);
    std::filesystem::remove_all(folder_);
  }

  void Frame(int count = 1) {
    for (int i = 0; i < count; ++i) {
      clock_.Advance(11111);
      form->OmegaTimer1Timer();
    }
  }
  // Runs frames until the state changes (at most limit frames); returns the new state.
  int FramesUntilStateLeaves(int limit) {
    const uint8_t start = form->GameState;
    for (int i = 0; i < limit && form->GameState == start; ++i) Frame();
    return form->GameState;
  }
  void Press(int key) {
    form->FormKeyDown(key);
    form->FormKeyUp(key);
  }
  void Type(const std::string& text1251) { form->FormText(text1251); }
  // A left click in the middle of the rectangle, as the mouse would do it.
  void ClickAt(int x, int y) {
    clock_.Advance(20000);
    form->FormMouseMove(x, y);
    form->FormMouseDown(0, x, y);
    form->FormMouseUp(0, x, y);
  }
  void ClickSlot(int slot) {
    engine::TOmegaButton* button = form->Menu.Buttons[static_cast<size_t>(slot)];
    ASSERT_NE(button, nullptr) << "no button in slot " << slot;
    ClickAt(button->Left + button->Width / 2, button->Top + button->Height / 2);
  }
  // A click, then a second press the system counts as completing a double click.
  void DoubleClickSlot(int slot) {
    ClickSlot(slot);
    engine::TOmegaButton* button = form->Menu.Buttons[static_cast<size_t>(slot)];
    ASSERT_NE(button, nullptr) << "no button in slot " << slot;
    const int x = button->Left + button->Width / 2;
    const int y = button->Top + button->Height / 2;
    form->FormMouseDown(0, x, y, 2);
    form->FormMouseUp(0, x, y);
  }
  // From the logo to the main menu (through the name entry on a first run).
  void ToMainMenu(const std::string& name = "Vasya") {
    FramesUntilStateLeaves(400);
    if (form->GameState == game::gsNameEntry) {
      Type(name);
      Press(13);
      Frame();
    }
    ASSERT_EQ(form->GameState, game::gsMainMenu);
  }
  // Every title sprite and button of the screen shows a picture.
  void ExpectEveryPictureFound() {
    for (int i = 0; i < form->OmegaSprite1.Count(); ++i) {
      engine::TSprite* sprite = form->OmegaSprite1.Sprites(i);
      if (!sprite->IsDead) {
        EXPECT_NE(sprite->Image, nullptr) << "sprite " << sprite->Name;
      }
    }
    if (form->Menu.ButtonList == nullptr) return;
    for (int i = 0; i < form->Menu.ButtonList->Count(); ++i) {
      engine::TOmegaGUIComponent* widget = form->Menu.ButtonList->Items(i);
      EXPECT_NE(widget->States[0].Image, nullptr) << "widget " << widget->Name;
    }
  }

  platform::NullRenderDevice device_;
  platform::NullFontRasterizer fonts_;
  platform::VirtualClock clock_;
  platform::NullAudioDevice audio_;
  RecordingShell shell_;
  FakeHttp* http = nullptr;
  frontend::ScoreLink* scores = nullptr;
  std::unique_ptr<game::TForm1> form;

 private:
  std::filesystem::path folder_;
  std::filesystem::path previous_;
};

}  // namespace frontendtest
