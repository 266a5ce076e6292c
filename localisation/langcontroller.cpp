#include "localisation/langcontroller.h"

#include "localisation/constants.h"
#include "platform/system/uilanguage.h"

#include <algorithm>
#include <cstring>

namespace localisation {

using platform::PropKind;
using platform::TComponent;
using platform::TObject;
using platform::TPersistent;
using platform::TPropInfo;

// --- entries -------------------------------------------------------------------------------

bool TLang_PropEntries::Find(std::string_view path, int& index) const {
  int lo = 0, hi = Count() - 1;
  while (lo <= hi) {
    int mid = (lo + hi) / 2;
    int c = CompareNames(items_[static_cast<size_t>(mid)].Path, path);
    if (c == 0) {
      index = mid;
      return true;
    }
    if (c < 0) lo = mid + 1;
    else hi = mid - 1;
  }
  index = lo;
  return false;
}

TLang_PropEntry& TLang_PropEntries::Add(int32_t id, std::string path, std::string defaultText) {
  int i;
  if (Find(path, i)) return items_[static_cast<size_t>(i)];
  TLang_PropEntry e;
  e.Id = id;
  e.Path = std::move(path);
  e.DefaultText = std::move(defaultText);
  return *items_.insert(items_.begin() + i, std::move(e));
}

TLang_CompEntry::~TLang_CompEntry() = default;

std::string TLang_CompEntry::Name() const { return Component != nullptr ? Component->Name() : StoredName; }

std::string TLang_CompEntry::ComponentPath() const {
  if (Parent == nullptr) return "";
  std::string up = Parent->ComponentPath();
  return up.empty() ? Name() : up + "." + Name();
}

TLang_CompEntry& TLang_CompEntries::Add() {
  items_.push_back(std::make_unique<TLang_CompEntry>(owner_));
  return *items_.back();
}

int32_t HighestId(const TLang_CompEntry& e) {
  int32_t m = 0;
  if (e.Props)
    for (int i = 0; i < e.Props->Count(); ++i) m = std::max(m, (*e.Props)[i].Id);
  if (e.Children)
    for (int i = 0; i < e.Children->Count(); ++i) m = std::max(m, HighestId((*e.Children)[i]));
  return m;
}

// --- masks ---------------------------------------------------------------------------------

namespace {

unsigned char Up(unsigned char c) { return (c >= 'a' && c <= 'z') ? static_cast<unsigned char>(c - 32) : c; }

[[noreturn]] void InvalidMask(const std::string& mask, size_t pos) {
  throw ELangError("'" + mask + "' is an invalid mask at (" + std::to_string(pos + 1) + ")");
}

// Checks the mask's sets; returns nothing, throws on a malformed mask.
void ValidateMask(const std::string& m) {
  for (size_t i = 0; i < m.size(); ++i) {
    if (m[i] != '[') continue;
    size_t j = i + 1;
    if (j < m.size() && m[j] == '!') ++j;
    if (j >= m.size() || m[j] == ']') InvalidMask(m, j);
    while (j < m.size() && m[j] != ']') {
      if (j + 1 < m.size() && m[j + 1] == '-') {
        if (j + 2 >= m.size() || m[j + 2] == ']') InvalidMask(m, j + 2);
        j += 3;
      } else {
        ++j;
      }
    }
    if (j >= m.size()) InvalidMask(m, j);
    i = j;
  }
}

// Whether the set starting at m[i] == '[' holds c; `end` receives the index after ']'.
bool InSet(std::string_view m, size_t i, unsigned char c, size_t& end) {
  size_t j = i + 1;
  bool negate = false;
  if (m[j] == '!') {
    negate = true;
    ++j;
  }
  bool found = false;
  while (m[j] != ']') {
    unsigned char lo = Up(static_cast<unsigned char>(m[j]));
    unsigned char hi = lo;
    if (j + 1 < m.size() && m[j + 1] == '-') {
      hi = Up(static_cast<unsigned char>(m[j + 2]));
      j += 3;
    } else {
      ++j;
    }
    if (Up(c) >= lo && Up(c) <= hi) found = true;
  }
  end = j + 1;
  return found != negate;
}

bool MatchAt(std::string_view m, size_t mi, std::string_view s, size_t si) {
  while (mi < m.size()) {
    char mc = m[mi];
    if (mc == '*') {
      while (mi < m.size() && m[mi] == '*') ++mi;
      if (mi == m.size()) return true;
      for (size_t k = si; k <= s.size(); ++k)
        if (MatchAt(m, mi, s, k)) return true;
      return false;
    }
    if (si >= s.size()) return false;
    if (mc == '?') {
      ++mi;
      ++si;
    } else if (mc == '[') {
      size_t end;
      if (!InSet(m, mi, static_cast<unsigned char>(s[si]), end)) return false;
      mi = end;
      ++si;
    } else {
      if (Up(static_cast<unsigned char>(mc)) != Up(static_cast<unsigned char>(s[si]))) return false;
      ++mi;
      ++si;
    }
  }
  return si == s.size();
}

}  // namespace

TLang_MaskList::TLang_MaskList(const std::vector<std::string>& masks) {
  for (const std::string& m : masks) {
    ValidateMask(m);
    masks_.push_back(m);
  }
}

bool TLang_MaskList::Matches(std::string_view path) const {
  return std::any_of(masks_.begin(), masks_.end(), [&](const std::string& m) { return MatchAt(m, 0, path, 0); });
}

// --- LangData ------------------------------------------------------------------------------

namespace {

constexpr int kMaxDepth = 64;

class Reader {
public:
  explicit Reader(std::string_view b) : b_(b) {}
  size_t Left() const { return b_.size() - pos_; }
  uint8_t U8() {
    Need(1);
    return static_cast<uint8_t>(b_[pos_++]);
  }
  uint16_t U16() {
    Need(2);
    uint16_t v = static_cast<uint16_t>(static_cast<uint8_t>(b_[pos_]) | (static_cast<uint8_t>(b_[pos_ + 1]) << 8));
    pos_ += 2;
    return v;
  }
  int32_t I32() {
    Need(4);
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<uint8_t>(b_[pos_ + static_cast<size_t>(i)]);
    pos_ += 4;
    return static_cast<int32_t>(v);
  }
  std::string Bytes(size_t n) {
    Need(n);
    std::string s(b_.substr(pos_, n));
    pos_ += n;
    return s;
  }
  [[noreturn]] void Fail(const std::string& what) const {
    throw ELangError("Damaged LangData at byte " + std::to_string(pos_) + ": " + what);
  }

private:
  void Need(size_t n) const {
    if (Left() < n) Fail("unexpected end");
  }
  std::string_view b_;
  size_t pos_ = 0;
};

void ReadEntry(Reader& r, TLang_CompEntry& e, int depth) {
  if (depth > kMaxDepth) r.Fail("entries nested too deeply");
  e.StoredName = r.Bytes(r.U16());
  uint8_t hasProps = r.U8();
  if (hasProps > 1) r.Fail("bad property flag");
  if (hasProps == 1) {
    if (!e.Props) e.Props = std::make_unique<TLang_PropEntries>();
    *e.Props = TLang_PropEntries();
    int32_t count = r.I32();
    if (count < 0 || static_cast<size_t>(count) > r.Left() / 6) r.Fail("bad property count");
    for (int32_t i = 0; i < count; ++i) {
      int32_t id = r.I32();
      std::string path = r.Bytes(r.U16());
      e.Props->Add(id, std::move(path), "");
    }
  }
  uint8_t hasChildren = r.U8();
  if (hasChildren > 1) r.Fail("bad child flag");
  if (hasChildren == 1) {
    if (!e.Children) e.Children = std::make_unique<TLang_CompEntries>(&e);
    *e.Children = TLang_CompEntries(&e);
    int32_t count = r.I32();
    if (count < 0 || static_cast<size_t>(count) > r.Left() / 4) r.Fail("bad child count");
    for (int32_t i = 0; i < count; ++i) ReadEntry(r, e.Children->Add(), depth + 1);
  }
}

void PutU16(std::string& o, size_t v) {
  o += static_cast<char>(v & 0xFF);
  o += static_cast<char>((v >> 8) & 0xFF);
}
void PutI32(std::string& o, int64_t v) {
  uint32_t u = static_cast<uint32_t>(v);
  for (int i = 0; i < 4; ++i) o += static_cast<char>((u >> (8 * i)) & 0xFF);
}

void EncodeEntry(const TLang_CompEntry& e, std::string& o) {
  std::string name = e.Name();
  if (name.size() > 0xFFFF) throw ELangError("Component name too long for LangData");
  PutU16(o, name.size());
  o += name;
  if (e.Props) {
    o += '\x01';
    PutI32(o, e.Props->Count());
    for (int i = 0; i < e.Props->Count(); ++i) {
      const TLang_PropEntry& p = (*e.Props)[i];
      if (p.Path.size() > 0xFFFF) throw ELangError("Property path too long for LangData");
      PutI32(o, p.Id);
      PutU16(o, p.Path.size());
      o += p.Path;
    }
  } else {
    o += '\x00';
  }
  if (e.Children) {
    o += '\x01';
    PutI32(o, e.Children->Count());
    for (int i = 0; i < e.Children->Count(); ++i) EncodeEntry((*e.Children)[i], o);
  } else {
    o += '\x00';
  }
}

}  // namespace

void ReadLangData(TLang_CompEntry& root, std::string_view bytes) {
  Reader r(bytes);
  try {
    ReadEntry(r, root, 0);
    if (r.Left() != 0) r.Fail("bytes after the last entry");
  } catch (...) {
    root.Props.reset();
    root.Children.reset();
    root.StoredName.clear();
    throw;
  }
}

std::string EncodeLangData(const TLang_CompEntry& root) {
  std::string o;
  EncodeEntry(root, o);
  return o;
}

// --- binding, refreshing, applying ---------------------------------------------------------

void BindEntries(TLang_CompEntry& entry, TComponent* component) {
  entry.Component = component;
  if (component == nullptr) return;
  entry.StoredName.clear();
  if (!entry.Children) return;
  for (int i = entry.Children->Count() - 1; i >= 0; --i) {
    TLang_CompEntry& child = (*entry.Children)[i];
    if (child.StoredName.empty()) continue;
    TComponent* c = component->FindComponent(child.StoredName);
    if (c != nullptr) BindEntries(child, c);
    else entry.Children->Delete(i);
  }
  if (entry.Children->Count() == 0) entry.Children.reset();
}

namespace {

// The walk over the published properties of one object. `record` receives string
// properties and string lists (path, value); Refresh applies the masks and the stored rule.
struct Walker {
  const TRefreshOptions* Refresh = nullptr;  // null: applying
  const TLang_CompTranslation* Section = nullptr;
  TLang_CompEntry* Entry = nullptr;
  std::string FullPrefix;  // component path and "."
  int32_t* NextId = nullptr;

  void Record(const std::string& path, const std::string& value) {
    if (Refresh->IgnoreEmpty && value.empty()) return;
    if (Refresh->AssignIds) {
      if (!Entry->Props) Entry->Props = std::make_unique<TLang_PropEntries>();
      int i;
      if (!Entry->Props->Find(path, i)) {
        Entry->Props->Add((*NextId)++, path, "");
        Entry->Props->Find(path, i);
      }
      (*Entry->Props)[i].DefaultText = value;
      (*Entry->Props)[i].Kept = 1;
    } else if (Entry->Props) {
      int i;
      if (Entry->Props->Find(path, i)) (*Entry->Props)[i].DefaultText = value;
    }
  }

  // The text for a property path on a language switch, or none.
  const std::string* TextFor(const std::string& path) const {
    int i;
    if (!Entry->Props || !Entry->Props->Find(path, i)) return nullptr;
    const TLang_PropEntry& p = (*Entry->Props)[i];
    if (Section != nullptr)
      if (const std::string* t = Section->TextOf(p.Id)) return t;
    return &p.DefaultText;
  }

  void Walk(TObject& obj, const std::string& prefix, bool isComponent) {
    for (const TPropInfo* p : obj.ClassInfo().Properties()) {
      if (isComponent && platform::SameName(p->Name, "Name")) continue;
      if (p->Kind != PropKind::String && p->Kind != PropKind::Object) continue;
      std::string path = prefix.empty() ? p->Name : prefix + "." + p->Name;
      bool taken = true;
      if (Refresh != nullptr) {
        std::string full = FullPrefix + path;
        if (Refresh->Ignore != nullptr && Refresh->Ignore->Matches(full)) continue;
        auto* pers = dynamic_cast<TPersistent*>(&obj);
        taken = (pers != nullptr && pers->IsStored(p->Name)) ||
                (Refresh->Store != nullptr && Refresh->Store->Matches(full));
      }
      if (p->Kind == PropKind::String) {
        if (Refresh != nullptr) {
          if (taken && p->GetStr) Record(path, p->GetStr(obj));
        } else if (p->SetStr) {
          if (const std::string* t = TextFor(path)) p->SetStr(obj, *t);
        }
        continue;
      }
      if (!p->GetObj || !p->SetObj || !taken) continue;
      TObject* o = p->GetObj(obj);
      if (o == nullptr || dynamic_cast<TComponent*>(o) != nullptr) continue;
      if (auto* list = dynamic_cast<platform::TStrings*>(o)) {
        if (Refresh != nullptr) Record(path, list->Text());
        else if (const std::string* t = TextFor(path)) list->ReplaceLines(*t);
      } else if (auto* coll = dynamic_cast<platform::TCollection*>(o)) {
        for (int i = 0; i < coll->Count(); ++i) Walk(*coll->Items(i), path + "[" + std::to_string(i) + "]", false);
      } else if (dynamic_cast<TPersistent*>(o) != nullptr) {
        Walk(*o, path, false);
      }
    }
  }
};

void RefreshEntry(TLang_CompEntry& e, const TRefreshOptions& opt, int32_t& nextId) {
  if (e.Component == nullptr) return;
  Walker w;
  w.Refresh = &opt;
  w.Entry = &e;
  std::string cp = e.ComponentPath();
  w.FullPrefix = cp + ".";
  w.NextId = &nextId;
  w.Walk(*e.Component, "", true);
  if (opt.AssignIds && e.Props) {
    for (int i = e.Props->Count() - 1; i >= 0; --i)
      if ((*e.Props)[i].Kept == 0) e.Props->Delete(i);
    if (e.Props->Count() == 0) e.Props.reset();
  }
  TComponent* c = e.Component;
  for (int k = 0; k < c->ComponentCount(); ++k) {
    TComponent* child = c->Components(k);
    if (child->Name().empty() || dynamic_cast<TLangController*>(child) != nullptr) continue;
    TLang_CompEntry* found = nullptr;
    if (e.Children)
      for (int i = 0; i < e.Children->Count(); ++i)
        if ((*e.Children)[i].Component == child) {
          found = &(*e.Children)[i];
          break;
        }
    if (!e.Children && opt.AssignIds) e.Children = std::make_unique<TLang_CompEntries>(&e);
    if (found == nullptr && opt.AssignIds) {
      found = &e.Children->Add();
      found->Component = child;
    }
    if (found != nullptr) RefreshEntry(*found, opt, nextId);
  }
}

void ClearKept(TLang_CompEntry& e) {
  if (e.Props)
    for (int i = 0; i < e.Props->Count(); ++i) (*e.Props)[i].Kept = 0;
  if (e.Children)
    for (int i = 0; i < e.Children->Count(); ++i) ClearKept((*e.Children)[i]);
}

}  // namespace

void RefreshEntries(TLang_CompEntry& root, const TRefreshOptions& options) {
  int32_t nextId = 0;
  if (options.AssignIds) {
    ClearKept(root);
    nextId = HighestId(root) + 1;
  }
  RefreshEntry(root, options, nextId);
}

void ApplySectionTo(TLang_CompEntry& entry, const TLang_CompTranslation* section) {
  if (entry.Props && entry.Component != nullptr) {
    Walker w;
    w.Section = section;
    w.Entry = &entry;
    w.Walk(*entry.Component, "", true);
  }
  if (entry.Children)
    for (int i = 0; i < entry.Children->Count(); ++i) ApplySectionTo((*entry.Children)[i], section);
}

void RemoveComponentEntry(TLang_CompEntry& entry, const TComponent* component, bool wholeTree) {
  if (!entry.Children) return;
  for (int i = 0; i < entry.Children->Count(); ++i)
    if ((*entry.Children)[i].Component == component) {
      entry.Children->Delete(i);
      break;
    }
  if (entry.Children->Count() == 0) {
    entry.Children.reset();
    return;
  }
  if (wholeTree)
    for (int i = 0; i < entry.Children->Count(); ++i) RemoveComponentEntry((*entry.Children)[i], component, true);
}

// --- the controller ------------------------------------------------------------------------

TLangController::TLangController(TComponent* owner)
    : TComponent(owner), root_(std::make_unique<TLang_CompEntry>()) {
  ignoreList_.SetSorted(true);
  storeList_.SetSorted(true);
  // A controller read from a window description is bound once the window has loaded.
  if (owner != nullptr && !owner->Loading()) root_->Component = owner;
  TCustomLangController::OnLanguageChanging = [this](TCustomLangController&) {
    if (OnLanguageChangingNotify) OnLanguageChangingNotify(this);
  };
  TCustomLangController::OnLanguageChanged = [this](TCustomLangController&) {
    if (OnLanguageChangedNotify) OnLanguageChangedNotify(this);
  };
  if (platform::InterfaceLanguage() == 0 && Manager() != nullptr)
    platform::SetInterfaceLanguage(Manager()->CurrentLanguageId());
}

TLangController::~TLangController() = default;

void TLangController::Publish(platform::TProps<TLangController>& p) {
  p.Obj<platform::TStrings>("IgnoreList", [](TLangController& c) { return c.IgnoreList(); },
                            &TLangController::SetIgnoreList);
  p.Set("Options", {"lcoAutoSaveLangSource", "lcoIgnoreEmptyProps"}, &TLangController::Options,
        &TLangController::SetOptions);
  p.Obj<platform::TStrings>("StoreList", [](TLangController& c) { return c.StoreList(); },
                            &TLangController::SetStoreList);
  p.Event("OnLanguageChanging", &TLangController::OnLanguageChangingNotify);
  p.Event("OnLanguageChanged", &TLangController::OnLanguageChangedNotify);
  p.Binary("LangData", &TLangController::LangData, &TLangController::SetLangData);
}

std::string TLangController::LangData() {
  Refresh(true);
  if (root_->Component == nullptr || root_->Component->Name().empty()) return "";
  return EncodeLangData(*root_);
}

void TLangController::SetLangData(const std::string& bytes) { ReadLangData(*root_, bytes); }

void TLangController::Refresh(bool assignIds) {
  TLang_MaskList ignore(ignoreList_.ToVector());
  TLang_MaskList store(storeList_.ToVector());
  TRefreshOptions o;
  o.AssignIds = assignIds;
  o.IgnoreEmpty = (options_ & lcoIgnoreEmptyProps) != 0;
  o.Ignore = &ignore;
  o.Store = &store;
  RefreshEntries(*root_, o);
}

namespace {
void CollectTemplate(const TLang_CompEntry& e, std::vector<std::string>& out) {
  if (e.Props) {
    std::string cp = e.ComponentPath();
    if (!cp.empty()) cp += ".";
    for (int i = 0; i < e.Props->Count(); ++i) {
      const TLang_PropEntry& p = (*e.Props)[i];
      out.push_back(ControllerTemplateLine(cp, p.Path, p.Id, p.DefaultText));
    }
  }
  if (e.Children)
    for (int i = 0; i < e.Children->Count(); ++i) CollectTemplate((*e.Children)[i], out);
}
}  // namespace

std::vector<std::string> TLangController::TemplateLines() {
  Refresh(true);
  std::vector<std::string> out;
  CollectTemplate(*root_, out);
  return out;
}

std::string TLangController::WindowName() const { return root_->Name(); }

void TLangController::ApplySection(const TLang_CompTranslation* section) {
  if (Manager() != nullptr) platform::SetInterfaceLanguage(Manager()->CurrentLanguageId());
  ApplySectionTo(*root_, section);
}

void TLangController::Loaded() {
  TComponent::Loaded();
  if (Owner() == nullptr) return;
  BindEntries(*root_, Owner());
  Refresh(false);
  if (Manager() != nullptr) Manager()->TranslateNewController(this);
}

void TLangController::Notification(TComponent* component, platform::TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == platform::TOperation::opRemove && component != this && component != nullptr)
    RemoveComponentEntry(*root_, component, true);
}

void RegisterLangControllerClass() { platform::RegisterClass<TLangController>(false); }

}  // namespace localisation
