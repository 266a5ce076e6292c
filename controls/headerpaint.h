// Painting of the wizard page header: the band in the window colour, the bold caption,
// the indented comment, a picture or symbol at the right, the etched bottom edge and the
// gradient strip above it.
#pragma once

#include "controls/gradient.h"

#include <QColor>
#include <QFont>
#include <string>
#include <vector>

class QImage;
class QPainter;

namespace controls {

// The caption (or comment) a header shows: entry min(count - 1, pageNo), the first one
// for a negative page number, `fallback` for an empty list.
std::string HeaderText(const std::vector<std::string>& lines, int pageNo, const std::string& fallback);

struct THeaderLook {
  QString Caption, Comment;
  QFont CaptionFont, CommentFont, SymbolFont;
  QColor CaptionColor, CommentColor, SymbolColor;
  QString Symbol;             // first character only
  const QImage* Glyph = nullptr;
  TGradient* Gradient = nullptr;
  bool BufferedDraw = false;
};

void PaintWizardHeader(QPainter& painter, int width, int height, const THeaderLook& look);

}  // namespace controls
