// Translation of windows: each window's language controller keeps a tree that gives every
// translatable string property of the window and of its named components a numeric id
// (the binary property LangData of the window description), binds it to the live
// components once the window has loaded, takes their texts as the default texts, and on
// every language switch sets each property to its translation or back to its default.
#pragma once

#include "localisation/langfile.h"
#include "localisation/langmanager.h"
#include "platform/components/component.h"
#include "platform/components/strings.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace localisation {

// One translatable property of a component.
struct TLang_PropEntry {
  int32_t Id = 0;
  std::string Path;         // "Caption", "Font.Name", "Items", "Columns[2].Title"
  std::string DefaultText;  // not stored in LangData
  uint8_t Kept = 0;         // used while ids are assigned
};

// Property entries sorted by path without regard to case.
class TLang_PropEntries {
public:
  int Count() const { return static_cast<int>(items_.size()); }
  TLang_PropEntry& operator[](int i) { return items_[static_cast<size_t>(i)]; }
  const TLang_PropEntry& operator[](int i) const { return items_[static_cast<size_t>(i)]; }
  // Binary search; true when found, `index` is the place either way.
  bool Find(std::string_view path, int& index) const;
  // Adds at the sorted place; an existing path keeps its entry (returned).
  TLang_PropEntry& Add(int32_t id, std::string path, std::string defaultText);
  void Delete(int i) { items_.erase(items_.begin() + i); }

private:
  std::vector<TLang_PropEntry> items_;
};

class TLang_CompEntries;

// The entry of one component (the root: the window).
class TLang_CompEntry {
public:
  explicit TLang_CompEntry(TLang_CompEntry* parent = nullptr) : Parent(parent) {}
  ~TLang_CompEntry();

  std::unique_ptr<TLang_PropEntries> Props;     // absent when the component has none
  std::unique_ptr<TLang_CompEntries> Children;  // absent when there are none
  std::string StoredName;                       // used until the entry is bound
  platform::TComponent* Component = nullptr;    // bound component (not owned)
  TLang_CompEntry* Parent = nullptr;

  // The bound component's name, else the stored name.
  std::string Name() const;
  // Names from below the window down to this entry, joined by "." (empty for the root).
  std::string ComponentPath() const;
};

// Owned child entries, in order.
class TLang_CompEntries {
public:
  explicit TLang_CompEntries(TLang_CompEntry* owner) : owner_(owner) {}
  int Count() const { return static_cast<int>(items_.size()); }
  TLang_CompEntry& operator[](int i) { return *items_[static_cast<size_t>(i)]; }
  const TLang_CompEntry& operator[](int i) const { return *items_[static_cast<size_t>(i)]; }
  TLang_CompEntry& Add();
  void Delete(int i) { items_.erase(items_.begin() + i); }
  TLang_CompEntry* Owner() const { return owner_; }

private:
  TLang_CompEntry* owner_;
  std::vector<std::unique_ptr<TLang_CompEntry>> items_;
};

// Wildcard masks, one per line: "*", "?", [set] with ranges a-z and "!" for negation;
// letters without regard to case. A malformed mask fails with ELangError
// "'%s' is an invalid mask at (%d)".
class TLang_MaskList {
public:
  explicit TLang_MaskList(const std::vector<std::string>& masks);
  bool Matches(std::string_view path) const;
  bool Empty() const { return masks_.empty(); }

private:
  std::vector<std::string> masks_;
};

// LangData: replaces the entry's contents from the stored value. Every length is checked;
// a damaged value fails with ELangError and leaves `root` emptied.
void ReadLangData(TLang_CompEntry& root, std::string_view bytes);
// The stored form of the tree (no refresh).
std::string EncodeLangData(const TLang_CompEntry& root);

void BindEntries(TLang_CompEntry& entry, platform::TComponent* component);
struct TRefreshOptions {
  bool AssignIds = false;
  bool IgnoreEmpty = true;
  const TLang_MaskList* Ignore = nullptr;
  const TLang_MaskList* Store = nullptr;
};
void RefreshEntries(TLang_CompEntry& root, const TRefreshOptions& options);
void ApplySectionTo(TLang_CompEntry& entry, const TLang_CompTranslation* section);
void RemoveComponentEntry(TLang_CompEntry& entry, const platform::TComponent* component, bool wholeTree);
// Highest id in the tree (0 without ids).
int32_t HighestId(const TLang_CompEntry& root);

enum : unsigned { lcoAutoSaveLangSource = 1, lcoIgnoreEmptyProps = 2 };

// Lets window descriptions name TLangController; the programs register it beside their
// window classes (a class of the same name registered before stays).
void RegisterLangControllerClass();

class TLangController : public platform::TComponent, public TCustomLangController {
  QW_CLASS(TLangController, platform::TComponent)
public:
  explicit TLangController(platform::TComponent* owner);
  ~TLangController() override;
  static void Publish(platform::TProps<TLangController>& p);

  platform::TStrings* IgnoreList() { return &ignoreList_; }
  void SetIgnoreList(platform::TStrings* s) {
    if (s != nullptr) ignoreList_.Assign(*s);
  }
  platform::TStrings* StoreList() { return &storeList_; }
  void SetStoreList(platform::TStrings* s) {
    if (s != nullptr) storeList_.Assign(*s);
  }
  unsigned Options() const { return options_; }
  void SetOptions(unsigned o) { options_ = o; }

  // The stored value: the tree refreshed with id assignment on, encoded; empty while the
  // root is not bound to a named component.
  std::string LangData();
  void SetLangData(const std::string& bytes);

  TLang_CompEntry& Root() { return *root_; }
  // Refreshes the tree (masks from the two lists).
  void Refresh(bool assignIds);
  // The window's template lines (after a refresh with id assignment on), in tree order.
  std::vector<std::string> TemplateLines();

  // TCustomLangController
  std::string WindowName() const override;
  void ApplySection(const TLang_CompTranslation* section) override;

  // TComponent
  void Loaded() override;
  void Notification(platform::TComponent* component, platform::TOperation operation) override;

  // The published events (sender: the controller).
  platform::TNotifyEvent OnLanguageChangingNotify;
  platform::TNotifyEvent OnLanguageChangedNotify;

private:
  std::unique_ptr<TLang_CompEntry> root_;
  unsigned options_ = lcoAutoSaveLangSource | lcoIgnoreEmptyProps;
  platform::TStrings ignoreList_;
  platform::TStrings storeList_;
};

}  // namespace localisation
