// Shapes the roadside painters share, and the natural and the built things they draw.
#pragma once

#include <cairo.h>

#include "pictures/Canvas.h"
#include "pictures/Themes.h"

namespace assetgen {

// A soft shadow pooled under an object (scenery turns at random, so it lies right beneath).
void GroundShadow(cairo_t* cr, double cx, double cy, double r);
// A ball of foliage lit from its upper-left.
void Foliage(cairo_t* cr, double cx, double cy, double r, Rgb c);

// Trees, plants, rocks and the like centred in an S x S tile; false for a built thing.
bool DrawNature(cairo_t* cr, double s, const PropLook& look, Rng& rng);
// Houses, tanks, containers, lamps and the other built things (SceneryBuilt.cpp).
void DrawBuilt(cairo_t* cr, double s, const PropLook& look, Rng& rng);

}  // namespace assetgen
