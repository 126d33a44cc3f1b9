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
#include "game/Language.h"
#include "game/ThemeCatalogue.h"
#include "pictures/Canvas.h"
#include "pictures/English.h"
#include "pictures/Style.h"
#include "pictures/Themes.h"

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

// Runs Job(i) for i in 0..Count-1 on two threads (the pictures are independent of each other).
template <typename Job>
void OnTwoThreads(size_t count, Job job) {
  const unsigned workers = std::max(1u, std::min(2u, std::thread::hardware_concurrency()));
  auto work = [&](unsigned first, unsigned step) {
    for (size_t i = first; i < count; i += step) job(i);
  };
  std::vector<std::thread> threads;
  try {
    for (unsigned w = 1; w < workers; ++w) threads.emplace_back(work, w, workers);
  } catch (const std::system_error&) {
    // No second thread: this one draws everything the helpers were not given.
    for (std::thread& t : threads) t.join();
    threads.clear();
    work(0, 1);
    return;
  }
  work(0, workers);
  for (std::thread& t : threads) t.join();
}

std::vector<platform::Pixels> RenderAll(const std::vector<const Picture*>& pics) {
  std::vector<platform::Pixels> out(pics.size());
  OnTwoThreads(pics.size(), [&](size_t i) { out[i] = RenderPicture(*pics[i]); });
  return out;
}

std::vector<const Picture*> PicturesOf(Archive archive) {
  std::vector<const Picture*> pics;
  for (const Picture& p : kPictures) {
    if (p.archive == archive) pics.push_back(&p);
  }
  return pics;
}

// The scenery pictures of one theme, each set to be drawn in its looks.
std::vector<Picture> ThemePictures(int theme) {
  std::vector<Picture> pics;
  for (const Picture& p : kPictures) {
    if (p.archive != Archive::kTheme || (p.onlyTheme >= 0 && p.onlyTheme != theme)) continue;
    pics.push_back(p);
    pics.back().theme = theme;
  }
  return pics;
}

// Renders and packs the pictures of each archive; all archives' pictures share the two threads.
bool PackArchives(const std::vector<std::vector<const Picture*>>& archives,
                  std::vector<std::vector<uint8_t>>& bytes, std::string& error) {
  std::vector<const Picture*> all;
  for (const auto& pics : archives) all.insert(all.end(), pics.begin(), pics.end());
  std::vector<std::vector<uint8_t>> pngs(all.size());
  OnTwoThreads(all.size(), [&](size_t i) {
    // The scenery archives are many large pictures: they are packed quickly rather than tightly.
    pngs[i] = engine::EncodePng(RenderPicture(*all[i]), all[i]->archive == Archive::kTheme);
  });
  bytes.assign(archives.size(), {});
  size_t next = 0;
  for (size_t a = 0; a < archives.size(); ++a) {
    std::vector<engine::OilItem> items;
    items.reserve(archives[a].size());
    for (const Picture* pic : archives[a]) {
      engine::OilItem item;
      item.name = std::string(pic->name);
      item.png = std::move(pngs[next++]);
      if (item.png.empty()) {
        error = "cannot encode picture " + item.name;
        return false;
      }
      item.tileWidth = pic->tileWidth;
      item.tileHeight = pic->tileHeight;
      items.push_back(std::move(item));
    }
    bytes[a] = engine::WriteOilArchive(items);
    if (bytes[a].empty()) {
      error = "cannot pack the image archive";
      return false;
    }
  }
  return true;
}

// "theme_meadow.oil" of "Data\\theme_meadow.oil".
std::string ThemeFileName(int theme) {
  const std::string_view path = game::kSceneryThemes[theme].Archive;
  return std::string(path.substr(path.find_last_of('\\') + 1));
}

// The theme's light over a scenery picture, then what glows in it at night (the dashboard is
// lit from within and keeps its daylight colours).
void LightTheme(cairo_surface_t* surface, cairo_t* cr, const Picture& pic) {
  const Theme& theme = ThemeOf(pic);
  if (pic.paint != PaintDashboard) ApplyLight(surface, theme);
  if (!theme.lamps) return;
  for (int pattern = 0; pattern < pic.patterns; ++pattern) {
    cairo_save(cr);
    cairo_translate(cr, (pattern % pic.columns) * pic.tileWidth,
                    (pattern / pic.columns) * pic.tileHeight);
    cairo_rectangle(cr, 0, 0, pic.tileWidth, pic.tileHeight);
    cairo_clip(cr);
    cairo_new_path(cr);
    PaintLampLight(cr, pic, pattern);
    cairo_restore(cr);
  }
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
  if (pic.archive == Archive::kTheme) LightTheme(surface, cr, pic);
  cairo_destroy(cr);
  platform::Pixels pixels = SurfaceToPixels(surface);
  cairo_surface_destroy(surface);
  return pixels;
}

bool BuildArchive(Archive archive, std::vector<uint8_t>& bytes, std::string& error) {
  std::vector<std::vector<uint8_t>> packed;
  if (!PackArchives({PicturesOf(archive)}, packed, error)) return false;
  bytes = std::move(packed[0]);
  return true;
}

bool BuildThemeArchive(int theme, std::vector<uint8_t>& bytes, std::string& error) {
  const std::vector<Picture> pics = ThemePictures(theme);
  std::vector<const Picture*> pointers;
  for (const Picture& p : pics) pointers.push_back(&p);
  std::vector<std::vector<uint8_t>> packed;
  if (!PackArchives({pointers}, packed, error)) return false;
  bytes = std::move(packed[0]);
  return true;
}

bool WritePictures(const std::string& dataDir, std::string& error) {
  std::error_code ec;
  std::filesystem::create_directories(dataDir, ec);
  if (!std::filesystem::is_directory(dataDir, ec)) {
    error = "cannot create the folder " + dataDir;
    return false;
  }
  std::vector<std::string> files = {"data1.oil", "data2.oil"};
  std::vector<std::vector<const Picture*>> archives = {PicturesOf(Archive::kMenu),
                                                       PicturesOf(Archive::kRace)};
  std::vector<std::vector<Picture>> themes;
  for (int t = 0; t < game::kSceneryThemeCount; ++t) themes.push_back(ThemePictures(t));
  for (int t = 0; t < game::kSceneryThemeCount; ++t) {
    files.push_back(ThemeFileName(t));
    archives.emplace_back();
    for (const Picture& p : themes[static_cast<size_t>(t)]) archives.back().push_back(&p);
  }
  // The English set: each archive's pictures with words, drawn again in English.
  std::vector<Picture> english;
  for (const Picture& p : kPictures) {
    if (p.archive != Archive::kTheme && HasWords(p)) english.push_back(InEnglish(p));
  }
  for (const std::vector<Picture>& theme : themes) {
    for (const Picture& p : theme) {
      if (HasWords(p)) english.push_back(InEnglish(p));
    }
  }
  for (size_t a = 0, count = files.size(); a < count; ++a) {
    std::vector<const Picture*> set;
    for (const Picture& p : english) {
      const bool ofThisArchive =
          a < 2 ? p.archive == (a == 0 ? Archive::kMenu : Archive::kRace)
                : p.archive == Archive::kTheme && p.theme == static_cast<int>(a - 2);
      if (ofThisArchive) set.push_back(&p);
    }
    if (set.empty()) continue;
    files.push_back(game::EnglishArchiveName(files[a]));
    archives.push_back(std::move(set));
  }
  std::vector<std::vector<uint8_t>> bytes;
  if (!PackArchives(archives, bytes, error)) return false;
  for (size_t a = 0; a < files.size(); ++a) {
    if (!WriteFileAtomically(dataDir + "/" + files[a], bytes[a], error)) return false;
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
             archive == Archive::kMenu   ? "Data/data1.oil (menus)"
             : archive == Archive::kRace ? "Data/data2.oil (races)"
                                         : "Data/theme_*.oil (scenery, meadow shown)",
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
