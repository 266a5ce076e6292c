#include "platform/ui/memo.h"

#include "platform/ui/application.h"
#include "platform/ui/services.h"
#include "platform/ui/wincontrol.h"

#include <QObject>
#include <QPlainTextEdit>
#include <QTextCursor>

namespace platform {

namespace {
std::string JoinLines(const TStrings& lines) {
  std::string r;
  for (int i = 0; i < lines.Count(); ++i) {
    if (i > 0) r += "\r\n";
    r += lines[i];
  }
  return r;
}
}  // namespace

TMemo::TMemo(TComponent* owner) : TWinControl(owner) {
  auto* e = new QPlainTextEdit;
  SetWidget(e);
  SetTabStop(true);
  SetColor(clWindow);
  SetBounds(0, 0, 185, 89);
  lines_.AddListener(this);
  SetScrollBars(TScrollStyle::ssNone);
  QObject::connect(e, &QPlainTextEdit::textChanged, [this] {
    if (!syncing_) DispatchEvent([this] { UserEdited(); });
  });
}

TMemo::~TMemo() { lines_.RemoveListener(this); }

void TMemo::Publish(TProps<TMemo>& p) {
  p.Obj<TStrings>("Lines", [](TMemo& m) { return m.Lines(); }, &TMemo::SetLines);
  p.Int("MaxLength", &TMemo::MaxLength, &TMemo::SetMaxLength);
  p.Bool("ReadOnly", &TMemo::ReadOnly, &TMemo::SetReadOnly);
  p.Enum("ScrollBars", {"ssNone", "ssHorizontal", "ssVertical", "ssBoth"},
         &TMemo::ScrollBars, &TMemo::SetScrollBars);
  p.Bool("WordWrap", &TMemo::WordWrap, &TMemo::SetWordWrap);
  p.Event("OnChange", &TMemo::OnChange);
}

void TMemo::SetTextValue(const std::string& t) {
  syncing_ = true;
  lines_.SetText(t);
  syncing_ = false;
  SetText(t);
}

void TMemo::SetReadOnly(bool v) {
  readOnly_ = v;
  static_cast<QPlainTextEdit*>(Widget())->setReadOnly(v);
}

void TMemo::SetWordWrap(bool v) {
  wordWrap_ = v;
  static_cast<QPlainTextEdit*>(Widget())->setLineWrapMode(v ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
}

void TMemo::SetScrollBars(TScrollStyle s) {
  scrollBars_ = s;
  auto* e = static_cast<QPlainTextEdit*>(Widget());
  bool h = s == TScrollStyle::ssHorizontal || s == TScrollStyle::ssBoth;
  bool v = s == TScrollStyle::ssVertical || s == TScrollStyle::ssBoth;
  e->setHorizontalScrollBarPolicy(h ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
  e->setVerticalScrollBarPolicy(v ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
}

void TMemo::LinesChanged() {
  if (syncing_) return;
  SetText(JoinLines(lines_));
}

void TMemo::ShowText() {
  auto* e = static_cast<QPlainTextEdit*>(Widget());
  QString q = ToQt(Text());
  q.replace("\r\n", "\n");
  q.replace('\r', '\n');
  if (e->toPlainText() != q) {
    syncing_ = true;
    e->setPlainText(q);
    syncing_ = false;
  }
}

void TMemo::TextChanged() {
  ShowText();
  Change();
}

void TMemo::CodePageChanged() { ShowText(); }

void TMemo::UserEdited() {
  auto* e = static_cast<QPlainTextEdit*>(Widget());
  QString q = e->toPlainText();
  int cursor = e->textCursor().position();
  if (DropUnholdable(q, cursor)) {
    Services().Beep();
    syncing_ = true;
    e->setPlainText(q);
    QTextCursor c = e->textCursor();
    c.setPosition(cursor);
    e->setTextCursor(c);
    syncing_ = false;
  }
  q.replace("\n", "\r\n");
  std::string t = FromQt(q);
  syncing_ = true;
  lines_.SetText(t);
  syncing_ = false;
  SetText(t);
}

void TMemo::Change() {
  if (Loading()) return;
  if (OnChange) OnChange(this);
}

}  // namespace platform
