// A render device that draws nothing; it can record every call so tests can check exact quads.
#pragma once

#include <map>
#include <vector>

#include "platform/RenderDevice.h"

namespace platform {

class NullRenderDevice : public RenderDevice {
 public:
  struct Quad {
    TextureId texture = 0;
    Vertex corners[4];
    BlendFactor source = BlendFactor::kSrcAlpha;
    BlendFactor destination = BlendFactor::kInvSrcAlpha;
  };
  struct TextureInfo {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> argb;
  };

  explicit NullRenderDevice(bool record = false, int width = 800, int height = 600)
      : record_(record), width_(width), height_(height) {}

  int Width() const override { return width_; }
  int Height() const override { return height_; }
  int MaxTextureSize() const override { return maxTextureSize; }
  DeviceState TestState() override { return state; }
  bool Reset(bool fullScreen) override;
  bool IsFullScreen() const override { return fullScreen_; }
  void ShowSystemCursor(bool show) override { cursorShown = show; }
  TextureId CreateTexture(int width, int height, const uint32_t* argb) override;
  void DestroyTexture(TextureId texture) override;
  void Clear(uint32_t argb) override;
  void SetBlend(BlendFactor source, BlendFactor destination) override;
  void SetLinearFilter(bool linear) override { linearFilter = linear; }
  void DrawQuad(TextureId texture, const Vertex (&corners)[4]) override;
  void Present() override { ++presents; }
  void Finish() override {}
  bool ReadFrame(Pixels& out) override;

  // Turns the recording of quads on or off.
  void Record(bool on) { record_ = on; }

  // What the tests look at (recorded only when recording is on, counters always).
  std::vector<Quad> quads;
  std::map<TextureId, TextureInfo> textures;
  int clears = 0;
  int presents = 0;
  int blendChanges = 0;
  int resets = 0;
  int quadCount = 0;
  bool linearFilter = false;
  bool cursorShown = true;
  int maxTextureSize = 4096;
  DeviceState state = DeviceState::kReady;
  bool failReset = false;
  bool failTextures = false;

 private:
  bool record_;
  int width_;
  int height_;
  bool fullScreen_ = false;
  TextureId nextTexture_ = 1;
  BlendFactor source_ = BlendFactor::kSrcAlpha;
  BlendFactor destination_ = BlendFactor::kInvSrcAlpha;
};

}  // namespace platform
