#include "platform/ui/extctrls.h"

#include "platform/system/uilanguage.h"
#include "platform/ui/application.h"
#include "platform/ui/qtbridge.h"

#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QFrame>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTabBar>
#include <QTimer>

#include <algorithm>

namespace platform {

namespace {

// The glyph with its bottom-left colour made transparent (the framework's rule).
QImage TransparentGlyph(const QImage& glyph, int num_glyphs, int index) {
  if (glyph.isNull()) return glyph;
  int w = num_glyphs > 1 ? glyph.width() / num_glyphs : glyph.width();
  if (index >= num_glyphs) index = 0;
  QImage img = glyph.copy(index * w, 0, w, glyph.height()).convertToFormat(QImage::Format_ARGB32);
  QRgb key = img.pixel(0, img.height() - 1);
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x)
      if (img.pixel(x, y) == key) img.setPixel(x, y, qRgba(0, 0, 0, 0));
  return img;
}

}  // namespace

// --- TPage / TNotebook ---------------------------------------------------------------------

TPage::TPage(TComponent* owner) : TCustomControl(owner) {
  Widget()->setFocusPolicy(Qt::NoFocus);
  SetVisible(false);
}

TPage::~TPage() {
  if (notebook_ != nullptr) notebook_->RemovePage(this);
}

void TPage::Publish(TProps<TPage>& p) { p.Str("Caption", &TPage::Caption, &TPage::SetCaption); }

void TPage::SetCaption(const std::string& c) {
  SetText(c);
  if (notebook_ != nullptr) notebook_->PageRenamed(this);
}

void TPage::SetParent(TWinControl* parent) {
  if (notebook_ != nullptr) notebook_->RemovePage(this);
  notebook_ = nullptr;
  TCustomControl::SetParent(parent);
  if (auto* nb = dynamic_cast<TNotebook*>(parent)) nb->AddPage(this);
}

void TPage::Paint(QPainter& painter) { painter.fillRect(0, 0, Width(), Height(), ToQColor(Color())); }

TNotebook::TNotebook(TComponent* owner) : TCustomControl(owner) {
  SetBounds(0, 0, 150, 150);
  Widget()->setFocusPolicy(Qt::NoFocus);
}

TNotebook::~TNotebook() {
  for (TPage* p : pages_) p->notebook_ = nullptr;
}

void TNotebook::Publish(TProps<TNotebook>& p) {
  p.Str("ActivePage", &TNotebook::ActivePage, &TNotebook::SetActivePage);
  p.Int("PageIndex", &TNotebook::PageIndex, &TNotebook::SetPageIndex);
  p.Obj<TStrings>("Pages", [](TNotebook& n) { return n.Pages(); });
  p.Event("OnPageChanged", &TNotebook::OnPageChanged);
}

TComponent* TNotebook::OwnerForNested(const TClassInfo& cls) {
  return cls.InheritsFrom(TPage::StaticClass()) ? this : nullptr;
}

void TNotebook::SetPageIndex(int index) {
  if (Loading()) {  // pages may not exist yet
    page_index_ = index;
    return;
  }
  if (index < 0 || index >= PageCount() || index == page_index_) return;
  page_index_ = index;
  ShowActive();
  if (OnPageChanged) OnPageChanged(this);
}

std::string TNotebook::ActivePage() const {
  return page_index_ >= 0 && page_index_ < PageCount() ? pages_[static_cast<size_t>(page_index_)]->Caption()
                                                       : std::string();
}

void TNotebook::SetActivePage(const std::string& name) {
  int i = names_.IndexOf(name);
  if (i >= 0) SetPageIndex(i);
}

void TNotebook::Loaded() {
  TCustomControl::Loaded();
  if (page_index_ >= PageCount()) page_index_ = PageCount() > 0 ? 0 : -1;
  ShowActive();
}

void TNotebook::Resize() {
  for (TPage* p : pages_) p->SetBounds(0, 0, ClientWidth(), ClientHeight());
  TCustomControl::Resize();
}

void TNotebook::AddPage(TPage* page) {
  pages_.push_back(page);
  page->notebook_ = this;
  names_.Add(page->Caption());
  page->SetBounds(0, 0, ClientWidth(), ClientHeight());
  if (!Loading()) ShowActive();
}

void TNotebook::RemovePage(TPage* page) {
  auto it = std::find(pages_.begin(), pages_.end(), page);
  if (it == pages_.end()) return;
  int i = static_cast<int>(it - pages_.begin());
  pages_.erase(it);
  names_.Delete(i);
  if (i < page_index_) --page_index_;  // the shown page stays shown
  if (page_index_ >= PageCount()) page_index_ = PageCount() - 1;
  ShowActive();
}

void TNotebook::PageRenamed(TPage* page) {
  auto it = std::find(pages_.begin(), pages_.end(), page);
  if (it != pages_.end()) names_.SetString(static_cast<int>(it - pages_.begin()), page->Caption());
}

void TNotebook::ShowActive() {
  for (int i = 0; i < PageCount(); ++i) pages_[static_cast<size_t>(i)]->SetVisible(i == page_index_);
}

// --- TTabSheet / TPageControl --------------------------------------------------------------

TTabSheet::TTabSheet(TComponent* owner) : TWinControl(owner) {}

TTabSheet::~TTabSheet() {
  if (page_control_ != nullptr) page_control_->RemoveSheet(this);
}

void TTabSheet::Publish(TProps<TTabSheet>& p) {
  p.Str("Caption", &TTabSheet::Caption, &TTabSheet::SetCaption);
  p.Bool("TabVisible", &TTabSheet::TabVisible, &TTabSheet::SetTabVisible);
}

void TTabSheet::SetPageControl(TPageControl* pc) { SetParent(pc); }

int TTabSheet::PageIndex() const {
  if (page_control_ == nullptr) return -1;
  auto& s = page_control_->sheets_;
  auto it = std::find(s.begin(), s.end(), this);
  return it == s.end() ? -1 : static_cast<int>(it - s.begin());
}

void TTabSheet::SetTabVisible(bool v) {
  tab_visible_ = v;
  if (page_control_ != nullptr) page_control_->UpdateTabs();
}

void TTabSheet::SetParent(TWinControl* parent) {
  if (page_control_ != nullptr) page_control_->RemoveSheet(this);
  page_control_ = nullptr;
  TWinControl::SetParent(parent);
  if (auto* pc = dynamic_cast<TPageControl*>(parent)) pc->AddSheet(this);
}

void TTabSheet::TextChanged() {
  if (page_control_ != nullptr) page_control_->UpdateTabs();
}

TPageControl::TPageControl(TComponent* owner) : TWinControl(owner) {
  auto* frame = new QFrame;
  frame->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
  SetWidget(frame);
  bar_ = new QTabBar(frame);
  bar_->setDrawBase(false);
  bar_->setExpanding(false);
  QObject::connect(bar_, &QTabBar::currentChanged, [this](int tab) {
    if (syncing_ || tab < 0) return;
    // Tabs skip sheets whose tab is hidden.
    int k = -1;
    for (TTabSheet* s : sheets_)
      if (s->TabVisible() && ++k == tab) {
        DispatchEvent([&] {
          SetActivePage(s);
          if (OnChange) OnChange(this);
        });
        return;
      }
  });
  SetTabStop(true);
  SetBounds(0, 0, 289, 193);
}

TPageControl::~TPageControl() {
  for (TTabSheet* s : sheets_) s->page_control_ = nullptr;
}

void TPageControl::Publish(TProps<TPageControl>& p) {
  p.Ref<TTabSheet>("ActivePage", &TPageControl::ActivePage, &TPageControl::SetActivePage);
  p.Event("OnChange", &TPageControl::OnChange);
}

int TPageControl::ActivePageIndex() const { return active_ == nullptr ? -1 : active_->PageIndex(); }

void TPageControl::SetActivePageIndex(int index) {
  if (index >= 0 && index < PageCount()) SetActivePage(sheets_[static_cast<size_t>(index)]);
}

void TPageControl::SetActivePage(TTabSheet* sheet) {
  if (sheet != nullptr && sheet->page_control_ != this) return;
  active_ = sheet;
  for (TTabSheet* s : sheets_) s->SetVisible(s == active_);
  UpdateTabs();
}

void TPageControl::UserSelect(int index) {
  if (index < 0 || index >= PageCount() || sheets_[static_cast<size_t>(index)] == active_) return;
  SetActivePage(sheets_[static_cast<size_t>(index)]);
  if (OnChange) OnChange(this);
}

void TPageControl::AddSheet(TTabSheet* s) {
  sheets_.push_back(s);
  s->page_control_ = this;
  if (active_ == nullptr) active_ = s;
  s->SetVisible(s == active_);
  UpdateTabs();
  Layout();
}

void TPageControl::RemoveSheet(TTabSheet* s) {
  sheets_.erase(std::remove(sheets_.begin(), sheets_.end(), s), sheets_.end());
  if (active_ == s) active_ = sheets_.empty() ? nullptr : sheets_.front();
  for (TTabSheet* t : sheets_) t->SetVisible(t == active_);
  UpdateTabs();
}

void TPageControl::UpdateTabs() {
  syncing_ = true;
  while (bar_->count() > 0) bar_->removeTab(0);
  int current = -1, k = 0;
  for (TTabSheet* s : sheets_) {
    if (!s->TabVisible()) continue;
    bar_->addTab(s->ToQt(s->Caption()));
    if (s == active_) current = k;
    ++k;
  }
  bar_->setCurrentIndex(current);
  syncing_ = false;
  Layout();
}

void TPageControl::Layout() {
  QSize hint = bar_->sizeHint();
  int barH = bar_->count() > 0 ? hint.height() : 0;
  bar_->setGeometry(2, 0, std::min(hint.width(), std::max(0, Width() - 4)), barH);
  for (TTabSheet* s : sheets_) s->SetBounds(4, barH + 2, std::max(0, Width() - 8), std::max(0, Height() - barH - 6));
}

void TPageControl::Resize() {
  Layout();
  TWinControl::Resize();
}

void TPageControl::CodePageChanged() { UpdateTabs(); }

// --- TTimer --------------------------------------------------------------------------------

TTimer::TTimer(TComponent* owner) : TComponent(owner) {}

TTimer::~TTimer() { delete timer_; }

void TTimer::Publish(TProps<TTimer>& p) {
  p.Bool("Enabled", &TTimer::Enabled, &TTimer::SetEnabled);
  p.Int("Interval", &TTimer::Interval, &TTimer::SetInterval);
  p.Event("OnTimer", &TTimer::OnTimer);
}

void TTimer::SetEnabled(bool v) {
  enabled_ = v;
  Update();
}

void TTimer::SetInterval(int ms) {
  interval_ = ms;
  Update();
}

void TTimer::SetOnTimer(TNotifyEvent e) {
  OnTimer = std::move(e);
  Update();
}

void TTimer::Loaded() {
  TComponent::Loaded();
  Update();
}

bool TTimer::Active() const { return timer_ != nullptr && timer_->isActive(); }

void TTimer::Update() {
  bool run = enabled_ && interval_ > 0 && static_cast<bool>(OnTimer) && !Loading();
  if (!run) {
    if (timer_ != nullptr) timer_->stop();
    return;
  }
  if (timer_ == nullptr) {
    EnsureQtApplication();
    timer_ = new QTimer;
    QObject::connect(timer_, &QTimer::timeout, [this] {
      DispatchEvent([this] {
        if (OnTimer) OnTimer(this);
      });
    });
  }
  timer_->start(interval_);  // restarts the interval, as re-enabling does
}

// --- menus ---------------------------------------------------------------------------------

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner) {}

TMenuItem::~TMenuItem() {
  if (parent_ != nullptr) parent_->Remove(this);
  while (!items_.empty()) {
    TMenuItem* c = items_.back();
    items_.pop_back();
    c->parent_ = nullptr;
    if (c->Owner() == nullptr) delete c;
  }
}

void TMenuItem::Publish(TProps<TMenuItem>& p) {
  p.Str("Caption", &TMenuItem::Caption, &TMenuItem::SetCaption);
  p.Bool("Checked", &TMenuItem::Checked, &TMenuItem::SetChecked);
  p.Bool("Enabled", &TMenuItem::Enabled, &TMenuItem::SetEnabled);
  p.Int("GroupIndex", &TMenuItem::GroupIndex, &TMenuItem::SetGroupIndex);
  p.Str("Hint", &TMenuItem::Hint, &TMenuItem::SetHint);
  p.Bool("RadioItem", &TMenuItem::RadioItem, &TMenuItem::SetRadioItem);
  p.Bool("Visible", &TMenuItem::Visible, &TMenuItem::SetVisible);
  p.Event("OnClick", &TMenuItem::OnClick);
}

void TMenuItem::SetChecked(bool v) {
  checked_ = v;
  if (v && radio_item_ && parent_ != nullptr)
    for (TMenuItem* o : parent_->items_)
      if (o != this && o->radio_item_ && o->group_index_ == group_index_) o->checked_ = false;
}

void TMenuItem::Add(TMenuItem* item) {
  if (item->parent_ != nullptr) item->parent_->Remove(item);
  items_.push_back(item);
  item->parent_ = this;
}

void TMenuItem::Remove(TMenuItem* item) {
  items_.erase(std::remove(items_.begin(), items_.end(), item), items_.end());
  if (item->parent_ == this) item->parent_ = nullptr;
}

int TMenuItem::IndexOf(const TMenuItem* item) const {
  auto it = std::find(items_.begin(), items_.end(), item);
  return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

void TMenuItem::Click() {
  if (!enabled_) return;
  if (OnClick) OnClick(this);
}

void TMenuItem::SetParentComponent(TComponent* parent) {
  if (auto* menu = dynamic_cast<TPopupMenu*>(parent)) menu->Items()->Add(this);
  else if (auto* item = dynamic_cast<TMenuItem*>(parent)) item->Add(this);
}

TComponent* TMenuItem::GetParentComponent() const { return parent_; }

TPopupMenu::TPopupMenu(TComponent* owner) : TComponent(owner), root_(nullptr) {}

TPopupMenu::~TPopupMenu() { delete menu_; }

void TPopupMenu::Publish(TProps<TPopupMenu>& p) { p.Event("OnPopup", &TPopupMenu::OnPopup); }

namespace {
void FillMenu(QMenu* menu, TMenuItem* item, int cp) {
  for (int i = 0; i < item->Count(); ++i) {
    TMenuItem* it = item->Items(i);
    if (!it->Visible()) continue;
    if (it->IsLine()) {
      menu->addSeparator();
      continue;
    }
    QString text = ToQString(it->Caption(), cp);
    if (it->Count() > 0) {
      FillMenu(menu->addMenu(text), it, cp);
      continue;
    }
    QAction* a = menu->addAction(text);
    a->setEnabled(it->Enabled());
    a->setCheckable(it->Checked() || it->RadioItem());
    a->setChecked(it->Checked());
    QObject::connect(a, &QAction::triggered, [it] { DispatchEvent([it] { it->Click(); }); });
  }
}
}  // namespace

void TPopupMenu::Popup(int x, int y) {
  EnsureQtApplication();
  if (OnPopup) OnPopup(this);
  delete menu_;
  menu_ = new QMenu;
  FillMenu(menu_, &root_, InterfaceCodePage());
  menu_->popup(QPoint(x, y));
}

// --- file dialogs --------------------------------------------------------------------------

void TOpenDialog::Publish(TProps<TOpenDialog>& p) {
  p.Str("DefaultExt", &TOpenDialog::DefaultExt, &TOpenDialog::SetDefaultExt);
  p.Str("FileName", &TOpenDialog::FileName, &TOpenDialog::SetFileName);
  p.Str("Filter", &TOpenDialog::Filter, &TOpenDialog::SetFilter);
  p.Int("FilterIndex", &TOpenDialog::FilterIndex, &TOpenDialog::SetFilterIndex);
  p.Str("InitialDir", &TOpenDialog::InitialDir, &TOpenDialog::SetInitialDir);
  p.Set("Options",
        {"ofReadOnly", "ofOverwritePrompt", "ofHideReadOnly", "ofNoChangeDir", "ofShowHelp", "ofNoValidate",
         "ofAllowMultiSelect", "ofExtensionDifferent", "ofPathMustExist", "ofFileMustExist", "ofCreatePrompt",
         "ofShareAware", "ofNoReadOnlyReturn", "ofNoTestFileCreate", "ofNoNetworkButton", "ofNoLongNames",
         "ofOldStyleDialog", "ofNoDereferenceLinks", "ofEnableIncludeNotify", "ofEnableSizing", "ofDontAddToRecent",
         "ofForceShowHidden"},
        &TOpenDialog::Options, &TOpenDialog::SetOptions);
  p.Str("Title", &TOpenDialog::Title, &TOpenDialog::SetTitle);
}

bool TOpenDialog::Execute() {
  TFileDialogRequest r;
  r.save = IsSave();
  r.title = title_;
  r.filter = filter_;
  r.filter_index = filter_index_;
  r.default_ext = default_ext_;
  r.initial_dir = initial_dir_;
  r.file_name = file_name_;
  r.overwrite_prompt = (options_ & ofOverwritePrompt) != 0;
  r.allow_multi_select = (options_ & ofAllowMultiSelect) != 0;
  r.file_must_exist = (options_ & ofFileMustExist) != 0;
  TFileDialogResult result;
  if (!Services().FileDialog(r, result) || result.files.empty()) return false;
  file_name_ = result.files.front();
  files_.Assign(result.files);
  filter_index_ = result.filter_index;
  return true;
}

// --- TTrackBar -----------------------------------------------------------------------------

TTrackBar::TTrackBar(TComponent* owner) : TWinControl(owner) {
  auto* s = new QSlider(Qt::Horizontal);
  SetWidget(s);
  SetTabStop(true);
  SetBounds(0, 0, 150, 45);
  QObject::connect(s, &QSlider::valueChanged, [this](int v) {
    if (!syncing_) DispatchEvent([&] { UserMove(v); });
  });
  Sync();
}

void TTrackBar::Publish(TProps<TTrackBar>& p) {
  p.Int("Frequency", &TTrackBar::Frequency, &TTrackBar::SetFrequency);
  p.Int("Max", &TTrackBar::Max, &TTrackBar::SetMax);
  p.Int("Min", &TTrackBar::Min, &TTrackBar::SetMin);
  p.Enum("Orientation", {"trHorizontal", "trVertical"}, &TTrackBar::Orientation, &TTrackBar::SetOrientation);
  p.Int("Position", &TTrackBar::Position, &TTrackBar::SetPosition);
  p.Enum("TickStyle", {"tsNone", "tsAuto", "tsManual"}, &TTrackBar::TickStyle, &TTrackBar::SetTickStyle);
  p.Event("OnChange", &TTrackBar::OnChange);
}

void TTrackBar::SetMin(int v) {
  min_ = v;
  Sync();
}
void TTrackBar::SetMax(int v) {
  max_ = v;
  Sync();
}
void TTrackBar::SetPosition(int v) {
  position_ = std::clamp(v, min_, std::max(min_, max_));
  Sync();
}
void TTrackBar::SetFrequency(int f) {
  frequency_ = f;
  Sync();
}
void TTrackBar::SetTickStyle(TTickStyle s) {
  tick_style_ = s;
  Sync();
}
void TTrackBar::SetOrientation(TTrackBarOrientation o) {
  orientation_ = o;
  Sync();
}

void TTrackBar::UserMove(int position) {
  position = std::clamp(position, min_, std::max(min_, max_));
  if (position == position_) return;
  position_ = position;
  Sync();
  if (OnChange && !Loading()) OnChange(this);
}

void TTrackBar::Sync() {
  auto* s = static_cast<QSlider*>(Widget());
  syncing_ = true;
  s->setOrientation(orientation_ == TTrackBarOrientation::trVertical ? Qt::Vertical : Qt::Horizontal);
  s->setRange(min_, std::max(min_, max_));
  s->setValue(position_);
  s->setTickPosition(tick_style_ == TTickStyle::tsNone ? QSlider::NoTicks : QSlider::TicksBelow);
  s->setTickInterval(std::max(1, frequency_));
  syncing_ = false;
}

// --- TColorBox -----------------------------------------------------------------------------

namespace {
struct ColorEntry {
  const char* name;
  TColor color;
};
const ColorEntry kStandard[] = {{"Black", clBlack}, {"Maroon", clMaroon}, {"Green", clGreen},   {"Olive", clOlive},
                                {"Navy", clNavy},   {"Purple", clPurple}, {"Teal", clTeal},     {"Gray", clGray},
                                {"Silver", clSilver}, {"Red", clRed},     {"Lime", clLime},     {"Yellow", clYellow},
                                {"Blue", clBlue},   {"Fuchsia", clFuchsia}, {"Aqua", clAqua}, {"White", clWhite}};
const ColorEntry kExtended[] = {{"Money Green", 0xC0DCC0}, {"Sky Blue", 0xF0CAA6}, {"Cream", 0xF0FBFF},
                                {"Medium Gray", 0xA4A0A0}};
const ColorEntry kSystem[] = {{"Scroll Bar", clScrollBar}, {"Background", clBackground},
                              {"Active Caption", clActiveCaption}, {"Menu", clMenu}, {"Window", clWindow},
                              {"Window Frame", clWindowFrame}, {"Menu Text", clMenuText},
                              {"Window Text", clWindowText}, {"Caption Text", clCaptionText},
                              {"Highlight", clHighlight}, {"Highlight Text", clHighlightText},
                              {"Button Face", clBtnFace}, {"Button Shadow", clBtnShadow},
                              {"Gray Text", clGrayText}, {"Button Text", clBtnText},
                              {"Button Highlight", clBtnHighlight}, {"3D Dark Shadow", cl3DDkShadow},
                              {"3D Light", cl3DLight}, {"Info Text", clInfoText}, {"Info Background", clInfoBk}};

QIcon Swatch(TColor c) {
  QPixmap px(16, 12);
  px.fill(ToQColor(c));
  QPainter p(&px);
  p.setPen(Qt::black);
  p.drawRect(0, 0, 15, 11);
  return QIcon(px);
}
}  // namespace

TColorBox::TColorBox(TComponent* owner) : TWinControl(owner) {
  auto* c = new QComboBox;
  SetWidget(c);
  SetTabStop(true);
  SetBounds(0, 0, 145, 22);
  Fill();
  QObject::connect(c, &QComboBox::activated, [this](int index) { DispatchEvent([&] { UserSelect(index); }); });
}

void TColorBox::Publish(TProps<TColorBox>& p) {
  p.Int("Selected", &TColorBox::Selected, &TColorBox::SetSelected);
  p.Set("Style", {"cbStandardColors", "cbExtendedColors", "cbSystemColors", "cbIncludeNone", "cbIncludeDefault",
                  "cbCustomColor", "cbPrettyNames"},
        &TColorBox::Style, &TColorBox::SetStyle);
  p.Event("OnChange", &TColorBox::OnChange);
}

void TColorBox::SetStyle(unsigned s) {
  style_ = s;
  Fill();
}

void TColorBox::Fill() {
  colors_.clear();
  has_custom_ = (style_ & cbCustomColor) != 0;
  if (has_custom_) colors_.push_back({"Custom...", selected_});
  auto add = [&](const ColorEntry* b, const ColorEntry* e) {
    for (const ColorEntry* c = b; c != e; ++c) colors_.push_back({c->name, c->color});
  };
  if (style_ & cbIncludeNone) colors_.push_back({"None", clNone});
  if (style_ & cbIncludeDefault) colors_.push_back({"Default", clDefault});
  if (style_ & cbStandardColors) add(std::begin(kStandard), std::end(kStandard));
  if (style_ & cbExtendedColors) add(std::begin(kExtended), std::end(kExtended));
  if (style_ & cbSystemColors) add(std::begin(kSystem), std::end(kSystem));
  CodePageChanged();
}

void TColorBox::CodePageChanged() {
  auto* c = static_cast<QComboBox*>(Widget());
  QSignalBlocker block(c);
  c->clear();
  for (const auto& [name, color] : colors_) c->addItem(Swatch(color), ToQt(name));
  SyncIndex();
}

void TColorBox::SetSelected(TColor c) {
  selected_ = c;
  bool found = std::any_of(colors_.begin() + (has_custom_ ? 1 : 0), colors_.end(),
                           [&](const auto& e) { return e.second == c; });
  if (!found && has_custom_) {
    colors_[0].second = c;
    static_cast<QComboBox*>(Widget())->setItemIcon(0, Swatch(c));
  }
  SyncIndex();
}

void TColorBox::SyncIndex() {
  auto* c = static_cast<QComboBox*>(Widget());
  QSignalBlocker block(c);
  int index = -1;
  for (size_t i = has_custom_ ? 1 : 0; i < colors_.size(); ++i)
    if (colors_[i].second == selected_) {
      index = static_cast<int>(i);
      break;
    }
  if (index < 0 && has_custom_) index = 0;
  c->setCurrentIndex(index);
}

void TColorBox::UserSelect(int index) {
  if (index < 0 || index >= ItemCount()) return;
  if (has_custom_ && index == 0) {
    TColor c = colors_[0].second;
    if (!Services().ChooseColor(c)) {
      SyncIndex();
      return;
    }
    colors_[0].second = c;
    static_cast<QComboBox*>(Widget())->setItemIcon(0, Swatch(c));
    selected_ = c;
  } else {
    selected_ = colors_[static_cast<size_t>(index)].second;
  }
  SyncIndex();
  if (OnChange && !Loading()) OnChange(this);
}

// --- TSpeedButton --------------------------------------------------------------------------

TSpeedButton::TSpeedButton(TComponent* owner) : TGraphicControl(owner) { SetBounds(0, 0, 23, 22); }

void TSpeedButton::Publish(TProps<TSpeedButton>& p) {
  p.Bool("AllowAllUp", &TSpeedButton::AllowAllUp, &TSpeedButton::SetAllowAllUp);
  p.Str("Caption", &TSpeedButton::Caption, &TSpeedButton::SetCaption);
  p.Bool("Down", &TSpeedButton::Down, &TSpeedButton::SetDown);
  p.Bool("Flat", &TSpeedButton::Flat, &TSpeedButton::SetFlat);
  p.Int("GroupIndex", &TSpeedButton::GroupIndex, &TSpeedButton::SetGroupIndex);
  p.Enum("Layout", {"blGlyphLeft", "blGlyphRight", "blGlyphTop", "blGlyphBottom"},
         &TSpeedButton::Layout, &TSpeedButton::SetLayout);
  p.Int("Margin", &TSpeedButton::Margin, &TSpeedButton::SetMargin);
  p.Int("NumGlyphs", &TSpeedButton::NumGlyphs, &TSpeedButton::SetNumGlyphs);
  p.Int("Spacing", &TSpeedButton::Spacing, &TSpeedButton::SetSpacing);
}

void TSpeedButton::SetDown(bool v) {
  if (group_index_ == 0) v = false;
  if (v == down_) return;
  down_ = v;
  state_ = v ? TButtonState::bsExclusive : TButtonState::bsUp;
  if (v && Parent() != nullptr) {
    for (int i = 0; i < Parent()->ControlCount(); ++i) {
      auto* o = dynamic_cast<TSpeedButton*>(Parent()->Controls(i));
      if (o != nullptr && o != this && o->group_index_ == group_index_ && o->down_) {
        o->down_ = false;
        o->state_ = TButtonState::bsUp;
        o->Invalidate();
      }
    }
  }
  Invalidate();
}

void TSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TGraphicControl::MouseDown(button, shift, x, y);
  if (button != TMouseButton::mbLeft || !Enabled()) return;
  dragging_ = true;
  if (!down_) {
    state_ = TButtonState::bsDown;
    Repaint();
  }
}

void TSpeedButton::MouseMove(TShiftState shift, int x, int y) {
  TGraphicControl::MouseMove(shift, x, y);
  if (!dragging_) return;
  bool inside = x >= 0 && y >= 0 && x < Width() && y < Height();
  TButtonState s = inside ? TButtonState::bsDown : (down_ ? TButtonState::bsExclusive : TButtonState::bsUp);
  if (s != state_) {
    state_ = s;
    Invalidate();
  }
}

void TSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TGraphicControl::MouseUp(button, shift, x, y);
  if (button != TMouseButton::mbLeft || !dragging_) return;
  dragging_ = false;
  bool inside = x >= 0 && y >= 0 && x < Width() && y < Height();
  if (group_index_ == 0) {
    state_ = TButtonState::bsUp;
  } else if (inside) {
    SetDown(!down_ || !allow_all_up_ ? true : false);
  }
  Invalidate();
  if (inside) Click();
}

void TSpeedButton::Paint(QPainter& p) {
  QWidget* w = Widget();
  bool pressed = state_ == TButtonState::bsDown || state_ == TButtonState::bsExclusive;
  if (!flat_ || pressed) {
    QStyleOptionButton opt;
    opt.initFrom(w);
    opt.rect = QRect(0, 0, Width(), Height());
    opt.state |= pressed ? QStyle::State_Sunken : QStyle::State_Raised;
    if (!Enabled()) opt.state &= ~QStyle::State_Enabled;
    w->style()->drawPrimitive(QStyle::PE_PanelButtonCommand, &opt, &p, w);
  }
  int off = pressed ? 1 : 0;
  QImage g = TransparentGlyph(glyph_, num_glyphs_, Enabled() ? 0 : 1);
  QString text = ToQt(Caption());
  p.setFont(ToQFont(*Font()));
  QFontMetrics fm(p.font());
  int tw = text.isEmpty() ? 0 : fm.horizontalAdvance(text), th = text.isEmpty() ? 0 : fm.height();
  int gw = g.isNull() ? 0 : g.width(), gh = g.isNull() ? 0 : g.height();
  int gap = (gw > 0 && tw > 0) ? spacing_ : 0;
  bool horizontal = layout_ == TButtonLayout::blGlyphLeft || layout_ == TButtonLayout::blGlyphRight;
  int totalW = horizontal ? gw + gap + tw : std::max(gw, tw);
  int totalH = horizontal ? std::max(gh, th) : gh + gap + th;
  int x0 = (Width() - totalW) / 2 + off, y0 = (Height() - totalH) / 2 + off;
  int gx = x0, gy = y0, tx = x0, ty = y0;
  switch (layout_) {
    case TButtonLayout::blGlyphLeft: gy = y0 + (totalH - gh) / 2; tx = x0 + gw + gap; ty = y0 + (totalH - th) / 2; break;
    case TButtonLayout::blGlyphRight: tx = x0; ty = y0 + (totalH - th) / 2; gx = x0 + tw + gap; gy = y0 + (totalH - gh) / 2; break;
    case TButtonLayout::blGlyphTop: gx = x0 + (totalW - gw) / 2; tx = x0 + (totalW - tw) / 2; ty = y0 + gh + gap; break;
    case TButtonLayout::blGlyphBottom: tx = x0 + (totalW - tw) / 2; gx = x0 + (totalW - gw) / 2; gy = y0 + th + gap; break;
  }
  if (!g.isNull()) p.drawImage(gx, gy, g);
  if (!text.isEmpty()) {
    p.setPen(Enabled() ? ToQColor(Font()->Color()) : ToQColor(clGrayText));
    p.drawText(QRect(tx, ty, tw, th), Qt::AlignCenter | Qt::TextShowMnemonic, text);
  }
}

// --- TScrollBox ----------------------------------------------------------------------------

TScrollBox::TScrollBox(TComponent* owner) : TWinControl(owner) {
  auto* area = new QScrollArea;
  inner_ = new QWidget;
  area->setWidget(inner_);
  area->setWidgetResizable(false);
  SetWidget(area);
  SetBounds(0, 0, 185, 41);
}

void TScrollBox::Publish(TProps<TScrollBox>& p) {
  p.Enum("BorderStyle", {"bsNone", "bsSingle"}, &TScrollBox::BorderStyle, &TScrollBox::SetBorderStyle);
}

QScrollArea* TScrollBox::Area() const { return static_cast<QScrollArea*>(Widget()); }

QWidget* TScrollBox::ContainerWidget() const { return inner_; }

void TScrollBox::SetBorderStyle(TBorderStyle b) {
  border_style_ = b;
  Area()->setFrameShape(b == TBorderStyle::bsNone ? QFrame::NoFrame : QFrame::StyledPanel);
}

void TScrollBox::UpdateRange() {
  int w = 0, h = 0;
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* c = Controls(i);
    if (!c->Visible()) continue;
    w = std::max(w, c->Left() + c->Width());
    h = std::max(h, c->Top() + c->Height());
  }
  inner_->resize(std::max(w, Area()->viewport()->width()), std::max(h, Area()->viewport()->height()));
}

void TScrollBox::Resize() {
  UpdateRange();
  TWinControl::Resize();
}

}  // namespace platform
