#include "platform/ui/pagecontrol.h"

#include "platform/ui/application.h"
#include "platform/ui/tabsheet.h"
#include "platform/ui/wincontrol.h"

#include <QFrame>
#include <QObject>
#include <QTabBar>

#include <algorithm>

namespace platform {

TPageControl::TPageControl(TComponent* owner) : TWinControl(owner) {
  auto* frame = new QFrame;
  frame->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
  SetWidget(frame);
  bar_ = new QTabBar(frame);
  bar_->setDrawBase(false);
  bar_->setExpanding(false);
  QObject::connect(bar_, &QTabBar::currentChanged, [this](int tab) {
    if (syncing_ || tab < 0) return;
    // Tabs skip sheets whose tab is hidden.
    int k = -1;
    for (TTabSheet* s : sheets_)
      if (s->TabVisible() && ++k == tab) {
        DispatchEvent([&] {
          SetActivePage(s);
          if (OnChange) OnChange(this);
        });
        return;
      }
  });
  SetTabStop(true);
  SetBounds(0, 0, 289, 193);
}

TPageControl::~TPageControl() {
  for (TTabSheet* s : sheets_) s->pageControl_ = nullptr;
}

void TPageControl::Publish(TProps<TPageControl>& p) {
  p.Ref<TTabSheet>("ActivePage", &TPageControl::ActivePage, &TPageControl::SetActivePage);
  p.Event("OnChange", &TPageControl::OnChange);
}

void TPageControl::SetActivePageIndex(int index) {
  if (index >= 0 && index < PageCount()) SetActivePage(sheets_[static_cast<size_t>(index)]);
}

void TPageControl::SetActivePage(TTabSheet* sheet) {
  if (sheet != nullptr && sheet->pageControl_ != this) return;
  active_ = sheet;
  for (TTabSheet* s : sheets_) s->SetVisible(s == active_);
  UpdateTabs();
}

void TPageControl::UserSelect(int index) {
  if (index < 0 || index >= PageCount() || sheets_[static_cast<size_t>(index)] == active_) return;
  SetActivePage(sheets_[static_cast<size_t>(index)]);
  if (OnChange) OnChange(this);
}

void TPageControl::AddSheet(TTabSheet* s) {
  sheets_.push_back(s);
  s->pageControl_ = this;
  if (active_ == nullptr) active_ = s;
  s->SetVisible(s == active_);
  UpdateTabs();
  Layout();
}

void TPageControl::RemoveSheet(TTabSheet* s) {
  sheets_.erase(std::remove(sheets_.begin(), sheets_.end(), s), sheets_.end());
  if (active_ == s) active_ = sheets_.empty() ? nullptr : sheets_.front();
  for (TTabSheet* t : sheets_) t->SetVisible(t == active_);
  UpdateTabs();
}

void TPageControl::UpdateTabs() {
  syncing_ = true;
  while (bar_->count() > 0) bar_->removeTab(0);
  int current = -1, k = 0;
  for (TTabSheet* s : sheets_) {
    if (!s->TabVisible()) continue;
    bar_->addTab(s->ToQt(s->Caption()));
    if (s == active_) current = k;
    ++k;
  }
  bar_->setCurrentIndex(current);
  syncing_ = false;
  Layout();
}

void TPageControl::Layout() {
  QSize hint = bar_->sizeHint();
  int barH = bar_->count() > 0 ? hint.height() : 0;
  bar_->setGeometry(2, 0, std::min(hint.width(), std::max(0, Width() - 4)), barH);
  for (TTabSheet* s : sheets_) s->SetBounds(4, barH + 2, std::max(0, Width() - 8), std::max(0, Height() - barH - 6));
}

void TPageControl::Resize() {
  Layout();
  TWinControl::Resize();
}

void TPageControl::CodePageChanged() { UpdateTabs(); }

}  // namespace platform
