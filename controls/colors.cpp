#include "controls/colors.h"

#include <QGuiApplication>
#include <QPalette>

namespace controls {

TColor ResolveColor(TColor color) {
  if ((static_cast<uint32_t>(color) & 0xFF000000u) != 0x80000000u) return color & 0xFFFFFF;
  QPalette pal = QGuiApplication::palette();
  QPalette::ColorRole role;
  switch (color & 0xFF) {
    case 5: role = QPalette::Base; break;
    case 8: role = QPalette::Text; break;
    case 13: role = QPalette::Highlight; break;
    case 14: role = QPalette::HighlightedText; break;
    case 15: role = QPalette::Button; break;
    case 16: role = QPalette::Dark; break;
    case 20: role = QPalette::Light; break;
    case 23: role = QPalette::ToolTipText; break;
    case 24: role = QPalette::ToolTipBase; break;
    default: role = QPalette::Window; break;
  }
  return FromQColor(pal.color(QPalette::Active, role));
}

QColor ToQColor(TColor color) {
  TColor c = ResolveColor(color);
  return QColor(RedOf(c), GreenOf(c), BlueOf(c));
}

TColor FromQColor(const QColor& color) { return MakeColor(color.red(), color.green(), color.blue()); }

}  // namespace controls
