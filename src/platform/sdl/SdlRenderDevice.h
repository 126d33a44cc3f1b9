// The render device on an SDL renderer: quads batched into SDL_RenderGeometry on a target.
#pragma once

#include <SDL.h>
#include <SDL_opengl.h>

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/FillCount.h"
#include "platform/OpacityMask.h"
#include "platform/RenderDevice.h"
#include "platform/ScreenCover.h"

namespace platform {

class SdlRenderDevice final : public RenderDevice {
 public:
  // Makes the renderer for a window: an accelerated one when possible, otherwise SDL's software
  // renderer (said once on stderr). A window nobody sees (`offscreen`) is never drawn to: frames
  // stay in the back-buffer textures, where screenshots read them. Returns null with the reason in
  // `error` when no renderer can be made.
  static std::unique_ptr<SdlRenderDevice> Create(SDL_Window* window, int width, int height,
                                                 bool forceSoftware, bool offscreen,
                                                 std::string& error);
  ~SdlRenderDevice() override;
  SdlRenderDevice(const SdlRenderDevice&) = delete;
  SdlRenderDevice& operator=(const SdlRenderDevice&) = delete;

  int Width() const override { return width_; }
  int Height() const override { return height_; }
  int MaxTextureSize() const override { return maxTextureSize_; }

  DeviceState TestState() override;
  bool Reset(bool fullScreen) override;
  bool IsFullScreen() const override { return fullScreen_; }
  void ShowSystemCursor(bool show) override;

  TextureId CreateTexture(int width, int height, const uint32_t* argb) override;
  void DestroyTexture(TextureId texture) override;

  void Clear(uint32_t argb) override;
  void SetBlend(BlendFactor source, BlendFactor destination) override;
  void SetLinearFilter(bool linear) override;
  void DrawQuad(TextureId texture, const Vertex (&corners)[4]) override;
  void Present() override;
  void Finish() override;
  bool ReadFrame(Pixels& out) override;
  void SetScaling(Scaling scaling) override { scaling_ = scaling; }
  bool SetVSync(bool on) override;
  void SetBeforeShow(std::function<void()> hold) override { beforeShow_ = std::move(hold); }
  bool VSync() const override { return vsync_; }
  Scaling CurrentScaling() const { return scaling_; }

  // Keeps every frame readable by ReadFrame in a window too: drawn into a texture, then copied to
  // the window (one more screen of pixels a frame). Off, a frame that fills the window one to one
  // is drawn straight into it, and ReadFrame has none to give.
  void KeepFrames(bool keep) { keepFrames_ = keep; }
  // Name of the SDL render driver in use ("opengl", "software" ...).
  std::string RendererName() const;
  bool IsSoftware() const { return software_; }
  // Whether the renderer draws the blend factor pairs exactly (rather than the nearest standard
  // mode).
  bool HasCustomBlending() const;
  // SDL_RenderGeometry calls made so far: shows how well quads are batched.
  uint64_t GeometryCalls() const { return geometryCalls_; }
  // Quads drawn (wholly or but for a rim) without blending so far, as they hide what lies under
  // them.
  uint64_t OpaqueQuads() const { return opaqueQuads_; }
  // While on, counts the pixels each texture fills (for finding where the rasteriser's time goes).
  void CountFill(bool on) { countFill_ = on; }
  const FillTable& Fill() const { return fill_; }
  void ResetFill() { fill_.clear(); }

 private:
  SdlRenderDevice(SDL_Window* window, int width, int height, bool forceSoftware, bool offscreen);

  struct Texture {
    SDL_Texture* texture = nullptr;
    TextureId id = 0;
    bool linear = false;                   // the scale mode last given to SDL
    std::unique_ptr<OpacityMask> opacity;  // which texels are opaque; none for render targets
  };

  bool MakeRenderer(std::string& error);
  bool MakeTargets(std::string& error);
  void ReleaseTextures();
  void ReleaseRenderer();
  // Gives a new renderer the vertical sync asked for (a refusal turns it off, said once).
  void ApplyVSync();
  // Copies the finished back buffer into the window, placed as the scaling mode says.
  void ShowInWindow();
  // Hands the drawn frame to the window, after the frame loop's hold when there is one.
  void ShowFrame();
  bool Ready() const;
  void Flush();
  void ApplyScaleMode(Texture& texture, bool linear);
  SDL_BlendMode ResolveBlend(BlendFactor source, BlendFactor destination);
  // For a big upright quad that shows its texture one to one across but stretched downwards (as the
  // ground is): the texture as the rasteriser filters it at that height and that sub-pixel place,
  // made once, and in `out` the quad that shows it one texel per pixel. Null when it does not
  // apply.
  Texture* Unstretched(Texture& texture, const Vertex (&corners)[4], Vertex (&out)[4]);
  // Keeps a quad for the frame's end (in SDL's software renderer: batches it at once).
  void Queue(Texture* texture, SDL_BlendMode blend, const Vertex (&corners)[4], bool linear);
  // Sends the frame's quads on, walking back from the last: what a later opaque quad hides is left
  // out, and a cuttable quad loses the parts already hidden. The clear only fills what no opaque
  // quad covers.
  void DrawFrame();
  // Fills the pixel rectangles with the clear colour (the whole target at once when it is all).
  void FillClear(const std::vector<PixelRect>& rects, uint32_t argb);
  // Adds a quad to the batch, drawing the batch first when the quad cannot join it.
  void Batch(Texture* texture, SDL_BlendMode blend, const Vertex (&corners)[4], bool linear);
  // Whether the frame now starting can go straight into the window instead of into back_.
  bool DrawsIntoWindow();
  // Where the frame's quads go: the window or back_.
  SDL_Texture* DrawTarget() const { return intoWindow_ ? nullptr : back_.texture; }
  // Waits until the drawing into one target is done.
  void WaitForTarget(SDL_Texture* target);
  static int SDLCALL WatchEvents(void* self, SDL_Event* event);

  SDL_Window* window_;
  int width_;
  int height_;
  bool forceSoftware_;
  bool offscreen_;
  SDL_Renderer* renderer_ = nullptr;
  bool software_ = false;
  bool softwareNoticeShown_ = false;
  bool fullScreen_ = false;
  int maxTextureSize_ = 0;
  Scaling scaling_ = Scaling::kLetterbox;
  bool vsyncWanted_ = false;
  bool vsync_ = false;
  std::function<void()> beforeShow_;
  using GlFinish = void(APIENTRY*)();
  GlFinish glFinish_ = nullptr;

  // Drawing goes into back_; Present shows it and swaps it with front_, which then holds the frame
  // ReadFrame returns. The engine clears every frame, so the old contents of back_ never matter.
  Texture back_;
  Texture front_;
  bool hasFrame_ = false;
  bool keepFrames_ = false;
  bool frameStarted_ = false;  // some of this frame's quads have gone to the renderer
  bool intoWindow_ = false;    // ... and they went straight into the window
  Texture white_;              // stands in for "no texture": vertex colour times white

  std::unordered_map<TextureId, Texture> textures_;
  // Pre-filtered copies of stretched textures: source id, texel rectangle, height and sub-pixel
  // place (in thousandths).
  using StretchKey = std::array<int64_t, 7>;
  std::map<StretchKey, Texture> stretched_;
  TextureId nextTextureId_ = 1;  // ids are never reused, so one from before a reset stays invalid

  std::map<std::pair<BlendFactor, BlendFactor>, SDL_BlendMode> blendCache_;
  SDL_BlendMode blend_ = SDL_BLENDMODE_BLEND;
  bool linear_ = false;

  // The frame's quads so far, in order; a null texture is the clear, its colour in the corners.
  struct Piece {
    Texture* texture = nullptr;
    SDL_BlendMode blend = SDL_BLENDMODE_NONE;
    bool linear = false;
    Vertex corners[4];
  };
  std::vector<Piece> frame_;
  std::vector<Piece> kept_;  // those DrawFrame keeps, last first
  ScreenCover cover_;
  std::vector<PixelRect> rects_;
  std::vector<PixelRect> clearRects_;
  std::vector<SDL_Rect> fillRects_;

  // The quads waiting to be drawn in one call: all share texture, blend mode and filter.
  Texture* batchTexture_ = nullptr;
  SDL_BlendMode batchBlend_ = SDL_BLENDMODE_BLEND;
  bool batchLinear_ = false;
  std::vector<SDL_Vertex> batchVertices_;
  std::vector<int> batchIndices_;
  uint64_t geometryCalls_ = 0;
  uint64_t opaqueQuads_ = 0;
  BandSplit bands_;  // kept to reuse its memory
  bool countFill_ = false;
  FillTable fill_;

  // Set from SDL's event watch when the renderer loses its targets or its whole device.
  std::atomic<bool> targetsLost_{false};
  std::atomic<bool> deviceLost_{false};
};

}  // namespace platform
