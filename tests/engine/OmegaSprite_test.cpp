// Sprite engine: rounding, Z order, the dead list, pass semantics, setters and collision.
#include "engine/OmegaSprite.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

namespace {

using engine::EngineRound;
using engine::TOmegaSprite;
using engine::TSprite;

// Records the order of Move and Draw calls.
class Probe : public TSprite {
 public:
  Probe(TOmegaSprite* engine, std::vector<Probe*>* log, int z = 0) : TSprite(engine), log_(log) {
    SetZ(z);
  }
  void Move(float) override {
    log_->push_back(this);
    if (onMove) onMove(*this);
  }
  void OnCollision(TSprite& other, int32_t x, int32_t y) override {
    hits.push_back({&other, x, y});
  }
  struct Hit {
    TSprite* other;
    int32_t x, y;
  };
  std::vector<Hit> hits;
  std::function<void(Probe&)> onMove;

 private:
  std::vector<Probe*>* log_;
};

std::vector<TSprite*> Order(const TOmegaSprite& e) {
  std::vector<TSprite*> out;
  for (int i = 0; i < e.Count(); ++i) out.push_back(e.Sprites(i));
  return out;
}

TEST(EngineRoundTest, RoundsHalfAwayFromZeroAfterFourDecimals) {
  EXPECT_EQ(EngineRound(2.5), 3);
  EXPECT_EQ(EngineRound(-2.5), -3);
  EXPECT_EQ(EngineRound(2.49999), 3);
  EXPECT_EQ(EngineRound(2.4999), 2);
  EXPECT_EQ(EngineRound(-2.4999), -2);
  EXPECT_EQ(EngineRound(0.0), 0);
  EXPECT_EQ(EngineRound(395.7f), 396);
}

// The rounding as the engine has always done it, through the library's nearest-even rounding.
int32_t LibraryRound(double value) {
  const double shifted = value >= 0 ? value + 0.5 : value - 0.5;
  return static_cast<int32_t>(std::trunc(std::nearbyint(shifted * 10000.0) / 10000.0));
}

TEST(EngineRoundTest, AgreesWithLibraryRoundingAtTiesAndAtRandom) {
  uint32_t seed = 17;
  auto next = [&seed](double range) {
    seed = seed * 134775813u + 1;
    return static_cast<double>(seed) / 4294967296.0 * range;
  };
  for (int i = 0; i < 100000; ++i) {
    const double anywhere = next(20000) - 10000;
    // Halves of the fourth decimal and of the pixel, where ties to even decide.
    const double tie = std::floor(next(20000) - 10000) / 10000 + 0.00005;
    const double half = std::floor(next(2000) - 1000) + 0.5;
    ASSERT_EQ(EngineRound(anywhere), LibraryRound(anywhere)) << anywhere;
    ASSERT_EQ(EngineRound(tie), LibraryRound(tie)) << tie;
    ASSERT_EQ(EngineRound(half), LibraryRound(half)) << half;
    const auto f = static_cast<float>(anywhere);
    ASSERT_EQ(EngineRound(f), LibraryRound(f)) << f;
  }
  EXPECT_EQ(EngineRound(-0.00004), 0);
}

TEST(SpriteEngineTest, EqualZGoesUnderAndReKeyingMovesToBottom) {
  TOmegaSprite engine;
  std::vector<Probe*> log;
  auto* a = new Probe(&engine, &log, 5);
  auto* b = new Probe(&engine, &log, 5);
  auto* c = new Probe(&engine, &log, 5);
  EXPECT_EQ(Order(engine), (std::vector<TSprite*>{c, b, a}));
  b->SetZ(5);
  EXPECT_EQ(Order(engine), (std::vector<TSprite*>{c, b, a}));
  b->SetZ(6);
  EXPECT_EQ(Order(engine), (std::vector<TSprite*>{c, a, b}));
  b->SetZ(5);
  EXPECT_EQ(Order(engine), (std::vector<TSprite*>{b, c, a}));
  auto* low = new Probe(&engine, &log, -3);
  auto* high = new Probe(&engine, &log, 100);
  EXPECT_EQ(engine.Sprites(0), low);
  EXPECT_EQ(engine.Sprites(4), high);
  EXPECT_EQ(engine.Sprites(5), nullptr);
  EXPECT_EQ(engine.Sprites(-1), nullptr);
}

TEST(SpriteEngineTest, DeadSpritesStayForTheFrameAndGoAtTheNextDeadPass) {
  TOmegaSprite engine;
  std::vector<Probe*> log;
  auto* a = new Probe(&engine, &log);
  auto* b = new Probe(&engine, &log);
  b->onMove = [](Probe& self) { self.Dead(); };
  engine.Move(0);
  EXPECT_EQ(engine.Count(), 2);
  EXPECT_TRUE(b->IsDead);
  b->Dead();  // a second mark must not free it twice
  engine.Dead();
  EXPECT_EQ(Order(engine), (std::vector<TSprite*>{a}));
  delete a;  // freeing directly unlinks it
  EXPECT_EQ(engine.Count(), 0);
  engine.Dead();
}

TEST(SpriteEngineTest, SpriteCreatedDuringAPassShiftsTheRestAndCountIsReadOnce) {
  TOmegaSprite engine;
  std::vector<Probe*> log;
  auto* a = new Probe(&engine, &log, 1);
  auto* b = new Probe(&engine, &log, 2);
  Probe* born = nullptr;
  a->onMove = [&](Probe&) {
    if (born == nullptr) born = new Probe(&engine, &log, 0);
  };
  engine.Move(0);
  // The newcomer lands at index 0, so a is visited twice and b not at all in this pass.
  EXPECT_EQ(log, (std::vector<Probe*>{a, a}));
  log.clear();
  engine.Move(0);
  EXPECT_EQ(log, (std::vector<Probe*>{born, a, b}));
}

TEST(SpriteTest, SettersKeepCornersRectAndColoursInStep) {
  TOmegaSprite engine;
  TSprite* s = new TSprite(&engine);
  s->SetX(100.4f);
  s->SetY(-20.6f);
  EXPECT_EQ(s->CollideRect().Left, 100);
  EXPECT_EQ(s->CollideRect().Right, 110);
  EXPECT_EQ(s->CollideRect().Top, -21);
  EXPECT_FLOAT_EQ(s->X3, 110.4f);
  EXPECT_FLOAT_EQ(s->MidY, -15.6f);
  s->SetWidth(64);
  EXPECT_EQ(s->CollideRect().Right, 164);
  EXPECT_FLOAT_EQ(s->MidX, 105.4f);  // refreshed only by the next SetX
  s->SetAlpha(128);
  s->SetRed(300);
  EXPECT_EQ(s->Color1, 0x802CFFFFu);
  EXPECT_EQ(s->Color4, s->Color1);
}

TEST(SpriteTest, RectangleCollisionCallsBothSidesUnlessDeadOrNotColliding) {
  TOmegaSprite engine;
  std::vector<Probe*> log;
  auto* a = new Probe(&engine, &log);
  auto* b = new Probe(&engine, &log);
  a->Collide = b->Collide = true;
  a->Visible = false;  // hidden sprites still collide
  a->SetX(0);
  a->SetY(0);
  b->SetX(9);
  b->SetY(9);
  a->Collision(*b);
  ASSERT_EQ(a->hits.size(), 1u);
  ASSERT_EQ(b->hits.size(), 1u);
  EXPECT_EQ(a->hits[0].other, b);
  b->SetX(10);  // touching edges have no area
  a->Collision(*b);
  EXPECT_EQ(a->hits.size(), 1u);
  b->SetX(5);
  b->PixelCheckOnly = true;  // partner without PixelCheck: never a hit
  a->Collision(*b);
  EXPECT_EQ(a->hits.size(), 1u);
  b->PixelCheckOnly = false;
  b->Dead();
  a->Collision(*b);
  EXPECT_EQ(a->hits.size(), 1u);
}

}  // namespace
