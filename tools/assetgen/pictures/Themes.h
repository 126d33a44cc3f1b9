// The scenery themes' looks: ground, road, walls, roadside things and light of each of the twelve.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <string_view>

#include "pictures/Canvas.h"

namespace assetgen {

struct Picture;

// Small things strewn over a terrain.
enum class Detail : uint8_t {
  kGrass,    // tufts and a few flowers
  kPebbles,  // pebbles and dry tufts
  kLeaves,   // fallen leaves
  kSnow,     // glints and blue hollows
  kPuddles,  // standing water with a sheen
  kCracks,   // cracks and oil stains
  kWaves,    // wave crests on shallow water
  kReeds,    // reed clumps
};

// One of the two terrains of the ground plan (terrain 0 and terrain 1).
struct Terrain {
  Rgb low, high;  // the darkest and lightest ground
  Detail detail;
  Rgb a, b, c;   // the detail's colours (dark, light, accent)
  bool ripples;  // wind ripples across it (sand)
};

enum class WallLook : uint8_t { kBlocks, kLogs, kSnowBank, kTyres, kStone, kGuardrail };

// Roadside things, drawn on the 128 x 128 tiles of "trees", "desert" and "houses".
enum class Prop : uint8_t {
  kLeafy,
  kPine,
  kClump,
  kFlowerBush,
  kBirches,
  kAutumnTree,
  kRock,
  kCactus,
  kBoulders,
  kTumbleweed,
  kBarrelCacti,
  kDeadTree,
  kGable,
  kHip,
  kShop,
  kBarn,
  kCottage,
  kSilo,
  kPalm,
  kSnowman,
  kReeds,
  kBarrels,
  kTank,
  kLampPost,
  kParasol,
  kBoat,
  kStump,
  kContainer,
  kYurt,
  kHaystack,
};

struct PropLook {
  Prop prop;
  Rgb colour;
};

struct Theme {
  std::string_view name;
  Terrain ground[2];
  Rgb asphaltLow, asphaltHigh;
  Rgb kerbA, kerbB;  // the kerb's stripes
  Rgb line;          // edge lines and centre dashes
  WallLook wall;
  Rgb wallA, wallB;
  PropLook props[3][6];  // "trees", "desert", "houses": six patterns each
  Rgb light;             // multiplies every colour of the theme's pictures (white: daylight)
  bool lamps;            // night: lamp light on the road, lit walls, lamps and dashboard
  bool wet;              // rain: puddles and a sheen on the road
  bool snowy;            // snow settles on the roadside things and along the kerbs
};

// By theme index, in the order of the game's theme catalogue (meadow first).
extern const Theme kThemes[12];

// The theme a themed picture is drawn for.
const Theme& ThemeOf(const Picture& pic);
// A colour under the theme's light.
Rgb Lit(const Theme& theme, Rgb c);
// Multiplies every pixel of the surface by the theme's light.
void ApplyLight(cairo_surface_t* surface, const Theme& theme);
// What glows at night over the lit picture: lamp pools, reflectors, windows, the dashboard's dials.
void PaintLampLight(cairo_t* cr, const Picture& pic, int pattern);

// Lamp light along both kerbs of a road piece, and the kerbs' reflectors (Road.cpp).
void PaintRoadLamps(cairo_t* cr, const Picture& pic);

// Draws one roadside thing centred in an S x S tile (Scenery.cpp).
void DrawProp(cairo_t* cr, double s, const PropLook& look, Rng& rng);

}  // namespace assetgen
