#include "platform/ui/bitbtn.h"

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QPushButton>

namespace platform {

void TBitBtn::Publish(TProps<TBitBtn>& p) {
  p.Enum("Kind", {"bkCustom", "bkOK", "bkCancel", "bkHelp", "bkYes", "bkNo", "bkClose", "bkAbort", "bkRetry",
                  "bkIgnore", "bkAll"},
         &TBitBtn::Kind, &TBitBtn::SetKind);
  p.Int("Margin", &TBitBtn::Margin, &TBitBtn::SetMargin);
  p.Int("NumGlyphs", &TBitBtn::NumGlyphs, &TBitBtn::SetNumGlyphs);
  p.Int("Spacing", &TBitBtn::Spacing, &TBitBtn::SetSpacing);
}

void TBitBtn::SetGlyph(const QImage& g) {
  glyph_ = g;
  auto* b = static_cast<QPushButton*>(Widget());
  if (g.isNull()) {
    b->setIcon(QIcon());
    return;
  }
  int w = num_glyphs_ > 1 ? g.width() / num_glyphs_ : g.width();
  QImage first = g.copy(0, 0, w, g.height()).convertToFormat(QImage::Format_ARGB32);
  QRgb key = first.pixel(0, first.height() - 1);  // the bottom-left pixel is transparent
  for (int y = 0; y < first.height(); ++y)
    for (int x = 0; x < first.width(); ++x)
      if (first.pixel(x, y) == key) first.setPixel(x, y, qRgba(0, 0, 0, 0));
  b->setIcon(QIcon(QPixmap::fromImage(first)));
  b->setIconSize(first.size());
}

}  // namespace platform
