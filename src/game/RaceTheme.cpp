// Loading the scenery theme of a game, checking it keeps every sprite's size, and its fallbacks.
#include "game/RaceTheme.h"

#include <memory>
#include <string>
#include <vector>

#include "engine/Messages.h"
#include "engine/OilArchive.h"
#include "game/MainForm.h"
#include "game/PictureSet.h"
#include "game/ThemeCatalogue.h"
#include "platform/Files.h"
#include "platform/Paths.h"

namespace game {

namespace {

bool SameTiles(const engine::TImageListItem& item, int32_t width, int32_t height, int32_t tileWidth,
               int32_t tileHeight) {
  return item.HasPicture() && item.PictureWidth == width && item.PictureHeight == height &&
         item.TileWidth == tileWidth && item.TileHeight == tileHeight;
}

bool IsThemed(const std::string& name) {
  for (const ThemedPicture& themed : kThemedPictures) {
    if (name == themed.Name) return true;
  }
  return false;
}

// Reads the theme's archive into Images. A file that is missing, unreadable, damaged or holds a
// picture of the wrong size leaves it empty and gives false; nothing is shown here.
bool ReadTheme(int32_t theme, engine::TOmegaImageList& images,
               const engine::TImageListCollection& shared, Language language) {
  engine::TImageListCollection& list = images.ImageList();
  list.Clear();
  std::vector<uint8_t> bytes;
  std::string error;
  const std::string path = platform::NativePath(kSceneryThemes[theme].Archive);
  if (!platform::ReadWholeFile(path, platform::kMaxArchiveFileBytes, bytes, error)) return false;
  // Parse first so that a damaged archive is reported here, once, and not by the loader's box.
  std::vector<engine::OilItem> items;
  if (!engine::ReadOilArchive(bytes.data(), bytes.size(), items, error)) return false;
  items.clear();
  // Only a theme with words in its pictures (the night's lit dashboard) has an English archive.
  if (language == Language::English) PutEnglishPictures(bytes, kSceneryThemes[theme].Archive);
  // A worker decodes a few pictures ahead and each gets its texture (and lets go of its pixels) as
  // it comes: the whole set is never held decoded beside its textures.
  auto load = std::make_shared<engine::ArchiveLoad>(
      [bytes = std::move(bytes)](std::vector<uint8_t>& out, std::string&) mutable {
        out = std::move(bytes);
        return true;
      });
  if (list.Adopt(load)) {
    images.Initialize();
    list.FinishAll();
    if (ThemeFits(list, shared)) return true;
  }
  list.Clear();
  return false;
}

// The last resort: flat ground, grey road and walls, no scenery, all of the themed sizes.
void PlainPictures(engine::TImageListCollection& list) {
  list.Clear();
  for (const ThemedPicture& themed : kThemedPictures) {
    const std::string name = themed.Name;
    uint32_t colour = 0;  // scenery: nothing to see
    if (name.rfind("back", 0) == 0) colour = 0xFF4E8A36u;
    if (name.rfind("r_", 0) == 0 || name.rfind("wall", 0) == 0) colour = 0xFF4B4F57u;
    platform::Pixels pixels;
    pixels.width = themed.Width;
    pixels.height = themed.Height;
    pixels.argb.assign(static_cast<size_t>(themed.Width) * static_cast<size_t>(themed.Height),
                       colour);
    engine::TImageListItem* item = list.Add();
    item->Name = name;
    item->SetPicture(std::move(pixels));
    item->SetTileWidth(themed.TileWidth);
    item->SetTileHeight(themed.TileHeight);
  }
}

}  // namespace

bool ThemeFits(const engine::TImageListCollection& list,
               const engine::TImageListCollection& shared) {
  for (const ThemedPicture& themed : kThemedPictures) {
    const engine::TImageListItem* item = list.Find(themed.Name);
    if (item == nullptr ||
        !SameTiles(*item, themed.Width, themed.Height, themed.TileWidth, themed.TileHeight))
      return false;
  }
  // A picture a theme adds in place of a shared one (the night's lit dashboard) keeps its size.
  for (int i = 0; i < list.Count(); ++i) {
    const engine::TImageListItem* item = list.Items(i);
    if (IsThemed(item->Name)) continue;
    const engine::TImageListItem* common = shared.Find(item->Name);
    if (common != nullptr && !SameTiles(*item, common->PictureWidth, common->PictureHeight,
                                        common->TileWidth, common->TileHeight))
      return false;
  }
  return true;
}

void LoadRaceTheme(TForm1& form, int32_t track) {
  const int32_t theme = ThemeOfTrack(track);
  if (theme == form.LoadedTheme) return;
  engine::TOmegaImageList& list = form.ThemeImageList;
  const engine::TImageListCollection& shared = form.GameImageList.ImageList();
  const uint32_t bit = 1u << theme;
  bool loaded = (form.BrokenThemes & bit) == 0 && ReadTheme(theme, list, shared, form.Lang);
  if (!loaded && (form.BrokenThemes & bit) == 0) {
    form.BrokenThemes |= bit;
    engine::ShowMessage(platform::NativePath(kSceneryThemes[theme].Archive) +
                            " is missing or damaged; the race shows the " +
                            kSceneryThemes[kDefaultTheme].Name + " scenery instead.",
                        "Vornakel");
  }
  const uint32_t defaultBit = 1u << kDefaultTheme;
  if (!loaded && theme != kDefaultTheme && (form.BrokenThemes & defaultBit) == 0) {
    loaded = ReadTheme(kDefaultTheme, list, shared, form.Lang);
    if (!loaded) {
      form.BrokenThemes |= defaultBit;
      engine::ShowMessage(platform::NativePath(kSceneryThemes[kDefaultTheme].Archive) +
                              " is missing or damaged too; the race shows plain ground.",
                          "Vornakel");
    }
  }
  if (!loaded) PlainPictures(list.ImageList());
  form.ThemeImageList.Initialize();
  form.LoadedTheme = theme;
}

}  // namespace game
