#include "controls/urllabel.h"

#include "controls/controlclasses.h"
#include "platform/components/description.h"
#include "platform/ui/control.h"
#include "platform/ui/forms.h"

#include "support/fakeservices.h"

#include <QApplication>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QWidget>
#include <gtest/gtest.h>

namespace controls {
namespace {

using namespace platform;

void ClickOn(TControl* c) {
  QWidget* w = c->Widget();
  const QPointF p(2, 2);
  QMouseEvent press(QEvent::MouseButtonPress, p, w->mapToGlobal(p), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
  QMouseEvent release(QEvent::MouseButtonRelease, p, w->mapToGlobal(p), Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(w, &press);
  QApplication::sendEvent(w, &release);
}

TEST(UrlLabel, DefaultsAndHint) {
  TOwned<TUrlLabel> l(new TUrlLabel(nullptr));
  EXPECT_EQ(l->URLType(), utHttp);
  EXPECT_TRUE(l->DetectMouse());
  EXPECT_TRUE(l->ShowUrlHint());
  EXPECT_TRUE(l->UnderlineOnEnter());
  EXPECT_EQ(l->ActiveColor(), clBlue);
  EXPECT_EQ(l->InactiveColor(), clNavy);
  EXPECT_EQ(l->Font()->Color(), clNavy);
  EXPECT_EQ(l->Cursor(), crHandPoint);
  EXPECT_EQ(l->Hint(), "http://");
  l->SetURL("example.org");
  EXPECT_EQ(l->Hint(), "http://example.org");
  l->SetShowUrlHint(false);  // the hint was the target: emptied
  EXPECT_EQ(l->Hint(), "");
  l->SetHint("own hint");
  l->SetURL("other.org");
  EXPECT_EQ(l->Hint(), "own hint");
  l->SetURLType(utClickEvent);
  l->SetShowUrlHint(true);
  EXPECT_EQ(l->Hint(), "");  // click labels that show the target have no hint
}

TEST(UrlLabel, ClickOpensTheTargetOrRaisesTheClickEvent) {
  TFakeServices services;
  TOwned<TUrlLabel> l(new TUrlLabel(nullptr));
  l->SetCaption("Link");
  int clicks = 0;
  l->OnClick = [&](TObject*) { ++clicks; };
  l->SetURLType(utMail);
  l->SetURL("a@b.c");
  l->SetMailSubject("S");
  ClickOn(l.get());
  EXPECT_EQ(services.urls, (std::vector<std::string>{"mailto:a@b.c?Subject=S"}));
  EXPECT_EQ(clicks, 0);
  l->SetURLType(utClickEvent);
  ClickOn(l.get());
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(services.urls.size(), 1u);
}

TEST(UrlLabel, MouseOverChangesColourAndStyle) {
  TOwned<TUrlLabel> l(new TUrlLabel(nullptr));
  l->Font()->SetStyle(fsBold);
  int entered = 0, left = 0;
  l->OnMouseEnter = [&](TObject*) { ++entered; };
  l->OnMouseLeave = [&](TObject*) { ++left; };
  QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
  QApplication::sendEvent(l->Widget(), &enter);
  EXPECT_EQ(l->Font()->Color(), clBlue);
  EXPECT_EQ(l->Font()->Style(), unsigned{fsUnderline});  // bold dropped
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(l->Widget(), &leave);
  EXPECT_EQ(l->Font()->Color(), clNavy);
  EXPECT_EQ(l->Font()->Style(), 0u);
  EXPECT_EQ(entered, 1);
  EXPECT_EQ(left, 1);

  l->SetDetectMouse(false);  // permanently underlined, colour kept
  EXPECT_EQ(l->Font()->Style(), unsigned{fsUnderline});
  QApplication::sendEvent(l->Widget(), &enter);
  EXPECT_EQ(l->Font()->Color(), clNavy);
}

// A label loaded from a window description as the builder's window stores it (blue and
// underlined font, DetectMouse given before or after the font, or left to its default) shows
// no underline until the mouse is over it, and none after it has left; with DetectMouse
// False it stays underlined.
TEST(UrlLabel, LoadedLabelIsUnderlinedOnlyWhileTheMouseIsOverIt) {
  RegisterControlClasses();
  struct Case {
    const char* name;
    bool underlinedAtRest;
  };
  const Case cases[] = {{"Stored", false}, {"DetectFirst", false}, {"DetectLast", false}, {"NoDetect", true}};
  TOwned<TForm> window(new TForm(nullptr));
  ReadDescription(*window, R"(
object Form1: TForm
  object Stored: TUrlLabel
    Caption = 'What is JAR size limit ?'
    URLType = utClickEvent
    ShowUrlHint = False
    Cursor = -21
    Font.Color = clBlue
    Font.Style = [fsUnderline]
  end
  object DetectFirst: TUrlLabel
    DetectMouse = True
    Caption = '[?]'
    Font.Style = [fsUnderline]
  end
  object DetectLast: TUrlLabel
    Caption = '[?]'
    Font.Style = [fsUnderline, fsBold]
    DetectMouse = True
  end
  object NoDetect: TUrlLabel
    Caption = '[?]'
    Font.Style = [fsUnderline]
    DetectMouse = False
  end
end
)", nullptr);
  // The stored colour stays until the mouse has passed.
  auto* stored = dynamic_cast<TUrlLabel*>(window->FindComponent("Stored"));
  ASSERT_NE(stored, nullptr);
  EXPECT_EQ(stored->Font()->Color(), clBlue);
  for (const Case& c : cases) {
    auto* l = dynamic_cast<TUrlLabel*>(window->FindComponent(c.name));
    ASSERT_NE(l, nullptr) << c.name;
    const auto underlined = [l] { return (l->Font()->Style() & fsUnderline) != 0; };
    EXPECT_EQ(underlined(), c.underlinedAtRest) << c.name;
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QApplication::sendEvent(l->Widget(), &enter);
    EXPECT_TRUE(underlined()) << c.name;
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(l->Widget(), &leave);
    EXPECT_EQ(underlined(), c.underlinedAtRest) << c.name;
  }
  EXPECT_EQ(stored->Font()->Color(), clNavy);
}

// The hint after loading does not depend on the order in which a description gives the
// properties: labels that keep a hint of their own keep it, the others show their target.
TEST(UrlLabel, LoadedHintWhateverThePropertyOrder) {
  RegisterControlClasses();
  struct Case {
    const char* name;
    const char* hint;
  };
  const Case cases[] = {
      {"HintFirst", "Own hint"},  {"HintLast", "Own hint"}, {"ShowFirst", "Own hint"},
      {"Target", "http://example.org"}, {"TargetThenHint", "http://example.org"}, {"NoHint", ""},
  };
  TOwned<TForm> window(new TForm(nullptr));
  ReadDescription(*window, R"(
object Form1: TForm
  object HintFirst: TUrlLabel
    Hint = 'Own hint'
    URLType = utClickEvent
    ShowUrlHint = False
  end
  object HintLast: TUrlLabel
    URLType = utClickEvent
    ShowUrlHint = False
    Hint = 'Own hint'
  end
  object ShowFirst: TUrlLabel
    ShowUrlHint = False
    Hint = 'Own hint'
    URLType = utClickEvent
  end
  object Target: TUrlLabel
    Hint = 'Replaced'
    URL = 'example.org'
  end
  object TargetThenHint: TUrlLabel
    URL = 'example.org'
    Hint = 'Replaced'
  end
  object NoHint: TUrlLabel
    URL = 'example.org'
    ShowUrlHint = False
  end
end
)", nullptr);
  for (const Case& c : cases) {
    auto* l = dynamic_cast<TUrlLabel*>(window->FindComponent(c.name));
    ASSERT_NE(l, nullptr) << c.name;
    EXPECT_EQ(l->Hint(), c.hint) << c.name;
  }
  // Once loaded, the target hint follows the properties again.
  auto* target = dynamic_cast<TUrlLabel*>(window->FindComponent("Target"));
  target->SetURL("other.org");
  EXPECT_EQ(target->Hint(), "http://other.org");
}

}  // namespace
}  // namespace controls
