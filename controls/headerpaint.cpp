#include "controls/headerpaint.h"

#include "controls/bitmapdraw.h"
#include "platform/ui/control.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <algorithm>

namespace controls {

std::string HeaderText(const std::vector<std::string>& lines, int pageNo, const std::string& fallback) {
  if (lines.empty()) return fallback;
  const int count = static_cast<int>(lines.size());
  return lines[static_cast<size_t>(std::clamp(pageNo, 0, count - 1))];
}

namespace {

void Draw(QPainter& p, int width, int height, const THeaderLook& look) {
  const QRect client(0, 0, width, height);
  p.fillRect(client, ToQColor(clWindow));

  // Text rectangle: left + 20, top + 8, right - 60, bottom - 5.
  QRect t(20, 8, std::max(0, width - 60 - 20), std::max(0, height - 5 - 8));
  p.setFont(look.CaptionFont);
  p.setPen(look.CaptionColor);
  p.drawText(t, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, look.Caption);

  t.setTop(t.top() + QFontMetrics(look.CaptionFont).height());
  t.setLeft(t.left() + 20);
  p.setFont(look.CommentFont);
  p.setPen(look.CommentColor);
  const QRect measured =
      QFontMetrics(look.CommentFont).boundingRect(t, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, look.Comment);
  const int shift = (t.bottom() - measured.bottom()) / 2;
  p.drawText(t.translated(0, shift), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, look.Comment);

  const bool active = look.Gradient != nullptr && look.Gradient->Active();
  if (look.Glyph != nullptr && look.Glyph->width() > 0) {
    const int m = (height - look.Glyph->height()) / 2;
    DrawBitmap(p, *look.Glyph, TRect{0, 0, width, height}, width - look.Glyph->width() - m, m, 0, 0, true,
               CornerColor(look.Glyph, 2));
  } else if (!look.Symbol.isEmpty()) {
    QRect box(QPoint(width - 50, 5), QPoint(width - 5 - 1, height - 5 - (active ? 3 : 0) - 1));
    p.fillRect(box, ToQColor(clHighlight));
    p.setFont(look.SymbolFont);
    p.setPen(look.SymbolColor);
    p.drawText(box, Qt::AlignCenter | Qt::TextSingleLine, look.Symbol.left(1));
  }

  // Etched bottom edge: a shadow line with a highlight line under it.
  p.setPen(ToQColor(clBtnShadow));
  p.drawLine(0, height - 2, width - 1, height - 2);
  p.setPen(ToQColor(clBtnHighlight));
  p.drawLine(0, height - 1, width - 1, height - 1);

  if (active) GradientFill(p, TRect{0, height - 5, width, height - 1}, *look.Gradient, 1, 1);
}

}  // namespace

void PaintWizardHeader(QPainter& painter, int width, int height, const THeaderLook& look) {
  if (width <= 0 || height <= 0) return;
  if (!look.BufferedDraw) {
    Draw(painter, width, height, look);
    return;
  }
  QImage buffer(width, height, QImage::Format_RGB32);
  {
    QPainter p(&buffer);
    Draw(p, width, height, look);
  }
  painter.drawImage(0, 0, buffer);
}

}  // namespace controls
