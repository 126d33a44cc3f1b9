// The replay file: a small header, then the races as variable-length numbers, deflated.
#include "game/Replay.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>

namespace game {

namespace {

constexpr char kMagic[4] = {'V', 'R', 'P', 'L'};
// Magic, format version (2), logic version, body length, body CRC, deflated length.
constexpr size_t kHeaderSize = 4 + 2 + 4 + 4 + 4 + 4;
// No replay body is this large (an hour of racing with a key pressed every frame is ~10 MB): a
// header that says more is damaged, and must not make us allocate it.
constexpr uint32_t kMaxBody = 64u << 20;
// Frames and events one race may hold: a day at 90 frames a second.
constexpr uint64_t kMaxFramesPerRace = 90ull * 60 * 60 * 24;

// How a frame is written: a run of identical frames without input, or one frame with input.
constexpr uint8_t kOpRun = 0;
constexpr uint8_t kOpFrame = 1;
// A race's summary: a road code is ten characters; a date past the year 9999 is no date.
constexpr uint64_t kMaxRoadCodeText = 64;
constexpr uint64_t kLatestDate = 253402300799;

class Writer {
 public:
  void Byte(uint8_t v) { out_.push_back(static_cast<char>(v)); }
  void Unsigned(uint64_t v) {
    while (v >= 0x80) {
      Byte(static_cast<uint8_t>(v | 0x80));
      v >>= 7;
    }
    Byte(static_cast<uint8_t>(v));
  }
  void Signed(int32_t v) {
    const uint32_t u = static_cast<uint32_t>(v);
    Unsigned((u << 1) ^ (v < 0 ? 0xFFFFFFFFu : 0u));
  }
  void Bits(const std::array<bool, 256>& bits) {
    for (size_t i = 0; i < bits.size(); i += 8) {
      uint8_t v = 0;
      for (size_t j = 0; j < 8; ++j) v |= static_cast<uint8_t>(bits[i + j] ? 1u << j : 0u);
      Byte(v);
    }
  }
  std::string& Out() { return out_; }

 private:
  std::string out_;
};

class Reader {
 public:
  explicit Reader(const std::string& in) : in_(in) {}
  bool ok() const { return ok_; }
  bool AtEnd() const { return pos_ == in_.size(); }
  uint8_t Byte() {
    if (pos_ >= in_.size()) {
      ok_ = false;
      return 0;
    }
    return static_cast<uint8_t>(in_[pos_++]);
  }
  uint64_t Unsigned() {
    uint64_t v = 0;
    for (int shift = 0; shift < 64 && ok_; shift += 7) {
      const uint8_t b = Byte();
      v |= static_cast<uint64_t>(b & 0x7F) << shift;
      if ((b & 0x80) == 0) return v;
    }
    ok_ = false;
    return 0;
  }
  uint32_t Unsigned32() {
    const uint64_t v = Unsigned();
    if (v > 0xFFFFFFFFu) ok_ = false;
    return static_cast<uint32_t>(v);
  }
  int32_t Signed() {
    const uint32_t u = Unsigned32();
    return static_cast<int32_t>((u >> 1) ^ (0u - (u & 1u)));
  }
  void Bits(std::array<bool, 256>& bits) {
    for (size_t i = 0; i < bits.size(); i += 8) {
      const uint8_t v = Byte();
      for (size_t j = 0; j < 8; ++j) bits[i + j] = (v >> j & 1u) != 0;
    }
  }
  std::string Text(size_t length) {
    if (length > in_.size() - pos_) {
      ok_ = false;
      return {};
    }
    std::string text = in_.substr(pos_, length);
    pos_ += length;
    return text;
  }

 private:
  const std::string& in_;
  size_t pos_ = 0;
  bool ok_ = true;
};

// The start's numbers in file order; a new field goes at the end with a new format version.
template <class Start>
auto StartNumbers(Start& s) {
  return std::array{&s.level,
                    &s.score,
                    &s.lives,
                    &s.parameters.OpponentsPerRace,
                    &s.parameters.RoadLength,
                    &s.parameters.RoadMinRun,
                    &s.parameters.RoadMaxRun,
                    &s.parameters.RacePrizeBase,
                    &s.parameters.BonusParamA,
                    &s.parameters.BonusParamB,
                    &s.parameters.TimeLimitMin,
                    &s.parameters.TimeLimitSec,
                    &s.parameters.TimeLimitHund,
                    &s.parameters.PlayerPattern,
                    &s.selectedTruck,
                    &s.selectedTrack,
                    &s.tracksOpen,
                    &s.trucksOpen,
                    &s.unlockLevel,
                    &s.nextUnlockScore,
                    &s.delayCounter,
                    &s.finishPlace};
}

void WriteEvent(Writer& w, const ReplayEvent& e) {
  using Kind = ReplayEvent::Kind;
  w.Byte(static_cast<uint8_t>(e.kind));
  switch (e.kind) {
    case Kind::kKeyDown:
    case Kind::kKeyUp:
    case Kind::kClock:
      w.Signed(e.a);
      break;
    case Kind::kText:
      w.Unsigned(e.text.size());
      w.Out() += e.text;
      break;
    case Kind::kMouseMove:
      w.Signed(e.a);
      w.Signed(e.b);
      break;
    case Kind::kMouseDown:
    case Kind::kMouseUp:
      w.Signed(e.a);
      w.Signed(e.b);
      w.Signed(e.c);
      if (e.kind == Kind::kMouseDown) w.Signed(e.d);
      break;
    case Kind::kControllerLost:
      break;
  }
}

bool ReadEvent(Reader& r, ReplayEvent& e) {
  using Kind = ReplayEvent::Kind;
  const uint8_t kind = r.Byte();
  if (kind > static_cast<uint8_t>(Kind::kClock)) return false;
  e.kind = static_cast<Kind>(kind);
  switch (e.kind) {
    case Kind::kKeyDown:
    case Kind::kKeyUp:
    case Kind::kClock:
      e.a = r.Signed();
      break;
    case Kind::kText:
      e.text = r.Text(static_cast<size_t>(r.Unsigned()));
      break;
    case Kind::kMouseMove:
      e.a = r.Signed();
      e.b = r.Signed();
      break;
    case Kind::kMouseDown:
    case Kind::kMouseUp:
      e.a = r.Signed();
      e.b = r.Signed();
      e.c = r.Signed();
      if (e.kind == Kind::kMouseDown) e.d = r.Signed();
      break;
    case Kind::kControllerLost:
      break;
  }
  return r.ok();
}

void WriteRace(Writer& w, const ReplayRace& race, uint16_t format) {
  const RaceStart& start = race.start;
  w.Unsigned(start.randSeed);
  for (const int32_t* value : StartNumbers(start)) w.Signed(*value);
  w.Byte(start.difficulty);
  w.Byte(static_cast<uint8_t>(start.devKeys | start.devWinUsed << 1 | start.clockRunning << 2 |
                              race.startedInFrame << 3));
  w.Bits(start.keyDown);
  w.Bits(start.keyReleased);
  w.Unsigned(race.frames.size());
  for (const ReplayFrame& frame : race.frames) {
    w.Unsigned(frame.clockBefore);
    if (frame.events.empty()) {
      w.Byte(kOpRun);
      w.Unsigned(frame.repeat);
    } else {
      w.Byte(kOpFrame);
      w.Unsigned(frame.events.size());
      for (const ReplayEvent& e : frame.events) WriteEvent(w, e);
    }
    w.Unsigned(frame.clockAfter);
  }
  if (format < 2) return;
  const RaceSummary& summary = race.summary;
  w.Unsigned(static_cast<uint64_t>(std::max<int64_t>(summary.recordedUtc, 0)));
  w.Signed(summary.place);
  w.Signed(summary.raceHund);
  w.Unsigned(summary.roadCode.size());
  w.Out() += summary.roadCode;
}

bool ReadRace(Reader& r, ReplayRace& race, uint16_t format) {
  RaceStart& start = race.start;
  start.randSeed = r.Unsigned32();
  for (int32_t* value : StartNumbers(start)) *value = r.Signed();
  start.difficulty = r.Byte();
  const uint8_t flags = r.Byte();
  start.devKeys = (flags & 1) != 0;
  start.devWinUsed = (flags & 2) != 0;
  start.clockRunning = (flags & 4) != 0;
  race.startedInFrame = (flags & 8) != 0;
  r.Bits(start.keyDown);
  r.Bits(start.keyReleased);
  const uint64_t count = r.Unsigned();
  if (!r.ok() || count == 0 || count > kMaxFramesPerRace) return false;
  uint64_t total = 0;
  for (uint64_t i = 0; i < count && r.ok(); ++i) {
    ReplayFrame frame;
    frame.clockBefore = r.Unsigned32();
    const uint8_t op = r.Byte();
    if (op == kOpRun) {
      frame.repeat = r.Unsigned32();
      if (frame.repeat == 0 || (i == 0 && frame.repeat != 1)) return false;
    } else if (op == kOpFrame) {
      const uint64_t events = r.Unsigned();
      if (events == 0 || events > kMaxFramesPerRace) return false;
      for (uint64_t k = 0; k < events; ++k) {
        if (!ReadEvent(r, frame.events.emplace_back())) return false;
      }
    } else {
      return false;
    }
    frame.clockAfter = r.Unsigned32();
    total += frame.repeat;
    if (total > kMaxFramesPerRace) return false;
    race.frames.push_back(std::move(frame));
  }
  if (format < 2) return r.ok();
  RaceSummary& summary = race.summary;
  const uint64_t when = r.Unsigned();
  summary.recordedUtc = when > kLatestDate ? 0 : static_cast<int64_t>(when);
  summary.place = r.Signed();
  summary.raceHund = r.Signed();
  const uint64_t codeLength = r.Unsigned();
  if (!r.ok() || codeLength > kMaxRoadCodeText) return false;
  summary.roadCode = r.Text(static_cast<size_t>(codeLength));
  return r.ok();
}

void PutU32(std::string& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>(v >> (8 * i) & 0xFF));
}

uint32_t GetU32(const std::string& in, size_t at) {
  uint32_t v = 0;
  for (int i = 0; i < 4; ++i) v |= static_cast<uint32_t>(static_cast<uint8_t>(in[at + i])) << 8 * i;
  return v;
}

uint32_t Crc(const std::string& bytes) {
  return static_cast<uint32_t>(crc32(crc32(0L, Z_NULL, 0),
                                     reinterpret_cast<const Bytef*>(bytes.data()),
                                     static_cast<uInt>(bytes.size())));
}

}  // namespace

uint64_t ReplayRace::FrameCount() const {
  uint64_t count = 0;
  for (size_t i = 1; i < frames.size(); ++i) count += frames[i].repeat;
  return count;
}

std::string EncodeReplay(const Replay& replay, uint16_t format) {
  format = std::clamp<uint16_t>(format, 1, kReplayFormatVersion);
  Writer w;
  w.Unsigned(replay.races.size());
  for (const ReplayRace& race : replay.races) WriteRace(w, race, format);
  const std::string& body = w.Out();
  uLongf packedSize = compressBound(static_cast<uLong>(body.size()));
  std::string packed(packedSize, '\0');
  if (compress2(reinterpret_cast<Bytef*>(packed.data()), &packedSize,
                reinterpret_cast<const Bytef*>(body.data()), static_cast<uLong>(body.size()),
                Z_BEST_COMPRESSION) != Z_OK) {
    return {};
  }
  packed.resize(packedSize);
  std::string out(kMagic, sizeof kMagic);
  out.push_back(static_cast<char>(format & 0xFF));
  out.push_back(static_cast<char>(format >> 8));
  PutU32(out, kLogicVersion);
  PutU32(out, static_cast<uint32_t>(body.size()));
  PutU32(out, Crc(body));
  PutU32(out, static_cast<uint32_t>(packed.size()));
  return out + packed;
}

ReplayError DecodeReplay(const std::string& bytes, Replay& replay) {
  replay = Replay{};
  if (bytes.size() < sizeof kMagic || std::memcmp(bytes.data(), kMagic, sizeof kMagic) != 0)
    return ReplayError::kNotAReplay;
  if (bytes.size() < kHeaderSize) return ReplayError::kDamaged;
  const uint16_t format =
      static_cast<uint16_t>(static_cast<uint8_t>(bytes[4]) | static_cast<uint8_t>(bytes[5]) << 8);
  if (format > kReplayFormatVersion) return ReplayError::kNewerFormat;
  if (format == 0) return ReplayError::kDamaged;
  if (GetU32(bytes, 6) != kLogicVersion) return ReplayError::kOtherLogic;
  const uint32_t bodySize = GetU32(bytes, 10);
  const uint32_t bodyCrc = GetU32(bytes, 14);
  const uint32_t packedSize = GetU32(bytes, 18);
  // Deflate packs at most about a thousand to one.
  if (bodySize > kMaxBody || packedSize != bytes.size() - kHeaderSize ||
      bodySize / 1024 > packedSize)
    return ReplayError::kDamaged;
  std::string body(bodySize, '\0');
  uLongf unpacked = bodySize;
  if (uncompress(reinterpret_cast<Bytef*>(body.data()), &unpacked,
                 reinterpret_cast<const Bytef*>(bytes.data() + kHeaderSize), packedSize) != Z_OK ||
      unpacked != bodySize || Crc(body) != bodyCrc) {
    return ReplayError::kDamaged;
  }
  Reader r(body);
  const uint64_t races = r.Unsigned();
  if (!r.ok() || races > 100000) return ReplayError::kDamaged;
  Replay decoded;
  for (uint64_t i = 0; i < races; ++i) {
    if (!ReadRace(r, decoded.races.emplace_back(), format)) return ReplayError::kDamaged;
  }
  if (!r.ok() || !r.AtEnd()) return ReplayError::kDamaged;
  replay = std::move(decoded);
  return ReplayError::kNone;
}

const char* ReplayErrorText(ReplayError error) {
  switch (error) {
    case ReplayError::kNone:
      return "no error";
    case ReplayError::kNotAReplay:
      return "not a replay file";
    case ReplayError::kNewerFormat:
      return "the replay file is of a newer format";
    case ReplayError::kOtherLogic:
      return "the replay was recorded by another version of the game";
    case ReplayError::kDamaged:
      break;
  }
  return "the replay file is damaged";
}

}  // namespace game
