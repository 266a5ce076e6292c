// The component model of our windows, without Qt: a root class with class information,
// published properties walked in a fixed, declared order, and components with an owner,
// a name and the components they own.
//
// Writing a class
// ---------------
//   class TThing : public TComponent {
//     QW_CLASS(TThing, TComponent)
//   public:
//     explicit TThing(TComponent* owner) : TComponent(owner) {}
//     static void Publish(TProps<TThing>& p) {       // own properties, after the base's
//       p.Str("Caption", &TThing::Caption, &TThing::SetCaption);
//       p.Int("Count", &TThing::Count, &TThing::SetCount);
//       p.Obj("Items", &TThing::Items, &TThing::SetItems); // TStrings*, nested TPersistent*
//       p.Event("OnClick", &TThing::OnClick);         // a std::function data member
//     }
//     ...
//   };
//   RegisterClass<TThing>();   // once, before a window description names the class
//
// Getters and setters may be member functions, data members (getters only) or lambdas
// taking the object. A class that publishes nothing new still needs no Publish: the
// base's properties are its properties. A component class that a window description
// creates needs a constructor taking its owner.
//
// Events are std::function members. Window descriptions bind them by name to methods of
// the window class (platform/components/description.h); the handler's parameter list must match.
#pragma once

#include <any>
#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace platform {

class TObject;
class TPersistent;
class TComponent;
template <class T> class TProps;

// Sender-only notification, the most common event type.
using TNotifyEvent = std::function<void(TObject* sender)>;

enum class PropKind {
  Integer,    // any integral value
  Bool,
  Enum,       // ordinal with names
  Set,        // bit mask, bit i = names[i]
  String,     // 8-bit text
  Object,     // nested TPersistent (font, string list, collection, ...), owned by the object
  Component,  // reference to a component by name, resolved after loading
  Event,      // std::function, bound by handler name
  Binary,     // opaque bytes stored with the component (LangData)
};

struct TClassInfo;

// One published property. Only the accessors of its kind are set.
struct TPropInfo {
  std::string Name;
  PropKind Kind = PropKind::Integer;
  std::vector<std::string> Names;          // Enum and Set member names, by ordinal
  const TClassInfo* ObjectClass = nullptr;  // Object and Component: the declared class

  std::function<int64_t(TObject&)> GetInt;
  std::function<void(TObject&, int64_t)> SetInt;
  std::function<std::string(TObject&)> GetStr;  // String and Binary
  std::function<void(TObject&, const std::string&)> SetStr;
  std::function<TObject*(TObject&)> GetObj;  // Object and Component
  std::function<void(TObject&, TObject*)> SetObj;
  // Event: false when the value holds another function type. An empty any clears the event.
  std::function<bool(TObject&, const std::any&)> SetEvent;
  std::function<bool(TObject&)> EventAssigned;
};

// What the class system knows of one class.
struct TClassInfo {
  std::string Name;
  const TClassInfo* Parent = nullptr;
  // Creates an instance owned by `owner`; empty for abstract classes and non-components.
  std::function<TComponent*(TComponent* owner)> Create;
  std::vector<TPropInfo> Own;  // declared by this class, in declaration order

  // Every published property: the base class's first, then this class's.
  const std::vector<const TPropInfo*>& Properties() const;
  // Case-insensitive lookup among Properties().
  const TPropInfo* FindProperty(std::string_view prop) const;
  bool InheritsFrom(const TClassInfo& other) const;

private:
  mutable std::vector<const TPropInfo*> all_;
  mutable bool built_ = false;
};

// Class registry for window descriptions, by class name. A later registration of the same
// name replaces the earlier one, unless `replace` is false (the window layer registers its
// own classes that way, so that a program's class of the same name always wins).
void RegisterClassInfo(const TClassInfo& info, bool replace = true);
const TClassInfo* FindClass(std::string_view name);  // case-insensitive
template <class T> void RegisterClass(bool replace = true) { RegisterClassInfo(T::StaticClass(), replace); }

class EComponentError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

namespace detail {
template <class T> const TClassInfo& BuildClassInfo(const char* name);
}

// Declares the class information of a class derived from TObject (first thing in the body).
#define QW_CLASS(Self, Base)                                                              \
public:                                                                                   \
  using Inherited = Base;                                                                 \
  static const ::platform::TClassInfo& StaticClass() {                                    \
    static const ::platform::TClassInfo& info = ::platform::detail::BuildClassInfo<Self>(#Self); \
    return info;                                                                          \
  }                                                                                       \
  const ::platform::TClassInfo& ClassInfo() const override { return StaticClass(); }    \
                                                                                          \
private:

// The root class.
class TObject {
public:
  virtual ~TObject() = default;
  static const TClassInfo& StaticClass();
  virtual const TClassInfo& ClassInfo() const { return StaticClass(); }
  const std::string& ClassName() const { return ClassInfo().Name; }
  bool InheritsFrom(const TClassInfo& c) const { return ClassInfo().InheritsFrom(c); }
};

// An object with published properties. Remembers which properties a window description
// assigned ("stored"), the rule by which the translation of windows takes properties.
class TPersistent : public TObject {
  QW_CLASS(TPersistent, TObject)
public:
  // Copies the value of another object of a compatible class; the default refuses.
  virtual void Assign(const TPersistent& source);

  void MarkStored(std::string_view prop);
  bool IsStored(std::string_view prop) const;

private:
  std::vector<std::string> stored_;
};

enum class TOperation { opInsert, opRemove };

// Component state flags.
enum : unsigned {
  csLoading = 1,     // a window description is being read into it; ends in Loaded
  csDestroying = 2,  // Free has begun
  csDesigning = 4,   // never set by the programs (kept for the components' own checks)
};

// A component: owner, name, the components it owns in creation order, Tag, removal
// notifications, and the loading phase. Free components with Free (or TFree in smart
// pointers) so that BeforeDestruction runs while the object is still whole; a plain
// delete also works but skips it. An owner frees the components it owns, last first.
class TComponent : public TPersistent {
  QW_CLASS(TComponent, TPersistent)
public:
  explicit TComponent(TComponent* owner);
  ~TComponent() override;
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  static void Publish(TProps<TComponent>& p);

  TComponent* Owner() const { return owner_; }
  const std::string& Name() const { return name_; }
  // An identifier, unique (case-insensitive) among the owner's components, or empty.
  // Raises EComponentError otherwise.
  virtual void SetName(const std::string& name);

  int ComponentCount() const { return static_cast<int>(components_.size()); }
  TComponent* Components(int index) const { return components_.at(static_cast<size_t>(index)); }
  // Among the components this one owns; case-insensitive; nullptr when absent.
  TComponent* FindComponent(std::string_view name) const;

  intptr_t Tag = 0;
  bool Loading() const { return (state_ & csLoading) != 0; }
  bool Destroying() const { return (state_ & csDestroying) != 0; }
  void BeginLoading() { state_ |= csLoading; }

  // Called once a window description has been read into this component (and every other
  // component of the window exists and has its properties). Clears csLoading.
  virtual void Loaded();

  // `component` is being inserted or removed. Owners pass every notification on to all
  // the components they own. A removed component is about to be destroyed (told from
  // Free while it is still whole; after a plain delete, from its destructor: then compare
  // pointers only).
  virtual void Notification(TComponent* component, TOperation operation);
  // Ask to be told when `component` (of any owner) is destroyed; undone automatically.
  void FreeNotification(TComponent* component);
  void RemoveFreeNotification(TComponent* component);

  // Nesting in a window description: the enclosing object of this one. Controls take it
  // as their parent; other components may keep it (a proxy inside its manager).
  virtual void SetParentComponent(TComponent* parent);
  // The owner a window description gives to objects nested in this one; nullptr means
  // the window (the usual case). A notebook owns its pages itself.
  virtual TComponent* OwnerForNested(const TClassInfo& /*cls*/) { return nullptr; }

  // Runs while the object is whole, before the destructors: sets csDestroying and sends
  // the removal notifications.
  virtual void BeforeDestruction();
  // BeforeDestruction, then delete. Null is allowed.
  static void Free(TComponent* component);

protected:
  // Frees the owned components, last first.
  void DestroyComponents();

private:
  void Insert(TComponent* c);
  void Remove(TComponent* c);
  void NotifyRemoval();

  TComponent* owner_ = nullptr;
  std::string name_;
  std::vector<TComponent*> components_;
  std::vector<TComponent*> freeNotifies_;
  unsigned state_ = 0;
  bool removalNotified_ = false;
};

// Deleter for std::unique_ptr<TComponent-derived>.
struct TFree {
  void operator()(TComponent* c) const { TComponent::Free(c); }
};
template <class T> using TOwned = std::unique_ptr<T, TFree>;

// True for names made of letters, digits and '_' that do not start with a digit.
bool IsValidIdent(std::string_view name);
// ASCII case-insensitive equality (names of classes, components and properties).
bool SameName(std::string_view a, std::string_view b);

// ---------------------------------------------------------------------------------------
// Declaring published properties.

template <class T> class TProps {
public:
  explicit TProps(TClassInfo& info) : info_(info) {}

  template <class G, class S = std::nullptr_t> void Int(const char* name, G get, S set = nullptr) {
    TPropInfo& p = Add(name, PropKind::Integer);
    p.GetInt = [get](TObject& o) -> int64_t { return static_cast<int64_t>(std::invoke(get, Self(o))); };
    if constexpr (!std::is_null_pointer_v<S>)
      p.SetInt = [set](TObject& o, int64_t v) { InvokeSet(set, Self(o), v); };
  }
  template <class G, class S = std::nullptr_t> void Bool(const char* name, G get, S set = nullptr) {
    TPropInfo& p = Add(name, PropKind::Bool);
    p.GetInt = [get](TObject& o) -> int64_t { return std::invoke(get, Self(o)) ? 1 : 0; };
    if constexpr (!std::is_null_pointer_v<S>)
      p.SetInt = [set](TObject& o, int64_t v) { std::invoke(set, Self(o), v != 0); };
  }
  // `names` in ordinal order; the value travels as the ordinal. The getter and setter may
  // take the enumeration itself.
  template <class G, class S = std::nullptr_t>
  void Enum(const char* name, std::vector<std::string> names, G get, S set = nullptr) {
    TPropInfo& p = Add(name, PropKind::Enum);
    p.Names = std::move(names);
    p.GetInt = [get](TObject& o) -> int64_t { return static_cast<int64_t>(std::invoke(get, Self(o))); };
    if constexpr (!std::is_null_pointer_v<S>)
      p.SetInt = [set](TObject& o, int64_t v) { InvokeSet(set, Self(o), v); };
  }
  // A set as a bit mask: bit i stands for names[i].
  template <class G, class S = std::nullptr_t>
  void Set(const char* name, std::vector<std::string> names, G get, S set = nullptr) {
    TPropInfo& p = Add(name, PropKind::Set);
    p.Names = std::move(names);
    p.GetInt = [get](TObject& o) -> int64_t { return static_cast<int64_t>(std::invoke(get, Self(o))); };
    if constexpr (!std::is_null_pointer_v<S>)
      p.SetInt = [set](TObject& o, int64_t v) { InvokeSet(set, Self(o), v); };
  }
  template <class G, class S = std::nullptr_t> void Str(const char* name, G get, S set = nullptr) {
    TPropInfo& p = Add(name, PropKind::String);
    p.GetStr = [get](TObject& o) -> std::string { return std::string(std::invoke(get, Self(o))); };
    if constexpr (!std::is_null_pointer_v<S>)
      p.SetStr = [set](TObject& o, const std::string& v) { std::invoke(set, Self(o), v); };
  }
  // A nested object (O derived from TPersistent). The setter, when given, copies the value.
  template <class O, class G, class S = std::nullptr_t> void Obj(const char* name, G get, S set = nullptr) {
    TPropInfo& p = Add(name, PropKind::Object);
    p.ObjectClass = &O::StaticClass();
    p.GetObj = [get](TObject& o) -> TObject* { return static_cast<O*>(std::invoke(get, Self(o))); };
    if constexpr (!std::is_null_pointer_v<S>)
      p.SetObj = [set](TObject& o, TObject* v) { std::invoke(set, Self(o), dynamic_cast<O*>(v)); };
  }
  // A reference to a component (C derived from TComponent), resolved by name.
  template <class C, class G, class S> void Ref(const char* name, G get, S set) {
    TPropInfo& p = Add(name, PropKind::Component);
    p.ObjectClass = &C::StaticClass();
    p.GetObj = [get](TObject& o) -> TObject* { return static_cast<C*>(std::invoke(get, Self(o))); };
    p.SetObj = [set](TObject& o, TObject* v) { std::invoke(set, Self(o), dynamic_cast<C*>(v)); };
  }
  // An event: a std::function data member of T.
  template <class E, class Base> void Event(const char* name, E Base::*member) {
    TPropInfo& p = Add(name, PropKind::Event);
    p.SetEvent = [member](TObject& o, const std::any& v) {
      if (!v.has_value()) {
        Self(o).*member = nullptr;
        return true;
      }
      const E* f = std::any_cast<E>(&v);
      if (f == nullptr) return false;
      Self(o).*member = *f;
      return true;
    };
    p.EventAssigned = [member](TObject& o) { return static_cast<bool>(Self(o).*member); };
  }
  // Bytes stored with the component (not a published property of the translation walk).
  template <class G, class S> void Binary(const char* name, G get, S set) {
    TPropInfo& p = Add(name, PropKind::Binary);
    p.GetStr = [get](TObject& o) -> std::string { return std::invoke(get, Self(o)); };
    p.SetStr = [set](TObject& o, const std::string& v) { std::invoke(set, Self(o), v); };
  }

private:
  static T& Self(TObject& o) { return static_cast<T&>(o); }
  // The parameter type of a setter member function; void for anything else.
  template <class S> struct SetterArg { using type = void; };
  template <class R, class C, class A> struct SetterArg<R (C::*)(A)> { using type = std::remove_cvref_t<A>; };
  template <class S> static void InvokeSet(S set, T& t, int64_t v) {
    using Arg = typename SetterArg<S>::type;
    if constexpr (std::is_invocable_v<S, T&, int>) {
      std::invoke(set, t, static_cast<int>(v));
    } else if constexpr (std::is_enum_v<Arg>) {
      std::invoke(set, t, static_cast<Arg>(static_cast<int>(v)));  // an enumeration setter
    } else {
      std::invoke(set, t, v);
    }
  }
  TPropInfo& Add(const char* name, PropKind kind) {
    info_.Own.emplace_back();
    info_.Own.back().Name = name;
    info_.Own.back().Kind = kind;
    return info_.Own.back();
  }
  TClassInfo& info_;
};

namespace detail {
template <class T>
concept HasOwnPublish = requires(TProps<T>& p) {
  { T::Publish(p) };
};
template <class T> const TClassInfo& BuildClassInfo(const char* name) {
  static TClassInfo info;
  info.Name = name;
  info.Parent = &T::Inherited::StaticClass();
  if constexpr (std::is_base_of_v<TComponent, T> && !std::is_abstract_v<T> &&
                std::is_constructible_v<T, TComponent*>) {
    info.Create = [](TComponent* owner) -> TComponent* { return new T(owner); };
  }
  if constexpr (HasOwnPublish<T>) {
    // Only when T declares Publish itself (the base's takes TProps<Base>&).
    if constexpr (std::is_same_v<decltype(&T::Publish), void (*)(TProps<T>&)>) {
      TProps<T> props(info);
      T::Publish(props);
    }
  }
  return info;
}
}  // namespace detail

}  // namespace platform
