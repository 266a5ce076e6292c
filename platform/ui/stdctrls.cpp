#include "platform/ui/stdctrls.h"

#include "platform/ui/forms.h"
#include "platform/ui/application.h"
#include "platform/ui/qtbridge.h"
#include "platform/ui/services.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QContextMenuEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProgressBar>
#include <QProxyStyle>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTextCursor>
#include <QStyle>
#include <qdrawutil.h>

#include <algorithm>

namespace platform {

namespace {

// Windows shows "&x" as an underlined x and "&&" as "&"; for drawn text drop the marks.
QString StripAccel(const QString& s) {
  QString r;
  for (qsizetype i = 0; i < s.size(); ++i) {
    if (s[i] == '&' && i + 1 < s.size()) {
      ++i;
    }
    r += s[i];
  }
  return r;
}

Qt::Alignment QtAlign(TAlignment a) {
  switch (a) {
    case TAlignment::taRightJustify: return Qt::AlignRight;
    case TAlignment::taCenter: return Qt::AlignHCenter;
    default: return Qt::AlignLeft;
  }
}

// A combo box's list drops down under the box with DropDownCount rows and a scroll bar;
// some styles (Fusion among them) would otherwise open it as a pop-up as tall as the screen.
class DropDownListStyle : public QProxyStyle {
public:
  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* data) const override {
    if (hint == QStyle::SH_ComboBox_Popup) return 0;
    return QProxyStyle::styleHint(hint, option, widget, data);
  }
};

QStyle* DropDownStyle() {
  static QPointer<QStyle> style;
  if (style.isNull()) {
    style = new DropDownListStyle;
    style->setParent(QCoreApplication::instance());
  }
  return style.data();
}

// A group box drawn as the window descriptions expect it: an etched frame whose top line
// runs through the middle of the caption, so that the client area starts at the box's top
// edge and a control placed 16 or more pixels down stands clear of the caption and frame.
class GroupBoxWidget : public QGroupBox {
protected:
  void paintEvent(QPaintEvent* /*event*/) override {
    QPainter p(this);
    const QFontMetrics fm(font());
    qDrawShadeRect(&p, rect().adjusted(0, fm.height() / 2, 0, 0), palette(), true, 1);
    const QString caption = title();
    if (caption.isEmpty()) return;
    const QRect text(8, 0, fm.horizontalAdvance(StripAccel(caption)) + 4, fm.height());
    p.fillRect(text, palette().color(QPalette::Window));
    style()->drawItemText(&p, text.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic,
                          palette(), isEnabled(), caption, QPalette::WindowText);
  }
};

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

// --- TLabel --------------------------------------------------------------------------------

TLabel::TLabel(TComponent* owner) : TGraphicControl(owner) {
  SetParentColor(true);
  SetBounds(0, 0, 65, 13);
}

void TLabel::Publish(TProps<TLabel>& p) {
  p.Enum("Alignment", {"taLeftJustify", "taRightJustify", "taCenter"},
         &TLabel::Alignment, &TLabel::SetAlignment);
  p.Bool("AutoSize", &TLabel::AutoSize, &TLabel::SetAutoSize);
  p.Str("Caption", &TLabel::Caption, &TLabel::SetCaption);
  p.Ref<TWinControl>("FocusControl", &TLabel::FocusControl, &TLabel::SetFocusControl);
  p.Enum("Layout", {"tlTop", "tlCenter", "tlBottom"}, &TLabel::Layout, &TLabel::SetLayout);
  p.Bool("ShowAccelChar", &TLabel::ShowAccelChar, &TLabel::SetShowAccelChar);
  p.Bool("Transparent", &TLabel::Transparent, &TLabel::SetTransparent);
  p.Bool("WordWrap", &TLabel::WordWrap, &TLabel::SetWordWrap);
}

void TLabel::SetAlignment(TAlignment a) {
  alignment_ = a;
  Invalidate();
}
void TLabel::SetLayout(TTextLayout l) {
  layout_ = l;
  Invalidate();
}
void TLabel::SetAutoSize(bool v) {
  auto_size_ = v;
  AdjustBounds();
}
void TLabel::SetWordWrap(bool v) {
  word_wrap_ = v;
  AdjustBounds();
  Invalidate();
}

void TLabel::SetFocusControl(TWinControl* c) {
  if (focus_control_ != nullptr) RemoveFreeNotification(focus_control_);
  focus_control_ = c;
  if (c != nullptr) FreeNotification(c);
}

void TLabel::Notification(TComponent* component, TOperation operation) {
  TGraphicControl::Notification(component, operation);
  if (operation == TOperation::opRemove && component == focus_control_) focus_control_ = nullptr;
}

void TLabel::Loaded() {
  TGraphicControl::Loaded();
  AdjustBounds();
}

void TLabel::TextChanged() {
  AdjustBounds();
  Invalidate();
}

void TLabel::FontChanged() {
  TGraphicControl::FontChanged();
  AdjustBounds();
}

void TLabel::AdjustBounds() {
  if (!auto_size_ || Loading() || Widget() == nullptr) return;
  QFontMetrics fm(ToQFont(*Font()));
  QString text = ToQt(Caption());
  if (show_accel_char_) text = StripAccel(text);
  if (text.isEmpty()) text = " ";
  QRect r;
  if (word_wrap_) r = fm.boundingRect(QRect(0, 0, std::max(1, Width()), 100000), Qt::TextWordWrap, text);
  else r = fm.boundingRect(QRect(0, 0, 100000, 100000), 0, text);
  int w = word_wrap_ ? Width() : r.width();
  int h = std::max(r.height(), fm.height());
  int left = Left();
  if (!word_wrap_ && alignment_ == TAlignment::taRightJustify) left += Width() - w;
  SetBounds(left, Top(), w, h);
}

void TLabel::Paint(QPainter& painter) {
  if (!transparent_ && !ParentColor()) painter.fillRect(0, 0, Width(), Height(), ToQColor(Color()));
  painter.setFont(ToQFont(*Font()));
  QColor c = Enabled() ? ToQColor(Font()->Color()) : ToQColor(clGrayText);
  painter.setPen(c);
  QString text = ToQt(Caption());
  int flags = static_cast<int>(QtAlign(alignment_));
  if (show_accel_char_) flags |= Qt::TextShowMnemonic;
  if (word_wrap_) flags |= Qt::TextWordWrap;
  switch (layout_) {
    case TTextLayout::tlCenter: flags |= Qt::AlignVCenter; break;
    case TTextLayout::tlBottom: flags |= Qt::AlignBottom; break;
    default: flags |= Qt::AlignTop; break;
  }
  painter.drawText(QRect(0, 0, Width(), Height()), flags, text);
}

// --- TButton -------------------------------------------------------------------------------

TButton::TButton(TComponent* owner) : TWinControl(owner) {
  auto* b = new QPushButton;
  b->setAutoDefault(false);
  SetWidget(b);
  SetTabStop(true);
  SetBounds(0, 0, 75, 25);
  QObject::connect(b, &QPushButton::clicked, [this] { DispatchEvent([this] { Click(); }); });
}

void TButton::Publish(TProps<TButton>& p) {
  p.Bool("Cancel", &TButton::Cancel, &TButton::SetCancel);
  p.Str("Caption", &TButton::Caption, &TButton::SetCaption);
  p.Bool("Default", &TButton::Default, &TButton::SetDefault);
  p.Int("ModalResult", &TButton::ModalResult, &TButton::SetModalResult);
}

void TButton::SetDefault(bool v) {
  default_ = v;
  if (auto* b = static_cast<QPushButton*>(Widget())) b->setDefault(v);
}

void TButton::TextChanged() {
  if (auto* b = static_cast<QPushButton*>(Widget())) b->setText(ToQt(Caption()));
}

void TBitBtn::Publish(TProps<TBitBtn>& p) {
  p.Enum("Kind", {"bkCustom", "bkOK", "bkCancel", "bkHelp", "bkYes", "bkNo", "bkClose", "bkAbort", "bkRetry",
                  "bkIgnore", "bkAll"},
         &TBitBtn::Kind, &TBitBtn::SetKind);
  p.Int("Margin", &TBitBtn::Margin, &TBitBtn::SetMargin);
  p.Int("NumGlyphs", &TBitBtn::NumGlyphs, &TBitBtn::SetNumGlyphs);
  p.Int("Spacing", &TBitBtn::Spacing, &TBitBtn::SetSpacing);
}

void TBitBtn::SetGlyph(const QImage& g) {
  glyph_ = g;
  auto* b = static_cast<QPushButton*>(Widget());
  if (g.isNull()) {
    b->setIcon(QIcon());
    return;
  }
  int w = num_glyphs_ > 1 ? g.width() / num_glyphs_ : g.width();
  QImage first = g.copy(0, 0, w, g.height()).convertToFormat(QImage::Format_ARGB32);
  QRgb key = first.pixel(0, first.height() - 1);  // the bottom-left pixel is transparent
  for (int y = 0; y < first.height(); ++y)
    for (int x = 0; x < first.width(); ++x)
      if (first.pixel(x, y) == key) first.setPixel(x, y, qRgba(0, 0, 0, 0));
  b->setIcon(QIcon(QPixmap::fromImage(first)));
  b->setIconSize(first.size());
}

// --- TCheckBox -----------------------------------------------------------------------------

TCheckBox::TCheckBox(TComponent* owner) : TWinControl(owner) {
  auto* b = new QCheckBox;
  SetWidget(b);
  SetTabStop(true);
  SetBounds(0, 0, 97, 17);
  QObject::connect(b, &QCheckBox::clicked, [this, b] {
    DispatchEvent([this, b] {
      Qt::CheckState s = b->checkState();
      SetState(s == Qt::Checked ? TCheckBoxState::cbChecked
                                : s == Qt::PartiallyChecked ? TCheckBoxState::cbGrayed : TCheckBoxState::cbUnchecked);
    });
  });
}

void TCheckBox::Publish(TProps<TCheckBox>& p) {
  p.Enum("Alignment", {"taLeftJustify", "taRightJustify", "taCenter"},
         &TCheckBox::Alignment, &TCheckBox::SetAlignment);
  p.Bool("AllowGrayed", &TCheckBox::AllowGrayed, &TCheckBox::SetAllowGrayed);
  p.Str("Caption", &TCheckBox::Caption, &TCheckBox::SetCaption);
  p.Bool("Checked", &TCheckBox::Checked, &TCheckBox::SetChecked);
  p.Enum("State", {"cbUnchecked", "cbChecked", "cbGrayed"}, &TCheckBox::State, &TCheckBox::SetState);
}

void TCheckBox::SetState(TCheckBoxState s) {
  if (s == state_) {
    SyncWidget();
    return;
  }
  state_ = s;
  SyncWidget();
  Click();
}

void TCheckBox::SetAllowGrayed(bool v) {
  allow_grayed_ = v;
  static_cast<QCheckBox*>(Widget())->setTristate(v);
}

void TCheckBox::SetAlignment(TAlignment a) {
  alignment_ = a;
  Widget()->setLayoutDirection(a == TAlignment::taLeftJustify ? Qt::RightToLeft : Qt::LeftToRight);
}

void TCheckBox::SyncWidget() {
  auto* b = static_cast<QCheckBox*>(Widget());
  QSignalBlocker block(b);
  b->setCheckState(state_ == TCheckBoxState::cbChecked   ? Qt::Checked
                   : state_ == TCheckBoxState::cbGrayed ? Qt::PartiallyChecked
                                                        : Qt::Unchecked);
}

void TCheckBox::TextChanged() { static_cast<QCheckBox*>(Widget())->setText(ToQt(Caption())); }

// --- TRadioButton --------------------------------------------------------------------------

TRadioButton::TRadioButton(TComponent* owner) : TWinControl(owner) {
  auto* b = new QRadioButton;
  b->setAutoExclusive(false);  // exclusivity is ours
  SetWidget(b);
  SetTabStop(true);
  SetBounds(0, 0, 113, 17);
  QObject::connect(b, &QRadioButton::clicked, [this] {
    DispatchEvent([this] {
      if (checked_) SyncWidget();  // a click on a checked button changes nothing
      else SetChecked(true);
    });
  });
}

void TRadioButton::Publish(TProps<TRadioButton>& p) {
  p.Enum("Alignment", {"taLeftJustify", "taRightJustify", "taCenter"},
         &TRadioButton::Alignment, &TRadioButton::SetAlignment);
  p.Str("Caption", &TRadioButton::Caption, &TRadioButton::SetCaption);
  p.Bool("Checked", &TRadioButton::Checked, &TRadioButton::SetChecked);
}

void TRadioButton::SetChecked(bool v) {
  if (v == checked_) {
    SyncWidget();
    return;
  }
  checked_ = v;
  SyncWidget();
  if (!v) return;
  if (TWinControl* parent = Parent()) {
    for (int i = 0; i < parent->ControlCount(); ++i) {
      auto* other = dynamic_cast<TRadioButton*>(parent->Controls(i));
      if (other != nullptr && other != this && other->checked_) {
        other->checked_ = false;
        other->SyncWidget();
      }
    }
  }
  Click();
}

void TRadioButton::SetAlignment(TAlignment a) {
  alignment_ = a;
  Widget()->setLayoutDirection(a == TAlignment::taLeftJustify ? Qt::RightToLeft : Qt::LeftToRight);
}

void TRadioButton::SyncWidget() {
  auto* b = static_cast<QRadioButton*>(Widget());
  QSignalBlocker block(b);
  b->setChecked(checked_);
}

void TRadioButton::TextChanged() { static_cast<QRadioButton*>(Widget())->setText(ToQt(Caption())); }

// --- TCustomEdit ---------------------------------------------------------------------------

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
  max_length_ = n;
  LineEdit()->setMaxLength(n > 0 ? n : 32767);
}

void TCustomEdit::SetReadOnly(bool v) {
  read_only_ = v;
  LineEdit()->setReadOnly(v);
}

void TCustomEdit::SelectAll() { LineEdit()->selectAll(); }
int TCustomEdit::SelStart() const {
  QLineEdit* e = LineEdit();
  return e->hasSelectedText() ? e->selectionStart() : e->cursorPosition();
}
void TCustomEdit::SetSelStart(int v) { LineEdit()->setCursorPosition(v); }
int TCustomEdit::SelLength() const { return static_cast<int>(LineEdit()->selectedText().size()); }
void TCustomEdit::SetSelLength(int v) { LineEdit()->setSelection(SelStart(), v); }

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
  QString q = e->text();
  int cursor = e->cursorPosition();
  if (DropUnholdable(q, cursor)) {
    // A character the text's code page cannot hold is refused, not stored as another.
    Services().Beep();
    QSignalBlocker block(e);
    e->setText(q);
    e->setCursorPosition(cursor);
  }
  std::string t = FromQt(q);
  modified_ = true;
  SetText(t);  // raises Change through TextChanged
}

void TCustomEdit::DoEnter(bool by_mouse) {
  if (auto_select_ && !by_mouse) SelectAll();
  TWinControl::DoEnter(by_mouse);
}


// --- TMemo ---------------------------------------------------------------------------------

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
  read_only_ = v;
  static_cast<QPlainTextEdit*>(Widget())->setReadOnly(v);
}

void TMemo::SetWordWrap(bool v) {
  word_wrap_ = v;
  static_cast<QPlainTextEdit*>(Widget())->setLineWrapMode(v ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
}

void TMemo::SetScrollBars(TScrollStyle s) {
  scroll_bars_ = s;
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

// --- TComboBox -----------------------------------------------------------------------------

TComboBox::TComboBox(TComponent* owner) : TWinControl(owner) {
  auto* c = new QComboBox;
  c->setStyle(DropDownStyle());
  SetWidget(c);
  SetTabStop(true);
  SetColor(clWindow);
  SetBounds(0, 0, 145, 21);
  items_.AddListener(this);
  SetStyle(TComboBoxStyle::csDropDown);
  SetDropDownCount(drop_down_count_);
  QObject::connect(c, &QComboBox::activated, [this](int index) { DispatchEvent([&] { UserSelect(index); }); });
}

TComboBox::~TComboBox() { items_.RemoveListener(this); }

void TComboBox::Publish(TProps<TComboBox>& p) {
  p.Int("DropDownCount", &TComboBox::DropDownCount, &TComboBox::SetDropDownCount);
  p.Int("ItemIndex", &TComboBox::ItemIndex, &TComboBox::SetItemIndex);
  p.Obj<TStrings>("Items", [](TComboBox& c) { return c.Items(); }, &TComboBox::SetItems);
  p.Int("MaxLength", &TComboBox::MaxLength, &TComboBox::SetMaxLength);
  p.Bool("Sorted", &TComboBox::Sorted, &TComboBox::SetSorted);
  p.Enum("Style", {"csDropDown", "csSimple", "csDropDownList", "csOwnerDrawFixed", "csOwnerDrawVariable"},
         &TComboBox::Style, &TComboBox::SetStyle);
  p.Str("Text", &TComboBox::Text, &TComboBox::SetTextValue);
  p.Event("OnChange", &TComboBox::OnChange);
}

QComboBox* TComboBox::Combo() const { return static_cast<QComboBox*>(Widget()); }

void TComboBox::SetStyle(TComboBoxStyle s) {
  style_ = s;
  QComboBox* c = Combo();
  QSignalBlocker block(c);
  c->setEditable(!IsList());
  if (QLineEdit* e = c->lineEdit(); e != nullptr && e != connected_edit_) {
    connected_edit_ = e;
    QObject::connect(e, &QLineEdit::textEdited, [this, e](const QString& typed) {
      QString q = typed;
      int cursor = e->cursorPosition();
      if (DropUnholdable(q, cursor)) {
        Services().Beep();
        QSignalBlocker block(e);
        e->setText(q);
        e->setCursorPosition(cursor);
      }
      syncing_ = true;
      SetText(FromQt(q));
      syncing_ = false;
      item_index_ = items_.IndexOf(Text());
      DispatchEvent([this] { Change(); });
    });
  }
  SyncIndex();
}

void TComboBox::SetDropDownCount(int n) {
  drop_down_count_ = n;
  Combo()->setMaxVisibleItems(std::max(1, n));
}

void TComboBox::SetItemIndex(int i) {
  if (i < -1 || i >= items_.Count()) i = -1;
  item_index_ = i;
  SyncIndex();
  syncing_ = true;
  SetText(i >= 0 ? items_[i] : (IsList() ? std::string() : Text()));
  syncing_ = false;
}

void TComboBox::SetTextValue(const std::string& t) {
  if (IsList()) {
    // A list shows only its items: the text selects the item of that text.
    SetItemIndex(items_.IndexOf(t));
    return;
  }
  syncing_ = true;
  SetText(t);
  syncing_ = false;
  item_index_ = items_.IndexOf(t);
  SyncIndex();
}

void TComboBox::UserSelect(int index) {
  if (index < 0 || index >= items_.Count()) return;
  item_index_ = index;
  SyncIndex();
  syncing_ = true;
  SetText(items_[index]);
  syncing_ = false;
  Change();
}

void TComboBox::Change() {
  if (Loading()) return;
  if (OnChange) OnChange(this);
}

void TComboBox::TextChanged() {
  QComboBox* c = Combo();
  if (QLineEdit* e = c->lineEdit()) {
    QString q = ToQt(Text());
    if (e->text() != q) {
      QSignalBlocker block(e);
      e->setText(q);
    }
  }
}

void TComboBox::CodePageChanged() {
  QComboBox* c = Combo();
  QSignalBlocker block(c);
  for (int i = 0; i < items_.Count() && i < c->count(); ++i) c->setItemText(i, ToQt(items_[i]));
  TextChanged();
}

void TComboBox::SyncIndex() {
  QComboBox* c = Combo();
  QSignalBlocker block(c);
  c->setCurrentIndex(item_index_);
  if (!IsList() && c->lineEdit() != nullptr) {
    QSignalBlocker b2(c->lineEdit());
    c->lineEdit()->setText(ToQt(Text()));
  }
}

void TComboBox::ItemInserted(int index) {
  {
    QSignalBlocker block(Combo());
    Combo()->insertItem(index, ToQt(items_[index]));
  }
  if (item_index_ >= index) ++item_index_;
  SyncIndex();
}

void TComboBox::ItemDeleted(int index) {
  {
    QSignalBlocker block(Combo());
    Combo()->removeItem(index);
  }
  if (item_index_ == index) item_index_ = -1;
  else if (item_index_ > index) --item_index_;
  SyncIndex();
}

void TComboBox::ItemChanged(int index) {
  {
    QSignalBlocker block(Combo());
    Combo()->setItemText(index, ToQt(items_[index]));
  }
  if (index == item_index_) {
    syncing_ = true;
    SetText(items_[index]);
    syncing_ = false;
  }
  SyncIndex();
}

void TComboBox::ItemsReset() {
  QComboBox* c = Combo();
  {
    QSignalBlocker block(c);
    c->clear();
    QStringList list;
    for (int i = 0; i < items_.Count(); ++i) list << ToQt(items_[i]);
    c->addItems(list);
  }
  item_index_ = -1;
  if (IsList()) {
    syncing_ = true;
    SetText("");
    syncing_ = false;
  }
  SyncIndex();
}

// --- TListBox ------------------------------------------------------------------------------

TListBox::TListBox(TComponent* owner) : TWinControl(owner) {
  auto* l = new QListWidget;
  SetWidget(l);
  SetTabStop(true);
  SetColor(clWindow);
  SetBounds(0, 0, 121, 97);
  items_.AddListener(this);
  QObject::connect(l, &QListWidget::currentRowChanged, [this](int row) {
    if (syncing_) return;
    item_index_ = row;
    DispatchEvent([this] { Click(); });
  });
}

TListBox::~TListBox() { items_.RemoveListener(this); }

void TListBox::Publish(TProps<TListBox>& p) {
  p.Int("ItemIndex", &TListBox::ItemIndex, &TListBox::SetItemIndex);
  p.Obj<TStrings>("Items", [](TListBox& l) { return l.Items(); }, &TListBox::SetItems);
  p.Bool("MultiSelect", &TListBox::MultiSelect, &TListBox::SetMultiSelect);
  p.Bool("Sorted", &TListBox::Sorted, &TListBox::SetSorted);
}

QListWidget* TListBox::List() const { return static_cast<QListWidget*>(Widget()); }

void TListBox::SetItemIndex(int i) {
  if (i < -1 || i >= items_.Count()) i = -1;
  item_index_ = i;
  SyncIndex();
}

void TListBox::SetMultiSelect(bool v) {
  multi_select_ = v;
  List()->setSelectionMode(v ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection);
}

bool TListBox::Selected(int index) const {
  QListWidgetItem* it = List()->item(index);
  return it != nullptr && it->isSelected();
}

void TListBox::SetSelected(int index, bool v) {
  if (QListWidgetItem* it = List()->item(index)) {
    syncing_ = true;
    it->setSelected(v);
    syncing_ = false;
  }
}

int TListBox::SelCount() const { return static_cast<int>(List()->selectedItems().size()); }

void TListBox::UserSelect(int index) {
  if (index < 0 || index >= items_.Count() || index == item_index_) return;
  List()->setCurrentRow(index);  // raises Click through currentRowChanged
}

void TListBox::CodePageChanged() {
  for (int i = 0; i < items_.Count() && i < List()->count(); ++i) List()->item(i)->setText(ToQt(items_[i]));
}

void TListBox::SyncIndex() {
  syncing_ = true;
  List()->setCurrentRow(item_index_);
  if (item_index_ < 0) List()->clearSelection();
  syncing_ = false;
}

void TListBox::ItemInserted(int index) {
  syncing_ = true;
  List()->insertItem(index, ToQt(items_[index]));
  syncing_ = false;
  if (item_index_ >= index) ++item_index_;
  SyncIndex();
}

void TListBox::ItemDeleted(int index) {
  syncing_ = true;
  delete List()->takeItem(index);
  syncing_ = false;
  if (item_index_ == index) item_index_ = -1;
  else if (item_index_ > index) --item_index_;
  SyncIndex();
}

void TListBox::ItemChanged(int index) {
  List()->item(index)->setText(ToQt(items_[index]));
}

void TListBox::ItemsReset() {
  syncing_ = true;
  List()->clear();
  for (int i = 0; i < items_.Count(); ++i) List()->addItem(ToQt(items_[i]));
  syncing_ = false;
  item_index_ = -1;
  SyncIndex();
}

// --- TGroupBox -----------------------------------------------------------------------------

TGroupBox::TGroupBox(TComponent* owner) : TWinControl(owner) {
  SetWidget(new GroupBoxWidget);
  SetBounds(0, 0, 185, 105);
}

void TGroupBox::Publish(TProps<TGroupBox>& p) { p.Str("Caption", &TGroupBox::Caption, &TGroupBox::SetCaption); }

void TGroupBox::TextChanged() { static_cast<QGroupBox*>(Widget())->setTitle(ToQt(Caption())); }

// --- TRadioGroup ---------------------------------------------------------------------------

TRadioGroup::TRadioGroup(TComponent* owner) : TWinControl(owner) {
  SetWidget(new GroupBoxWidget);
  SetBounds(0, 0, 185, 105);
  items_.AddListener(this);
}

TRadioGroup::~TRadioGroup() { items_.RemoveListener(this); }

void TRadioGroup::Publish(TProps<TRadioGroup>& p) {
  p.Str("Caption", &TRadioGroup::Caption, &TRadioGroup::SetCaption);
  p.Int("Columns", &TRadioGroup::Columns, &TRadioGroup::SetColumns);
  p.Int("ItemIndex", &TRadioGroup::ItemIndex, &TRadioGroup::SetItemIndex);
  p.Obj<TStrings>("Items", [](TRadioGroup& g) { return g.Items(); }, &TRadioGroup::SetItems);
}

void TRadioGroup::SetItemIndex(int i) {
  if (i < -1 || i >= items_.Count()) i = -1;
  if (i == item_index_) return;
  item_index_ = i;
  SyncButtons();
  Click();
}

void TRadioGroup::SetColumns(int n) {
  columns_ = std::max(1, n);
  ArrangeButtons();
}

void TRadioGroup::UserSelect(int index) { SetItemIndex(index); }

void TRadioGroup::TextChanged() { static_cast<QGroupBox*>(Widget())->setTitle(ToQt(Caption())); }

void TRadioGroup::CodePageChanged() {
  TextChanged();
  for (size_t i = 0; i < buttons_.size(); ++i) buttons_[i]->setText(ToQt(items_[static_cast<int>(i)]));
}

void TRadioGroup::Resize() {
  ArrangeButtons();
  TWinControl::Resize();
}

void TRadioGroup::ItemChanged(int index) {
  if (index >= 0 && index < ButtonCount()) buttons_[static_cast<size_t>(index)]->setText(ToQt(items_[index]));
}

void TRadioGroup::RebuildButtons() {
  for (QRadioButton* b : buttons_) delete b;
  buttons_.clear();
  for (int i = 0; i < items_.Count(); ++i) {
    auto* b = new QRadioButton(ToQt(items_[i]), Widget());
    b->setAutoExclusive(false);
    b->show();
    QObject::connect(b, &QRadioButton::clicked, [this, i] {
      DispatchEvent([this, i] {
        if (i == item_index_) SyncButtons();
        else UserSelect(i);
      });
    });
    buttons_.push_back(b);
  }
  // The selection survives a change of the items when it still names an item.
  if (item_index_ >= items_.Count()) item_index_ = items_.Count() - 1;
  SyncButtons();
  ArrangeButtons();
}

void TRadioGroup::ArrangeButtons() {
  if (buttons_.empty()) return;
  QFontMetrics fm(ToQFont(*Font()));
  int top = fm.height() + 2;
  int rows = (ButtonCount() + columns_ - 1) / columns_;
  int w = std::max(1, (Width() - 10) / columns_);
  int h = std::max(1, (Height() - top - 5) / std::max(1, rows));
  for (int i = 0; i < ButtonCount(); ++i) {
    int col = i / rows, row = i % rows;
    buttons_[static_cast<size_t>(i)]->setGeometry(8 + col * w, top + row * h + (h - fm.height() - 4) / 2, w - 8,
                                                  fm.height() + 4);
  }
}

void TRadioGroup::SyncButtons() {
  for (int i = 0; i < ButtonCount(); ++i) {
    QSignalBlocker block(buttons_[static_cast<size_t>(i)]);
    buttons_[static_cast<size_t>(i)]->setChecked(i == item_index_);
  }
}

// --- TPanel --------------------------------------------------------------------------------

namespace {

void DrawBevelFrame(QPainter& p, QRect& r, TPanelBevel bevel, int width) {
  if (bevel == TPanelBevel::bvNone) return;
  QColor light = ToQColor(clBtnHighlight), dark = ToQColor(clBtnShadow);
  if (bevel == TPanelBevel::bvLowered) std::swap(light, dark);
  for (int i = 0; i < width; ++i) {
    if (bevel != TPanelBevel::bvSpace) {
      p.setPen(light);
      p.drawLine(r.left(), r.top(), r.right(), r.top());
      p.drawLine(r.left(), r.top(), r.left(), r.bottom());
      p.setPen(dark);
      p.drawLine(r.left(), r.bottom(), r.right(), r.bottom());
      p.drawLine(r.right(), r.top(), r.right(), r.bottom());
    }
    r.adjust(1, 1, -1, -1);
  }
}

}  // namespace

TPanel::TPanel(TComponent* owner) : TCustomControl(owner) {
  SetBounds(0, 0, 185, 41);
  Widget()->setFocusPolicy(Qt::NoFocus);
}

void TPanel::Publish(TProps<TPanel>& p) {
  p.Enum("Alignment", {"taLeftJustify", "taRightJustify", "taCenter"},
         &TPanel::Alignment, &TPanel::SetAlignment);
  const std::vector<std::string> bevels = {"bvNone", "bvLowered", "bvRaised", "bvSpace"};
  p.Enum("BevelInner", bevels, &TPanel::BevelInner, &TPanel::SetBevelInner);
  p.Enum("BevelOuter", bevels, &TPanel::BevelOuter, &TPanel::SetBevelOuter);
  p.Int("BevelWidth", &TPanel::BevelWidth, &TPanel::SetBevelWidth);
  p.Enum("BorderStyle", {"bsNone", "bsSingle"}, &TPanel::BorderStyle, &TPanel::SetBorderStyle);
  p.Str("Caption", &TPanel::Caption, &TPanel::SetCaption);
}

void TPanel::Paint(QPainter& p) {
  QRect r(0, 0, Width(), Height());
  p.fillRect(r, ToQColor(Color()));
  if (border_style_ == TBorderStyle::bsSingle) {
    p.setPen(ToQColor(clWindowFrame));
    p.drawRect(r.adjusted(0, 0, -1, -1));
    r.adjust(1, 1, -1, -1);
  }
  r.adjust(0, 0, -1, -1);
  DrawBevelFrame(p, r, bevel_outer_, bevel_width_);
  DrawBevelFrame(p, r, bevel_inner_, bevel_width_);
  if (!Caption().empty()) {
    p.setFont(ToQFont(*Font()));
    p.setPen(ToQColor(Font()->Color()));
    p.drawText(r, static_cast<int>(QtAlign(alignment_)) | Qt::AlignVCenter | Qt::TextShowMnemonic, ToQt(Caption()));
  }
}

// --- TBevel --------------------------------------------------------------------------------

TBevel::TBevel(TComponent* owner) : TGraphicControl(owner) { SetBounds(0, 0, 50, 50); }

void TBevel::Publish(TProps<TBevel>& p) {
  p.Enum("Shape", {"bsBox", "bsFrame", "bsTopLine", "bsBottomLine", "bsLeftLine", "bsRightLine", "bsSpacer"},
         &TBevel::Shape, &TBevel::SetShape);
  p.Enum("Style", {"bsLowered", "bsRaised"}, &TBevel::Style, &TBevel::SetStyle);
}

void TBevel::Paint(QPainter& p) {
  QColor c1 = ToQColor(clBtnShadow), c2 = ToQColor(clBtnHighlight);
  if (style_ == TBevelStyle::bsRaised) std::swap(c1, c2);
  int w = Width(), h = Height();
  auto line = [&](QColor c, int x1, int y1, int x2, int y2) {
    p.setPen(c);
    p.drawLine(x1, y1, x2, y2);
  };
  switch (shape_) {
    case TBevelShape::bsBox:
      line(c1, 0, 0, w - 1, 0);
      line(c1, 0, 0, 0, h - 1);
      line(c2, 0, h - 1, w - 1, h - 1);
      line(c2, w - 1, 0, w - 1, h - 1);
      break;
    case TBevelShape::bsFrame:
      p.setPen(c1);
      p.drawRect(0, 0, w - 2, h - 2);
      p.setPen(c2);
      p.drawRect(1, 1, w - 2, h - 2);
      break;
    case TBevelShape::bsTopLine:
      line(c1, 0, 0, w - 1, 0);
      line(c2, 0, 1, w - 1, 1);
      break;
    case TBevelShape::bsBottomLine:
      line(c1, 0, h - 2, w - 1, h - 2);
      line(c2, 0, h - 1, w - 1, h - 1);
      break;
    case TBevelShape::bsLeftLine:
      line(c1, 0, 0, 0, h - 1);
      line(c2, 1, 0, 1, h - 1);
      break;
    case TBevelShape::bsRightLine:
      line(c1, w - 2, 0, w - 2, h - 1);
      line(c2, w - 1, 0, w - 1, h - 1);
      break;
    case TBevelShape::bsSpacer: break;
  }
}

// --- TImage --------------------------------------------------------------------------------

TImage::TImage(TComponent* owner) : TGraphicControl(owner) { SetBounds(0, 0, 105, 105); }

void TImage::Publish(TProps<TImage>& p) {
  p.Bool("AutoSize", &TImage::AutoSize, &TImage::SetAutoSize);
  p.Bool("Center", &TImage::Center, &TImage::SetCenter);
  p.Bool("Proportional", &TImage::Proportional, &TImage::SetProportional);
  p.Bool("Stretch", &TImage::Stretch, &TImage::SetStretch);
  p.Bool("Transparent", &TImage::Transparent, &TImage::SetTransparent);
}

void TImage::SetPicture(const QImage& image) {
  picture_ = image;
  Changed();
}

void TImage::Changed() {
  if (auto_size_ && !picture_.isNull()) SetBounds(Left(), Top(), picture_.width(), picture_.height());
  Invalidate();
}

void TImage::SetAutoSize(bool v) {
  auto_size_ = v;
  Changed();
}

void TImage::Paint(QPainter& p) {
  if (picture_.isNull()) return;
  QImage img = picture_;
  if (transparent_) {
    img = img.convertToFormat(QImage::Format_ARGB32);
    QRgb key = img.pixel(0, img.height() - 1);
    for (int y = 0; y < img.height(); ++y)
      for (int x = 0; x < img.width(); ++x)
        if (img.pixel(x, y) == key) img.setPixel(x, y, qRgba(0, 0, 0, 0));
  }
  int w = img.width(), h = img.height();
  if (stretch_) {
    if (proportional_) {
      double f = std::min(static_cast<double>(Width()) / w, static_cast<double>(Height()) / h);
      w = static_cast<int>(w * f);
      h = static_cast<int>(h * f);
    } else {
      w = Width();
      h = Height();
    }
  }
  int x = center_ ? (Width() - w) / 2 : 0, y = center_ ? (Height() - h) / 2 : 0;
  p.drawImage(QRect(x, y, w, h), img);
}

// --- TProgressBar --------------------------------------------------------------------------

TProgressBar::TProgressBar(TComponent* owner) : TWinControl(owner) {
  auto* b = new QProgressBar;
  b->setTextVisible(false);
  SetWidget(b);
  SetBounds(0, 0, 150, 16);
  Sync();
}

void TProgressBar::Publish(TProps<TProgressBar>& p) {
  p.Int("Max", &TProgressBar::Max, &TProgressBar::SetMax);
  p.Int("Min", &TProgressBar::Min, &TProgressBar::SetMin);
  p.Int("Position", &TProgressBar::Position, &TProgressBar::SetPosition);
  p.Bool("Smooth", &TProgressBar::Smooth, &TProgressBar::SetSmooth);
}

void TProgressBar::SetMin(int v) {
  min_ = v;
  Sync();
}
void TProgressBar::SetMax(int v) {
  max_ = v;
  Sync();
}
void TProgressBar::SetPosition(int v) {
  position_ = std::clamp(v, min_, std::max(min_, max_));
  Sync();
}

void TProgressBar::Sync() {
  auto* b = static_cast<QProgressBar*>(Widget());
  b->setRange(min_, std::max(min_, max_));
  b->setValue(std::clamp(position_, min_, std::max(min_, max_)));
}

}  // namespace platform
