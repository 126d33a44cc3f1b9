// The desktop icons: the player's pickup racer crossing a chequered line on a rounded amber tile.
#include "pictures/Icons.h"

#include <cairo.h>

#include <fstream>

#include "engine/PngCodec.h"
#include "pictures/Canvas.h"
#include "pictures/Manifest.h"
#include "pictures/Pictures.h"
#include "pictures/Style.h"

namespace assetgen {
namespace {

void PaintIcon(cairo_t* cr, const Picture& pic, int /*pattern*/) {
  using namespace palette;
  const double s = pic.tileWidth;
  // The tile: amber to orange, a dark rim that reads on light and dark panels alike.
  RoundedRect(cr, s * 0.04, s * 0.04, s * 0.92, s * 0.92, s * 0.2);
  SetColor(cr, kNavy);
  cairo_fill(cr);
  RoundedRect(cr, s * 0.08, s * 0.08, s * 0.84, s * 0.84, s * 0.17);
  FillVertical(cr, s * 0.08, s * 0.92, kAmber, kOrange);
  // A strip of road inside the tile with its chequered line ahead of the truck, leaning like the
  // word mark.
  cairo_save(cr);
  RoundedRect(cr, s * 0.08, s * 0.08, s * 0.84, s * 0.84, s * 0.17);
  cairo_clip(cr);
  cairo_translate(cr, s / 2, s / 2);
  cairo_rotate(cr, 0.45);
  cairo_rectangle(cr, -s * 0.24, -s * 0.8, s * 0.48, s * 1.6);
  SetColor(cr, kAsphalt);
  cairo_fill(cr);
  DrawChequer(cr, -s * 0.24, -s * 0.42, s * 0.48, s * 0.1, 6, 1);
  // The truck (drawn nose down) turned to race up the road; small sizes keep it large.
  const double truckH = s * (s < 64 ? 0.66 : 0.56);
  const double scale = truckH / 96.0;
  cairo_translate(cr, 0, truckH * 0.14);
  cairo_rotate(cr, 3.14159265358979);
  cairo_translate(cr, -27 * scale, -truckH / 2);
  cairo_scale(cr, scale, scale);
  const Picture truck{"icon-truck", Archive::kRace, 54, 96, 1, 1, 1, PaintTruck, 1, "", ""};
  PaintTruck(cr, truck, 0);
  cairo_restore(cr);
}

}  // namespace

bool WriteIcons(const std::string& dir, std::string& error) {
  for (const int size : kIconSizes) {
    const Picture icon{"icon", Archive::kMenu, size, size, 1, 1, 1, PaintIcon, 0, "", ""};
    const std::vector<uint8_t> png = engine::EncodePng(RenderPicture(icon));
    const std::string path = dir + "/vornakel-" + std::to_string(size) + ".png";
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
    if (png.empty() || !out) {
      error = "cannot write " + path;
      return false;
    }
  }
  return true;
}

}  // namespace assetgen
