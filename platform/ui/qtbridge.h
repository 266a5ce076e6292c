// Conversions between the layer's values and Qt's: colours, fonts, keys, 8-bit texts.
#pragma once

#include "platform/components/graphics.h"
#include "platform/ui/alignment.h"

#include <QColor>
#include <QFont>
#include <QString>

#include <string>

class QKeyEvent;

namespace platform {

// A system colour becomes the application palette's colour of that moment.
TColor ColorToRGB(TColor color);
QColor ToQColor(TColor color);
TColor FromQColor(const QColor& color);

QFont ToQFont(const TFont& font);

// Code page number of UTF-8 texts (host paths).
constexpr int kUtf8CodePage = 65001;

// 8-bit text of code page `cp` (or UTF-8) to Qt and back.
QString ToQString(const std::string& bytes, int cp);
std::string FromQString(const QString& text, int cp);
// 8-bit text of the interface code page to Qt.
QString ToInterfaceQString(const std::string& bytes);

// Windows shows "&x" as an underlined x and "&&" as "&"; for drawn text drop the marks.
QString StripAccel(const QString& s);
Qt::Alignment QtAlign(TAlignment a);

// The virtual key code of a key event (0 when it has none) and the shift state.
int VirtualKeyOf(const QKeyEvent& e);
unsigned ShiftStateOf(Qt::KeyboardModifiers mods, Qt::MouseButtons buttons = Qt::NoButton);

}  // namespace platform
