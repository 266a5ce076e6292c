#include "platform/ui/speedbutton.h"

#include "platform/ui/control.h"
#include "platform/ui/graphiccontrol.h"
#include "platform/ui/qtbridge.h"
#include "platform/ui/wincontrol.h"

#include <QImage>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>
#include <QWidget>

#include <algorithm>

namespace platform {

namespace {

// The glyph with its bottom-left colour made transparent (the framework's rule).
QImage TransparentGlyph(const QImage& glyph, int numGlyphs, int index) {
  if (glyph.isNull()) return glyph;
  int w = numGlyphs > 1 ? glyph.width() / numGlyphs : glyph.width();
  if (index >= numGlyphs) index = 0;
  QImage img = glyph.copy(index * w, 0, w, glyph.height()).convertToFormat(QImage::Format_ARGB32);
  QRgb key = img.pixel(0, img.height() - 1);
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x)
      if (img.pixel(x, y) == key) img.setPixel(x, y, qRgba(0, 0, 0, 0));
  return img;
}

}  // namespace

TSpeedButton::TSpeedButton(TComponent* owner) : TGraphicControl(owner) { SetBounds(0, 0, 23, 22); }

void TSpeedButton::Publish(TProps<TSpeedButton>& p) {
  p.Bool("AllowAllUp", &TSpeedButton::AllowAllUp, &TSpeedButton::SetAllowAllUp);
  p.Str("Caption", &TSpeedButton::Caption, &TSpeedButton::SetCaption);
  p.Bool("Down", &TSpeedButton::Down, &TSpeedButton::SetDown);
  p.Bool("Flat", &TSpeedButton::Flat, &TSpeedButton::SetFlat);
  p.Int("GroupIndex", &TSpeedButton::GroupIndex, &TSpeedButton::SetGroupIndex);
  p.Enum("Layout", {"blGlyphLeft", "blGlyphRight", "blGlyphTop", "blGlyphBottom"},
         &TSpeedButton::Layout, &TSpeedButton::SetLayout);
  p.Int("Margin", &TSpeedButton::Margin, &TSpeedButton::SetMargin);
  p.Int("NumGlyphs", &TSpeedButton::NumGlyphs, &TSpeedButton::SetNumGlyphs);
  p.Int("Spacing", &TSpeedButton::Spacing, &TSpeedButton::SetSpacing);
}

void TSpeedButton::SetDown(bool v) {
  if (groupIndex_ == 0) v = false;
  if (v == down_) return;
  down_ = v;
  state_ = v ? TButtonState::bsExclusive : TButtonState::bsUp;
  if (v && Parent() != nullptr) {
    for (int i = 0; i < Parent()->ControlCount(); ++i) {
      auto* o = dynamic_cast<TSpeedButton*>(Parent()->Controls(i));
      if (o != nullptr && o != this && o->groupIndex_ == groupIndex_ && o->down_) {
        o->down_ = false;
        o->state_ = TButtonState::bsUp;
        o->Invalidate();
      }
    }
  }
  Invalidate();
}

void TSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TGraphicControl::MouseDown(button, shift, x, y);
  if (button != TMouseButton::mbLeft || !Enabled()) return;
  dragging_ = true;
  if (!down_) {
    state_ = TButtonState::bsDown;
    Repaint();
  }
}

void TSpeedButton::MouseMove(TShiftState shift, int x, int y) {
  TGraphicControl::MouseMove(shift, x, y);
  if (!dragging_) return;
  bool inside = x >= 0 && y >= 0 && x < Width() && y < Height();
  TButtonState s = inside ? TButtonState::bsDown : (down_ ? TButtonState::bsExclusive : TButtonState::bsUp);
  if (s != state_) {
    state_ = s;
    Invalidate();
  }
}

void TSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TGraphicControl::MouseUp(button, shift, x, y);
  if (button != TMouseButton::mbLeft || !dragging_) return;
  dragging_ = false;
  bool inside = x >= 0 && y >= 0 && x < Width() && y < Height();
  if (groupIndex_ == 0) {
    state_ = TButtonState::bsUp;
  } else if (inside) {
    SetDown(!down_ || !allowAllUp_ ? true : false);
  }
  Invalidate();
  if (inside) Click();
}

void TSpeedButton::Paint(QPainter& p) {
  QWidget* w = Widget();
  bool pressed = state_ == TButtonState::bsDown || state_ == TButtonState::bsExclusive;
  if (!flat_ || pressed) {
    QStyleOptionButton opt;
    opt.initFrom(w);
    opt.rect = QRect(0, 0, Width(), Height());
    opt.state |= pressed ? QStyle::State_Sunken : QStyle::State_Raised;
    if (!Enabled()) opt.state &= ~QStyle::State_Enabled;
    w->style()->drawPrimitive(QStyle::PE_PanelButtonCommand, &opt, &p, w);
  }
  int off = pressed ? 1 : 0;
  QImage g = TransparentGlyph(glyph_, numGlyphs_, Enabled() ? 0 : 1);
  QString text = ToQt(Caption());
  p.setFont(ToQFont(*Font()));
  QFontMetrics fm(p.font());
  int tw = text.isEmpty() ? 0 : fm.horizontalAdvance(text), th = text.isEmpty() ? 0 : fm.height();
  int gw = g.isNull() ? 0 : g.width(), gh = g.isNull() ? 0 : g.height();
  int gap = (gw > 0 && tw > 0) ? spacing_ : 0;
  bool horizontal = layout_ == TButtonLayout::blGlyphLeft || layout_ == TButtonLayout::blGlyphRight;
  int totalW = horizontal ? gw + gap + tw : std::max(gw, tw);
  int totalH = horizontal ? std::max(gh, th) : gh + gap + th;
  int x0 = (Width() - totalW) / 2 + off, y0 = (Height() - totalH) / 2 + off;
  int gx = x0, gy = y0, tx = x0, ty = y0;
  switch (layout_) {
    case TButtonLayout::blGlyphLeft: gy = y0 + (totalH - gh) / 2; tx = x0 + gw + gap; ty = y0 + (totalH - th) / 2; break;
    case TButtonLayout::blGlyphRight: tx = x0; ty = y0 + (totalH - th) / 2; gx = x0 + tw + gap; gy = y0 + (totalH - gh) / 2; break;
    case TButtonLayout::blGlyphTop: gx = x0 + (totalW - gw) / 2; tx = x0 + (totalW - tw) / 2; ty = y0 + gh + gap; break;
    case TButtonLayout::blGlyphBottom: tx = x0 + (totalW - tw) / 2; gx = x0 + (totalW - gw) / 2; gy = y0 + th + gap; break;
  }
  if (!g.isNull()) p.drawImage(gx, gy, g);
  if (!text.isEmpty()) {
    p.setPen(Enabled() ? ToQColor(Font()->Color()) : ToQColor(clGrayText));
    p.drawText(QRect(tx, ty, tw, th), Qt::AlignCenter | Qt::TextShowMnemonic, text);
  }
}

}  // namespace platform
