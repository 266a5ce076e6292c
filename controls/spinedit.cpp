#include "controls/spinedit.h"

#include "controls/spinglyphs.h"
#include "platform/ui/application.h"
#include "platform/ui/control.h"
#include "platform/ui/customedit.h"
#include "platform/ui/qtbridge.h"
#include "platform/ui/services.h"
#include "platform/ui/speedbutton.h"
#include "platform/ui/timer.h"
#include "platform/ui/wincontrol.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLineEdit>
#include <QLocale>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <QValidator>

namespace controls {

using namespace platform;

// --- TTimerSpeedButton ---------------------------------------------------------------------

TTimerSpeedButton::TTimerSpeedButton(TComponent* owner) : TSpeedButton(owner) {}

void TTimerSpeedButton::MouseDown(TMouseButton b, TShiftState s, int x, int y) {
  TSpeedButton::MouseDown(b, s, x, y);
  if ((timerFlags_ & tfAllowRepeat) != 0) {
    if (repeatTimer_ == nullptr) {
      repeatTimer_ = new TTimer(this);
      repeatTimer_->SetEnabled(false);
      repeatTimer_->SetOnTimer([this](TObject*) { RepeatTimerExpired(); });
    }
    repeatTimer_->SetInterval(400);
    repeatTimer_->SetEnabled(true);
  }
}

void TTimerSpeedButton::MouseUp(TMouseButton b, TShiftState s, int x, int y) {
  TSpeedButton::MouseUp(b, s, x, y);
  if (repeatTimer_ != nullptr) repeatTimer_->SetEnabled(false);
}

void TTimerSpeedButton::RepeatTimerExpired() {
  if (repeatTimer_ != nullptr) repeatTimer_->SetInterval(100);
  if (State() != TButtonState::bsDown || !MouseCaptured()) return;
  try {
    Click();
  } catch (...) {
    if (repeatTimer_ != nullptr) repeatTimer_->SetEnabled(false);
    throw;
  }
}

void TTimerSpeedButton::Paint(QPainter& painter) {
  TSpeedButton::Paint(painter);
  if ((timerFlags_ & tfFocusRect) == 0) return;
  QRect r(3, 3, Width() - 6, Height() - 6);
  if (State() == TButtonState::bsDown) r.translate(1, 1);
  QStyleOptionFocusRect o;
  o.rect = r;
  o.palette = QApplication::palette();
  QApplication::style()->drawPrimitive(QStyle::PE_FrameFocusRect, &o, &painter);
}

// --- TSpinSliderButton ---------------------------------------------------------------------

TSpinSliderButton::TSpinSliderButton(TComponent* owner) : TWinControl(owner) {
  Widget()->setFocusPolicy(Qt::NoFocus);
  up_ = MakeRepeatButton();
  down_ = MakeRepeatButton();
  slider_ = new TSpeedButton(this);
  slider_->OnMouseDown = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
    ButtonMouseDown(s, b, sh, x, y);
  };
  slider_->OnMouseUp = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
    SliderMouseUp(s, b, sh, x, y);
  };
  slider_->OnMouseMove = [this](TObject* s, TShiftState sh, int x, int y) { SliderMouseMove(s, sh, x, y); };
  slider_->SetNumGlyphs(1);
  slider_->SetCursor(crVSplit);
  slider_->SetParent(this);
  SetUpGlyph(QImage());
  SetDownGlyph(QImage());
  SetBounds(Left(), Top(), 20, 25);
  focused_ = up_;
}

void TSpinSliderButton::Publish(TProps<TSpinSliderButton>& p) {
  p.Ref<TWinControl>("FocusControl", &TSpinSliderButton::FocusControl, &TSpinSliderButton::SetFocusControl);
  p.Event("OnUpClick", &TSpinSliderButton::OnUpClick);
  p.Event("OnDownClick", &TSpinSliderButton::OnDownClick);
  p.Bool("SliderPressed", &TSpinSliderButton::SliderPressed, &TSpinSliderButton::SetSliderPressed);
  p.Int("SliderMouseY", &TSpinSliderButton::SliderMouseY, &TSpinSliderButton::SetSliderMouseY);
  p.Int("SliderPressedY", &TSpinSliderButton::SliderPressedY, &TSpinSliderButton::SetSliderPressedY);
}

TTimerSpeedButton* TSpinSliderButton::MakeRepeatButton() {
  auto* b = new TTimerSpeedButton(this);
  b->OnClick = [this](TObject* s) { ButtonClick(s); };
  b->OnMouseDown = [this](TObject* s, TMouseButton bt, TShiftState sh, int x, int y) {
    ButtonMouseDown(s, bt, sh, x, y);
  };
  b->SetTimerFlags(tfAllowRepeat);
  b->SetNumGlyphs(1);
  b->SetParent(this);
  return b;
}

void TSpinSliderButton::SetUpGlyph(const QImage& g) {
  up_->SetGlyph(g.isNull() ? LoadSpinGlyph("MySpinUp") : g);
  up_->SetNumGlyphs(1);
}

void TSpinSliderButton::SetDownGlyph(const QImage& g) {
  down_->SetGlyph(g.isNull() ? LoadSpinGlyph("MySpinDown") : g);
  down_->SetNumGlyphs(1);
}

void TSpinSliderButton::Arrange(int& w, int& h) {
  if (up_ == nullptr || down_ == nullptr || slider_ == nullptr || Loading()) return;
  const TSpinColumnLayout l = ArrangeSpinButtons(h);
  h = l.Height;
  w = l.Width;
  up_->SetBounds(l.Up.Left, l.Up.Top, l.Up.Width, l.Up.Height);
  slider_->SetBounds(l.Slider.Left, l.Slider.Top, l.Slider.Width, l.Slider.Height);
  down_->SetBounds(l.Down.Left, l.Down.Top, l.Down.Width, l.Down.Height);
}

void TSpinSliderButton::SetBounds(int left, int top, int width, int height) {
  Arrange(width, height);
  TWinControl::SetBounds(left, top, width, height);
}

void TSpinSliderButton::Loaded() {
  TWinControl::Loaded();
  int w = Width(), h = Height();
  Arrange(w, h);
  if (w != Width() || h != Height()) TWinControl::SetBounds(Left(), Top(), w, h);
}

void TSpinSliderButton::Resize() {
  TWinControl::Resize();
  if (arranging_) return;
  arranging_ = true;
  int w = Width(), h = Height();
  Arrange(w, h);
  if (w != Width() || h != Height()) TWinControl::SetBounds(Left(), Top(), w, h);
  arranging_ = false;
}

void TSpinSliderButton::ButtonMouseDown(TObject* sender, TMouseButton b, TShiftState s, int x, int y) {
  if (b != TMouseButton::mbLeft) return;
  if (auto* tb = dynamic_cast<TTimerSpeedButton*>(sender)) SetFocusedButton(tb);
  if (focusControl_ != nullptr && focusControl_->TabStop() && focusControl_->CanFocus() && !focusControl_->Focused())
    focusControl_->SetFocus();
  else if (TabStop() && !Focused() && CanFocus()) SetFocus();
  if (sender == slider_) {
    sliderPressed_ = true;
    sliderPressedY_ = y;
    if (OnMouseDown) OnMouseDown(sender, b, s, x, y);
  }
}

void TSpinSliderButton::SliderMouseUp(TObject*, TMouseButton b, TShiftState, int, int) {
  if (b == TMouseButton::mbLeft) sliderPressed_ = false;
}

void TSpinSliderButton::SliderMouseMove(TObject* sender, TShiftState s, int x, int y) {
  if (!sliderPressed_) return;
  sliderMouseY_ = y;
  if (OnMouseMove) OnMouseMove(sender, s, x, y);
}

void TSpinSliderButton::ButtonClick(TObject* sender) {
  if (sender == up_) {
    if (OnUpClick) OnUpClick(this);
  } else if (OnDownClick) {
    OnDownClick(this);
  }
}

void TSpinSliderButton::SetFocusedButton(TTimerSpeedButton* b) {
  if (!TabStop() || !CanFocus() || b == focused_) return;
  focused_->SetTimerFlags(focused_->TimerFlags() & ~tfFocusRect);
  focused_->Invalidate();
  focused_ = b;
  if (Focused()) {
    b->SetTimerFlags(b->TimerFlags() | tfFocusRect);
    Invalidate();
    b->Invalidate();
  }
}

void TSpinSliderButton::KeyDown(int& key, TShiftState shift) {
  switch (key) {
    case VK_SPACE: focused_->Click(); break;
    case VK_UP:
      SetFocusedButton(up_);
      up_->Click();
      break;
    case VK_DOWN:
      SetFocusedButton(down_);
      down_->Click();
      break;
    default: break;
  }
  TWinControl::KeyDown(key, shift);
}

// --- TMySpinEdit ---------------------------------------------------------------------------

// Every way text enters the box (typing, pasting, middle-click selection paste, dropping,
// input methods) ends in a change of the line edit's text, which Qt checks here first:
// the part that differs from the box's current text must pass the character filter.
class SpinInputFilter : public QValidator {
public:
  SpinInputFilter(TMySpinEdit* owner, QObject* parent) : QValidator(parent), owner_(owner) {}
  State validate(QString& input, int&) const override {
    const QString current = owner_->ToQt(owner_->Text());
    if (input == current) return Acceptable;
    bool ok = owner_->editorEnabled_ && !owner_->ReadOnly();
    if (ok) {
      qsizetype prefix = 0;
      while (prefix < input.size() && prefix < current.size() && input[prefix] == current[prefix]) ++prefix;
      qsizetype suffix = 0;
      while (suffix < input.size() - prefix && suffix < current.size() - prefix &&
             input[input.size() - 1 - suffix] == current[current.size() - 1 - suffix])
        ++suffix;
      const QString inserted = input.mid(prefix, input.size() - prefix - suffix);
      ok = IsAcceptedSpinInsertion(owner_->FromQt(inserted), owner_->DecimalSeparator(), true);
      // Characters outside the code page come back as '?', which the filter refuses.
    }
    if (!ok) Services().Beep();
    return ok ? Acceptable : Invalid;
  }

private:
  TMySpinEdit* owner_;
};

TMySpinEdit::TMySpinEdit(TComponent* owner) : TCustomEdit(owner) {
  button_ = new TSpinSliderButton(this);
  button_->SetBounds(button_->Left(), button_->Top(), 16, 18);
  button_->SetVisible(true);
  button_->SetParent(this);
  button_->SetFocusControl(this);
  button_->OnUpClick = [this](TObject* s) { StepUp(s); };
  button_->OnDownClick = [this](TObject* s) { StepDown(s); };
  button_->OnMouseMove = [this](TObject* s, TShiftState sh, int x, int y) { SliderMoved(s, sh, x, y); };
  LineEdit()->setValidator(new SpinInputFilter(this, LineEdit()));
  SetText("0");
  PlaceButton();
}

TMySpinEdit::~TMySpinEdit() {
  LineEdit()->setValidator(nullptr);
  button_ = nullptr;
}

void TMySpinEdit::Publish(TProps<TMySpinEdit>& p) {
  p.Int("MinValue", &TMySpinEdit::MinValue, &TMySpinEdit::SetMinValue);
  p.Int("MaxValue", &TMySpinEdit::MaxValue, &TMySpinEdit::SetMaxValue);
  p.Int("Increment", &TMySpinEdit::Increment, &TMySpinEdit::SetIncrement);
  p.Bool("EditorEnabled", &TMySpinEdit::EditorEnabled, &TMySpinEdit::SetEditorEnabled);
  p.Int("Value", &TMySpinEdit::Value, &TMySpinEdit::SetValue);
}

int32_t TMySpinEdit::Value() const { return SpinValueOfText(Text(), minValue_, maxValue_); }

void TMySpinEdit::SetValue(int32_t v) { SetText(std::to_string(ClampValue(v))); }

char TMySpinEdit::DecimalSeparator() const {
  QString point = QLocale().decimalPoint();
  int cursor = 0;
  // A separator the code page cannot hold (U+066B) is none at all, not the '?' it converts to.
  if (DropUnholdable(point, cursor)) return '\0';
  const std::string s = FromQt(point);
  return s.size() == 1 ? s[0] : '.';
}

bool TMySpinEdit::IsAcceptedChar(char key) const {
  return IsAcceptedSpinChar(static_cast<unsigned char>(key), DecimalSeparator(), editorEnabled_);
}

void TMySpinEdit::Step(int64_t delta) {
  if (ReadOnly()) {
    Services().Beep();
    return;
  }
  SetValue(SpinStep(Value(), delta, minValue_, maxValue_));
}

void TMySpinEdit::StepUp(TObject*) { Step(increment_); }
void TMySpinEdit::StepDown(TObject*) { Step(-int64_t{increment_}); }
void TMySpinEdit::StepToZero(TObject*) {
  if (ReadOnly()) {
    Services().Beep();
    return;
  }
  SetValue(0);
}

void TMySpinEdit::KeyDown(int& key, TShiftState shift) {
  if (key == VK_UP) StepUp(this);
  else if (key == VK_DOWN) StepDown(this);
  TCustomEdit::KeyDown(key, shift);
}

void TMySpinEdit::KeyPress(char& key) {
  if (!IsAcceptedChar(key)) {
    key = 0;
    Services().Beep();
    return;
  }
  TCustomEdit::KeyPress(key);
}

void TMySpinEdit::DoExit() { SetText(std::to_string(Value())); }

int TMySpinEdit::MinimumHeight() const {
  const int screen = QFontMetrics(QApplication::font()).height();
  const int own = QFontMetrics(ToQFont(*Font())).height();
  return SpinMinimumHeight(1, screen, own);
}

void TMySpinEdit::SetBounds(int left, int top, int width, int height) {
  TCustomEdit::SetBounds(left, top, width, height);
  PlaceButton();
}

void TMySpinEdit::Resize() {
  TCustomEdit::Resize();
  PlaceButton();
}

void TMySpinEdit::PlaceButton() {
  if (sizing_ || button_ == nullptr) return;
  sizing_ = true;
  if (Height() < MinimumHeight()) {
    SetHeight(MinimumHeight());
  }
  // The edit's 2-pixel frame stands for the 3-D border: the column's place is given in
  // the client area inside it.
  const int frame = LineEdit()->hasFrame() ? 2 : 0;
  const TSpinBounds b = SpinColumnBounds(Width(), Height(), button_->Width(), true, true);
  button_->SetBounds(b.Left + frame, b.Top + frame, b.Width, b.Height);
  LineEdit()->setTextMargins(0, 0, button_->Width() + 2, 0);
  sizing_ = false;
}

void TMySpinEdit::SliderMoved(TObject*, TShiftState, int, int y) {
  if (button_ == nullptr || !button_->SliderPressed()) return;
  if (ReadOnly()) {
    Services().Beep();
    return;
  }
  const int d = button_->SliderPressedY() - y;
  if (d > 0) {
    for (int i = 0; i < d; ++i) StepUp(this);
    button_->SetSliderPressedY(y);
  } else if (d < 0) {
    for (int i = 0; i < -d; ++i) StepDown(this);
    button_->SetSliderPressedY(y);
  }
}

}  // namespace controls
