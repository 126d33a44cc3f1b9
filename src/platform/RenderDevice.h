// The drawing surface the engine sends textured, coloured quads to (an SDL renderer, a recorder or
// nothing).
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace platform {

// One corner of a pre-transformed quad: screen position in back-buffer pixels, ARGB colour, texture
// coordinates. The engine places corners as a classic pre-transformed device would (a pixel's
// centre at its integer coordinate, hence the engine's -0.5 shift); a device whose pixel centres
// sit at +0.5 adds it.
struct Vertex {
  float x = 0, y = 0, z = 0, rhw = 1;
  uint32_t color = 0xFFFFFFFF;
  float u = 0, v = 0;
};

using TextureId = uint32_t;  // 0 means "no texture"

enum class BlendFactor : uint8_t {
  kZero,
  kOne,
  kSrcColor,
  kInvSrcColor,
  kSrcAlpha,
  kInvSrcAlpha,
  kDestColor,
  kInvDestColor,
};

enum class DeviceState : uint8_t {
  kReady,       // frames can be drawn
  kLost,        // frames are skipped until the device can be reset
  kNeedsReset,  // the owner must release its textures, call Reset and make them again
};

// How the back buffer fills a larger window or screen: scaled to fit with its aspect kept, or by
// whole steps only (1x, 2x, 3x ...) so every pixel stays sharp.
enum class Scaling : uint8_t { kLetterbox, kInteger };

// An ARGB picture (0xAARRGGBB per pixel, row-major, Width * Height entries).
struct Pixels {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> argb;
};

class RenderDevice {
 public:
  virtual ~RenderDevice() = default;

  // Back-buffer size in pixels.
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  virtual int MaxTextureSize() const = 0;

  virtual DeviceState TestState() = 0;
  // Rebuilds the device (after kNeedsReset or to switch between window and full screen). Every
  // texture is gone afterwards. Returns false when it failed; the caller tries again on a later
  // frame.
  virtual bool Reset(bool fullScreen) = 0;
  virtual bool IsFullScreen() const = 0;
  virtual void ShowSystemCursor(bool show) = 0;

  // Makes a texture of the given size from ARGB pixels (width * height entries). Returns 0 on
  // failure.
  virtual TextureId CreateTexture(int width, int height, const uint32_t* argb) = 0;
  virtual void DestroyTexture(TextureId texture) = 0;

  virtual void Clear(uint32_t argb) = 0;
  virtual void SetBlend(BlendFactor source, BlendFactor destination) = 0;
  virtual void SetLinearFilter(bool linear) = 0;
  // Draws the quad top-left, top-right, bottom-right, bottom-left as a fan of two triangles.
  virtual void DrawQuad(TextureId texture, const Vertex (&corners)[4]) = 0;
  virtual void Present() = 0;
  // Waits until everything submitted has really been drawn.
  virtual void Finish() = 0;
  // Copies the last presented frame (back-buffer pixels). Returns false when there is none.
  virtual bool ReadFrame(Pixels& out) = 0;

  // Presentation on a real display; devices that show nothing keep the defaults.
  virtual void SetScaling(Scaling /*scaling*/) {}
  // Asks Present to wait for the display's refresh. Returns false when the driver refuses (or
  // nothing is shown), and vertical sync stays off.
  virtual bool SetVSync(bool on) { return !on; }
  // True while Present waits for the display's refresh.
  virtual bool VSync() const { return false; }
  // Called by Present once a frame is wholly drawn, just before it goes to the window, when it is
  // shown without vertical sync: the frame loop may hold it there for an even beat. Devices that
  // show nothing never call it.
  virtual void SetBeforeShow(std::function<void()> /*hold*/) {}
};

}  // namespace platform
