#include "platform/components/component.h"

#include <algorithm>
#include <map>
#include <mutex>

namespace platform {

namespace {

char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }

std::string UpperName(std::string_view s) {
  std::string r(s);
  for (char& c : r) c = AsciiUpper(c);
  return r;
}

struct Registry {
  std::mutex Mutex;
  std::map<std::string, const TClassInfo*> Classes;
};

Registry& TheRegistry() {
  static Registry r;
  return r;
}

}  // namespace

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (AsciiUpper(a[i]) != AsciiUpper(b[i])) return false;
  return true;
}

bool IsValidIdent(std::string_view name) {
  if (name.empty()) return false;
  auto alpha = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; };
  if (!alpha(name[0])) return false;
  for (char c : name)
    if (!alpha(c) && !(c >= '0' && c <= '9')) return false;
  return true;
}

// --- class information -------------------------------------------------------------------

const std::vector<const TPropInfo*>& TClassInfo::Properties() const {
  if (!built_) {
    if (Parent != nullptr) all_ = Parent->Properties();
    for (const TPropInfo& p : Own) all_.push_back(&p);
    built_ = true;
  }
  return all_;
}

const TPropInfo* TClassInfo::FindProperty(std::string_view prop) const {
  for (const TPropInfo* p : Properties())
    if (SameName(p->Name, prop)) return p;
  return nullptr;
}

bool TClassInfo::InheritsFrom(const TClassInfo& other) const {
  for (const TClassInfo* c = this; c != nullptr; c = c->Parent)
    if (c == &other) return true;
  return false;
}

void RegisterClassInfo(const TClassInfo& info, bool replace) {
  Registry& r = TheRegistry();
  std::lock_guard<std::mutex> lock(r.Mutex);
  const TClassInfo*& slot = r.Classes[UpperName(info.Name)];
  if (slot == nullptr || replace) slot = &info;
}

const TClassInfo* FindClass(std::string_view name) {
  Registry& r = TheRegistry();
  std::lock_guard<std::mutex> lock(r.Mutex);
  auto it = r.Classes.find(UpperName(name));
  return it == r.Classes.end() ? nullptr : it->second;
}

const TClassInfo& TObject::StaticClass() {
  static const TClassInfo info = [] {
    TClassInfo i;
    i.Name = "TObject";
    return i;
  }();
  return info;
}

// --- TPersistent ---------------------------------------------------------------------------

void TPersistent::Assign(const TPersistent& source) {
  throw EComponentError("Cannot assign a " + source.ClassName() + " to a " + ClassName());
}

void TPersistent::MarkStored(std::string_view prop) {
  if (!IsStored(prop)) stored_.emplace_back(prop);
}

bool TPersistent::IsStored(std::string_view prop) const {
  return std::any_of(stored_.begin(), stored_.end(), [&](const std::string& s) { return SameName(s, prop); });
}

// --- TComponent ----------------------------------------------------------------------------

TComponent::TComponent(TComponent* owner) {
  if (owner != nullptr) owner->Insert(this);
}

TComponent::~TComponent() {
  state_ |= csDestroying;
  NotifyRemoval();  // a plain delete: not told before
  DestroyComponents();
  if (owner_ != nullptr) owner_->Remove(this);
}

void TComponent::NotifyRemoval() {
  if (removalNotified_) return;
  removalNotified_ = true;
  // Those who asked to hear of our end.
  while (!freeNotifies_.empty()) {
    TComponent* c = freeNotifies_.back();
    freeNotifies_.pop_back();
    auto& back = c->freeNotifies_;
    back.erase(std::remove(back.begin(), back.end(), this), back.end());
    c->Notification(this, TOperation::opRemove);
  }
  // The owner passes it on to every component it owns.
  if (owner_ != nullptr) owner_->Notification(this, TOperation::opRemove);
}

void TComponent::Publish(TProps<TComponent>& p) {
  p.Str("Name", &TComponent::Name, &TComponent::SetName);
  p.Int("Tag", [](TComponent& c) { return c.Tag; }, [](TComponent& c, int64_t v) { c.Tag = static_cast<intptr_t>(v); });
}

void TComponent::SetName(const std::string& name) {
  if (name == name_) return;
  if (!name.empty() && !IsValidIdent(name))
    throw EComponentError("\"" + name + "\" is not a valid component name");
  if (!name.empty() && owner_ != nullptr) {
    TComponent* other = owner_->FindComponent(name);
    if (other != nullptr && other != this)
      throw EComponentError("A component named " + name + " already exists");
  }
  name_ = name;
}

TComponent* TComponent::FindComponent(std::string_view name) const {
  if (name.empty()) return nullptr;
  for (TComponent* c : components_)
    if (SameName(c->name_, name)) return c;
  return nullptr;
}

void TComponent::Loaded() { state_ &= ~static_cast<unsigned>(csLoading); }

void TComponent::Notification(TComponent* component, TOperation operation) {
  if (operation == TOperation::opRemove && component != nullptr) {
    // Forget a free-notification link both ways.
    auto& mine = freeNotifies_;
    mine.erase(std::remove(mine.begin(), mine.end(), component), mine.end());
  }
  // Pass it on; a component may disappear from the list while we walk it.
  for (size_t i = components_.size(); i-- > 0;) {
    if (i >= components_.size()) continue;
    components_[i]->Notification(component, operation);
  }
}

void TComponent::FreeNotification(TComponent* component) {
  if (component == nullptr || component == this) return;
  if (std::find(freeNotifies_.begin(), freeNotifies_.end(), component) == freeNotifies_.end())
    freeNotifies_.push_back(component);
  auto& theirs = component->freeNotifies_;
  if (std::find(theirs.begin(), theirs.end(), this) == theirs.end()) theirs.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* component) {
  if (component == nullptr) return;
  freeNotifies_.erase(std::remove(freeNotifies_.begin(), freeNotifies_.end(), component), freeNotifies_.end());
  auto& theirs = component->freeNotifies_;
  theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
}

void TComponent::SetParentComponent(TComponent* /*parent*/) {}

void TComponent::BeforeDestruction() {
  state_ |= csDestroying;
  NotifyRemoval();
}

void TComponent::Free(TComponent* component) {
  if (component == nullptr) return;
  component->BeforeDestruction();
  delete component;
}

void TComponent::DestroyComponents() {
  while (!components_.empty()) {
    TComponent* c = components_.back();
    Remove(c);
    Free(c);
  }
}

void TComponent::Insert(TComponent* c) {
  components_.push_back(c);
  c->owner_ = this;
}

void TComponent::Remove(TComponent* c) {
  components_.erase(std::remove(components_.begin(), components_.end(), c), components_.end());
  c->owner_ = nullptr;
}

}  // namespace platform
