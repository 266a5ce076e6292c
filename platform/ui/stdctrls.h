// The standard controls.
//
// Event rules (the same whatever Qt's signals do; no event fires while loading):
//
// | control        | event    | raised when                                                       |
// |----------------|----------|-------------------------------------------------------------------|
// | TButton        | OnClick  | the user presses it (mouse or keyboard), or Click() is called      |
// | TCheckBox      | OnClick  | Checked changes, by the user or by code; not when set to its value |
// | TRadioButton   | OnClick  | it becomes checked, by the user or by code; unchecking raises      |
// |                |          | nothing. Checking one unchecks the other radio buttons of the same |
// |                |          | parent (silently); a parent may have none checked                  |
// | TRadioGroup    | OnClick  | ItemIndex changes, by the user or by code                          |
// | TComboBox      | OnChange | the user selects an item (also the one already selected) or types  |
// |                |          | in its edit; never when code sets ItemIndex, Text or Items         |
// | TListBox       | OnClick  | the user changes the selected item; not when code sets ItemIndex   |
// | TEdit, TMemo   | OnChange | the text changes, by the user or by code (not when set to itself)  |
// | TLabel, TImage,| OnClick  | a left press and release inside the control                        |
// | TPanel, ...    |          |                                                                    |
#pragma once

#include "platform/components/strings.h"
#include "platform/ui/controls.h"

#include <QImage>

class QLineEdit;
class QComboBox;
class QListWidget;
class QPlainTextEdit;
class QRadioButton;

namespace platform {

enum class TAlignment { taLeftJustify, taRightJustify, taCenter };
enum class TTextLayout { tlTop, tlCenter, tlBottom };

// Registers every class of the window layer (and the language controller) for window
// descriptions, keeping classes of the same names registered before. Called by TForm
// before it reads its description.
void RegisterStandardClasses();

class TLabel : public TGraphicControl {
  QW_CLASS(TLabel, TGraphicControl)
public:
  explicit TLabel(TComponent* owner);
  static void Publish(TProps<TLabel>& p);
  const std::string& Caption() const { return GetText(); }
  void SetCaption(const std::string& c) { SetText(c); }
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment a);
  TTextLayout Layout() const { return layout_; }
  void SetLayout(TTextLayout l);
  bool AutoSize() const { return auto_size_; }
  void SetAutoSize(bool v);
  bool WordWrap() const { return word_wrap_; }
  void SetWordWrap(bool v);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool v) { transparent_ = v; Invalidate(); }
  bool ShowAccelChar() const { return show_accel_char_; }
  void SetShowAccelChar(bool v) { show_accel_char_ = v; Invalidate(); }
  TWinControl* FocusControl() const { return focus_control_; }
  void SetFocusControl(TWinControl* c);
  void Notification(TComponent* component, TOperation operation) override;
  void Loaded() override;
  // Fits the bounds to the text (AutoSize).
  void AdjustBounds();

protected:
  void TextChanged() override;
  void FontChanged() override;
  void Paint(QPainter& painter) override;

private:
  TAlignment alignment_ = TAlignment::taLeftJustify;
  TTextLayout layout_ = TTextLayout::tlTop;
  bool auto_size_ = true;
  bool word_wrap_ = false;
  bool transparent_ = false;
  bool show_accel_char_ = true;
  TWinControl* focus_control_ = nullptr;
};

class TButton : public TWinControl {
  QW_CLASS(TButton, TWinControl)
public:
  explicit TButton(TComponent* owner);
  static void Publish(TProps<TButton>& p);
  const std::string& Caption() const { return GetText(); }
  void SetCaption(const std::string& c) { SetText(c); }
  bool Default() const { return default_; }
  void SetDefault(bool v);
  bool Cancel() const { return cancel_; }
  void SetCancel(bool v) { cancel_ = v; }
  int ModalResult() const { return modal_result_; }
  void SetModalResult(int v) { modal_result_ = v; }

protected:
  void TextChanged() override;
  bool ClicksOnRelease() const override { return false; }

private:
  bool default_ = false;
  bool cancel_ = false;
  int modal_result_ = 0;
};

enum class TBitBtnKind { bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry, bkIgnore, bkAll };

// A button with a picture beside its caption.
class TBitBtn : public TButton {
  QW_CLASS(TBitBtn, TButton)
public:
  explicit TBitBtn(TComponent* owner) : TButton(owner) {}
  static void Publish(TProps<TBitBtn>& p);
  TBitBtnKind Kind() const { return kind_; }
  void SetKind(TBitBtnKind k) { kind_ = k; }
  const QImage& Glyph() const { return glyph_; }
  void SetGlyph(const QImage& g);
  int NumGlyphs() const { return num_glyphs_; }
  void SetNumGlyphs(int n) { num_glyphs_ = n; }
  int Spacing() const { return spacing_; }
  void SetSpacing(int s) { spacing_ = s; }
  int Margin() const { return margin_; }
  void SetMargin(int m) { margin_ = m; }

private:
  TBitBtnKind kind_ = TBitBtnKind::bkCustom;
  QImage glyph_;
  int num_glyphs_ = 1;
  int spacing_ = 4;
  int margin_ = -1;
};

enum class TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

class TCheckBox : public TWinControl {
  QW_CLASS(TCheckBox, TWinControl)
public:
  explicit TCheckBox(TComponent* owner);
  static void Publish(TProps<TCheckBox>& p);
  const std::string& Caption() const { return GetText(); }
  void SetCaption(const std::string& c) { SetText(c); }
  bool Checked() const { return state_ == TCheckBoxState::cbChecked; }
  void SetChecked(bool v) { SetState(v ? TCheckBoxState::cbChecked : TCheckBoxState::cbUnchecked); }
  TCheckBoxState State() const { return state_; }
  void SetState(TCheckBoxState s);
  bool AllowGrayed() const { return allow_grayed_; }
  void SetAllowGrayed(bool v);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment a);

protected:
  void TextChanged() override;
  bool ClicksOnRelease() const override { return false; }

private:
  void SyncWidget();
  TCheckBoxState state_ = TCheckBoxState::cbUnchecked;
  bool allow_grayed_ = false;
  TAlignment alignment_ = TAlignment::taRightJustify;
};

class TRadioButton : public TWinControl {
  QW_CLASS(TRadioButton, TWinControl)
public:
  explicit TRadioButton(TComponent* owner);
  static void Publish(TProps<TRadioButton>& p);
  const std::string& Caption() const { return GetText(); }
  void SetCaption(const std::string& c) { SetText(c); }
  bool Checked() const { return checked_; }
  void SetChecked(bool v);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment a);

protected:
  void TextChanged() override;
  bool ClicksOnRelease() const override { return false; }

private:
  void SyncWidget();
  bool checked_ = false;
  TAlignment alignment_ = TAlignment::taRightJustify;
};

enum class TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };

// The single-line edit. Subclasses may refuse paste and cut (CanPaste, CanCut) and filter
// keys (KeyDown, KeyPress: set the key to 0).
class TCustomEdit : public TWinControl {
  QW_CLASS(TCustomEdit, TWinControl)
public:
  explicit TCustomEdit(TComponent* owner);
  static void Publish(TProps<TCustomEdit>& p);
  const std::string& Text() const { return GetText(); }
  void SetTextValue(const std::string& t) { SetText(t); }
  int MaxLength() const { return max_length_; }
  void SetMaxLength(int n);
  bool ReadOnly() const { return read_only_; }
  void SetReadOnly(bool v);
  bool AutoSelect() const { return auto_select_; }
  void SetAutoSelect(bool v) { auto_select_ = v; }
  bool Modified() const { return modified_; }
  void SetModified(bool v) { modified_ = v; }
  void SelectAll();
  int SelStart() const;
  void SetSelStart(int v);
  int SelLength() const;
  void SetSelLength(int v);
  void Clear() { SetText(""); }
  QLineEdit* LineEdit() const;

  TNotifyEvent OnChange;
  virtual bool CanPaste() const { return !read_only_; }
  virtual bool CanCut() const { return !read_only_; }

protected:
  // Raises OnChange.
  virtual void Change();
  void TextChanged() override;
  void CodePageChanged() override;
  void DoEnter(bool by_mouse) override;
  bool ClicksOnRelease() const override { return true; }
  bool ColorFillsBase() const override { return true; }

private:
  friend class EditWidgetAccess;
  void UserEdited();
  void ShowText();
  int max_length_ = 0;
  bool read_only_ = false;
  bool auto_select_ = true;
  bool modified_ = false;
};

class TEdit : public TCustomEdit {
  QW_CLASS(TEdit, TCustomEdit)
public:
  explicit TEdit(TComponent* owner) : TCustomEdit(owner) {}
};

enum class TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

class TMemo : public TWinControl, private TStrings::Listener {
  QW_CLASS(TMemo, TWinControl)
public:
  explicit TMemo(TComponent* owner);
  ~TMemo() override;
  static void Publish(TProps<TMemo>& p);
  TStrings* Lines() { return &lines_; }
  void SetLines(TStrings* l) { if (l != nullptr) lines_.Assign(*l); }
  // The whole text, lines joined by CR LF.
  const std::string& Text() const { return GetText(); }
  void SetTextValue(const std::string& t);
  bool ReadOnly() const { return read_only_; }
  void SetReadOnly(bool v);
  bool WordWrap() const { return word_wrap_; }
  void SetWordWrap(bool v);
  TScrollStyle ScrollBars() const { return scroll_bars_; }
  void SetScrollBars(TScrollStyle s);
  int MaxLength() const { return max_length_; }
  void SetMaxLength(int n) { max_length_ = n; }
  void Clear() { SetTextValue(""); }
  TNotifyEvent OnChange;

protected:
  virtual void Change();
  void TextChanged() override;
  void CodePageChanged() override;
  bool WantsKey(int key) const override { return key == VK_RETURN; }
  bool ColorFillsBase() const override { return true; }

private:
  void ShowText();
  void ItemInserted(int) override { LinesChanged(); }
  void ItemDeleted(int) override { LinesChanged(); }
  void ItemChanged(int) override { LinesChanged(); }
  void ItemsReset() override { LinesChanged(); }
  void LinesChanged();
  void UserEdited();
  TStrings lines_;
  bool syncing_ = false;
  bool read_only_ = false;
  bool word_wrap_ = true;
  TScrollStyle scroll_bars_ = TScrollStyle::ssNone;
  int max_length_ = 0;
};

enum class TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };

class TComboBox : public TWinControl, private TStrings::Listener {
  QW_CLASS(TComboBox, TWinControl)
public:
  explicit TComboBox(TComponent* owner);
  ~TComboBox() override;
  static void Publish(TProps<TComboBox>& p);
  TStrings* Items() { return &items_; }
  void SetItems(TStrings* s) { if (s != nullptr) items_.Assign(*s); }
  int ItemIndex() const { return item_index_; }
  void SetItemIndex(int i);
  // The edit's text; for drop-down lists the selected item.
  const std::string& Text() const { return GetText(); }
  void SetTextValue(const std::string& t);
  TComboBoxStyle Style() const { return style_; }
  void SetStyle(TComboBoxStyle s);
  int DropDownCount() const { return drop_down_count_; }
  void SetDropDownCount(int n);
  bool Sorted() const { return items_.Sorted(); }
  void SetSorted(bool v) { items_.SetSorted(v); }
  int MaxLength() const { return max_length_; }
  void SetMaxLength(int n) { max_length_ = n; }
  QComboBox* Combo() const;
  TNotifyEvent OnChange;

  // The user chose item `index` (tests act as the user through it).
  void UserSelect(int index);

protected:
  virtual void Change();
  void TextChanged() override;
  void CodePageChanged() override;
  bool ColorFillsBase() const override { return true; }

private:
  void ItemInserted(int index) override;
  void ItemDeleted(int index) override;
  void ItemChanged(int index) override;
  void ItemsReset() override;
  void SyncIndex();
  bool IsList() const { return style_ == TComboBoxStyle::csDropDownList || style_ == TComboBoxStyle::csOwnerDrawFixed || style_ == TComboBoxStyle::csOwnerDrawVariable; }
  TStrings items_;
  int item_index_ = -1;
  TComboBoxStyle style_ = TComboBoxStyle::csDropDown;
  int drop_down_count_ = 8;
  int max_length_ = 0;
  bool syncing_ = false;
  QLineEdit* connected_edit_ = nullptr;
};

class TListBox : public TWinControl, private TStrings::Listener {
  QW_CLASS(TListBox, TWinControl)
public:
  explicit TListBox(TComponent* owner);
  ~TListBox() override;
  static void Publish(TProps<TListBox>& p);
  TStrings* Items() { return &items_; }
  void SetItems(TStrings* s) { if (s != nullptr) items_.Assign(*s); }
  int ItemIndex() const { return item_index_; }
  void SetItemIndex(int i);
  bool Sorted() const { return items_.Sorted(); }
  void SetSorted(bool v) { items_.SetSorted(v); }
  bool MultiSelect() const { return multi_select_; }
  void SetMultiSelect(bool v);
  bool Selected(int index) const;
  void SetSelected(int index, bool v);
  int SelCount() const;
  QListWidget* List() const;
  // The user selected item `index` (tests act as the user through it).
  void UserSelect(int index);

protected:
  void CodePageChanged() override;
  bool ClicksOnRelease() const override { return false; }
  bool ColorFillsBase() const override { return true; }

private:
  void ItemInserted(int index) override;
  void ItemDeleted(int index) override;
  void ItemChanged(int index) override;
  void ItemsReset() override;
  void SyncIndex();
  TStrings items_;
  int item_index_ = -1;
  bool multi_select_ = false;
  bool syncing_ = false;
};

class TGroupBox : public TWinControl {
  QW_CLASS(TGroupBox, TWinControl)
public:
  explicit TGroupBox(TComponent* owner);
  static void Publish(TProps<TGroupBox>& p);
  const std::string& Caption() const { return GetText(); }
  void SetCaption(const std::string& c) { SetText(c); }

protected:
  void TextChanged() override;
};

// A group box of radio buttons made from its Items.
class TRadioGroup : public TWinControl, private TStrings::Listener {
  QW_CLASS(TRadioGroup, TWinControl)
public:
  explicit TRadioGroup(TComponent* owner);
  ~TRadioGroup() override;
  static void Publish(TProps<TRadioGroup>& p);
  const std::string& Caption() const { return GetText(); }
  void SetCaption(const std::string& c) { SetText(c); }
  TStrings* Items() { return &items_; }
  void SetItems(TStrings* s) { if (s != nullptr) items_.Assign(*s); }
  int ItemIndex() const { return item_index_; }
  void SetItemIndex(int i);
  int Columns() const { return columns_; }
  void SetColumns(int n);
  int ButtonCount() const { return static_cast<int>(buttons_.size()); }
  QRadioButton* Button(int i) const { return buttons_.at(static_cast<size_t>(i)); }
  // The user clicked button `index`.
  void UserSelect(int index);

protected:
  void TextChanged() override;
  void CodePageChanged() override;
  void Resize() override;
  bool ClicksOnRelease() const override { return false; }

private:
  void ItemInserted(int) override { RebuildButtons(); }
  void ItemDeleted(int) override { RebuildButtons(); }
  void ItemChanged(int index) override;
  void ItemsReset() override { RebuildButtons(); }
  void RebuildButtons();
  void ArrangeButtons();
  void SyncButtons();
  TStrings items_;
  std::vector<QRadioButton*> buttons_;
  int item_index_ = -1;
  int columns_ = 1;
};

enum class TPanelBevel { bvNone, bvLowered, bvRaised, bvSpace };
enum class TBorderStyle { bsNone, bsSingle };

class TPanel : public TCustomControl {
  QW_CLASS(TPanel, TCustomControl)
public:
  explicit TPanel(TComponent* owner);
  static void Publish(TProps<TPanel>& p);
  const std::string& Caption() const { return GetText(); }
  void SetCaption(const std::string& c) { SetText(c); }
  TPanelBevel BevelInner() const { return bevel_inner_; }
  void SetBevelInner(TPanelBevel b) { bevel_inner_ = b; Invalidate(); }
  TPanelBevel BevelOuter() const { return bevel_outer_; }
  void SetBevelOuter(TPanelBevel b) { bevel_outer_ = b; Invalidate(); }
  int BevelWidth() const { return bevel_width_; }
  void SetBevelWidth(int w) { bevel_width_ = w; Invalidate(); }
  TBorderStyle BorderStyle() const { return border_style_; }
  void SetBorderStyle(TBorderStyle b) { border_style_ = b; Invalidate(); }
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment a) { alignment_ = a; Invalidate(); }

protected:
  void TextChanged() override { Invalidate(); }
  void Paint(QPainter& painter) override;

private:
  TPanelBevel bevel_inner_ = TPanelBevel::bvNone;
  TPanelBevel bevel_outer_ = TPanelBevel::bvRaised;
  int bevel_width_ = 1;
  TBorderStyle border_style_ = TBorderStyle::bsNone;
  TAlignment alignment_ = TAlignment::taCenter;
};

enum class TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
enum class TBevelStyle { bsLowered, bsRaised };

class TBevel : public TGraphicControl {
  QW_CLASS(TBevel, TGraphicControl)
public:
  explicit TBevel(TComponent* owner);
  static void Publish(TProps<TBevel>& p);
  TBevelShape Shape() const { return shape_; }
  void SetShape(TBevelShape s) { shape_ = s; Invalidate(); }
  TBevelStyle Style() const { return style_; }
  void SetStyle(TBevelStyle s) { style_ = s; Invalidate(); }

protected:
  void Paint(QPainter& painter) override;

private:
  TBevelShape shape_ = TBevelShape::bsBox;
  TBevelStyle style_ = TBevelStyle::bsLowered;
};

// A picture. The window sets it in code (SetPicture) or draws on Canvas().
class TImage : public TGraphicControl {
  QW_CLASS(TImage, TGraphicControl)
public:
  explicit TImage(TComponent* owner);
  static void Publish(TProps<TImage>& p);
  const QImage& Picture() const { return picture_; }
  void SetPicture(const QImage& image);
  // The picture to draw on; call Changed() afterwards.
  QImage& Canvas() { return picture_; }
  void Changed();
  bool AutoSize() const { return auto_size_; }
  void SetAutoSize(bool v);
  bool Center() const { return center_; }
  void SetCenter(bool v) { center_ = v; Invalidate(); }
  bool Stretch() const { return stretch_; }
  void SetStretch(bool v) { stretch_ = v; Invalidate(); }
  bool Proportional() const { return proportional_; }
  void SetProportional(bool v) { proportional_ = v; Invalidate(); }
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool v) { transparent_ = v; Invalidate(); }

protected:
  void Paint(QPainter& painter) override;

private:
  QImage picture_;
  bool auto_size_ = false;
  bool center_ = false;
  bool stretch_ = false;
  bool proportional_ = false;
  bool transparent_ = false;
};

class TProgressBar : public TWinControl {
  QW_CLASS(TProgressBar, TWinControl)
public:
  explicit TProgressBar(TComponent* owner);
  static void Publish(TProps<TProgressBar>& p);
  int Min() const { return min_; }
  void SetMin(int v);
  int Max() const { return max_; }
  void SetMax(int v);
  int Position() const { return position_; }
  void SetPosition(int v);
  bool Smooth() const { return smooth_; }
  void SetSmooth(bool v) { smooth_ = v; }

private:
  void Sync();
  int min_ = 0, max_ = 100, position_ = 0;
  bool smooth_ = false;
};

}  // namespace platform
