// Balloon hints: light-yellow, frameless, stay-on-top windows that never take the focus,
// shaped as a rounded rectangle with an arrow pointing at a spot on the screen, holding an
// optional 16 x 16 icon, an optional bold title and a word-wrapped text.
#pragma once

#include "controls/balloongeometry.h"
#include "platform/components/component.h"
#include "platform/ui/control.h"

#include <QPointer>
#include <QStringList>
#include <string>

class QWidget;
class QTimer;

namespace controls {

enum THintBalloonAnimationType {
  batNone,
  batBlend,
  batCenter,
  batSlideLeftToRight,
  batSlideRightToLeft,
  batSlideTopToBottom,
  batSlideBottomToTop,
  batWipeLeftToRight,
  batWipeRightToLeft,
  batWipeTopToBottom,
  batWipeBottomToTop
};

// The window animation flags of a type (0 for batNone and unknown values).
unsigned AnimationFlags(int type);

class THintBalloon;

// Holds the balloon settings of a window and shows text balloons.
class THintBalloonControl : public platform::TComponent {
  QW_CLASS(THintBalloonControl, platform::TComponent)
public:
  explicit THintBalloonControl(platform::TComponent* owner);
  ~THintBalloonControl() override;
  static void Publish(platform::TProps<THintBalloonControl>& p);

  int Duration() const { return duration_; }
  void SetDuration(int ms) { duration_ = ms; }
  THintBalloonAnimationType AnimationType() const { return animationType_; }
  void SetAnimationType(THintBalloonAnimationType t) { animationType_ = t; }
  int AnimationSpeed() const { return animationSpeed_; }
  void SetAnimationSpeed(int ms) { animationSpeed_ = ms; }
  // The code page of the texts of the balloons shown next (65001: UTF-8); 0, the default,
  // is the interface code page.
  int TextCodePage() const { return textCodePage_; }
  void SetTextCodePage(int cp) { textCodePage_ = cp; }

  // Icon kind 0 "INFO", 1 "ERROR", 2 "WARNING", other values none. Positions 0..3 (above
  // extending left, above extending right, below extending left, below extending right).
  // Note the order of the point: Y before X.
  THintBalloon* ShowBalloonText(int iconKind, const std::string& title, int preferredPosition,
                                platform::TControl* anchor, int y, int x, int preferredWidth, const std::string& text);
  // The balloon shown last while it is open, else nullptr (balloons free themselves).
  THintBalloon* LastBalloon() const { return last_; }

  void Notification(platform::TComponent* component, platform::TOperation operation) override;

private:
  int duration_ = 0;
  THintBalloonAnimationType animationType_ = batBlend;
  int animationSpeed_ = 300;
  int textCodePage_ = 0;
  THintBalloon* last_ = nullptr;
};

// One balloon window. Frees itself after a click on it, its deactivation or its timer.
class THintBalloon : public platform::TComponent {
  QW_CLASS(THintBalloon, platform::TComponent)
public:
  explicit THintBalloon(platform::TComponent* owner);
  ~THintBalloon() override;

  // Lays out the content from the parameter string, chooses the place and shows it.
  void ShowBalloonAt(const std::string& params, int x, int y, int animationSpeed, int animationType,
                     int preferredPosition, int duration, platform::TControl* anchor);
  // Closes the balloon once pending events are handled; it then frees itself.
  virtual void CloseBalloon();

  // What ShowBalloonAt decided.
  const std::string& Params() const { return params_; }
  const std::string& IconName() const { return icon_; }
  const std::string& Title() const { return title_; }
  const std::string& Text() const { return text_; }
  // The text as it is shown, read in its code page (0: the interface code page).
  QString ShownText() const;
  void SetTextCodePage(int cp) { textCodePage_ = cp; }
  int Position() const { return position_; }
  const TBalloonShape& Shape() const { return shape_; }
  const TBalloonLayout& Layout() const { return layout_; }
  bool Animated() const { return animated_; }
  QWidget* Window() const;
  QTimer* CloseTimer() const { return closeTimer_; }

private:
  friend class BalloonWindow;
  void StartCloseTimer(int duration);
  QPointer<QWidget> window_;
  QTimer* closeTimer_ = nullptr;
  std::string params_;
  std::string icon_, title_, text_;
  int textCodePage_ = 0;
  int position_ = 0;
  TBalloonShape shape_;
  TBalloonLayout layout_;
  bool animated_ = false;
  bool closing_ = false;
};

// The lines of a balloon text as a balloon draws it at `width` pixels: wrapped at word
// boundaries, a word wider than a line broken where it must be.
QStringList BalloonTextLines(const QString& text, int width);

// Every control hint of the application shows as a balloon through `control` (nullptr:
// back to plain hints).
void UseBalloonHints(THintBalloonControl* control);
// A hint over a control: no icon, no title, preferred width 300, position 1, the tip 20
// pixels above the hint rectangle's top-left corner, closing after the hint hide pause.
// The hint is a text of code page `codePage` (0: the interface code page), the one its
// control shows its texts in.
THintBalloon* ActivateBalloonHint(const platform::TRect& hintRect, const std::string& hint, int codePage = 0);

}  // namespace controls
