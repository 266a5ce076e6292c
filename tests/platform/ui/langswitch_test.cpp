#include "localisation/langcontroller.h"
#include "localisation/langmanager.h"
#include "platform/system/uilanguage.h"
#include "platform/ui/button.h"
#include "platform/ui/combobox.h"
#include "platform/ui/forms.h"
#include "platform/ui/label.h"
#include "platform/ui/radiogroup.h"

#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

using namespace platform;
using localisation::TLangController;

namespace {

const char* const kWindow = R"(
object Form1: TForm
  Caption = 'Window'
  object Label1: TLabel
    Caption = 'Hello'
  end
  object ComboBox1: TComboBox
    Style = csDropDownList
    Items = ('Black and white' 'Color' 'ClearType')
    ItemIndex = 1
  end
  object RadioGroup1: TRadioGroup
    Caption = 'Quality'
    Items = ('Low' 'High')
    ItemIndex = 1
  end
  object Button1: TButton
    Caption = 'Create'
  end
  object Edit1: TEdit
    Text = 'name'
  end
  object lcMain: TLangController
    IgnoreList = ('*.Font.Name')
    OnLanguageChanged = lcMainLanguageChanged
  end
end
)";

// The description with the LangData its own tree gives (what the refresh tool stores).
std::string WindowWithLangData();

class TForm1 : public TForm {
  QW_CLASS(TForm1, TForm)
public:
  explicit TForm1(TComponent* owner) : TForm(owner) { localisation::RegisterLangControllerClass(); }
  TLabel* Label1 = nullptr;
  TComboBox* ComboBox1 = nullptr;
  TRadioGroup* RadioGroup1 = nullptr;
  TButton* Button1 = nullptr;
  TLangController* lcMain = nullptr;
  int changed = 0;
  static inline std::string text;

protected:
  std::string_view Description() const override { return text.empty() ? std::string_view(kWindow) : text; }
  void DeclareBindings(TBinder& b) override {
    b.Field("Label1", Label1);
    b.Field("ComboBox1", ComboBox1);
    b.Field("RadioGroup1", RadioGroup1);
    b.Field("Button1", Button1);
    b.Field("lcMain", lcMain);
    b.Handler("lcMainLanguageChanged", this, &TForm1::lcMainLanguageChanged);
  }

private:
  void lcMainLanguageChanged(TObject* sender) {
    EXPECT_EQ(sender, lcMain);
    ++changed;
  }
};

std::string WindowWithLangData() {
  TForm1::text.clear();
  auto form = CreateForm<TForm1>();
  std::string data = form->lcMain->LangData();
  std::string t = kWindow;
  size_t at = t.find("    OnLanguageChanged");
  return t.insert(at, "    LangData = " + FormatBinaryValue(data, "    ") + "\n");
}

class LangSwitch : public ::testing::Test {
protected:
  void TearDown() override {
    form_.reset();
    TForm1::text.clear();
    localisation::FreeLangManager();
    SetInterfaceLanguage(1033);
  }
  TOwned<TForm1> form_;
};

}  // namespace

TEST_F(LangSwitch, TranslatesRestoresAndKeepsSelections) {
  localisation::FreeLangManager();
  auto& lm = localisation::LangManager();
  ASSERT_TRUE(lm.AddLanguageFile(QW_TEST_DATA "/ru.lng"));
  form_ = CreateForm<TForm1>();
  TForm1* f = form_.get();
  // The ids the window's tree gives (the language file is written against them).
  std::vector<std::string> lines = f->lcMain->TemplateLines();
  EXPECT_EQ(lines, (std::vector<std::string>{
                       "Caption=00000001,Window", "Label1.Caption=00000002,Hello",
                       "ComboBox1.Items=00000003,Black and white\\nColor\\nClearType\\n",
                       "RadioGroup1.Caption=00000004,Quality", "RadioGroup1.Items=00000005,Low\\nHigh\\n",
                       "Button1.Caption=00000006,Create", "Edit1.Text=00000007,name"}));

  lm.SwitchLanguage(1049);
  EXPECT_EQ(f->changed, 1);
  EXPECT_EQ(InterfaceLanguage(), 1049);
  EXPECT_EQ(f->Caption(), "Window");  // no translation for id 1: the default
  EXPECT_EQ(f->Label1->Caption(), "\xCF\xF0\xE8\xE2\xE5\xF2");
  EXPECT_EQ(f->Button1->Caption(), "\xD1\xEE\xE7\xE4\xE0\xF2\xFC");
  EXPECT_EQ(static_cast<QPushButton*>(f->Button1->Widget())->text(), QString::fromUtf8("Создать"));
  // A string list is replaced whole; with its count unchanged the selection stays.
  EXPECT_EQ(f->ComboBox1->Items()->Strings(1), "\xD6\xE2\xE5\xF2");
  EXPECT_EQ(f->ComboBox1->ItemIndex(), 1);
  EXPECT_EQ(f->ComboBox1->Combo()->currentText(), QString::fromUtf8("Цвет"));
  EXPECT_EQ(f->ComboBox1->Text(), "\xD6\xE2\xE5\xF2");
  // Another count: the list is rebuilt, a selection that still names an item stays.
  EXPECT_EQ(f->RadioGroup1->Items()->Count(), 3);
  EXPECT_EQ(f->RadioGroup1->ItemIndex(), 1);
  EXPECT_TRUE(f->RadioGroup1->Button(1)->isChecked());

  // A destroyed component is left alone by the next switches.
  TComponent::Free(f->Button1);
  f->Button1 = nullptr;
  f->Label1->SetCaption("changed by code");
  lm.SwitchLanguage(lm.BuiltInLanguageId());
  EXPECT_EQ(f->changed, 2);
  EXPECT_EQ(f->Label1->Caption(), "Hello");  // back to the text it had after loading
  EXPECT_EQ(f->ComboBox1->Items()->Strings(1), "Color");
  EXPECT_EQ(f->ComboBox1->ItemIndex(), 1);
  EXPECT_EQ(f->RadioGroup1->Items()->Count(), 2);
  EXPECT_EQ(InterfaceLanguage(), 1033);
}

TEST_F(LangSwitch, WindowWithoutSectionGetsDefaultsAndNewWindowsAreTranslated) {
  localisation::FreeLangManager();
  auto& lm = localisation::LangManager();
  ASSERT_TRUE(lm.AddLanguageFile(QW_TEST_DATA "/ru.lng"));
  std::string text = WindowWithLangData();
  lm.SwitchLanguage(1049);
  // Created while Russian is current: translated at once, once loaded.
  TForm1::text = text;
  form_ = CreateForm<TForm1>();
  EXPECT_EQ(form_->Label1->Caption(), "\xCF\xF0\xE8\xE2\xE5\xF2");
  EXPECT_EQ(form_->changed, 1);
  // A window whose name has no section: every property keeps its default.
  form_->SetName("Form2");
  lm.SwitchLanguage(lm.BuiltInLanguageId());
  lm.SwitchLanguage(1049);
  EXPECT_EQ(form_->Label1->Caption(), "Hello");
  EXPECT_EQ(form_->ComboBox1->Items()->Strings(1), "Color");
}
