// Upright, one-colour quads and their parts.
#include "platform/QuadShape.h"

#include <cmath>

namespace platform {

bool IsUpright(const Vertex (&c)[4], float slack) {
  auto near = [slack](float a, float b) { return std::fabs(a - b) <= slack; };
  return near(c[0].y, c[1].y) && near(c[3].y, c[2].y) && near(c[0].x, c[3].x) &&
         near(c[1].x, c[2].x) && near(c[0].u, c[3].u) && near(c[1].u, c[2].u) &&
         near(c[0].v, c[1].v) && near(c[3].v, c[2].v);
}

bool IsOneColour(const Vertex (&c)[4]) {
  return c[0].color == c[1].color && c[0].color == c[2].color && c[0].color == c[3].color;
}

void QuadPart(const Vertex (&c)[4], const float (&xs)[4], const float (&ys)[4], Vertex (&out)[4]) {
  auto u = [&](float x) { return c[0].u + (x - c[0].x) * (c[1].u - c[0].u) / (c[1].x - c[0].x); };
  auto v = [&](float y) { return c[0].v + (y - c[0].y) * (c[3].v - c[0].v) / (c[3].y - c[0].y); };
  for (int i = 0; i < 4; ++i) {
    out[i] = c[i];
    out[i].x = xs[i];
    out[i].y = ys[i];
    out[i].u = u(xs[i]);
    out[i].v = v(ys[i]);
  }
}

}  // namespace platform
