// The integer spin edit: a single-line edit with a column of an up button, a slider strip
// and a down button at its right edge. The value lives only in the text.
#pragma once

#include "controls/spinvalue.h"
#include "platform/ui/control.h"
#include "platform/ui/customedit.h"
#include "platform/ui/speedbutton.h"
#include "platform/ui/timer.h"
#include "platform/ui/wincontrol.h"

#include <QImage>

namespace controls {

enum TTimerFlag : unsigned { tfFocusRect = 1, tfAllowRepeat = 2 };

// A speed button that repeats its click while held: first after 400 ms, then every 100 ms.
class TTimerSpeedButton : public platform::TSpeedButton {
  QW_CLASS(TTimerSpeedButton, platform::TSpeedButton)
public:
  explicit TTimerSpeedButton(platform::TComponent* owner);
  unsigned TimerFlags() const { return timerFlags_; }
  void SetTimerFlags(unsigned f) { timerFlags_ = f; }
  // Made on the first press, owned by the button.
  platform::TTimer* RepeatTimer() const { return repeatTimer_; }
  // The timer's tick (tests call it in place of waiting).
  void RepeatTimerExpired();

protected:
  void MouseDown(platform::TMouseButton b, platform::TShiftState s, int x, int y) override;
  void MouseUp(platform::TMouseButton b, platform::TShiftState s, int x, int y) override;
  void Paint(QPainter& painter) override;

private:
  platform::TTimer* repeatTimer_ = nullptr;
  unsigned timerFlags_ = 0;
};

// The button column: up, slider, down; always 13 pixels wide.
class TSpinSliderButton : public platform::TWinControl {
  QW_CLASS(TSpinSliderButton, platform::TWinControl)
public:
  explicit TSpinSliderButton(platform::TComponent* owner);
  static void Publish(platform::TProps<TSpinSliderButton>& p);

  TTimerSpeedButton* UpButton() const { return up_; }
  TTimerSpeedButton* DownButton() const { return down_; }
  platform::TSpeedButton* SliderButton() const { return slider_; }
  platform::TWinControl* FocusControl() const { return focusControl_; }
  void SetFocusControl(platform::TWinControl* c) { focusControl_ = c; }
  // An empty image loads the default glyph.
  QImage UpGlyph() const { return up_->Glyph(); }
  void SetUpGlyph(const QImage& g);
  void SetDownGlyph(const QImage& g);
  bool SliderPressed() const { return sliderPressed_; }
  void SetSliderPressed(bool v) { sliderPressed_ = v; }
  int SliderMouseY() const { return sliderMouseY_; }
  void SetSliderMouseY(int v) { sliderMouseY_ = v; }
  int SliderPressedY() const { return sliderPressedY_; }
  void SetSliderPressedY(int v) { sliderPressedY_ = v; }

  platform::TNotifyEvent OnUpClick, OnDownClick;
  // The column's OnMouseDown and OnMouseMove are raised only for the slider: a left press,
  // and movements while it is held.

  void SetBounds(int left, int top, int width, int height) override;
  void Loaded() override;

protected:
  void KeyDown(int& key, platform::TShiftState shift) override;
  void Resize() override;
  void MouseDown(platform::TMouseButton, platform::TShiftState, int, int) override {}
  void MouseMove(platform::TShiftState, int, int) override {}

private:
  TTimerSpeedButton* MakeRepeatButton();
  void SliderMouseUp(platform::TObject* sender, platform::TMouseButton b, platform::TShiftState s, int x, int y);
  void SliderMouseMove(platform::TObject* sender, platform::TShiftState s, int x, int y);
  void Arrange(int& w, int& h);
  void ButtonMouseDown(platform::TObject* sender, platform::TMouseButton b, platform::TShiftState s, int x, int y);
  void ButtonClick(platform::TObject* sender);
  void SetFocusedButton(TTimerSpeedButton* b);

  TTimerSpeedButton* up_ = nullptr;
  TTimerSpeedButton* down_ = nullptr;
  platform::TSpeedButton* slider_ = nullptr;
  TTimerSpeedButton* focused_ = nullptr;
  platform::TWinControl* focusControl_ = nullptr;
  bool sliderPressed_ = false;
  int sliderMouseY_ = 0;
  int sliderPressedY_ = 0;
  bool arranging_ = false;
};

class TMySpinEdit : public platform::TCustomEdit {
  QW_CLASS(TMySpinEdit, platform::TCustomEdit)
public:
  explicit TMySpinEdit(platform::TComponent* owner);
  ~TMySpinEdit() override;
  static void Publish(platform::TProps<TMySpinEdit>& p);

  int32_t MinValue() const { return minValue_; }
  void SetMinValue(int32_t v) { minValue_ = v; }
  int32_t MaxValue() const { return maxValue_; }
  void SetMaxValue(int32_t v) { maxValue_ = v; }
  int32_t Increment() const { return increment_; }
  void SetIncrement(int32_t v) { increment_ = v; }
  bool EditorEnabled() const { return editorEnabled_; }
  void SetEditorEnabled(bool v) { editorEnabled_ = v; }
  TSpinSliderButton* Button() const { return button_; }

  int32_t Value() const;
  void SetValue(int32_t v);
  int32_t ClampValue(int64_t v) const { return ClampSpinValue(v, minValue_, maxValue_); }

  virtual bool IsAcceptedChar(char key) const;
  virtual void StepUp(platform::TObject* sender);
  virtual void StepDown(platform::TObject* sender);
  virtual void StepToZero(platform::TObject* sender);

  int MinimumHeight() const;
  // The locale's decimal separator as an 8-bit character; '\0' when the code page lacks it.
  char DecimalSeparator() const;

  bool CanPaste() const override { return editorEnabled_ && !ReadOnly(); }
  bool CanCut() const override { return editorEnabled_ && !ReadOnly(); }
  void SetBounds(int left, int top, int width, int height) override;

protected:
  void KeyDown(int& key, platform::TShiftState shift) override;
  void KeyPress(char& key) override;
  // Return stays in the box (where it is refused), as in a multi-line edit: it never
  // reaches the window's default button.
  bool WantsKey(int key) const override { return key == platform::VK_RETURN; }
  void DoExit() override;
  void Resize() override;

private:
  friend class SpinInputFilter;
  void SliderMoved(platform::TObject* sender, platform::TShiftState shift, int x, int y);
  void PlaceButton();
  void Step(int64_t delta);

  int32_t minValue_ = 0, maxValue_ = 0, increment_ = 1;
  bool editorEnabled_ = true;
  TSpinSliderButton* button_ = nullptr;
  bool sizing_ = false;
};

}  // namespace controls
