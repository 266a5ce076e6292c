#include "controls/spinedit.h"

#include "controls/controlclasses.h"
#include "platform/components/description.h"
#include "platform/system/codepage.h"
#include "platform/ui/button.h"
#include "platform/ui/classes.h"
#include "platform/ui/control.h"
#include "platform/ui/edit.h"
#include "platform/ui/forms.h"
#include "platform/ui/speedbutton.h"
#include "support/fakeservices.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QMouseEvent>

namespace controls {
namespace {

using namespace platform;

struct Box {
  Box() : spin(new TMySpinEdit(nullptr)) {
    spin->OnChange = [this](TObject*) { ++changes; };
    spin->Widget()->show();
    QApplication::setActiveWindow(spin->Widget());
    spin->LineEdit()->setFocus();
    QCoreApplication::processEvents();
  }
  void Key(int qtKey, const QString& text = {}, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QKeyEvent press(QEvent::KeyPress, qtKey, mods, text);
    QApplication::sendEvent(spin->LineEdit(), &press);
    QKeyEvent release(QEvent::KeyRelease, qtKey, mods, text);
    QApplication::sendEvent(spin->LineEdit(), &release);
  }
  void Type(const QString& chars) {
    for (QChar c : chars) Key(0, QString(c));
  }
  TFakeServices services;
  TOwned<TMySpinEdit> spin;
  int changes = 0;
};

void Mouse(TControl* c, QEvent::Type type, int y) {
  QWidget* w = c->Widget();
  const QPointF p(3, y);
  const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
  QMouseEvent e(type, p, w->mapToGlobal(p), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, held,
                Qt::NoModifier);
  QApplication::sendEvent(w, &e);
}

TEST(SpinEdit, ValueLivesInTheText) {
  Box b;
  EXPECT_EQ(b.spin->Text(), "0");
  EXPECT_EQ(b.spin->Increment(), 1);
  EXPECT_TRUE(b.spin->EditorEnabled());
  b.spin->SetMinValue(64);
  b.spin->SetMaxValue(16384);
  b.spin->SetValue(100000);
  EXPECT_EQ(b.spin->Text(), "16384");
  EXPECT_EQ(b.changes, 1);
  b.spin->SetValue(16384);  // already shown: no change
  EXPECT_EQ(b.changes, 1);
  b.spin->SetTextValue("");
  EXPECT_EQ(b.spin->Value(), 64);
  b.spin->SetTextValue("12.5");
  EXPECT_EQ(b.spin->Value(), 64);
  b.spin->SetMinValue(0);
  b.spin->SetMaxValue(0);
  b.spin->SetTextValue("-12.5");
  EXPECT_EQ(b.spin->Value(), -12);
}

TEST(SpinEdit, TypingFiltersAndArrowsStep) {
  Box b;
  ASSERT_TRUE(b.spin->Focused());
  b.spin->SetMaxValue(100);
  b.spin->SelectAll();
  char pressed = 0;
  int presses = 0;
  b.spin->OnKeyPress = [&](TObject*, char& k) {
    pressed = k;
    ++presses;
  };
  b.Type("4a2");
  EXPECT_EQ(b.spin->Text(), "42");
  EXPECT_EQ(b.services.beeps, 1);
  EXPECT_EQ(presses, 2);  // the refused letter raises no OnKeyPress
  b.Key(Qt::Key_Return, "\r");
  EXPECT_EQ(b.services.beeps, 2);
  EXPECT_EQ(pressed, '2');
  b.Key(Qt::Key_Up);
  EXPECT_EQ(b.spin->Value(), 43);
  b.Key(Qt::Key_Down);
  b.Key(Qt::Key_Down);
  EXPECT_EQ(b.spin->Value(), 41);
  // Leaving the box rewrites the clamped value.
  b.spin->SetTextValue("007");
  QFocusEvent out(QEvent::FocusOut);
  QApplication::sendEvent(b.spin->LineEdit(), &out);
  EXPECT_EQ(b.spin->Text(), "7");
}

// A spin edit, an edit and a default button below them.
const char* const kWindowWithDefaultButton = R"(
object Form1: TForm
  object Spin: TMySpinEdit
    Left = 8
    Top = 8
    Width = 80
    MinValue = 64
    MaxValue = 16384
    Value = 64
  end
  object Edit: TEdit
    Left = 8
    Top = 40
  end
  object Next: TButton
    Left = 8
    Top = 72
    Caption = 'Next'
    Default = True
  end
end
)";

// In a window with a default button, Return typed in the spin edit beeps and stays in the
// box, while Return in an ordinary edit of the same window still presses the button.
TEST(SpinEdit, ReturnStaysInTheBoxOfAWindowWithADefaultButton) {
  RegisterStandardClasses();
  RegisterControlClasses();
  TFakeServices services;
  TOwned<TForm> window(new TForm(nullptr));
  ReadDescription(*window, kWindowWithDefaultButton, nullptr);
  auto* spin = dynamic_cast<TMySpinEdit*>(window->FindComponent("Spin"));
  auto* edit = dynamic_cast<TEdit*>(window->FindComponent("Edit"));
  auto* next = dynamic_cast<TButton*>(window->FindComponent("Next"));
  ASSERT_TRUE(spin != nullptr && edit != nullptr && next != nullptr);
  int clicks = 0, presses = 0;
  next->OnClick = [&](TObject*) { ++clicks; };
  spin->OnKeyPress = [&](TObject*, char&) { ++presses; };
  window->Widget()->show();
  QApplication::setActiveWindow(window->Widget());

  const struct {
    int qtKey;
    const char* what;
  } keys[] = {{Qt::Key_Return, "Return"}, {Qt::Key_Enter, "keypad Enter"}};
  for (const auto& k : keys) {
    spin->LineEdit()->setFocus();
    QCoreApplication::processEvents();
    ASSERT_TRUE(spin->Focused()) << k.what;
    spin->SetTextValue("300");
    const int beeps = services.beeps;
    QKeyEvent press(QEvent::KeyPress, k.qtKey, Qt::NoModifier, "\r");
    QApplication::sendEvent(spin->LineEdit(), &press);
    EXPECT_EQ(clicks, 0) << k.what;
    EXPECT_EQ(services.beeps, beeps + 1) << k.what;
    EXPECT_EQ(presses, 0) << k.what;
    EXPECT_EQ(spin->Text(), "300") << k.what;
    EXPECT_TRUE(spin->Focused()) << k.what;
  }

  edit->LineEdit()->setFocus();
  QCoreApplication::processEvents();
  ASSERT_TRUE(edit->Focused());
  QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r");
  QApplication::sendEvent(edit->LineEdit(), &press);
  EXPECT_EQ(clicks, 1);
}

TEST(SpinEdit, EveryOtherWayOfEnteringTextPassesTheFilter) {
  Box b;
  b.spin->SetTextValue("1");
  b.spin->LineEdit()->end(false);
  QApplication::clipboard()->setText("2x");
  b.spin->LineEdit()->paste();
  EXPECT_EQ(b.spin->Text(), "1");
  EXPECT_EQ(b.services.beeps, 1);
  QApplication::clipboard()->setText("23");
  b.spin->LineEdit()->paste();
  EXPECT_EQ(b.spin->Text(), "123");
  b.spin->LineEdit()->insert("q");  // what a drop does
  EXPECT_EQ(b.spin->Text(), "123");
  QInputMethodEvent ime;
  ime.setCommitString("\u0661");  // an Arabic-Indic digit from an input method
  QApplication::sendEvent(b.spin->LineEdit(), &ime);
  EXPECT_EQ(b.spin->Text(), "123");
  QInputMethodEvent imeOk;
  imeOk.setCommitString("4");
  QApplication::sendEvent(b.spin->LineEdit(), &imeOk);
  EXPECT_EQ(b.spin->Text(), "1234");
  EXPECT_EQ(b.services.beeps, 3);
}

TEST(SpinEdit, OnlyASeparatorTheCodePageHoldsIsTyped) {
  const QLocale savedLocale;
  const int savedCodePage = platform::AnsiCodePage();
  platform::SetAnsiCodePage(1252);
  struct Case {
    const char* locale;
    QString typed;
    const char* text;  // after "1", the typed characters and "5"
  };
  const Case cases[] = {
      {"de_DE", ",", "1,5"},
      {"en_US", ".", "1.5"},
      {"en_US", "?", "15"},
      // U+066B is not in the code page: neither it nor the '?' it would become is accepted.
      {"ar_EG", QString(QChar(0x066B)), "15"},
      {"ar_EG", "?", "15"},
  };
  for (const Case& c : cases) {
    QLocale::setDefault(QLocale(c.locale));
    Box b;
    b.spin->SetTextValue("");
    b.Type("1");
    b.Type(c.typed);
    b.Type("5");
    EXPECT_EQ(b.spin->Text(), c.text) << c.locale << " " << c.typed.toStdString();
    EXPECT_EQ(b.services.beeps, std::string(c.text).size() == 3 ? 0 : 1) << c.locale;
  }
  QLocale::setDefault(savedLocale);
  platform::SetAnsiCodePage(savedCodePage);
}

TEST(SpinEdit, EditorDisabledAndReadOnly) {
  Box b;
  b.spin->SetEditorEnabled(false);
  b.spin->SetTextValue("5");
  b.spin->LineEdit()->end(false);
  b.Type("7");
  b.Key(Qt::Key_Backspace, "\b");
  QApplication::clipboard()->setText("9");
  b.spin->LineEdit()->paste();
  b.Key(Qt::Key_V, QString(QChar(22)), Qt::ControlModifier);
  EXPECT_EQ(b.spin->Text(), "5");
  b.Key(Qt::Key_Up);  // the arrows still step
  EXPECT_EQ(b.spin->Value(), 6);
  b.spin->Button()->UpButton()->Click();
  EXPECT_EQ(b.spin->Value(), 7);

  b.spin->SetEditorEnabled(true);
  b.spin->SetReadOnly(true);
  const int beeps = b.services.beeps;
  b.Key(Qt::Key_Up);
  b.spin->Button()->DownButton()->Click();
  EXPECT_EQ(b.spin->Value(), 7);
  EXPECT_EQ(b.services.beeps, beeps + 2);
}

TEST(SpinEdit, SliderStepsOncePerPixel) {
  Box b;
  b.spin->SetIncrement(1024);
  b.spin->SetMinValue(0);
  b.spin->SetMaxValue(4000);
  TSpeedButton* slider = b.spin->Button()->SliderButton();
  Mouse(slider, QEvent::MouseButtonPress, 2);
  EXPECT_TRUE(b.spin->Button()->SliderPressed());
  Mouse(slider, QEvent::MouseMove, -3);  // five pixels up
  EXPECT_EQ(b.spin->Value(), 4000);
  EXPECT_EQ(b.changes, 4);  // the fifth step changes nothing
  EXPECT_EQ(b.spin->Button()->SliderPressedY(), -3);
  Mouse(slider, QEvent::MouseMove, -1);  // two down
  EXPECT_EQ(b.spin->Value(), 4000 - 2048);
  Mouse(slider, QEvent::MouseButtonRelease, -1);
  EXPECT_FALSE(b.spin->Button()->SliderPressed());
  Mouse(slider, QEvent::MouseMove, -20);
  EXPECT_EQ(b.spin->Value(), 4000 - 2048);

  b.spin->SetReadOnly(true);
  Mouse(slider, QEvent::MouseButtonPress, 2);
  Mouse(slider, QEvent::MouseMove, 0);
  Mouse(slider, QEvent::MouseMove, -1);
  EXPECT_EQ(b.services.beeps, 2);
  EXPECT_EQ(b.spin->Value(), 4000 - 2048);
}

TEST(SpinEdit, RepeatButtonTimer) {
  Box b;
  TTimerSpeedButton* up = b.spin->Button()->UpButton();
  EXPECT_EQ(up->TimerFlags(), unsigned{tfAllowRepeat});
  EXPECT_EQ(up->RepeatTimer(), nullptr);
  Mouse(up, QEvent::MouseButtonPress, 2);
  ASSERT_NE(up->RepeatTimer(), nullptr);
  EXPECT_TRUE(up->RepeatTimer()->Active());
  EXPECT_EQ(up->RepeatTimer()->Interval(), 400);
  up->RepeatTimerExpired();
  up->RepeatTimerExpired();
  EXPECT_EQ(up->RepeatTimer()->Interval(), 100);
  EXPECT_EQ(b.spin->Value(), 2);
  Mouse(up, QEvent::MouseButtonRelease, 2);  // the press's own click
  EXPECT_EQ(b.spin->Value(), 3);
  EXPECT_FALSE(up->RepeatTimer()->Active());
  EXPECT_TRUE(b.spin->Focused());  // the column never holds the focus
  EXPECT_EQ(up->TimerFlags() & tfFocusRect, 0u);
}

TEST(SpinEdit, Geometry) {
  Box b;
  // A box 22 high (or its minimum with this machine's fonts): the column stands 2 pixels
  // inside the frame and is 4 lower than the box.
  const int h = std::max(22, b.spin->MinimumHeight());
  b.spin->SetBounds(0, 0, 80, h);
  EXPECT_EQ(b.spin->Height(), h);
  TSpinSliderButton* col = b.spin->Button();
  const TSpinColumnLayout l = ArrangeSpinButtons(h - 4);
  EXPECT_EQ(col->Width(), 13);
  EXPECT_EQ(col->Height(), h - 4);
  EXPECT_EQ(col->Left(), 80 - 13 - 2);
  EXPECT_EQ(col->Top(), 2);
  EXPECT_EQ(col->UpButton()->Height(), l.Up.Height);
  EXPECT_EQ(col->SliderButton()->Top(), l.Slider.Top);
  EXPECT_EQ(col->DownButton()->Top(), l.Down.Top);
  col->SetBounds(0, 0, 40, 4);  // the column fixes its own width and smallest height
  EXPECT_EQ(col->Width(), 13);
  EXPECT_EQ(col->Height(), 13);
  b.spin->SetBounds(0, 0, 80, 5);
  EXPECT_EQ(b.spin->Height(), b.spin->MinimumHeight());
  EXPECT_FALSE(col->UpGlyph().isNull());  // the default glyphs
}

}  // namespace
}  // namespace controls
