#include "localisation/constants.h"
#include "localisation/langcontroller.h"
#include "platform/components/description.h"
#include "platform/components/graphics.h"

#include <gtest/gtest.h>

using namespace localisation;
using platform::TComponent;
using platform::TOwned;

namespace {

// Components with the kinds of properties the walk knows: strings, a nested font, a
// second font property, a string list and a collection.
class TItem : public platform::TCollectionItem {
  QW_CLASS(TItem, platform::TCollectionItem)
public:
  static void Publish(platform::TProps<TItem>& p) {
    p.Str("Title", [](TItem& i) { return i.title; }, [](TItem& i, const std::string& s) { i.title = s; });
  }
  std::string title;
};

class TWidgetish : public TComponent {
  QW_CLASS(TWidgetish, TComponent)
public:
  explicit TWidgetish(TComponent* owner) : TComponent(owner), columns([] { return std::make_unique<TItem>(); }) {}
  static void Publish(platform::TProps<TWidgetish>& p) {
    p.Str("Caption", [](TWidgetish& w) { return w.caption; }, [](TWidgetish& w, const std::string& s) { w.caption = s; });
    p.Str("Hint", [](TWidgetish& w) { return w.hint; }, [](TWidgetish& w, const std::string& s) { w.hint = s; });
    p.Obj<platform::TFont>("Font", [](TWidgetish& w) { return &w.font; }, [](TWidgetish& w, platform::TFont* f) { w.font.Assign(*f); });
    p.Obj<platform::TFont>("CaptionFont", [](TWidgetish& w) { return &w.captionFont; },
                           [](TWidgetish& w, platform::TFont* f) { w.captionFont.Assign(*f); });
    p.Obj<platform::TStrings>("Items", [](TWidgetish& w) { return &w.items; },
                              [](TWidgetish& w, platform::TStrings* s) { w.items.Assign(*s); });
    p.Obj<platform::TCollection>("Columns", [](TWidgetish& w) { return &w.columns; },
                                 [](TWidgetish&, platform::TCollection*) {});
    p.Obj<platform::TFont>("ReadOnlyFont", [](TWidgetish& w) { return &w.font; });
  }
  std::string caption, hint;
  platform::TFont font, captionFont;
  platform::TStrings items;
  platform::TCollection columns;
};

class TWindowish : public TWidgetish {
  QW_CLASS(TWindowish, TWidgetish)
public:
  explicit TWindowish(TComponent* owner) : TWidgetish(owner) {}
};

void Register() {
  platform::RegisterClass<TWidgetish>();
  platform::RegisterClass<TWindowish>();
  platform::RegisterClass<TLangController>();
}

std::string U16(size_t v) { return std::string{static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)}; }
std::string I32(int32_t v) {
  std::string s;
  for (int i = 0; i < 4; ++i) s += static_cast<char>((static_cast<uint32_t>(v) >> (8 * i)) & 0xFF);
  return s;
}
std::string Name(const std::string& n) { return U16(n.size()) + n; }
std::string Prop(int32_t id, const std::string& path) { return I32(id) + Name(path); }

// Form1 {Caption 1} children: Label1 {Caption 2, Hint 7}, Bevel1 {}, Panel1 {} with child Button1 {Caption 9}.
std::string SampleLangData() {
  return Name("Form1") + "\x01" + I32(1) + Prop(1, "Caption") + "\x01" + I32(3) +
         Name("Label1") + "\x01" + I32(2) + Prop(2, "Caption") + Prop(7, "Hint") + std::string("\x00", 1) +
         Name("Bevel1") + std::string("\x00\x00", 2) +
         Name("Panel1") + std::string("\x00", 1) + "\x01" + I32(1) +
         Name("Button1") + "\x01" + I32(1) + Prop(9, "Caption") + std::string("\x00", 1);
}

std::vector<std::string> Paths(const TLang_CompEntry& e) {
  std::vector<std::string> r;
  if (e.Props)
    for (int i = 0; i < e.Props->Count(); ++i)
      r.push_back(e.ComponentPath() + ":" + (*e.Props)[i].Path + "=" + std::to_string((*e.Props)[i].Id));
  if (e.Children)
    for (int i = 0; i < e.Children->Count(); ++i)
      for (const std::string& s : Paths((*e.Children)[i])) r.push_back(s);
  return r;
}

}  // namespace

TEST(LangData, RoundTripIsByteExact) {
  std::string bytes = SampleLangData();
  TLang_CompEntry root;
  ReadLangData(root, bytes);
  EXPECT_EQ(root.Name(), "Form1");
  ASSERT_TRUE(root.Children);
  EXPECT_EQ(root.Children->Count(), 3);
  EXPECT_FALSE((*root.Children)[1].Props);  // a child without properties
  EXPECT_EQ((*root.Children)[2].ComponentPath(), "Panel1");
  EXPECT_EQ((*(*root.Children)[2].Children)[0].ComponentPath(), "Panel1.Button1");
  EXPECT_EQ(EncodeLangData(root), bytes);
  EXPECT_EQ(HighestId(root), 9);
}

TEST(LangData, DamagedValuesFailWithoutReadingPastTheEnd) {
  std::string good = SampleLangData();
  for (size_t n = 0; n < good.size(); ++n) {
    TLang_CompEntry root;
    EXPECT_THROW(ReadLangData(root, good.substr(0, n)), ELangError) << "cut at " << n;
    EXPECT_FALSE(root.Children);
  }
  const std::string bad[] = {
      good + "x",                                              // trailing byte
      Name("F") + "\x02" + std::string("\x00", 1),             // flag other than 0 or 1
      Name("F") + "\x01" + I32(-1) + std::string("\x00", 1),   // negative count
      Name("F") + "\x01" + I32(0x7FFFFFFF) + std::string("\x00", 1),  // count beyond the data
      Name("F") + std::string("\x00", 1) + "\x01" + I32(1000000),
  };
  for (const std::string& b : bad) {
    TLang_CompEntry root;
    EXPECT_THROW(ReadLangData(root, b), ELangError);
  }
  // Deep nesting is refused instead of exhausting the stack.
  std::string deep;
  for (int i = 0; i < 100; ++i) deep += Name("X") + std::string("\x00", 1) + "\x01" + I32(1);
  TLang_CompEntry root;
  EXPECT_THROW(ReadLangData(root, deep), ELangError);
}

TEST(LangData, DuplicatePathKeepsItsFirstId) {
  std::string bytes = Name("F") + "\x01" + I32(2) + Prop(3, "Caption") + Prop(4, "CAPTION") + std::string("\x00", 1);
  TLang_CompEntry root;
  ReadLangData(root, bytes);
  ASSERT_EQ(root.Props->Count(), 1);
  EXPECT_EQ((*root.Props)[0].Id, 3);
}

TEST(LangMasks, MatchAndReportMalformedMasks) {
  TLang_MaskList masks({"*.Font.Name"});
  struct Case {
    const char* path;
    bool match;
  };
  const Case cases[] = {{".Font.Name", true},          {"Label1.Font.Name", true},  {"label1.font.NAME", true},
                        {"Header1.CaptionFont.Name", false}, {"Label1.Font.Size", false}, {"Font.Name", false}};
  for (const Case& c : cases) EXPECT_EQ(masks.Matches(c.path), c.match) << c.path;

  EXPECT_TRUE(TLang_MaskList({"Label?.Caption"}).Matches("Label7.Caption"));
  EXPECT_FALSE(TLang_MaskList({"Label?.Caption"}).Matches("Label17.Caption"));
  EXPECT_TRUE(TLang_MaskList({"[a-c]*"}).Matches("Button1.Caption"));
  EXPECT_FALSE(TLang_MaskList({"[!a-c]*"}).Matches("button1.Caption"));
  EXPECT_TRUE(TLang_MaskList({"x", "*Hint"}).Matches("Edit1.Hint"));
  EXPECT_FALSE(TLang_MaskList({}).Matches("anything"));

  try {
    TLang_MaskList({"*.Font.Name", "Label[12"});
    FAIL();
  } catch (const ELangError& e) {
    EXPECT_STREQ(e.what(), "'Label[12' is an invalid mask at (9)");
  }
  EXPECT_THROW(TLang_MaskList({"[]"}), ELangError);
  EXPECT_THROW(TLang_MaskList({"[a-]"}), ELangError);
}

namespace {

// A window of the test classes read from a description, with its controller.
const char* const kWindow = R"(
object Form1: TWindowish
  Caption = 'Main'
  Font.Name = 'MS Sans Serif'
  object Label1: TWidgetish
    Caption = 'Hello'
    Font.Name = 'Tahoma'
    CaptionFont.Name = 'Arial'
    Items = ('one' 'two')
  end
  object Empty1: TWidgetish
    Hint = ''
  end
  object Grid1: TWidgetish
    Columns = < item Title = 'Name' end item Title = 'Size' end >
  end
  object lcMain: TLangController
    IgnoreList = ('*.Font.Name')
  end
end
)";

}  // namespace

TEST(LangController, RefreshGivesIdsByTheStoredRuleAndNeverRenumbers) {
  Register();
  TOwned<TWindowish> form(new TWindowish(nullptr));
  platform::ReadDescription(*form, kWindow, nullptr);
  auto* lc = dynamic_cast<TLangController*>(form->FindComponent("lcMain"));
  ASSERT_NE(lc, nullptr);
  EXPECT_EQ(lc->Root().Component, form.get());

  std::string data = lc->LangData();  // refresh with ids on
  EXPECT_EQ(Paths(lc->Root()),
            (std::vector<std::string>{":Caption=1", "Label1:Caption=2", "Label1:CaptionFont.Name=3",
                                      "Label1:Items=4", "Grid1:Columns[0].Title=5", "Grid1:Columns[1].Title=6"}));
  // Not taken: the font names (ignored), the empty hint (empty), the unassigned hints, the
  // read-only font (no setter), the controller itself.
  ASSERT_TRUE(lc->Root().Children);
  EXPECT_EQ(lc->Root().Children->Count(), 3);  // Label1, Empty1 (no properties), Grid1

  // Texts change, a property goes away, a new one comes: old ids stay, the new one is next.
  auto* label = dynamic_cast<TWidgetish*>(form->FindComponent("Label1"));
  label->MarkStored("Hint");
  label->hint = "Tip";
  label->items.Clear();  // empty: dropped
  lc->LangData();
  EXPECT_EQ(Paths(lc->Root()),
            (std::vector<std::string>{":Caption=1", "Label1:Caption=2", "Label1:CaptionFont.Name=3",
                                      "Label1:Hint=7", "Grid1:Columns[0].Title=5", "Grid1:Columns[1].Title=6"}));

  // Template lines carry the component path and the default text.
  std::vector<std::string> lines = lc->TemplateLines();
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines[0], "Caption=00000001,Main");
  EXPECT_EQ(lines[1], "Label1.Caption=00000002,Hello");
}

TEST(LangController, LoadingBindsAndDropsEntriesOfMissingComponents) {
  Register();
  // Stored tree: Form1 {Caption 1}, Label1 {Caption 2}, Gone1 {Caption 3}.
  std::string bytes = Name("Form1") + "\x01" + I32(1) + Prop(1, "Caption") + "\x01" + I32(2) + Name("Label1") +
                      "\x01" + I32(1) + Prop(2, "Caption") + std::string("\x00", 1) + Name("Gone1") + "\x01" +
                      I32(1) + Prop(3, "Caption") + std::string("\x00", 1);
  std::string text = std::string("object Form1: TWindowish\n  Caption = 'Main'\n") +
                     "  object Label1: TWidgetish\n    Caption = 'Hello'\n  end\n" +
                     "  object lcMain: TLangController\n    LangData = " + platform::FormatBinaryValue(bytes, "    ") +
                     "\n  end\nend\n";
  TOwned<TWindowish> form(new TWindowish(nullptr));
  platform::ReadDescription(*form, text, nullptr);
  auto* lc = dynamic_cast<TLangController*>(form->FindComponent("lcMain"));
  EXPECT_EQ(Paths(lc->Root()), (std::vector<std::string>{":Caption=1", "Label1:Caption=2"}));
  EXPECT_EQ((*lc->Root().Props)[0].DefaultText, "Main");  // captured at loading
  EXPECT_EQ((*(*lc->Root().Children)[0].Props)[0].DefaultText, "Hello");

  // A destroyed component loses its entry.
  TComponent::Free(form->FindComponent("Label1"));
  EXPECT_FALSE(lc->Root().Children);
}

TEST(LangController, ApplySectionTranslatesOrRestoresDefaults) {
  Register();
  TOwned<TWindowish> form(new TWindowish(nullptr));
  platform::ReadDescription(*form, kWindow, nullptr);
  auto* lc = dynamic_cast<TLangController*>(form->FindComponent("lcMain"));
  lc->LangData();
  auto* label = dynamic_cast<TWidgetish*>(form->FindComponent("Label1"));
  auto* grid = dynamic_cast<TWidgetish*>(form->FindComponent("Grid1"));

  TLang_CompTranslation section("Form1");
  section.Add(2, "Privet");
  section.Add(4, "odin\r\ndva\r\n");
  section.Add(6, "Razmer");
  lc->ApplySection(&section);
  EXPECT_EQ(form->caption, "Main");  // id 1 missing from the section: default
  EXPECT_EQ(label->caption, "Privet");
  EXPECT_EQ(label->items.ToVector(), (std::vector<std::string>{"odin", "dva"}));
  EXPECT_EQ(dynamic_cast<TItem*>(grid->columns.Items(1))->title, "Razmer");

  label->caption = "changed by code";
  lc->ApplySection(nullptr);  // the default language: texts as loaded
  EXPECT_EQ(label->caption, "Hello");
  EXPECT_EQ(label->items.ToVector(), (std::vector<std::string>{"one", "two"}));
  EXPECT_EQ(dynamic_cast<TItem*>(grid->columns.Items(1))->title, "Size");
}

TEST(LangController, MalformedMaskFailsTheLoading) {
  Register();
  TOwned<TWindowish> form(new TWindowish(nullptr));
  const char* text = "object Form1: TWindowish\n object lc: TLangController\n StoreList = ('[x')\n end\nend\n";
  EXPECT_THROW(platform::ReadDescription(*form, text, nullptr), ELangError);
}
