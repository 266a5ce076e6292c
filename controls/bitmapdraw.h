// Drawing helpers of the page header: gradient strips and bitmaps drawn with an optional
// transparent colour, a disabled look, stretching, scaling and tiling.
#pragma once

#include "controls/gradient.h"
#include "platform/ui/control.h"

class QImage;
class QPainter;

namespace controls {

void GradientFill(QPainter& dc, const TRect& r, TCustomGradient& g, int penStyle, int penWidth);

// True when the bitmap exists and its width and height are both non-zero.
bool HasImage(const QImage* b);

// 0 for corner 0 or no image; else the pixel at (0,0) for 1, (0,h-1) for 2, (w-1,0) for 3
// and (w-1,h-1) for any other corner.
TColor CornerColor(const QImage* b, int corner);

// Every pixel of colour `oldColor` takes `newColor` (both plain RGB).
void ReplaceColor(QImage& b, TColor oldColor, TColor newColor);

// Draws `b` at (r.Left + x, r.Top + y). mode: 0 as it is, 1 stretched to r, 2 scaled to
// fit r keeping its proportions, 3 tiled over r. state: 0 normal, 1 disabled (embossed in
// the button colours), 2 white and grey replaced by the button highlight and shadow.
// With `transparent`, pixels of colour `tc` leave the destination as it was.
void DrawBitmap(QPainter& dc, const QImage& b, const TRect& r, int x, int y, int mode, int state, bool transparent,
                TColor tc);

}  // namespace controls
