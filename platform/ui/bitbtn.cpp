#include "platform/ui/bitbtn.h"

namespace platform {

void TBitBtn::Publish(TProps<TBitBtn>& p) {
  p.Enum("Kind", {"bkCustom", "bkOK", "bkCancel", "bkHelp", "bkYes", "bkNo", "bkClose", "bkAbort", "bkRetry",
                  "bkIgnore", "bkAll"},
         &TBitBtn::Kind, &TBitBtn::SetKind);
  p.Int("Margin", &TBitBtn::Margin, &TBitBtn::SetMargin);
  p.Int("NumGlyphs", &TBitBtn::NumGlyphs, &TBitBtn::SetNumGlyphs);
  p.Int("Spacing", &TBitBtn::Spacing, &TBitBtn::SetSpacing);
}

}  // namespace platform
