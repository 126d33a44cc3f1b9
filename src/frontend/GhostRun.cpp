// The ghost of a seed race: its quiet form, the lockstep with the player's clock, its sprite.
#include "frontend/GhostRun.h"

#include <cstdio>
#include <utility>

#include "engine/Random.h"
#include "frontend/Frontend.h"
#include "frontend/MenuKit.h"
#include "frontend/Profiles.h"
#include "frontend/RoadBest.h"
#include "game/FinishLine.h"
#include "game/GhostClock.h"
#include "game/Player.h"
#include "game/ReplayPlayer.h"
#include "game/SpriteSetup.h"
#include "platform/null/NullAudioDevice.h"
#include "platform/null/NullPlatform.h"
#include "platform/null/NullRenderDevice.h"
#include "platform/null/VirtualClock.h"

namespace frontend {

namespace {

using game::TForm1;

constexpr const char* kSection = "general";
constexpr const char* kKey = "ghost";
// Drawn before the trucks (50), after the road, the pickups, the finish line and the shadows.
constexpr int32_t kGhostZ = 49;
// Half seen, and a little blue, so it never passes for a real truck.
constexpr int32_t kGhostAlpha = 128;
constexpr int32_t kGhostRed = 170;
constexpr int32_t kGhostGreen = 210;
// A recorded pause can hold thousands of frames without clock: the ghost catches up over a few
// of the player's frames rather than stalling one.
constexpr int32_t kMaxStepsPerFrame = 1000;

game::RaceMoment MomentOf(const TForm1& form, bool over) {
  return {.elapsedHund = form.Race.ElapsedHund, .screenTick = form.ScreenTick, .over = over};
}

// The ghost's truck in the player's race: drawn by the race's sprite engine as a layer of its own
// (never a sprite in its list, so the race moves exactly as it would without it). Each time it is
// drawn the ghost first catches up with the player's clock.
class GhostLayer {
 public:
  GhostLayer(TForm1& form, std::unique_ptr<GhostRun> run)
      : form_(form), run_(std::move(run)), truck_(nullptr) {}
  void Draw() {
    run_->CatchUp(form_);
    const std::optional<GhostPose> pose = run_->PoseFor(form_);
    if (!pose) return;
    if (truck_.Image == nullptr || truck_.Image->Name != pose->picture) {
      game::SetPicture(truck_, game::GameImage(form_, pose->picture));
      truck_.SetAlpha(kGhostAlpha);
      truck_.SetRed(kGhostRed);
      truck_.SetGreen(kGhostGreen);
    }
    truck_.SetPatternIndex(pose->pattern);
    truck_.SetX(pose->x);
    truck_.SetY(pose->y);
    truck_.Rotation = pose->rotation;
    truck_.CenterX = pose->centerX;
    truck_.CenterY = pose->centerY;
    truck_.Draw();
  }

 private:
  TForm1& form_;
  std::unique_ptr<GhostRun> run_;
  // Belongs to no engine: drawn here alone.
  engine::TSprite truck_;
};

}  // namespace

bool GhostShownIn(const IniDocument& ini) {
  return ini.Get(kSection, kKey).value_or("shown") != "hidden";
}

void SetGhostShown(IniDocument& ini, bool shown) {
  ini.Set(kSection, kKey, shown ? "shown" : "hidden");
}

// The devices come first: the form goes before them.
struct GhostRun::Session {
  platform::NullRenderDevice device;
  platform::NullFontRasterizer fonts;
  platform::VirtualClock clock;
  platform::StderrShell shell;
  platform::NullAudioDevice audio{&clock};
  game::ReplayRace race;
  std::unique_ptr<TForm1> form;
  std::unique_ptr<game::ReplayPlayer> player;
  uint32_t seed = 0;
  bool over = false;
};

GhostRun::GhostRun(std::unique_ptr<Session> session) : session_(std::move(session)) {}

GhostRun::~GhostRun() {
  Session& s = *session_;
  engine::LentGenerator own(s.seed);
  s.player.reset();
  if (s.form != nullptr) s.form->FormDestroy();
  s.form.reset();
}

std::unique_ptr<GhostRun> GhostRun::Start(game::Language language, game::ReplayRace race) {
  auto session = std::make_unique<Session>();
  Session& s = *session;
  s.race = std::move(race);
  std::unique_ptr<GhostRun> run(new GhostRun(std::move(session)));
  engine::LentGenerator own(s.seed);
  s.form = std::make_unique<TForm1>(
      game::PlatformServices{&s.device, &s.fonts, &s.clock, &s.shell, &s.audio});
  TForm1& form = *s.form;
  RegisterFrontend(form);
  MakeQuiet(form);
  form.Lang = language;
  form.FixedSeed = true;
  form.NeverVSync = true;
  form.FormCreate();
  if (form.Closed()) return nullptr;
  s.player = std::make_unique<game::ReplayPlayer>(form, s.race);
  s.player->Begin();
  return run;
}

void GhostRun::CatchUp(const TForm1& player) {
  Session& s = *session_;
  const game::RaceMoment playerMoment = MomentOf(player, false);
  if (!game::GhostBehind(MomentOf(*s.form, s.over), playerMoment)) return;
  engine::LentGenerator own(s.seed);
  for (int32_t i = 0; i < kMaxStepsPerFrame; ++i) {
    if (!s.player->Step()) s.over = true;
    // Over the line its clock stops: it waits there.
    if (s.form->Race.Paused) s.over = true;
    if (!game::GhostBehind(MomentOf(*s.form, s.over), playerMoment)) break;
  }
}

std::optional<GhostPose> GhostRun::PoseFor(const TForm1& player) const {
  const TForm1& ghost = *session_->form;
  const game::TPlayer* truck = ghost.Race.Player;
  const game::TFinishLine* mine = player.Race.FinishLine;
  const game::TFinishLine* theirs = ghost.Race.FinishLine;
  if (truck == nullptr || !truck->Visible || truck->Image == nullptr || mine == nullptr ||
      theirs == nullptr)
    return std::nullopt;
  return GhostPose{
      .x = truck->X + (mine->X - theirs->X),
      .y = truck->Y + (mine->Y - theirs->Y),
      .rotation = truck->Rotation,
      .centerX = truck->CenterX,
      .centerY = truck->CenterY,
      .picture = truck->Image->Name,
      .pattern = truck->PatternIndex,
  };
}

void StartGhost(TForm1& form) {
  if (!form.SeedRace.GhostShown || form.Menu.ProfileCount <= 0) return;
  std::optional<game::ReplayRace> race =
      LoadRoadBest(CurrentProfileName(form.Menu), form.SeedRace.Code);
  if (!race) return;
  std::unique_ptr<GhostRun> run = GhostRun::Start(form.Lang, std::move(*race));
  if (run == nullptr) {
    std::fprintf(stderr, "vornakel: the ghost could not be set up\n");
    return;
  }
  auto layer = std::make_shared<GhostLayer>(form, std::move(run));
  form.OmegaSprite1.Layer = {.Z = kGhostZ, .Draw = [layer] { layer->Draw(); }};
}

}  // namespace frontend
