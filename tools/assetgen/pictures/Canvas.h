// Drawing helpers over cairo for the picture painters: colours, shapes, text, noise, a generator.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/RenderDevice.h"

namespace assetgen {

// An RGB colour with components in 0..1.
struct Rgb {
  double r = 0, g = 0, b = 0;
};

constexpr Rgb Hex(uint32_t rgb) {
  return Rgb{((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0};
}
// Linear mix: t 0 gives A, 1 gives B.
Rgb Mix(Rgb a, Rgb b, double t);
Rgb Lighter(Rgb c, double amount);  // towards white
Rgb Darker(Rgb c, double amount);   // towards black

void SetColor(cairo_t* cr, Rgb c, double alpha = 1.0);
void AddStop(cairo_pattern_t* p, double offset, Rgb c, double alpha = 1.0);

// A small deterministic generator (SplitMix64): same seed, same picture on every build.
class Rng {
 public:
  explicit Rng(uint64_t seed) : state_(seed) {}
  uint64_t Next();
  double Uniform();                    // [0, 1)
  double Range(double lo, double hi);  // [lo, hi)
  int Int(int n);                      // 0..n-1
 private:
  uint64_t state_;
};

// A stable seed from a picture name and a number.
uint64_t SeedOf(std::string_view name, int salt = 0);

// Smooth value noise on a lattice that wraps every PeriodX x PeriodY cells, so textures tile.
class ValueNoise {
 public:
  ValueNoise(uint64_t seed, int periodX, int periodY);
  double At(double x, double y) const;  // about 0..1
 private:
  int periodX_, periodY_;
  std::vector<double> lattice_;
};

// Sum of octaves of value noise, normalised to about 0..1. Cell is the size of the coarsest lattice
// cell in pixels; Width and Height must be multiples of it for seamless wrapping.
class FractalNoise {
 public:
  FractalNoise(uint64_t seed, int width, int height, double cell, int octaves);
  double At(double x, double y) const;

 private:
  std::vector<ValueNoise> layers_;
  std::vector<double> scales_;
  double cell_;
};

// Shapes (paths only; the caller fills or strokes).
void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r);
void Ellipse(cairo_t* cr, double cx, double cy, double rx, double ry);
void Star(cairo_t* cr, double cx, double cy, int points, double outer, double inner, double turn);

// A vertical two-colour gradient over Y0..Y1.
cairo_pattern_t* VerticalGradient(double y0, double y1, Rgb top, Rgb bottom);
void FillVertical(cairo_t* cr, double y0, double y1, Rgb top, Rgb bottom);
// Fills the current path with a cross gradient, darker at both sides and bright along the middle,
// like a rounded top lit from above.
void ShadeBody(cairo_t* cr, double x0, double x1, Rgb c);
// A radial glow: Inner colour at the centre fading to transparent at Radius.
void Glow(cairo_t* cr, double cx, double cy, double radius, Rgb inner, double alpha);
// A soft drop shadow under a rounded rectangle, offset down-right (the light comes from the upper
// left).
void SoftShadow(cairo_t* cr, double x, double y, double w, double h, double r, double offset,
                double spread, double alpha);

// Text through cairo's toy API and fontconfig ("DejaVu Sans" or "Liberation Sans"); sizes in
// pixels.
enum class Face : uint8_t { kSans, kSansCondensed, kSerif, kNarrow };
void UseFont(cairo_t* cr, Face face, double px, bool bold = true);
double TextWidth(cairo_t* cr, std::string_view utf8);
// Draws with the left edge at X and the text's visual middle at CenterY.
void TextLeft(cairo_t* cr, double x, double centerY, std::string_view utf8, Rgb c,
              double alpha = 1);
void TextRight(cairo_t* cr, double x, double centerY, std::string_view utf8, Rgb c,
               double alpha = 1);
void TextCentred(cairo_t* cr, double cx, double centerY, std::string_view utf8, Rgb c,
                 double alpha = 1);
// Shrinks the current font until Utf8 is at most MaxWidth wide; returns the size used.
double FitFont(cairo_t* cr, Face face, double px, bool bold, std::string_view utf8,
               double maxWidth);
// Text with a darker outline, for titles on busy backgrounds.
void TextCentredOutlined(cairo_t* cr, double cx, double centerY, std::string_view utf8, Rgb fill,
                         Rgb outline, double outlineWidth);
// A string drawn through the text functions above, and whether it lies wholly inside the clip
// (the tile it is drawn into).
struct DrawnText {
  std::string utf8;
  bool inside = true;
};
// While Log is set, every string this thread draws is added to it, so a test can read what a
// picture says and that none of it is cut off; null stops the recording.
void RecordDrawnText(std::vector<DrawnText>* log);

// Fills Width x Height of an image surface pixel by pixel: Shade(x, y) returns 0xAARRGGBB
// (straight).
template <typename Shade>
cairo_surface_t* ShadeSurface(int width, int height, Shade shade) {
  cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
  cairo_surface_flush(s);
  unsigned char* data = cairo_image_surface_get_data(s);
  const int stride = cairo_image_surface_get_stride(s);
  for (int y = 0; y < height; ++y) {
    auto* row = reinterpret_cast<uint32_t*>(data + static_cast<size_t>(y) * stride);
    for (int x = 0; x < width; ++x) {
      const uint32_t c = shade(x, y);
      const uint32_t a = c >> 24;
      const uint32_t r = ((c >> 16) & 0xFF) * a / 255;
      const uint32_t g = ((c >> 8) & 0xFF) * a / 255;
      const uint32_t b = (c & 0xFF) * a / 255;
      row[x] = (a << 24) | (r << 16) | (g << 8) | b;
    }
  }
  cairo_surface_mark_dirty(s);
  return s;
}

uint32_t PackArgb(Rgb c, double alpha = 1.0);

// Converts a cairo ARGB32 surface (premultiplied) to straight ARGB pixels.
platform::Pixels SurfaceToPixels(cairo_surface_t* surface);
// The reverse, for composing pictures (the contact sheet).
cairo_surface_t* PixelsToSurface(const platform::Pixels& pixels);

}  // namespace assetgen
