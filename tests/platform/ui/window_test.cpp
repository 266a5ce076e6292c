#include "platform/system/uilanguage.h"
#include "platform/ui/application.h"
#include "platform/ui/bitbtn.h"
#include "platform/ui/checkbox.h"
#include "platform/ui/combobox.h"
#include "platform/ui/control.h"
#include "platform/ui/edit.h"
#include "platform/ui/forms.h"
#include "platform/ui/label.h"
#include "platform/ui/listbox.h"
#include "platform/ui/memo.h"
#include "platform/ui/radiobutton.h"
#include "platform/ui/radiogroup.h"
#include "support/fakeservices.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QWidget>

#include <gtest/gtest.h>

using namespace platform;

namespace {

const char* const kTestWindow = R"(
object TestForm: TTestForm
  Caption = 'Test window'
  ClientWidth = 300
  ClientHeight = 200
  BorderStyle = bsDialog
  Position = poScreenCenter
  ShowHint = True
  Font.Name = 'MS Sans Serif'
  Font.Height = -11
  OnCreate = FormCreate
  object Label1: TLabel
    Left = 8
    Top = 8
    Caption = '&Name:'
    FocusControl = Edit1
    OnClick = Label1Click
  end
  object Edit1: TEdit
    Left = 60
    Top = 4
    Text = 'MyMidlet'
    MaxLength = 14
    OnChange = Edit1Change
  end
  object GroupBox1: TGroupBox
    Left = 8
    Top = 30
    Width = 140
    Height = 80
    Caption = 'Edition'
    object RadioButton1: TRadioButton
      Left = 8
      Top = 16
      Caption = 'Full'
      Checked = True
      OnClick = RadioClick
    end
    object RadioButton2: TRadioButton
      Left = 8
      Top = 36
      Caption = 'Lite'
      OnClick = RadioClick
    end
  end
  object CheckBox1: TCheckBox
    Left = 160
    Top = 30
    Caption = 'Bold'
    Hint = 'Check to enable bold style.'
    OnClick = CheckBox1Click
  end
  object ComboBox1: TComboBox
    Left = 160
    Top = 52
    Style = csDropDownList
    Items = ('Black and white' 'Color' 'ClearType')
    ItemIndex = 0
    OnChange = ComboBox1Change
  end
  object Memo1: TMemo
    Left = 8
    Top = 116
    Width = 140
    Height = 40
    Lines = ('first' 'second')
    OnChange = Memo1Change
  end
  object ListBox1: TListBox
    Left = 160
    Top = 80
    Height = 40
    Items = ('a.txt' 'b.txt')
    OnClick = ListBox1Click
  end
  object RadioGroup1: TRadioGroup
    Left = 160
    Top = 124
    Width = 130
    Height = 60
    Caption = 'Colours'
    Items = ('16' '256')
    ItemIndex = 1
    OnClick = RadioGroup1Click
  end
  object Panel1: TPanel
    Left = 8
    Top = 160
    Width = 100
    Height = 30
    BevelOuter = bvLowered
    object Image1: TImage
      Left = 2
      Top = 2
      Width = 20
      Height = 20
    end
  end
  object Bevel1: TBevel
    Left = 0
    Top = 195
    Width = 300
    Height = 2
    Shape = bsTopLine
  end
  object ProgressBar1: TProgressBar
    Left = 110
    Top = 170
    Max = 440
    Position = 10
  end
  object Button1: TBitBtn
    Left = 220
    Top = 4
    Caption = 'Next >'
    Default = True
    OnClick = Button1Click
  end
end
)";

class TTestForm : public TForm {
  QW_CLASS(TTestForm, TForm)
public:
  explicit TTestForm(TComponent* owner) : TForm(owner) {}
  TLabel* Label1 = nullptr;
  TEdit* Edit1 = nullptr;
  TRadioButton* RadioButton1 = nullptr;
  TRadioButton* RadioButton2 = nullptr;
  TCheckBox* CheckBox1 = nullptr;
  TComboBox* ComboBox1 = nullptr;
  TMemo* Memo1 = nullptr;
  TListBox* ListBox1 = nullptr;
  TRadioGroup* RadioGroup1 = nullptr;
  TBitBtn* Button1 = nullptr;
  std::vector<std::string> log;

protected:
  std::string_view Description() const override { return kTestWindow; }
  void DeclareBindings(TBinder& b) override {
    b.Field("Label1", Label1);
    b.Field("Edit1", Edit1);
    b.Field("RadioButton1", RadioButton1);
    b.Field("RadioButton2", RadioButton2);
    b.Field("CheckBox1", CheckBox1);
    b.Field("ComboBox1", ComboBox1);
    b.Field("Memo1", Memo1);
    b.Field("ListBox1", ListBox1);
    b.Field("RadioGroup1", RadioGroup1);
    b.Field("Button1", Button1);
    b.Handler("FormCreate", this, &TTestForm::FormCreate);
    b.Handler("Edit1Change", this, &TTestForm::Edit1Change);
    b.Handler("RadioClick", this, &TTestForm::RadioClick);
    b.Handler("CheckBox1Click", this, &TTestForm::CheckBox1Click);
    b.Handler("ComboBox1Change", this, &TTestForm::ComboBox1Change);
    b.Handler("Memo1Change", this, &TTestForm::Memo1Change);
    b.Handler("ListBox1Click", this, &TTestForm::ListBox1Click);
    b.Handler("RadioGroup1Click", this, &TTestForm::RadioGroup1Click);
    b.Handler("Button1Click", this, &TTestForm::Button1Click);
    b.Handler("Label1Click", this, &TTestForm::Label1Click);
  }

private:
  void FormCreate(TObject*) { log.push_back("FormCreate"); }
  void Edit1Change(TObject*) { log.push_back("Edit1Change"); }
  void RadioClick(TObject* s) { log.push_back(static_cast<TComponent*>(s)->Name() + "Click"); }
  void CheckBox1Click(TObject*) { log.push_back("CheckBox1Click"); }
  void ComboBox1Change(TObject*) { log.push_back("ComboBox1Change"); }
  void Memo1Change(TObject*) { log.push_back("Memo1Change"); }
  void ListBox1Click(TObject*) { log.push_back("ListBox1Click"); }
  void RadioGroup1Click(TObject*) { log.push_back("RadioGroup1Click"); }
  void Button1Click(TObject*) { log.push_back("Button1Click"); }
  void Label1Click(TObject*) { log.push_back("Label1Click"); }
};

void SendMouse(QWidget* w, QEvent::Type type, QPoint p) {
  QMouseEvent e(type, QPointF(p), QPointF(w->mapToGlobal(p)), Qt::LeftButton,
                type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(w, &e);
}

std::vector<std::string> Take(std::vector<std::string>& log) {
  std::vector<std::string> r;
  r.swap(log);
  return r;
}

}  // namespace

TEST(Window, LoadsEveryKindBindsAndCreates) {
  TFakeServices services;
  auto form = CreateForm<TTestForm>();
  EXPECT_EQ(Take(form->log), std::vector<std::string>{"FormCreate"});  // no control event while loading
  EXPECT_EQ(form->Name(), "TestForm");
  EXPECT_EQ(form->Caption(), "Test window");
  EXPECT_EQ(form->ClientWidth(), 300);
  EXPECT_EQ(form->Widget()->windowTitle(), "Test window");
  ASSERT_NE(form->Edit1, nullptr);
  EXPECT_EQ(form->Label1->FocusControl(), form->Edit1);
  EXPECT_EQ(form->Edit1->Text(), "MyMidlet");
  EXPECT_EQ(form->Edit1->LineEdit()->text(), "MyMidlet");
  EXPECT_EQ(form->RadioButton1->Parent()->Name(), "GroupBox1");
  EXPECT_EQ(form->RadioButton1->Owner(), form.get());
  EXPECT_TRUE(form->RadioButton1->Checked());
  EXPECT_EQ(form->ComboBox1->ItemIndex(), 0);
  EXPECT_EQ(form->ComboBox1->Text(), "Black and white");
  EXPECT_EQ(form->Memo1->Text(), "first\r\nsecond");
  EXPECT_EQ(form->RadioGroup1->ItemIndex(), 1);
  EXPECT_TRUE(form->CheckBox1->ShowHint());  // from the form through ParentShowHint
  EXPECT_EQ(form->CheckBox1->Font()->Name(), "MS Sans Serif");
  EXPECT_TRUE(form->CheckBox1->ParentFont());
  EXPECT_EQ(Application().MainForm(), form.get());
  EXPECT_EQ(form->ComponentCount(), 15);
}

TEST(Window, FreeingAControlTellsTheOthers) {
  auto form = CreateForm<TTestForm>();
  TComponent::Free(form->Edit1);
  EXPECT_EQ(form->Label1->FocusControl(), nullptr);
  EXPECT_EQ(form->FindComponent("Edit1"), nullptr);
}

namespace {

// One row per event rule: what is done, and the events it must (and must only) raise.
struct EventRow {
  const char* what;
  std::function<void()> act;
  std::vector<std::string> events;
};

// The rows in the order they run on window `f`: each starts from what the rows before it left.
std::vector<EventRow> EventRows(TTestForm* f) {
  return {
      {"check box checked by code", [f] { f->CheckBox1->SetChecked(true); }, {"CheckBox1Click"}},
      {"check box set to its value", [f] { f->CheckBox1->SetChecked(true); }, {}},
      {"check box clicked by the user",
       [f] { static_cast<QAbstractButton*>(f->CheckBox1->Widget())->click(); },
       {"CheckBox1Click"}},
      {"radio button checked by code", [f] { f->RadioButton2->SetChecked(true); }, {"RadioButton2Click"}},
      {"radio button checked again", [f] { f->RadioButton2->SetChecked(true); }, {}},
      {"radio button clicked by the user",
       [f] { static_cast<QAbstractButton*>(f->RadioButton1->Widget())->click(); },
       {"RadioButton1Click"}},
      {"checked radio button clicked again",
       [f] { static_cast<QAbstractButton*>(f->RadioButton1->Widget())->click(); },
       {}},
      {"radio button unchecked by code", [f] { f->RadioButton1->SetChecked(false); }, {}},
      {"combo index set by code", [f] { f->ComboBox1->SetItemIndex(2); }, {}},
      {"combo items set by code", [f] { f->ComboBox1->Items()->Add("Extra"); }, {}},
      {"combo item chosen by the user", [f] { f->ComboBox1->UserSelect(1); }, {"ComboBox1Change"}},
      {"combo same item chosen again", [f] { f->ComboBox1->UserSelect(1); }, {"ComboBox1Change"}},
      {"edit text set by code", [f] { f->Edit1->SetTextValue("Other"); }, {"Edit1Change"}},
      {"edit text set to itself", [f] { f->Edit1->SetTextValue("Other"); }, {}},
      {"edit typed in",
       [f] {
         f->Edit1->LineEdit()->setFocus();
         f->Edit1->LineEdit()->end(false);
         f->Edit1->LineEdit()->insert("X");
       },
       {"Edit1Change"}},
      {"memo lines changed by code", [f] { f->Memo1->Lines()->Add("third"); }, {"Memo1Change"}},
      {"memo typed in",
       [f] {
         auto* m = static_cast<QPlainTextEdit*>(f->Memo1->Widget());
         m->moveCursor(QTextCursor::End);
         m->insertPlainText("!");
       },
       {"Memo1Change"}},
      {"list index set by code", [f] { f->ListBox1->SetItemIndex(1); }, {}},
      {"list item chosen by the user", [f] { f->ListBox1->UserSelect(0); }, {"ListBox1Click"}},
      {"radio group index set by code", [f] { f->RadioGroup1->SetItemIndex(0); }, {"RadioGroup1Click"}},
      {"radio group same index", [f] { f->RadioGroup1->SetItemIndex(0); }, {}},
      {"button pressed", [f] { static_cast<QPushButton*>(f->Button1->Widget())->click(); }, {"Button1Click"}},
      {"label pressed and released inside",
       [f] {
         SendMouse(f->Label1->Widget(), QEvent::MouseButtonPress, QPoint(2, 2));
         SendMouse(f->Label1->Widget(), QEvent::MouseButtonRelease, QPoint(3, 3));
       },
       {"Label1Click"}},
      {"label released outside",
       [f] {
         SendMouse(f->Label1->Widget(), QEvent::MouseButtonPress, QPoint(2, 2));
         SendMouse(f->Label1->Widget(), QEvent::MouseButtonRelease, QPoint(500, 3));
       },
       {}},
  };
}

}  // namespace

TEST(Window, EventRules) {
  auto form = CreateForm<TTestForm>();
  Take(form->log);
  TTestForm* f = form.get();
  for (const EventRow& r : EventRows(f)) {
    r.act();
    EXPECT_EQ(Take(f->log), r.events) << r.what;
  }
  EXPECT_EQ(f->Edit1->Text(), "OtherX");
  EXPECT_FALSE(f->RadioButton1->Checked());
  EXPECT_FALSE(f->RadioButton2->Checked());  // a parent may have none checked
  EXPECT_EQ(f->Memo1->Lines()->Count(), 3);
  EXPECT_EQ(f->Memo1->Lines()->Strings(2), "third!");
}

TEST(Window, RadioButtonsAreExclusiveWithinTheirParentOnly) {
  auto form = CreateForm<TTestForm>();
  auto* loose = new TRadioButton(form.get());
  loose->SetParent(form.get());
  loose->SetChecked(true);
  EXPECT_TRUE(form->RadioButton1->Checked());  // another parent
  form->RadioButton2->SetChecked(true);
  EXPECT_FALSE(form->RadioButton1->Checked());
  EXPECT_FALSE(static_cast<QAbstractButton*>(form->RadioButton1->Widget())->isChecked());
  EXPECT_TRUE(loose->Checked());
}

TEST(Window, EightBitTextsShowThroughTheInterfaceCodePage) {
  auto form = CreateForm<TTestForm>();
  SetInterfaceLanguage(1033);
  form->Edit1->SetTextValue("\xC0\xE1");  // 1251: "Аб", 1252: "Àá"
  form->ComboBox1->Items()->SetString(0, "\xC0");
  EXPECT_EQ(form->Edit1->LineEdit()->text(), QString::fromUtf8("Àá"));
  SetInterfaceLanguage(1049);  // shown texts follow the switch
  EXPECT_EQ(form->Edit1->LineEdit()->text(), QString::fromUtf8("Аб"));
  EXPECT_EQ(form->ComboBox1->Combo()->itemText(0), QString::fromUtf8("А"));
  // What the user types comes back through the same code page.
  form->Edit1->LineEdit()->setText(QString::fromUtf8("Жук"));
  emit form->Edit1->LineEdit()->textEdited(form->Edit1->LineEdit()->text());
  EXPECT_EQ(form->Edit1->Text(), "\xC6\xF3\xEA");
  // A font's character set wins over the interface language.
  form->Edit1->Font()->SetCharset(EASTEUROPE_CHARSET);
  EXPECT_EQ(form->Edit1->LineEdit()->text(), QString::fromUtf8("Ćóę"));
  SetInterfaceLanguage(1033);
}

TEST(Window, EnterPressesTheDefaultButton) {
  auto form = CreateForm<TTestForm>();
  Take(form->log);
  form->ShowForm();
  QApplication::setActiveWindow(form->Widget());
  form->Edit1->SetFocus();
  QApplication::processEvents();
  ASSERT_TRUE(form->Edit1->Focused());
  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r");
  QApplication::sendEvent(form->Edit1->LineEdit(), &enter);
  EXPECT_EQ(Take(form->log), std::vector<std::string>{"Button1Click"});
  // A refused key goes no further: a key handler that clears it.
  form->Edit1->OnKeyPress = [](TObject*, char& key) {
    if (key == 'x') key = 0;
  };
  QKeyEvent x(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, "x");
  QApplication::sendEvent(form->Edit1->LineEdit(), &x);
  EXPECT_EQ(form->Edit1->Text(), "MyMidlet");
  QKeyEvent y(QEvent::KeyPress, Qt::Key_Y, Qt::NoModifier, "y");
  QApplication::sendEvent(form->Edit1->LineEdit(), &y);
  EXPECT_NE(form->Edit1->Text().find('y'), std::string::npos);
}

TEST(Window, HintsGoThroughTheHookAndF1ToTheHelpDispatch) {
  auto form = CreateForm<TTestForm>();
  std::vector<std::string> hints;
  TRect rect;
  Application().SetHintHook([&](TControl* c, const std::string& hint, TRect r) {
    hints.push_back(c->Name() + ":" + hint);
    rect = r;
  });
  form->CheckBox1->SetHint("Bold text|Check to enable bold style.");
  Application().ActivateHint(form->CheckBox1, {100, 50});
  EXPECT_EQ(hints, std::vector<std::string>{"CheckBox1:Bold text"});
  EXPECT_EQ(rect.Left, 100);
  EXPECT_EQ(rect.Top, 70);  // 20 pixels below the pointer
  Application().SetHintHook(nullptr);

  std::vector<std::pair<int, std::string>> help;
  Application().SetHelpFile("/opt/manual/tomefalcon_en.chm");
  Application().SetHelpHandler([&](int context, const std::string& file) {
    help.push_back({context, file});
    return true;
  });
  form->SetHelpContext(49);  // the edit has none: the window's answers
  form->ShowForm();
  QApplication::setActiveWindow(form->Widget());
  form->Edit1->SetFocus();
  QApplication::processEvents();
  QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
  QApplication::sendEvent(form->Edit1->LineEdit(), &f1);
  ASSERT_EQ(help.size(), 1u);
  EXPECT_EQ(help[0].first, 49);
  EXPECT_EQ(help[0].second, "/opt/manual/tomefalcon_en.chm");
  Application().SetHelpHandler(nullptr);
}

TEST(Window, ColourFillsTheEditingAreaOfEditsAndTheBackgroundOfPanels) {
  auto form = CreateForm<TTestForm>();
  form->Edit1->SetColor(clYellow);
  EXPECT_EQ(form->Edit1->Widget()->palette().color(QPalette::Base), QColor(255, 255, 0));
  form->SetColor(clRed);
  EXPECT_EQ(form->Widget()->palette().color(QPalette::Window), QColor(255, 0, 0));
}
