#pragma once

#include "platform/ui/menuitem.h"

class QMenu;

namespace platform {

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

}  // namespace platform
