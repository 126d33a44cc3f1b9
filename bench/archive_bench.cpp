// Reading a ~10 MB image archive: the raw archive parse alone, and the full load with PNG decoding.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <vector>

#include "engine/Messages.h"
#include "engine/OilArchive.h"
#include "engine/OmegaImageList.h"
#include "engine/PngCodec.h"

namespace {

// Noise barely compresses, so 64 pictures of 256 x 256 make an archive of about 10 MB.
const std::vector<uint8_t>& NoisyArchive() {
  static const std::vector<uint8_t> archive = [] {
    std::vector<engine::OilItem> items;
    uint32_t seed = 12345;
    for (int i = 0; i < 64; ++i) {
      platform::Pixels picture{256, 256, {}};
      picture.argb.resize(256 * 256);
      for (uint32_t& pixel : picture.argb) {
        seed = seed * 134775813u + 1;
        pixel = seed | 0xFF000000u;
      }
      engine::OilItem item;
      item.name = "picture" + std::to_string(i);
      item.png = engine::EncodePng(picture);
      item.tileWidth = 64;
      item.tileHeight = 64;
      items.push_back(std::move(item));
    }
    return engine::WriteOilArchive(items);
  }();
  return archive;
}

void BM_ReadArchive(benchmark::State& state) {
  const std::vector<uint8_t>& archive = NoisyArchive();
  for (auto _ : state) {
    std::vector<engine::OilItem> items;
    std::string error;
    const bool ok = engine::ReadOilArchive(archive.data(), archive.size(), items, error);
    benchmark::DoNotOptimize(ok);
    benchmark::DoNotOptimize(items.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(archive.size()));
  state.counters["archive_MB"] = static_cast<double>(archive.size()) / (1024.0 * 1024.0);
}
BENCHMARK(BM_ReadArchive)->Unit(benchmark::kMillisecond);

void BM_LoadCollection(benchmark::State& state) {
  const std::vector<uint8_t>& archive = NoisyArchive();
  for (auto _ : state) {
    engine::TImageListCollection collection;
    const bool ok = collection.LoadFromStream(archive);
    benchmark::DoNotOptimize(ok);
    benchmark::DoNotOptimize(collection.Items(0));
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(archive.size()));
}
BENCHMARK(BM_LoadCollection)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
