#include "controls/pagemanager.h"

#include "platform/ui/control.h"
#include "platform/ui/forms.h"
#include "platform/ui/notebook.h"
#include "platform/ui/page.h"

#include <algorithm>

namespace controls {

using namespace platform;

namespace {

// The window layer's notebook: its pages are TPage children named by their captions.
class TLayerNotebookPages : public TNotebookPages {
public:
  explicit TLayerNotebookPages(TNotebook* book) : book_(book) {}
  int PageCount() const override { return book_->PageCount(); }
  int PageIndex() const override { return book_->PageIndex(); }
  void SetPageIndex(int index) override { book_->SetPageIndex(index); }
  std::string PageName(int index) const override { return book_->Page(index)->Caption(); }
  int IndexOfPage(const std::string& name) const override { return book_->Pages()->IndexOf(name); }
  int PageHelpContext(int index) const override { return book_->Page(index)->HelpContext(); }

private:
  TNotebook* book_;
};

}  // namespace

std::shared_ptr<TNotebookPages> NotebookPagesOf(TControl* control) {
  if (control == nullptr) return nullptr;
  if (auto* own = dynamic_cast<TNotebookPages*>(control)) return std::shared_ptr<TNotebookPages>(std::shared_ptr<void>(), own);  // not owned
  if (auto* book = dynamic_cast<TNotebook*>(control)) return std::make_shared<TLayerNotebookPages>(book);
  return nullptr;
}

// --- TPageProxy ----------------------------------------------------------------------------

TPageProxy::TPageProxy(TComponent* owner) : TComponent(owner) {}

TPageProxy::~TPageProxy() {
  if (manager_ != nullptr) manager_->RemoveProxy(this);
}

void TPageProxy::Publish(TProps<TPageProxy>& p) {
  p.Str("PageName", &TPageProxy::PageName, &TPageProxy::SetPageName);
  p.Event("OnEnter", &TPageProxy::OnEnter);
  p.Event("OnLeave", &TPageProxy::OnLeave);
  p.Event("OnShow", &TPageProxy::OnShow);
  p.Event("OnHide", &TPageProxy::OnHide);
}

void TPageProxy::SetPageName(const std::string& name) {
  TNotebookPages* pages = manager_ != nullptr ? manager_->Pages() : nullptr;
  if (pages != nullptr && pages->IndexOfPage(name) < 0) pageName_.clear();
  else pageName_ = name;
}

void TPageProxy::SetParentComponent(TComponent* parent) {
  if (manager_ != nullptr) manager_->RemoveProxy(this);
  if (auto* m = dynamic_cast<TPageManager*>(parent)) m->AddProxy(this);
}

// --- TPageManager --------------------------------------------------------------------------

TPageManager::TPageManager(TComponent* owner) : TComponent(owner) {
  static const bool registered = [] {
    RegisterClass<TPageProxy>();
    return true;
  }();
  (void)registered;
}

TPageManager::~TPageManager() {
  GiveBackClick(0);
  GiveBackClick(1);
  while (!proxies_.empty()) TComponent::Free(proxies_.back());
}

void TPageManager::Publish(TProps<TPageManager>& p) {
  p.Ref<TControl>("PageOwner", &TPageManager::PageOwner, &TPageManager::SetPageOwner);
  p.Ref<TControl>("NextBtn", &TPageManager::NextBtn, &TPageManager::SetNextBtn);
  p.Ref<TControl>("PriorBtn", &TPageManager::PriorBtn, &TPageManager::SetPriorBtn);
  p.Bool("SetStartPage", &TPageManager::SetStartPage, &TPageManager::SetSetStartPage);
  p.Bool("DestroyHandles", &TPageManager::DestroyHandles, &TPageManager::SetDestroyHandles);
  p.Bool("UseHistory", &TPageManager::UseHistory, &TPageManager::SetUseHistory);
  p.Event("OnGetPriorPage", &TPageManager::OnGetPriorPage);
  p.Event("OnGetNextPage", &TPageManager::OnGetNextPage);
  p.Event("OnCheckButtons", &TPageManager::OnCheckButtons);
  p.Event("OnPageChanged", &TPageManager::OnPageChanged);
}

void TPageManager::AddProxy(TPageProxy* proxy) {
  proxies_.push_back(proxy);
  proxy->manager_ = this;
}

void TPageManager::RemoveProxy(TPageProxy* proxy) {
  proxies_.erase(std::remove(proxies_.begin(), proxies_.end(), proxy), proxies_.end());
  proxy->manager_ = nullptr;
}

int TPageManager::CurrentPage() const {
  TNotebookPages* pages = pages_.get();
  return pages != nullptr ? pages->PageIndex() : -1;
}

int TPageManager::PageCount() const {
  TNotebookPages* pages = pages_.get();
  return pages != nullptr ? pages->PageCount() : 0;
}

bool TPageManager::CanGoPrior() { return GetPriorPageIndex(CurrentPage()) >= 0; }
bool TPageManager::CanGoNext() { return GetNextPageIndex(CurrentPage()) >= 0; }

void TPageManager::Loaded() {
  const bool wasLoading = Loading();
  TComponent::Loaded();
  if (wasLoading) {
    TakeOverClick(0);
    TakeOverClick(1);
  }
  TNotebookPages* pages = pages_.get();
  // The notebook may have been named after the proxies: names of no page become empty now.
  if (pages != nullptr)
    for (TPageProxy* proxy : proxies_)
      if (proxy != nullptr) proxy->SetPageName(proxy->PageName());
  if (setStartPage_ && pages != nullptr && !proxies_.empty() && proxies_.front() != nullptr &&
      !proxies_.front()->PageName().empty()) {
    const int start = pages->IndexOfPage(proxies_.front()->PageName());
    if (start >= 0) pages->SetPageIndex(start);
  }
  if (destroyHandles_) FreePageHandles();
  if (pageOwner_ != nullptr && history_.Count() == 0) history_.AddPage(CurrentPage());
  CheckButtons();
}

void TPageManager::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation != TOperation::opRemove) return;
  if (component == pageOwner_) {
    SetPageOwner(nullptr);
  } else {
    for (int which : {0, 1})
      if (component == buttons_[which]) {
        buttons_[which] = nullptr;
        keptClicks_[which] = nullptr;
        taken_[which] = false;
        break;
      }
  }
}

void TPageManager::SetButton(int which, TControl* button) {
  if (button == buttons_[which]) return;
  if (!Loading()) GiveBackClick(which);
  if (buttons_[which] != nullptr && buttons_[which] != buttons_[1 - which]) RemoveFreeNotification(buttons_[which]);
  buttons_[which] = button;
  if (button != nullptr) FreeNotification(button);
  if (!Loading()) TakeOverClick(which);
}

void TPageManager::TakeOverClick(int which) {
  TControl* b = buttons_[which];
  if (b == nullptr || taken_[which]) return;
  keptClicks_[which] = b->OnClick;
  b->OnClick = [this, which](TObject* sender) { ButtonClick(which, sender); };
  taken_[which] = true;
}

void TPageManager::GiveBackClick(int which) {
  TControl* b = buttons_[which];
  if (b == nullptr || !taken_[which]) return;
  b->OnClick = keptClicks_[which];
  keptClicks_[which] = nullptr;
  taken_[which] = false;
}

void TPageManager::ButtonClick(int which, TObject* sender) {
  // The click may free the manager's window; keep what runs afterwards.
  TNotifyEvent kept = keptClicks_[which];
  TControl* button = buttons_[which];
  ChangePage(which == 1);
  if (kept) kept(button != nullptr ? button : sender);
}

void TPageManager::ChangePage(bool next) {
  int target;
  if (next) {
    target = GetNextPageIndex(CurrentPage());
    direction_ = 3;
  } else {
    target = GetPriorPageIndex(CurrentPage());
    direction_ = 2;
  }
  SetCurrentPage(target, next);
}

int TPageManager::GetPriorPageIndex(int currentPage) {
  int result;
  if (useHistory_) {
    const int hi = history_.HistoryIndex();
    result = hi >= 1 ? history_.Items(hi - 1).PageIndex : -1;
  } else {
    result = currentPage >= 1 ? currentPage - 1 : -1;
  }
  if (OnGetPriorPage) OnGetPriorPage(currentPage, result);
  return result;
}

int TPageManager::GetNextPageIndex(int currentPage) {
  int result;
  if (useHistory_) {
    const int hi = history_.HistoryIndex();
    result = hi < history_.Count() - 1 ? history_.Items(hi + 1).PageIndex : -1;
  } else {
    result = currentPage < PageCount() - 1 ? currentPage + 1 : -1;
  }
  if (OnGetNextPage) OnGetNextPage(currentPage, result);
  return result;
}

TPageProxy* TPageManager::ProxyOfPage(int index) const {
  TNotebookPages* pages = pages_.get();
  if (pages == nullptr || index < 0 || index >= pages->PageCount()) return nullptr;
  const std::string name = pages->PageName(index);
  for (TPageProxy* p : proxies_)
    if (p->PageName() == name) return p;
  return nullptr;
}

void TPageManager::SetCurrentPage(int index, bool next) {
  if (index < 0 || index >= PageCount()) {
    direction_ = 1;  // a refused change must not steer the next one
    return;
  }
  const int old = CurrentPage();
  if (TPageProxy* p = ProxyOfPage(old); p != nullptr && p->OnLeave) p->OnLeave(next);
  if (TPageProxy* p = ProxyOfPage(index); p != nullptr && p->OnEnter) p->OnEnter(next);
  ShowPage(index);
  if (CurrentPage() == index) {
    if (TPageProxy* p = ProxyOfPage(old); p != nullptr && p->OnHide) p->OnHide(next);
    if (TPageProxy* p = ProxyOfPage(index); p != nullptr && p->OnShow) p->OnShow(next);
    if (OnPageChanged) OnPageChanged(this);
  }
}

void TPageManager::ShowPage(int index) {
  TNotebookPages* pages = pages_.get();
  if (pages == nullptr) {
    direction_ = 1;
    return;
  }
  const int before = pages->PageIndex();
  pages->SetPageIndex(index);
  if (destroyHandles_) FreePageHandles();
  if (pages->PageIndex() != before) {
    if (useHistory_) {
      switch (direction_) {
        case 2: history_.SetHistoryIndex(history_.HistoryIndex() - 1); break;
        case 3: history_.SetHistoryIndex(history_.HistoryIndex() + 1); break;
        default: history_.AddPage(pages->PageIndex()); break;
      }
    } else {
      history_.AddPage(pages->PageIndex());
    }
  }
  direction_ = 1;
  CheckButtons();
  if (passHelpContext_) {
    auto* form = dynamic_cast<TForm*>(Owner());
    const int current = pages->PageIndex();
    if (form != nullptr && form->HelpContext() == 0 && current >= 0 && current < pages->PageCount())
      form->SetHelpContext(pages->PageHelpContext(current));
  }
}

void TPageManager::CheckButtons() {
  if (buttons_[0] != nullptr) buttons_[0]->SetEnabled(CanGoPrior());
  if (buttons_[1] != nullptr) buttons_[1]->SetEnabled(CanGoNext());
  if (OnCheckButtons) OnCheckButtons(this);
}

void TPageManager::FreePageHandles() {
  TNotebookPages* pages = pages_.get();
  if (pages == nullptr) return;
  const int current = pages->PageIndex();
  for (int i = 0; i < pages->PageCount(); ++i)
    if (i != current) pages->FreePageHandle(i);
}

void TPageManager::SetDestroyHandles(bool v) {
  destroyHandles_ = v;
  if (v && !Loading()) FreePageHandles();
}

void TPageManager::SyncProxies() {
  TNotebookPages* pages = pages_.get();
  if (pages == nullptr) return;
  auto named = [this](const std::string& name) {
    return std::any_of(proxies_.begin(), proxies_.end(), [&](TPageProxy* p) { return p->PageName() == name; });
  };
  // 1. A proxy for every page that has none.
  while (static_cast<int>(proxies_.size()) < pages->PageCount()) {
    auto* proxy = new TPageProxy(Owner());
    AddProxy(proxy);
    if (OnProxyCreated) OnProxyCreated(proxy);
    for (int i = 0; i < pages->PageCount(); ++i)
      if (!named(pages->PageName(i))) {
        proxy->pageName_ = pages->PageName(i);
        break;
      }
  }
  // 2. Proxies of pages that are gone, from the last, while there are too many.
  for (int i = static_cast<int>(proxies_.size()) - 1;
       i >= 0 && static_cast<int>(proxies_.size()) > pages->PageCount(); --i) {
    if (i >= static_cast<int>(proxies_.size())) continue;
    TPageProxy* p = proxies_[static_cast<size_t>(i)];
    if (!p->PageName().empty() && pages->IndexOfPage(p->PageName()) < 0) TComponent::Free(p);
  }
  // 3. Everyone hears of every proxy.
  if (OnProxyCreated)
    for (TPageProxy* p : std::vector<TPageProxy*>(proxies_)) OnProxyCreated(p);
  // 4. Proxies in page order.
  for (int i = 0; i < pages->PageCount() && i < static_cast<int>(proxies_.size()); ++i) {
    const std::string name = pages->PageName(i);
    auto it = std::find_if(proxies_.begin(), proxies_.end(), [&](TPageProxy* p) { return p->PageName() == name; });
    if (it == proxies_.end()) continue;
    TPageProxy* p = *it;
    proxies_.erase(it);
    proxies_.insert(proxies_.begin() + i, p);
  }
}

void TPageManager::SetPageOwner(TControl* notebook) {
  if (notebook == pageOwner_) return;
  if (pageOwner_ != nullptr) RemoveFreeNotification(pageOwner_);
  pageOwner_ = notebook;
  pages_ = NotebookPagesOf(notebook);
  if (notebook != nullptr) FreeNotification(notebook);
  if (Loading() || notebook == nullptr) return;
  SyncProxies();
  if (destroyHandles_) FreePageHandles();
  if (history_.Count() == 0) history_.AddPage(CurrentPage());
}

}  // namespace controls
