// Notebooks with named pages, tabbed page controls, timers, popup menus, file dialogs,
// track bars, colour boxes, speed buttons and scroll boxes.
//
// Event rules (continuing stdctrls.h):
//
// | control       | event    | raised when                                                      |
// |---------------|----------|------------------------------------------------------------------|
// | TNotebook     | OnPageChanged | PageIndex changes, by the user or by code                    |
// | TPageControl  | OnChange | the user selects another tab; not when code sets ActivePage       |
// | TTimer        | OnTimer  | every Interval ms while Enabled, Interval > 0 and OnTimer is set  |
// | TMenuItem     | OnClick  | the user chooses the item, or Click() is called                   |
// | TTrackBar     | OnChange | the user moves the slider; not when code sets Position            |
// | TColorBox     | OnChange | the user selects a colour; not when code sets Selected            |
// | TSpeedButton  | OnClick  | a left press and release inside the button                        |
#pragma once

#include "platform/components/strings.h"
#include "platform/ui/controls.h"
#include "platform/ui/services.h"
#include "platform/ui/stdctrls.h"

#include <QImage>

class QTimer;
class QMenu;
class QTabBar;
class QScrollArea;

namespace platform {

class TNotebook;

// One page of a notebook; its Caption is the page name.
class TPage : public TCustomControl {
  QW_CLASS(TPage, TCustomControl)
public:
  explicit TPage(TComponent* owner);
  ~TPage() override;
  static void Publish(TProps<TPage>& p);
  const std::string& Caption() const { return GetText(); }
  void SetCaption(const std::string& c);
  void SetParent(TWinControl* parent) override;
  TNotebook* Notebook() const { return notebook_; }

protected:
  void Paint(QPainter& painter) override;

private:
  friend class TNotebook;
  TNotebook* notebook_ = nullptr;
};

// A stack of named pages of which one shows.
class TNotebook : public TCustomControl {
  QW_CLASS(TNotebook, TCustomControl)
public:
  explicit TNotebook(TComponent* owner);
  ~TNotebook() override;
  static void Publish(TProps<TNotebook>& p);

  int PageCount() const { return static_cast<int>(pages_.size()); }
  TPage* Page(int index) const { return pages_.at(static_cast<size_t>(index)); }
  // The page names, in page order (found without regard to case).
  TStrings* Pages() { return &names_; }
  int PageIndex() const { return page_index_; }
  void SetPageIndex(int index);
  std::string ActivePage() const;
  void SetActivePage(const std::string& name);
  TNotifyEvent OnPageChanged;

  TComponent* OwnerForNested(const TClassInfo& cls) override;
  void Loaded() override;

protected:
  void Resize() override;
  void Paint(QPainter&) override {}

private:
  friend class TPage;
  void AddPage(TPage* page);
  void RemovePage(TPage* page);
  void PageRenamed(TPage* page);
  void ShowActive();
  std::vector<TPage*> pages_;
  TStrings names_;
  int page_index_ = 0;
};

class TPageControl;

class TTabSheet : public TWinControl {
  QW_CLASS(TTabSheet, TWinControl)
public:
  explicit TTabSheet(TComponent* owner);
  ~TTabSheet() override;
  static void Publish(TProps<TTabSheet>& p);
  const std::string& Caption() const { return GetText(); }
  void SetCaption(const std::string& c) { SetText(c); }
  TPageControl* PageControl() const { return page_control_; }
  void SetPageControl(TPageControl* pc);
  int PageIndex() const;
  bool TabVisible() const { return tab_visible_; }
  void SetTabVisible(bool v);
  void SetParent(TWinControl* parent) override;

protected:
  void TextChanged() override;

private:
  friend class TPageControl;
  TPageControl* page_control_ = nullptr;
  bool tab_visible_ = true;
};

// Tabbed pages (TTabSheet children).
class TPageControl : public TWinControl {
  QW_CLASS(TPageControl, TWinControl)
public:
  explicit TPageControl(TComponent* owner);
  ~TPageControl() override;
  static void Publish(TProps<TPageControl>& p);
  int PageCount() const { return static_cast<int>(sheets_.size()); }
  TTabSheet* Pages(int index) const { return sheets_.at(static_cast<size_t>(index)); }
  TTabSheet* ActivePage() const { return active_; }
  void SetActivePage(TTabSheet* sheet);
  int ActivePageIndex() const;
  void SetActivePageIndex(int index);
  TNotifyEvent OnChange;
  QTabBar* TabBar() const { return bar_; }
  // The user chose tab `index` (tests act as the user through it).
  void UserSelect(int index);

protected:
  void Resize() override;
  void CodePageChanged() override;

private:
  friend class TTabSheet;
  void AddSheet(TTabSheet* s);
  void RemoveSheet(TTabSheet* s);
  void UpdateTabs();
  void Layout();
  std::vector<TTabSheet*> sheets_;
  TTabSheet* active_ = nullptr;
  QTabBar* bar_ = nullptr;
  bool syncing_ = false;
};

class TTimer : public TComponent {
  QW_CLASS(TTimer, TComponent)
public:
  explicit TTimer(TComponent* owner);
  ~TTimer() override;
  static void Publish(TProps<TTimer>& p);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool v);
  int Interval() const { return interval_; }
  void SetInterval(int ms);
  void SetOnTimer(TNotifyEvent e);
  TNotifyEvent OnTimer;
  void Loaded() override;
  bool Active() const;

private:
  void Update();
  bool enabled_ = true;
  int interval_ = 1000;
  QTimer* timer_ = nullptr;
};

class TMenuItem : public TComponent {
  QW_CLASS(TMenuItem, TComponent)
public:
  explicit TMenuItem(TComponent* owner);
  ~TMenuItem() override;
  static void Publish(TProps<TMenuItem>& p);
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& c) { caption_ = c; }
  bool Checked() const { return checked_; }
  void SetChecked(bool v);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool v) { enabled_ = v; }
  bool Visible() const { return visible_; }
  void SetVisible(bool v) { visible_ = v; }
  bool RadioItem() const { return radio_item_; }
  void SetRadioItem(bool v) { radio_item_ = v; }
  int GroupIndex() const { return group_index_; }
  void SetGroupIndex(int g) { group_index_ = g; }
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& h) { hint_ = h; }
  bool IsLine() const { return caption_ == "-"; }

  int Count() const { return static_cast<int>(items_.size()); }
  TMenuItem* Items(int index) const { return items_.at(static_cast<size_t>(index)); }
  TMenuItem* ParentItem() const { return parent_; }
  void Add(TMenuItem* item);
  void Remove(TMenuItem* item);
  int IndexOf(const TMenuItem* item) const;

  // Runs the item: OnClick.
  virtual void Click();
  TNotifyEvent OnClick;

  void SetParentComponent(TComponent* parent) override;
  TComponent* GetParentComponent() const override;

private:
  std::string caption_, hint_;
  bool checked_ = false, enabled_ = true, visible_ = true, radio_item_ = false;
  int group_index_ = 0;
  std::vector<TMenuItem*> items_;
  TMenuItem* parent_ = nullptr;
};

class TPopupMenu : public TComponent {
  QW_CLASS(TPopupMenu, TComponent)
public:
  explicit TPopupMenu(TComponent* owner);
  ~TPopupMenu() override;
  static void Publish(TProps<TPopupMenu>& p);
  // The menu's top items (not a component of the window).
  TMenuItem* Items() { return &root_; }
  // Shows the menu at a screen point (returns at once; a chosen item clicks later).
  void Popup(int x, int y);
  TNotifyEvent OnPopup;
  // The menu of the last Popup, for tests.
  QMenu* LastMenu() const { return menu_; }

private:
  TMenuItem root_;
  QMenu* menu_ = nullptr;
};

enum : unsigned {
  ofReadOnly = 1u << 0, ofOverwritePrompt = 1u << 1, ofHideReadOnly = 1u << 2, ofNoChangeDir = 1u << 3,
  ofShowHelp = 1u << 4, ofNoValidate = 1u << 5, ofAllowMultiSelect = 1u << 6, ofExtensionDifferent = 1u << 7,
  ofPathMustExist = 1u << 8, ofFileMustExist = 1u << 9, ofCreatePrompt = 1u << 10, ofShareAware = 1u << 11,
  ofNoReadOnlyReturn = 1u << 12, ofNoTestFileCreate = 1u << 13, ofNoNetworkButton = 1u << 14,
  ofNoLongNames = 1u << 15, ofOldStyleDialog = 1u << 16, ofNoDereferenceLinks = 1u << 17,
  ofEnableIncludeNotify = 1u << 18, ofEnableSizing = 1u << 19, ofDontAddToRecent = 1u << 20,
  ofForceShowHidden = 1u << 21
};

// The open dialog; TSaveDialog asks for a name to save under. Both run through Services().
class TOpenDialog : public TComponent {
  QW_CLASS(TOpenDialog, TComponent)
public:
  explicit TOpenDialog(TComponent* owner) : TComponent(owner) {}
  static void Publish(TProps<TOpenDialog>& p);
  const std::string& DefaultExt() const { return default_ext_; }
  void SetDefaultExt(const std::string& e) { default_ext_ = e; }
  const std::string& FileName() const { return file_name_; }
  void SetFileName(const std::string& f) { file_name_ = f; }
  const std::string& Filter() const { return filter_; }
  void SetFilter(const std::string& f) { filter_ = f; }
  int FilterIndex() const { return filter_index_; }
  void SetFilterIndex(int i) { filter_index_ = i; }
  const std::string& InitialDir() const { return initial_dir_; }
  void SetInitialDir(const std::string& d) { initial_dir_ = d; }
  const std::string& Title() const { return title_; }
  void SetTitle(const std::string& t) { title_ = t; }
  unsigned Options() const { return options_; }
  void SetOptions(unsigned o) { options_ = o; }
  TStrings* Files() { return &files_; }
  // True when the user chose; FileName and Files then hold the choice.
  virtual bool Execute();

protected:
  virtual bool IsSave() const { return false; }

private:
  std::string default_ext_, file_name_, filter_, initial_dir_, title_;
  int filter_index_ = 1;
  unsigned options_ = ofHideReadOnly | ofEnableSizing;
  TStrings files_;
};

class TSaveDialog : public TOpenDialog {
  QW_CLASS(TSaveDialog, TOpenDialog)
public:
  explicit TSaveDialog(TComponent* owner) : TOpenDialog(owner) {}

protected:
  bool IsSave() const override { return true; }
};

enum class TTrackBarOrientation { trHorizontal, trVertical };
enum class TTickStyle { tsNone, tsAuto, tsManual };

class TTrackBar : public TWinControl {
  QW_CLASS(TTrackBar, TWinControl)
public:
  explicit TTrackBar(TComponent* owner);
  static void Publish(TProps<TTrackBar>& p);
  int Min() const { return min_; }
  void SetMin(int v);
  int Max() const { return max_; }
  void SetMax(int v);
  int Position() const { return position_; }
  void SetPosition(int v);
  int Frequency() const { return frequency_; }
  void SetFrequency(int f);
  TTickStyle TickStyle() const { return tick_style_; }
  void SetTickStyle(TTickStyle s);
  TTrackBarOrientation Orientation() const { return orientation_; }
  void SetOrientation(TTrackBarOrientation o);
  TNotifyEvent OnChange;
  // The user moved the slider to `position`.
  void UserMove(int position);

private:
  void Sync();
  int min_ = 0, max_ = 10, position_ = 0, frequency_ = 1;
  TTickStyle tick_style_ = TTickStyle::tsAuto;
  TTrackBarOrientation orientation_ = TTrackBarOrientation::trHorizontal;
  bool syncing_ = false;
};

enum : unsigned {
  cbStandardColors = 1, cbExtendedColors = 2, cbSystemColors = 4, cbIncludeNone = 8, cbIncludeDefault = 16,
  cbCustomColor = 32, cbPrettyNames = 64
};

// A drop-down list of colours.
class TColorBox : public TWinControl {
  QW_CLASS(TColorBox, TWinControl)
public:
  explicit TColorBox(TComponent* owner);
  static void Publish(TProps<TColorBox>& p);
  TColor Selected() const { return selected_; }
  void SetSelected(TColor c);
  unsigned Style() const { return style_; }
  void SetStyle(unsigned s);
  int ItemCount() const { return static_cast<int>(colors_.size()); }
  TColor Colors(int index) const { return colors_.at(static_cast<size_t>(index)).second; }
  const std::string& ColorNames(int index) const { return colors_.at(static_cast<size_t>(index)).first; }
  TNotifyEvent OnChange;
  // The user chose entry `index` (the custom entry asks Services().ChooseColor first).
  void UserSelect(int index);

protected:
  void CodePageChanged() override;

private:
  void Fill();
  void SyncIndex();
  std::vector<std::pair<std::string, TColor>> colors_;
  TColor selected_ = clBlack;
  unsigned style_ = cbStandardColors | cbExtendedColors | cbSystemColors;
  bool has_custom_ = false;
};

enum class TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
enum class TButtonState { bsUp, bsDisabled, bsDown, bsExclusive };

// A flat button that draws itself: caption and glyph (whose bottom-left pixel colour is
// transparent). Subclasses may draw over it (call TSpeedButton::Paint first).
class TSpeedButton : public TGraphicControl {
  QW_CLASS(TSpeedButton, TGraphicControl)
public:
  explicit TSpeedButton(TComponent* owner);
  static void Publish(TProps<TSpeedButton>& p);
  const std::string& Caption() const { return GetText(); }
  void SetCaption(const std::string& c) { SetText(c); }
  const QImage& Glyph() const { return glyph_; }
  void SetGlyph(const QImage& g) { glyph_ = g; Invalidate(); }
  int NumGlyphs() const { return num_glyphs_; }
  void SetNumGlyphs(int n) { num_glyphs_ = std::max(1, n); Invalidate(); }
  bool Down() const { return down_; }
  void SetDown(bool v);
  int GroupIndex() const { return group_index_; }
  void SetGroupIndex(int g) { group_index_ = g; }
  bool AllowAllUp() const { return allow_all_up_; }
  void SetAllowAllUp(bool v) { allow_all_up_ = v; }
  bool Flat() const { return flat_; }
  void SetFlat(bool v) { flat_ = v; Invalidate(); }
  TButtonLayout Layout() const { return layout_; }
  void SetLayout(TButtonLayout l) { layout_ = l; Invalidate(); }
  int Margin() const { return margin_; }
  void SetMargin(int m) { margin_ = m; Invalidate(); }
  int Spacing() const { return spacing_; }
  void SetSpacing(int s) { spacing_ = s; Invalidate(); }
  // bsDown while the left button holds it (or Down is set).
  TButtonState State() const { return state_; }
  // The left button was pressed on it and is still held (the mouse is captured).
  bool MouseCaptured() const { return dragging_; }

protected:
  void Paint(QPainter& painter) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void TextChanged() override { Invalidate(); }
  bool ClicksOnRelease() const override { return false; }
  void EnabledChanged() override { Invalidate(); }

private:
  QImage glyph_;
  int num_glyphs_ = 1;
  bool down_ = false;
  int group_index_ = 0;
  bool allow_all_up_ = false;
  bool flat_ = false;
  TButtonLayout layout_ = TButtonLayout::blGlyphLeft;
  int margin_ = -1;
  int spacing_ = 4;
  TButtonState state_ = TButtonState::bsUp;
  bool dragging_ = false;
};

// Children placed on a scrolled area; the range follows the children's bounds.
class TScrollBox : public TWinControl {
  QW_CLASS(TScrollBox, TWinControl)
public:
  explicit TScrollBox(TComponent* owner);
  static void Publish(TProps<TScrollBox>& p);
  QWidget* ContainerWidget() const override;
  TBorderStyle BorderStyle() const { return border_style_; }
  void SetBorderStyle(TBorderStyle b);
  // Fits the scrolled area to the children (also on every resize of the box).
  void UpdateRange();

protected:
  void Resize() override;

private:
  QScrollArea* Area() const;
  QWidget* inner_ = nullptr;
  TBorderStyle border_style_ = TBorderStyle::bsSingle;
};

}  // namespace platform
