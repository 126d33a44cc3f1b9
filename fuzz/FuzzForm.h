// A main form on null devices with its catalogues and default high scores, as start-up has it
// before the settings files are read.
#pragma once

#include <memory>

#include "frontend/Profiles.h"
#include "game/MainForm.h"
#include "game/TrackCatalogue.h"
#include "game/TruckCatalogue.h"
#include "platform/null/NullPlatform.h"
#include "platform/null/NullRenderDevice.h"
#include "platform/null/VirtualClock.h"

namespace fuzzform {

class FormOnNullDevices {
 public:
  FormOnNullDevices() {
    game::PlatformServices services;
    services.device = &device_;
    services.fonts = &fonts_;
    services.clock = &clock_;
    services.shell = &shell_;
    form_ = std::make_unique<game::TForm1>(services);
    game::BuildTrackCatalogue(form_->Race);
    game::BuildTruckCatalogue(form_->Race);
    frontend::ResetHiScores(form_->Menu);
  }
  game::TForm1& Form() { return *form_; }

 private:
  platform::NullRenderDevice device_;
  platform::NullFontRasterizer fonts_;
  platform::VirtualClock clock_;
  platform::StderrShell shell_;
  std::unique_ptr<game::TForm1> form_;
};

}  // namespace fuzzform
