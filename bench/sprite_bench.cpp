// 2,000 sprites moved and drawn per frame through the real SDL renderer (headless): the submission
// cost on the CPU, and the cost with the frame forced to completion by the (software) GL
// rasteriser.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "engine/OmegaImageList.h"
#include "engine/OmegaScreen.h"
#include "engine/OmegaSprite.h"
#include "platform/sdl/SdlPlatform.h"
#include "platform/sdl/SdlRenderDevice.h"

namespace {

// A sprite that drifts and turns a little every frame, like world objects scrolling past.
class Drifter : public engine::TSprite {
 public:
  Drifter(engine::TOmegaSprite* engine, float dx, float dy) : TSprite(engine), dx_(dx), dy_(dy) {}
  void Move(float) override {
    float x = X + dx_;
    float y = Y + dy_;
    if (x < -64 || x > 800) x = 400;
    if (y < -64 || y > 600) y = 300;
    SetX(x);
    SetY(y);
    Rotation += 0.5f;
  }

 private:
  float dx_;
  float dy_;
};

struct Scene {
  std::unique_ptr<platform::SdlPlatform> sdl;
  std::unique_ptr<engine::TOmegaScreen> screen;
  std::unique_ptr<engine::TOmegaImageList> images;
  std::unique_ptr<engine::TOmegaSprite> sprites;

  Scene() {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    platform::SdlOptions options;
    options.headless = true;
    std::string error;
    sdl = platform::SdlPlatform::Create(options, error);
    if (!sdl) return;
    screen = std::make_unique<engine::TOmegaScreen>(&sdl->Renderer());
    images = std::make_unique<engine::TOmegaImageList>(screen.get());
    platform::Pixels picture{256, 64, {}};
    picture.argb.resize(256 * 64);
    for (int y = 0; y < 64; ++y) {
      for (int x = 0; x < 256; ++x) {
        picture.argb[static_cast<size_t>(y * 256 + x)] =
            0xFF000000u | static_cast<uint32_t>(x) << 16 | static_cast<uint32_t>(y * 4) << 8;
      }
    }
    engine::TImageListItem* item = images->ImageList().Add();
    item->Name = "tiles";
    item->SetPicture(picture);
    item->SetTileWidth(64);
    item->SetTileHeight(64);
    screen->Start();
    screen->SetFilter(true);
    sprites = std::make_unique<engine::TOmegaSprite>();
    uint32_t seed = 1;
    auto next = [&seed](int n) {
      seed = seed * 134775813u + 1;
      return static_cast<int>((static_cast<uint64_t>(seed) * static_cast<uint32_t>(n)) >> 32);
    };
    for (int i = 0; i < 2000; ++i) {
      auto* s = new Drifter(sprites.get(), static_cast<float>(next(7) - 3),
                            static_cast<float>(next(7) - 3));
      s->SetImage(item);
      s->SetPatternIndex(next(4));
      s->SetZ(next(100));
      s->SetX(static_cast<float>(next(800)));
      s->SetY(static_cast<float>(next(600)));
      s->CenterX = s->CenterY = 0.5f;
      s->SetAlpha(128 + next(128));
    }
  }
  ~Scene() {
    sprites.reset();
    images.reset();
    screen.reset();
  }

  void Frame() {
    screen->Clear(0, 0, 0, 0);
    screen->BeginScene();
    sprites->Dead();
    sprites->Move(0);
    sprites->Draw();
    screen->EndScene();
  }
};

Scene& TheScene() {
  static Scene scene;
  return scene;
}

void BM_MoveAndDraw2000Sprites(benchmark::State& state) {
  Scene& scene = TheScene();
  if (!scene.sdl) {
    state.SkipWithError("no SDL renderer");
    return;
  }
  for (auto _ : state) scene.Frame();
  state.counters["renderer_is_software"] = scene.sdl->SdlRenderer().IsSoftware() ? 1 : 0;
}
BENCHMARK(BM_MoveAndDraw2000Sprites)->Unit(benchmark::kMillisecond);

// Only the engine's work: moving the sprites and handing their quads to the renderer (the
// presentation, where the GL driver waits for its rasteriser threads, is left out of the timing).
void BM_Submission2000Sprites(benchmark::State& state) {
  Scene& scene = TheScene();
  if (!scene.sdl) {
    state.SkipWithError("no SDL renderer");
    return;
  }
  for (auto _ : state) {
    scene.screen->Clear(0, 0, 0, 0);
    scene.screen->BeginScene();
    scene.sprites->Move(0);
    scene.sprites->Draw();
    state.PauseTiming();
    scene.screen->EndScene();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_Submission2000Sprites)->Unit(benchmark::kMillisecond);

void BM_MoveAndDraw2000SpritesToCompletion(benchmark::State& state) {
  Scene& scene = TheScene();
  if (!scene.sdl) {
    state.SkipWithError("no SDL renderer");
    return;
  }
  for (auto _ : state) {
    scene.Frame();
    scene.sdl->Renderer().Finish();
  }
}
BENCHMARK(BM_MoveAndDraw2000SpritesToCompletion)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
