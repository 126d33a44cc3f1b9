// Painters of the ground tiles: the theme's two terrains, the change between them, their details.
#include <algorithm>
#include <array>
#include <cmath>
#include <mutex>
#include <vector>

#include "pictures/Manifest.h"
#include "pictures/Style.h"
#include "pictures/Themes.h"

namespace assetgen {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kTileW = 800, kTileH = 300;

// The noise of one ground kind, the same for every theme: how much of terrain 1 shows, the shade
// within a terrain, the ripples and the fade of the bottom rows. Drawn once, coloured per theme.
struct GroundField {
  std::vector<uint8_t> other, shade, rippled, fade;  // 0..255
};

// 0 where the tile shows terrain 0, 1 where it shows terrain 1.
double OtherAmount(int kind, double x, double y, const FractalNoise& n) {
  if (kind == 0) return 0;
  if (kind == 1) return 1;
  const double border = kTileH / 2.0 + (n.At(x * 2, 37) - 0.5) * 140;
  const double t = std::clamp((y - border) / 40 + 0.5, 0.0, 1.0);
  const double s = t * t * (3 - 2 * t);
  // Kind 3 changes terrain 0 (below) to terrain 1 (above); kind 2 changes back.
  return kind == 3 ? 1 - s : s;
}

GroundField BuildField(int kind) {
  const FractalNoise patches(SeedOf("ground", 1), kTileW, kTileH, 100, 4);
  const FractalNoise fine(SeedOf("ground", 2), kTileW, kTileH, 12.5, 2);
  const FractalNoise border(SeedOf("ground-border"), kTileW, kTileH, 100, 3);
  GroundField f;
  const size_t n = static_cast<size_t>(kTileW) * kTileH;
  for (auto* v : {&f.other, &f.shade, &f.rippled, &f.fade}) v->resize(n);
  auto byte = [](double v) {
    return static_cast<uint8_t>(std::lround(std::clamp(v, 0.0, 1.0) * 255));
  };
  for (int y = 0; y < kTileH; ++y) {
    for (int x = 0; x < kTileW; ++x) {
      const size_t i = static_cast<size_t>(y) * kTileW + x;
      const double p = patches.At(x, y), q = fine.At(x, y);
      const double shade = std::clamp(0.5 + (p - 0.5) * 1.6 + (q - 0.5) * 0.5, 0.0, 1.0);
      // Wind ripples across the sand.
      const double ripple = 0.5 + 0.5 * std::sin((y + p * 60) * 2 * kPi / 18);
      f.other[i] = byte(OtherAmount(kind, x, y, border));
      f.shade[i] = byte(shade);
      f.rippled[i] = byte(shade * 0.8 + ripple * 0.2);
      // The bottom rows fade out: the game draws each tile 10 % taller, so they lie over the top
      // of the next tile down and blend into it instead of ending in a seam.
      const double fade = std::clamp((kTileH - 1 - y) / (kTileH * 0.09), 0.0, 1.0);
      f.fade[i] = byte(fade * fade * (3 - 2 * fade));
    }
  }
  return f;
}

const GroundField& FieldOf(int kind) {
  static std::array<std::once_flag, 4> once;
  static std::array<GroundField, 4> fields;
  const size_t k = static_cast<size_t>(std::clamp(kind, 0, 3));
  std::call_once(once[k], [k] { fields[k] = BuildField(static_cast<int>(k)); });
  return fields[k];
}

// The tile's colours: each terrain's shade through its colour table, blended by the amount of
// terrain 1, faded at the bottom (premultiplied, as cairo keeps it).
cairo_surface_t* GroundSurface(const Theme& theme, const GroundField& f) {
  uint32_t colours[2][256];
  for (int t = 0; t < 2; ++t) {
    for (int i = 0; i < 256; ++i)
      colours[t][i] = PackArgb(Mix(theme.ground[t].low, theme.ground[t].high, i / 255.0));
  }
  const std::vector<uint8_t>& v0 = theme.ground[0].ripples ? f.rippled : f.shade;
  const std::vector<uint8_t>& v1 = theme.ground[1].ripples ? f.rippled : f.shade;
  cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kTileW, kTileH);
  cairo_surface_flush(s);
  unsigned char* data = cairo_image_surface_get_data(s);
  const int stride = cairo_image_surface_get_stride(s);
  for (int y = 0; y < kTileH; ++y) {
    auto* row = reinterpret_cast<uint32_t*>(data + static_cast<size_t>(y) * stride);
    for (int x = 0; x < kTileW; ++x) {
      const size_t i = static_cast<size_t>(y) * kTileW + x;
      const uint32_t a = colours[0][v0[i]], b = colours[1][v1[i]];
      const uint32_t o = f.other[i], alpha = f.fade[i];
      uint32_t out = alpha << 24;
      for (int shift = 0; shift < 24; shift += 8) {
        const uint32_t mixed =
            (((a >> shift) & 0xFF) * (255 - o) + ((b >> shift) & 0xFF) * o) / 255;
        out |= (mixed * alpha / 255) << shift;
      }
      row[x] = out;
    }
  }
  cairo_surface_mark_dirty(s);
  return s;
}

void Tuft(cairo_t* cr, double x, double y, double size, double angle, Rgb c, double width) {
  cairo_set_line_width(cr, width);
  SetColor(cr, c, 0.7);
  for (int b = -1; b <= 1; ++b) {
    cairo_move_to(cr, x, y);
    cairo_line_to(cr, x + (b * 2.5 + angle * 3) * size, y - 5 * size);
  }
  cairo_stroke(cr);
}

// One small thing of the terrain at (X, Y); Pick (0..1) chooses what, and how often nothing.
void DrawDetail(cairo_t* cr, const Terrain& t, double x, double y, double pick, double size,
                double angle) {
  switch (t.detail) {
    case Detail::kGrass:
      if (pick < 0.92) {
        Tuft(cr, x, y, size, angle, pick < 0.5 ? t.a : t.b, 1.3);
      } else {
        cairo_arc(cr, x, y, 1.7 * size, 0, 2 * kPi);
        SetColor(cr, pick < 0.96 ? Hex(0xFFF8E0) : t.c);
        cairo_fill(cr);
      }
      break;
    case Detail::kPebbles:
      if (pick < 0.35) {
        Ellipse(cr, x, y, 2.2 * size, 1.6 * size);
        SetColor(cr, t.a, 0.75);
        cairo_fill(cr);
        Ellipse(cr, x - 0.6, y - 0.6, 1.1 * size, 0.7 * size);
        SetColor(cr, t.b, 0.8);
        cairo_fill(cr);
      } else if (pick < 0.45) {
        cairo_set_line_width(cr, 1);
        SetColor(cr, t.c, 0.7);
        for (int b = -2; b <= 2; ++b) {
          cairo_move_to(cr, x, y);
          cairo_line_to(cr, x + b * 2.2 * size, y - 4 * size + std::abs(b));
        }
        cairo_stroke(cr);
      }
      break;
    case Detail::kLeaves:
      if (pick < 0.7) {
        cairo_save(cr);
        cairo_translate(cr, x, y);
        cairo_rotate(cr, angle * 6);
        Ellipse(cr, 0, 0, 3.6 * size, 1.8 * size);
        cairo_restore(cr);
        SetColor(cr, pick < 0.3 ? t.a : (pick < 0.55 ? t.b : t.c), 0.85);
        cairo_fill(cr);
      }
      break;
    case Detail::kSnow:
      if (pick < 0.3) {
        Ellipse(cr, x, y, 4 * size, 2 * size);
        SetColor(cr, t.a, 0.3);
        cairo_fill(cr);
      } else if (pick < 0.55) {
        cairo_arc(cr, x, y, 0.9 * size, 0, 2 * kPi);
        SetColor(cr, t.b, 0.95);
        cairo_fill(cr);
      }
      break;
    case Detail::kPuddles:
      if (pick < 0.04) {
        Ellipse(cr, x, y, 16 * size, 7 * size);
        SetColor(cr, t.a, 0.7);
        cairo_fill(cr);
        Ellipse(cr, x - 3 * size, y - 2 * size, 9 * size, 2.4 * size);
        SetColor(cr, t.b, 0.45);
        cairo_fill(cr);
      } else if (pick < 0.6) {
        Tuft(cr, x, y, size, angle, t.c, 1.2);
      }
      break;
    case Detail::kCracks:
      if (pick < 0.1) {
        cairo_move_to(cr, x, y);
        for (int i = 1; i <= 3; ++i) {
          cairo_rel_line_to(cr, 7 * size * std::cos(angle * 4 + i), 7 * size * std::sin(angle + i));
        }
        cairo_set_line_width(cr, 1);
        SetColor(cr, t.a, 0.8);
        cairo_stroke(cr);
      } else if (pick < 0.14) {
        Ellipse(cr, x, y, 9 * size, 5 * size);
        SetColor(cr, t.c, 0.35);
        cairo_fill(cr);
      } else if (pick < 0.4) {
        cairo_arc(cr, x, y, 0.9 * size, 0, 2 * kPi);
        SetColor(cr, t.b, 0.6);
        cairo_fill(cr);
      }
      break;
    case Detail::kWaves:
      if (pick < 0.3) {
        cairo_arc(cr, x, y, 7 * size, kPi * 1.15, kPi * 1.85);
        cairo_set_line_width(cr, 1.6);
        SetColor(cr, t.b, 0.55);
        cairo_stroke(cr);
      } else if (pick < 0.36) {
        cairo_arc(cr, x, y, 1.2 * size, 0, 2 * kPi);
        SetColor(cr, t.c, 0.8);
        cairo_fill(cr);
      }
      break;
    case Detail::kReeds:
      if (pick < 0.45) {
        cairo_set_line_width(cr, 1.4);
        SetColor(cr, pick < 0.25 ? t.a : t.b, 0.85);
        for (int b = -2; b <= 2; ++b) {
          cairo_move_to(cr, x, y);
          cairo_line_to(cr, x + (b * 1.6 + angle * 4) * size, y - (8 - std::abs(b)) * size);
        }
        cairo_stroke(cr);
      } else if (pick < 0.49) {
        Ellipse(cr, x, y, 8 * size, 4 * size);
        SetColor(cr, t.c, 0.45);
        cairo_fill(cr);
      }
      break;
  }
}

}  // namespace

void PaintGround(cairo_t* cr, const Picture& pic, int /*pattern*/) {
  const Theme& theme = ThemeOf(pic);
  const int kind = std::clamp(pic.variant, 0, 3);
  const int w = pic.tileWidth, h = pic.tileHeight;
  const GroundField& f = FieldOf(kind);
  cairo_surface_t* base = GroundSurface(theme, f);
  cairo_set_source_surface(cr, base, 0, 0);
  cairo_paint(cr);
  cairo_surface_destroy(base);

  // Details drawn three times across so the tile wraps horizontally.
  Rng rng(SeedOf("ground-detail", kind + 4 * pic.theme));
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  for (int i = 0; i < 900; ++i) {
    const double x = rng.Range(0, w), y = rng.Range(4, h * 0.9);
    const size_t at = static_cast<size_t>(std::clamp(static_cast<int>(y), 0, kTileH - 1)) * kTileW +
                      static_cast<size_t>(std::clamp(static_cast<int>(x), 0, kTileW - 1));
    const Terrain& terrain = theme.ground[f.other[at] < 128 ? 0 : 1];
    const double pick = rng.Uniform(), size = rng.Range(0.6, 1.4), angle = rng.Range(-0.5, 0.5);
    for (double ox : {-static_cast<double>(w), 0.0, static_cast<double>(w)}) {
      DrawDetail(cr, terrain, x + ox, y, pick, size, angle);
    }
  }
}

}  // namespace assetgen
