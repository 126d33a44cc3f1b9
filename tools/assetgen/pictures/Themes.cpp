// The twelve scenery themes, their light and what glows in them at night.
#include "pictures/Themes.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <utility>

#include "game/ThemeCatalogue.h"
#include "pictures/Manifest.h"
#include "pictures/Style.h"

namespace assetgen {

namespace {

constexpr Rgb kDay{1, 1, 1};

using P = Prop;
using D = Detail;

}  // namespace

// clang-format off
const Theme kThemes[12] = {
    {"meadow",
     {{Hex(0x4E8A36), Hex(0x8DBF5A), D::kGrass, Hex(0x3C6E29), Hex(0xA6D170), Hex(0xFFD84A), false},
      {Hex(0xC79E5E), Hex(0xE8CE95), D::kPebbles, Hex(0x8D7556), Hex(0xF3E2BC), Hex(0x8C7A42), true}},
     Hex(0x3E4249), Hex(0x6A6F78), palette::kRed, palette::kWhite, Hex(0xEDEDE6),
     WallLook::kBlocks, palette::kRed, Hex(0xF2F2EE),
     {{{P::kLeafy, Hex(0x3F8F3A)}, {P::kPine, Hex(0x2F6B3A)}, {P::kClump, Hex(0x4C9A3E)},
       {P::kFlowerBush, Hex(0x4E9A48)}, {P::kBirches, Hex(0x86C45A)}, {P::kAutumnTree, Hex(0xE08A2E)}},
      {{P::kRock, Hex(0x9A8066)}, {P::kCactus, Hex(0x4F9A5A)}, {P::kBoulders, Hex(0xA48A6A)},
       {P::kTumbleweed, Hex(0x9C7B45)}, {P::kBarrelCacti, Hex(0x5E9E55)}, {P::kDeadTree, Hex(0x6E5A44)}},
      {{P::kGable, Hex(0xB5492F)}, {P::kHip, Hex(0x5B6E86)}, {P::kShop, Hex(0xB8B4AA)},
       {P::kBarn, Hex(0x8E2F2A)}, {P::kCottage, Hex(0xD9823B)}, {P::kSilo, Hex(0xE7EBEF)}}},
     kDay, false, false, false},
    {"autumn",
     {{Hex(0x6E5426), Hex(0xA7793A), D::kLeaves, Hex(0xC9571E), Hex(0xF0B43C), Hex(0x9E2E1C), false},
      {Hex(0x55622E), Hex(0x8C8F45), D::kGrass, Hex(0x4A5224), Hex(0xB9A956), Hex(0xE08A2E), false}},
     Hex(0x3F3E40), Hex(0x6B6A6C), Hex(0xE8A42A), Hex(0x2B2B2B), Hex(0xF2E6C8),
     WallLook::kLogs, Hex(0x7A5233), Hex(0x9C6E45),
     {{{P::kAutumnTree, Hex(0xE08A2E)}, {P::kAutumnTree, Hex(0xC8402A)}, {P::kPine, Hex(0x2B5A34)},
       {P::kLeafy, Hex(0xD9A82E)}, {P::kAutumnTree, Hex(0xB8651E)}, {P::kBirches, Hex(0xE2C24A)}},
      {{P::kStump, Hex(0x7A5A3A)}, {P::kRock, Hex(0x7C7A66)}, {P::kBoulders, Hex(0x8A876E)},
       {P::kStump, Hex(0x5E4630)}, {P::kDeadTree, Hex(0x5A4636)}, {P::kFlowerBush, Hex(0x8A6A2A)}},
      {{P::kGable, Hex(0x5A3A2A)}, {P::kBarn, Hex(0x6E2A22)}, {P::kHaystack, Hex(0xD9B25A)},
       {P::kCottage, Hex(0x8A4A2A)}, {P::kHaystack, Hex(0xC9A04A)}, {P::kGable, Hex(0x3F4A3A)}}},
     Hex(0xFFF4E6), false, false, false},
    {"desert",
     {{Hex(0xD6AF6C), Hex(0xF2DDA6), D::kPebbles, Hex(0xA3845A), Hex(0xFFF1D0), Hex(0x9C8444), true},
      {Hex(0xA65A34), Hex(0xD08A58), D::kCracks, Hex(0x7A3E22), Hex(0xE8A878), Hex(0x6A3A22), false}},
     Hex(0x5E5850), Hex(0x8E8476), palette::kRed, palette::kWhite, Hex(0xF6EBD0),
     WallLook::kStone, Hex(0xC9975E), Hex(0xE0B47A),
     {{{P::kPalm, Hex(0x5E9A3A)}, {P::kCactus, Hex(0x4F9A5A)}, {P::kDeadTree, Hex(0x7E6448)},
       {P::kPalm, Hex(0x6FA844)}, {P::kBarrelCacti, Hex(0x5E9E55)}, {P::kCactus, Hex(0x5AA462)}},
      {{P::kRock, Hex(0xB0774E)}, {P::kTumbleweed, Hex(0x9C7B45)}, {P::kBoulders, Hex(0xB8865A)},
       {P::kRock, Hex(0x9A6A48)}, {P::kTumbleweed, Hex(0xB08A52)}, {P::kBoulders, Hex(0xA07050)}},
      {{P::kShop, Hex(0xD8B888)}, {P::kYurt, Hex(0xE6D2A8)}, {P::kShop, Hex(0xC9A070)},
       {P::kHip, Hex(0xC08A5A)}, {P::kYurt, Hex(0xCFAE80)}, {P::kTank, Hex(0xD9D2C4)}}},
     Hex(0xFFFBF0), false, false, false},
    {"snow",
     {{Hex(0xCFDCEA), Hex(0xFFFFFF), D::kSnow, Hex(0xA8BCD6), Hex(0xFFFFFF), Hex(0x8FA8C8), false},
      {Hex(0x9DB8D2), Hex(0xD2E3F2), D::kCracks, Hex(0x7E9CBC), Hex(0xEAF4FF), Hex(0x6E8CAE), false}},
     Hex(0x4E545C), Hex(0x80868E), Hex(0x2F6FC0), palette::kWhite, Hex(0xF4F8FF),
     WallLook::kSnowBank, Hex(0xE8F0FA), Hex(0xB4C8E0),
     {{{P::kPine, Hex(0x2A5A3E)}, {P::kPine, Hex(0x244E36)}, {P::kBirches, Hex(0x8A9A7A)},
       {P::kPine, Hex(0x315F44)}, {P::kDeadTree, Hex(0x5A4A3E)}, {P::kClump, Hex(0x3A6A4A)}},
      {{P::kRock, Hex(0x7A8088)}, {P::kSnowman, Hex(0xF4F8FF)}, {P::kBoulders, Hex(0x868C96)},
       {P::kStump, Hex(0x6A5240)}, {P::kSnowman, Hex(0xEEF4FF)}, {P::kRock, Hex(0x6A7078)}},
      {{P::kGable, Hex(0x8E3A2E)}, {P::kHip, Hex(0x4A5A70)}, {P::kGable, Hex(0x6A3A2A)},
       {P::kBarn, Hex(0x7A2E28)}, {P::kGable, Hex(0x3A4A5E)}, {P::kSilo, Hex(0xD8DEE6)}}},
     Hex(0xF4F8FF), false, false, true},
    {"night",
     {{Hex(0x3E6E34), Hex(0x6E9A52), D::kGrass, Hex(0x2E5A26), Hex(0x8AB866), Hex(0xFFF4C0), false},
      {Hex(0x6A6250), Hex(0x8E8468), D::kPebbles, Hex(0x4E4638), Hex(0xB8AE90), Hex(0x5E5640), false}},
     Hex(0x33363C), Hex(0x575B62), Hex(0xF2C230), Hex(0x2A2A2A), Hex(0xF4E9B0),
     WallLook::kGuardrail, Hex(0xAAB4C0), Hex(0xF2C230),
     {{{P::kLeafy, Hex(0x3F8F3A)}, {P::kPine, Hex(0x2F6B3A)}, {P::kLampPost, Hex(0x3A3F48)},
       {P::kClump, Hex(0x4C9A3E)}, {P::kLampPost, Hex(0x3A3F48)}, {P::kLeafy, Hex(0x4E8A3E)}},
      {{P::kLampPost, Hex(0x3A3F48)}, {P::kRock, Hex(0x8A8070)}, {P::kBoulders, Hex(0x8E8676)},
       {P::kLampPost, Hex(0x3A3F48)}, {P::kBarrels, Hex(0xD33F3A)}, {P::kLampPost, Hex(0x3A3F48)}},
      {{P::kGable, Hex(0xB5492F)}, {P::kHip, Hex(0x5B6E86)}, {P::kShop, Hex(0xB8B4AA)},
       {P::kCottage, Hex(0xD9823B)}, {P::kGable, Hex(0x7A5A8A)}, {P::kHip, Hex(0x8A6A4A)}}},
     Hex(0x3C4A80), true, false, false},
    {"rain",
     {{Hex(0x2C5426), Hex(0x4E7A3C), D::kPuddles, Hex(0x26461F), Hex(0x9AB4C0), Hex(0x5E8A4A), false},
      {Hex(0x54442F), Hex(0x76624A), D::kPuddles, Hex(0x3E3224), Hex(0x9AA8B4), Hex(0x6A5840), false}},
     Hex(0x26292E), Hex(0x474B52), Hex(0xB8433E), Hex(0xD8D8D4), Hex(0xD6D6D0),
     WallLook::kBlocks, Hex(0x8A9098), Hex(0xC8CCD2),
     {{{P::kLeafy, Hex(0x2F6F34)}, {P::kPine, Hex(0x234F30)}, {P::kClump, Hex(0x3A7A3A)},
       {P::kLeafy, Hex(0x3A6A2E)}, {P::kBirches, Hex(0x5E8A44)}, {P::kPine, Hex(0x2A5A36)}},
      {{P::kRock, Hex(0x6E6A64)}, {P::kStump, Hex(0x5A4A3A)}, {P::kBoulders, Hex(0x76726C)},
       {P::kFlowerBush, Hex(0x3A7A3E)}, {P::kRock, Hex(0x5E5A56)}, {P::kStump, Hex(0x4E3E30)}},
      {{P::kGable, Hex(0x6E3A32)}, {P::kHip, Hex(0x4A5668)}, {P::kShop, Hex(0x9A9890)},
       {P::kBarn, Hex(0x5E2A26)}, {P::kCottage, Hex(0x8A5A3A)}, {P::kSilo, Hex(0xB8BEC4)}}},
     Hex(0xC8D0DE), false, true, false},
    {"coast",
     {{Hex(0xE2CB95), Hex(0xF7EBC8), D::kPebbles, Hex(0xC9A878), Hex(0xFFFFFF), Hex(0xE8A8A0), true},
      {Hex(0x1F8FAF), Hex(0x5FD0DC), D::kWaves, Hex(0x177A98), Hex(0xF0FFFF), Hex(0x8AE4EA), false}},
     Hex(0x44484F), Hex(0x70757E), Hex(0x2A6FC8), palette::kWhite, Hex(0xF4F4F0),
     WallLook::kBlocks, Hex(0x2A6FC8), Hex(0xF4F6F8),
     {{{P::kPalm, Hex(0x4E9A3A)}, {P::kPalm, Hex(0x5EAA44)}, {P::kLeafy, Hex(0x5A9A4A)},
       {P::kPalm, Hex(0x46903A)}, {P::kFlowerBush, Hex(0x4E9A48)}, {P::kPalm, Hex(0x6AB04A)}},
      {{P::kParasol, Hex(0xE8503A)}, {P::kBoat, Hex(0x2A6FC8)}, {P::kRock, Hex(0x8E8A80)},
       {P::kParasol, Hex(0x2A9AC8)}, {P::kBoat, Hex(0xE8E2D0)}, {P::kParasol, Hex(0xF2C230)}},
      {{P::kGable, Hex(0x2A6FC8)}, {P::kHip, Hex(0xE8E4DA)}, {P::kCottage, Hex(0x3A8AC8)},
       {P::kShop, Hex(0xEDE8DC)}, {P::kSilo, Hex(0xF4F4F0)}, {P::kGable, Hex(0xD9603A)}}},
     kDay, false, false, false},
    {"city",
     {{Hex(0x83857F), Hex(0xA8A9A2), D::kCracks, Hex(0x5E605A), Hex(0xC4C5BE), Hex(0x3A3C3A), false},
      {Hex(0x62803E), Hex(0x8FA860), D::kGrass, Hex(0x4A6A30), Hex(0xB4C480), Hex(0xF2F0E0), false}},
     Hex(0x35383E), Hex(0x5E636B), Hex(0xF2C230), Hex(0x303030), Hex(0xF2F2EE),
     WallLook::kBlocks, Hex(0xB8B8B2), Hex(0xD8D8D2),
     {{{P::kLeafy, Hex(0x4A8A3A)}, {P::kClump, Hex(0x4C9A3E)}, {P::kLampPost, Hex(0x4A4F58)},
       {P::kLeafy, Hex(0x3F7F36)}, {P::kBirches, Hex(0x7AB050)}, {P::kLampPost, Hex(0x4A4F58)}},
      {{P::kContainer, Hex(0x2A6FC8)}, {P::kBarrels, Hex(0x3A7A3A)}, {P::kContainer, Hex(0xD33F3A)},
       {P::kBarrels, Hex(0x8A8A86)}, {P::kContainer, Hex(0xE8A42A)}, {P::kRock, Hex(0x9A9890)}},
      {{P::kShop, Hex(0xB8B4AA)}, {P::kHip, Hex(0x5B6E86)}, {P::kShop, Hex(0x9AA0A8)},
       {P::kGable, Hex(0x9A4A3A)}, {P::kShop, Hex(0xC8C0B0)}, {P::kHip, Hex(0x6A6A70)}}},
     kDay, false, false, false},
    {"steppe",
     {{Hex(0xB09A52), Hex(0xD8C67C), D::kGrass, Hex(0x8C7A3C), Hex(0xEAD890), Hex(0xC9583A), false},
      {Hex(0x86663E), Hex(0xA8875A), D::kPebbles, Hex(0x6A4E30), Hex(0xC8AE84), Hex(0x8A7444), false}},
     Hex(0x45464A), Hex(0x727377), palette::kRed, palette::kWhite, Hex(0xF2ECDA),
     WallLook::kTyres, Hex(0x2A2A2E), Hex(0xE8E4DA),
     {{{P::kLeafy, Hex(0x7A8A3A)}, {P::kDeadTree, Hex(0x6E5A44)}, {P::kFlowerBush, Hex(0x8A9A44)},
       {P::kLeafy, Hex(0x6A7A34)}, {P::kDeadTree, Hex(0x7E6A50)}, {P::kBirches, Hex(0x9AA84A)}},
      {{P::kTumbleweed, Hex(0x9C7B45)}, {P::kHaystack, Hex(0xD9B25A)}, {P::kRock, Hex(0x9A8066)},
       {P::kTumbleweed, Hex(0xB08A52)}, {P::kHaystack, Hex(0xC9A04A)}, {P::kBoulders, Hex(0xA48A6A)}},
      {{P::kYurt, Hex(0xEDE4D0)}, {P::kBarn, Hex(0x8E5A2A)}, {P::kYurt, Hex(0xE0D2B4)},
       {P::kSilo, Hex(0xD8D2C0)}, {P::kHaystack, Hex(0xD9B25A)}, {P::kYurt, Hex(0xD8C8A8)}}},
     Hex(0xFFF8EA), false, false, false},
    {"mountain",
     {{Hex(0x77797B), Hex(0xA6A7A5), D::kPebbles, Hex(0x5A5C5E), Hex(0xCFD0CC), Hex(0x6E7060), false},
      {Hex(0x5A7A40), Hex(0x86A464), D::kGrass, Hex(0x46642E), Hex(0xAAC47C), Hex(0xB48AE0), false}},
     Hex(0x3E4147), Hex(0x696D74), palette::kRed, palette::kWhite, Hex(0xEEEEE8),
     WallLook::kStone, Hex(0x8A8C90), Hex(0xA8AAAE),
     {{{P::kPine, Hex(0x2A5A3A)}, {P::kPine, Hex(0x22503A)}, {P::kPine, Hex(0x336A44)},
       {P::kClump, Hex(0x3A6A3E)}, {P::kPine, Hex(0x2E5E40)}, {P::kBirches, Hex(0x6A9A50)}},
      {{P::kBoulders, Hex(0x8A8C8E)}, {P::kRock, Hex(0x7A7C80)}, {P::kRock, Hex(0x9A9C9E)},
       {P::kBoulders, Hex(0x6E7074)}, {P::kRock, Hex(0x84868A)}, {P::kStump, Hex(0x6A5240)}},
      {{P::kGable, Hex(0x6A4A32)}, {P::kHip, Hex(0x5A5E66)}, {P::kGable, Hex(0x7A5236)},
       {P::kBarn, Hex(0x5E3E2A)}, {P::kCottage, Hex(0x6A4A32)}, {P::kHip, Hex(0x7A7E84)}}},
     Hex(0xF2F6FF), false, false, false},
    {"swamp",
     {{Hex(0x4A5230), Hex(0x6E7444), D::kReeds, Hex(0x3A4424), Hex(0x9AA060), Hex(0x6A5A34), false},
      {Hex(0x2A3C30), Hex(0x46584A), D::kPuddles, Hex(0x22302A), Hex(0x8AA08A), Hex(0x5E8A3E), false}},
     Hex(0x34373A), Hex(0x5A5E60), Hex(0xC8B42A), Hex(0x2E3A2A), Hex(0xD8D8C0),
     WallLook::kLogs, Hex(0x5A4630), Hex(0x6E5A3E),
     {{{P::kLeafy, Hex(0x4E5E2A)}, {P::kDeadTree, Hex(0x4E4030)}, {P::kLeafy, Hex(0x5E6A30)},
       {P::kClump, Hex(0x3E5A2E)}, {P::kDeadTree, Hex(0x5A4A3A)}, {P::kLeafy, Hex(0x44522A)}},
      {{P::kReeds, Hex(0x7A8A3A)}, {P::kStump, Hex(0x4E3E2A)}, {P::kReeds, Hex(0x8A9A4A)},
       {P::kBoulders, Hex(0x5E6458)}, {P::kReeds, Hex(0x6A7A34)}, {P::kStump, Hex(0x5A4834)}},
      {{P::kGable, Hex(0x5A4A34)}, {P::kBarn, Hex(0x4A3A2A)}, {P::kReeds, Hex(0x7A8A3A)},
       {P::kGable, Hex(0x4A4030)}, {P::kStump, Hex(0x5A4834)}, {P::kHaystack, Hex(0x8A8A4A)}}},
     Hex(0xDCE6C8), false, false, false},
    {"industry",
     {{Hex(0x6E5640), Hex(0x947658), D::kPebbles, Hex(0x4E3A2A), Hex(0xB89A78), Hex(0x3A3028), false},
      {Hex(0x6E7072), Hex(0x929496), D::kCracks, Hex(0x4A4C4E), Hex(0xB0B2B4), Hex(0x24221E), false}},
     Hex(0x303236), Hex(0x55585E), Hex(0xF2C230), Hex(0x222222), Hex(0xF2D85A),
     WallLook::kGuardrail, Hex(0x8A949E), Hex(0xF2C230),
     {{{P::kDeadTree, Hex(0x5A4A3A)}, {P::kClump, Hex(0x4E6A3A)}, {P::kLampPost, Hex(0x4A4F58)},
       {P::kLeafy, Hex(0x5A6E3A)}, {P::kDeadTree, Hex(0x4E4034)}, {P::kLampPost, Hex(0x4A4F58)}},
      {{P::kBarrels, Hex(0xD33F3A)}, {P::kContainer, Hex(0x2A6FC8)}, {P::kBarrels, Hex(0x2A6FC8)},
       {P::kContainer, Hex(0xB8652A)}, {P::kBarrels, Hex(0xE8A42A)}, {P::kContainer, Hex(0x3A7A4A)}},
      {{P::kTank, Hex(0xC8CCD0)}, {P::kShop, Hex(0x8A8E94)}, {P::kSilo, Hex(0xB8BEC4)},
       {P::kTank, Hex(0xD8C8A8)}, {P::kBarn, Hex(0x6A5A4E)}, {P::kShop, Hex(0x9A8A7A)}}},
     Hex(0xEAE2D2), false, false, false},
};
// clang-format on

static_assert(std::size(kThemes) == game::kSceneryThemeCount);
static_assert(kNightTheme >= 0 && kNightTheme < game::kSceneryThemeCount);

const Theme& ThemeOf(const Picture& pic) {
  return kThemes[std::clamp(pic.theme, 0, game::kSceneryThemeCount - 1)];
}

Rgb Lit(const Theme& theme, Rgb c) {
  return Rgb{c.r * theme.light.r, c.g * theme.light.g, c.b * theme.light.b};
}

void ApplyLight(cairo_surface_t* surface, const Theme& theme) {
  const Rgb l = theme.light;
  if (l.r >= 1 && l.g >= 1 && l.b >= 1) return;
  const uint32_t mr = static_cast<uint32_t>(std::lround(l.r * 256));
  const uint32_t mg = static_cast<uint32_t>(std::lround(l.g * 256));
  const uint32_t mb = static_cast<uint32_t>(std::lround(l.b * 256));
  cairo_surface_flush(surface);
  unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  const int w = cairo_image_surface_get_width(surface), h = cairo_image_surface_get_height(surface);
  // Premultiplied channels only shrink, so they stay within their alpha.
  for (int y = 0; y < h; ++y) {
    auto* row = reinterpret_cast<uint32_t*>(data + static_cast<size_t>(y) * stride);
    for (int x = 0; x < w; ++x) {
      const uint32_t p = row[x];
      const uint32_t r = ((p >> 16) & 0xFF) * mr >> 8, g = ((p >> 8) & 0xFF) * mg >> 8;
      const uint32_t b = (p & 0xFF) * mb >> 8;
      row[x] = (p & 0xFF000000u) | (r << 16) | (g << 8) | b;
    }
  }
  cairo_surface_mark_dirty(surface);
}

namespace {

// A warm pool of lamp light.
void LampPool(cairo_t* cr, double cx, double cy, double radius, double alpha) {
  Glow(cr, cx, cy, radius, Hex(0xFFD98A), alpha);
}

}  // namespace

void PaintLampLight(cairo_t* cr, const Picture& pic, int pattern) {
  const Theme& theme = ThemeOf(pic);
  const double w = pic.tileWidth, h = pic.tileHeight;
  if (pic.paint == PaintRoadPiece) {
    PaintRoadLamps(cr, pic);
  } else if (pic.paint == PaintWall) {
    for (double y = 14; y < h; y += 36) Glow(cr, w / 2, y, 5, Hex(0xFFB030), 1);  // reflectors
  } else if (pic.paint == PaintScenery) {
    const PropLook& look = theme.props[std::clamp(pic.variant, 0, 2)][pattern];
    if (look.prop == Prop::kLampPost) {
      LampPool(cr, w / 2, h / 2, w * 0.48, 0.55);
      Glow(cr, w / 2, h / 2, 9, Hex(0xFFF6D8), 1);
    } else if (look.prop == Prop::kGable || look.prop == Prop::kHip || look.prop == Prop::kShop ||
               look.prop == Prop::kCottage) {
      // Light from the windows spills out round the house.
      Glow(cr, w * 0.5, h * 0.8, w * 0.15, Hex(0xFFC860), 0.5);
      Glow(cr, w * 0.16, h * 0.5, w * 0.14, Hex(0xFFC860), 0.4);
    }
  } else if (pic.paint == PaintDashboard) {
    // The speed dial and the three read-outs glow for the driver.
    Glow(cr, 683, 510 - 431, 70, Hex(0x7AC8FF), 0.4);
    for (const auto& [x, y] : {std::pair{103.0, 506.0}, {98.0, 537.0}, {114.0, 568.0}})
      Glow(cr, x, y - 431, 42, Hex(0xFFB040), 0.35);
  }
}

}  // namespace assetgen
