#include "platform/ui/forms.h"

#include "platform/ui/application.h"
#include "platform/ui/button.h"
#include "platform/ui/classes.h"
#include "platform/ui/control.h"
#include "platform/ui/wincontrol.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace platform {

TForm::TForm(TComponent* owner) : TWinControl(owner) {
  auto* w = new QWidget(nullptr, Qt::Window);
  w->setAutoFillBackground(true);
  SetWidget(w);
  TControl::SetVisible(false);
  SetBounds(0, 0, 320, 240);
  SetParentShowHint(false);
}

TForm::~TForm() = default;

void TForm::Publish(TProps<TForm>& p) {
  p.Enum("BorderStyle", {"bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow", "bsSizeToolWin"},
         &TForm::BorderStyle, &TForm::SetBorderStyle);
  p.Str("Caption", &TForm::Caption, &TForm::SetCaption);
  p.Int("ClientHeight", &TForm::ClientHeight, &TForm::SetClientHeight);
  p.Int("ClientWidth", &TForm::ClientWidth, &TForm::SetClientWidth);
  p.Bool("DoubleBuffered", &TForm::DoubleBuffered, &TForm::SetDoubleBuffered);
  p.Enum("Position",
         {"poDesigned", "poDefault", "poDefaultPosOnly", "poDefaultSizeOnly", "poScreenCenter", "poDesktopCenter",
          "poMainFormCenter", "poOwnerFormCenter"},
         &TForm::Position, &TForm::SetPosition);
  p.Event("OnClose", &TForm::OnClose);
  p.Event("OnCreate", &TForm::OnCreate);
  p.Event("OnDestroy", &TForm::OnDestroy);
  p.Event("OnShow", &TForm::OnShow);
}

void TForm::SetBorderStyle(TFormBorderStyle s) {
  borderStyle_ = s;
  ApplyBorder();
}

void TForm::ApplyBorder() {
  QWidget* w = Widget();
  bool fixed = borderStyle_ == TFormBorderStyle::bsSingle || borderStyle_ == TFormBorderStyle::bsDialog ||
               borderStyle_ == TFormBorderStyle::bsToolWindow || borderStyle_ == TFormBorderStyle::bsNone;
  if (fixed) w->setFixedSize(std::max(0, Width()), std::max(0, Height()));
  else {
    w->setMinimumSize(0, 0);
    w->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  }
}

void TForm::InitializeForm() {
  if (created_) return;
  RegisterStandardClasses();
  if (Application().MainForm() == nullptr) Application().SetMainForm(this);
  TBinder binder;
  DeclareBindings(binder);
  std::string_view text = Description();
  if (!text.empty()) ReadDescription(*this, text, &binder, ReadOptions());
  else binder.BindFields(*this);
  created_ = true;
  // A failing creation handler is reported and the window still opens.
  if (OnCreate) DispatchEvent([this] { OnCreate(this); });
}

void TForm::ShowForm() { SetVisible(true); }

void TForm::SetVisible(bool v) {
  if (v && !Visible()) {
    ApplyBorder();
    if (position_ == TPosition::poScreenCenter || position_ == TPosition::poDesktopCenter ||
        position_ == TPosition::poMainFormCenter || position_ == TPosition::poOwnerFormCenter) {
      if (QScreen* s = QGuiApplication::primaryScreen()) {
        QRect r = s->availableGeometry();
        SetBounds(r.x() + (r.width() - Width()) / 2, r.y() + (r.height() - Height()) / 2, Width(), Height());
      }
    }
  }
  TControl::SetVisible(v);
}

void TForm::SetParent(TWinControl* parent) {
  if (parent != nullptr) throw EComponentError("A window has no parent");
}

void TForm::Close() {
  if (closing_) return;
  closing_ = true;
  SetVisible(false);
  if (OnClose) OnClose(this);
  closing_ = false;
  if (Application().MainForm() == this) Application().Terminate();
}

namespace {
TButton* FindDialogButton(TWinControl* parent, bool cancel) {
  for (int i = 0; i < parent->ControlCount(); ++i) {
    TControl* c = parent->Controls(i);
    if (!c->Visible() || !c->Enabled()) continue;
    if (auto* b = dynamic_cast<TButton*>(c))
      if (cancel ? b->Cancel() : b->Default()) return b;
    if (auto* w = dynamic_cast<TWinControl*>(c))
      if (TButton* b = FindDialogButton(w, cancel)) return b;
  }
  return nullptr;
}
}  // namespace

bool TForm::PressDialogButton(int key, TWinControl* focused) {
  if (key == VK_RETURN) {
    if (auto* b = dynamic_cast<TButton*>(focused)) {
      b->Click();
      return true;
    }
  }
  if (key != VK_RETURN && key != VK_ESCAPE) return false;
  TButton* b = FindDialogButton(this, key == VK_ESCAPE);
  if (b == nullptr) return false;
  b->Click();
  return true;
}

void TForm::BeforeDestruction() {
  if (!Destroying() && created_ && OnDestroy) OnDestroy(this);
  TWinControl::BeforeDestruction();
}

void TForm::TextChanged() {
  if (QWidget* w = Widget()) w->setWindowTitle(ToQt(GetText()));
}

void TForm::KeyDown(int& key, TShiftState shift) { TWinControl::KeyDown(key, shift); }

bool TForm::WidgetEvent(QEvent* event) {
  switch (event->type()) {
    case QEvent::Show:
      if (!Loading() && OnShow) OnShow(this);
      return false;
    case QEvent::Close:
      event->ignore();
      // A disabled window (one busy with a build) refuses its close box.
      if (Enabled()) Close();
      return true;
    default:
      return TWinControl::WidgetEvent(event);
  }
}

}  // namespace platform
