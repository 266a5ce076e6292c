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
  Kind kind = End;
  std::string text;  // Ident name, String bytes, Symbol char, Binary bytes
  int64_t integer = 0;
  int line = 1;
  size_t begin = 0, end = 0;
};

class Lexer {
public:
  explicit Lexer(std::string_view s) : s_(s) {}

  Token Next() {
    SkipBlanks();
    Token t;
    t.line = line_;
    t.begin = pos_;
    if (pos_ >= s_.size()) {
      t.end = pos_;
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
      t.kind = Token::Ident;
      t.text = std::string(s_.substr(b, pos_ - b));
    } else if (std::isdigit(static_cast<unsigned char>(c)) || c == '-' || c == '$') {
      t.kind = Token::Integer;
      t.integer = ReadInteger(t.line);
    } else if (c == '\'' || c == '#') {
      t.kind = Token::String;
      t.text = ReadString(t.line);
    } else if (c == '{') {
      t.kind = Token::Binary;
      t.text = ReadBinary(t.line);
    } else {
      t.kind = Token::Symbol;
      t.text = std::string(1, c);
      ++pos_;
    }
    t.end = pos_;
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
    if (tok_.kind != Token::End) Fail("Text after the last \"end\"");
    return node;
  }

private:
  void Advance() { tok_ = lex_.Next(); }
  [[noreturn]] void Fail(const std::string& m) { throw EReadError(tok_.line, m); }
  bool IsWord(const char* w) const { return tok_.kind == Token::Ident && SameName(tok_.text, w); }
  bool IsSymbol(char c) const { return tok_.kind == Token::Symbol && tok_.text[0] == c; }
  void Expect(char c) {
    if (!IsSymbol(c)) Fail(std::string("\"") + c + "\" expected");
    Advance();
  }

  // Guards the recursion of nested objects and lists.
  struct Depth {
    explicit Depth(Parser& p) : p_(p) {
      if (++p_.depth_ > 200) p_.Fail("Nested too deeply");
    }
    ~Depth() { --p_.depth_; }
    Parser& p_;
  };

  TDescNode ParseObject() {
    Depth guard(*this);
    if (!IsWord("object")) Fail("\"object\" expected");
    TDescNode node;
    node.line = tok_.line;
    Advance();
    if (tok_.kind != Token::Ident) Fail("Component name or class expected");
    std::string first = tok_.text;
    Advance();
    if (IsSymbol(':')) {
      Advance();
      if (tok_.kind != Token::Ident) Fail("Class name expected");
      node.name = first;
      node.class_name = tok_.text;
      Advance();
    } else {
      node.class_name = first;  // unnamed object
    }
    for (;;) {
      if (IsWord("end")) {
        node.end_offset = tok_.begin;
        Advance();
        return node;
      }
      if (IsWord("object")) {
        node.children.push_back(ParseObject());
        continue;
      }
      if (tok_.kind != Token::Ident) Fail("Property name, \"object\" or \"end\" expected");
      node.props.push_back(ParseProp());
    }
  }

  TDescProp ParseProp() {
    TDescProp p;
    p.path = tok_.text;
    p.line = tok_.line;
    Advance();
    Expect('=');
    p.value = ParseValue();
    return p;
  }

  TDescValue ParseValue() {
    Depth guard(*this);
    TDescValue v;
    v.begin = tok_.begin;
    switch (tok_.kind) {
      case Token::Integer:
        v.kind = TDescValue::Integer;
        v.integer = tok_.integer;
        TakeLast(v);
        return v;
      case Token::Ident:
        v.kind = TDescValue::Ident;
        v.text = tok_.text;
        TakeLast(v);
        return v;
      case Token::String: ParseText(v); return v;
      case Token::Binary:
        v.kind = TDescValue::Binary;
        v.text = tok_.text;
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
    v.end = tok_.end;
    Advance();
  }

  // A text and the texts joined to it with "+".
  void ParseText(TDescValue& v) {
    v.kind = TDescValue::String;
    v.text = tok_.text;
    TakeLast(v);
    while (IsSymbol('+')) {
      Advance();
      if (tok_.kind != Token::String) Fail("Text expected after \"+\"");
      v.text += tok_.text;
      TakeLast(v);
    }
  }

  // "(" value... up to the closing ")".
  void ParseListItems(TDescValue& v) {
    v.kind = TDescValue::List;
    Advance();
    while (!IsSymbol(')')) {
      if (tok_.kind == Token::End) Fail("\")\" expected");
      v.items.push_back(ParseValue());
    }
  }

  // "[" name, ... up to the closing "]".
  void ParseSetMembers(TDescValue& v) {
    v.kind = TDescValue::Set;
    Advance();
    while (!IsSymbol(']')) {
      if (tok_.kind != Token::Ident) Fail("Set member expected");
      v.names.push_back(tok_.text);
      Advance();
      if (IsSymbol(',')) Advance();
      else if (!IsSymbol(']')) Fail("\",\" or \"]\" expected");
    }
  }

  // "<" item properties... end ... up to the closing ">".
  void ParseCollectionItems(TDescValue& v) {
    v.kind = TDescValue::Collection;
    Advance();
    while (!IsSymbol('>')) {
      if (!IsWord("item")) Fail("\"item\" expected");
      Advance();
      std::vector<TDescProp> props;
      while (!IsWord("end")) {
        if (tok_.kind != Token::Ident) Fail("Property name or \"end\" expected");
        props.push_back(ParseProp());
      }
      Advance();
      v.elements.push_back(std::move(props));
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
  TObject* object;
  const TPropInfo* prop;
  std::string target;
  int line;
};

struct Context {
  TComponent* root = nullptr;
  const TBinder* binder = nullptr;
  TReadOptions options;
  std::vector<Pending> refs;
  std::vector<TComponent*> created;
};

// Resolves all but the last segment of a path; returns the object and the last segment.
TObject& Walk(TObject& start, const std::vector<std::string>& parts, int line, const std::string& path) {
  TObject* obj = &start;
  for (size_t i = 0; i + 1 < parts.size(); ++i) {
    const TPropInfo* p = obj->ClassInfo().FindProperty(parts[i]);
    if (p == nullptr || p->kind != PropKind::Object)
      throw EReadError(line, "Property " + path + " does not exist");
    if (auto* pers = dynamic_cast<TPersistent*>(obj)) pers->MarkStored(p->name);
    TObject* next = p->get_obj(*obj);
    if (next == nullptr) throw EReadError(line, "Property " + path + " does not exist");
    obj = next;
  }
  return *obj;
}

void AssignValue(TObject& obj, const TPropInfo& p, const TDescValue& v, int line, const std::string& path,
                 Context* ctx);

EReadError WrongValue(const TDescValue& v, int line, const std::string& path) {
  return EReadError(line, "Invalid value for " + path + ": " + KindName(v.kind));
}

EReadError ReadOnly(int line, const std::string& path) {
  return EReadError(line, "Property " + path + " is read-only");
}

// The number an Integer, Bool, Enum or Set property takes from `v`.
int64_t IntegerValue(const TDescValue& v, int line, const std::string& path) {
  int64_t n = 0;
  if (v.kind == TDescValue::Integer) n = v.integer;
  else if (v.kind != TDescValue::Ident || !IntegerFromIdent(v.text, n)) throw WrongValue(v, line, path);
  return n;
}

int64_t BoolValue(const TDescValue& v, int line, const std::string& path) {
  if (v.kind != TDescValue::Ident) throw WrongValue(v, line, path);
  if (SameName(v.text, "True")) return 1;
  if (SameName(v.text, "False")) return 0;
  throw WrongValue(v, line, path);
}

int64_t EnumValue(const TPropInfo& p, const TDescValue& v, int line, const std::string& path) {
  int i = v.kind == TDescValue::Ident ? IndexOfName(p.names, v.text) : -1;
  if (i < 0) throw EReadError(line, "Invalid value for " + path + ": " + v.text);
  return i;
}

int64_t SetValue(const TPropInfo& p, const TDescValue& v, int line, const std::string& path) {
  if (v.kind != TDescValue::Set) throw WrongValue(v, line, path);
  int64_t mask = 0;
  for (const std::string& n : v.names) {
    int i = IndexOfName(p.names, n);
    if (i < 0) throw EReadError(line, "Invalid value for " + path + ": " + n);
    mask |= int64_t{1} << i;
  }
  return mask;
}

void AssignList(TStrings& list, const TDescValue& v, int line, const std::string& path) {
  if (v.kind != TDescValue::List) throw WrongValue(v, line, path);
  std::vector<std::string> lines;
  for (const TDescValue& item : v.items) {
    if (item.kind != TDescValue::String) throw EReadError(line, "Text expected in the list of " + path);
    lines.push_back(item.text);
  }
  list.Assign(lines);
}

void AssignCollection(TCollection& coll, const TDescValue& v, int line, const std::string& path, Context* ctx) {
  if (v.kind != TDescValue::Collection) throw WrongValue(v, line, path);
  coll.Clear();
  for (const std::vector<TDescProp>& element : v.elements) {
    TCollectionItem* item = coll.Add();
    for (const TDescProp& ip : element) {
      std::vector<std::string> parts = SplitPath(ip.path);
      TObject& holder = Walk(*item, parts, ip.line, ip.path);
      const TPropInfo* q = holder.ClassInfo().FindProperty(parts.back());
      if (q == nullptr) throw EReadError(ip.line, "Property " + ip.path + " does not exist");
      if (auto* pers = dynamic_cast<TPersistent*>(&holder)) pers->MarkStored(q->name);
      AssignValue(holder, *q, ip.value, ip.line, ip.path, ctx);
    }
  }
}

void AssignObject(TObject& obj, const TPropInfo& p, const TDescValue& v, int line, const std::string& path,
                  Context* ctx) {
  TObject* target = p.get_obj ? p.get_obj(obj) : nullptr;
  if (auto* list = dynamic_cast<TStrings*>(target)) AssignList(*list, v, line, path);
  else if (auto* coll = dynamic_cast<TCollection*>(target)) AssignCollection(*coll, v, line, path, ctx);
  else throw WrongValue(v, line, path);
}

// A component reference is resolved once the whole description is read.
void AssignComponent(TObject& obj, const TPropInfo& p, const TDescValue& v, int line, const std::string& path,
                     Context* ctx) {
  if (v.kind != TDescValue::Ident) throw WrongValue(v, line, path);
  if (ctx == nullptr) throw EReadError(line, "Reference outside a window description: " + path);
  if (SameName(v.text, "nil")) p.set_obj(obj, nullptr);
  else ctx->refs.push_back({&obj, &p, v.text, line});
}

void AssignEvent(TObject& obj, const TPropInfo& p, const TDescValue& v, int line, const std::string& path,
                 Context* ctx) {
  if (v.kind != TDescValue::Ident) throw WrongValue(v, line, path);
  if (ctx == nullptr) throw EReadError(line, "Event outside a window description: " + path);
  const std::any* h = ctx->binder != nullptr ? ctx->binder->FindHandler(v.text) : nullptr;
  if (h == nullptr) {
    if (ctx->options.ignore_missing_handlers) return;
    throw EReadError(line, "Handler " + v.text + " not found for " + path);
  }
  if (!p.set_event(obj, *h)) throw EReadError(line, "Handler " + v.text + " does not fit the event " + path);
}

void AssignValue(TObject& obj, const TPropInfo& p, const TDescValue& v, int line, const std::string& path,
                 Context* ctx) {
  switch (p.kind) {
    case PropKind::Integer:
    case PropKind::Bool:
    case PropKind::Enum:
    case PropKind::Set: {
      if (!p.set_int) throw ReadOnly(line, path);
      int64_t n = 0;
      if (p.kind == PropKind::Integer) n = IntegerValue(v, line, path);
      else if (p.kind == PropKind::Bool) n = BoolValue(v, line, path);
      else if (p.kind == PropKind::Enum) n = EnumValue(p, v, line, path);
      else n = SetValue(p, v, line, path);
      p.set_int(obj, n);
      break;
    }
    case PropKind::String:
      if (!p.set_str) throw ReadOnly(line, path);
      if (v.kind != TDescValue::String) throw WrongValue(v, line, path);
      p.set_str(obj, v.text);
      break;
    case PropKind::Binary:
      if (v.kind != TDescValue::Binary) throw WrongValue(v, line, path);
      p.set_str(obj, v.text);
      break;
    case PropKind::Object: AssignObject(obj, p, v, line, path, ctx); break;
    case PropKind::Component: AssignComponent(obj, p, v, line, path, ctx); break;
    case PropKind::Event: AssignEvent(obj, p, v, line, path, ctx); break;
  }
}

void AssignPath(TObject& object, const std::string& path, const TDescValue& value, int line, Context* ctx) {
  std::vector<std::string> parts = SplitPath(path);
  // "Items.Strings = (...)" is the same as "Items = (...)".
  if (parts.size() > 1 && SameName(parts.back(), "Strings") && value.kind == TDescValue::List) parts.pop_back();
  TObject& holder = Walk(object, parts, line, path);
  const TPropInfo* p = holder.ClassInfo().FindProperty(parts.back());
  if (p == nullptr) throw EReadError(line, "Property " + path + " does not exist");
  if (auto* pers = dynamic_cast<TPersistent*>(&holder)) pers->MarkStored(p->name);
  AssignValue(holder, *p, value, line, path, ctx);
}

void ReadProps(TComponent& c, const TDescNode& node, Context& ctx) {
  for (const TDescProp& prop : node.props) {
    try {
      AssignPath(c, prop.path, prop.value, prop.line, &ctx);
    } catch (const EReadError&) {
      throw;
    } catch (const std::exception& e) {
      throw EReadError(prop.line, "Error reading " + node.name + "." + prop.path + ": " + e.what());
    }
  }
}

void ReadChildren(TComponent& parent, const TDescNode& node, Context& ctx) {
  for (const TDescNode& child : node.children) {
    const TClassInfo* cls = FindClass(child.class_name);
    if (cls == nullptr) throw EReadError(child.line, "Class " + child.class_name + " not found");
    if (!cls->create) throw EReadError(child.line, "Class " + child.class_name + " cannot be created");
    TComponent* owner = parent.OwnerForNested(*cls);
    if (owner == nullptr) owner = ctx.root;
    TComponent* c = nullptr;
    try {
      c = cls->create(owner);
      c->BeginLoading();
      if (!child.name.empty()) c->SetName(child.name);
      c->SetParentComponent(&parent);
    } catch (const EReadError&) {
      throw;
    } catch (const std::exception& e) {
      throw EReadError(child.line, e.what());
    }
    ctx.created.push_back(c);
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
    TComponent* c = FindByName(root, f.name);
    if (c == nullptr) throw EReadError(0, "Component " + f.name + " not found for its field");
    if (!f.bind(c)) throw EReadError(0, "Component " + f.name + " is a " + c->ClassName() + ", not the field's class");
  }
}

void ReadDescription(TComponent& root, std::string_view text, const TBinder* binder, const TReadOptions& options) {
  TDescNode tree = ParseDescription(text);
  ReadDescription(root, tree, binder, options);
}

void ReadDescription(TComponent& root, const TDescNode& tree, const TBinder* binder, const TReadOptions& options) {
  Context ctx;
  ctx.root = &root;
  ctx.binder = binder;
  ctx.options = options;
  root.BeginLoading();
  try {
    if (!tree.name.empty()) root.SetName(tree.name);
  } catch (const std::exception& e) {
    throw EReadError(tree.line, e.what());
  }
  ReadProps(root, tree, ctx);
  ReadChildren(root, tree, ctx);
  for (const Pending& r : ctx.refs) {
    TComponent* target = FindByName(root, r.target);
    if (target == nullptr) throw EReadError(r.line, "Component " + r.target + " not found for " + r.prop->name);
    if (!target->InheritsFrom(*r.prop->object_class))
      throw EReadError(r.line, r.target + " is a " + target->ClassName() + ", not a " + r.prop->object_class->name);
    r.prop->set_obj(*r.object, target);
  }
  if (binder != nullptr) binder->BindFields(root);
  root.Loaded();
  for (TComponent* c : ctx.created) c->Loaded();
}

}  // namespace platform
