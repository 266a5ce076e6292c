// String lists (the items of combo boxes, list boxes and radio groups, the lines of memos,
// the mask lists of the language controller) and collections of persistent items.
#pragma once

#include "platform/components/component.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace platform {

// A list of 8-bit strings, each with an optional object pointer (not owned).
// Controls that show a list listen to its changes item by item.
class TStrings : public TPersistent {
  QW_CLASS(TStrings, TPersistent)
public:
  // What a showing control hears. Index -1 with Reset: everything changed.
  struct Listener {
    virtual ~Listener() = default;
    virtual void ItemInserted(int index) = 0;
    virtual void ItemDeleted(int index) = 0;
    virtual void ItemChanged(int index) = 0;
    virtual void ItemsReset() = 0;
  };

  TStrings() = default;
  TStrings(std::initializer_list<std::string> lines);

  int Count() const { return static_cast<int>(items_.size()); }
  const std::string& operator[](int index) const;
  const std::string& Strings(int index) const { return (*this)[index]; }
  void SetString(int index, const std::string& s);

  // Sorted lists insert at the sorted place and keep no duplicates; returns the index, or -1
  // when a sorted list held the string already.
  int Add(const std::string& s) { return AddObject(s, nullptr); }
  int AddObject(const std::string& s, void* object);
  void Delete(int index);
  void Clear();
  void Exchange(int a, int b);
  // Case-insensitive by the ANSI code page, as the lists of the system compare.
  int IndexOf(std::string_view s) const;

  // Every line followed by CR LF. Setting splits at CR LF, LF or CR (a last line break adds
  // no empty line) and replaces the whole list.
  std::string Text() const;
  void SetText(std::string_view text);
  // Like SetText, but when the new text has as many lines as the list, the lines are
  // replaced one by one so that a showing control keeps its selected item.
  void ReplaceLines(std::string_view text);

  bool Sorted() const { return sorted_; }
  void SetSorted(bool sorted);
  // Binary search in a sorted list: true when found; `index` is the place either way.
  bool Find(std::string_view s, int& index) const;

  void Assign(const TPersistent& source) override;
  void Assign(const std::vector<std::string>& lines);
  std::vector<std::string> ToVector() const;

  // Batch changes: listeners hear one Reset at the end.
  void BeginUpdate();
  void EndUpdate();

  void AddListener(Listener* l);
  void RemoveListener(Listener* l);
  TNotifyEvent OnChange;

private:
  struct Item {
    std::string Text;
    void* Object = nullptr;
  };
  void Check(int index) const;
  void Sort();
  void NotifyInserted(int i);
  void NotifyDeleted(int i);
  void NotifyChanged(int i);
  void NotifyReset();
  void Changed();

  std::vector<Item> items_;
  bool sorted_ = false;
  int updateCount_ = 0;
  bool pending_ = false;
  std::vector<Listener*> listeners_;
};

// Splits at CR LF, LF or CR; a final line break adds no empty line.
std::vector<std::string> SplitLines(std::string_view text);

class TCollection;

// One item of a collection; publishes its own properties.
class TCollectionItem : public TPersistent {
  QW_CLASS(TCollectionItem, TPersistent)
public:
  TCollectionItem() = default;
  TCollection* Collection() const { return collection_; }

private:
  friend class TCollection;
  TCollection* collection_ = nullptr;
};

// An owned list of items of one class, made by the factory given at construction.
class TCollection : public TPersistent {
  QW_CLASS(TCollection, TPersistent)
public:
  explicit TCollection(std::function<std::unique_ptr<TCollectionItem>()> factory);
  int Count() const { return static_cast<int>(items_.size()); }
  TCollectionItem* Items(int index) const { return items_.at(static_cast<size_t>(index)).get(); }
  TCollectionItem* Add();
  void Clear();
  TNotifyEvent OnChange;

private:
  std::function<std::unique_ptr<TCollectionItem>()> factory_;
  std::vector<std::unique_ptr<TCollectionItem>> items_;
};

}  // namespace platform
