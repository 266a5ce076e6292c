#include "platform/ui/wincontrol.h"

#include "platform/ui/application.h"
#include "platform/ui/control.h"
#include "platform/ui/forms.h"
#include "platform/ui/qtbridge.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QWidget>

#include <algorithm>

namespace platform {

TWinControl::TWinControl(TComponent* owner) : TControl(owner) { SetWidget(new QWidget); }

TWinControl::~TWinControl() {
  // Child controls go with their parent, last first.
  while (!controls_.empty()) {
    TControl* c = controls_.back();
    RemoveControl(c);
    c->parent_ = nullptr;
    TComponent::Free(c);
  }
}

void TWinControl::Publish(TProps<TWinControl>& p) {
  p.Int("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder);
  p.Bool("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop);
  p.Event("OnEnter", &TWinControl::OnEnter);
  p.Event("OnExit", &TWinControl::OnExit);
  p.Event("OnKeyDown", &TWinControl::OnKeyDown);
  p.Event("OnKeyPress", &TWinControl::OnKeyPress);
  p.Event("OnKeyUp", &TWinControl::OnKeyUp);
}

void TWinControl::InsertControl(TControl* c) { controls_.push_back(c); }

void TWinControl::RemoveControl(TControl* c) {
  controls_.erase(std::remove(controls_.begin(), controls_.end(), c), controls_.end());
}

void TWinControl::SetTabStop(bool v) {
  tabStop_ = v;
  if (QWidget* w = Widget()) {
    if (w->focusPolicy() != Qt::NoFocus) w->setFocusPolicy(v ? Qt::StrongFocus : Qt::ClickFocus);
  }
}

bool TWinControl::Focused() const {
  QWidget* w = Widget();
  return w != nullptr && w->hasFocus();
}

bool TWinControl::CanFocus() const {
  for (const TControl* c = this; c != nullptr; c = c->Parent())
    if (!c->Visible() || !c->Enabled()) return false;
  return Widget() != nullptr && Widget()->focusPolicy() != Qt::NoFocus;
}

void TWinControl::SetFocus() {
  if (QWidget* w = Widget()) w->setFocus(Qt::OtherFocusReason);
}

void TWinControl::AlignControls() {
  if (aligning_) return;
  aligning_ = true;
  int l = 0, t = 0, r = ClientWidth(), b = ClientHeight();
  auto place = [](TControl* c, int x, int y, int w, int h) { c->SetBounds(x, y, std::max(0, w), std::max(0, h)); };
  for (TAlign a : {TAlign::alTop, TAlign::alBottom, TAlign::alLeft, TAlign::alRight, TAlign::alClient}) {
    for (TControl* c : controls_) {
      if (c->Align() != a || !c->Visible()) continue;
      switch (a) {
        case TAlign::alTop: place(c, l, t, r - l, c->Height()); t += c->Height(); break;
        case TAlign::alBottom: place(c, l, b - c->Height(), r - l, c->Height()); b -= c->Height(); break;
        case TAlign::alLeft: place(c, l, t, c->Width(), b - t); l += c->Width(); break;
        case TAlign::alRight: place(c, r - c->Width(), t, c->Width(), b - t); r -= c->Width(); break;
        case TAlign::alClient: place(c, l, t, r - l, b - t); break;
        case TAlign::alNone: break;
      }
    }
  }
  aligning_ = false;
}

void TWinControl::KeyDown(int& key, TShiftState shift) {
  if (OnKeyDown) OnKeyDown(this, key, shift);
}

void TWinControl::KeyUp(int& key, TShiftState shift) {
  if (OnKeyUp) OnKeyUp(this, key, shift);
}

void TWinControl::KeyPress(char& key) {
  if (OnKeyPress) OnKeyPress(this, key);
}

void TWinControl::DoEnter(bool /*byMouse*/) {
  if (OnEnter) OnEnter(this);
}

void TWinControl::DoExit() {
  if (OnExit) OnExit(this);
}

void TWinControl::Resize() {
  AlignControls();
  TControl::Resize();
}

void TWinControl::FontChanged() {
  TControl::FontChanged();
  for (TControl* c : controls_) c->ParentFontChanged();
}

void TWinControl::ColorChanged() {
  TControl::ColorChanged();
  for (TControl* c : controls_) c->ParentColorChanged();
}

bool TWinControl::WidgetEvent(QEvent* event) {
  switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
      // Only the control that has the focus hears its keys (not the parents Qt passes
      // them on to).
      if (TControl::FromWidget(QApplication::focusWidget()) != this) return false;
      auto* k = static_cast<QKeyEvent*>(event);
      int key = VirtualKeyOf(*k);
      TShiftState shift = ShiftStateOf(k->modifiers());
      if (event->type() == QEvent::KeyRelease) {
        if (key != 0) {
          KeyUp(key, shift);
          if (key == 0) return true;
        }
        return false;
      }
      if (key != 0) {
        KeyDown(key, shift);
        if (key == 0) return true;
        if ((key == VK_RETURN || key == VK_ESCAPE) && !WantsKey(key)) {
          if (TForm* f = ParentForm())
            if (f->PressDialogButton(key, this)) return true;
        }
        if (key == VK_F1) {
          for (TControl* c = this; c != nullptr; c = c->Parent())
            if (c->HelpContext() != 0) {
              Application().HelpContext(c->HelpContext());
              return true;
            }
        }
      }
      QString text = k->text();
      if (text.size() == 1 && text[0].unicode() != 0) {
        std::string b = FromQt(text);
        char ch = b.empty() ? '?' : b[0];
        KeyPress(ch);
        if (ch == '\0') return true;
      }
      return false;
    }
    case QEvent::FocusIn: {
      auto* f = static_cast<QFocusEvent*>(event);
      DoEnter(f->reason() == Qt::MouseFocusReason);
      return false;
    }
    case QEvent::FocusOut:
      DoExit();
      return false;
    default:
      return TControl::WidgetEvent(event);
  }
}

}  // namespace platform
