#include "controls/hintballoon.h"

#include "platform/ui/application.h"
#include "platform/ui/button.h"
#include "platform/ui/panel.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QElapsedTimer>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QMouseEvent>
#include <QScreen>
#include <QScrollArea>
#include <QTimer>
#include <QWidget>

namespace controls {
namespace {

using namespace platform;

void Settle() {
  for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
}

void ClickOn(QWidget* w) {
  const QPointF p(w->width() / 2.0, 12);
  QMouseEvent press(QEvent::MouseButtonPress, p, w->mapToGlobal(p), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(w, &press);
}

TEST(Balloon, AnimationFlagsTable) {
  const unsigned want[] = {0, 0x80000, 0x10, 0x40001, 0x40002, 0x40004, 0x40008, 0x1, 0x2, 0x4, 0x8};
  for (int t = 0; t <= batWipeBottomToTop; ++t) EXPECT_EQ(AnimationFlags(t), want[t]) << t;
  EXPECT_EQ(AnimationFlags(42), 0u);
  EXPECT_EQ(AnimationFlags(-1), 0u);
}

TEST(Balloon, ShowsAtThePointAndClosesOnClick) {
  TOwned<THintBalloonControl> c(new THintBalloonControl(nullptr));
  EXPECT_EQ(c->AnimationType(), batBlend);
  EXPECT_EQ(c->AnimationSpeed(), 300);
  EXPECT_EQ(c->Duration(), 0);
  c->SetAnimationType(batNone);
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  const int x = screen.left() + 300, y = screen.top() + 400;
  THintBalloon* b = c->ShowBalloonText(0, "[?]", 1, nullptr, y, x, 300, "Limits below 64K are not supported.");
  ASSERT_EQ(c->LastBalloon(), b);
  EXPECT_EQ(b->IconName(), "INFO");
  EXPECT_EQ(b->Title(), "[?]");
  EXPECT_EQ(b->Position(), 1);
  EXPECT_FALSE(b->Animated());
  QWidget* w = b->Window();
  EXPECT_TRUE(w->isVisible());
  EXPECT_FALSE(w->isActiveWindow());
  EXPECT_TRUE(w->testAttribute(Qt::WA_ShowWithoutActivating));
  // The arrow's tip touches the point: 20 pixels in from the left edge, at the bottom.
  EXPECT_EQ(w->x() + ArrowOffset, x);
  EXPECT_EQ(w->y() + w->height(), y);
  EXPECT_TRUE(w->mask().contains(QPoint(ArrowOffset, w->height() - 2)));
  EXPECT_FALSE(w->mask().contains(QPoint(w->width() - 2, w->height() - 2)));
  EXPECT_NE(b->Params().find("'MainPanelMaxWidth="), std::string::npos);

  ClickOn(w);
  Settle();
  EXPECT_EQ(c->LastBalloon(), nullptr);  // freed itself
}

TEST(Balloon, SeveralBalloonsCloseInAnyOrder) {
  TOwned<THintBalloonControl> c(new THintBalloonControl(nullptr));
  c->SetAnimationSpeed(0);  // blend at speed 0: no animation either
  const QRect s = QGuiApplication::primaryScreen()->geometry();
  THintBalloon* first = c->ShowBalloonText(1, "One", 1, nullptr, s.top() + 300, s.left() + 300, 200, "a");
  QPointer<QWidget> firstWindow = first->Window();
  EXPECT_FALSE(first->Animated());
  THintBalloon* second = c->ShowBalloonText(2, "", 3, nullptr, s.top() + 300, s.left() + 600, 200, "b");
  EXPECT_EQ(second->IconName(), "WARNING");
  EXPECT_TRUE(firstWindow->isVisible());  // a new balloon does not close the old one
  first->CloseBalloon();
  first->CloseBalloon();  // twice is harmless
  Settle();
  EXPECT_TRUE(firstWindow.isNull());
  EXPECT_EQ(c->LastBalloon(), second);
  second->CloseBalloon();
  Settle();
  EXPECT_EQ(c->LastBalloon(), nullptr);
}

TEST(Balloon, NearTheCornerFallsBackAndTimesOut) {
  TOwned<THintBalloonControl> c(new THintBalloonControl(nullptr));
  c->SetAnimationType(batSlideLeftToRight);  // shown without animation here
  c->SetDuration(50);
  const QRect s = QGuiApplication::primaryScreen()->geometry();
  THintBalloon* b = c->ShowBalloonText(5, "", 1, nullptr, s.bottom() - 5, s.right() - 5, 300, "Near the corner");
  EXPECT_EQ(b->Position(), 0);
  EXPECT_EQ(b->IconName(), "");
  EXPECT_EQ(b->Layout().Text.Left, 10);
  EXPECT_EQ(b->Layout().Text.Top, 10);
  EXPECT_FALSE(b->Animated());
  ASSERT_NE(b->CloseTimer(), nullptr);
  EXPECT_EQ(b->CloseTimer()->interval(), 50);
  QElapsedTimer clock;
  clock.start();
  while (c->LastBalloon() != nullptr && clock.elapsed() < 5000) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  EXPECT_EQ(c->LastBalloon(), nullptr);
}

TEST(Balloon, TextTooLongForAnyQuadrantScrolls) {
  TOwned<THintBalloonControl> c(new THintBalloonControl(nullptr));
  c->SetAnimationType(batNone);
  const QRect s = QGuiApplication::primaryScreen()->geometry();
  std::string text;
  for (int i = 0; i < 800; ++i) text += "word ";
  THintBalloon* b = c->ShowBalloonText(0, "Long", 1, nullptr, s.center().y(), s.center().x(), 300, text);
  EXPECT_TRUE(b->Layout().Scrolled);
  EXPECT_NE(b->Window()->findChild<QScrollArea*>(), nullptr);
  const QRect g = b->Window()->geometry();
  EXPECT_TRUE(s.contains(g)) << g.x() << "," << g.y() << " " << g.width() << "x" << g.height();
  b->CloseBalloon();
  Settle();
}

// A path with no blank in it, longer than a balloon is wide (a custom font's path shown as a
// hint): the balloon breaks it where it must, and every character is shown.
TEST(Balloon, WordWiderThanTheBalloonIsBrokenWhereItMust) {
  TOwned<THintBalloonControl> c(new THintBalloonControl(nullptr));
  c->SetAnimationType(batNone);
  const QRect s = QGuiApplication::primaryScreen()->geometry();
  std::string path = "/home/reader/Fonts/";
  while (path.size() < 292) path += "a_folder_name_that_cannot_be_broken_at_a_blank/";
  path = path.substr(0, 292) + "font.fnt";
  ASSERT_EQ(path.size(), 300u);
  const QString text = QString::fromLatin1(path.c_str());

  THintBalloon* b = c->ShowBalloonText(-1, "", 1, nullptr, s.top() + 400, s.left() + 100, 300, path);
  const TBalloonLayout& l = b->Layout();
  EXPECT_FALSE(l.Scrolled);
  EXPECT_EQ(l.Text.Width(), 280);  // preferred width less the margins
  EXPECT_LE(b->Window()->width(), 301);
  const QStringList lines = BalloonTextLines(text, l.Text.Width());
  EXPECT_EQ(lines.join(QString()), text);  // nothing lost
  QFont font(QStringLiteral("Tahoma"));
  font.setPixelSize(11);
  const QFontMetrics fm(font);
  ASSERT_GE(lines.size(), (fm.horizontalAdvance(text) + 279) / 280);
  for (const QString& line : lines) EXPECT_LE(fm.horizontalAdvance(line), 280) << line.toStdString();
  EXPECT_GE(l.Text.Height(), static_cast<int>(lines.size()) * fm.height());

  // Each line is drawn: ink in the band of every line, none right of the text.
  QWidget* content = nullptr;
  for (QWidget* w : b->Window()->findChildren<QWidget*>())
    if (w->parentWidget() == b->Window()) content = w;
  ASSERT_NE(content, nullptr);
  const QImage shot = content->grab().toImage();
  const int lineHeight = l.Text.Height() / static_cast<int>(lines.size());
  for (int i = 0; i < static_cast<int>(lines.size()); ++i) {
    bool ink = false;
    for (int y = l.Text.Top + i * lineHeight; y < l.Text.Top + (i + 1) * lineHeight && y < shot.height(); ++y)
      for (int x = 0; x < shot.width() && !ink; ++x) ink = qGray(shot.pixel(x, y)) < 128;
    EXPECT_TRUE(ink) << "line " << i << ": " << lines[i].toStdString();
  }
  b->CloseBalloon();
  Settle();

  // A word too long for any quadrant: wrapped and scrolled, still whole.
  const std::string word(5000, 'w');
  b = c->ShowBalloonText(0, "", 1, nullptr, s.center().y(), s.center().x(), 300, word);
  EXPECT_TRUE(b->Layout().Scrolled);
  EXPECT_GT(b->Layout().Text.Height(), 20 * fm.height());
  EXPECT_EQ(BalloonTextLines(QString::fromLatin1(word.c_str()), b->Layout().Text.Width()).join(QString()).size(), 5000);
  b->CloseBalloon();
  Settle();
}

TEST(Balloon, AnchorControlGivesTheCornerTip) {
  TOwned<THintBalloonControl> c(new THintBalloonControl(nullptr));
  c->SetAnimationType(batNone);
  TOwned<TPanel> anchor(new TPanel(nullptr));
  anchor->SetBounds(0, 0, 100, 40);
  anchor->Widget()->move(200, 300);
  anchor->Widget()->show();
  Settle();
  THintBalloon* b = c->ShowBalloonText(0, "T", 3, anchor.get(), 0, 0, 200, "below, to the right");
  const QPoint tl = anchor->Widget()->mapToGlobal(QPoint(0, 0));
  EXPECT_EQ(b->Position(), 3);
  EXPECT_EQ(b->Window()->x() + ArrowOffset, tl.x() + 100);  // the right-bottom corner
  EXPECT_EQ(b->Window()->y() + 2, tl.y() + 40);
  b->CloseBalloon();
  Settle();
}

TEST(Balloon, HintsShowAsBalloonsThroughTheApplication) {
  TOwned<THintBalloonControl> c(new THintBalloonControl(nullptr));
  c->SetAnimationType(batNone);
  UseBalloonHints(c.get());
  Application().SetHintHidePause(2500);
  TOwned<TButton> button(new TButton(nullptr));
  button->SetHint("Short|Long help");
  button->SetShowHint(true);
  const QRect s = QGuiApplication::primaryScreen()->geometry();
  Application().ActivateHint(button.get(), {s.left() + 400, s.top() + 300});
  THintBalloon* b = c->LastBalloon();
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(b->Text(), "Short");
  EXPECT_EQ(b->Title(), "");
  EXPECT_EQ(b->Position(), 1);
  EXPECT_EQ(b->Window()->x() + ArrowOffset, s.left() + 400);  // the tip at the mouse pointer
  EXPECT_EQ(b->Window()->y() + b->Window()->height(), s.top() + 300);
  ASSERT_NE(b->CloseTimer(), nullptr);
  EXPECT_EQ(b->CloseTimer()->interval(), 2500);
  EXPECT_EQ(c->Duration(), 0);  // put back
  b->CloseBalloon();
  Settle();
  c.reset();  // the hook goes with its control
  EXPECT_FALSE(static_cast<bool>(Application().HintHook()));
}

}  // namespace
}  // namespace controls
