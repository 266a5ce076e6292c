// Colour values of the controls: 0x00BBGGRR (red in the low byte) or a system colour
// (0x80000000 | index), resolved to plain RGB through the application palette.
#pragma once

#include <QColor>
#include <cstdint>

namespace controls {

using TColor = int32_t;

constexpr TColor SysColor(int index) { return static_cast<TColor>(0x80000000u | static_cast<uint32_t>(index)); }
constexpr TColor clBlack = 0x000000, clNavy = 0x800000, clBlue = 0xFF0000, clGray = 0x808080,
                 clWhite = 0xFFFFFF, clOlive = 0x008080;
constexpr TColor clWindow = SysColor(5), clWindowText = SysColor(8), clHighlight = SysColor(13),
                 clHighlightText = SysColor(14), clBtnFace = SysColor(15), clBtnShadow = SysColor(16),
                 clBtnHighlight = SysColor(20);

constexpr TColor MakeColor(int r, int g, int b) { return (r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16); }
constexpr int RedOf(TColor c) { return c & 0xFF; }
constexpr int GreenOf(TColor c) { return (c >> 8) & 0xFF; }
constexpr int BlueOf(TColor c) { return (c >> 16) & 0xFF; }

// A system colour becomes the palette's colour of that moment; a plain one stays.
TColor ResolveColor(TColor color);
QColor ToQColor(TColor color);
TColor FromQColor(const QColor& color);

}  // namespace controls
