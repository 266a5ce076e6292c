// Events (never while loading): OnPageChanged when PageIndex changes, by the user or by code.
#pragma once

#include "platform/components/strings.h"
#include "platform/ui/customcontrol.h"

#include <vector>

namespace platform {

class TPage;

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
  int PageIndex() const { return pageIndex_; }
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
  int pageIndex_ = 0;
};

}  // namespace platform
