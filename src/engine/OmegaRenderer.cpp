// TOmegaRenderer: builds one textured, coloured quad at a time and sends it through the screen.
#include "engine/OmegaRenderer.h"

#include <cmath>

#include "engine/OmegaScreen.h"

namespace engine {

void TOmegaRenderer::Initialize() {
  MirrorX = false;
  MirrorY = false;
  texture_ = 0;
  SetPositions(0, 0, 100, 0, 100, 100, 0, 100);
  SetUV(0, 0, 1, 0, 1, 1, 0, 1);
  SetColors(0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF);
}

void TOmegaRenderer::SetUV(float u0, float v0, float u1, float v1, float u2, float v2, float u3,
                           float v3) {
  const float u[4] = {u0, u1, u2, u3};
  const float v[4] = {v0, v1, v2, v3};
  for (int i = 0; i < 4; ++i) {
    vertices_[i].u = u[i];
    vertices_[i].v = v[i];
  }
}

void TOmegaRenderer::SetPositions(float x0, float y0, float x1, float y1, float x2, float y2,
                                  float x3, float y3) {
  const float x[4] = {x0, x1, x2, x3};
  const float y[4] = {y0, y1, y2, y3};
  for (int i = 0; i < 4; ++i) {
    vertices_[i].x = x[i];
    vertices_[i].y = y[i];
    vertices_[i].z = 0;
    vertices_[i].rhw = 1;
  }
}

void TOmegaRenderer::SetColors(uint32_t c0, uint32_t c1, uint32_t c2, uint32_t c3) {
  vertices_[0].color = c0;
  vertices_[1].color = c1;
  vertices_[2].color = c2;
  vertices_[3].color = c3;
}

void TOmegaRenderer::Rotate(float angle, float cx, float cy) {
  RotateScale(1, 1, angle, cx, cy);
}

void TOmegaRenderer::RotateScale(float scaleX, float scaleY, float angle, float cx, float cy) {
  if (scaleX == 1 && scaleY == 1 && angle == 0) return;
  const double a = angle * 3.14159265358979323846 / 180.0;
  const double cosA = std::cos(a);
  const double sinA = std::sin(a);
  for (auto& vertex : vertices_) {
    const double dx = vertex.x - cx;
    const double dy = vertex.y - cy;
    vertex.x = static_cast<float>(cx + cosA * scaleX * dx - sinA * scaleY * dy);
    vertex.y = static_cast<float>(cy + sinA * scaleX * dx + cosA * scaleY * dy);
  }
}

void TOmegaRenderer::Flush() {
  if (screen_ != nullptr) screen_->DrawQuad(texture_, vertices_);
}

}  // namespace engine
