#include "platform/ui/qtbridge.h"

#include "platform/system/codepage.h"
#include "platform/system/uilanguage.h"
#include "platform/ui/alignment.h"
#include "platform/ui/control.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPalette>

namespace platform {

TColor ColorToRGB(TColor color) {
  if (!IsSystemColor(color)) return color & 0xFFFFFF;
  QPalette pal = QApplication::instance() != nullptr ? QApplication::palette() : QPalette();
  QColor c;
  switch (color & 0xFF) {
    case 0: c = pal.color(QPalette::Button); break;            // scroll bar
    case 1: c = pal.color(QPalette::Window); break;            // desktop
    case 2: c = pal.color(QPalette::Highlight); break;         // active caption
    case 4: c = pal.color(QPalette::Window); break;            // menu
    case 5: c = pal.color(QPalette::Base); break;              // window
    case 6: c = pal.color(QPalette::Shadow); break;            // window frame
    case 7: c = pal.color(QPalette::WindowText); break;        // menu text
    case 8: c = pal.color(QPalette::Text); break;              // window text
    case 9: c = pal.color(QPalette::HighlightedText); break;   // caption text
    case 13: c = pal.color(QPalette::Highlight); break;
    case 14: c = pal.color(QPalette::HighlightedText); break;
    case 15: c = pal.color(QPalette::Button); break;           // button face
    case 16: c = pal.color(QPalette::Dark); break;             // button shadow
    case 17: c = pal.color(QPalette::Disabled, QPalette::Text); break;
    case 18: c = pal.color(QPalette::ButtonText); break;
    case 20: c = pal.color(QPalette::Light); break;            // button highlight
    case 21: c = pal.color(QPalette::Shadow); break;
    case 22: c = pal.color(QPalette::Midlight); break;
    case 23: c = pal.color(QPalette::ToolTipText); break;
    case 24: c = pal.color(QPalette::ToolTipBase); break;
    default: c = pal.color(QPalette::Window); break;
  }
  return RGB(c.red(), c.green(), c.blue());
}

QColor ToQColor(TColor color) {
  TColor c = ColorToRGB(color);
  return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

TColor FromQColor(const QColor& color) { return RGB(color.red(), color.green(), color.blue()); }

QFont ToQFont(const TFont& font) {
  QFont f(QString::fromLatin1(font.Name().c_str()));
  int h = font.Height();
  f.setPixelSize(std::max(1, h < 0 ? -h : h * 4 / 5));
  f.setBold((font.Style() & fsBold) != 0);
  f.setItalic((font.Style() & fsItalic) != 0);
  f.setUnderline((font.Style() & fsUnderline) != 0);
  f.setStrikeOut((font.Style() & fsStrikeOut) != 0);
  if (font.Pitch() == 1) f.setFixedPitch(true);
  return f;
}

QString ToQString(const std::string& bytes, int cp) {
  if (cp == kUtf8CodePage) return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
  std::u16string u = ToUtf16(bytes, cp);
  return QString(reinterpret_cast<const QChar*>(u.data()), static_cast<qsizetype>(u.size()));
}

std::string FromQString(const QString& text, int cp) {
  if (cp == kUtf8CodePage) return text.toUtf8().toStdString();
  std::u16string u(reinterpret_cast<const char16_t*>(text.utf16()), static_cast<size_t>(text.size()));
  return FromUtf16(u, cp);
}

QString ToInterfaceQString(const std::string& bytes) { return ToQString(bytes, InterfaceCodePage()); }

QString StripAccel(const QString& s) {
  QString r;
  for (qsizetype i = 0; i < s.size(); ++i) {
    if (s[i] == '&' && i + 1 < s.size()) {
      ++i;
    }
    r += s[i];
  }
  return r;
}

Qt::Alignment QtAlign(TAlignment a) {
  switch (a) {
    case TAlignment::taRightJustify: return Qt::AlignRight;
    case TAlignment::taCenter: return Qt::AlignHCenter;
    default: return Qt::AlignLeft;
  }
}

int VirtualKeyOf(const QKeyEvent& e) {
  int k = e.key();
  if (k >= Qt::Key_0 && k <= Qt::Key_9) return '0' + (k - Qt::Key_0);
  if (k >= Qt::Key_A && k <= Qt::Key_Z) return 'A' + (k - Qt::Key_A);
  if (k >= Qt::Key_F1 && k <= Qt::Key_F24) return VK_F1 + (k - Qt::Key_F1);
  switch (k) {
    case Qt::Key_Backspace: return VK_BACK;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return VK_TAB;
    case Qt::Key_Return:
    case Qt::Key_Enter: return VK_RETURN;
    case Qt::Key_Shift: return VK_SHIFT;
    case Qt::Key_Control: return VK_CONTROL;
    case Qt::Key_Alt: return VK_MENU;
    case Qt::Key_Escape: return VK_ESCAPE;
    case Qt::Key_Space: return VK_SPACE;
    case Qt::Key_PageUp: return VK_PRIOR;
    case Qt::Key_PageDown: return VK_NEXT;
    case Qt::Key_End: return VK_END;
    case Qt::Key_Home: return VK_HOME;
    case Qt::Key_Left: return VK_LEFT;
    case Qt::Key_Up: return VK_UP;
    case Qt::Key_Right: return VK_RIGHT;
    case Qt::Key_Down: return VK_DOWN;
    case Qt::Key_Insert: return VK_INSERT;
    case Qt::Key_Delete: return VK_DELETE;
    default: return 0;
  }
}

unsigned ShiftStateOf(Qt::KeyboardModifiers mods, Qt::MouseButtons buttons) {
  unsigned s = 0;
  if (mods & Qt::ShiftModifier) s |= ssShift;
  if (mods & Qt::AltModifier) s |= ssAlt;
  if (mods & Qt::ControlModifier) s |= ssCtrl;
  if (buttons & Qt::LeftButton) s |= ssLeft;
  if (buttons & Qt::RightButton) s |= ssRight;
  if (buttons & Qt::MiddleButton) s |= ssMiddle;
  return s;
}

}  // namespace platform
