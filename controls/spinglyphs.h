// The arrow glyphs of the spin buttons ("MySpinUp", "MySpinDown"): 9 x 6 pixels, a black
// triangle in the top three rows on an olive background that the buttons draw transparent.
#pragma once

#include <QImage>
#include <string_view>

namespace controls {

// Null for other names.
QImage LoadSpinGlyph(std::string_view resourceName);

}  // namespace controls
