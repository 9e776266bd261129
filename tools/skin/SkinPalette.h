#pragma once

#include <QRgb>

// The colours of the demo skin: a dark blue ground, gold lines, cream ink.
namespace SkinPalette {

inline constexpr QRgb GroundTop = 0xff22355c;
inline constexpr QRgb GroundBottom = 0xff0c162d;
inline constexpr QRgb Tray = 0xff101b35; // the plain ground under the buttons
inline constexpr QRgb Gold = 0xffd6b565;
inline constexpr QRgb PaleGold = 0xfff0d994;
inline constexpr QRgb Cream = 0xfff1e8cf;

// The program makes every pixel of a glyph in this colour transparent.
inline constexpr QRgb Key = 0xffff00ff;

} // namespace SkinPalette
