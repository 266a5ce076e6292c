#pragma once

#include "platform/ui/qtbridge.h"

#include <QGroupBox>
#include <QPainter>
#include <QStyle>
#include <qdrawutil.h>

namespace platform {

// A group box drawn as the window descriptions expect it: an etched frame whose top line
// runs through the middle of the caption, so that the client area starts at the box's top
// edge and a control placed 16 or more pixels down stands clear of the caption and frame.
class GroupBoxWidget : public QGroupBox {
protected:
  void paintEvent(QPaintEvent* /*event*/) override {
    QPainter p(this);
    const QFontMetrics fm(font());
    qDrawShadeRect(&p, rect().adjusted(0, fm.height() / 2, 0, 0), palette(), true, 1);
    const QString caption = title();
    if (caption.isEmpty()) return;
    const QRect text(8, 0, fm.horizontalAdvance(StripAccel(caption)) + 4, fm.height());
    p.fillRect(text, palette().color(QPalette::Window));
    style()->drawItemText(&p, text.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic,
                          palette(), isEnabled(), caption, QPalette::WindowText);
  }
};

}  // namespace platform
