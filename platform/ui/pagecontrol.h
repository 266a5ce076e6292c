// Events (never while loading): OnChange when the user selects another tab; not when code sets ActivePage.
#pragma once

#include "platform/ui/wincontrol.h"

#include <vector>

class QTabBar;

namespace platform {

class TTabSheet;

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

}  // namespace platform
