// The render device on an SDL renderer: quads batched into SDL_RenderGeometry on a target.
#include "platform/sdl/SdlRenderDevice.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <utility>

#include "platform/QuadShape.h"
#include "platform/sdl/Letterbox.h"

namespace platform {
namespace {

// Software rendering has no size limit of its own; this keeps requests sane.
constexpr int kUnlimitedTextureSize = 16384;

// The screen's tint turns a full alpha of 255 into 254. Such a quad over opaque texels lets 1/255
// of the background through, at most one step of any channel: drawn without blending it looks the
// same, and the rasteriser need not read the background at all.
constexpr uint32_t kOpaqueAlpha = 254;

SDL_BlendFactor ToSdl(BlendFactor factor) {
  switch (factor) {
    case BlendFactor::kZero:
      return SDL_BLENDFACTOR_ZERO;
    case BlendFactor::kOne:
      return SDL_BLENDFACTOR_ONE;
    case BlendFactor::kSrcColor:
      return SDL_BLENDFACTOR_SRC_COLOR;
    case BlendFactor::kInvSrcColor:
      return SDL_BLENDFACTOR_ONE_MINUS_SRC_COLOR;
    case BlendFactor::kSrcAlpha:
      return SDL_BLENDFACTOR_SRC_ALPHA;
    case BlendFactor::kInvSrcAlpha:
      return SDL_BLENDFACTOR_ONE_MINUS_SRC_ALPHA;
    case BlendFactor::kDestColor:
      return SDL_BLENDFACTOR_DST_COLOR;
    case BlendFactor::kInvDestColor:
      return SDL_BLENDFACTOR_ONE_MINUS_DST_COLOR;
  }
  return SDL_BLENDFACTOR_ONE;
}

// The standard SDL mode closest to a factor pair, for renderers without custom blending.
SDL_BlendMode NearestStandardMode(BlendFactor source, BlendFactor destination) {
  using F = BlendFactor;
  if (destination == F::kOne) return SDL_BLENDMODE_ADD;
  if (source == F::kOne && destination == F::kZero) return SDL_BLENDMODE_NONE;
  if ((source == F::kZero && destination == F::kSrcColor) ||
      (source == F::kDestColor && destination == F::kZero)) {
    return SDL_BLENDMODE_MOD;
  }
  if (source == F::kDestColor && destination == F::kInvSrcAlpha) return SDL_BLENDMODE_MUL;
  return SDL_BLENDMODE_BLEND;
}

SDL_Color ToSdlColor(uint32_t argb) {
  return SDL_Color{static_cast<Uint8>(argb >> 16), static_cast<Uint8>(argb >> 8),
                   static_cast<Uint8>(argb), static_cast<Uint8>(argb >> 24)};
}

}  // namespace

std::unique_ptr<SdlRenderDevice> SdlRenderDevice::Create(SDL_Window* window, int width, int height,
                                                         bool forceSoftware, bool offscreen,
                                                         std::string& error) {
  std::unique_ptr<SdlRenderDevice> device(
      new SdlRenderDevice(window, width, height, forceSoftware, offscreen));
  if (!device->MakeRenderer(error) || !device->MakeTargets(error)) return nullptr;
  return device;
}

SdlRenderDevice::SdlRenderDevice(SDL_Window* window, int width, int height, bool forceSoftware,
                                 bool offscreen)
    : window_(window),
      width_(width),
      height_(height),
      forceSoftware_(forceSoftware),
      offscreen_(offscreen) {
  fullScreen_ = (SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN) != 0;
  SDL_AddEventWatch(&SdlRenderDevice::WatchEvents, this);
}

SdlRenderDevice::~SdlRenderDevice() {
  SDL_DelEventWatch(&SdlRenderDevice::WatchEvents, this);
  ReleaseTextures();
  ReleaseRenderer();
}

int SDLCALL SdlRenderDevice::WatchEvents(void* self, SDL_Event* event) {
  auto* device = static_cast<SdlRenderDevice*>(self);
  if (event->type == SDL_RENDER_TARGETS_RESET) device->targetsLost_ = true;
  if (event->type == SDL_RENDER_DEVICE_RESET) device->deviceLost_ = true;
  return 1;
}

bool SdlRenderDevice::MakeRenderer(std::string& error) {
  std::string acceleratedError = "not tried";
  if (!forceSoftware_) {
    renderer_ =
        SDL_CreateRenderer(window_, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_TARGETTEXTURE);
    if (renderer_ == nullptr) acceleratedError = SDL_GetError();
  }
  if (renderer_ == nullptr) {
    renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE | SDL_RENDERER_TARGETTEXTURE);
    if (renderer_ == nullptr) {
      error = "No renderer could be made (accelerated: " + acceleratedError +
              "; software: " + SDL_GetError() + ").";
      return false;
    }
    if (!forceSoftware_ && !softwareNoticeShown_) {
      std::fprintf(stderr, "Vornakel: no accelerated renderer (%s); drawing in software.\n",
                   acceleratedError.c_str());
      softwareNoticeShown_ = true;
    }
  }
  SDL_RendererInfo info;
  glFinish_ = nullptr;
  if (SDL_GetRendererInfo(renderer_, &info) == 0) {
    software_ = (info.flags & SDL_RENDERER_SOFTWARE) != 0;
    int limit = std::min(info.max_texture_width, info.max_texture_height);
    maxTextureSize_ = limit > 0 ? limit : kUnlimitedTextureSize;
    // Only a GL renderer is asked to finish drawing before a frame is held (see ShowFrame).
    if (!software_ && std::string(info.name).rfind("opengl", 0) == 0)
      glFinish_ = reinterpret_cast<GlFinish>(SDL_GL_GetProcAddress("glFinish"));
  } else {
    software_ = forceSoftware_;
    maxTextureSize_ = 2048;
  }
  blendCache_.clear();  // another renderer may support other modes
  vsync_ = false;       // a new renderer starts without; it gets what was asked for
  ApplyVSync();
  return true;
}

bool SdlRenderDevice::SetVSync(bool on) {
  vsyncWanted_ = on;
  ApplyVSync();
  return vsync_ == on;
}

void SdlRenderDevice::ApplyVSync() {
  // A window nobody sees is never presented, so there is no refresh to wait for.
  const bool want = vsyncWanted_ && !offscreen_;
  if (renderer_ == nullptr || want == vsync_) return;
  if (SDL_RenderSetVSync(renderer_, want ? 1 : 0) == 0) {
    vsync_ = want;
    return;
  }
  std::fprintf(stderr, "Vornakel: the display driver does not let vertical sync be %s (%s).\n",
               want ? "turned on" : "turned off", SDL_GetError());
  if (want) vsyncWanted_ = false;
}

bool SdlRenderDevice::MakeTargets(std::string& error) {
  auto target = [&](Texture& t) {
    t.texture = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET,
                                  width_, height_);
    if (t.texture == nullptr) return false;
    // Copied to the window as it is: the back buffer's alpha must not show through.
    SDL_SetTextureBlendMode(t.texture, SDL_BLENDMODE_NONE);
    SDL_SetTextureScaleMode(t.texture, SDL_ScaleModeNearest);
    t.linear = false;
    SDL_SetRenderTarget(renderer_, t.texture);
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    SDL_RenderClear(renderer_);
    return true;
  };
  if (!target(front_) || !target(back_)) {
    error = std::string("The renderer cannot draw into a texture: ") + SDL_GetError();
    return false;
  }
  hasFrame_ = false;

  const uint32_t white = 0xFFFFFFFF;
  white_.texture =
      SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STATIC, 1, 1);
  if (white_.texture == nullptr || SDL_UpdateTexture(white_.texture, nullptr, &white, 4) != 0) {
    error = std::string("The renderer cannot make textures: ") + SDL_GetError();
    return false;
  }
  SDL_SetTextureScaleMode(white_.texture, SDL_ScaleModeNearest);
  white_.linear = false;
  white_.opacity = std::make_unique<OpacityMask>(1, 1, &white);
  return true;
}

void SdlRenderDevice::ReleaseTextures() {
  frame_.clear();
  batchVertices_.clear();
  batchIndices_.clear();
  batchTexture_ = nullptr;
  for (auto& [id, t] : textures_) SDL_DestroyTexture(t.texture);
  textures_.clear();
  for (auto& [key, t] : stretched_) SDL_DestroyTexture(t.texture);
  stretched_.clear();
  for (Texture* t : {&white_, &back_, &front_}) {
    if (t->texture != nullptr) SDL_DestroyTexture(t->texture);
    t->texture = nullptr;
  }
  hasFrame_ = false;
}

void SdlRenderDevice::ReleaseRenderer() {
  if (renderer_ != nullptr) SDL_DestroyRenderer(renderer_);
  renderer_ = nullptr;
}

bool SdlRenderDevice::Ready() const {
  return renderer_ != nullptr && back_.texture != nullptr && !targetsLost_ && !deviceLost_;
}

DeviceState SdlRenderDevice::TestState() {
  return Ready() ? DeviceState::kReady : DeviceState::kNeedsReset;
}

bool SdlRenderDevice::Reset(bool fullScreen) {
  ReleaseTextures();
  bool rebuildRenderer = deviceLost_ || renderer_ == nullptr;
  if (rebuildRenderer) ReleaseRenderer();
  targetsLost_ = false;
  deviceLost_ = false;

  if (fullScreen != fullScreen_) {
    if (SDL_SetWindowFullscreen(window_, fullScreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) == 0) {
      fullScreen_ = fullScreen;
      if (!fullScreen) {
        SDL_SetWindowSize(window_, width_, height_);
        SDL_SetWindowPosition(window_, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
      }
    } else {
      // Not fatal: the game goes on in the mode it had.
      std::fprintf(stderr, "Vornakel: could not switch to %s: %s\n",
                   fullScreen ? "full screen" : "a window", SDL_GetError());
    }
  }

  std::string error;
  if ((rebuildRenderer && !MakeRenderer(error)) || !MakeTargets(error)) {
    std::fprintf(stderr, "Vornakel: could not reset the renderer: %s\n", error.c_str());
    ReleaseTextures();
    ReleaseRenderer();  // the next Reset starts from scratch
    return false;
  }
  return true;
}

void SdlRenderDevice::ShowSystemCursor(bool show) {
  SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE);
}

TextureId SdlRenderDevice::CreateTexture(int width, int height, const uint32_t* argb) {
  if (!Ready() || argb == nullptr || width <= 0 || height <= 0 || width > maxTextureSize_ ||
      height > maxTextureSize_) {
    return 0;
  }
  SDL_Texture* texture = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888,
                                           SDL_TEXTUREACCESS_STATIC, width, height);
  if (texture == nullptr) return 0;
  if (SDL_UpdateTexture(texture, nullptr, argb, width * 4) != 0) {
    SDL_DestroyTexture(texture);
    return 0;
  }
  SDL_SetTextureScaleMode(texture, SDL_ScaleModeNearest);
  TextureId id = nextTextureId_++;
  textures_[id] = Texture{texture, id, false, std::make_unique<OpacityMask>(width, height, argb)};
  return id;
}

void SdlRenderDevice::DestroyTexture(TextureId texture) {
  auto it = textures_.find(texture);
  if (it == textures_.end()) return;
  // Quads kept for the frame's end that show it (or a copy made of it) are drawn now.
  const bool kept = std::any_of(frame_.begin(), frame_.end(), [&](const Piece& p) {
    return p.texture != nullptr && p.texture->id == texture;
  });
  if (kept) DrawFrame();
  if (batchTexture_ == &it->second) Flush();
  for (auto s = stretched_.begin(); s != stretched_.end();) {
    if (s->second.id != texture) {
      ++s;
      continue;
    }
    if (batchTexture_ == &s->second) Flush();
    SDL_DestroyTexture(s->second.texture);
    s = stretched_.erase(s);
  }
  SDL_DestroyTexture(it->second.texture);
  textures_.erase(it);
}

void SdlRenderDevice::Clear(uint32_t argb) {
  if (!Ready()) return;
  if (software_) {
    Flush();
    FillClear({PixelRect{0, 0, width_, height_}}, argb);
    return;
  }
  // Whatever the frame drew so far is wiped out; what the clear itself fills is settled at the end.
  frame_.clear();
  Piece clear;
  const float right = static_cast<float>(width_) - 0.5f,
              bottom = static_cast<float>(height_) - 0.5f;
  const float xs[4] = {-0.5f, right, right, -0.5f}, ys[4] = {-0.5f, -0.5f, bottom, bottom};
  for (int i = 0; i < 4; ++i) {
    clear.corners[i].x = xs[i];
    clear.corners[i].y = ys[i];
    clear.corners[i].color = argb;
  }
  frame_.push_back(clear);
}

void SdlRenderDevice::FillClear(const std::vector<PixelRect>& rects, uint32_t argb) {
  if (rects.empty()) return;
  SDL_Color c = ToSdlColor(argb);
  SDL_SetRenderDrawColor(renderer_, c.r, c.g, c.b, c.a);
  double pixels = 0;
  if (rects.size() == 1 && rects[0] == PixelRect{0, 0, width_, height_}) {
    SDL_RenderClear(renderer_);
    pixels = static_cast<double>(width_) * height_;
  } else {
    std::vector<SDL_Rect>& fill = fillRects_;
    fill.clear();
    for (const PixelRect& r : rects) {
      fill.push_back(SDL_Rect{r.left, r.top, r.right - r.left, r.bottom - r.top});
      pixels += static_cast<double>(r.right - r.left) * (r.bottom - r.top);
    }
    // The clear colour replaces what is there, alpha and all, as a clear does.
    SDL_SetRenderDrawBlendMode(renderer_, SDL_BLENDMODE_NONE);
    SDL_RenderFillRects(renderer_, fill.data(), static_cast<int>(fill.size()));
  }
  if (countFill_) {
    FillCount& count = fill_[kClearFill];
    count.opaque += pixels;
    count.quads += rects.size();
  }
}

SDL_BlendMode SdlRenderDevice::ResolveBlend(BlendFactor source, BlendFactor destination) {
  auto key = std::make_pair(source, destination);
  auto it = blendCache_.find(key);
  if (it != blendCache_.end()) return it->second;
  SDL_BlendMode mode;
  if (source == BlendFactor::kSrcAlpha && destination == BlendFactor::kInvSrcAlpha) {
    mode = SDL_BLENDMODE_BLEND;
  } else {
    // The alpha channel accumulates coverage the usual way; only colour follows the pair.
    mode = SDL_ComposeCustomBlendMode(ToSdl(source), ToSdl(destination), SDL_BLENDOPERATION_ADD,
                                      SDL_BLENDFACTOR_ONE, SDL_BLENDFACTOR_ONE_MINUS_SRC_ALPHA,
                                      SDL_BLENDOPERATION_ADD);
    if (white_.texture == nullptr || SDL_SetTextureBlendMode(white_.texture, mode) != 0) {
      mode = NearestStandardMode(source, destination);
    }
  }
  blendCache_[key] = mode;
  return mode;
}

bool SdlRenderDevice::HasCustomBlending() const {
  if (white_.texture == nullptr) return false;
  SDL_BlendMode mode = SDL_ComposeCustomBlendMode(
      SDL_BLENDFACTOR_ONE, SDL_BLENDFACTOR_ONE, SDL_BLENDOPERATION_ADD, SDL_BLENDFACTOR_ONE,
      SDL_BLENDFACTOR_ONE_MINUS_SRC_ALPHA, SDL_BLENDOPERATION_ADD);
  return SDL_SetTextureBlendMode(white_.texture, mode) == 0;
}

void SdlRenderDevice::SetBlend(BlendFactor source, BlendFactor destination) {
  blend_ = ResolveBlend(source, destination);
}

void SdlRenderDevice::SetLinearFilter(bool linear) {
  linear_ = linear;
}

void SdlRenderDevice::DrawQuad(TextureId texture, const Vertex (&corners)[4]) {
  if (!Ready()) return;
  Texture* t = &white_;
  if (texture != 0) {
    auto it = textures_.find(texture);
    if (it == textures_.end()) return;  // released, or made before a reset
    t = &it->second;
  }
  // A quad with no pixel centre on the back buffer draws nothing.
  float left = corners[0].x, right = left, top = corners[0].y, bottom = top;
  for (const Vertex& v : corners) {
    left = std::min(left, v.x);
    right = std::max(right, v.x);
    top = std::min(top, v.y);
    bottom = std::max(bottom, v.y);
  }
  const float edgeX = static_cast<float>(width_) - 0.5f;
  const float edgeY = static_cast<float>(height_) - 0.5f;
  if (right <= -0.5f || bottom <= -0.5f || left >= edgeX || top >= edgeY) return;

  Vertex trimmed[4];
  const Vertex(*quad)[4] = &corners;
  if (blend_ == SDL_BLENDMODE_BLEND && t->opacity) {
    switch (TrimToVisible(corners, *t->opacity, trimmed)) {
      case VisiblePart::kNothingVisible:
        return;
      case VisiblePart::kTrimmed:
        quad = &trimmed;
        break;
      case VisiblePart::kWhole:
        break;
    }
  }
  Vertex flat[4];
  if (Texture* unstretched = Unstretched(*t, *quad, flat)) {
    t = unstretched;
    quad = &flat;
  }
  // One texel per pixel (and the plain white of untextured quads) looks the same sampled nearest,
  // which costs the rasteriser far less than filtering.
  const bool linear =
      linear_ && t != &white_ &&
      !(t->opacity && ShowsTexelsOneToOne(*quad, t->opacity->Width(), t->opacity->Height()));
  if (blend_ != SDL_BLENDMODE_BLEND || !t->opacity) {
    Queue(t, blend_, *quad, linear);
    return;
  }
  const OpaqueSplit split = SplitOpaque(*quad, *t->opacity, linear, kOpaqueAlpha);
  // SDL's own triangles need not meet without a seam where a quad is cut: take those whole.
  if (software_ && (!split.hasCore || split.blendedCount > 0)) {
    Queue(t, blend_, *quad, linear);
    return;
  }
  if (!split.hasCore) {
    // Opaque in part only: band by band, what hides the background is drawn without blending, and
    // clear margins not at all.
    SplitOpaqueBands(*quad, *t->opacity, linear, kOpaqueAlpha, bands_);
    if (bands_.opaque.empty() && bands_.blended.empty()) {
      Queue(t, blend_, *quad, linear);
      return;
    }
    if (!bands_.opaque.empty()) ++opaqueQuads_;
    for (const BandSplit::Piece& piece : bands_.opaque)
      Queue(t, SDL_BLENDMODE_NONE, piece.corners, linear);
    for (const BandSplit::Piece& piece : bands_.blended)
      Queue(t, SDL_BLENDMODE_BLEND, piece.corners, linear);
    return;
  }
  ++opaqueQuads_;
  // The parts do not overlap, so their order is free: carry on from the quad queued last, so the
  // batches stay long.
  const bool blendedFirst = !frame_.empty() && frame_.back().texture == t &&
                            frame_.back().blend == SDL_BLENDMODE_BLEND &&
                            frame_.back().linear == linear;
  if (!blendedFirst) Queue(t, SDL_BLENDMODE_NONE, split.core, linear);
  for (int i = 0; i < split.blendedCount; ++i)
    Queue(t, SDL_BLENDMODE_BLEND, split.blended[i], linear);
  if (blendedFirst) Queue(t, SDL_BLENDMODE_NONE, split.core, linear);
}

SdlRenderDevice::Texture* SdlRenderDevice::Unstretched(Texture& t, const Vertex (&c)[4],
                                                       Vertex (&out)[4]) {
  if (!linear_ || software_ || !t.opacity || &t == &white_) return nullptr;
  const float w = static_cast<float>(t.opacity->Width());
  const float h = static_cast<float>(t.opacity->Height());
  const float tu0 = c[0].u * w, tu1 = c[1].u * w, tv0 = c[0].v * h, tv1 = c[3].v * h;
  const float width = c[1].x - c[0].x, height = c[3].y - c[0].y;
  auto whole = [](float value) { return std::fabs(value - std::round(value)) < 1e-3f; };
  const bool upright = IsUpright(c, 0);
  // Small or turned quads, mirrored ones and those already one to one are left as they are.
  if (!upright || width < 64 || height < 64 || tu1 <= tu0 || tv1 <= tv0 ||
      std::fabs(width - (tu1 - tu0)) > 1e-3f || !whole(c[0].x + 0.5f) || !whole(tu0) ||
      std::fabs(height - (tv1 - tv0)) < 1e-3f) {
    return nullptr;
  }
  const int first = static_cast<int>(std::floor(c[0].y)) + 1;  // the first pixel centre inside
  const int rows = static_cast<int>(std::ceil(c[3].y)) - first;
  const int columns = static_cast<int>(std::lround(width));
  if (rows <= 0) return nullptr;
  const float place = c[0].y - static_cast<float>(first);  // in [-1, 0)
  auto thousandths = [](float value) { return static_cast<int64_t>(std::lround(value * 1000)); };
  const StretchKey key{t.id,
                       thousandths(tu0),
                       thousandths(tu1),
                       thousandths(tv0),
                       thousandths(tv1),
                       thousandths(height),
                       thousandths(place)};
  auto found = stretched_.find(key);
  if (found == stretched_.end()) {
    // A few pictures are drawn this way (the ground kinds); anything else stays as it was.
    constexpr size_t kMaxStretched = 16;
    if (stretched_.size() >= kMaxStretched) return nullptr;
    Flush();
    SDL_Texture* target = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888,
                                            SDL_TEXTUREACCESS_TARGET, columns, rows);
    if (target == nullptr) return nullptr;
    // The rasteriser filters the stretch into the target exactly as it would onto the screen.
    SDL_SetRenderTarget(renderer_, target);
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 0);
    SDL_RenderClear(renderer_);
    ApplyScaleMode(t, true);
    SDL_SetTextureBlendMode(t.texture, SDL_BLENDMODE_NONE);
    const SDL_Color white{255, 255, 255, 255};
    const float top = place + 0.5f, bottom = place + height + 0.5f;
    const SDL_Vertex v[4] = {{{0, top}, white, {c[0].u, c[0].v}},
                             {{width, top}, white, {c[1].u, c[1].v}},
                             {{width, bottom}, white, {c[2].u, c[2].v}},
                             {{0, bottom}, white, {c[3].u, c[3].v}}};
    const int indices[6] = {0, 1, 2, 0, 2, 3};
    SDL_RenderGeometry(renderer_, t.texture, v, 4, indices, 6);
    std::vector<uint32_t> texels(static_cast<size_t>(columns) * static_cast<size_t>(rows));
    const int read = SDL_RenderReadPixels(renderer_, nullptr, SDL_PIXELFORMAT_ARGB8888,
                                          texels.data(), columns * 4);
    SDL_SetRenderTarget(renderer_, DrawTarget());
    SDL_DestroyTexture(target);
    if (read != 0) return nullptr;
    SDL_Texture* texture = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888,
                                             SDL_TEXTUREACCESS_STATIC, columns, rows);
    if (texture == nullptr) return nullptr;
    if (SDL_UpdateTexture(texture, nullptr, texels.data(), columns * 4) != 0) {
      SDL_DestroyTexture(texture);
      return nullptr;
    }
    SDL_SetTextureScaleMode(texture, SDL_ScaleModeNearest);
    found = stretched_
                .emplace(key, Texture{texture, t.id, false,
                                      std::make_unique<OpacityMask>(columns, rows, texels.data())})
                .first;
  }
  const float ys[4] = {static_cast<float>(first) - 0.5f, static_cast<float>(first) - 0.5f,
                       static_cast<float>(first + rows) - 0.5f,
                       static_cast<float>(first + rows) - 0.5f};
  const float us[4] = {0, 1, 1, 0}, vs[4] = {0, 0, 1, 1};
  for (int i = 0; i < 4; ++i) {
    out[i] = c[i];
    out[i].y = ys[i];
    out[i].u = us[i];
    out[i].v = vs[i];
  }
  return &found->second;
}

void SdlRenderDevice::Queue(Texture* t, SDL_BlendMode blend, const Vertex (&corners)[4],
                            bool linear) {
  // SDL's own triangles need not meet without a seam where a quad is cut: draw them as they come.
  if (software_) {
    Batch(t, blend, corners, linear);
    return;
  }
  Piece& piece = frame_.emplace_back();
  piece.texture = t;
  piece.blend = blend;
  piece.linear = linear;
  std::copy(std::begin(corners), std::end(corners), std::begin(piece.corners));
}

bool SdlRenderDevice::DrawsIntoWindow() {
  // SDL's software renderer and pictures scaled to the window keep the copy.
  if (offscreen_ || keepFrames_ || software_) return false;
  int outW = 0, outH = 0;
  return SDL_GetRendererOutputSize(renderer_, &outW, &outH) == 0 && outW == width_ &&
         outH == height_;
}

void SdlRenderDevice::DrawFrame() {
  if (frame_.empty()) return;
  if (!frameStarted_) {
    frameStarted_ = true;
    intoWindow_ = DrawsIntoWindow();
    if (intoWindow_) SDL_SetRenderTarget(renderer_, nullptr);
  }
  cover_.Reset(width_, height_);
  kept_.clear();
  const PixelRect screen{0, 0, width_, height_};
  for (size_t i = frame_.size(); i-- > 0;) {
    const Piece& piece = frame_[i];
    PixelRect span;
    if (!PixelSpan(piece.corners, span)) {
      // Turned or slanting: kept whole unless something opaque hides all of its bounding box.
      if (!cover_.Covers(span)) kept_.push_back(piece);
      continue;
    }
    cover_.Uncovered(span, rects_);
    const PixelRect onScreen{std::max(span.left, 0), std::max(span.top, 0),
                             std::min(span.right, screen.right),
                             std::min(span.bottom, screen.bottom)};
    if (rects_.size() == 1 && rects_[0] == onScreen) {
      kept_.push_back(piece);
    } else {
      for (const PixelRect& part : rects_) {
        Piece& cut = kept_.emplace_back(piece);
        CutQuad(piece.corners, span, part, cut.corners);
      }
    }
    if (piece.blend == SDL_BLENDMODE_NONE) cover_.Add(span);
  }
  frame_.clear();
  size_t i = kept_.size();
  while (i > 0) {
    const Piece& piece = kept_[--i];
    if (piece.texture != nullptr) {
      Batch(piece.texture, piece.blend, piece.corners, piece.linear);
      continue;
    }
    // The clear's pieces come together: one call fills them all.
    Flush();
    clearRects_.clear();
    PixelRect part;
    PixelSpan(piece.corners, part);
    clearRects_.push_back(part);
    while (i > 0 && kept_[i - 1].texture == nullptr) {
      PixelSpan(kept_[--i].corners, part);
      clearRects_.push_back(part);
    }
    FillClear(clearRects_, piece.corners[0].color);
  }
}

void SdlRenderDevice::Batch(Texture* t, SDL_BlendMode blend, const Vertex (&corners)[4],
                            bool linear) {
  if (!batchVertices_.empty() &&
      (t != batchTexture_ || blend != batchBlend_ || linear != batchLinear_)) {
    Flush();
  }
  if (countFill_) {
    FillCount& count = fill_[t->id];
    (blend == SDL_BLENDMODE_NONE ? count.opaque : count.blended) +=
        CoveredPixels(corners, width_, height_);
    ++count.quads;
  }
  batchTexture_ = t;
  batchBlend_ = blend;
  batchLinear_ = linear;
  int base = static_cast<int>(batchVertices_.size());
  for (const Vertex& v : corners) {
    // The engine puts pixel centres on integer coordinates; SDL puts them half a pixel further on.
    batchVertices_.push_back(SDL_Vertex{{v.x + 0.5f, v.y + 0.5f}, ToSdlColor(v.color), {v.u, v.v}});
  }
  for (int i : {0, 1, 2, 0, 2, 3}) batchIndices_.push_back(base + i);
}

void SdlRenderDevice::ApplyScaleMode(Texture& texture, bool linear) {
  if (texture.linear == linear) return;
  // SDL applies a scale mode at once, not in order with queued draws: let those finish first.
  SDL_RenderFlush(renderer_);
  SDL_SetTextureScaleMode(texture.texture, linear ? SDL_ScaleModeLinear : SDL_ScaleModeNearest);
  texture.linear = linear;
}

void SdlRenderDevice::Flush() {
  if (batchVertices_.empty() || batchTexture_ == nullptr) return;
  SDL_SetTextureBlendMode(batchTexture_->texture, batchBlend_);
  ApplyScaleMode(*batchTexture_, batchLinear_);
  SDL_RenderGeometry(renderer_, batchTexture_->texture, batchVertices_.data(),
                     static_cast<int>(batchVertices_.size()), batchIndices_.data(),
                     static_cast<int>(batchIndices_.size()));
  ++geometryCalls_;
  batchVertices_.clear();
  batchIndices_.clear();
  batchTexture_ = nullptr;
}

void SdlRenderDevice::Present() {
  if (!Ready()) return;
  DrawFrame();
  Flush();
  // Only a started frame can have gone into the window.
  const bool drawnIntoWindow = intoWindow_;
  frameStarted_ = false;
  intoWindow_ = false;
  if (offscreen_) {
    // Nobody sees the window: the finished frame simply becomes the front texture. Switching the
    // target hands the frame to the renderer without waiting for it to be drawn.
    std::swap(back_, front_);
    hasFrame_ = true;
    SDL_SetRenderTarget(renderer_, back_.texture);
    return;
  }
  if (drawnIntoWindow) {
    ShowFrame();
    hasFrame_ = false;  // front_ holds an older frame, if any
  } else {
    ShowInWindow();
    std::swap(back_, front_);
    hasFrame_ = true;
  }
  SDL_SetRenderTarget(renderer_, back_.texture);
}

void SdlRenderDevice::ShowInWindow() {
  SDL_SetRenderTarget(renderer_, nullptr);
  int outW = width_, outH = height_;
  SDL_GetRendererOutputSize(renderer_, &outW, &outH);
  const LetterboxRect box = PlaceBuffer(scaling_, outW, outH, width_, height_);
  // Only bars beside the picture need clearing; a picture that fills the window replaces it all.
  if (box.x > 0 || box.y > 0 || box.x + box.width < outW || box.y + box.height < outH) {
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    SDL_RenderClear(renderer_);
  }
  // Smooth when the picture is scaled by a fraction, exact at 1:1 and at whole sharp steps.
  ApplyScaleMode(back_, NeedsSmoothing(scaling_, box, width_, height_));
  SDL_Rect dst{box.x, box.y, box.width, box.height};
  SDL_RenderCopy(renderer_, back_.texture, nullptr, &dst);
  ShowFrame();
}

void SdlRenderDevice::ShowFrame() {
  // Without vsync the frame loop may hold a finished frame for an even beat: it is drawn to the
  // end first, so the present that follows only hands it to the window. (A software renderer
  // draws as it goes; a GL one needs glFinish.)
  if (beforeShow_ && !vsync_ && (software_ || glFinish_ != nullptr)) {
    SDL_RenderFlush(renderer_);
    if (!software_) glFinish_();
    beforeShow_();
  }
  SDL_RenderPresent(renderer_);
}

void SdlRenderDevice::WaitForTarget(SDL_Texture* target) {
  // Reading a pixel back waits until the renderer has drawn everything into that target.
  if (target != DrawTarget()) SDL_SetRenderTarget(renderer_, target);
  uint32_t pixel = 0;
  SDL_Rect one{0, 0, 1, 1};
  SDL_RenderReadPixels(renderer_, &one, SDL_PIXELFORMAT_ARGB8888, &pixel, 4);
  if (target != DrawTarget()) SDL_SetRenderTarget(renderer_, DrawTarget());
}

void SdlRenderDevice::Finish() {
  if (!Ready()) return;
  DrawFrame();
  Flush();
  WaitForTarget(DrawTarget());
  // The frame presented last may still be drawing when nothing has been drawn since.
  if (hasFrame_) WaitForTarget(front_.texture);
}

bool SdlRenderDevice::ReadFrame(Pixels& out) {
  if (!Ready() || !hasFrame_) return false;
  Flush();
  out.width = width_;
  out.height = height_;
  out.argb.assign(static_cast<size_t>(width_) * height_, 0);
  SDL_SetRenderTarget(renderer_, front_.texture);
  int rc = SDL_RenderReadPixels(renderer_, nullptr, SDL_PIXELFORMAT_ARGB8888, out.argb.data(),
                                width_ * 4);
  SDL_SetRenderTarget(renderer_, DrawTarget());
  if (rc != 0) return false;
  // The back buffer's alpha is a by-product of blending; a frame is opaque.
  for (uint32_t& p : out.argb) p |= 0xFF000000u;
  return true;
}

std::string SdlRenderDevice::RendererName() const {
  SDL_RendererInfo info;
  if (renderer_ == nullptr || SDL_GetRendererInfo(renderer_, &info) != 0) return "";
  return info.name;
}

}  // namespace platform
