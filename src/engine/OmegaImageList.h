// Image lists: named pictures cut into equal tiles (patterns), their device textures and the quad
// drawing every sprite, font and widget goes through.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/ArchiveLoad.h"
#include "engine/OmegaRenderer.h"
#include "engine/OmegaScreen.h"
#include "engine/OmegaSprite.h"
#include "platform/RenderDevice.h"

namespace engine {

// One named picture. Its patterns are numbered row by row from the top-left; pattern n sits at
// column n mod Columns, row n div Columns. Drawable once its list has made its texture.
class TImageListItem {
 public:
  TImageListItem() = default;
  ~TImageListItem();
  TImageListItem(const TImageListItem&) = delete;
  TImageListItem& operator=(const TImageListItem&) = delete;

  int32_t Rows = 0;     // PictureHeight div TileHeight
  int32_t Columns = 0;  // PictureWidth div TileWidth
  std::string Name;     // compared exactly (case-sensitive)
  int32_t PictureHeight = 0;
  int32_t PictureWidth = 0;
  // Size of one pattern; change them through SetTileWidth/SetTileHeight so Rows/Columns follow.
  int32_t TileHeight = 1;
  int32_t TileWidth = 1;
  int32_t TextureHeight = 0;  // device texture size: the picture (top-left) and a clear line
  int32_t TextureWidth = 0;
  std::string Filepath;           // optional external PNG that replaces the stored picture
  uint32_t TransparentColor = 0;  // 0x00BBGGRR, keyed out of the texture when Transparent
  bool Transparent = false;

  // Copies the picture: picture size and one pattern of the whole picture; the texture size
  // follows when not yet known. An empty picture leaves the item without one. Forgets the PNG the
  // item was decoded from.
  void SetPicture(const platform::Pixels& picture);
  void SetPicture(platform::Pixels&& picture);
  // The PNG file the current picture was decoded from. With it the item lets go of its decoded
  // pixels once its texture is made, and decodes them again when it needs them.
  void KeepCompressed(std::vector<uint8_t> png) { png_ = std::move(png); }
  const std::vector<uint8_t>& Compressed() const { return png_; }
  bool HoldsPixels() const { return !picture_.argb.empty(); }
  bool HasPicture() const { return picture_.width > 0 && picture_.height > 0; }
  // The picture as loaded (decoded again from its PNG when the pixels were let go).
  platform::Pixels PicturePixels() const;
  // Whether the texture holds a visible texel at (X, Y) (the colour key applied); false outside
  // the picture. The pixel-exact collision test asks this.
  bool SolidAt(int32_t x, int32_t y) const;

  // Value < 1 means the whole picture width/height.
  void SetTileWidth(int32_t value);
  void SetTileHeight(int32_t value);

  // Takes the device and the list's renderer and makes the texture (when there is none yet).
  // False when the item has no picture or the device refused the texture: it stays undrawable.
  bool MakeTexture(platform::RenderDevice* device, TOmegaRenderer* renderer);
  // Gives back the texture and forgets the device; MakeTexture can make them again.
  void ReleaseTexture();
  // Gives back the texture of a picture kept as a PNG while staying on its device, so the picture
  // costs only its PNG until Unpark. False (nothing changes) for a picture without a texture or
  // PNG, or one read from its own file.
  bool Park();
  bool Parked() const { return parked_; }
  // Makes the texture of a parked picture again, from Decoded when it holds the picture (a worker
  // decoded it), else from the PNG.
  void Unpark(platform::Pixels&& decoded = {});
  // True once the item can be drawn (its list was started on a screen and its texture exists). A
  // parked picture asked about is brought back at once, so it can always be drawn.
  bool Attached() const;
  TOmegaRenderer* Renderer() const { return renderer_; }
  platform::RenderDevice* Device() const { return device_; }
  platform::TextureId Texture() const { return texture_; }

  // Draw operations. X, Y: the unrotated top-left in back-buffer pixels. PatternIndex -1 draws the
  // whole picture squeezed into one tile; larger indexes than the last pattern draw the last one.
  // BlendMode -1 keeps the screen's current mode. A scale of exactly 0 counts as 1. Rotation is in
  // degrees, clockwise, about (X + tile width * CenterX, Y + tile height * CenterY).
  void Draw(int32_t x, int32_t y, int32_t patternIndex);
  void DrawColored(int32_t x, int32_t y, int32_t patternIndex, int32_t blendMode, bool additive,
                   int32_t red, int32_t green, int32_t blue, int32_t alpha, float scaleX,
                   float scaleY, float centerX, float centerY, float rotation);
  void DrawEx(int32_t x, int32_t y, int32_t patternIndex, int32_t blendMode, bool mirrorX,
              bool mirrorY, uint32_t color, float scaleX, float scaleY, float centerX,
              float centerY, float rotation);
  // Corner colours top-left, top-right, bottom-right, bottom-left.
  void DrawSprite(int32_t x, int32_t y, int32_t patternIndex, int32_t blendMode, bool mirrorX,
                  bool mirrorY, uint32_t color1, uint32_t color2, uint32_t color3, uint32_t color4,
                  float scaleX, float scaleY, float centerX, float centerY, float rotation);
  // The quad covers Rect offset by (X, Y) instead of one tile.
  void DrawStretched(int32_t x, int32_t y, const TRect& rect, int32_t patternIndex,
                     int32_t blendMode, bool mirrorX, bool mirrorY, int32_t red, int32_t green,
                     int32_t blue, int32_t alpha, float scaleX, float scaleY, float centerX,
                     float centerY, float rotation);
  // Draws the Source rectangle of the picture at its own size.
  void DrawSource(int32_t x, int32_t y, const TRect& source, int32_t blendMode, bool mirrorX,
                  bool mirrorY, int32_t red, int32_t green, int32_t blue, int32_t alpha,
                  float scaleX, float scaleY, float centerX, float centerY, float rotation);

 private:
  struct Quad {
    float left, top, right, bottom;  // unshifted corner edges in screen pixels
    float u0, v0, u1, v1;
    float centerX, centerY;  // absolute centre of rotation and scale
  };

  void RecountPatterns();
  bool KeyedOut(uint32_t argb) const;
  // Texture rectangle of a pattern (clamped into range) in texture coordinates.
  void PatternUV(int32_t patternIndex, Quad& quad) const;
  Quad TileQuad(int32_t x, int32_t y, int32_t patternIndex, float centerX, float centerY) const;
  void Emit(const Quad& quad, int32_t blendMode, bool additive, bool mirrorX, bool mirrorY,
            const uint32_t (&colors)[4], float scaleX, float scaleY, float rotation);

  // Lets go of the decoded pixels (they come back from png_), keeping which texels are solid.
  void DropPixels();

  platform::Pixels picture_;  // width and height stay when the pixels are let go
  std::vector<uint8_t> png_;
  std::vector<bool> solid_;  // one flag a texel, row by row, while the pixels are let go
  TOmegaRenderer* renderer_ = nullptr;
  platform::RenderDevice* device_ = nullptr;
  platform::TextureId texture_ = 0;
  bool parked_ = false;
};

// The owned, ordered images of a list.
class TImageListCollection {
 public:
  TImageListCollection() = default;
  TImageListCollection(const TImageListCollection&) = delete;
  TImageListCollection& operator=(const TImageListCollection&) = delete;

  // Reads the whole archive file and loads it. A file that cannot be read shows a message and
  // leaves the collection as it was. Backslashes in the name are taken as directory separators.
  bool LoadFromFile(const std::string& fileName);
  // Clears the collection and reads the archive. Damaged content shows a message; the images read
  // before the damage stay. Pictures are decoded here; one that does not decode leaves its item
  // without a picture.
  bool LoadFromStream(const std::vector<uint8_t>& data);
  bool LoadFromBytes(const uint8_t* data, size_t size);

  // Optional: turns the archive bytes as stored into the bytes to read (archives stored
  // transformed).
  std::function<std::vector<uint8_t>(const std::vector<uint8_t>&)> OnLoadStream;

  // Takes an archive a worker reads and decodes: every item is named at once, and gets its picture,
  // tiles and key when it is first asked for (Find, Items) or once decoded (FinishDecoded). An
  // unreadable or damaged archive is reported as LoadFromFile and LoadFromBytes report it.
  bool Adopt(std::shared_ptr<ArchiveLoad> load);
  // Completes, without waiting, up to Most of the items whose pictures the worker has decoded.
  void FinishDecoded(int most);
  // Completes every item, decoding alongside the worker what it has not come to yet.
  void FinishAll() const;
  // Whether items still wait for their pictures; whether item Index does.
  bool Loading() const { return load_ != nullptr; }
  bool Pending(int index) const;
  // Whether an item is named Name, without waiting for its picture.
  bool Holds(std::string_view name) const;
  // Told of every item Adopt completes (the image list makes its texture).
  std::function<void(TImageListItem&)> OnItemReady;

  // The item at Index, or null outside 0..Count-1.
  TImageListItem* Items(int index) const;
  int Count() const { return static_cast<int>(items_.size()); }
  // Appends a new empty item.
  TImageListItem* Add();
  // The first item whose Name equals Name exactly, or null.
  TImageListItem* Find(std::string_view name) const;
  void Clear();
  // Copies the other collection's items (pictures, names, tiles, keys; no textures).
  void Assign(const TImageListCollection& source);

 private:
  // Gives a pending item its picture, tiles and key.
  void Finish(size_t index) const;

  std::vector<std::unique_ptr<TImageListItem>> items_;
  // The archive still being decoded, and which items wait for it (by index).
  mutable std::shared_ptr<ArchiveLoad> load_;
  mutable std::vector<char> pending_;
  mutable size_t pendingCount_ = 0;
};

// An image list component: the collection plus the renderer its images draw through. Registered
// with its screen, which starts it (Initialize) once the device exists and shuts it down (Finalize)
// before the device goes away. Destroy image lists before their screen.
class TOmegaImageList : public ScreenComponent {
 public:
  explicit TOmegaImageList(TOmegaScreen* screen = nullptr);
  ~TOmegaImageList() override;
  TOmegaImageList(const TOmegaImageList&) = delete;
  TOmegaImageList& operator=(const TOmegaImageList&) = delete;

  TImageListCollection& ImageList() { return imageList_; }
  const TImageListCollection& ImageList() const { return imageList_; }
  // Copies another collection's items into this list.
  void SetImageList(const TImageListCollection& source) { imageList_.Assign(source); }
  TImageListItem* Find(std::string_view name) const { return imageList_.Find(name); }
  TImageListItem* Items(int index) const { return imageList_.Items(index); }
  int Count() const { return imageList_.Count(); }

  TOmegaScreen* OmegaScreen() const { return screen_; }
  void SetOmegaScreen(TOmegaScreen* screen);
  TOmegaRenderer& Renderer() { return renderer_; }

  // Attaches the renderer to the screen's device and makes every image's texture. Nothing happens
  // while there is no started screen.
  void Initialize();
  // Releases every image's texture and device references so Initialize can make them again.
  void Finalize();
  void BeginDraw() {}
  void EndDraw() {}

  // Parks the texture of every completed item Keep does not want (see TImageListItem::Park), so a
  // list not shown for a while costs little more than its PNGs. Gives the number parked.
  int Park(const std::function<bool(const TImageListItem&)>& keep);
  // Starts decoding the parked pictures on a worker, so they can come back without a pause.
  void StartRestore();
  // Brings back, without waiting, up to Most parked pictures the worker has decoded.
  void RestoreDecoded(int most);
  // Brings back every parked picture, decoding what the worker has not come to yet alongside it.
  void RestoreAll();
  // Whether StartRestore was called since the last RestoreAll or Park.
  bool Restoring() const { return restore_ != nullptr; }
  int ParkedCount() const;

  void ScreenStartup() override { Initialize(); }
  void ScreenShutdown() override { Finalize(); }

 private:
  // Makes an item's texture; the first failure since the list started is shown, the rest said.
  void MakeTexture(TImageListItem& item);

  TImageListCollection imageList_;
  // The worker decoding parked pictures, and the indexes of the items it decodes for, in order.
  std::shared_ptr<ArchiveLoad> restore_;
  std::vector<int> restoring_;
  // Brings back the picture of the worker's Nth item (waiting for it) and marks it done.
  void RestoreOne(size_t n);
  TOmegaScreen* screen_ = nullptr;
  TOmegaRenderer renderer_;
  bool started_ = false;  // on a device: items completed later get their textures at once
  bool failureShown_ = false;
};

}  // namespace engine
