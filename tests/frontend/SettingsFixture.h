// A main form on null devices, with its catalogues built, run inside a fresh temporary folder so
// the settings files it reads and writes are its own.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "frontend/Profiles.h"
#include "frontend/Registration.h"
#include "game/MainForm.h"
#include "game/TrackCatalogue.h"
#include "game/TruckCatalogue.h"
#include "platform/null/NullPlatform.h"
#include "platform/null/NullRenderDevice.h"
#include "platform/null/VirtualClock.h"

namespace settingstest {

class SettingsFixture : public ::testing::Test {
 protected:
  SettingsFixture() {
    char pattern[] = "/tmp/vornakel-settings-XXXXXX";
    folder_ = mkdtemp(pattern);
    previous_ = std::filesystem::current_path();
    std::filesystem::current_path(folder_);
    form = NewForm();
  }
  ~SettingsFixture() override {
    std::filesystem::current_path(previous_);
    std::filesystem::remove_all(folder_);
  }

  // A form as start-up leaves it before the settings files are read.
  std::unique_ptr<game::TForm1> NewForm() {
    game::PlatformServices services;
    services.device = &device_;
    services.fonts = &fonts_;
    services.clock = &clock_;
    services.shell = &shell_;
    auto made = std::make_unique<game::TForm1>(services);
    game::BuildTrackCatalogue(made->Race);
    game::BuildTruckCatalogue(made->Race);
    frontend::ResetHiScores(made->Menu);
    return made;
  }

  static std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream buffer;
    buffer << in.rdbuf();
    return buffer.str();
  }
  static void WriteFile(const std::string& path, const std::string& content) {
    std::ofstream(path, std::ios::binary) << content;
  }

  platform::NullRenderDevice device_;
  platform::NullFontRasterizer fonts_;
  platform::VirtualClock clock_;
  platform::StderrShell shell_;
  std::filesystem::path folder_;
  std::filesystem::path previous_;
  std::unique_ptr<game::TForm1> form;
};

// The same form started for real (FormCreate with the generated menu archive), with the profile
// and options screens and the settings files installed. Other states are not registered, so
// entering one of them leaves GameState where it was.
class ScreenFixture : public SettingsFixture {
 protected:
  ScreenFixture() {
    std::filesystem::create_directory_symlink(VORNAKEL_GAME_DIR "/Data", folder_ / "Data");
    frontend::RegisterProfileStates(*form);
    frontend::RegisterOptionsState(*form);
    frontend::RegisterScreenPage(*form);
    frontend::InstallSettingsFiles(*form);
    form->FormCreate();
  }

  // A left click at (x, y), as the window delivers it.
  void ClickAt(int x, int y) {
    clock_.Advance(20000);
    form->FormMouseMove(x, y);
    form->FormMouseDown(0, x, y);
    form->FormMouseUp(0, x, y);
  }
  // A click in the middle of a button.
  void ClickOn(const engine::TOmegaGUIComponent* widget) {
    ASSERT_NE(widget, nullptr);
    ClickAt(widget->Left + widget->Width / 2, widget->Top + widget->Height / 2);
  }
  void Release(int key) {
    form->FormKeyDown(key);
    form->FormKeyUp(key);
  }
  void Frame() { form->RunStateFrame(form->GameState); }
};

}  // namespace settingstest
