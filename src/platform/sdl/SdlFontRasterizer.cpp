// System fonts through fontconfig and SDL2_ttf: the faces the game names mapped to installed ones.
#include "platform/sdl/SdlFontRasterizer.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace platform {
namespace {

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

}  // namespace

SdlFontRasterizer::SdlFontRasterizer() {
  ttfReady_ = TTF_Init() == 0;
  // Reading the configuration and the font caches takes a while; the window opens meanwhile.
  configLoad_ = std::thread([this] { config_ = FcInitLoadConfigAndFonts(); });
}

FcConfig* SdlFontRasterizer::Config() const {
  if (configLoad_.joinable()) configLoad_.join();
  return config_;
}

SdlFontRasterizer::~SdlFontRasterizer() {
  Config();
  for (OpenedFont& f : fonts_) {
    if (f.font != nullptr) TTF_CloseFont(f.font);
  }
  if (ttfReady_) TTF_Quit();
  if (config_ != nullptr) FcConfigDestroy(config_);
}

std::string SdlFontRasterizer::FamilyForFace(const std::string& face) {
  std::string name = Lower(face);
  if (name == "arial") return "Liberation Sans";  // same metrics as Arial
  if (name == "verdana")
    return "DejaVu Sans";  // DejaVu grew out of Verdana's cousin Bitstream Vera
  if (name == "gungsuh") return "DejaVu Serif";  // a serif face that also covers Cyrillic
  return "DejaVu Sans";
}

FontMatch SdlFontRasterizer::Match(const std::string& face, bool bold, bool italic) {
  auto cacheKey = std::make_tuple(Lower(face), bold, italic);
  auto cached = matches_.find(cacheKey);
  if (cached != matches_.end()) return cached->second;

  FontMatch match;
  if (Config() == nullptr) return match;
  std::string family = FamilyForFace(face);
  FcPattern* pattern = FcPatternCreate();
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
  FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
  FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
  FcConfigSubstitute(config_, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* found = FcFontMatch(config_, pattern, &result);
  FcPatternDestroy(pattern);
  if (found == nullptr) return match;

  FcChar8* text = nullptr;
  if (FcPatternGetString(found, FC_FILE, 0, &text) == FcResultMatch) {
    match.file = reinterpret_cast<const char*>(text);
  }
  if (FcPatternGetString(found, FC_FAMILY, 0, &text) == FcResultMatch) {
    match.family = reinterpret_cast<const char*>(text);
  }
  int value = 0;
  if (FcPatternGetInteger(found, FC_INDEX, 0, &value) == FcResultMatch) match.index = value;
  // When the installed family has no bold or italic file, SDL2_ttf draws the style itself.
  int weight = FC_WEIGHT_REGULAR;
  FcPatternGetInteger(found, FC_WEIGHT, 0, &weight);
  int slant = FC_SLANT_ROMAN;
  FcPatternGetInteger(found, FC_SLANT, 0, &slant);
  match.synthesizeBold = bold && weight < FC_WEIGHT_DEMIBOLD;
  match.synthesizeItalic = italic && slant == FC_SLANT_ROMAN;
  FcPatternDestroy(found);

  matches_[cacheKey] = match;
  return match;
}

FontId SdlFontRasterizer::OpenFont(const std::string& face, int pixelHeight, FontStyle style) {
  if (!Usable()) return 0;
  FontMatch match = Match(face, style.bold, style.italic);
  if (match.file.empty()) return 0;
  int size = std::max(1, pixelHeight);
  int ttfStyle = (match.synthesizeBold ? TTF_STYLE_BOLD : 0) |
                 (match.synthesizeItalic ? TTF_STYLE_ITALIC : 0) |
                 (style.underline ? TTF_STYLE_UNDERLINE : 0) |
                 (style.strikeOut ? TTF_STYLE_STRIKETHROUGH : 0);
  FontKey key{match.file, match.index, size, ttfStyle};
  auto it = ids_.find(key);
  if (it != ids_.end()) {
    ++fonts_[it->second - 1].users;
    return it->second;
  }
  // At SDL2_ttf's 72 dpi a point is a pixel, so the em height opens as the point size.
  TTF_Font* font = TTF_OpenFontIndex(match.file.c_str(), size, match.index);
  if (font == nullptr) return 0;
  TTF_SetFontStyle(font, ttfStyle);
  fonts_.push_back(OpenedFont{font, 1});
  auto id = static_cast<FontId>(fonts_.size());
  ids_[key] = id;
  return id;
}

void SdlFontRasterizer::CloseFont(FontId font) {
  // The opened file stays cached for the next request of the same font.
  if (font == 0 || font > fonts_.size()) return;
  OpenedFont& f = fonts_[font - 1];
  if (f.users > 0) --f.users;
}

TTF_Font* SdlFontRasterizer::Lookup(FontId font) const {
  if (font == 0 || font > fonts_.size()) return nullptr;
  const OpenedFont& f = fonts_[font - 1];
  return f.users > 0 ? f.font : nullptr;
}

bool SdlFontRasterizer::Measure(FontId font, const std::string& utf8, int& width, int& height) {
  TTF_Font* f = Lookup(font);
  if (f == nullptr) return false;
  width = 0;
  height = TTF_FontHeight(f);
  if (utf8.empty()) return true;
  int w = 0, h = 0;
  if (TTF_SizeUTF8(f, utf8.c_str(), &w, &h) != 0) return false;
  width = w;
  height = h;
  return true;
}

bool SdlFontRasterizer::Render(FontId font, const std::string& utf8, bool antialias,
                               AlphaBitmap& out) {
  TTF_Font* f = Lookup(font);
  if (f == nullptr) return false;
  out.width = 0;
  out.height = TTF_FontHeight(f);
  out.alpha.clear();
  if (utf8.empty()) return true;

  const SDL_Color white{255, 255, 255, 255};
  SDL_Surface* surface = antialias ? TTF_RenderUTF8_Blended(f, utf8.c_str(), white)
                                   : TTF_RenderUTF8_Solid(f, utf8.c_str(), white);
  if (surface == nullptr) return false;
  bool paletted = surface->format->BytesPerPixel == 1;
  if (!paletted && surface->format->format != SDL_PIXELFORMAT_ARGB8888) {
    SDL_Surface* converted = SDL_ConvertSurfaceFormat(surface, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(surface);
    if (converted == nullptr) return false;
    surface = converted;
  }
  if (SDL_LockSurface(surface) != 0) {
    SDL_FreeSurface(surface);
    return false;
  }
  out.width = surface->w;
  out.height = surface->h;
  out.alpha.resize(static_cast<size_t>(out.width) * out.height);
  for (int y = 0; y < surface->h; ++y) {
    const auto* row = static_cast<const uint8_t*>(surface->pixels) + y * surface->pitch;
    uint8_t* dst = out.alpha.data() + static_cast<size_t>(y) * out.width;
    for (int x = 0; x < surface->w; ++x) {
      if (paletted) {
        dst[x] = row[x] != 0 ? 255 : 0;  // index 0 is the background, 1 the text
      } else {
        uint32_t pixel;
        std::memcpy(&pixel, row + x * 4, 4);
        dst[x] = static_cast<uint8_t>(pixel >> 24);
      }
    }
  }
  SDL_UnlockSurface(surface);
  SDL_FreeSurface(surface);
  return true;
}

}  // namespace platform
