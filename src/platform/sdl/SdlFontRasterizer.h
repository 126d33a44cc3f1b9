// System fonts through fontconfig and SDL2_ttf: the faces the game names mapped to installed ones.
#pragma once

#include <SDL_ttf.h>
#include <fontconfig/fontconfig.h>

#include <map>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "platform/FontRasterizer.h"

namespace platform {

// The installed font file chosen for a face and style, and what SDL2_ttf has to add because the
// file lacks it.
struct FontMatch {
  std::string file;
  int index = 0;
  std::string family;
  bool synthesizeBold = false;
  bool synthesizeItalic = false;
};

class SdlFontRasterizer final : public FontRasterizer {
 public:
  SdlFontRasterizer();
  ~SdlFontRasterizer() override;
  SdlFontRasterizer(const SdlFontRasterizer&) = delete;
  SdlFontRasterizer& operator=(const SdlFontRasterizer&) = delete;

  // False when SDL2_ttf or fontconfig could not start; every OpenFont then returns 0. Waits for
  // fontconfig, which reads its configuration and font lists on a thread of its own meanwhile.
  bool Usable() const { return ttfReady_ && Config() != nullptr; }

  FontId OpenFont(const std::string& face, int pixelHeight, FontStyle style) override;
  void CloseFont(FontId font) override;
  bool Measure(FontId font, const std::string& utf8, int& width, int& height) override;
  bool Render(FontId font, const std::string& utf8, bool antialias, AlphaBitmap& out) override;

  // The family a face name of the game stands for on this system.
  static std::string FamilyForFace(const std::string& face);
  // The file fontconfig picks for a face and style; an empty file when nothing matched.
  FontMatch Match(const std::string& face, bool bold, bool italic);

 private:
  // One opened file at one size and style; ids are shared by equal requests and counted.
  struct OpenedFont {
    TTF_Font* font = nullptr;
    int users = 0;
  };
  using FontKey = std::tuple<std::string, int, int, int>;  // file, face index, size, TTF style

  TTF_Font* Lookup(FontId font) const;
  FcConfig* Config() const;

  bool ttfReady_ = false;
  mutable std::thread configLoad_;  // sets config_; joined before anything reads it
  FcConfig* config_ = nullptr;
  std::map<std::tuple<std::string, bool, bool>, FontMatch> matches_;
  std::map<FontKey, FontId> ids_;
  std::vector<OpenedFont> fonts_;  // index = id - 1
};

}  // namespace platform
