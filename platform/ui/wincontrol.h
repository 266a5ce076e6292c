#pragma once

#include "platform/ui/control.h"

#include <vector>

namespace platform {

// A control that can hold other controls and take the keyboard focus.
class TWinControl : public TControl {
  QW_CLASS(TWinControl, TControl)
public:
  explicit TWinControl(TComponent* owner);
  ~TWinControl() override;
  static void Publish(TProps<TWinControl>& p);

  int ControlCount() const { return static_cast<int>(controls_.size()); }
  TControl* Controls(int index) const { return controls_.at(static_cast<size_t>(index)); }
  // Where the widgets of child controls go.
  virtual QWidget* ContainerWidget() const { return Widget(); }

  bool TabStop() const { return tabStop_; }
  void SetTabStop(bool v);
  int TabOrder() const { return tabOrder_; }
  void SetTabOrder(int v) { tabOrder_ = v; }
  bool Focused() const;
  bool CanFocus() const;
  virtual void SetFocus();

  TNotifyEvent OnEnter, OnExit;
  TKeyEvent OnKeyDown, OnKeyUp;
  TKeyPressEvent OnKeyPress;

  // Lays out the aligned children (alTop, alBottom, alLeft, alRight, then alClient).
  void AlignControls();

protected:
  // Keyboard hooks: set key to 0 to drop it. The defaults raise the events.
  virtual void KeyDown(int& key, TShiftState shift);
  virtual void KeyUp(int& key, TShiftState shift);
  virtual void KeyPress(char& key);
  // Keys the control handles itself instead of the window's default and cancel buttons
  // (Enter and Escape).
  virtual bool WantsKey(int /*key*/) const { return false; }
  // byMouse: the focus came from a mouse press in this control.
  virtual void DoEnter(bool byMouse);
  virtual void DoExit();
  void Resize() override;
  void FontChanged() override;
  void ColorChanged() override;
  bool WidgetEvent(QEvent* event) override;

private:
  friend class TControl;
  void InsertControl(TControl* c);
  void RemoveControl(TControl* c);
  std::vector<TControl*> controls_;
  bool tabStop_ = false;
  int tabOrder_ = -1;
  bool aligning_ = false;
};

}  // namespace platform
