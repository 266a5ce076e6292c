#include "platform/ui/popupmenu.h"

#include "platform/system/uilanguage.h"
#include "platform/ui/application.h"
#include "platform/ui/menuitem.h"
#include "platform/ui/qtbridge.h"

#include <QAction>
#include <QMenu>
#include <QObject>

namespace platform {

TPopupMenu::TPopupMenu(TComponent* owner) : TComponent(owner), root_(nullptr) {}

TPopupMenu::~TPopupMenu() { delete menu_; }

void TPopupMenu::Publish(TProps<TPopupMenu>& p) { p.Event("OnPopup", &TPopupMenu::OnPopup); }

namespace {
void FillMenu(QMenu* menu, TMenuItem* item, int cp) {
  for (int i = 0; i < item->Count(); ++i) {
    TMenuItem* it = item->Items(i);
    if (!it->Visible()) continue;
    if (it->IsLine()) {
      menu->addSeparator();
      continue;
    }
    QString text = ToQString(it->Caption(), cp);
    if (it->Count() > 0) {
      FillMenu(menu->addMenu(text), it, cp);
      continue;
    }
    QAction* a = menu->addAction(text);
    a->setEnabled(it->Enabled());
    a->setCheckable(it->Checked() || it->RadioItem());
    a->setChecked(it->Checked());
    QObject::connect(a, &QAction::triggered, [it] { DispatchEvent([it] { it->Click(); }); });
  }
}
}  // namespace

void TPopupMenu::Popup(int x, int y) {
  EnsureQtApplication();
  if (OnPopup) OnPopup(this);
  delete menu_;
  menu_ = new QMenu;
  FillMenu(menu_, &root_, InterfaceCodePage());
  menu_->popup(QPoint(x, y));
}

}  // namespace platform
