#include "controls/pagemanager.h"
#include "controls/controlclasses.h"

#include "platform/ui/button.h"
#include "platform/ui/control.h"
#include "platform/ui/forms.h"
#include "platform/ui/notebook.h"
#include "platform/ui/page.h"
#include "platform/ui/wincontrol.h"
#include "support/fakeservices.h"

#include <QPushButton>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace controls {
namespace {

using namespace platform;

// A notebook of four named pages.
class TFakeNotebook : public TWinControl, public TNotebookPages {
  QW_CLASS(TFakeNotebook, TWinControl)
public:
  explicit TFakeNotebook(TComponent* owner) : TWinControl(owner) {}
  std::vector<std::string> pages = {"Welcome", "Options", "Skipped", "Finish"};
  int index = 0;
  int PageCount() const override { return static_cast<int>(pages.size()); }
  int PageIndex() const override { return index; }
  void SetPageIndex(int i) override {
    if (i >= 0 && i < PageCount()) index = i;
  }
  std::string PageName(int i) const override { return pages.at(static_cast<size_t>(i)); }
  int IndexOfPage(const std::string& name) const override {
    for (int i = 0; i < PageCount(); ++i)
      if (SameName(pages[static_cast<size_t>(i)], name)) return i;
    return -1;
  }
  int PageHelpContext(int i) const override { return 100 + i; }
};

const char* const kWizard = R"(
object Wizard: TWizard
  object Notebook1: TFakeNotebook
  end
  object PrevBtn: TButton
    OnClick = ButtonClick
  end
  object NextBtn: TButton
    OnClick = ButtonClick
  end
  object PageManager1: TPageManager
    PageOwner = Notebook1
    NextBtn = NextBtn
    PriorBtn = PrevBtn
    OnGetNextPage = GetNextPage
    OnGetPriorPage = GetPriorPage
    OnCheckButtons = CheckButtons
    OnPageChanged = PageChanged
    object ProxyWelcome: TPageProxy
      PageName = 'Welcome'
      OnEnter = WelcomeEnter
      OnLeave = WelcomeLeave
      OnShow = WelcomeShow
      OnHide = WelcomeHide
    end
    object ProxyOptions: TPageProxy
      PageName = 'Options'
      OnEnter = OptionsEnter
      OnLeave = OptionsLeave
      OnShow = OptionsShow
      OnHide = OptionsHide
    end
    object ProxyDummy: TPageProxy
      PageName = 'DummyPage1'
      OnShow = WelcomeShow
    end
  end
end
)";

class TWizard : public TForm {
  QW_CLASS(TWizard, TForm)
public:
  explicit TWizard(TComponent* owner) : TForm(owner) {}
  TFakeNotebook* Notebook1 = nullptr;
  TButton* PrevBtn = nullptr;
  TButton* NextBtn = nullptr;
  TPageManager* PageManager1 = nullptr;
  std::vector<std::string> log;
  bool skipPage2 = true;

  std::vector<std::string> Take() {
    std::vector<std::string> r;
    r.swap(log);
    return r;
  }

protected:
  std::string_view Description() const override { return kWizard; }
  void DeclareBindings(TBinder& b) override {
    b.Field("Notebook1", Notebook1);
    b.Field("PrevBtn", PrevBtn);
    b.Field("NextBtn", NextBtn);
    b.Field("PageManager1", PageManager1);
    b.Handler("ButtonClick", this, &TWizard::ButtonClick);
    b.Handler("GetNextPage", this, &TWizard::GetNextPage);
    b.Handler("GetPriorPage", this, &TWizard::GetPriorPage);
    b.Handler("CheckButtons", this, &TWizard::CheckButtons);
    b.Handler("PageChanged", this, &TWizard::PageChanged);
    for (const char* page : {"Welcome", "Options"})
      for (const char* ev : {"Enter", "Leave", "Show", "Hide"}) {
        const std::string name = std::string(page) + ev;
        b.HandlerValue(name, TPageNotifyEvent([this, name](bool next) { log.push_back(name + (next ? "(next)" : "(back)")); }));
      }
  }

private:
  void ButtonClick(TObject* s) { log.push_back(static_cast<TComponent*>(s)->Name() + "Click"); }
  void GetNextPage(int current, int& page) {
    if (skipPage2 && page == 2) page = 3;
    log.push_back("GetNext " + std::to_string(current) + "->" + std::to_string(page));
  }
  void GetPriorPage(int current, int& page) {
    if (skipPage2 && page == 2) page = 1;
    log.push_back("GetPrior " + std::to_string(current) + "->" + std::to_string(page));
  }
  void CheckButtons(TObject*) { log.push_back("CheckButtons"); }
  void PageChanged(TObject*) { log.push_back("PageChanged " + std::to_string(PageManager1->CurrentPage())); }
};

using Log = std::vector<std::string>;

std::vector<int> HistoryOf(TPageManager& m) {
  std::vector<int> out;
  for (int i = 0; i < m.History().Count(); ++i) out.push_back(m.History().Items(i).PageIndex);
  return out;
}

TOwned<TWizard> MakeWizard() {
  RegisterControlClasses();
  RegisterClass<TFakeNotebook>();
  return CreateForm<TWizard>();
}

void Press(TButton* b) { static_cast<QPushButton*>(b->Widget())->click(); }

TEST(PageManager, LoadingShowsTheStartPageAndChecksTheButtons) {
  TFakeServices services;
  auto w = MakeWizard();
  EXPECT_EQ(w->Notebook1->index, 0);
  EXPECT_EQ(HistoryOf(*w->PageManager1), (std::vector<int>{0}));
  EXPECT_FALSE(w->PrevBtn->Enabled());
  EXPECT_TRUE(w->NextBtn->Enabled());
  EXPECT_EQ(w->Take(), (Log{"GetPrior 0->-1", "GetNext 0->1", "CheckButtons"}));
  // The proxies stand inside the manager, in the order written.
  ASSERT_EQ(w->PageManager1->PageProxies().size(), 3u);
  EXPECT_EQ(w->PageManager1->PageProxies()[2]->PageName(), "");  // names no page
}

TEST(PageManager, EventOrderForNextAndBack) {
  TFakeServices services;
  auto w = MakeWizard();
  w->Take();
  Press(w->NextBtn);
  EXPECT_EQ(w->Take(), (Log{"GetNext 0->1", "WelcomeLeave(next)", "OptionsEnter(next)", "GetPrior 1->0",
                            "GetNext 1->3", "CheckButtons", "WelcomeHide(next)", "OptionsShow(next)",
                            "PageChanged 1", "NextBtnClick"}));
  Press(w->NextBtn);  // the owner skips page 2; the last page has no proxy
  EXPECT_EQ(w->Take(), (Log{"GetNext 1->3", "OptionsLeave(next)", "GetPrior 3->1", "GetNext 3->-1", "CheckButtons",
                            "OptionsHide(next)", "PageChanged 3", "NextBtnClick"}));
  EXPECT_FALSE(w->NextBtn->Enabled());
  EXPECT_TRUE(w->PrevBtn->Enabled());
  Press(w->PrevBtn);
  EXPECT_EQ(w->Take(), (Log{"GetPrior 3->1", "OptionsEnter(back)", "GetPrior 1->0", "GetNext 1->3", "CheckButtons",
                            "OptionsShow(back)", "PageChanged 1", "PrevBtnClick"}));
  EXPECT_EQ(w->PageManager1->Direction(), 1);
}

TEST(PageManager, HistoryTableWithoutUseHistory) {
  TFakeServices services;
  auto w = MakeWizard();
  w->skipPage2 = false;
  struct {
    bool next;
    int page;
    std::vector<int> history;
  } rows[] = {
      {true, 1, {0, 1}},       {true, 2, {0, 1, 2}},          {false, 1, {0, 1, 2, 1}},
      {true, 2, {0, 1, 2, 1, 2}}, {true, 3, {0, 1, 2, 1, 2, 3}}, {true, 3, {0, 1, 2, 1, 2, 3}},  // nowhere to go
  };
  for (const auto& r : rows) {
    Press(r.next ? w->NextBtn : w->PrevBtn);
    EXPECT_EQ(w->Notebook1->index, r.page);
    EXPECT_EQ(HistoryOf(*w->PageManager1), r.history);
  }
  for (int i = 0; i < 6; ++i) {
    Press(w->PrevBtn);
    Press(w->NextBtn);
  }
  EXPECT_EQ(w->PageManager1->History().Count(), 10);  // the last ten changes
}

TEST(PageManager, SettingTheNotebookPageDirectlyBypassesTheManager) {
  TFakeServices services;
  auto w = MakeWizard();
  w->Take();
  w->Notebook1->SetPageIndex(3);
  EXPECT_TRUE(w->Take().empty());
  EXPECT_EQ(HistoryOf(*w->PageManager1), (std::vector<int>{0}));
  EXPECT_FALSE(w->PrevBtn->Enabled());  // not checked again
  Press(w->PrevBtn);  // a disabled Qt button does not click
  EXPECT_EQ(w->Notebook1->index, 3);
}

TEST(PageManager, RefusedRequestsAndInvalidPagesResetTheDirection) {
  TFakeServices services;
  auto w = MakeWizard();
  w->Take();
  w->PageManager1->OnGetNextPage = [](int, int& page) { page = -1; };
  w->PageManager1->ChangePage(true);
  EXPECT_EQ(w->Notebook1->index, 0);
  EXPECT_EQ(w->PageManager1->Direction(), 1);
  w->PageManager1->SetCurrentPage(17, true);
  EXPECT_EQ(w->PageManager1->Direction(), 1);
  w->PageManager1->CheckButtons();
  EXPECT_FALSE(w->NextBtn->Enabled());
  EXPECT_EQ(w->Take(), (Log{"GetPrior 0->-1", "CheckButtons"}));  // no proxy event, no page change
}

TEST(PageManager, FreedButtonIsForgottenAndClicksAreGivenBack) {
  TFakeServices services;
  auto w = MakeWizard();
  TComponent::Free(w->PrevBtn);
  w->PrevBtn = nullptr;
  EXPECT_EQ(w->PageManager1->PriorBtn(), nullptr);
  w->PageManager1->CheckButtons();
  EXPECT_TRUE(w->NextBtn->Enabled());
  // Another next button: the old one gets its own click handler back.
  auto* other = new TButton(w.get());
  w->PageManager1->SetNextBtn(other);
  w->Take();
  Press(w->NextBtn);
  EXPECT_EQ(w->Take(), (Log{"NextBtnClick"}));
  Press(other);
  EXPECT_EQ(w->Notebook1->index, 1);
}

TEST(PageManager, HistoryNavigationWithUseHistory) {
  TFakeServices services;
  auto w = MakeWizard();
  TPageManager& m = *w->PageManager1;
  m.SetUseHistory(true);
  m.OnGetNextPage = nullptr;
  m.OnGetPriorPage = nullptr;
  m.SetCurrentPage(2, true);  // a jump adds to the history
  m.SetCurrentPage(3, true);
  EXPECT_EQ(HistoryOf(m), (std::vector<int>{0, 2, 3}));
  m.ChangePage(false);  // back through the history
  EXPECT_EQ(w->Notebook1->index, 2);
  EXPECT_EQ(m.History().HistoryIndex(), 1);
  m.ChangePage(false);
  EXPECT_EQ(w->Notebook1->index, 0);
  EXPECT_FALSE(m.CanGoPrior());
  m.ChangePage(true);  // forward again
  EXPECT_EQ(w->Notebook1->index, 2);
  EXPECT_EQ(HistoryOf(m), (std::vector<int>{0, 2, 3}));
  EXPECT_EQ(m.History().HistoryIndex(), 1);
}

TEST(PageManager, ProxiesFollowANewNotebookAndRefuseUnknownNames) {
  TFakeServices services;
  TOwned<TForm> form(new TForm(nullptr));
  RegisterControlClasses();
  auto* book = new TFakeNotebook(form.get());
  auto* manager = new TPageManager(form.get());
  auto* stale = new TPageProxy(form.get());
  stale->SetParentComponent(manager);
  stale->SetPageName("Gone");  // no notebook yet: kept
  auto* finish = new TPageProxy(form.get());
  finish->SetParentComponent(manager);
  finish->SetPageName("Finish");
  int created = 0;
  manager->OnProxyCreated = [&](TPageProxy*) { ++created; };
  manager->SetPageOwner(book);
  std::vector<std::string> names;
  for (TPageProxy* p : manager->PageProxies()) names.push_back(p->PageName());
  // Missing proxies are made; a stale one stays while there are not more proxies than pages.
  EXPECT_EQ(names, (std::vector<std::string>{"Welcome", "Options", "Gone", "Finish"}));
  EXPECT_EQ(created, 2 + 4);
  EXPECT_EQ(manager->History().Count(), 1);
  finish->SetPageName("Nowhere");  // unknown to the notebook: stored empty
  EXPECT_EQ(finish->PageName(), "");
  finish->SetPageName("options");  // pages are looked up without regard to case
  EXPECT_EQ(finish->PageName(), "options");
  EXPECT_EQ(form->HelpContext(), 0);
  manager->SetCurrentPage(1, true);
  EXPECT_EQ(form->HelpContext(), 101);  // the first page context stays with the form
  manager->SetCurrentPage(2, true);
  EXPECT_EQ(form->HelpContext(), 101);

  // With too many proxies, the stale ones go, from the last.
  auto* other = new TPageManager(form.get());
  for (const char* n : {"Gone", "Finish", "Welcome", "Options", "Skipped", "Extra"}) {
    auto* p = new TPageProxy(form.get());
    p->SetParentComponent(other);
    p->SetPageName(n);
  }
  other->SetPageOwner(book);
  names.clear();
  for (TPageProxy* p : other->PageProxies()) names.push_back(p->PageName());
  EXPECT_EQ(names, (std::vector<std::string>{"Welcome", "Options", "Skipped", "Finish"}));
}

}  // namespace
}  // namespace controls

namespace controls {
namespace {

// A notebook control that gives its pages itself.
class TPlainBook : public platform::TWinControl, public TNotebookPages {
public:
  explicit TPlainBook(platform::TComponent* owner) : TWinControl(owner) {}
  int index = 1;
  int PageCount() const override { return 2; }
  int PageIndex() const override { return index; }
  void SetPageIndex(int i) override { index = i; }
  std::string PageName(int i) const override { return i == 0 ? "A" : "B"; }
  int IndexOfPage(const std::string& n) const override { return n == "A" ? 0 : n == "B" ? 1 : -1; }
  int PageHelpContext(int) const override { return 0; }
};

TEST(PageManager, ControlsThatGiveTheirPagesServeAsNotebooks) {
  platform::TOwned<TPlainBook> book(new TPlainBook(nullptr));
  platform::TOwned<platform::TButton> other(new platform::TButton(nullptr));
  EXPECT_EQ(NotebookPagesOf(book.get()).get(), static_cast<TNotebookPages*>(book.get()));
  EXPECT_EQ(NotebookPagesOf(other.get()), nullptr);
  platform::TOwned<TPageManager> m(new TPageManager(nullptr));
  m->SetPageOwner(book.get());
  EXPECT_EQ(m->CurrentPage(), 1);
  m->ChangePage(false);
  EXPECT_EQ(book->index, 0);
}

}  // namespace
}  // namespace controls

namespace controls {
namespace {

const char* const kLayerWizard = R"(
object LayerWizard: TLayerWizard
  object Notebook1: TNotebook
    PageIndex = 2
    object TPage
      Caption = 'WizardLanguagePage'
      HelpContext = 3
    end
    object TPage
      Caption = 'WelcomePage'
    end
    object TPage
      Caption = 'FinishPage'
    end
  end
  object PrevBtn: TButton
  end
  object NextBtn: TButton
  end
  object PageManager1: TPageManager
    PageOwner = Notebook1
    NextBtn = NextBtn
    PriorBtn = PrevBtn
    object PageProxy1: TPageProxy
      PageName = 'WizardLanguagePage'
    end
    object PageProxy2: TPageProxy
      PageName = 'DummyPage1'
    end
  end
end
)";

class TLayerWizard : public platform::TForm {
  QW_CLASS(TLayerWizard, platform::TForm)
public:
  explicit TLayerWizard(platform::TComponent* owner) : TForm(owner) {}
  platform::TNotebook* Notebook1 = nullptr;
  platform::TButton* NextBtn = nullptr;
  TPageManager* PageManager1 = nullptr;

protected:
  std::string_view Description() const override { return kLayerWizard; }
  void DeclareBindings(platform::TBinder& b) override {
    b.Field("Notebook1", Notebook1);
    b.Field("NextBtn", NextBtn);
    b.Field("PageManager1", PageManager1);
  }
};

TEST(PageManager, DrivesTheLayersNotebook) {
  platform::TFakeServices services;
  RegisterControlClasses();
  auto w = platform::CreateForm<TLayerWizard>();
  EXPECT_EQ(w->Notebook1->PageIndex(), 0);  // the first proxy's page
  EXPECT_EQ(w->PageManager1->PageProxies()[1]->PageName(), "");  // names no page
  static_cast<QPushButton*>(w->NextBtn->Widget())->click();
  EXPECT_EQ(w->Notebook1->ActivePage(), "WelcomePage");
  EXPECT_TRUE(w->Notebook1->Page(1)->Visible());
  EXPECT_EQ(HistoryOf(*w->PageManager1), (std::vector<int>{0, 1}));
  EXPECT_EQ(w->HelpContext(), 0);  // the page shown carries none
}

}  // namespace
}  // namespace controls

namespace controls {
namespace {

TEST(PageManager, FreedManagerGivesTheClicksBack) {
  platform::TFakeServices services;
  auto w = MakeWizard();
  TComponent::Free(w->PageManager1);
  w->Take();
  Press(w->NextBtn);
  EXPECT_EQ(w->Take(), (Log{"NextBtnClick"}));
}

}  // namespace
}  // namespace controls
