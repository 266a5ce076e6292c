#include "platform/ui/notebook.h"

#include "platform/ui/customcontrol.h"
#include "platform/ui/page.h"

#include <algorithm>

namespace platform {

TNotebook::TNotebook(TComponent* owner) : TCustomControl(owner) {
  SetBounds(0, 0, 150, 150);
  Widget()->setFocusPolicy(Qt::NoFocus);
}

TNotebook::~TNotebook() {
  for (TPage* p : pages_) p->notebook_ = nullptr;
}

void TNotebook::Publish(TProps<TNotebook>& p) {
  p.Str("ActivePage", &TNotebook::ActivePage, &TNotebook::SetActivePage);
  p.Int("PageIndex", &TNotebook::PageIndex, &TNotebook::SetPageIndex);
  p.Obj<TStrings>("Pages", [](TNotebook& n) { return n.Pages(); });
  p.Event("OnPageChanged", &TNotebook::OnPageChanged);
}

TComponent* TNotebook::OwnerForNested(const TClassInfo& cls) {
  return cls.InheritsFrom(TPage::StaticClass()) ? this : nullptr;
}

void TNotebook::SetPageIndex(int index) {
  if (Loading()) {  // pages may not exist yet
    pageIndex_ = index;
    return;
  }
  if (index < 0 || index >= PageCount() || index == pageIndex_) return;
  pageIndex_ = index;
  ShowActive();
  if (OnPageChanged) OnPageChanged(this);
}

std::string TNotebook::ActivePage() const {
  return pageIndex_ >= 0 && pageIndex_ < PageCount() ? pages_[static_cast<size_t>(pageIndex_)]->Caption()
                                                       : std::string();
}

void TNotebook::SetActivePage(const std::string& name) {
  int i = names_.IndexOf(name);
  if (i >= 0) SetPageIndex(i);
}

void TNotebook::Loaded() {
  TCustomControl::Loaded();
  if (pageIndex_ >= PageCount()) pageIndex_ = PageCount() > 0 ? 0 : -1;
  ShowActive();
}

void TNotebook::Resize() {
  for (TPage* p : pages_) p->SetBounds(0, 0, ClientWidth(), ClientHeight());
  TCustomControl::Resize();
}

void TNotebook::AddPage(TPage* page) {
  pages_.push_back(page);
  page->notebook_ = this;
  names_.Add(page->Caption());
  page->SetBounds(0, 0, ClientWidth(), ClientHeight());
  if (!Loading()) ShowActive();
}

void TNotebook::RemovePage(TPage* page) {
  auto it = std::find(pages_.begin(), pages_.end(), page);
  if (it == pages_.end()) return;
  int i = static_cast<int>(it - pages_.begin());
  pages_.erase(it);
  names_.Delete(i);
  if (i < pageIndex_) --pageIndex_;  // the shown page stays shown
  if (pageIndex_ >= PageCount()) pageIndex_ = PageCount() - 1;
  ShowActive();
}

void TNotebook::PageRenamed(TPage* page) {
  auto it = std::find(pages_.begin(), pages_.end(), page);
  if (it != pages_.end()) names_.SetString(static_cast<int>(it - pages_.begin()), page->Caption());
}

void TNotebook::ShowActive() {
  for (int i = 0; i < PageCount(); ++i) pages_[static_cast<size_t>(i)]->SetVisible(i == pageIndex_);
}

}  // namespace platform
