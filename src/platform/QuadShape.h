// The shape of a drawn quad: whether it stands upright in one colour, and its parts with the
// texture following.
#pragma once

#include "platform/RenderDevice.h"

namespace platform {

// Top and bottom edges level, sides plumb, and the texture running along them (perhaps mirrored),
// each pair of coordinates within `slack` of each other (0: exactly equal).
bool IsUpright(const Vertex (&corners)[4], float slack);

// All four corners carry the same colour.
bool IsOneColour(const Vertex (&corners)[4]);

// The quad of an upright quad whose corners sit at xs, ys (in corner order), its texture
// coordinates following: along each axis they run steadily from one edge to the other.
void QuadPart(const Vertex (&corners)[4], const float (&xs)[4], const float (&ys)[4],
              Vertex (&out)[4]);

}  // namespace platform
