#include "platform/components/description.h"

#include "platform/system/codepage.h"
#include "platform/components/graphics.h"
#include "platform/components/strings.h"

#include <cctype>

namespace platform {

EReadError::EReadError(int line, const std::string& message)
    : std::runtime_error("Line " + std::to_string(line) + ": " + message), line_(line) {}

namespace {

// --- tokens ----------------------------------------------------------------------------------

struct Token {
  enum Kind { End, Ident, Integer, String, Symbol, Binary };
  Kind Type = End;
  std::string Text;  // Ident name, String bytes, Symbol char, Binary bytes
  int64_t Number = 0;
  int Line = 1;
  size_t Begin = 0, Finish = 0;
};

class Lexer {
public:
  explicit Lexer(std::string_view s) : s_(s) {}

  Token Next() {
    SkipBlanks();
    Token t;
    t.Line = line_;
    t.Begin = pos_;
    if (pos_ >= s_.size()) {
      t.Finish = pos_;
      return t;
    }
    char c = s_[pos_];
    if (std::isalpha(static_cast<unsigned char>(c)) || c == '_') {
      size_t b = pos_;
      while (pos_ < s_.size() && (std::isalnum(static_cast<unsigned char>(s_[pos_])) || s_[pos_] == '_' ||
                                  s_[pos_] == '.' || s_[pos_] == '[' || s_[pos_] == ']')) {
        // Brackets belong to a name only as an index: Name[2].Prop.
        if (s_[pos_] == '[' && !IndexFollows()) break;
        if (s_[pos_] == ']' && !InIndex(b)) break;
        ++pos_;
      }
      t.Type = Token::Ident;
      t.Text = std::string(s_.substr(b, pos_ - b));
    } else if (std::isdigit(static_cast<unsigned char>(c)) || c == '-' || c == '$') {
      t.Type = Token::Integer;
      t.Number = ReadInteger(t.Line);
    } else if (c == '\'' || c == '#') {
      t.Type = Token::String;
      t.Text = ReadString(t.Line);
    } else if (c == '{') {
      t.Type = Token::Binary;
      t.Text = ReadBinary(t.Line);
    } else {
      t.Type = Token::Symbol;
      t.Text = std::string(1, c);
      ++pos_;
    }
    t.Finish = pos_;
    return t;
  }

  int Line() const { return line_; }

private:
  bool IndexFollows() const {
    size_t p = pos_ + 1;
    size_t d = p;
    while (d < s_.size() && std::isdigit(static_cast<unsigned char>(s_[d]))) ++d;
    return d > p && d < s_.size() && s_[d] == ']';
  }
  bool InIndex(size_t b) const {
    size_t open = s_.rfind('[', pos_);
    return open != std::string_view::npos && open >= b;
  }

  void SkipBlanks() {
    while (pos_ < s_.size()) {
      char c = s_[pos_];
      if (c == '\n') {
        ++line_;
        ++pos_;
      } else if (c == ' ' || c == '\t' || c == '\r') {
        ++pos_;
      } else if (c == '/' && pos_ + 1 < s_.size() && s_[pos_ + 1] == '/') {
        while (pos_ < s_.size() && s_[pos_] != '\n') ++pos_;
      } else {
        break;
      }
    }
  }

  int64_t ReadInteger(int line) {
    bool neg = false;
    if (s_[pos_] == '-') {
      neg = true;
      ++pos_;
    }
    int64_t v = 0;
    bool any = false;
    if (pos_ < s_.size() && s_[pos_] == '$') {
      ++pos_;
      while (pos_ < s_.size() && std::isxdigit(static_cast<unsigned char>(s_[pos_]))) {
        char h = s_[pos_++];
        int d = std::isdigit(static_cast<unsigned char>(h)) ? h - '0' : (std::tolower(h) - 'a' + 10);
        if (v > (INT64_MAX - d) / 16) throw EReadError(line, "Number out of range");
        v = v * 16 + d;
        any = true;
      }
    } else {
      while (pos_ < s_.size() && std::isdigit(static_cast<unsigned char>(s_[pos_]))) {
        const int d = s_[pos_] - '0';
        if (v > (INT64_MAX - d) / 10) throw EReadError(line, "Number out of range");
        v = v * 10 + d;
        ++pos_;
        any = true;
      }
    }
    if (!any) throw EReadError(line, "Number expected");
    return neg ? -v : v;
  }

  // Quoted parts ('' is a quote) and #nnn bytes, joined; quoted text is UTF-8 for cp 1252.
  std::string ReadString(int line) {
    std::string out;
    while (pos_ < s_.size()) {
      char c = s_[pos_];
      if (c == '\'') {
        ++pos_;
        std::string utf8;
        for (;;) {
          if (pos_ >= s_.size() || s_[pos_] == '\n') throw EReadError(line, "Unterminated string");
          if (s_[pos_] == '\'') {
            if (pos_ + 1 < s_.size() && s_[pos_ + 1] == '\'') {
              utf8 += '\'';
              pos_ += 2;
              continue;
            }
            ++pos_;
            break;
          }
          utf8 += s_[pos_++];
        }
        std::string bytes = FromUtf8(utf8, 1252);
        if (ToUtf8(bytes, 1252) != utf8)
          throw EReadError(line, "Text outside code page 1252 (write such bytes as #nnn): " + utf8);
        out += bytes;
      } else if (c == '#') {
        ++pos_;
        int v = 0, digits = 0;
        while (pos_ < s_.size() && std::isdigit(static_cast<unsigned char>(s_[pos_])) && digits < 4) {
          v = v * 10 + (s_[pos_++] - '0');
          ++digits;
        }
        if (digits == 0 || v > 255) throw EReadError(line, "Byte value 0..255 expected after #");
        out += static_cast<char>(v);
      } else {
        break;
      }
    }
    return out;
  }

  std::string ReadBinary(int line) {
    ++pos_;  // {
    std::string out;
    int high = -1;
    while (pos_ < s_.size() && s_[pos_] != '}') {
      char c = s_[pos_++];
      if (c == '\n') {
        ++line_;
        continue;
      }
      if (c == ' ' || c == '\t' || c == '\r') continue;
      if (!std::isxdigit(static_cast<unsigned char>(c))) throw EReadError(line, "Hexadecimal digit expected");
      int d = std::isdigit(static_cast<unsigned char>(c)) ? c - '0' : (std::tolower(c) - 'a' + 10);
      if (high < 0) {
        high = d;
      } else {
        out += static_cast<char>(high * 16 + d);
        high = -1;
      }
    }
    if (pos_ >= s_.size()) throw EReadError(line, "Unterminated binary value");
    if (high >= 0) throw EReadError(line, "Odd number of hexadecimal digits");
    ++pos_;  // }
    return out;
  }

  std::string_view s_;
  size_t pos_ = 0;
  int line_ = 1;
};

// --- parser --------------------------------------------------------------------------------

class Parser {
public:
  explicit Parser(std::string_view s) : lex_(s) { Advance(); }

  TDescNode ParseRoot() {
    TDescNode node = ParseObject();
    if (tok_.Type != Token::End) Fail("Text after the last \"end\"");
    return node;
  }

private:
  void Advance() { tok_ = lex_.Next(); }
  [[noreturn]] void Fail(const std::string& m) { throw EReadError(tok_.Line, m); }
  bool IsWord(const char* w) const { return tok_.Type == Token::Ident && SameName(tok_.Text, w); }
  bool IsSymbol(char c) const { return tok_.Type == Token::Symbol && tok_.Text[0] == c; }
  void Expect(char c) {
    if (!IsSymbol(c)) Fail(std::string("\"") + c + "\" expected");
    Advance();
  }

  // Guards the recursion of nested objects and lists.
  struct Depth {
    explicit Depth(Parser& p) : P(p) {
      if (++P.depth_ > 200) P.Fail("Nested too deeply");
    }
    ~Depth() { --P.depth_; }
    Parser& P;
  };

  TDescNode ParseObject() {
    Depth guard(*this);
    if (!IsWord("object")) Fail("\"object\" expected");
    TDescNode node;
    node.Line = tok_.Line;
    Advance();
    if (tok_.Type != Token::Ident) Fail("Component name or class expected");
    std::string first = tok_.Text;
    Advance();
    if (IsSymbol(':')) {
      Advance();
      if (tok_.Type != Token::Ident) Fail("Class name expected");
      node.Name = first;
      node.ClassName = tok_.Text;
      Advance();
    } else {
      node.ClassName = first;  // unnamed object
    }
    for (;;) {
      if (IsWord("end")) {
        node.EndOffset = tok_.Begin;
        Advance();
        return node;
      }
      if (IsWord("object")) {
        node.Children.push_back(ParseObject());
        continue;
      }
      if (tok_.Type != Token::Ident) Fail("Property name, \"object\" or \"end\" expected");
      node.Props.push_back(ParseProp());
    }
  }

  TDescProp ParseProp() {
    TDescProp p;
    p.Path = tok_.Text;
    p.Line = tok_.Line;
    Advance();
    Expect('=');
    p.Value = ParseValue();
    return p;
  }

  TDescValue ParseValue() {
    Depth guard(*this);
    TDescValue v;
    v.Begin = tok_.Begin;
    switch (tok_.Type) {
      case Token::Integer:
        v.Type = TDescValue::Integer;
        v.Number = tok_.Number;
        TakeLast(v);
        return v;
      case Token::Ident:
        v.Type = TDescValue::Ident;
        v.Text = tok_.Text;
        TakeLast(v);
        return v;
      case Token::String: ParseText(v); return v;
      case Token::Binary:
        v.Type = TDescValue::Binary;
        v.Text = tok_.Text;
        TakeLast(v);
        return v;
      case Token::Symbol:
        break;
      case Token::End:
        Fail("Value expected");
    }
    if (IsSymbol('(')) ParseListItems(v);
    else if (IsSymbol('[')) ParseSetMembers(v);
    else if (IsSymbol('<')) ParseCollectionItems(v);
    else Fail("Value expected");
    TakeLast(v);
    return v;
  }

  // The current token ends value `v`.
  void TakeLast(TDescValue& v) {
    v.End = tok_.Finish;
    Advance();
  }

  // A text and the texts joined to it with "+".
  void ParseText(TDescValue& v) {
    v.Type = TDescValue::String;
    v.Text = tok_.Text;
    TakeLast(v);
    while (IsSymbol('+')) {
      Advance();
      if (tok_.Type != Token::String) Fail("Text expected after \"+\"");
      v.Text += tok_.Text;
      TakeLast(v);
    }
  }

  // "(" value... up to the closing ")".
  void ParseListItems(TDescValue& v) {
    v.Type = TDescValue::List;
    Advance();
    while (!IsSymbol(')')) {
      if (tok_.Type == Token::End) Fail("\")\" expected");
      v.Items.push_back(ParseValue());
    }
  }

  // "[" name, ... up to the closing "]".
  void ParseSetMembers(TDescValue& v) {
    v.Type = TDescValue::Set;
    Advance();
    while (!IsSymbol(']')) {
      if (tok_.Type != Token::Ident) Fail("Set member expected");
      v.Names.push_back(tok_.Text);
      Advance();
      if (IsSymbol(',')) Advance();
      else if (!IsSymbol(']')) Fail("\",\" or \"]\" expected");
    }
  }

  // "<" item properties... end ... up to the closing ">".
  void ParseCollectionItems(TDescValue& v) {
    v.Type = TDescValue::Collection;
    Advance();
    while (!IsSymbol('>')) {
      if (!IsWord("item")) Fail("\"item\" expected");
      Advance();
      std::vector<TDescProp> props;
      while (!IsWord("end")) {
        if (tok_.Type != Token::Ident) Fail("Property name or \"end\" expected");
        props.push_back(ParseProp());
      }
      Advance();
      v.Elements.push_back(std::move(props));
    }
  }

  Lexer lex_;
  Token tok_;
  int depth_ = 0;
};

// --- assigning -----------------------------------------------------------------------------

const char* KindName(TDescValue::Kind k) {
  switch (k) {
    case TDescValue::Integer: return "a number";
    case TDescValue::Ident: return "a name";
    case TDescValue::String: return "a text";
    case TDescValue::List: return "a list";
    case TDescValue::Set: return "a set";
    case TDescValue::Binary: return "a binary value";
    case TDescValue::Collection: return "a collection";
  }
  return "a value";
}

std::vector<std::string> SplitPath(const std::string& path) {
  std::vector<std::string> parts;
  size_t b = 0;
  for (;;) {
    size_t d = path.find('.', b);
    parts.push_back(path.substr(b, d == std::string::npos ? std::string::npos : d - b));
    if (d == std::string::npos) break;
    b = d + 1;
  }
  return parts;
}

int IndexOfName(const std::vector<std::string>& names, std::string_view n) {
  for (size_t i = 0; i < names.size(); ++i)
    if (SameName(names[i], n)) return static_cast<int>(i);
  return -1;
}

struct Pending {
  TObject* Object;
  const TPropInfo* Prop;
  std::string Target;
  int Line;
};

struct Context {
  TComponent* Root = nullptr;
  const TBinder* Binder = nullptr;
  TReadOptions Options;
  std::vector<Pending> Refs;
  std::vector<TComponent*> Created;
};

// Resolves all but the last segment of a path; returns the object and the last segment.
TObject& Walk(TObject& start, const std::vector<std::string>& parts, int line, const std::string& path) {
  TObject* obj = &start;
  for (size_t i = 0; i + 1 < parts.size(); ++i) {
    const TPropInfo* p = obj->ClassInfo().FindProperty(parts[i]);
    if (p == nullptr || p->Kind != PropKind::Object)
      throw EReadError(line, "Property " + path + " does not exist");
    if (auto* pers = dynamic_cast<TPersistent*>(obj)) pers->MarkStored(p->Name);
    TObject* next = p->GetObj(*obj);
    if (next == nullptr) throw EReadError(line, "Property " + path + " does not exist");
    obj = next;
  }
  return *obj;
}

void AssignValue(TObject& obj, const TPropInfo& p, const TDescValue& v, int line, const std::string& path,
                 Context* ctx);

EReadError WrongValue(const TDescValue& v, int line, const std::string& path) {
  return EReadError(line, "Invalid value for " + path + ": " + KindName(v.Type));
}

EReadError ReadOnly(int line, const std::string& path) {
  return EReadError(line, "Property " + path + " is read-only");
}

// The number an Integer, Bool, Enum or Set property takes from `v`.
int64_t IntegerValue(const TDescValue& v, int line, const std::string& path) {
  int64_t n = 0;
  if (v.Type == TDescValue::Integer) n = v.Number;
  else if (v.Type != TDescValue::Ident || !IntegerFromIdent(v.Text, n)) throw WrongValue(v, line, path);
  return n;
}

int64_t BoolValue(const TDescValue& v, int line, const std::string& path) {
  if (v.Type != TDescValue::Ident) throw WrongValue(v, line, path);
  if (SameName(v.Text, "True")) return 1;
  if (SameName(v.Text, "False")) return 0;
  throw WrongValue(v, line, path);
}

int64_t EnumValue(const TPropInfo& p, const TDescValue& v, int line, const std::string& path) {
  int i = v.Type == TDescValue::Ident ? IndexOfName(p.Names, v.Text) : -1;
  if (i < 0) throw EReadError(line, "Invalid value for " + path + ": " + v.Text);
  return i;
}

int64_t SetValue(const TPropInfo& p, const TDescValue& v, int line, const std::string& path) {
  if (v.Type != TDescValue::Set) throw WrongValue(v, line, path);
  int64_t mask = 0;
  for (const std::string& n : v.Names) {
    int i = IndexOfName(p.Names, n);
    if (i < 0) throw EReadError(line, "Invalid value for " + path + ": " + n);
    mask |= int64_t{1} << i;
  }
  return mask;
}

void AssignList(TStrings& list, const TDescValue& v, int line, const std::string& path) {
  if (v.Type != TDescValue::List) throw WrongValue(v, line, path);
  std::vector<std::string> lines;
  for (const TDescValue& item : v.Items) {
    if (item.Type != TDescValue::String) throw EReadError(line, "Text expected in the list of " + path);
    lines.push_back(item.Text);
  }
  list.Assign(lines);
}

void AssignCollection(TCollection& coll, const TDescValue& v, int line, const std::string& path, Context* ctx) {
  if (v.Type != TDescValue::Collection) throw WrongValue(v, line, path);
  coll.Clear();
  for (const std::vector<TDescProp>& element : v.Elements) {
    TCollectionItem* item = coll.Add();
    for (const TDescProp& ip : element) {
      std::vector<std::string> parts = SplitPath(ip.Path);
      TObject& holder = Walk(*item, parts, ip.Line, ip.Path);
      const TPropInfo* q = holder.ClassInfo().FindProperty(parts.back());
      if (q == nullptr) throw EReadError(ip.Line, "Property " + ip.Path + " does not exist");
      if (auto* pers = dynamic_cast<TPersistent*>(&holder)) pers->MarkStored(q->Name);
      AssignValue(holder, *q, ip.Value, ip.Line, ip.Path, ctx);
    }
  }
}

void AssignObject(TObject& obj, const TPropInfo& p, const TDescValue& v, int line, const std::string& path,
                  Context* ctx) {
  TObject* target = p.GetObj ? p.GetObj(obj) : nullptr;
  if (auto* list = dynamic_cast<TStrings*>(target)) AssignList(*list, v, line, path);
  else if (auto* coll = dynamic_cast<TCollection*>(target)) AssignCollection(*coll, v, line, path, ctx);
  else throw WrongValue(v, line, path);
}

// A component reference is resolved once the whole description is read.
void AssignComponent(TObject& obj, const TPropInfo& p, const TDescValue& v, int line, const std::string& path,
                     Context* ctx) {
  if (v.Type != TDescValue::Ident) throw WrongValue(v, line, path);
  if (ctx == nullptr) throw EReadError(line, "Reference outside a window description: " + path);
  if (SameName(v.Text, "nil")) p.SetObj(obj, nullptr);
  else ctx->Refs.push_back({&obj, &p, v.Text, line});
}

void AssignEvent(TObject& obj, const TPropInfo& p, const TDescValue& v, int line, const std::string& path,
                 Context* ctx) {
  if (v.Type != TDescValue::Ident) throw WrongValue(v, line, path);
  if (ctx == nullptr) throw EReadError(line, "Event outside a window description: " + path);
  const std::any* h = ctx->Binder != nullptr ? ctx->Binder->FindHandler(v.Text) : nullptr;
  if (h == nullptr) {
    if (ctx->Options.IgnoreMissingHandlers) return;
    throw EReadError(line, "Handler " + v.Text + " not found for " + path);
  }
  if (!p.SetEvent(obj, *h)) throw EReadError(line, "Handler " + v.Text + " does not fit the event " + path);
}

void AssignValue(TObject& obj, const TPropInfo& p, const TDescValue& v, int line, const std::string& path,
                 Context* ctx) {
  switch (p.Kind) {
    case PropKind::Integer:
    case PropKind::Bool:
    case PropKind::Enum:
    case PropKind::Set: {
      if (!p.SetInt) throw ReadOnly(line, path);
      int64_t n = 0;
      if (p.Kind == PropKind::Integer) n = IntegerValue(v, line, path);
      else if (p.Kind == PropKind::Bool) n = BoolValue(v, line, path);
      else if (p.Kind == PropKind::Enum) n = EnumValue(p, v, line, path);
      else n = SetValue(p, v, line, path);
      p.SetInt(obj, n);
      break;
    }
    case PropKind::String:
      if (!p.SetStr) throw ReadOnly(line, path);
      if (v.Type != TDescValue::String) throw WrongValue(v, line, path);
      p.SetStr(obj, v.Text);
      break;
    case PropKind::Binary:
      if (v.Type != TDescValue::Binary) throw WrongValue(v, line, path);
      p.SetStr(obj, v.Text);
      break;
    case PropKind::Object: AssignObject(obj, p, v, line, path, ctx); break;
    case PropKind::Component: AssignComponent(obj, p, v, line, path, ctx); break;
    case PropKind::Event: AssignEvent(obj, p, v, line, path, ctx); break;
  }
}

void AssignPath(TObject& object, const std::string& path, const TDescValue& value, int line, Context* ctx) {
  std::vector<std::string> parts = SplitPath(path);
  // "Items.Strings = (...)" is the same as "Items = (...)".
  if (parts.size() > 1 && SameName(parts.back(), "Strings") && value.Type == TDescValue::List) parts.pop_back();
  TObject& holder = Walk(object, parts, line, path);
  const TPropInfo* p = holder.ClassInfo().FindProperty(parts.back());
  if (p == nullptr) throw EReadError(line, "Property " + path + " does not exist");
  if (auto* pers = dynamic_cast<TPersistent*>(&holder)) pers->MarkStored(p->Name);
  AssignValue(holder, *p, value, line, path, ctx);
}

void ReadProps(TComponent& c, const TDescNode& node, Context& ctx) {
  for (const TDescProp& prop : node.Props) {
    try {
      AssignPath(c, prop.Path, prop.Value, prop.Line, &ctx);
    } catch (const EReadError&) {
      throw;
    } catch (const std::exception& e) {
      throw EReadError(prop.Line, "Error reading " + node.Name + "." + prop.Path + ": " + e.what());
    }
  }
}

void ReadChildren(TComponent& parent, const TDescNode& node, Context& ctx) {
  for (const TDescNode& child : node.Children) {
    const TClassInfo* cls = FindClass(child.ClassName);
    if (cls == nullptr) throw EReadError(child.Line, "Class " + child.ClassName + " not found");
    if (!cls->Create) throw EReadError(child.Line, "Class " + child.ClassName + " cannot be created");
    TComponent* owner = parent.OwnerForNested(*cls);
    if (owner == nullptr) owner = ctx.Root;
    TComponent* c = nullptr;
    try {
      c = cls->Create(owner);
      c->BeginLoading();
      if (!child.Name.empty()) c->SetName(child.Name);
      c->SetParentComponent(&parent);
    } catch (const EReadError&) {
      throw;
    } catch (const std::exception& e) {
      throw EReadError(child.Line, e.what());
    }
    ctx.Created.push_back(c);
    ReadProps(*c, child, ctx);
    ReadChildren(*c, child, ctx);
  }
}

TComponent* FindByName(TComponent& root, std::string_view name) {
  if (SameName(root.Name(), name)) return &root;
  return root.FindComponent(name);
}

}  // namespace

TDescNode ParseDescription(std::string_view text) { return Parser(text).ParseRoot(); }

std::string FormatBinaryValue(std::string_view bytes, const std::string& indent) {
  static const char* hex = "0123456789ABCDEF";
  std::string out = "{";
  for (size_t i = 0; i < bytes.size(); ++i) {
    if (i % 32 == 0) out += "\n" + indent + "  ";
    unsigned char b = static_cast<unsigned char>(bytes[i]);
    out += hex[b >> 4];
    out += hex[b & 15];
  }
  out += "}";
  return out;
}

std::string TBinder::Key(std::string_view name) {
  std::string k(name);
  for (char& c : k)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
  return k;
}

const std::any* TBinder::FindHandler(std::string_view name) const {
  auto it = handlers_.find(Key(name));
  return it == handlers_.end() ? nullptr : &it->second;
}

void TBinder::BindFields(TComponent& root) const {
  for (const FieldRef& f : fields_) {
    TComponent* c = FindByName(root, f.Name);
    if (c == nullptr) throw EReadError(0, "Component " + f.Name + " not found for its field");
    if (!f.Bind(c)) throw EReadError(0, "Component " + f.Name + " is a " + c->ClassName() + ", not the field's class");
  }
}

void ReadDescription(TComponent& root, std::string_view text, const TBinder* binder, const TReadOptions& options) {
  TDescNode tree = ParseDescription(text);
  ReadDescription(root, tree, binder, options);
}

void ReadDescription(TComponent& root, const TDescNode& tree, const TBinder* binder, const TReadOptions& options) {
  Context ctx;
  ctx.Root = &root;
  ctx.Binder = binder;
  ctx.Options = options;
  root.BeginLoading();
  try {
    if (!tree.Name.empty()) root.SetName(tree.Name);
  } catch (const std::exception& e) {
    throw EReadError(tree.Line, e.what());
  }
  ReadProps(root, tree, ctx);
  ReadChildren(root, tree, ctx);
  for (const Pending& r : ctx.Refs) {
    TComponent* target = FindByName(root, r.Target);
    if (target == nullptr) throw EReadError(r.Line, "Component " + r.Target + " not found for " + r.Prop->Name);
    if (!target->InheritsFrom(*r.Prop->ObjectClass))
      throw EReadError(r.Line, r.Target + " is a " + target->ClassName() + ", not a " + r.Prop->ObjectClass->Name);
    r.Prop->SetObj(*r.Object, target);
  }
  if (binder != nullptr) binder->BindFields(root);
  root.Loaded();
  for (TComponent* c : ctx.Created) c->Loaded();
}

}  // namespace platform
