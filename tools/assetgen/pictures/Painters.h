// The painter functions the manifest names; each draws one pattern of a picture into its tile.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <string_view>

namespace assetgen {

enum class Archive : uint8_t {
  kMenu,   // Data/data1.oil, the menu image list
  kRace,   // Data/data2.oil, the race image list
  kTheme,  // Data/theme_NAME.oil, one per scenery theme, looked up before the race list
};

struct Picture;

// Draws pattern Pattern of Pic with the tile's top-left at (0, 0), clipped to the tile.
using Painter = void (*)(cairo_t* cr, const Picture& pic, int pattern);

// Menu screens and their parts.
void PaintGlyph(cairo_t* cr, const Picture& pic, int pattern);
void PaintLogo(cairo_t* cr, const Picture& pic, int pattern);
void PaintMainBack(cairo_t* cr, const Picture& pic, int pattern);
void PaintMenuBackground(cairo_t* cr, const Picture& pic, int pattern);
void PaintCursor(cairo_t* cr, const Picture& pic, int pattern);
void PaintGlint(cairo_t* cr, const Picture& pic, int pattern);
void PaintChooseLine(cairo_t* cr, const Picture& pic, int pattern);
void PaintStatBar(cairo_t* cr, const Picture& pic, int pattern);
void PaintHelpPage(cairo_t* cr, const Picture& pic, int pattern);
void PaintHiScoreScreen(cairo_t* cr, const Picture& pic, int pattern);
void PaintQuestion(cairo_t* cr, const Picture& pic, int pattern);
void PaintAddProfile(cairo_t* cr, const Picture& pic, int pattern);
void PaintSeedRace(cairo_t* cr, const Picture& pic, int pattern);
void PaintReplayList(cairo_t* cr, const Picture& pic, int pattern);
void PaintOptions(cairo_t* cr, const Picture& pic, int pattern);
void PaintProfileList(cairo_t* cr, const Picture& pic, int pattern);
void PaintControls(cairo_t* cr, const Picture& pic, int pattern);
void PaintTrackChoice(cairo_t* cr, const Picture& pic, int pattern);
void PaintTruckChoice(cairo_t* cr, const Picture& pic, int pattern);
void PaintTrackMap(cairo_t* cr, const Picture& pic, int pattern);
void PaintTrackLocked(cairo_t* cr, const Picture& pic, int pattern);
void PaintTruckPortrait(cairo_t* cr, const Picture& pic, int pattern);

// Widgets.
void PaintButton(cairo_t* cr, const Picture& pic, int pattern);
void PaintArrowButton(cairo_t* cr, const Picture& pic, int pattern);
void PaintLinkButton(cairo_t* cr, const Picture& pic, int pattern);
void PaintSlotMark(cairo_t* cr, const Picture& pic, int pattern);
void PaintLogoButton(cairo_t* cr, const Picture& pic, int pattern);
void PaintEditBox(cairo_t* cr, const Picture& pic, int pattern);
void PaintVolumeBar(cairo_t* cr, const Picture& pic, int pattern);

// In-race overlays.
void PaintRaceVeil(cairo_t* cr, const Picture& pic, int pattern);
void PaintYourScore(cairo_t* cr, const Picture& pic, int pattern);
void PaintRaceOver(cairo_t* cr, const Picture& pic, int pattern);
void PaintRaceNotice(cairo_t* cr, const Picture& pic, int pattern);

// Heads-up display.
void PaintDashboard(cairo_t* cr, const Picture& pic, int pattern);
void PaintProgressStrip(cairo_t* cr, const Picture& pic, int pattern);
void PaintPanel(cairo_t* cr, const Picture& pic, int pattern);
void PaintHealthBar(cairo_t* cr, const Picture& pic, int pattern);
void PaintNeedle(cairo_t* cr, const Picture& pic, int pattern);
void PaintReverseLamp(cairo_t* cr, const Picture& pic, int pattern);
void PaintBlip(cairo_t* cr, const Picture& pic, int pattern);
void PaintStartRing(cairo_t* cr, const Picture& pic, int pattern);
void PaintDust(cairo_t* cr, const Picture& pic, int pattern);
void PaintArrows(cairo_t* cr, const Picture& pic, int pattern);
void PaintGroundPoint(cairo_t* cr, const Picture& pic, int pattern);
void PaintLightHousing(cairo_t* cr, const Picture& pic, int pattern);
void PaintSignalGlow(cairo_t* cr, const Picture& pic, int pattern);

// Trucks.
void PaintTruck(cairo_t* cr, const Picture& pic, int pattern);
void PaintTruckShadow(cairo_t* cr, const Picture& pic, int pattern);
void PaintTruckWreck(cairo_t* cr, const Picture& pic, int pattern);
void PaintWreckSmoke(cairo_t* cr, const Picture& pic, int pattern);

// Road and scenery.
void PaintRoadPiece(cairo_t* cr, const Picture& pic, int pattern);
void PaintGround(cairo_t* cr, const Picture& pic, int pattern);
void PaintWall(cairo_t* cr, const Picture& pic, int pattern);
void PaintGridBox(cairo_t* cr, const Picture& pic, int pattern);
void PaintChequer(cairo_t* cr, const Picture& pic, int pattern);
void PaintFinishSensor(cairo_t* cr, const Picture& pic, int pattern);
void PaintScenery(cairo_t* cr, const Picture& pic, int pattern);

// Pickups, hazards and explosions.
void PaintCoin(cairo_t* cr, const Picture& pic, int pattern);
void PaintPuddle(cairo_t* cr, const Picture& pic, int pattern);
void PaintManhole(cairo_t* cr, const Picture& pic, int pattern);
void PaintBomb(cairo_t* cr, const Picture& pic, int pattern);
void PaintRepair(cairo_t* cr, const Picture& pic, int pattern);
void PaintLife(cairo_t* cr, const Picture& pic, int pattern);
void PaintExtraTime(cairo_t* cr, const Picture& pic, int pattern);
void PaintSpikes(cairo_t* cr, const Picture& pic, int pattern);
void PaintBoost(cairo_t* cr, const Picture& pic, int pattern);
void PaintBoxes(cairo_t* cr, const Picture& pic, int pattern);
void PaintBarrier(cairo_t* cr, const Picture& pic, int pattern);
void PaintExplosion(cairo_t* cr, const Picture& pic, int pattern);

}  // namespace assetgen
