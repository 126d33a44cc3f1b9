// The trucks' engines and knocks, steered from the race each frame; nothing here changes the race.
#include "game/TruckSounds.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "game/EnemyCar.h"
#include "game/MainForm.h"
#include "game/Player.h"

namespace game {
namespace {

// How loud an opponent's engine is right beside the player, and where it can no longer be heard.
constexpr float kOpponentEngineGain = 0.45f;
constexpr double kEngineHearing = 900;
// Knocks: the speed (px/frame) of the hardest one, the softest still heard, and how far away an
// opponent's knock can be heard.
constexpr double kHardKnock = 7;
constexpr double kSoftestKnock = 0.6;
constexpr double kKnockHearing = 700;

double DistanceToPlayer(const RaceState& race, const TCar& truck) {
  if (race.Player == nullptr) return 0;
  const Point2 a = truck.Centre();
  const Point2 b = race.Player->Centre();
  return std::hypot(a.x - b.x, a.y - b.y);
}

const TEnemyCar* Opponent(const RaceState& race, int32_t slot) {
  if (slot < 0 || slot >= std::min(race.OpponentCount, kOpponentSlots)) return nullptr;
  return race.Opponents[static_cast<size_t>(slot)];
}

engine::TSoundListItem* Sound(TForm1& form, const char* name) {
  return form.Sound3D.SoundList.Find(name);
}

}  // namespace

EngineNote EngineNoteFor(double load, double throttle) {
  const double t = std::clamp(throttle, 0.0, 1.0);
  const double rpm = std::clamp(load, 0.0, 1.4) + 0.12 * t;
  const double strokes = 30 + 60 * rpm;
  const double x = std::clamp((strokes - 42) / 24, 0.0, 1.0);
  const double blend = x * x * (3 - 2 * x);
  // Under load the engine is louder; the loops sit under the effects.
  const double loud = 0.6 * (0.55 + 0.3 * std::min(rpm, 1.0) + 0.15 * t);
  EngineNote note;
  note.idleGain = static_cast<float>(loud * (1 - blend));
  note.idleRate = static_cast<float>(strokes / 30);
  note.revGain = static_cast<float>(loud * blend);
  note.revRate = static_cast<float>(strokes / 80);
  return note;
}

float StepToward(float level, float target, float step) {
  if (level < target) return std::min(level + step, target);
  return std::max(level - step, target);
}

bool KnockLimiter::Allow(int32_t truck, int64_t frame) {
  if (truck < 0 || truck >= static_cast<int32_t>(last_.size())) return false;
  int64_t& last = last_[static_cast<size_t>(truck)];
  if (frame - last < kKnockGapFrames) return false;
  last = frame;
  return true;
}

void TruckSounds::Drive(TForm1& form, Engine& engine, const TCar* truck, float target) {
  if (truck != nullptr) {
    const auto model = static_cast<size_t>(std::clamp(truck->TruckIndex, 0, kTruckModelCount - 1));
    const double top = std::max(form.Race.TruckModels[model].MaxSpeed, 1.0);
    engine.load = std::fabs(truck->Speed) / top;
    engine.throttle = StepToward(engine.throttle, truck->Accel > 0 ? 1.0f : 0.0f, 0.08f);
  }
  const float was = engine.level;
  engine.level = StepToward(engine.level, target, 1.0f / kEngineFadeFrames);
  if (engine.level == 0 && was == 0) return;
  engine::TSoundListItem* idle = Sound(form, "s1");
  engine::TSoundListItem* rev = Sound(form, "s2");
  if (idle == nullptr || rev == nullptr) return;
  if (engine.idle == 0) engine.idle = idle->StartVoice();
  if (engine.rev == 0) engine.rev = rev->StartVoice();
  const EngineNote note = EngineNoteFor(engine.load, engine.throttle);
  idle->SetVoice(engine.idle, note.idleGain * engine.level, note.idleRate);
  rev->SetVoice(engine.rev, note.revGain * engine.level, note.revRate);
}

void TruckSounds::AssignOpponents(TForm1& form, float master) {
  const RaceState& race = form.Race;
  const bool racing =
      (form.GameState == gsRace || form.GameState == gsExploded) && race.Player != nullptr;
  // The nearest opponents within hearing, nearest first.
  std::vector<std::pair<double, int32_t>> nearest;
  for (int32_t slot = 0; racing && slot < std::min(race.OpponentCount, kOpponentSlots); ++slot) {
    const TEnemyCar* car = Opponent(race, slot);
    const double d = car != nullptr ? DistanceToPlayer(race, *car) : kEngineHearing;
    if (d < kEngineHearing) nearest.emplace_back(d, slot);
  }
  std::sort(nearest.begin(), nearest.end());
  nearest.resize(std::min<size_t>(nearest.size(), engines_.size() - 1));

  std::array<bool, kEngines> kept{};
  for (const auto& [distance, slot] : nearest) {
    // An engine keeps its truck while that stays near; a new one takes an engine only once its
    // last truck has faded out, so no engine jumps from one note to another.
    Engine* engine = nullptr;
    for (size_t i = 1; i < engines_.size() && engine == nullptr; ++i) {
      if (engines_[i].slot == slot) engine = &engines_[i];
    }
    for (size_t i = 1; i < engines_.size() && engine == nullptr; ++i) {
      if (engines_[i].level == 0 && !kept[i]) engine = &engines_[i];
    }
    if (engine == nullptr) continue;
    engine->slot = slot;
    kept[static_cast<size_t>(engine - engines_.data())] = true;
    const double near = 1 - distance / kEngineHearing;
    Drive(form, *engine, Opponent(race, slot),
          master * kOpponentEngineGain * static_cast<float>(near * near));
  }
  for (size_t i = 1; i < engines_.size(); ++i) {
    if (!kept[i]) Drive(form, engines_[i], racing ? Opponent(race, engines_[i].slot) : nullptr, 0);
  }
}

void TruckSounds::Update(TForm1& form) {
  ++frame_;
  const float master = form.SoundOn ? 1.0f : 0.0f;
  // A wreck has no engine; the race around it goes on.
  const TPlayer* player = form.GameState == gsRace ? form.Race.Player : nullptr;
  Drive(form, engines_[0], player, player != nullptr ? master : 0.0f);
  AssignOpponents(form, master);
}

void TruckSounds::Knock(TForm1& form, const TCar& truck, double strength) {
  if (!form.SoundOn || strength < kSoftestKnock) return;
  double gain = std::min(strength / kHardKnock, 1.0);
  int32_t id = 0;
  if (&truck != form.Race.Player) {
    const auto* opponent = dynamic_cast<const TEnemyCar*>(&truck);
    if (opponent == nullptr) return;
    id = 1 + opponent->OpponentSlot;
    gain *= std::max(0.0, 1 - DistanceToPlayer(form.Race, truck) / kKnockHearing);
  }
  if (gain < 0.05 || !limiter_.Allow(id, frame_)) return;
  if (engine::TSoundListItem* hit = Sound(form, "hit")) hit->Play(static_cast<float>(gain));
}

void TruckSounds::WallKnock(TForm1& form, const TCar& truck, double speed, double facing) {
  // Head-on hits at full weight; a scrape along the wall still grinds a little.
  const double into = std::max(0.0, speed < 0 ? -facing : facing);
  Knock(form, truck, std::fabs(speed) * (0.25 + 0.75 * into));
}

void TruckSounds::TruckKnock(TForm1& form, const TCar& truck, double closingSpeed) {
  Knock(form, truck, closingSpeed);
}

}  // namespace game
