// Where the 800 x 600 back buffer sits inside a window or screen of another size, and the way back.
#pragma once

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

}  // namespace platform
