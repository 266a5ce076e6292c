#pragma once

#include "platform/ui/button.h"

namespace platform {

enum class TBitBtnKind { bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry, bkIgnore, bkAll };

// A button with the picture settings that window descriptions give it (kind, margin,
// number of glyphs, spacing); it shows its caption.
class TBitBtn : public TButton {
  QW_CLASS(TBitBtn, TButton)
public:
  explicit TBitBtn(TComponent* owner) : TButton(owner) {}
  static void Publish(TProps<TBitBtn>& p);
  TBitBtnKind Kind() const { return kind_; }
  void SetKind(TBitBtnKind k) { kind_ = k; }
  int NumGlyphs() const { return numGlyphs_; }
  void SetNumGlyphs(int n) { numGlyphs_ = n; }
  int Spacing() const { return spacing_; }
  void SetSpacing(int s) { spacing_ = s; }
  int Margin() const { return margin_; }
  void SetMargin(int m) { margin_ = m; }

private:
  TBitBtnKind kind_ = TBitBtnKind::bkCustom;
  int numGlyphs_ = 1;
  int spacing_ = 4;
  int margin_ = -1;
};

}  // namespace platform
