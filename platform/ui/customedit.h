// Events (never while loading): OnChange when the text changes, by the user or by code (not when set to
// itself).
#pragma once

#include "platform/ui/wincontrol.h"

class QLineEdit;

namespace platform {

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
  int MaxLength() const { return maxLength_; }
  void SetMaxLength(int n);
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool v);
  bool AutoSelect() const { return autoSelect_; }
  void SetAutoSelect(bool v) { autoSelect_ = v; }
  void SelectAll();
  void Clear() { SetText(""); }
  QLineEdit* LineEdit() const;

  TNotifyEvent OnChange;
  virtual bool CanPaste() const { return !readOnly_; }
  virtual bool CanCut() const { return !readOnly_; }

protected:
  // Raises OnChange.
  virtual void Change();
  void TextChanged() override;
  void CodePageChanged() override;
  void DoEnter(bool byMouse) override;
  bool ClicksOnRelease() const override { return true; }
  bool ColorFillsBase() const override { return true; }

private:
  friend class EditWidgetAccess;
  void UserEdited();
  void ShowText();
  int maxLength_ = 0;
  bool readOnly_ = false;
  bool autoSelect_ = true;
};

}  // namespace platform
