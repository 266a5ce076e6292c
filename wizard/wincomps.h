// Window components the builder's window needs beyond the standard controls: a notebook of
// named pages, a tab control with sheets, open and save dialogs over the desktop services,
// a popup menu and the window's language controller.
#pragma once

#include "controls/pagemanager.h"
#include "localisation/langmanager.h"
#include "platform/ui/controls.h"
#include "platform/ui/services.h"
#include "platform/strings.h"

#include <string>
#include <vector>

class QTabBar;

namespace wizard {

// One page of a notebook; its name is the page name.
class TPage : public platform::TWinControl {
  QW_CLASS(TPage, platform::TWinControl)
public:
  explicit TPage(platform::TComponent* owner);
  static void Publish(platform::TProps<TPage>& p);
  const std::string& Caption() const { return GetText(); }
  void SetCaption(const std::string& c) { SetText(c); }
};

// A stack of pages, one shown at a time (the pages are its child controls, in order).
class TNotebook : public platform::TWinControl, public controls::TNotebookPages {
  QW_CLASS(TNotebook, platform::TWinControl)
public:
  explicit TNotebook(platform::TComponent* owner);
  static void Publish(platform::TProps<TNotebook>& p);

  int PageCount() const override { return static_cast<int>(Pages().size()); }
  int PageIndex() const override { return page_index_; }
  void SetPageIndex(int index) override;
  std::string PageName(int index) const override;
  int IndexOfPage(const std::string& name) const override;
  int PageHelpContext(int index) const override;
  TPage* Page(int index) const;
  void Loaded() override;

private:
  std::vector<TPage*> Pages() const;
  void ShowCurrent();
  int page_index_ = 0;
};

class TTabSheet : public platform::TWinControl {
  QW_CLASS(TTabSheet, platform::TWinControl)
public:
  explicit TTabSheet(platform::TComponent* owner);
  static void Publish(platform::TProps<TTabSheet>& p);
  const std::string& Caption() const { return GetText(); }
  void SetCaption(const std::string& c) { SetText(c); }
};

// Tabs over sheets; the sheets are its child controls.
class TPageControl : public platform::TWinControl {
  QW_CLASS(TPageControl, platform::TWinControl)
public:
  explicit TPageControl(platform::TComponent* owner);
  static void Publish(platform::TProps<TPageControl>& p);
  int ActivePageIndex() const { return active_; }
  void SetActivePageIndex(int index);
  int SheetCount() const { return static_cast<int>(Sheets().size()); }
  TTabSheet* Sheet(int index) const;
  void Loaded() override;
  QWidget* ContainerWidget() const override { return body_; }

protected:
  void Resize() override;
  void CodePageChanged() override;

private:
  std::vector<TTabSheet*> Sheets() const;
  void Sync();
  QTabBar* tabs_ = nullptr;
  QWidget* body_ = nullptr;
  int active_ = 0;
  bool syncing_ = false;
};

// Options of the file dialogs.
enum : unsigned {
  ofReadOnly = 1 << 0, ofOverwritePrompt = 1 << 1, ofHideReadOnly = 1 << 2, ofNoChangeDir = 1 << 3,
  ofAllowMultiSelect = 1 << 4, ofPathMustExist = 1 << 5, ofFileMustExist = 1 << 6,
  ofEnableSizing = 1 << 7,
};

class TOpenDialog : public platform::TComponent {
  QW_CLASS(TOpenDialog, platform::TComponent)
public:
  explicit TOpenDialog(platform::TComponent* owner) : TComponent(owner) {}
  static void Publish(platform::TProps<TOpenDialog>& p);
  std::string Filter, DefaultExt, FileName, InitialDir, Title;
  int FilterIndex = 1;
  unsigned Options = ofHideReadOnly | ofEnableSizing;
  // The chosen files (the first is FileName).
  platform::TStrings* Files() { return &files_; }
  // Asks through the desktop services; false when cancelled.
  virtual bool Execute();

protected:
  virtual bool IsSave() const { return false; }

private:
  platform::TStrings files_;
};

class TSaveDialog : public TOpenDialog {
  QW_CLASS(TSaveDialog, TOpenDialog)
public:
  explicit TSaveDialog(platform::TComponent* owner) : TOpenDialog(owner) {}

protected:
  bool IsSave() const override { return true; }
};

class TMenuItem : public platform::TComponent {
  QW_CLASS(TMenuItem, platform::TComponent)
public:
  explicit TMenuItem(platform::TComponent* owner) : TComponent(owner) {}
  ~TMenuItem() override;
  static void Publish(platform::TProps<TMenuItem>& p);
  std::string Caption;
  bool Enabled = true;
  platform::TNotifyEvent OnClick;
  void Click() {
    if (Enabled && OnClick) OnClick(this);
  }
  void SetParentComponent(platform::TComponent* parent) override;
  platform::TComponent* GetParentComponent() const override;

private:
  friend class TPopupMenu;
  class TPopupMenu* menu_ = nullptr;
};

class TPopupMenu : public platform::TComponent {
  QW_CLASS(TPopupMenu, platform::TComponent)
public:
  explicit TPopupMenu(platform::TComponent* owner) : TComponent(owner) {}
  ~TPopupMenu() override;
  const std::vector<TMenuItem*>& Items() const { return items_; }
  // Shows the menu at a screen point and runs the chosen item.
  void Popup(int x, int y);

private:
  friend class TMenuItem;
  std::vector<TMenuItem*> items_;
};

// The window's language controller: attached to the language manager; raises
// OnLanguageChanged after every language switch.
class TLangController : public platform::TComponent, public localisation::TCustomLangController {
  QW_CLASS(TLangController, platform::TComponent)
public:
  explicit TLangController(platform::TComponent* owner) : TComponent(owner) {}
  static void Publish(platform::TProps<TLangController>& p);
  std::string WindowName() const override;
  void ApplySection(const localisation::TLang_CompTranslation* section) override;
  platform::TNotifyEvent OnLangChanged;  // published as OnLanguageChanged
  void Loaded() override;
};

// Registers the classes above (after the standard ones) and the controls' classes.
void RegisterWizardClasses();

}  // namespace wizard
