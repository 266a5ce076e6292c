#include "platform/ui/customedit.h"

#include "platform/ui/application.h"
#include "platform/ui/wincontrol.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QObject>
#include <QSignalBlocker>

namespace platform {

namespace {

// The line edit of TCustomEdit: paste and cut only when the control allows them.
class EditWidget : public QLineEdit {
public:
  explicit EditWidget(TCustomEdit* owner) : owner_(owner) {}

protected:
  void keyPressEvent(QKeyEvent* e) override {
    if ((e->matches(QKeySequence::Paste) && !owner_->CanPaste()) ||
        (e->matches(QKeySequence::Cut) && !owner_->CanCut())) {
      e->accept();
      return;
    }
    QLineEdit::keyPressEvent(e);
  }
  void mouseReleaseEvent(QMouseEvent* e) override {
    if (e->button() == Qt::MiddleButton && !owner_->CanPaste()) return;  // X11 selection paste
    QLineEdit::mouseReleaseEvent(e);
  }
  void contextMenuEvent(QContextMenuEvent* e) override {
    QMenu* menu = createStandardContextMenu();
    for (QAction* a : menu->actions()) {
      QString t = a->text();
      if (a->shortcut() == QKeySequence(QKeySequence::Paste) && !owner_->CanPaste()) a->setEnabled(false);
      if (a->shortcut() == QKeySequence(QKeySequence::Cut) && !owner_->CanCut()) a->setEnabled(false);
    }
    menu->exec(e->globalPos());
    delete menu;
  }

private:
  TCustomEdit* owner_;
};

}  // namespace

class EditWidgetAccess {
public:
  static void Edited(TCustomEdit* e) { e->UserEdited(); }
};

TCustomEdit::TCustomEdit(TComponent* owner) : TWinControl(owner) {
  auto* e = new EditWidget(this);
  SetWidget(e);
  SetTabStop(true);
  SetColor(clWindow);
  SetBounds(0, 0, 121, 21);
  QObject::connect(e, &QLineEdit::textEdited,
                   [this](const QString&) { DispatchEvent([this] { EditWidgetAccess::Edited(this); }); });
}

void TCustomEdit::Publish(TProps<TCustomEdit>& p) {
  p.Bool("AutoSelect", &TCustomEdit::AutoSelect, &TCustomEdit::SetAutoSelect);
  p.Int("MaxLength", &TCustomEdit::MaxLength, &TCustomEdit::SetMaxLength);
  p.Bool("ReadOnly", &TCustomEdit::ReadOnly, &TCustomEdit::SetReadOnly);
  p.Str("Text", &TCustomEdit::Text, &TCustomEdit::SetTextValue);
  p.Event("OnChange", &TCustomEdit::OnChange);
}

QLineEdit* TCustomEdit::LineEdit() const { return static_cast<QLineEdit*>(Widget()); }

void TCustomEdit::SetMaxLength(int n) {
  maxLength_ = n;
  LineEdit()->setMaxLength(n > 0 ? n : 32767);
}

void TCustomEdit::SetReadOnly(bool v) {
  readOnly_ = v;
  LineEdit()->setReadOnly(v);
}

void TCustomEdit::SelectAll() { LineEdit()->selectAll(); }

void TCustomEdit::Change() {
  if (Loading()) return;
  if (OnChange) OnChange(this);
}

void TCustomEdit::ShowText() {
  QLineEdit* e = LineEdit();
  QString q = ToQt(Text());
  if (e->text() != q) {
    QSignalBlocker block(e);
    e->setText(q);
  }
}

void TCustomEdit::TextChanged() {
  ShowText();
  Change();
}

void TCustomEdit::CodePageChanged() { ShowText(); }

void TCustomEdit::UserEdited() {
  QLineEdit* e = LineEdit();
  // A character the text's code page cannot hold is refused, not stored as another.
  std::string t = FromQt(KeepHoldable(e, e->text()));
  SetText(t);  // raises Change through TextChanged
}

void TCustomEdit::DoEnter(bool byMouse) {
  if (autoSelect_ && !byMouse) SelectAll();
  TWinControl::DoEnter(byMouse);
}

}  // namespace platform
