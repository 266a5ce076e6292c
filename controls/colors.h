// The colour values of the controls are the window layer's (0x00BBGGRR or a system colour).
#pragma once

#include "platform/components/graphics.h"
#include "platform/ui/qtbridge.h"

namespace controls {

using platform::TColor;
using platform::clBlack, platform::clNavy, platform::clBlue, platform::clGray, platform::clWhite, platform::clOlive;
using platform::clWindow, platform::clWindowText, platform::clHighlight, platform::clHighlightText,
    platform::clBtnFace, platform::clBtnShadow, platform::clBtnHighlight;
using platform::ToQColor, platform::FromQColor;

constexpr TColor MakeColor(int r, int g, int b) { return platform::RGB(r, g, b); }
constexpr int RedOf(TColor c) { return platform::GetRValue(c); }
constexpr int GreenOf(TColor c) { return platform::GetGValue(c); }
constexpr int BlueOf(TColor c) { return platform::GetBValue(c); }
// A system colour becomes the palette's colour of that moment; a plain one stays.
inline TColor ResolveColor(TColor color) { return platform::ColorToRGB(color); }

}  // namespace controls
