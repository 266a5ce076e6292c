#include "wizard/wincomps.h"

#include "controls/registry.h"
#include "platform/ui/qtbridge.h"
#include "platform/ui/stdctrls.h"
#include "platform/uilanguage.h"

#include <QMenu>
#include <QTabBar>
#include <QWidget>

#include <algorithm>

using namespace platform;

namespace wizard {

// --- TPage, TNotebook ----------------------------------------------------------------------

TPage::TPage(TComponent* owner) : TWinControl(owner) { SetBounds(0, 0, 100, 100); }

void TPage::Publish(TProps<TPage>& p) { p.Str("Caption", &TPage::Caption, &TPage::SetCaption); }

TNotebook::TNotebook(TComponent* owner) : TWinControl(owner) { SetBounds(0, 0, 150, 150); }

void TNotebook::Publish(TProps<TNotebook>& p) {
  p.Int("PageIndex", &TNotebook::PageIndex, &TNotebook::SetPageIndex);
}

std::vector<TPage*> TNotebook::Pages() const {
  std::vector<TPage*> pages;
  for (int i = 0; i < ControlCount(); ++i)
    if (auto* page = dynamic_cast<TPage*>(Controls(i))) pages.push_back(page);
  return pages;
}

TPage* TNotebook::Page(int index) const {
  std::vector<TPage*> pages = Pages();
  return index >= 0 && index < static_cast<int>(pages.size()) ? pages[static_cast<size_t>(index)] : nullptr;
}

void TNotebook::SetPageIndex(int index) {
  if (!Loading() && (index < 0 || index >= PageCount())) return;
  page_index_ = index;
  if (!Loading()) ShowCurrent();
}

std::string TNotebook::PageName(int index) const {
  TPage* page = Page(index);
  return page != nullptr ? page->Name() : std::string();
}

int TNotebook::IndexOfPage(const std::string& name) const {
  std::vector<TPage*> pages = Pages();
  for (size_t i = 0; i < pages.size(); ++i)
    if (SameName(pages[i]->Name(), name)) return static_cast<int>(i);
  return -1;
}

int TNotebook::PageHelpContext(int index) const {
  TPage* page = Page(index);
  return page != nullptr ? page->HelpContext() : 0;
}

void TNotebook::Loaded() {
  TWinControl::Loaded();
  if (page_index_ >= PageCount()) page_index_ = 0;
  ShowCurrent();
}

void TNotebook::ShowCurrent() {
  std::vector<TPage*> pages = Pages();
  for (size_t i = 0; i < pages.size(); ++i) {
    pages[i]->SetBounds(0, 0, ClientWidth(), ClientHeight());
    pages[i]->SetVisible(static_cast<int>(i) == page_index_);
  }
}

// --- TTabSheet, TPageControl ---------------------------------------------------------------

TTabSheet::TTabSheet(TComponent* owner) : TWinControl(owner) { SetBounds(0, 0, 100, 100); }

void TTabSheet::Publish(TProps<TTabSheet>& p) { p.Str("Caption", &TTabSheet::Caption, &TTabSheet::SetCaption); }

TPageControl::TPageControl(TComponent* owner) : TWinControl(owner) {
  tabs_ = new QTabBar(Widget());
  tabs_->setDrawBase(true);
  body_ = new QWidget(Widget());
  QObject::connect(tabs_, &QTabBar::currentChanged, tabs_, [this](int index) {
    if (!syncing_ && index >= 0) SetActivePageIndex(index);
  });
  SetBounds(0, 0, 289, 193);
}

void TPageControl::Publish(TProps<TPageControl>& p) {
  p.Int("ActivePageIndex", &TPageControl::ActivePageIndex, &TPageControl::SetActivePageIndex);
}

std::vector<TTabSheet*> TPageControl::Sheets() const {
  std::vector<TTabSheet*> sheets;
  for (int i = 0; i < ControlCount(); ++i)
    if (auto* s = dynamic_cast<TTabSheet*>(Controls(i))) sheets.push_back(s);
  return sheets;
}

TTabSheet* TPageControl::Sheet(int index) const {
  std::vector<TTabSheet*> sheets = Sheets();
  return index >= 0 && index < static_cast<int>(sheets.size()) ? sheets[static_cast<size_t>(index)] : nullptr;
}

void TPageControl::SetActivePageIndex(int index) {
  active_ = index;
  if (!Loading()) Sync();
}

void TPageControl::Loaded() {
  TWinControl::Loaded();
  Sync();
}

void TPageControl::Resize() {
  TWinControl::Resize();
  Sync();
}

void TPageControl::CodePageChanged() {
  TWinControl::CodePageChanged();
  Sync();
}

void TPageControl::Sync() {
  std::vector<TTabSheet*> sheets = Sheets();
  syncing_ = true;
  while (tabs_->count() > static_cast<int>(sheets.size())) tabs_->removeTab(tabs_->count() - 1);
  while (tabs_->count() < static_cast<int>(sheets.size())) tabs_->addTab(QString());
  for (size_t i = 0; i < sheets.size(); ++i) tabs_->setTabText(static_cast<int>(i), ToQt(sheets[i]->Caption()));
  if (active_ >= 0 && active_ < tabs_->count()) tabs_->setCurrentIndex(active_);
  syncing_ = false;
  int tab_h = tabs_->sizeHint().height();
  tabs_->setGeometry(0, 0, Width(), tab_h);
  body_->setGeometry(2, tab_h + 2, std::max(0, Width() - 4), std::max(0, Height() - tab_h - 4));
  for (size_t i = 0; i < sheets.size(); ++i) {
    sheets[i]->SetBounds(0, 0, body_->width(), body_->height());
    sheets[i]->SetVisible(static_cast<int>(i) == active_);
  }
}

// --- dialogs -------------------------------------------------------------------------------

void TOpenDialog::Publish(TProps<TOpenDialog>& p) {
  p.Str("DefaultExt", [](TOpenDialog& d) { return d.DefaultExt; },
        [](TOpenDialog& d, const std::string& v) { d.DefaultExt = v; });
  p.Str("FileName", [](TOpenDialog& d) { return d.FileName; },
        [](TOpenDialog& d, const std::string& v) { d.FileName = v; });
  p.Str("Filter", [](TOpenDialog& d) { return d.Filter; }, [](TOpenDialog& d, const std::string& v) { d.Filter = v; });
  p.Int("FilterIndex", [](TOpenDialog& d) { return d.FilterIndex; }, [](TOpenDialog& d, int v) { d.FilterIndex = v; });
  p.Str("InitialDir", [](TOpenDialog& d) { return d.InitialDir; },
        [](TOpenDialog& d, const std::string& v) { d.InitialDir = v; });
  p.Set("Options",
        {"ofReadOnly", "ofOverwritePrompt", "ofHideReadOnly", "ofNoChangeDir", "ofAllowMultiSelect",
         "ofPathMustExist", "ofFileMustExist", "ofEnableSizing"},
        [](TOpenDialog& d) { return static_cast<int64_t>(d.Options); },
        [](TOpenDialog& d, int64_t v) { d.Options = static_cast<unsigned>(v); });
  p.Str("Title", [](TOpenDialog& d) { return d.Title; }, [](TOpenDialog& d, const std::string& v) { d.Title = v; });
}

bool TOpenDialog::Execute() {
  TFileDialogRequest r;
  r.save = IsSave();
  r.title = Title;
  r.filter = Filter;
  r.filter_index = FilterIndex;
  std::string ext = DefaultExt;
  if (ext.rfind("*.", 0) == 0) ext = ext.substr(2);
  if (!ext.empty() && ext[0] == '.') ext = ext.substr(1);
  r.default_ext = ext;
  r.initial_dir = InitialDir;
  r.file_name = FileName;
  r.overwrite_prompt = (Options & ofOverwritePrompt) != 0;
  r.allow_multi_select = (Options & ofAllowMultiSelect) != 0;
  r.file_must_exist = (Options & ofFileMustExist) != 0;
  TFileDialogResult result;
  if (!Services().FileDialog(r, result) || result.files.empty()) return false;
  files_.Clear();
  for (const std::string& f : result.files) files_.Add(f);
  FileName = result.files.front();
  FilterIndex = result.filter_index;
  return true;
}

// --- menus ---------------------------------------------------------------------------------

void TMenuItem::Publish(TProps<TMenuItem>& p) {
  p.Str("Caption", [](TMenuItem& m) { return m.Caption; }, [](TMenuItem& m, const std::string& v) { m.Caption = v; });
  p.Bool("Enabled", [](TMenuItem& m) { return m.Enabled; }, [](TMenuItem& m, bool v) { m.Enabled = v; });
  p.Event("OnClick", &TMenuItem::OnClick);
}

TMenuItem::~TMenuItem() {
  if (menu_ != nullptr) std::erase(menu_->items_, this);
}

void TMenuItem::SetParentComponent(TComponent* parent) {
  if (menu_ != nullptr) std::erase(menu_->items_, this);
  menu_ = dynamic_cast<TPopupMenu*>(parent);
  if (menu_ != nullptr) menu_->items_.push_back(this);
}

TComponent* TMenuItem::GetParentComponent() const { return menu_; }

TPopupMenu::~TPopupMenu() {
  for (TMenuItem* item : items_) item->menu_ = nullptr;
}

void TPopupMenu::Popup(int x, int y) {
  QMenu menu;
  std::vector<TMenuItem*> items = items_;
  for (TMenuItem* item : items) {
    QAction* a = menu.addAction(ToQString(item->Caption, InterfaceCodePage()));
    a->setEnabled(item->Enabled);
  }
  QAction* chosen = menu.exec(QPoint(x, y));
  if (chosen == nullptr) return;
  int index = static_cast<int>(menu.actions().indexOf(chosen));
  if (index >= 0 && index < static_cast<int>(items.size())) items[static_cast<size_t>(index)]->Click();
}

// --- language controller -------------------------------------------------------------------

void TLangController::Publish(TProps<TLangController>& p) { p.Event("OnLanguageChanged", &TLangController::OnLangChanged); }

std::string TLangController::WindowName() const { return Owner() != nullptr ? Owner()->Name() : Name(); }

void TLangController::ApplySection(const localisation::TLang_CompTranslation* /*section*/) {}

void TLangController::Loaded() {
  TComponent::Loaded();
  localisation::TCustomLangController::OnLanguageChanged = [this](localisation::TCustomLangController&) {
    if (OnLangChanged) OnLangChanged(this);
  };
}

void RegisterWizardClasses() {
  static const bool once = [] {
    RegisterStandardClasses();
    controls::RegisterControlClasses();
    RegisterClass<TPage>();
    RegisterClass<TNotebook>();
    RegisterClass<TTabSheet>();
    RegisterClass<TPageControl>();
    RegisterClass<TOpenDialog>();
    RegisterClass<TSaveDialog>();
    RegisterClass<TMenuItem>();
    RegisterClass<TPopupMenu>();
    RegisterClass<TLangController>();
    return true;
  }();
  (void)once;
}

}  // namespace wizard
