// Where the 800 x 600 back buffer sits inside a window or screen of another size, and the way back.
#pragma once

#include <algorithm>

#include "platform/RenderDevice.h"

namespace platform {

struct LetterboxRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

// The largest rectangle of the back buffer's aspect ratio centred in the output; black bars fill
// the rest.
inline LetterboxRect FitLetterbox(int outputWidth, int outputHeight, int bufferWidth,
                                  int bufferHeight) {
  LetterboxRect r;
  if (outputWidth <= 0 || outputHeight <= 0 || bufferWidth <= 0 || bufferHeight <= 0) return r;
  // Compare the ratios in integers so an exact fit never loses a pixel to rounding.
  if (static_cast<long long>(outputWidth) * bufferHeight <=
      static_cast<long long>(outputHeight) * bufferWidth) {
    r.width = outputWidth;
    r.height = static_cast<int>(static_cast<long long>(outputWidth) * bufferHeight / bufferWidth);
  } else {
    r.height = outputHeight;
    r.width = static_cast<int>(static_cast<long long>(outputHeight) * bufferWidth / bufferHeight);
  }
  r.x = (outputWidth - r.width) / 2;
  r.y = (outputHeight - r.height) / 2;
  return r;
}

// Maps an output position to back-buffer pixels; positions over the bars land on the nearest edge.
inline void OutputToBuffer(const LetterboxRect& box, int bufferWidth, int bufferHeight, int outX,
                           int outY, int& bufX, int& bufY) {
  if (box.width <= 0 || box.height <= 0) {
    bufX = outX;
    bufY = outY;
    return;
  }
  long long x = static_cast<long long>(outX - box.x) * bufferWidth;
  long long y = static_cast<long long>(outY - box.y) * bufferHeight;
  // Floor division, so a position just left of the picture does not round to column 0 from both
  // sides.
  x = (x >= 0 ? x : x - box.width + 1) / box.width;
  y = (y >= 0 ? y : y - box.height + 1) / box.height;
  bufX = static_cast<int>(x < 0 ? 0 : (x >= bufferWidth ? bufferWidth - 1 : x));
  bufY = static_cast<int>(y < 0 ? 0 : (y >= bufferHeight ? bufferHeight - 1 : y));
}

// Where the buffer sits for a scaling mode: integer scaling takes the largest whole multiple that
// fits, centred; an output too small even for 1x shrinks the picture as the letterbox does.
inline LetterboxRect PlaceBuffer(Scaling scaling, int outputWidth, int outputHeight,
                                 int bufferWidth, int bufferHeight) {
  if (scaling == Scaling::kInteger && bufferWidth > 0 && bufferHeight > 0) {
    const int factor = std::min(outputWidth / bufferWidth, outputHeight / bufferHeight);
    if (factor >= 1) {
      LetterboxRect r;
      r.width = bufferWidth * factor;
      r.height = bufferHeight * factor;
      r.x = (outputWidth - r.width) / 2;
      r.y = (outputHeight - r.height) / 2;
      return r;
    }
  }
  return FitLetterbox(outputWidth, outputHeight, bufferWidth, bufferHeight);
}

// Smooth (linear) sampling where the picture is scaled by a fraction, unless the player asked for
// sharp pixels; whole multiples in integer mode and 1:1 stay exact.
inline bool NeedsSmoothing(Scaling scaling, const LetterboxRect& box, int bufferWidth,
                           int bufferHeight) {
  if (box.width == bufferWidth && box.height == bufferHeight) return false;
  const bool whole = bufferWidth > 0 && bufferHeight > 0 && box.width % bufferWidth == 0 &&
                     box.height % bufferHeight == 0 &&
                     box.width / bufferWidth == box.height / bufferHeight;
  return !(scaling == Scaling::kInteger && whole);
}

// Maps a mouse position in window coordinates to back-buffer pixels. The window's coordinates may
// be coarser than its pixels (HiDPI), and the picture is placed in pixels.
inline void WindowToBuffer(Scaling scaling, int windowWidth, int windowHeight, int pixelWidth,
                           int pixelHeight, int bufferWidth, int bufferHeight, int winX, int winY,
                           int& bufX, int& bufY) {
  if (windowWidth <= 0 || windowHeight <= 0 || pixelWidth <= 0 || pixelHeight <= 0) {
    pixelWidth = windowWidth = bufferWidth;
    pixelHeight = windowHeight = bufferHeight;
  }
  // The centre of the window coordinate's area, in pixels.
  const int outX = static_cast<int>((2LL * winX + 1) * pixelWidth / (2LL * windowWidth));
  const int outY = static_cast<int>((2LL * winY + 1) * pixelHeight / (2LL * windowHeight));
  OutputToBuffer(PlaceBuffer(scaling, pixelWidth, pixelHeight, bufferWidth, bufferHeight),
                 bufferWidth, bufferHeight, outX, outY, bufX, bufY);
}

}  // namespace platform
