#include "platform/ui/label.h"

#include "platform/ui/alignment.h"
#include "platform/ui/graphiccontrol.h"
#include "platform/ui/qtbridge.h"
#include "platform/ui/wincontrol.h"

#include <QPainter>

#include <algorithm>

namespace platform {

TLabel::TLabel(TComponent* owner) : TGraphicControl(owner) {
  SetParentColor(true);
  SetBounds(0, 0, 65, 13);
}

void TLabel::Publish(TProps<TLabel>& p) {
  p.Enum("Alignment", {"taLeftJustify", "taRightJustify", "taCenter"},
         &TLabel::Alignment, &TLabel::SetAlignment);
  p.Bool("AutoSize", &TLabel::AutoSize, &TLabel::SetAutoSize);
  p.Str("Caption", &TLabel::Caption, &TLabel::SetCaption);
  p.Ref<TWinControl>("FocusControl", &TLabel::FocusControl, &TLabel::SetFocusControl);
  p.Enum("Layout", {"tlTop", "tlCenter", "tlBottom"}, &TLabel::Layout, &TLabel::SetLayout);
  p.Bool("ShowAccelChar", &TLabel::ShowAccelChar, &TLabel::SetShowAccelChar);
  p.Bool("Transparent", &TLabel::Transparent, &TLabel::SetTransparent);
  p.Bool("WordWrap", &TLabel::WordWrap, &TLabel::SetWordWrap);
}

void TLabel::SetAlignment(TAlignment a) {
  alignment_ = a;
  Invalidate();
}
void TLabel::SetLayout(TTextLayout l) {
  layout_ = l;
  Invalidate();
}
void TLabel::SetAutoSize(bool v) {
  autoSize_ = v;
  AdjustBounds();
}
void TLabel::SetWordWrap(bool v) {
  wordWrap_ = v;
  AdjustBounds();
  Invalidate();
}

void TLabel::SetFocusControl(TWinControl* c) {
  if (focusControl_ != nullptr) RemoveFreeNotification(focusControl_);
  focusControl_ = c;
  if (c != nullptr) FreeNotification(c);
}

void TLabel::Notification(TComponent* component, TOperation operation) {
  TGraphicControl::Notification(component, operation);
  if (operation == TOperation::opRemove && component == focusControl_) focusControl_ = nullptr;
}

void TLabel::Loaded() {
  TGraphicControl::Loaded();
  AdjustBounds();
}

void TLabel::TextChanged() {
  AdjustBounds();
  Invalidate();
}

void TLabel::FontChanged() {
  TGraphicControl::FontChanged();
  AdjustBounds();
}

void TLabel::AdjustBounds() {
  if (!autoSize_ || Loading() || Widget() == nullptr) return;
  QFontMetrics fm(ToQFont(*Font()));
  QString text = ToQt(Caption());
  if (showAccelChar_) text = StripAccel(text);
  if (text.isEmpty()) text = " ";
  QRect r;
  if (wordWrap_) r = fm.boundingRect(QRect(0, 0, std::max(1, Width()), 100000), Qt::TextWordWrap, text);
  else r = fm.boundingRect(QRect(0, 0, 100000, 100000), 0, text);
  int w = wordWrap_ ? Width() : r.width();
  int h = std::max(r.height(), fm.height());
  int left = Left();
  if (!wordWrap_ && alignment_ == TAlignment::taRightJustify) left += Width() - w;
  SetBounds(left, Top(), w, h);
}

void TLabel::Paint(QPainter& painter) {
  if (!transparent_ && !ParentColor()) painter.fillRect(0, 0, Width(), Height(), ToQColor(Color()));
  painter.setFont(ToQFont(*Font()));
  QColor c = Enabled() ? ToQColor(Font()->Color()) : ToQColor(clGrayText);
  painter.setPen(c);
  QString text = ToQt(Caption());
  int flags = static_cast<int>(QtAlign(alignment_));
  if (showAccelChar_) flags |= Qt::TextShowMnemonic;
  if (wordWrap_) flags |= Qt::TextWordWrap;
  switch (layout_) {
    case TTextLayout::tlCenter: flags |= Qt::AlignVCenter; break;
    case TTextLayout::tlBottom: flags |= Qt::AlignBottom; break;
    default: flags |= Qt::AlignTop; break;
  }
  painter.drawText(QRect(0, 0, Width(), Height()), flags, text);
}

}  // namespace platform
