// TOmegaRenderer: builds one textured, coloured quad at a time and sends it through the screen.
#pragma once

#include <cstdint>

#include "platform/RenderDevice.h"

namespace engine {

class TOmegaScreen;

class TOmegaRenderer {
 public:
  void SetScreen(TOmegaScreen* screen) { screen_ = screen; }
  TOmegaScreen* Screen() const { return screen_; }
  // Mirror flags off, corners (0,0)..(100,100), UVs (0,0)..(1,1), opaque white.
  void Initialize();

  bool MirrorX = false;
  bool MirrorY = false;

  // Corners in the order top-left, top-right, bottom-right, bottom-left.
  void SetUV(float u0, float v0, float u1, float v1, float u2, float v2, float u3, float v3);
  void SetPositions(float x0, float y0, float x1, float y1, float x2, float y2, float x3, float y3);
  void SetColors(uint32_t c0, uint32_t c1, uint32_t c2, uint32_t c3);
  // Turns every corner by Angle degrees (clockwise on screen) about (CX, CY).
  void Rotate(float angle, float cx, float cy);
  // Scales and turns every corner about (CX, CY): C + (cos a*sx*dx - sin a*sy*dy, sin a*sx*dx + cos
  // a*sy*dy).
  void RotateScale(float scaleX, float scaleY, float angle, float cx, float cy);
  void BindTexture(platform::TextureId texture) { texture_ = texture; }
  // Sends the quad to the screen.
  void Flush();

  const platform::Vertex (&Vertices() const)[4] { return vertices_; }

 private:
  TOmegaScreen* screen_ = nullptr;
  platform::TextureId texture_ = 0;
  platform::Vertex vertices_[4];
};

}  // namespace engine
