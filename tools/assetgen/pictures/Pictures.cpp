// Renders the manifest's pictures and packs them into the two image archives (and a review sheet).
#include "pictures/Pictures.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string_view>
#include <system_error>
#include <thread>

#include "engine/OilArchive.h"
#include "engine/PngCodec.h"
#include "pictures/Canvas.h"
#include "pictures/Style.h"

namespace assetgen {

namespace {

bool WriteFileAtomically(const std::string& path, const std::vector<uint8_t>& bytes,
                         std::string& error) {
  const std::string temp = path + ".tmp";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out) {
      error = "cannot write " + temp;
      return false;
    }
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out) {
      error = "cannot write " + temp;
      return false;
    }
  }
  std::error_code ec;
  std::filesystem::rename(temp, path, ec);
  if (ec) {
    error = "cannot replace " + path + ": " + ec.message();
    std::filesystem::remove(temp, ec);
    return false;
  }
  return true;
}

// Renders the given pictures on two threads (the pictures are independent of each other).
std::vector<platform::Pixels> RenderAll(const std::vector<const Picture*>& pics) {
  std::vector<platform::Pixels> out(pics.size());
  const unsigned workers = std::max(1u, std::min(2u, std::thread::hardware_concurrency()));
  auto work = [&](unsigned first, unsigned step) {
    for (size_t i = first; i < pics.size(); i += step) out[i] = RenderPicture(*pics[i]);
  };
  std::vector<std::thread> threads;
  try {
    for (unsigned w = 1; w < workers; ++w) threads.emplace_back(work, w, workers);
  } catch (const std::system_error&) {
    // No second thread: this one draws everything the helpers were not given.
    for (std::thread& t : threads) t.join();
    threads.clear();
    work(0, 1);
    return out;
  }
  work(0, workers);
  for (std::thread& t : threads) t.join();
  return out;
}

std::vector<const Picture*> PicturesOf(Archive archive) {
  std::vector<const Picture*> pics;
  for (const Picture& p : kPictures) {
    if (p.archive == archive) pics.push_back(&p);
  }
  return pics;
}

}  // namespace

platform::Pixels RenderPicture(const Picture& pic) {
  cairo_surface_t* surface =
      cairo_image_surface_create(CAIRO_FORMAT_ARGB32, pic.Width(), pic.Height());
  cairo_t* cr = cairo_create(surface);
  for (int pattern = 0; pattern < pic.patterns; ++pattern) {
    const int col = pattern % pic.columns, row = pattern / pic.columns;
    cairo_save(cr);
    cairo_translate(cr, col * pic.tileWidth, row * pic.tileHeight);
    cairo_rectangle(cr, 0, 0, pic.tileWidth, pic.tileHeight);
    cairo_clip(cr);
    cairo_new_path(cr);
    UseFont(cr, Face::kSans, 16, true);
    pic.paint(cr, pic, pattern);
    cairo_restore(cr);
  }
  cairo_destroy(cr);
  platform::Pixels pixels = SurfaceToPixels(surface);
  cairo_surface_destroy(surface);
  return pixels;
}

bool BuildArchive(Archive archive, std::vector<uint8_t>& bytes, std::string& error) {
  const std::vector<const Picture*> pics = PicturesOf(archive);
  const std::vector<platform::Pixels> pictures = RenderAll(pics);
  std::vector<engine::OilItem> items;
  items.reserve(pics.size());
  for (size_t i = 0; i < pics.size(); ++i) {
    engine::OilItem item;
    item.name = std::string(pics[i]->name);
    item.png = engine::EncodePng(pictures[i]);
    if (item.png.empty()) {
      error = "cannot encode picture " + item.name;
      return false;
    }
    item.tileWidth = pics[i]->tileWidth;
    item.tileHeight = pics[i]->tileHeight;
    items.push_back(std::move(item));
  }
  bytes = engine::WriteOilArchive(items);
  if (bytes.empty()) {
    error = "cannot pack the image archive";
    return false;
  }
  return true;
}

bool WritePictures(const std::string& dataDir, std::string& error) {
  std::error_code ec;
  std::filesystem::create_directories(dataDir, ec);
  if (!std::filesystem::is_directory(dataDir, ec)) {
    error = "cannot create the folder " + dataDir;
    return false;
  }
  const struct {
    Archive archive;
    const char* file;
  } archives[] = {{Archive::kMenu, "data1.oil"}, {Archive::kRace, "data2.oil"}};
  for (const auto& a : archives) {
    std::vector<uint8_t> bytes;
    if (!BuildArchive(a.archive, bytes, error)) return false;
    if (!WriteFileAtomically(dataDir + "/" + a.file, bytes, error)) return false;
  }
  return true;
}

namespace {

constexpr int kSheetWidth = 2200;
constexpr double kBoxW = 520, kBoxH = 330;
constexpr int kLabelH = 34;

void Checkerboard(cairo_t* cr, double x, double y, double w, double h) {
  cairo_save(cr);
  cairo_rectangle(cr, x, y, w, h);
  cairo_clip(cr);
  for (double yy = y; yy < y + h; yy += 8) {
    for (double xx = x; xx < x + w; xx += 8) {
      const bool dark = (static_cast<int>((xx - x) / 8) + static_cast<int>((yy - y) / 8)) % 2;
      cairo_rectangle(cr, xx, yy, 8, 8);
      cairo_set_source_rgb(cr, dark ? 0.62 : 0.78, dark ? 0.64 : 0.8, dark ? 0.68 : 0.84);
      cairo_fill(cr);
    }
  }
  cairo_restore(cr);
}

struct Placed {
  const Picture* pic;
  double x, y, scale;
};

}  // namespace

bool WriteContactSheet(const std::string& pngPath, std::string& error) {
  std::vector<const Picture*> pics;
  for (const Picture& p : kPictures) pics.push_back(&p);
  const std::vector<platform::Pixels> pictures = RenderAll(pics);

  // Flow layout, one section per archive.
  std::vector<Placed> placed;
  std::vector<std::pair<double, Archive>> headings;
  double x = 20, y = 20, rowH = 0;
  Archive current = pics.front()->archive;
  headings.push_back({y, current});
  y += 50;
  for (const Picture* s : pics) {
    if (s->archive != current) {
      current = s->archive;
      x = 20;
      y += rowH + 30;
      rowH = 0;
      headings.push_back({y, current});
      y += 50;
    }
    const double scale = std::min({1.0, kBoxW / s->Width(), kBoxH / s->Height()});
    const double w = std::max(150.0, s->Width() * scale), h = s->Height() * scale + kLabelH;
    if (x + w > kSheetWidth - 20) {
      x = 20;
      y += rowH + 18;
      rowH = 0;
    }
    placed.push_back({s, x, y, scale});
    x += w + 18;
    rowH = std::max(rowH, h);
  }
  const int sheetH = static_cast<int>(y + rowH + 20);

  cairo_surface_t* sheet = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kSheetWidth, sheetH);
  cairo_t* cr = cairo_create(sheet);
  cairo_set_source_rgb(cr, 0.16, 0.18, 0.22);
  cairo_paint(cr);
  UseFont(cr, Face::kSans, 28, true);
  for (const auto& [hy, archive] : headings) {
    TextLeft(cr, 20, hy + 18,
             archive == Archive::kMenu ? "Data/data1.oil (menus)" : "Data/data2.oil (races)",
             palette::kAmber);
  }
  for (size_t i = 0; i < placed.size(); ++i) {
    const Placed& p = placed[i];
    const Picture& s = *p.pic;
    const double w = s.Width() * p.scale, h = s.Height() * p.scale;
    Checkerboard(cr, p.x, p.y, w, h);
    cairo_surface_t* image = PixelsToSurface(pictures[i]);
    cairo_save(cr);
    cairo_translate(cr, p.x, p.y);
    cairo_scale(cr, p.scale, p.scale);
    cairo_set_source_surface(cr, image, 0, 0);
    cairo_paint(cr);
    cairo_restore(cr);
    cairo_surface_destroy(image);
    if (s.columns * s.rows > 1) {  // the tile grid
      cairo_set_line_width(cr, 1);
      cairo_set_source_rgba(cr, 1, 0.2, 0.4, 0.8);
      for (int c = 1; c < s.columns; ++c) {
        cairo_move_to(cr, p.x + c * s.tileWidth * p.scale, p.y);
        cairo_line_to(cr, p.x + c * s.tileWidth * p.scale, p.y + h);
      }
      for (int r = 1; r < s.rows; ++r) {
        cairo_move_to(cr, p.x, p.y + r * s.tileHeight * p.scale);
        cairo_line_to(cr, p.x + w, p.y + r * s.tileHeight * p.scale);
      }
      cairo_stroke(cr);
    }
    UseFont(cr, Face::kSans, 13, true);
    TextLeft(cr, p.x, p.y + h + 10, s.name, palette::kWhite);
    char info[96];
    std::snprintf(info, sizeof info, "%dx%d  tile %dx%d  x%d%s", s.Width(), s.Height(), s.tileWidth,
                  s.tileHeight, s.patterns, p.scale < 1 ? "  (scaled)" : "");
    UseFont(cr, Face::kSans, 11, false);
    TextLeft(cr, p.x, p.y + h + 25, info, palette::kSteel);
  }
  cairo_destroy(cr);
  const platform::Pixels pixels = SurfaceToPixels(sheet);
  cairo_surface_destroy(sheet);
  const std::vector<uint8_t> png = engine::EncodePng(pixels);
  if (png.empty()) {
    error = "cannot encode the contact sheet";
    return false;
  }
  return WriteFileAtomically(pngPath, png, error);
}

}  // namespace assetgen
