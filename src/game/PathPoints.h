// The race path: one point per road piece through the middle of the road, the running length
// along it, how a truck's progress is measured against it, and where the finish line goes.
#pragma once

#include "game/RaceState.h"
#include "game/RoadGeometry.h"

namespace game {

class TForm1;

// Points 1..RoadPieceCount at mid-height of each plan piece, then eight more straight up; (x0, y0)
// is the road centre at the bottom edge of plan piece 0.
void BuildPath(RaceState& race, double x0, double y0);
// PathLength[k]: length up to point k in tenths of a pixel.
void MeasurePath(RaceState& race);
// Moves every path point with the world by the player's scroll and push of this frame.
void ScrollPath(TForm1& form);
// Creates the finish line across the straights that end the plan.
void PlaceFinishLine(TForm1& form, double x0, double y0);

struct PathProgress {
  double Progress = 0;
  Point2 A;  // nearest path point
  Point2 B;  // the point after it (point 1 after the last)
};

// Distance along the path of a point: the nearest path point's length plus the signed distance
// of its projection on the segment to the next point. False while there is no path.
bool MeasureProgress(const RaceState& race, const Point2& centre, PathProgress& result);

// The length the radar strip spans: up to ten points before the end, or the whole path when it is
// shorter. 0 when there is nothing to span.
double RadarScale(const RaceState& race);

}  // namespace game
