// Image list items (pictures, tiles, textures), the collection with its archive loading, and the
// image list component.
#include "engine/OmegaImageList.h"

#include <algorithm>
#include <atomic>
#include <iterator>
#include <thread>

#include "engine/Messages.h"
#include "engine/OilArchive.h"
#include "engine/PngCodec.h"
#include "platform/Files.h"
#include "platform/Paths.h"

namespace engine {
namespace {

// The picture sits in the top-left corner of its texture with one clear row and column beyond it,
// so filtering at its right and bottom edges fades into transparency as it always has. A side that
// is already a power of two gets no clear line (it never had one); sides are at least 2.
int32_t TextureSide(int32_t pictureSide) {
  if (pictureSide < 2) return 2;
  const bool powerOfTwo = (pictureSide & (pictureSide - 1)) == 0;
  return powerOfTwo ? pictureSide : pictureSide + 1;
}

std::string Trim(const std::string& text) {
  size_t first = 0;
  size_t last = text.size();
  while (first < last && static_cast<unsigned char>(text[first]) <= ' ') ++first;
  while (last > first && static_cast<unsigned char>(text[last - 1]) <= ' ') --last;
  return text.substr(first, last - first);
}

bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& out) {
  std::string error;
  return platform::ReadWholeFile(path, platform::kMaxArchiveFileBytes, out, error);
}

}  // namespace

// ---- TImageListItem ---------------------------------------------------------------------------

TImageListItem::~TImageListItem() {
  ReleaseTexture();
}

void TImageListItem::SetPicture(const platform::Pixels& picture) {
  SetPicture(platform::Pixels(picture));
}

void TImageListItem::SetPicture(platform::Pixels&& picture) {
  const bool valid = picture.width > 0 && picture.height > 0 &&
                     picture.argb.size() ==
                         static_cast<size_t>(picture.width) * static_cast<size_t>(picture.height);
  picture_ = valid ? std::move(picture) : platform::Pixels{};
  png_.clear();
  solid_.clear();
  PictureWidth = picture_.width;
  PictureHeight = picture_.height;
  TileWidth = std::max(PictureWidth, 1);
  TileHeight = std::max(PictureHeight, 1);
  if (TextureWidth == 0) TextureWidth = TextureSide(PictureWidth);
  if (TextureHeight == 0) TextureHeight = TextureSide(PictureHeight);
  RecountPatterns();
}

void TImageListItem::RecountPatterns() {
  Columns = TileWidth > 0 ? PictureWidth / TileWidth : 0;
  Rows = TileHeight > 0 ? PictureHeight / TileHeight : 0;
}

// A tile size below 1 would divide by zero in the pattern maths: it means the whole picture.
void TImageListItem::SetTileWidth(int32_t value) {
  TileWidth = value >= 1 ? value : std::max(PictureWidth, 1);
  RecountPatterns();
}

void TImageListItem::SetTileHeight(int32_t value) {
  TileHeight = value >= 1 ? value : std::max(PictureHeight, 1);
  RecountPatterns();
}

bool TImageListItem::KeyedOut(uint32_t argb) const {
  // Colour values above 0x00FFFFFF (clNone, system colours) never match a pixel.
  if (!Transparent || (TransparentColor & 0xFF000000u) != 0) return false;
  const uint32_t keyRgb = (TransparentColor & 0xFFu) << 16 | (TransparentColor & 0xFF00u) |
                          (TransparentColor >> 16 & 0xFFu);
  return (argb & 0x00FFFFFFu) == keyRgb;
}

bool TImageListItem::SolidAt(int32_t x, int32_t y) const {
  if (x < 0 || y < 0 || x >= picture_.width || y >= picture_.height) return false;
  const size_t at =
      static_cast<size_t>(y) * static_cast<size_t>(picture_.width) + static_cast<size_t>(x);
  if (picture_.argb.empty()) return at < solid_.size() && solid_[at];
  const uint32_t argb = picture_.argb[at];
  return argb != 0 && !KeyedOut(argb);
}

platform::Pixels TImageListItem::PicturePixels() const {
  if (!picture_.argb.empty() || !HasPicture()) return picture_;
  platform::Pixels decoded;
  if (!DecodePng(png_.data(), png_.size(), decoded)) return {};
  return decoded;
}

void TImageListItem::DropPixels() {
  solid_.assign(picture_.argb.size(), false);
  for (size_t i = 0; i < picture_.argb.size(); ++i)
    solid_[i] = picture_.argb[i] != 0 && !KeyedOut(picture_.argb[i]);
  std::vector<uint32_t>().swap(picture_.argb);
}

bool TImageListItem::MakeTexture(platform::RenderDevice* device, TOmegaRenderer* renderer) {
  parked_ = false;
  const std::string path = platform::NativePath(Trim(Filepath));
  if (!path.empty()) {
    // Relative paths are taken from the working directory.
    std::vector<uint8_t> bytes;
    platform::Pixels fromFile;
    if (ReadWholeFile(path, bytes)) {
      if (DecodePng(bytes.data(), bytes.size(), fromFile)) {
        picture_ = std::move(fromFile);
      } else {
        ReportOnce("picture file \"" + path + "\" of image \"" + Name + "\" is not a readable PNG");
      }
    }
  }
  if (!HasPicture() || device == nullptr) return false;
  if (texture_ != 0 && device_ == device && path.empty()) {
    // Already made on this device (the screen started the list, then the game did): the pixels
    // let go of after it need not be decoded again.
    renderer_ = renderer;
    return true;
  }
  if (picture_.argb.empty()) {
    // The pixels were let go after the last texture: the stored PNG gives them back.
    platform::Pixels decoded;
    if (!DecodePng(png_.data(), png_.size(), decoded) || decoded.width != picture_.width ||
        decoded.height != picture_.height) {
      return false;
    }
    picture_ = std::move(decoded);
    solid_.clear();
  }
  if (texture_ != 0 && device_ != device) ReleaseTexture();
  if (TileHeight < 1) TileHeight = picture_.height;
  if (TileWidth < 1) TileWidth = picture_.width;
  PictureWidth = picture_.width;
  PictureHeight = picture_.height;
  RecountPatterns();
  if (texture_ == 0) {
    const int32_t texWidth = TextureSide(picture_.width);
    const int32_t texHeight = TextureSide(picture_.height);
    std::vector<uint32_t> texels(static_cast<size_t>(texWidth) * static_cast<size_t>(texHeight), 0);
    for (int32_t y = 0; y < picture_.height; ++y) {
      const uint32_t* row =
          &picture_.argb[static_cast<size_t>(y) * static_cast<size_t>(picture_.width)];
      uint32_t* out = &texels[static_cast<size_t>(y) * static_cast<size_t>(texWidth)];
      for (int32_t x = 0; x < picture_.width; ++x) out[x] = KeyedOut(row[x]) ? 0 : row[x];
    }
    const platform::TextureId texture = device->CreateTexture(texWidth, texHeight, texels.data());
    if (texture == 0) return false;
    texture_ = texture;
    TextureWidth = texWidth;
    TextureHeight = texHeight;
  }
  // Pictures of the archive come back from their PNG; one from a file is read again anyway.
  if (!png_.empty() && path.empty()) DropPixels();
  device_ = device;
  renderer_ = renderer;
  return true;
}

void TImageListItem::ReleaseTexture() {
  if (texture_ != 0 && device_ != nullptr) device_->DestroyTexture(texture_);
  texture_ = 0;
  device_ = nullptr;
  renderer_ = nullptr;
  parked_ = false;
}

bool TImageListItem::Park() {
  if (texture_ == 0 || device_ == nullptr || png_.empty() || !Trim(Filepath).empty()) return false;
  device_->DestroyTexture(texture_);
  texture_ = 0;
  parked_ = true;
  return true;
}

void TImageListItem::Unpark(platform::Pixels&& decoded) {
  if (!parked_) return;
  if (picture_.argb.empty() && decoded.width == picture_.width &&
      decoded.height == picture_.height && !decoded.argb.empty()) {
    picture_ = std::move(decoded);
    solid_.clear();
  }
  MakeTexture(device_, renderer_);
}

bool TImageListItem::Attached() const {
  // The items are never const objects themselves: only this view of them is.
  if (parked_) const_cast<TImageListItem*>(this)->Unpark();
  return renderer_ != nullptr && texture_ != 0;
}

// ---- TImageListCollection ---------------------------------------------------------------------

bool TImageListCollection::LoadFromFile(const std::string& fileName) {
  std::vector<uint8_t> bytes;
  if (!ReadWholeFile(platform::NativePath(fileName), bytes)) {
    ShowMessage("Cannot be loaded - file error or file crypted!", "Vornakel");
    return false;
  }
  return LoadFromStream(bytes);
}

bool TImageListCollection::LoadFromStream(const std::vector<uint8_t>& data) {
  if (OnLoadStream) {
    const std::vector<uint8_t> transformed = OnLoadStream(data);
    return LoadFromBytes(transformed.data(), transformed.size());
  }
  return LoadFromBytes(data.data(), data.size());
}

bool TImageListCollection::LoadFromBytes(const uint8_t* data, size_t size) {
  Clear();
  std::vector<OilItem> read;
  std::string error;
  const bool ok = ReadOilArchive(data, size, read, error);
  // Decoding the pictures is most of the loading time; it is spread over the processor's cores.
  std::vector<platform::Pixels> pictures(read.size());
  std::vector<char> decoded(read.size(), 0);
  std::atomic<size_t> next{0};
  auto decode = [&] {
    for (size_t i = next++; i < read.size(); i = next++) {
      const OilItem& stored = read[i];
      decoded[i] =
          !stored.png.empty() && DecodePng(stored.png.data(), stored.png.size(), pictures[i]);
    }
  };
  const size_t workers = std::min<size_t>(std::max(1u, std::thread::hardware_concurrency()), 4) - 1;
  std::vector<std::thread> threads;
  for (size_t w = 0; w < workers && w + 1 < read.size(); ++w) threads.emplace_back(decode);
  decode();
  for (std::thread& thread : threads) thread.join();
  for (size_t i = 0; i < read.size(); ++i) {
    OilItem& stored = read[i];
    TImageListItem* item = Add();
    item->Name = std::move(stored.name);
    if (decoded[i]) {
      item->SetPicture(std::move(pictures[i]));
      item->KeepCompressed(std::move(stored.png));
    } else if (!stored.png.empty()) {
      ReportOnce("the picture of image \"" + item->Name + "\" could not be decoded");
    }
    item->SetTileHeight(stored.tileHeight);
    item->SetTileWidth(stored.tileWidth);
    item->TransparentColor = stored.transparentColor;
    item->Transparent = stored.transparent;
    item->Filepath = std::move(stored.filepath);
  }
  if (!ok) {
    ReportOnce("image archive: " + error);
    ShowMessage("The stream could not be loaded, either it is corrupt or encrypted!", "Error!");
  }
  return ok;
}

bool TImageListCollection::Adopt(std::shared_ptr<ArchiveLoad> load) {
  if (load == nullptr || !load->WaitRead()) {
    ShowMessage("Cannot be loaded - file error or file crypted!", "Vornakel");
    return false;
  }
  Clear();
  for (const OilItem& stored : load->Items()) Add()->Name = stored.name;
  pending_.assign(items_.size(), 1);
  pendingCount_ = items_.size();
  if (pendingCount_ > 0) load_ = load;
  if (!load->Parsed()) {
    ReportOnce("image archive: " + load->Error());
    ShowMessage("The stream could not be loaded, either it is corrupt or encrypted!", "Error!");
  }
  return load->Parsed();
}

void TImageListCollection::Finish(size_t index) const {
  OilItem& stored = load_->Items()[index];
  TImageListItem* item = items_[index].get();
  platform::Pixels picture;
  if (load_->TakePicture(index, picture)) {
    item->SetPicture(std::move(picture));
    item->KeepCompressed(std::move(stored.png));
  } else if (!stored.png.empty()) {
    ReportOnce("the picture of image \"" + item->Name + "\" could not be decoded");
  }
  std::vector<uint8_t>().swap(stored.png);
  item->SetTileHeight(stored.tileHeight);
  item->SetTileWidth(stored.tileWidth);
  item->TransparentColor = stored.transparentColor;
  item->Transparent = stored.transparent;
  item->Filepath = std::move(stored.filepath);
  pending_[index] = 0;
  if (--pendingCount_ == 0) load_.reset();  // the worker is done: let it go
  if (OnItemReady) OnItemReady(*item);
}

void TImageListCollection::FinishDecoded(int most) {
  for (size_t i = 0; load_ != nullptr && i < pending_.size() && most > 0; ++i) {
    if (!pending_[i] || !load_->PictureDone(i)) continue;
    Finish(i);
    --most;
  }
}

void TImageListCollection::FinishAll() const {
  for (size_t i = 0; load_ != nullptr && i < pending_.size(); ++i) {
    if (pending_[i]) Finish(i);
  }
}

bool TImageListCollection::Pending(int index) const {
  return load_ != nullptr && index >= 0 && static_cast<size_t>(index) < pending_.size() &&
         pending_[static_cast<size_t>(index)];
}

bool TImageListCollection::Holds(std::string_view name) const {
  for (const auto& item : items_) {
    if (item->Name == name) return true;
  }
  return false;
}

void TImageListCollection::Clear() {
  load_.reset();
  pending_.clear();
  pendingCount_ = 0;
  items_.clear();
}

TImageListItem* TImageListCollection::Items(int index) const {
  if (index < 0 || index >= Count()) return nullptr;
  if (Pending(index)) Finish(static_cast<size_t>(index));
  return items_[static_cast<size_t>(index)].get();
}

TImageListItem* TImageListCollection::Add() {
  items_.push_back(std::make_unique<TImageListItem>());
  return items_.back().get();
}

TImageListItem* TImageListCollection::Find(std::string_view name) const {
  for (size_t i = 0; i < items_.size(); ++i) {
    if (items_[i]->Name != name) continue;
    if (Pending(static_cast<int>(i))) Finish(i);
    return items_[i].get();
  }
  return nullptr;
}

void TImageListCollection::Assign(const TImageListCollection& source) {
  if (&source == this) return;
  source.FinishAll();
  Clear();
  for (const auto& from : source.items_) {
    TImageListItem* item = Add();
    item->Name = from->Name;
    if (from->HasPicture()) {
      item->SetPicture(from->PicturePixels());
      item->KeepCompressed(from->Compressed());
    }
    item->SetTileHeight(from->TileHeight);
    item->SetTileWidth(from->TileWidth);
    item->TransparentColor = from->TransparentColor;
    item->Transparent = from->Transparent;
    item->Filepath = from->Filepath;
  }
}

// ---- TOmegaImageList --------------------------------------------------------------------------

TOmegaImageList::TOmegaImageList(TOmegaScreen* screen) {
  imageList_.OnItemReady = [this](TImageListItem& item) {
    if (started_) MakeTexture(item);
  };
  SetOmegaScreen(screen);
}

TOmegaImageList::~TOmegaImageList() {
  Finalize();
  if (screen_ != nullptr) screen_->RemoveComponent(this);
}

void TOmegaImageList::SetOmegaScreen(TOmegaScreen* screen) {
  if (screen == screen_) return;
  if (screen_ != nullptr) {
    Finalize();
    screen_->RemoveComponent(this);
  }
  screen_ = screen;
  if (screen_ != nullptr) screen_->AddComponent(this);  // starts us at once when already running
}

void TOmegaImageList::Initialize() {
  if (screen_ == nullptr || screen_->Device() == nullptr) return;
  renderer_.SetScreen(screen_);
  renderer_.Initialize();
  started_ = true;
  failureShown_ = false;
  // Items still being decoded get their textures as they are completed.
  for (int i = 0; i < imageList_.Count(); ++i) {
    if (!imageList_.Pending(i)) MakeTexture(*imageList_.Items(i));
  }
}

void TOmegaImageList::MakeTexture(TImageListItem& item) {
  if (item.MakeTexture(screen_->Device(), &renderer_) || !item.HasPicture()) return;
  // The item stays undrawable and the game goes on; one message box per start is enough.
  const std::string text = "Error creating texture " + item.Name;
  if (!failureShown_) {
    ShowMessage(text, "Error");
    failureShown_ = true;
  } else {
    ReportOnce(text);
  }
}

int TOmegaImageList::Park(const std::function<bool(const TImageListItem&)>& keep) {
  restore_.reset();
  restoring_.clear();
  int parked = 0;
  for (int i = 0; i < imageList_.Count(); ++i) {
    if (imageList_.Pending(i)) continue;
    TImageListItem& item = *imageList_.Items(i);
    if (!item.Parked() && !keep(item) && item.Park()) ++parked;
  }
  return parked;
}

int TOmegaImageList::ParkedCount() const {
  int parked = 0;
  for (int i = 0; i < imageList_.Count(); ++i) {
    if (!imageList_.Pending(i) && imageList_.Items(i)->Parked()) ++parked;
  }
  return parked;
}

void TOmegaImageList::StartRestore() {
  if (restore_ != nullptr) return;
  // The worker reads the PNGs as a little archive of their own: copies, so the items stay free.
  std::vector<OilItem> parked;
  for (int i = 0; i < imageList_.Count(); ++i) {
    if (imageList_.Pending(i) || !imageList_.Items(i)->Parked()) continue;
    restoring_.push_back(i);
    OilItem& stored = parked.emplace_back();
    stored.name = imageList_.Items(i)->Name;
    stored.png = imageList_.Items(i)->Compressed();
  }
  if (restoring_.empty()) return;
  auto bytes = std::make_shared<std::vector<uint8_t>>(WriteOilArchive(parked));
  restore_ = std::make_shared<ArchiveLoad>([bytes](std::vector<uint8_t>& out, std::string&) {
    out = std::move(*bytes);
    return true;
  });
}

void TOmegaImageList::RestoreDecoded(int most) {
  if (restore_ == nullptr) return;
  for (size_t n = 0; n < restoring_.size(); ++n) {
    if (restoring_[n] < 0) continue;
    if (most <= 0 || !restore_->PictureDone(n)) continue;
    RestoreOne(n);
    --most;
  }
  // The worker stays, done, until RestoreAll or Park: Restoring still tells the pictures are back.
}

void TOmegaImageList::RestoreOne(size_t n) {
  platform::Pixels picture;
  restore_->TakePicture(n, picture);
  if (TImageListItem* item = imageList_.Items(restoring_[n])) item->Unpark(std::move(picture));
  restoring_[n] = -1;
}

void TOmegaImageList::RestoreAll() {
  for (size_t n = 0; restore_ != nullptr && n < restoring_.size(); ++n) {
    if (restoring_[n] >= 0) RestoreOne(n);
  }
  restore_.reset();
  restoring_.clear();
  for (int i = 0; i < imageList_.Count(); ++i) {
    if (!imageList_.Pending(i)) imageList_.Items(i)->Unpark();
  }
}

void TOmegaImageList::Finalize() {
  restore_.reset();
  restoring_.clear();
  started_ = false;
  for (int i = 0; i < imageList_.Count(); ++i) {
    if (!imageList_.Pending(i)) imageList_.Items(i)->ReleaseTexture();
  }
}

}  // namespace engine
