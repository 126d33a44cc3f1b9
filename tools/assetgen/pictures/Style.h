// The game's look: one palette, light from the upper left, and the shared card and key shapes.
#pragma once

#include <cairo.h>

#include <string_view>

#include "pictures/Canvas.h"
#include "pictures/Painters.h"

namespace assetgen {

namespace palette {
inline constexpr Rgb kNavy = Hex(0x1D2B44);
inline constexpr Rgb kNavyLight = Hex(0x34507A);
inline constexpr Rgb kInk =
    Hex(0x151089);  // the dark blue the game writes table and result text in
inline constexpr Rgb kCream = Hex(0xF7F0DE);
inline constexpr Rgb kCreamDark = Hex(0xE7D9B8);
inline constexpr Rgb kAmber = Hex(0xF6B332);
inline constexpr Rgb kOrange = Hex(0xE8702A);
inline constexpr Rgb kRed = Hex(0xD33F3A);
inline constexpr Rgb kGreen = Hex(0x4DA64A);
inline constexpr Rgb kTeal = Hex(0x2A8C8C);
inline constexpr Rgb kSky = Hex(0x8CC8EC);
inline constexpr Rgb kAsphalt = Hex(0x4B4F57);
inline constexpr Rgb kSteel = Hex(0xB9C2CC);
inline constexpr Rgb kWhite = Hex(0xFFFFFF);
inline constexpr Rgb kBlack = Hex(0x000000);
inline constexpr Rgb kGrey = Hex(0x9A9A9A);
}  // namespace palette

// A dialog card filling W x H: soft shadow, cream body, orange title band with Title. Returns the y
// where the content area starts.
double DrawCard(cairo_t* cr, double w, double h, std::string_view title);
// A recessed light field (for text the game writes in dark ink on top).
void DrawInset(cairo_t* cr, double x, double y, double w, double h, double r = 8);
// A recessed dark field (for white text).
void DrawDarkInset(cairo_t* cr, double x, double y, double w, double h, double r = 8);
// A keyboard key cap with its label, for the help pages.
void DrawKeyCap(cairo_t* cr, double x, double y, double w, double h, std::string_view label);
// A chequered flag of Cols x Rows squares.
void DrawChequer(cairo_t* cr, double x, double y, double w, double h, int cols, int rows);
// Small dialog icons.
void DrawDialogIcon(cairo_t* cr, int icon, double cx, double cy, double size);
// A solid arrow head pointing in Dir (see ArrowDir) inside the box.
void DrawArrowShape(cairo_t* cr, int dir, double cx, double cy, double size);
// Draws pattern Pattern of the manifest picture Name (of Archive) with its top-left at (X, Y),
// scaled.
void DrawPicture(cairo_t* cr, std::string_view name, Archive archive, int pattern, double x,
                 double y, double scale = 1);
// The word mark "Vornakel" with its speed streaks, centred on (Cx, Cy), Size = letter height.
void DrawWordMark(cairo_t* cr, double cx, double cy, double size);

}  // namespace assetgen
