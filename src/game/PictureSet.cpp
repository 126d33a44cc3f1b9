// Loading a picture archive with its English pictures in place of the Russian ones, and switching.
#include "game/PictureSet.h"

#include <cstdint>
#include <vector>

#include "engine/Messages.h"
#include "engine/OilArchive.h"
#include "game/MainForm.h"
#include "game/ThemeCatalogue.h"
#include "platform/Files.h"
#include "platform/Paths.h"

namespace game {

namespace {

// Replaces the picture of every item of Live that Fresh also holds, keeping the items themselves.
void ReplacePictures(engine::TOmegaImageList& live, const engine::TImageListCollection& fresh,
                     platform::RenderDevice* device) {
  engine::TImageListCollection& list = live.ImageList();
  for (int i = 0; i < fresh.Count(); ++i) {
    const engine::TImageListItem* from = fresh.Items(i);
    engine::TImageListItem* item = list.Find(from->Name);
    if (item == nullptr || !from->HasPicture()) continue;
    item->ReleaseTexture();
    item->SetPicture(from->PicturePixels());
    item->KeepCompressed(from->Compressed());
    item->SetTileWidth(from->TileWidth);
    item->SetTileHeight(from->TileHeight);
    if (device != nullptr) item->MakeTexture(device, &live.Renderer());
  }
}

}  // namespace

bool PutEnglishPictures(std::vector<uint8_t>& bytes, const std::string& path) {
  std::vector<uint8_t> englishBytes;
  std::string error;
  std::vector<engine::OilItem> english, items;
  if (!platform::ReadWholeFile(platform::NativePath(EnglishArchiveName(path)),
                               platform::kMaxArchiveFileBytes, englishBytes, error) ||
      !engine::ReadOilArchive(englishBytes.data(), englishBytes.size(), english, error) ||
      !engine::ReadOilArchive(bytes.data(), bytes.size(), items, error))
    return false;
  for (engine::OilItem& item : items) {
    for (engine::OilItem& word : english) {
      if (word.name != item.name || word.png.empty()) continue;
      item = std::move(word);
      break;
    }
  }
  bytes = engine::WriteOilArchive(items);
  return true;
}

bool LoadPictureArchive(engine::TImageListCollection& list, const std::string& path,
                        Language language, bool& reported) {
  std::vector<uint8_t> bytes;
  std::string error;
  // Russian, and an unreadable archive in any language, load (and report) exactly as ever.
  if (language == Language::Russian ||
      !platform::ReadWholeFile(platform::NativePath(path), platform::kMaxArchiveFileBytes, bytes,
                               error))
    return list.LoadFromFile(path);
  if (!PutEnglishPictures(bytes, path) && !reported) {
    reported = true;
    engine::ShowMessage(platform::NativePath(EnglishArchiveName(path)) +
                            " is missing or damaged; the pictures stay in Russian.",
                        "Vornakel");
  }
  return list.LoadFromBytes(bytes.data(), bytes.size());
}

std::shared_ptr<engine::ArchiveLoad> StartPictureArchive(const std::string& path, Language language,
                                                         std::vector<std::string> first) {
  auto reader = [path, language](std::vector<uint8_t>& bytes, std::string& note) {
    std::string error;
    if (!platform::ReadWholeFile(platform::NativePath(path), platform::kMaxArchiveFileBytes, bytes,
                                 error))
      return false;
    if (language != Language::Russian && !PutEnglishPictures(bytes, path)) {
      note = platform::NativePath(EnglishArchiveName(path)) +
             " is missing or damaged; the pictures stay in Russian.";
    }
    return true;
  };
  return std::make_shared<engine::ArchiveLoad>(std::move(reader), std::move(first));
}

bool TakePictureArchive(engine::TImageListCollection& list,
                        const std::shared_ptr<engine::ArchiveLoad>& load, bool& reported) {
  if (load->WaitRead() && !load->Note().empty() && !reported) {
    reported = true;
    engine::ShowMessage(load->Note(), "Vornakel");
  }
  return list.Adopt(load);
}

std::shared_ptr<engine::ArchiveLoad> StartMenuArchive(Language language) {
  // What the logo splash draws: the bitmap font (image 0), the logo and the mouse pointer.
  return StartPictureArchive("Data\\data1.oil", language, {"font", "logo", "mousecursor"});
}

void SwitchLanguage(TForm1& form, Language language) {
  if (language == form.Lang) return;
  form.Lang = language;
  form.GameArchive.reset();  // a race archive read ahead is in the old language
  platform::RenderDevice* device = form.OmegaScreen1.Device();
  engine::TImageListCollection fresh;
  bool reported = form.EnglishMissingReported;
  if (LoadPictureArchive(fresh, "Data\\data1.oil", language, reported))
    ReplacePictures(form.OmegaImageList1, fresh, device);
  if (!form.GameImagesPending && LoadPictureArchive(fresh, "Data\\data2.oil", language, reported))
    ReplacePictures(form.GameImageList, fresh, device);
  form.EnglishMissingReported = reported;
  // The scenery set of the game under way speaks the new language too.
  if (form.LoadedTheme >= 0) {
    bool quiet = true;
    if (LoadPictureArchive(fresh, kSceneryThemes[form.LoadedTheme].Archive, language, quiet))
      ReplacePictures(form.ThemeImageList, fresh, device);
  }
}

}  // namespace game
