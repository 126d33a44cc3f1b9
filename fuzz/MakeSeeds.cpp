// Writes the fuzz targets' seed corpora into a folder, one sub-folder per target, from the game's
// own writers (archive, PNG, settings files, text codec, score payload, replay).
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "FuzzForm.h"
#include "engine/OilArchive.h"
#include "engine/PngCodec.h"
#include "frontend/Settings.h"
#include "game/Replay.h"
#include "online/ScoreClient.h"
#include "online/TextCodec.h"

namespace {

void Write(const std::filesystem::path& dir, const std::string& name, const std::string& bytes) {
  std::filesystem::create_directories(dir);
  std::ofstream(dir / name, std::ios::binary) << bytes;
}

std::string Bytes(const std::vector<uint8_t>& data) {
  return std::string(data.begin(), data.end());
}

std::vector<uint8_t> Picture(int width, int height, uint32_t seed) {
  platform::Pixels pixels;
  pixels.width = width;
  pixels.height = height;
  for (int i = 0; i < width * height; ++i) pixels.argb.push_back(seed * (i + 1) | 0x80000000u);
  return engine::EncodePng(pixels);
}

std::string Request(const std::string& query) {
  return "GET /cgi/version.pl?" + query +
         " HTTP/1.1\r\nHost: scores\r\nX-Real-IP: 10.0.0.7\r\n\r\n";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: fuzz_seeds FOLDER\n";
    return 2;
  }
  const std::filesystem::path out = argv[1];

  std::vector<engine::OilItem> items(2);
  items[0].name = "Truck";
  items[0].png = Picture(2, 2, 0x00345678u);
  items[1].name = "Tiles";
  items[1].png = Picture(4, 2, 0x00123456u);
  items[1].tileWidth = 2;
  items[1].tileHeight = 2;
  items[1].transparent = true;
  items[1].transparentColor = 0x00FF00FFu;
  items[1].filepath = "Data\\tiles.png";
  Write(out / "archive", "two-items", Bytes(engine::WriteOilArchive(items)));
  Write(out / "archive", "empty", Bytes(engine::WriteOilArchive({})));

  Write(out / "png", "2x2", Bytes(Picture(2, 2, 0x00345678u)));
  Write(out / "png", "3x1", Bytes(Picture(3, 1, 0x00ABCDEFu)));

  fuzzform::FormOnNullDevices made;
  Write(out / "config", "defaults", frontend::FormatConfig(made.Form()));
  Write(out / "progress", "defaults", frontend::FormatProgress(made.Form()));

  Write(out / "textcodec", "name", online::encode(online::PadToFive("Kyrrin", '%')));
  Write(out / "textcodec", "plain", "ABCDEFGHJK");

  const std::string code = online::encode(
      online::PadToFive(online::BuildScorePayload("Kyrrin", 777, "tok42", "hi"), '0'));
  Write(out / "payload", "code", code);
  Write(out / "payload", "query", "hs&prg=Vornakel&inf=" + code);
  Write(out / "payload", "easy",
        online::encode(online::PadToFive(
            online::BuildScorePayload("Kyrrin", 777, "tok42", "hi", "easy"), '0')));

  Write(out / "request", "version", Request("version&prg=Vornakel"));
  Write(out / "request", "submit", Request("hs&prg=Vornakel&inf=" + code));
  Write(out / "request", "table", Request("show&type=0&prg=Vornakel"));

  // A race of two frames: a run without input, then a key, a click and a clock call.
  game::Replay replay;
  game::ReplayRace& race = replay.races.emplace_back();
  race.frames.resize(3);
  race.frames[1].repeat = 5;
  race.frames[1].clockAfter = 1;
  race.frames[2].events = {game::ReplayEvent::Of(game::ReplayEvent::Kind::kKeyDown, 38),
                           game::ReplayEvent::Of(game::ReplayEvent::Kind::kMouseDown, 0, 40, 50, 1),
                           game::ReplayEvent::Of(game::ReplayEvent::Kind::kClock, 2)};
  Write(out / "replay", "race", game::EncodeReplay(replay));
  Write(out / "replay", "empty", game::EncodeReplay({}));
  return 0;
}
