// Events (never while loading): OnChange when the text changes, by the user or by code (not when set to
// itself).
#pragma once

#include "platform/components/strings.h"
#include "platform/ui/wincontrol.h"

namespace platform {

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
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool v);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool v);
  TScrollStyle ScrollBars() const { return scrollBars_; }
  void SetScrollBars(TScrollStyle s);
  int MaxLength() const { return maxLength_; }
  void SetMaxLength(int n) { maxLength_ = n; }
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
  bool readOnly_ = false;
  bool wordWrap_ = true;
  TScrollStyle scrollBars_ = TScrollStyle::ssNone;
  int maxLength_ = 0;
};

}  // namespace platform
