// The window layer's containers (notebook, page control, scroll box), menus, timer, track bar,
// colour box and speed button, the scripted dialogs and the end of the program.
#include "platform/ui/application.h"
#include "platform/ui/colorbox.h"
#include "platform/ui/forms.h"
#include "platform/ui/label.h"
#include "platform/ui/menuitem.h"
#include "platform/ui/notebook.h"
#include "platform/ui/page.h"
#include "platform/ui/pagecontrol.h"
#include "platform/ui/popupmenu.h"
#include "platform/ui/savedialog.h"
#include "platform/ui/scrollbox.h"
#include "platform/ui/services.h"
#include "platform/ui/speedbutton.h"
#include "platform/ui/tabsheet.h"
#include "platform/ui/timer.h"
#include "platform/ui/trackbar.h"
#include "support/fakeservices.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMenu>
#include <QMouseEvent>
#include <QTabBar>

#include <gtest/gtest.h>

using namespace platform;

namespace {

const char* const kWindow = R"(
object Form1: TForm
  ClientWidth = 400
  ClientHeight = 300
  object Notebook1: TNotebook
    Left = 0
    Top = 0
    Width = 400
    Height = 200
    PageIndex = 1
    OnPageChanged = PageChanged
    object TPage
      Caption = 'WelcomePage'
      object Label1: TLabel
        Caption = 'Welcome'
      end
    end
    object TPage
      Caption = 'FontsPage'
      object Button1: TButton
        Caption = 'Preset...'
      end
    end
  end
  object PageControl1: TPageControl
    Top = 200
    Width = 200
    Height = 100
    ActivePage = TabSheet2
    OnChange = TabChanged
    object TabSheet1: TTabSheet
      Caption = 'Storage'
    end
    object TabSheet2: TTabSheet
      Caption = 'Screen'
    end
  end
  object PopupMenu1: TPopupMenu
    object Item1: TMenuItem
      Caption = 'Default charset'
      Checked = True
      RadioItem = True
      OnClick = ItemClick
    end
    object N1: TMenuItem
      Caption = '-'
    end
    object Item2: TMenuItem
      Caption = 'Arabic charset'
      RadioItem = True
      OnClick = ItemClick
    end
  end
  object SaveDialog1: TSaveDialog
    DefaultExt = 'fnt'
    Filter = 'Tomefalcon font files|*.fnt'
    Options = [ofOverwritePrompt, ofHideReadOnly]
  end
  object Timer1: TTimer
    Interval = 5
    Enabled = False
    OnTimer = TimerTick
  end
  object TrackBar1: TTrackBar
    Left = 210
    Top = 210
    Max = 10
    Position = 5
    OnChange = TrackChanged
  end
  object ColorBox1: TColorBox
    Left = 210
    Top = 260
    Style = [cbStandardColors, cbExtendedColors, cbCustomColor, cbPrettyNames]
    Selected = clWhite
    OnChange = ColorChanged
  end
  object SpeedButton1: TSpeedButton
    Left = 370
    Top = 210
    Caption = 'C'
    OnClick = SpeedClick
  end
  object ScrollBox1: TScrollBox
    Left = 300
    Top = 0
    Width = 50
    Height = 50
    object Label2: TLabel
      Left = 10
      Top = 90
      Caption = 'far down'
    end
  end
end
)";

class TForm1 : public TForm {
  QW_CLASS(TForm1, TForm)
public:
  explicit TForm1(TComponent* owner) : TForm(owner) {}
  std::vector<std::string> log;

protected:
  std::string_view Description() const override { return kWindow; }
  void DeclareBindings(TBinder& b) override {
    auto note = [this](const char* what) { return TNotifyEvent([this, what](TObject*) { log.push_back(what); }); };
    b.HandlerValue("PageChanged", note("PageChanged"));
    b.HandlerValue("TabChanged", note("TabChanged"));
    b.HandlerValue("TimerTick", note("TimerTick"));
    b.HandlerValue("TrackChanged", note("TrackChanged"));
    b.HandlerValue("ColorChanged", note("ColorChanged"));
    b.HandlerValue("SpeedClick", note("SpeedClick"));
    b.Handler("ItemClick", this, &TForm1::ItemClick);
  }

private:
  void ItemClick(TObject* sender) { log.push_back(static_cast<TComponent*>(sender)->Name()); }
};

template <class T> T* Find(TComponent& root, const char* name) { return dynamic_cast<T*>(root.FindComponent(name)); }

std::vector<std::string> Take(std::vector<std::string>& log) {
  std::vector<std::string> r;
  r.swap(log);
  return r;
}

void SendMouse(QWidget* w, QEvent::Type type, QPoint p) {
  QMouseEvent e(type, QPointF(p), QPointF(w->mapToGlobal(p)), Qt::LeftButton,
                type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(w, &e);
}

}  // namespace

TEST(ContainersMenusInputs, NotebookPagesByNameAndIndex) {
  auto form = CreateForm<TForm1>();
  auto* nb = Find<TNotebook>(*form, "Notebook1");
  ASSERT_NE(nb, nullptr);
  ASSERT_EQ(nb->PageCount(), 2);
  EXPECT_EQ(nb->Page(0)->Owner(), nb);  // pages belong to the notebook, their controls to the window
  EXPECT_EQ(Find<TLabel>(*form, "Label1")->Parent(), nb->Page(0));
  EXPECT_EQ(nb->PageIndex(), 1);
  EXPECT_EQ(nb->ActivePage(), "FontsPage");
  EXPECT_FALSE(nb->Page(0)->Visible());
  EXPECT_TRUE(nb->Page(1)->Visible());
  EXPECT_EQ(nb->Pages()->IndexOf("welcomepage"), 0);
  EXPECT_TRUE(form->log.empty());
  nb->SetActivePage("WelcomePage");
  EXPECT_EQ(nb->PageIndex(), 0);
  EXPECT_TRUE(nb->Page(0)->Visible());
  nb->SetPageIndex(5);  // out of range: nothing
  EXPECT_EQ(nb->PageIndex(), 0);
  EXPECT_EQ(Take(form->log), std::vector<std::string>{"PageChanged"});
}

TEST(ContainersMenusInputs, PageControlTabs) {
  auto form = CreateForm<TForm1>();
  auto* pc = Find<TPageControl>(*form, "PageControl1");
  auto* t1 = Find<TTabSheet>(*form, "TabSheet1");
  auto* t2 = Find<TTabSheet>(*form, "TabSheet2");
  EXPECT_EQ(pc->PageCount(), 2);
  EXPECT_EQ(pc->ActivePage(), t2);
  EXPECT_EQ(pc->TabBar()->tabText(0), "Storage");
  pc->SetActivePageIndex(0);  // code: no event
  EXPECT_TRUE(t1->Visible());
  EXPECT_FALSE(t2->Visible());
  EXPECT_TRUE(form->log.empty());
  pc->TabBar()->setCurrentIndex(1);  // as the user does
  EXPECT_EQ(pc->ActivePage(), t2);
  EXPECT_EQ(Take(form->log), std::vector<std::string>{"TabChanged"});
}

TEST(ContainersMenusInputs, PopupMenuShowsItsItemsAndRadioItemsCheckOne) {
  TFakeServices services;
  auto form = CreateForm<TForm1>();
  auto* menu = Find<TPopupMenu>(*form, "PopupMenu1");
  ASSERT_EQ(menu->Items()->Count(), 3);
  EXPECT_TRUE(menu->Items()->Items(1)->IsLine());
  menu->Popup(10, 10);
  ASSERT_NE(menu->LastMenu(), nullptr);
  QList<QAction*> actions = menu->LastMenu()->actions();
  ASSERT_EQ(actions.size(), 3);
  EXPECT_TRUE(actions[1]->isSeparator());
  EXPECT_TRUE(actions[0]->isChecked());
  actions[2]->trigger();
  EXPECT_EQ(Take(form->log), std::vector<std::string>{"Item2"});
  menu->LastMenu()->close();
  auto* item2 = Find<TMenuItem>(*form, "Item2");
  item2->SetChecked(true);  // radio items of one group: one checked
  EXPECT_FALSE(Find<TMenuItem>(*form, "Item1")->Checked());
}

TEST(ContainersMenusInputs, TimerTicksWhileEnabled) {
  TFakeServices services;
  auto form = CreateForm<TForm1>();
  auto* timer = Find<TTimer>(*form, "Timer1");
  EXPECT_FALSE(timer->Active());
  timer->SetEnabled(true);
  QElapsedTimer clock;
  clock.start();
  while (form->log.empty() && clock.elapsed() < 2000) QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
  timer->SetEnabled(false);
  ASSERT_FALSE(form->log.empty());
  EXPECT_EQ(form->log[0], "TimerTick");
}

TEST(ContainersMenusInputs, TrackBarReportsOnlyUserMoves) {
  TFakeServices services;
  auto form = CreateForm<TForm1>();
  auto* track = Find<TTrackBar>(*form, "TrackBar1");
  track->SetPosition(7);  // code: no event
  EXPECT_TRUE(form->log.empty());
  track->UserMove(3);
  EXPECT_EQ(track->Position(), 3);
  EXPECT_EQ(Take(form->log), std::vector<std::string>{"TrackChanged"});
}

TEST(ContainersMenusInputs, ColourBoxReportsUserChoicesAndAsksForACustomColour) {
  TFakeServices services;
  auto form = CreateForm<TForm1>();
  auto* colors = Find<TColorBox>(*form, "ColorBox1");
  EXPECT_EQ(colors->Selected(), clWhite);
  colors->SetSelected(clRed);  // code: no event
  EXPECT_TRUE(form->log.empty());
  colors->UserSelect(1);  // "Black" after the custom entry
  EXPECT_EQ(colors->Selected(), clBlack);
  services.ScriptColor(RGB(1, 2, 3));
  colors->UserSelect(0);  // the custom entry asks for a colour
  EXPECT_EQ(colors->Selected(), RGB(1, 2, 3));
  services.ScriptColorCancel();
  colors->UserSelect(0);
  EXPECT_EQ(colors->Selected(), RGB(1, 2, 3));
  EXPECT_EQ(Take(form->log), (std::vector<std::string>{"ColorChanged", "ColorChanged"}));
}

TEST(ContainersMenusInputs, SpeedButtonClicksOnlyWhenReleasedOverIt) {
  TFakeServices services;
  auto form = CreateForm<TForm1>();
  auto* speed = Find<TSpeedButton>(*form, "SpeedButton1");
  QWidget* w = speed->Widget();
  SendMouse(w, QEvent::MouseButtonPress, QPoint(3, 3));
  EXPECT_EQ(speed->State(), TButtonState::bsDown);
  EXPECT_TRUE(speed->MouseCaptured());
  SendMouse(w, QEvent::MouseButtonRelease, QPoint(3, 3));
  EXPECT_EQ(speed->State(), TButtonState::bsUp);
  SendMouse(w, QEvent::MouseButtonPress, QPoint(3, 3));
  SendMouse(w, QEvent::MouseButtonRelease, QPoint(300, 3));  // released outside: no click
  EXPECT_EQ(Take(form->log), std::vector<std::string>{"SpeedClick"});
}

TEST(ContainersMenusInputs, ScrollBoxRangeHoldsItsContents) {
  TFakeServices services;
  auto form = CreateForm<TForm1>();
  auto* scroll = Find<TScrollBox>(*form, "ScrollBox1");
  scroll->UpdateRange();
  EXPECT_GE(scroll->ContainerWidget()->height(), 90 + Find<TLabel>(*form, "Label2")->Height());
}

TEST(ContainersMenusInputs, ScriptedDialogsRecordedMessagesAndTheDeferredQuit) {
  TFakeServices services;
  auto form = CreateForm<TForm1>();
  auto* save = Find<TSaveDialog>(*form, "SaveDialog1");
  save->SetFileName("*.fnt");
  services.ScriptDialogCancel();
  EXPECT_FALSE(save->Execute());
  EXPECT_EQ(save->FileName(), "*.fnt");
  services.ScriptDialog({"/home/u/fonts/small.fnt"});
  EXPECT_TRUE(save->Execute());
  EXPECT_EQ(save->FileName(), "/home/u/fonts/small.fnt");
  ASSERT_EQ(services.dialogs.size(), 2u);
  const TFileDialogRequest& r = services.dialogs[1];
  EXPECT_TRUE(r.Save);
  EXPECT_TRUE(r.OverwritePrompt);
  EXPECT_EQ(r.DefaultExt, "fnt");
  EXPECT_EQ(r.Filter, "Tomefalcon font files|*.fnt");
  EXPECT_EQ(r.FileName, "*.fnt");
  EXPECT_THROW(save->Execute(), std::logic_error);  // an unscripted dialog is a test fault

  Application().MessageBox("Resulting font image is too large.", "Error", TMsgIcon::Warning);
  ASSERT_EQ(services.messages.size(), 1u);
  EXPECT_EQ(services.messages[0].caption, "Error");
  EXPECT_EQ(services.messages[0].icon, TMsgIcon::Warning);

  Application().Terminate();
  EXPECT_TRUE(services.quitRequested);
  EXPECT_TRUE(Application().Terminated());
  Application().ResetTerminated();
}

TEST(ContainersMenusInputs, ClosingTheMainWindowEndsTheProgramLater) {
  TFakeServices services;
  auto form = CreateForm<TForm1>();
  Application().SetMainForm(form.get());
  form->ShowForm();
  EXPECT_TRUE(form->Widget()->isVisible());
  form->Close();
  EXPECT_FALSE(form->Visible());
  EXPECT_TRUE(services.quitRequested);
  Application().ResetTerminated();
}

TEST(ContainersMenusInputs, PagesAndSheetsFreedAtRunTimeLeaveTheirContainer) {
  auto form = CreateForm<TForm1>();
  auto* nb = Find<TNotebook>(*form, "Notebook1");
  TComponent::Free(nb->Page(0));
  ASSERT_EQ(nb->PageCount(), 1);
  EXPECT_EQ(nb->ActivePage(), "FontsPage");
  auto* pc = Find<TPageControl>(*form, "PageControl1");
  TComponent::Free(Find<TTabSheet>(*form, "TabSheet2"));
  EXPECT_EQ(pc->PageCount(), 1);
  EXPECT_EQ(pc->ActivePage(), Find<TTabSheet>(*form, "TabSheet1"));
}
