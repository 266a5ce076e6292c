#include "platform/components/component.h"
#include "platform/components/description.h"
#include "platform/components/graphics.h"
#include "platform/components/strings.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

// A small component tree for the tests: a base with two properties, a derived class with
// more, a nested font, a string list, a reference and an event.
class TBase : public TComponent {
  QW_CLASS(TBase, TComponent)
public:
  explicit TBase(TComponent* owner) : TComponent(owner) {}
  static void Publish(TProps<TBase>& p) {
    p.Str("Caption", &TBase::caption, &TBase::SetCaption);
    p.Int("Count", &TBase::count, &TBase::SetCount);
  }
  void SetCaption(const std::string& s) { caption = s; }
  void SetCount(int c) { count = c; }
  std::string caption;
  int count = 0;
};

class TThing : public TBase {
  QW_CLASS(TThing, TBase)
public:
  explicit TThing(TComponent* owner) : TBase(owner) {}
  static void Publish(TProps<TThing>& p) {
    p.Obj<TFont>("Font", [](TThing& t) { return &t.font; }, [](TThing& t, TFont* f) { t.font.Assign(*f); });
    p.Obj<TStrings>("Items", [](TThing& t) { return &t.items; }, [](TThing& t, TStrings* s) { t.items.Assign(*s); });
    p.Ref<TComponent>("Buddy", [](TThing& t) { return t.buddy; }, [](TThing& t, TComponent* c) { t.buddy = c; });
    p.Bool("On", [](TThing& t) { return t.on; }, [](TThing& t, bool v) { t.on = v; });
    p.Enum("Kind", {"tkOne", "tkTwo"}, [](TThing& t) { return t.kind; }, [](TThing& t, int v) { t.kind = v; });
    p.Event("OnPing", &TThing::OnPing);
    p.Binary("Data", [](TThing& t) { return t.data; }, [](TThing& t, const std::string& d) { t.data = d; });
  }
  void Loaded() override {
    TBase::Loaded();
    if (log) log->push_back("Loaded " + Name() + " buddy=" + (buddy ? buddy->Name() : "-"));
  }
  void Notification(TComponent* c, TOperation op) override {
    TBase::Notification(c, op);
    if (op == TOperation::opRemove && c == buddy) buddy = nullptr;
  }
  TFont font;
  TStrings items;
  TComponent* buddy = nullptr;
  bool on = false;
  int kind = 0;
  TNotifyEvent OnPing;
  std::string data;
  static inline std::vector<std::string>* log = nullptr;
};

std::vector<std::string> PropNames(const TClassInfo& c) {
  std::vector<std::string> r;
  for (const TPropInfo* p : c.Properties()) r.push_back(p->Name);
  return r;
}

}  // namespace

TEST(Component, OwnsNamesAndFinds) {
  TOwned<TComponent> root(new TComponent(nullptr));
  auto* a = new TBase(root.get());
  auto* b = new TBase(root.get());
  a->SetName("First");
  b->SetName("Second");
  ASSERT_EQ(root->ComponentCount(), 2);
  EXPECT_EQ(root->Components(0), a);
  EXPECT_EQ(root->Components(1), b);
  EXPECT_EQ(root->FindComponent("SECOND"), b);
  EXPECT_EQ(root->FindComponent("Third"), nullptr);
  EXPECT_THROW(b->SetName("first"), EComponentError);  // unique without regard to case
  EXPECT_THROW(b->SetName("1abc"), EComponentError);
  b->Tag = 7;
  TComponent::Free(a);
  ASSERT_EQ(root->ComponentCount(), 1);
  EXPECT_EQ(root->Components(0)->Tag, 7);
}

TEST(Component, OwnerAndFreeNotificationsReachTheWatchers) {
  TOwned<TComponent> root(new TComponent(nullptr));
  auto* watcher = new TThing(root.get());
  auto* target = new TBase(root.get());
  TOwned<TComponent> otherRoot(new TComponent(nullptr));
  auto* foreign = new TBase(otherRoot.get());
  watcher->buddy = target;
  TComponent::Free(target);  // same owner: the owner passes the removal on
  EXPECT_EQ(watcher->buddy, nullptr);
  watcher->buddy = foreign;
  watcher->FreeNotification(foreign);
  TComponent::Free(foreign);  // another owner: only through the free notification
  EXPECT_EQ(watcher->buddy, nullptr);
}

TEST(Component, PropertiesWalkBaseFirstInDeclaredOrder) {
  std::vector<std::string> expected = {"Name", "Tag", "Caption", "Count", "Font", "Items", "Buddy", "On",
                                       "Kind", "OnPing", "Data"};
  EXPECT_EQ(PropNames(TThing::StaticClass()), expected);
  EXPECT_TRUE(TThing::StaticClass().InheritsFrom(TComponent::StaticClass()));
  EXPECT_EQ(TThing::StaticClass().FindProperty("caption")->Kind, PropKind::String);
  EXPECT_EQ(PropNames(TFont::StaticClass()),
            (std::vector<std::string>{"Charset", "Color", "Height", "Name", "Pitch", "Size", "Style"}));
}

namespace {

// A window with every kind of value: quoted text over lines, numbers, a nested font, a string
// list, a reference to a later object, an event and binary data.
const char* const kThingDescription = R"(
object Root: TComponent
  Tag = 3
  object One: TThing
    Caption = 'Caf'#233' ''x'' ' +
      'more'
    Count = -12
    Font.Name = 'Tahoma'
    Font.Style = [fsBold, fsItalic]
    Font.Color = clRed
    Font.Charset = RUSSIAN_CHARSET
    Items = ('a' 'b'#13#10'c')
    Buddy = Two       // resolved once Two exists
    On = True
    Kind = tkTwo
    OnPing = PingHandler
    Data = {0102 ff}
    object Two: TThing
      Count = $1F
    end
  end
end
)";

}  // namespace

TEST(Description, ReadsPropertiesReferencesEventsAndLoadsInOrder) {
  RegisterClass<TThing>();
  RegisterClass<TBase>();
  std::vector<std::string> log;
  TThing::log = &log;
  TOwned<TComponent> root(new TComponent(nullptr));
  int pings = 0;
  TBinder binder;
  binder.HandlerValue("PingHandler", TNotifyEvent([&](TObject*) { ++pings; }));
  TThing* twoField = nullptr;
  binder.Field("Two", twoField);
  ReadDescription(*root, kThingDescription, &binder);
  TThing::log = nullptr;

  EXPECT_EQ(root->Name(), "Root");
  EXPECT_EQ(root->Tag, 3);
  auto* one = dynamic_cast<TThing*>(root->FindComponent("One"));
  auto* two = dynamic_cast<TThing*>(root->FindComponent("Two"));
  ASSERT_NE(one, nullptr);
  ASSERT_NE(two, nullptr);
  EXPECT_EQ(two->Owner(), root.get());  // nested objects belong to the window
  EXPECT_EQ(twoField, two);
  EXPECT_EQ(one->caption, "Caf\xE9 'x' more");
  EXPECT_EQ(one->count, -12);
  EXPECT_EQ(two->count, 31);
  EXPECT_EQ(one->font.Name(), "Tahoma");
  EXPECT_EQ(one->font.Style(), fsBold | fsItalic);
  EXPECT_EQ(one->font.Color(), clRed);
  EXPECT_EQ(one->font.Charset(), RUSSIAN_CHARSET);
  EXPECT_EQ(one->items.Count(), 2);  // one item per quoted text, line breaks included
  EXPECT_EQ(one->items[1], "b\r\nc");
  EXPECT_EQ(one->buddy, two);
  EXPECT_TRUE(one->on);
  EXPECT_EQ(one->kind, 1);
  EXPECT_EQ(one->data, std::string("\x01\x02\xFF", 3));
  ASSERT_TRUE(one->OnPing);
  one->OnPing(one);
  EXPECT_EQ(pings, 1);
  // Stored: what the description assigned, on the object that holds it.
  EXPECT_TRUE(one->IsStored("Caption"));
  EXPECT_TRUE(one->IsStored("Font"));
  EXPECT_TRUE(one->font.IsStored("Name"));
  EXPECT_FALSE(one->font.IsStored("Height"));
  EXPECT_FALSE(two->IsStored("Caption"));
  EXPECT_FALSE(one->Loading());
  EXPECT_EQ(log, (std::vector<std::string>{"Loaded One buddy=Two", "Loaded Two buddy=-"}));
}

TEST(Description, ReportsFaultsWithTheirLine) {
  RegisterClass<TThing>();
  struct Case {
    const char* text;
    int line;
    const char* fragment;
  };
  const Case cases[] = {
      {"object R: TComponent\n  object A: TNoSuchClass\n  end\nend", 2, "Class TNoSuchClass not found"},
      {"object R: TComponent\n  object A: TThing\n    Nope = 1\n  end\nend", 3, "Nope does not exist"},
      {"object R: TComponent\n  object A: TThing\n    Count = 'x'\n  end\nend", 3, "Invalid value"},
      {"object R: TComponent\n  object A: TThing\n    Kind = tkThree\n  end\nend", 3, "tkThree"},
      {"object R: TComponent\n  object A: TThing\n    Buddy = Ghost\n  end\nend", 3, "Ghost not found"},
      {"object R: TComponent\n  object A: TThing\n    OnPing = Missing\n  end\nend", 3, "Missing not found"},
      {"object R: TComponent\n  object A: TThing\n    Caption = 'open\n  end\nend", 3, "Unterminated"},
      {"object R: TComponent\n  object A: TThing\n    Data = {123}\n  end\nend", 3, "Odd number"},
      {"object R: TComponent\n  object A: TThing\n  end\n  object a: TThing\n  end\nend", 4, "already exists"},
      {"object R: TComponent\n  Tag = 1\n", 3, "expected"},
      {"object R: TComponent\n  Tag = 9223372036854775808\nend", 2, "out of range"},
      {"object R: TComponent\n  Tag = $8000000000000000\nend", 2, "out of range"},
  };
  for (const Case& c : cases) {
    TOwned<TComponent> root(new TComponent(nullptr));
    try {
      ReadDescription(*root, c.text, nullptr);
      ADD_FAILURE() << "no error for: " << c.text;
    } catch (const EReadError& e) {
      EXPECT_EQ(e.Line(), c.line) << e.what();
      EXPECT_NE(std::string(e.what()).find(c.fragment), std::string::npos) << e.what();
    }
  }
}

TEST(Description, HandlerOfAnotherTypeIsRefused) {
  RegisterClass<TThing>();
  TBinder binder;
  binder.HandlerValue("Wrong", std::function<void(int)>([](int) {}));
  TOwned<TComponent> root(new TComponent(nullptr));
  EXPECT_THROW(ReadDescription(*root, "object R: TComponent\n object A: TThing\n OnPing = Wrong\n end\nend", &binder),
               EReadError);
}

TEST(Description, BinaryValueFormatsAndReadsBack) {
  std::string bytes;
  for (int i = 0; i < 70; ++i) bytes += static_cast<char>(i * 7);
  std::string text = "object R: TThing\n  Data = " + FormatBinaryValue(bytes, "  ") + "\nend\n";
  RegisterClass<TThing>();
  TDescNode node = ParseDescription(text);
  ASSERT_EQ(node.Props.size(), 1u);
  EXPECT_EQ(node.Props[0].Value.Text, bytes);
  EXPECT_EQ(text.substr(node.Props[0].Value.Begin, node.Props[0].Value.End - node.Props[0].Value.Begin),
            FormatBinaryValue(bytes, "  "));
}

TEST(Strings, TextSortingAndListeners) {
  TStrings s;
  s.SetText("one\r\ntwo\nthree\rfour\r\n");
  EXPECT_EQ(s.Count(), 4);
  EXPECT_EQ(s.Text(), "one\r\ntwo\r\nthree\r\nfour\r\n");
  EXPECT_EQ(s.IndexOf("THREE"), 2);

  struct Rec : TStrings::Listener {
    std::vector<std::string> log;
    void ItemInserted(int i) override { log.push_back("ins" + std::to_string(i)); }
    void ItemDeleted(int i) override { log.push_back("del" + std::to_string(i)); }
    void ItemChanged(int i) override { log.push_back("chg" + std::to_string(i)); }
    void ItemsReset() override { log.push_back("reset"); }
  } rec;
  s.AddListener(&rec);
  s.ReplaceLines("uno\r\ntwo\r\ntres\r\nquattro\r\n");  // same count: line by line
  s.SetText("a\r\nb\r\n");                             // other count: reset
  s.RemoveListener(&rec);
  EXPECT_EQ(rec.log, (std::vector<std::string>{"chg0", "chg2", "chg3", "reset"}));

  TStrings sorted;
  sorted.SetSorted(true);
  for (const char* w : {"pear", "Apple", "fig", "apple"}) sorted.Add(w);
  EXPECT_EQ(sorted.ToVector(), (std::vector<std::string>{"Apple", "fig", "pear"}));  // duplicates ignored
}

TEST(Description, DeepNestingIsRefused) {
  std::string text = "object R: TComponent\n  Tag = " + std::string(5000, '(') + "\nend\n";
  EXPECT_THROW(ParseDescription(text), EReadError);
}

namespace other {
class TThing : public TComponent {
  QW_CLASS(TThing, TComponent)
public:
  explicit TThing(TComponent* owner) : TComponent(owner) {}
};
}  // namespace other

TEST(Component, RegistryKeepsAProgramsClassWhenAskedNotToReplace) {
  RegisterClass<other::TThing>();
  RegisterClass<TThing>(false);
  EXPECT_EQ(FindClass("tthing"), &other::TThing::StaticClass());
  RegisterClass<TThing>();
  EXPECT_EQ(FindClass("TThing"), &TThing::StaticClass());
}

TEST(Component, FreeTellsTheOthersWhileTheComponentIsWhole) {
  struct TWatcher : TComponent {
    explicit TWatcher(TComponent* owner) : TComponent(owner) {}
    void Notification(TComponent* c, TOperation op) override {
      TComponent::Notification(c, op);
      if (op == TOperation::opRemove && c != this)
        if (auto* b = dynamic_cast<TBase*>(c)) seen.push_back(b->caption);
    }
    std::vector<std::string> seen;
  };
  TOwned<TComponent> root(new TComponent(nullptr));
  auto* watcher = new TWatcher(root.get());
  auto* doomed = new TBase(root.get());
  doomed->caption = "still here";
  TComponent::Free(doomed);
  EXPECT_EQ(watcher->seen, std::vector<std::string>{"still here"});
  EXPECT_EQ(root->ComponentCount(), 1);
}
