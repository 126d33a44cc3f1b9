// A render device that draws nothing and can record every call.
#include "platform/null/NullRenderDevice.h"

#include <cstddef>

namespace platform {

bool NullRenderDevice::Reset(bool fullScreen) {
  ++resets;
  if (failReset) return false;
  fullScreen_ = fullScreen;
  textures.clear();
  state = DeviceState::kReady;
  return true;
}

TextureId NullRenderDevice::CreateTexture(int width, int height, const uint32_t* argb) {
  if (failTextures || width <= 0 || height <= 0) return 0;
  const TextureId id = nextTexture_++;
  TextureInfo& info = textures[id];
  info.width = width;
  info.height = height;
  if (record_ && argb != nullptr) {
    info.argb.assign(argb, argb + static_cast<size_t>(width) * static_cast<size_t>(height));
  }
  return id;
}

void NullRenderDevice::DestroyTexture(TextureId texture) {
  textures.erase(texture);
}

void NullRenderDevice::Clear(uint32_t) {
  ++clears;
  if (record_) quads.clear();
}

void NullRenderDevice::SetBlend(BlendFactor source, BlendFactor destination) {
  ++blendChanges;
  source_ = source;
  destination_ = destination;
}

void NullRenderDevice::DrawQuad(TextureId texture, const Vertex (&corners)[4]) {
  ++quadCount;
  if (!record_) return;
  Quad quad;
  quad.texture = texture;
  for (int i = 0; i < 4; ++i) quad.corners[i] = corners[i];
  quad.source = source_;
  quad.destination = destination_;
  quads.push_back(quad);
}

bool NullRenderDevice::ReadFrame(Pixels& out) {
  out.width = width_;
  out.height = height_;
  out.argb.assign(static_cast<size_t>(width_) * static_cast<size_t>(height_), 0xFF000000u);
  return true;
}

}  // namespace platform
