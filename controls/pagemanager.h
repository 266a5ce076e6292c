// The wizard page manager: turns a notebook (a stack of named pages, one visible) into a
// wizard. It takes over the clicks of a Next and a Prior button, asks its events which page
// comes next or before, switches the page, fires per-page (proxies) and global events,
// keeps the history of visited pages and enables each button only when there is somewhere
// to go. Setting the notebook's page directly bypasses all of this.
#pragma once

#include "controls/pagehistory.h"
#include "platform/components/component.h"
#include "platform/ui/control.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace controls {

// What the manager needs of a notebook.
class TNotebookPages {
public:
  virtual ~TNotebookPages() = default;
  virtual int PageCount() const = 0;
  virtual int PageIndex() const = 0;
  virtual void SetPageIndex(int index) = 0;
  virtual std::string PageName(int index) const = 0;
  // Without regard to case; -1 when absent.
  virtual int IndexOfPage(const std::string& name) const = 0;
  virtual int PageHelpContext(int index) const = 0;
  // Lets a hidden page give up what it holds on screen (recreated when it is shown).
  virtual void FreePageHandle(int /*index*/) {}
};

// A view of the pages of a notebook control, or nullptr for a control that is none: for the
// window layer's TNotebook and for controls that implement TNotebookPages themselves. The
// view lives while the control does.
std::shared_ptr<TNotebookPages> NotebookPagesOf(platform::TControl* control);

using TPageRequestEvent = std::function<void(int currentPage, int& newPage)>;
using TPageNotifyEvent = std::function<void(bool next)>;

class TPageManager;

// The events of one notebook page, named by PageName.
class TPageProxy : public platform::TComponent {
  QW_CLASS(TPageProxy, platform::TComponent)
public:
  explicit TPageProxy(platform::TComponent* owner);
  ~TPageProxy() override;
  static void Publish(platform::TProps<TPageProxy>& p);

  const std::string& PageName() const { return pageName_; }
  // With a manager that has a notebook, a name that is no page of it is stored empty.
  void SetPageName(const std::string& name);

  TPageNotifyEvent OnEnter, OnLeave, OnShow, OnHide;

  // A manager as parent moves the proxy to the end of its list; any other parent only
  // takes it out of its manager's list.
  void SetParentComponent(platform::TComponent* parent) override;

private:
  friend class TPageManager;
  std::string pageName_;
  TPageManager* manager_ = nullptr;
};

class TPageManager : public platform::TComponent {
  QW_CLASS(TPageManager, platform::TComponent)
public:
  explicit TPageManager(platform::TComponent* owner);
  ~TPageManager() override;
  static void Publish(platform::TProps<TPageManager>& p);

  platform::TControl* PageOwner() const { return pageOwner_; }
  void SetPageOwner(platform::TControl* notebook);
  const std::vector<TPageProxy*>& PageProxies() const { return proxies_; }
  platform::TControl* NextBtn() const { return buttons_[1]; }
  void SetNextBtn(platform::TControl* b) { SetButton(1, b); }
  platform::TControl* PriorBtn() const { return buttons_[0]; }
  void SetPriorBtn(platform::TControl* b) { SetButton(0, b); }
  bool SetStartPage() const { return setStartPage_; }
  void SetSetStartPage(bool v) { setStartPage_ = v; }
  bool DestroyHandles() const { return destroyHandles_; }
  void SetDestroyHandles(bool v);
  bool UseHistory() const { return useHistory_; }
  void SetUseHistory(bool v) { useHistory_ = v; }

  TPageRequestEvent OnGetPriorPage, OnGetNextPage;
  platform::TNotifyEvent OnCheckButtons, OnPageChanged;
  // Receives the proxies when they are synchronised with the notebook.
  std::function<void(TPageProxy*)> OnProxyCreated;

  TPageHistory& History() { return history_; }
  // The pages of PageOwner, or nullptr.
  TNotebookPages* Pages() const { return pages_.get(); }
  int Direction() const { return direction_; }

  // The notebook's page index (-1 without one) and page count (0 without one).
  int CurrentPage() const;
  int PageCount() const;
  bool CanGoPrior();
  bool CanGoNext();

  virtual void ChangePage(bool next);
  virtual int GetPriorPageIndex(int currentPage);
  virtual int GetNextPageIndex(int currentPage);
  // Changes to `index` (0 <= index < PageCount()) with the page events.
  void SetCurrentPage(int index, bool next);
  void CheckButtons();

  void Loaded() override;
  void Notification(platform::TComponent* component, platform::TOperation operation) override;

private:
  friend class TPageProxy;
  void SetButton(int which, platform::TControl* button);
  void TakeOverClick(int which);
  void GiveBackClick(int which);
  void ButtonClick(int which, platform::TObject* sender);
  void ShowPage(int index);
  void FreePageHandles();
  void SyncProxies();
  TPageProxy* ProxyOfPage(int index) const;
  void AddProxy(TPageProxy* proxy);
  void RemoveProxy(TPageProxy* proxy);

  platform::TControl* pageOwner_ = nullptr;
  std::shared_ptr<TNotebookPages> pages_;
  std::vector<TPageProxy*> proxies_;
  platform::TControl* buttons_[2] = {nullptr, nullptr};  // prior, next
  platform::TNotifyEvent keptClicks_[2];
  bool taken_[2] = {false, false};
  bool setStartPage_ = true;
  bool destroyHandles_ = false;
  bool useHistory_ = false;
  bool passHelpContext_ = true;
  int direction_ = 1;  // 1 jump, 2 back, 3 forward
  TPageHistory history_;
};

}  // namespace controls
