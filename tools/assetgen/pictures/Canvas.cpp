// Drawing helpers over cairo for the picture painters: colours, shapes, text, noise, a generator.
#include "pictures/Canvas.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace assetgen {

namespace {

constexpr double kPi = 3.14159265358979323846;

double Smooth(double t) {
  return t * t * (3 - 2 * t);
}

const char* FamilyOf(Face face) {
  switch (face) {
    case Face::kSansCondensed:
      return "DejaVu Sans Condensed";
    case Face::kSerif:
      return "DejaVu Serif";
    case Face::kNarrow:
      return "Liberation Sans Narrow";
    case Face::kSans:
      break;
  }
  return "DejaVu Sans";
}

}  // namespace

Rgb Mix(Rgb a, Rgb b, double t) {
  return Rgb{a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}
Rgb Lighter(Rgb c, double amount) {
  return Mix(c, Rgb{1, 1, 1}, amount);
}
Rgb Darker(Rgb c, double amount) {
  return Mix(c, Rgb{0, 0, 0}, amount);
}

void SetColor(cairo_t* cr, Rgb c, double alpha) {
  cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha);
}
void AddStop(cairo_pattern_t* p, double offset, Rgb c, double alpha) {
  cairo_pattern_add_color_stop_rgba(p, offset, c.r, c.g, c.b, alpha);
}

uint64_t Rng::Next() {
  uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
  return z ^ (z >> 31);
}
double Rng::Uniform() {
  return static_cast<double>(Next() >> 11) * (1.0 / 9007199254740992.0);
}
double Rng::Range(double lo, double hi) {
  return lo + (hi - lo) * Uniform();
}
int Rng::Int(int n) {
  return n <= 0 ? 0 : static_cast<int>(Next() % static_cast<uint64_t>(n));
}

uint64_t SeedOf(std::string_view name, int salt) {
  uint64_t h = 1469598103934665603ULL;  // FNV-1a
  for (char c : name) {
    h ^= static_cast<unsigned char>(c);
    h *= 1099511628211ULL;
  }
  h ^= static_cast<uint64_t>(salt) * 0x9E3779B97F4A7C15ULL;
  return h;
}

ValueNoise::ValueNoise(uint64_t seed, int periodX, int periodY)
    : periodX_(std::max(1, periodX)), periodY_(std::max(1, periodY)) {
  Rng rng(seed);
  lattice_.resize(static_cast<size_t>(periodX_) * periodY_);
  for (double& v : lattice_) v = rng.Uniform();
}

double ValueNoise::At(double x, double y) const {
  const double fx = std::floor(x), fy = std::floor(y);
  const double tx = Smooth(x - fx), ty = Smooth(y - fy);
  auto wrap = [](long v, int period) { return static_cast<int>(((v % period) + period) % period); };
  const int x0 = wrap(static_cast<long>(fx), periodX_),
            x1 = wrap(static_cast<long>(fx) + 1, periodX_);
  const int y0 = wrap(static_cast<long>(fy), periodY_),
            y1 = wrap(static_cast<long>(fy) + 1, periodY_);
  auto at = [&](int ix, int iy) { return lattice_[static_cast<size_t>(iy) * periodX_ + ix]; };
  const double top = at(x0, y0) + (at(x1, y0) - at(x0, y0)) * tx;
  const double bottom = at(x0, y1) + (at(x1, y1) - at(x0, y1)) * tx;
  return top + (bottom - top) * ty;
}

FractalNoise::FractalNoise(uint64_t seed, int width, int height, double cell, int octaves)
    : cell_(cell) {
  double scale = 1;
  for (int i = 0; i < octaves; ++i) {
    const int px = std::max(1, static_cast<int>(std::lround(width / cell * scale)));
    const int py = std::max(1, static_cast<int>(std::lround(height / cell * scale)));
    layers_.emplace_back(seed + static_cast<uint64_t>(i) * 7919, px, py);
    scales_.push_back(scale);
    scale *= 2;
  }
}

double FractalNoise::At(double x, double y) const {
  double sum = 0, weight = 0, amp = 1;
  for (size_t i = 0; i < layers_.size(); ++i) {
    sum += layers_[i].At(x / cell_ * scales_[i], y / cell_ * scales_[i]) * amp;
    weight += amp;
    amp *= 0.5;
  }
  return weight > 0 ? sum / weight : 0;
}

void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r) {
  r = std::max(0.0, std::min(r, std::min(w, h) / 2));
  cairo_new_sub_path(cr);
  cairo_arc(cr, x + w - r, y + r, r, -kPi / 2, 0);
  cairo_arc(cr, x + w - r, y + h - r, r, 0, kPi / 2);
  cairo_arc(cr, x + r, y + h - r, r, kPi / 2, kPi);
  cairo_arc(cr, x + r, y + r, r, kPi, 3 * kPi / 2);
  cairo_close_path(cr);
}

void Ellipse(cairo_t* cr, double cx, double cy, double rx, double ry) {
  if (rx <= 0 || ry <= 0) return;
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_scale(cr, rx, ry);
  cairo_new_sub_path(cr);
  cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
  cairo_restore(cr);
}

void Star(cairo_t* cr, double cx, double cy, int points, double outer, double inner, double turn) {
  cairo_new_sub_path(cr);
  for (int i = 0; i < points * 2; ++i) {
    const double a = turn + i * kPi / points - kPi / 2;
    const double r = (i % 2 == 0) ? outer : inner;
    const double x = cx + std::cos(a) * r, y = cy + std::sin(a) * r;
    if (i == 0) {
      cairo_move_to(cr, x, y);
    } else {
      cairo_line_to(cr, x, y);
    }
  }
  cairo_close_path(cr);
}

cairo_pattern_t* VerticalGradient(double y0, double y1, Rgb top, Rgb bottom) {
  cairo_pattern_t* p = cairo_pattern_create_linear(0, y0, 0, y1);
  AddStop(p, 0, top);
  AddStop(p, 1, bottom);
  return p;
}

void FillVertical(cairo_t* cr, double y0, double y1, Rgb top, Rgb bottom) {
  cairo_pattern_t* p = VerticalGradient(y0, y1, top, bottom);
  cairo_set_source(cr, p);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
}

void ShadeBody(cairo_t* cr, double x0, double x1, Rgb c) {
  cairo_pattern_t* p = cairo_pattern_create_linear(x0, 0, x1, 0);
  AddStop(p, 0, Darker(c, 0.35));
  AddStop(p, 0.22, c);
  AddStop(p, 0.5, Lighter(c, 0.22));
  AddStop(p, 0.78, c);
  AddStop(p, 1, Darker(c, 0.35));
  cairo_set_source(cr, p);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
}

void Glow(cairo_t* cr, double cx, double cy, double radius, Rgb inner, double alpha) {
  cairo_pattern_t* p = cairo_pattern_create_radial(cx, cy, 0, cx, cy, radius);
  AddStop(p, 0, inner, alpha);
  AddStop(p, 0.35, inner, alpha * 0.55);
  AddStop(p, 1, inner, 0);
  cairo_set_source(cr, p);
  cairo_arc(cr, cx, cy, radius, 0, 2 * kPi);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
}

void SoftShadow(cairo_t* cr, double x, double y, double w, double h, double r, double offset,
                double spread, double alpha) {
  const int steps = std::max(1, static_cast<int>(spread));
  for (int i = steps; i >= 1; --i) {
    const double grow = i;
    RoundedRect(cr, x + offset - grow, y + offset - grow, w + 2 * grow, h + 2 * grow, r + grow);
    cairo_set_source_rgba(cr, 0, 0, 0, alpha / steps);
    cairo_fill(cr);
  }
}

void UseFont(cairo_t* cr, Face face, double px, bool bold) {
  cairo_select_font_face(cr, FamilyOf(face), CAIRO_FONT_SLANT_NORMAL,
                         bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr, px);
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
  cairo_set_font_options(cr, options);
  cairo_font_options_destroy(options);
}

double TextWidth(cairo_t* cr, std::string_view utf8) {
  const std::string s(utf8);
  cairo_text_extents_t e;
  cairo_text_extents(cr, s.c_str(), &e);
  return e.x_advance;
}

namespace {

thread_local std::vector<DrawnText>* drawnText = nullptr;

// Notes S, drawn from X at the current font, for the recording.
void NoteDrawn(cairo_t* cr, const std::string& s, double x) {
  if (drawnText == nullptr) return;
  double left = 0, top = 0, right = 0, bottom = 0;
  cairo_clip_extents(cr, &left, &top, &right, &bottom);
  const double width = TextWidth(cr, s);
  drawnText->push_back({s, x >= left - 0.5 && x + width <= right + 0.5});
}

// Baseline that puts the font's capital height centred on CenterY.
double BaselineFor(cairo_t* cr, double centerY) {
  cairo_text_extents_t e;
  cairo_text_extents(cr, "H", &e);
  return centerY - e.y_bearing / 2;  // y_bearing is negative (up from the baseline)
}

void ShowAt(cairo_t* cr, double x, double baseline, std::string_view utf8, Rgb c, double alpha) {
  const std::string s(utf8);
  NoteDrawn(cr, s, x);
  SetColor(cr, c, alpha);
  cairo_move_to(cr, x, baseline);
  cairo_show_text(cr, s.c_str());
  cairo_new_path(cr);
}

}  // namespace

void TextLeft(cairo_t* cr, double x, double centerY, std::string_view utf8, Rgb c, double alpha) {
  ShowAt(cr, x, BaselineFor(cr, centerY), utf8, c, alpha);
}

void TextRight(cairo_t* cr, double x, double centerY, std::string_view utf8, Rgb c, double alpha) {
  ShowAt(cr, x - TextWidth(cr, utf8), BaselineFor(cr, centerY), utf8, c, alpha);
}

void TextCentred(cairo_t* cr, double cx, double centerY, std::string_view utf8, Rgb c,
                 double alpha) {
  ShowAt(cr, cx - TextWidth(cr, utf8) / 2, BaselineFor(cr, centerY), utf8, c, alpha);
}

double FitFont(cairo_t* cr, Face face, double px, bool bold, std::string_view utf8,
               double maxWidth) {
  UseFont(cr, face, px, bold);
  const double w = TextWidth(cr, utf8);
  if (w > maxWidth && w > 0) {
    px = std::floor(px * maxWidth / w * 10) / 10;
    UseFont(cr, face, px, bold);
  }
  return px;
}

void TextCentredOutlined(cairo_t* cr, double cx, double centerY, std::string_view utf8, Rgb fill,
                         Rgb outline, double outlineWidth) {
  const std::string s(utf8);
  const double x = cx - TextWidth(cr, utf8) / 2;
  NoteDrawn(cr, s, x);
  const double baseline = BaselineFor(cr, centerY);
  cairo_move_to(cr, x, baseline);
  cairo_text_path(cr, s.c_str());
  SetColor(cr, outline);
  cairo_set_line_width(cr, outlineWidth * 2);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_stroke_preserve(cr);
  SetColor(cr, fill);
  cairo_fill(cr);
}

void RecordDrawnText(std::vector<DrawnText>* log) {
  drawnText = log;
}

uint32_t PackArgb(Rgb c, double alpha) {
  auto byte = [](double v) {
    return static_cast<uint32_t>(std::lround(std::clamp(v, 0.0, 1.0) * 255));
  };
  return (byte(alpha) << 24) | (byte(c.r) << 16) | (byte(c.g) << 8) | byte(c.b);
}

platform::Pixels SurfaceToPixels(cairo_surface_t* surface) {
  cairo_surface_flush(surface);
  platform::Pixels out;
  out.width = cairo_image_surface_get_width(surface);
  out.height = cairo_image_surface_get_height(surface);
  out.argb.resize(static_cast<size_t>(out.width) * out.height);
  const unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  for (int y = 0; y < out.height; ++y) {
    const auto* row = reinterpret_cast<const uint32_t*>(data + static_cast<size_t>(y) * stride);
    for (int x = 0; x < out.width; ++x) {
      const uint32_t p = row[x];
      const uint32_t a = p >> 24;
      uint32_t straight = 0;
      if (a == 255) {
        straight = p;
      } else if (a > 0) {
        auto un = [a](uint32_t v) { return std::min<uint32_t>(255, (v * 255 + a / 2) / a); };
        straight =
            (a << 24) | (un((p >> 16) & 0xFF) << 16) | (un((p >> 8) & 0xFF) << 8) | un(p & 0xFF);
      }
      out.argb[static_cast<size_t>(y) * out.width + x] = straight;
    }
  }
  return out;
}

cairo_surface_t* PixelsToSurface(const platform::Pixels& pixels) {
  return ShadeSurface(pixels.width, pixels.height, [&](int x, int y) {
    return pixels.argb[static_cast<size_t>(y) * pixels.width + x];
  });
}

}  // namespace assetgen
