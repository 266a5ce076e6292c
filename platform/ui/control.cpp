#include "platform/ui/control.h"

#include "platform/system/codepage.h"
#include "platform/system/uilanguage.h"
#include "platform/ui/application.h"
#include "platform/ui/controleventrouter.h"
#include "platform/ui/forms.h"
#include "platform/ui/qtbridge.h"
#include "platform/ui/services.h"
#include "platform/ui/wincontrol.h"

#include <QEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QObject>
#include <QSignalBlocker>
#include <QVariant>
#include <QWidget>

#include <algorithm>

namespace platform {

namespace {

TMouseButton ButtonOf(Qt::MouseButton b) {
  switch (b) {
    case Qt::RightButton: return TMouseButton::mbRight;
    case Qt::MiddleButton: return TMouseButton::mbMiddle;
    default: return TMouseButton::mbLeft;
  }
}

Qt::CursorShape CursorShapeOf(int cursor) {
  switch (cursor) {
    case crCross: return Qt::CrossCursor;
    case crIBeam: return Qt::IBeamCursor;
    case crSizeNESW: return Qt::SizeBDiagCursor;
    case crSizeNS: return Qt::SizeVerCursor;
    case crSizeNWSE: return Qt::SizeFDiagCursor;
    case crSizeWE: return Qt::SizeHorCursor;
    case crUpArrow: return Qt::UpArrowCursor;
    case crHourGlass:
    case crSQLWait: return Qt::WaitCursor;
    case crNoDrop:
    case crNo: return Qt::ForbiddenCursor;
    case crHSplit: return Qt::SplitHCursor;
    case crVSplit: return Qt::SplitVCursor;
    case crAppStart: return Qt::BusyCursor;
    case crHelp: return Qt::WhatsThisCursor;
    case crHandPoint: return Qt::PointingHandCursor;
    case crSizeAll: return Qt::SizeAllCursor;
    case crNone: return Qt::BlankCursor;
    default: return Qt::ArrowCursor;
  }
}

}  // namespace

std::string GetShortHint(const std::string& hint) {
  size_t bar = hint.find('|');
  return bar == std::string::npos ? hint : hint.substr(0, bar);
}

TControl::TControl(TComponent* owner) : TComponent(owner) {
  EnsureQtApplication();
  Application().AddControl(this);
  font_.OnChanged = [this] {
    if (!applyingParentFont_) parentFont_ = false;
    FontChanged();
  };
}

TControl::~TControl() {
  Application().RemoveControl(this);
  if (parent_ != nullptr) parent_->RemoveControl(this);
  parent_ = nullptr;
  if (QWidget* w = widget_.data()) {
    w->removeEventFilter(&ControlEventRouter::Get());
    w->setProperty(kControlProperty, QVariant());
    delete w;
  }
  font_.OnChanged = nullptr;
}

void TControl::Publish(TProps<TControl>& p) {
  p.Enum("Align", {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient"},
         &TControl::Align, &TControl::SetAlign);
  p.Int("Left", &TControl::Left, &TControl::SetLeft);
  p.Int("Top", &TControl::Top, &TControl::SetTop);
  p.Int("Width", &TControl::Width, &TControl::SetWidth);
  p.Int("Height", &TControl::Height, &TControl::SetHeight);
  p.Int("Color", &TControl::Color, &TControl::SetColor);
  p.Int("Cursor", &TControl::Cursor, &TControl::SetCursor);
  p.Bool("Enabled", &TControl::Enabled, &TControl::SetEnabled);
  p.Obj<TFont>("Font", [](TControl& c) { return c.Font(); }, &TControl::SetFont);
  p.Int("HelpContext", &TControl::HelpContext, &TControl::SetHelpContext);
  p.Str("Hint", &TControl::Hint, &TControl::SetHint);
  p.Bool("ParentColor", &TControl::ParentColor, &TControl::SetParentColor);
  p.Bool("ParentFont", &TControl::ParentFont, &TControl::SetParentFont);
  p.Bool("ParentShowHint", &TControl::ParentShowHint, &TControl::SetParentShowHint);
  p.Bool("ShowHint", &TControl::ShowHint, &TControl::SetShowHint);
  p.Bool("Visible", &TControl::Visible, &TControl::SetVisible);
  p.Event("OnClick", &TControl::OnClick);
  p.Event("OnDblClick", &TControl::OnDblClick);
  p.Event("OnMouseDown", &TControl::OnMouseDown);
  p.Event("OnMouseMove", &TControl::OnMouseMove);
  p.Event("OnMouseUp", &TControl::OnMouseUp);
  p.Event("OnResize", &TControl::OnResize);
}

void TControl::SetWidget(QWidget* widget) {
  if (QWidget* old = widget_.data()) {
    old->removeEventFilter(&ControlEventRouter::Get());
    old->setProperty(kControlProperty, QVariant());
    delete old;
  }
  widget_ = widget;
  widget->setProperty(kControlProperty, QVariant::fromValue(reinterpret_cast<quintptr>(this)));
  widget->installEventFilter(&ControlEventRouter::Get());
  widget->setAttribute(Qt::WA_Hover, false);
  AttachWidget();
  ApplyFontToWidget();
  ApplyColorToWidget();
  widget->setEnabled(enabled_);
  if (cursor_ != crDefault) widget->setCursor(CursorShapeOf(cursor_));
  TextChanged();
}

void TControl::AttachWidget() {
  QWidget* w = widget_.data();
  if (w == nullptr) return;
  QWidget* host = parent_ != nullptr ? parent_->ContainerWidget() : nullptr;
  if (w->parentWidget() != host) {
    if (host != nullptr) w->setParent(host, w->windowFlags() & ~Qt::Window);
    else if (dynamic_cast<TForm*>(this) == nullptr) w->setParent(nullptr);
  }
  ApplyGeometry();
  ApplyVisibility();
}

void TControl::ApplyGeometry() {
  QWidget* w = widget_.data();
  if (w == nullptr) return;
  applyingGeometry_ = true;
  if (w->isWindow()) {
    w->move(left_, top_);
    w->resize(std::max(0, width_), std::max(0, height_));
  } else {
    w->setGeometry(left_, top_, std::max(0, width_), std::max(0, height_));
  }
  applyingGeometry_ = false;
}

void TControl::ApplyVisibility() {
  QWidget* w = widget_.data();
  if (w == nullptr) return;
  if (w->parentWidget() != nullptr || dynamic_cast<TForm*>(this) != nullptr) w->setVisible(visible_);
  else w->hide();
}

void TControl::SetParent(TWinControl* parent) {
  if (parent == parent_) return;
  if (parent == this) throw EComponentError("A control cannot be its own parent");
  if (parent_ != nullptr) parent_->RemoveControl(this);
  parent_ = nullptr;
  if (parent != nullptr) parent->InsertControl(this);
  parent_ = parent;
  AttachWidget();
  if (parent_ != nullptr) {
    if (parentFont_) ParentFontChanged();
    if (parentColor_) ParentColorChanged();
    if (align_ != TAlign::alNone) parent_->AlignControls();
  }
}

void TControl::SetParentComponent(TComponent* parent) {
  if (auto* w = dynamic_cast<TWinControl*>(parent)) SetParent(w);
}

TForm* TControl::ParentForm() const {
  const TControl* c = this;
  while (c->parent_ != nullptr) c = c->parent_;
  return dynamic_cast<TForm*>(const_cast<TControl*>(c));
}

void TControl::SetBounds(int left, int top, int width, int height) {
  bool resized = width != width_ || height != height_;
  bool moved = left != left_ || top != top_;
  if (!resized && !moved) return;
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  ApplyGeometry();
  if (parent_ != nullptr && align_ != TAlign::alNone) parent_->AlignControls();
  if (resized) Resize();
}

TPoint TControl::ClientToScreen(TPoint p) const {
  QWidget* w = widget_.data();
  if (w == nullptr) return p;
  QPoint q = w->mapToGlobal(QPoint(p.X, p.Y));
  return {q.x(), q.y()};
}

void TControl::SetAlign(TAlign a) {
  if (a == align_) return;
  align_ = a;
  if (parent_ != nullptr) parent_->AlignControls();
}

void TControl::SetVisible(bool v) {
  if (v == visible_) return;
  visible_ = v;
  ApplyVisibility();
  if (parent_ != nullptr && align_ != TAlign::alNone) parent_->AlignControls();
  VisibleChanged();
}

void TControl::SetEnabled(bool v) {
  if (v == enabled_) return;
  enabled_ = v;
  if (QWidget* w = widget_.data()) w->setEnabled(v);
  EnabledChanged();
}

bool TControl::ShowHint() const {
  if (parentShowHint_ && parent_ != nullptr) return parent_->ShowHint();
  return showHint_;
}

void TControl::SetShowHint(bool v) {
  showHint_ = v;
  parentShowHint_ = false;
}

void TControl::SetParentFont(bool v) {
  parentFont_ = v;
  if (v && parent_ != nullptr) ParentFontChanged();
}

void TControl::ParentFontChanged() {
  if (!parentFont_ || parent_ == nullptr) return;
  applyingParentFont_ = true;
  font_.Assign(*parent_->Font());
  applyingParentFont_ = false;
}

void TControl::SetColor(TColor c) {
  parentColor_ = false;
  if (c == color_) return;
  color_ = c;
  ColorChanged();
}

void TControl::SetParentColor(bool v) {
  parentColor_ = v;
  if (v && parent_ != nullptr) ParentColorChanged();
}

void TControl::ParentColorChanged() {
  if (!parentColor_ || parent_ == nullptr) return;
  if (color_ == parent_->Color()) return;
  color_ = parent_->Color();
  ColorChanged();
}

void TControl::SetCursor(int c) {
  cursor_ = c;
  if (QWidget* w = widget_.data()) {
    if (c == crDefault) w->unsetCursor();
    else w->setCursor(CursorShapeOf(c));
  }
}

const std::string& TControl::GetText() const { return text_; }

void TControl::SetText(const std::string& text) {
  if (text == text_) return;
  text_ = text;
  TextChanged();
}

void TControl::Invalidate() {
  if (QWidget* w = widget_.data()) w->update();
}

void TControl::Repaint() {
  if (QWidget* w = widget_.data()) w->repaint();
}

void TControl::Click() {
  if (Loading()) return;
  if (OnClick) OnClick(this);
}

void TControl::SetTextKind(TTextKind kind) {
  if (kind == textKind_) return;
  textKind_ = kind;
  CodePageChanged();
}

int TControl::TextCodePage() const {
  if (textKind_ == TTextKind::UserData) return AnsiCodePage();
  if (textKind_ == TTextKind::HostPath) return kUtf8CodePage;
  return InterfaceTextCodePage();
}

int TControl::InterfaceTextCodePage() const {
  int cp = CodePageOfCharset(font_.Charset());
  return cp != 0 ? cp : InterfaceCodePage();
}

int TControl::HintCodePage() const { return hintIsPath_ ? kUtf8CodePage : InterfaceTextCodePage(); }

QString TControl::ToQt(const std::string& text) const { return ToQString(text, TextCodePage()); }
std::string TControl::FromQt(const QString& text) const { return FromQString(text, TextCodePage()); }

QString TControl::KeepHoldable(QLineEdit* edit, QString text) const {
  int cursor = edit->cursorPosition();
  if (DropUnholdable(text, cursor)) {
    Services().Beep();
    QSignalBlocker block(edit);
    edit->setText(text);
    edit->setCursorPosition(cursor);
  }
  return text;
}

bool TControl::DropUnholdable(QString& text, int& cursor) const {
  const int cp = TextCodePage();
  if (cp == kUtf8CodePage) return false;
  const CodePage& page = CodePage::Get(cp);
  QString kept;
  kept.reserve(text.size());
  int keptCursor = cursor;
  bool dropped = false;
  for (qsizetype i = 0; i < text.size(); ++i) {
    char32_t c = text[i].unicode();
    qsizetype units = 1;
    if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
      c = QChar::surrogateToUcs4(text[i], text[i + 1]);
      units = 2;
    }
    if (page.FromUnicode(c)) {
      kept.append(text.mid(i, units));
    } else {
      dropped = true;
      if (i < cursor) keptCursor -= static_cast<int>(std::min<qsizetype>(units, cursor - i));
    }
    i += units - 1;
  }
  if (dropped) {
    text = kept;
    cursor = keptCursor;
  }
  return dropped;
}

TControl* TControl::FromWidget(const QObject* widget) {
  for (const QObject* o = widget; o != nullptr; o = o->parent()) {
    QVariant v = o->property(kControlProperty);
    if (v.isValid()) return reinterpret_cast<TControl*>(v.value<quintptr>());
    if (o->isWidgetType() && static_cast<const QWidget*>(o)->isWindow()) break;
  }
  return nullptr;
}

void TControl::CodePageChanged() { TextChanged(); }

void TControl::FontChanged() {
  ApplyFontToWidget();
  TextChanged();  // the character set may pick another code page
}

void TControl::ColorChanged() { ApplyColorToWidget(); }

void TControl::ApplyFontToWidget() {
  QWidget* w = widget_.data();
  if (w == nullptr) return;
  w->setFont(ToQFont(font_));
  // Enabled states only: a disabled control keeps the style's greyed text.
  QPalette pal = w->palette();
  QColor fc = ToQColor(font_.Color());
  for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive})
    for (QPalette::ColorRole r : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text}) pal.setColor(g, r, fc);
  w->setPalette(pal);
}

void TControl::ApplyColorToWidget() {
  QWidget* w = widget_.data();
  if (w == nullptr) return;
  QPalette pal = w->palette();
  if (ColorFillsBase()) {
    // An edit's field: a disabled one keeps the style's greyed background.
    for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive}) pal.setColor(g, QPalette::Base, ToQColor(color_));
  } else {
    pal.setColor(QPalette::Window, ToQColor(color_));
  }
  w->setPalette(pal);
}

void TControl::Resize() {
  if (OnResize && !Loading()) OnResize(this);
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
  if (OnMouseMove) OnMouseMove(this, shift, x, y);
}

void TControl::DblClick() {
  if (OnDblClick) OnDblClick(this);
}

void TControl::WidgetMousePress(QMouseEvent* m, bool dbl) {
  Application().CancelHint();
  QPoint p = m->position().toPoint();
  TShiftState s = ShiftStateOf(m->modifiers(), m->buttons());
  if (dbl) s |= ssDouble;
  if (m->button() == Qt::LeftButton) pressed_ = true;
  MouseDown(ButtonOf(m->button()), s, p.x(), p.y());
  if (dbl && m->button() == Qt::LeftButton) DblClick();
}

void TControl::WidgetMouseRelease(QMouseEvent* m) {
  QPoint p = m->position().toPoint();
  MouseUp(ButtonOf(m->button()), ShiftStateOf(m->modifiers(), m->buttons()), p.x(), p.y());
  if (m->button() != Qt::LeftButton) return;
  bool was = pressed_;
  pressed_ = false;
  if (was && ClicksOnRelease() && p.x() >= 0 && p.y() >= 0 && p.x() < width_ && p.y() < height_) Click();
}

void TControl::WidgetResized() {
  if (applyingGeometry_) return;
  QWidget* w = widget_.data();
  if (w != nullptr && (w->width() != width_ || w->height() != height_)) {
    width_ = w->width();
    height_ = w->height();
    Resize();
  }
}

void TControl::WidgetMoved() {
  if (applyingGeometry_) return;
  QWidget* w = widget_.data();
  if (w != nullptr && w->isWindow()) {
    left_ = w->x();
    top_ = w->y();
  }
}

bool TControl::WidgetEvent(QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
      WidgetMousePress(static_cast<QMouseEvent*>(event), event->type() == QEvent::MouseButtonDblClick);
      return false;
    case QEvent::MouseButtonRelease: WidgetMouseRelease(static_cast<QMouseEvent*>(event)); return false;
    case QEvent::MouseMove: {
      auto* m = static_cast<QMouseEvent*>(event);
      QPoint p = m->position().toPoint();
      MouseMove(ShiftStateOf(m->modifiers(), m->buttons()), p.x(), p.y());
      return false;
    }
    case QEvent::Enter:
      MouseEnter();
      Application().MouseEntered(this);
      return false;
    case QEvent::Leave:
      MouseLeave();
      Application().MouseLeft(this);
      return false;
    case QEvent::ToolTip:
      return true;  // hints are ours
    case QEvent::Resize: WidgetResized(); return false;
    case QEvent::Move: WidgetMoved(); return false;
    default:
      return false;
  }
}

}  // namespace platform
