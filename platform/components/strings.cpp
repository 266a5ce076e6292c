#include "platform/components/strings.h"

#include "platform/system/codepage.h"

#include <algorithm>

namespace platform {

namespace {

// Case-insensitive comparison by the ANSI code page's upper case, then bytes.
int CompareText(std::string_view a, std::string_view b) {
  const CodePage& cp = CodePage::Get(AnsiCodePage());
  size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    unsigned char x = cp.Upper(static_cast<unsigned char>(a[i]));
    unsigned char y = cp.Upper(static_cast<unsigned char>(b[i]));
    if (x != y) return x < y ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

}  // namespace

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  size_t i = 0;
  while (i < text.size()) {
    size_t j = i;
    while (j < text.size() && text[j] != '\r' && text[j] != '\n') ++j;
    lines.emplace_back(text.substr(i, j - i));
    if (j < text.size()) {
      if (text[j] == '\r' && j + 1 < text.size() && text[j + 1] == '\n') ++j;
      ++j;
    }
    i = j;
  }
  return lines;
}

TStrings::TStrings(std::initializer_list<std::string> lines) {
  for (const std::string& s : lines) items_.push_back({s, nullptr});
}

void TStrings::Check(int index) const {
  if (index < 0 || index >= Count())
    throw EComponentError("List index out of bounds (" + std::to_string(index) + ")");
}

const std::string& TStrings::operator[](int index) const {
  Check(index);
  return items_[static_cast<size_t>(index)].Text;
}

void TStrings::SetString(int index, const std::string& s) {
  Check(index);
  if (sorted_) {
    void* obj = items_[static_cast<size_t>(index)].Object;
    Delete(index);
    AddObject(s, obj);
    return;
  }
  items_[static_cast<size_t>(index)].Text = s;
  NotifyChanged(index);
  Changed();
}

int TStrings::AddObject(const std::string& s, void* object) {
  int index = Count();
  if (sorted_) {
    if (Find(s, index)) return -1;
  }
  items_.insert(items_.begin() + index, Item{s, object});
  NotifyInserted(index);
  Changed();
  return index;
}

void TStrings::Delete(int index) {
  Check(index);
  items_.erase(items_.begin() + index);
  NotifyDeleted(index);
  Changed();
}

void TStrings::Clear() {
  if (items_.empty()) return;
  items_.clear();
  NotifyReset();
  Changed();
}

void TStrings::Exchange(int a, int b) {
  Check(a);
  Check(b);
  std::swap(items_[static_cast<size_t>(a)], items_[static_cast<size_t>(b)]);
  NotifyChanged(a);
  NotifyChanged(b);
  Changed();
}

int TStrings::IndexOf(std::string_view s) const {
  if (sorted_) {
    int index;
    return Find(s, index) ? index : -1;
  }
  for (int i = 0; i < Count(); ++i)
    if (CompareText(items_[static_cast<size_t>(i)].Text, s) == 0) return i;
  return -1;
}

std::string TStrings::Text() const {
  std::string r;
  for (const Item& it : items_) {
    r += it.Text;
    r += "\r\n";
  }
  return r;
}

void TStrings::SetText(std::string_view text) {
  BeginUpdate();
  items_.clear();
  pending_ = true;
  for (std::string& line : SplitLines(text)) AddObject(line, nullptr);
  EndUpdate();
}

void TStrings::ReplaceLines(std::string_view text) {
  std::vector<std::string> lines = SplitLines(text);
  if (static_cast<int>(lines.size()) != Count() || sorted_) {
    SetText(text);
    return;
  }
  for (int i = 0; i < Count(); ++i) {
    if (items_[static_cast<size_t>(i)].Text == lines[static_cast<size_t>(i)]) continue;
    items_[static_cast<size_t>(i)].Text = lines[static_cast<size_t>(i)];
    NotifyChanged(i);
  }
  Changed();
}

void TStrings::SetSorted(bool sorted) {
  if (sorted == sorted_) return;
  sorted_ = sorted;
  if (sorted_) Sort();
}

void TStrings::Sort() {
  std::stable_sort(items_.begin(), items_.end(),
                   [](const Item& a, const Item& b) { return CompareText(a.Text, b.Text) < 0; });
  NotifyReset();
  Changed();
}

bool TStrings::Find(std::string_view s, int& index) const {
  int lo = 0, hi = Count() - 1;
  bool found = false;
  while (lo <= hi) {
    int mid = (lo + hi) / 2;
    int c = CompareText(items_[static_cast<size_t>(mid)].Text, s);
    if (c < 0) {
      lo = mid + 1;
    } else {
      hi = mid - 1;
      if (c == 0) {
        found = true;
        lo = mid;
      }
    }
  }
  index = lo;
  return found;
}

void TStrings::Assign(const TPersistent& source) {
  const auto* other = dynamic_cast<const TStrings*>(&source);
  if (other == nullptr) {
    TPersistent::Assign(source);
    return;
  }
  if (other == this) return;
  BeginUpdate();
  items_.clear();
  pending_ = true;
  for (const Item& it : other->items_) AddObject(it.Text, it.Object);
  EndUpdate();
}

void TStrings::Assign(const std::vector<std::string>& lines) {
  BeginUpdate();
  items_.clear();
  pending_ = true;
  for (const std::string& s : lines) AddObject(s, nullptr);
  EndUpdate();
}

std::vector<std::string> TStrings::ToVector() const {
  std::vector<std::string> r;
  r.reserve(items_.size());
  for (const Item& it : items_) r.push_back(it.Text);
  return r;
}

void TStrings::BeginUpdate() { ++updateCount_; }

void TStrings::EndUpdate() {
  if (updateCount_ > 0 && --updateCount_ == 0 && pending_) {
    pending_ = false;
    for (Listener* l : std::vector<Listener*>(listeners_)) l->ItemsReset();
    if (OnChange) OnChange(this);
  }
}

void TStrings::AddListener(Listener* l) { listeners_.push_back(l); }
void TStrings::RemoveListener(Listener* l) {
  listeners_.erase(std::remove(listeners_.begin(), listeners_.end(), l), listeners_.end());
}

void TStrings::NotifyInserted(int i) {
  if (updateCount_ > 0) {
    pending_ = true;
    return;
  }
  for (Listener* l : std::vector<Listener*>(listeners_)) l->ItemInserted(i);
}
void TStrings::NotifyDeleted(int i) {
  if (updateCount_ > 0) {
    pending_ = true;
    return;
  }
  for (Listener* l : std::vector<Listener*>(listeners_)) l->ItemDeleted(i);
}
void TStrings::NotifyChanged(int i) {
  if (updateCount_ > 0) {
    pending_ = true;
    return;
  }
  for (Listener* l : std::vector<Listener*>(listeners_)) l->ItemChanged(i);
}
void TStrings::NotifyReset() {
  if (updateCount_ > 0) {
    pending_ = true;
    return;
  }
  for (Listener* l : std::vector<Listener*>(listeners_)) l->ItemsReset();
}
void TStrings::Changed() {
  if (updateCount_ > 0) {
    pending_ = true;
    return;
  }
  if (OnChange) OnChange(this);
}

// --- collections ---------------------------------------------------------------------------

TCollection::TCollection(std::function<std::unique_ptr<TCollectionItem>()> factory) : factory_(std::move(factory)) {}

TCollectionItem* TCollection::Add() {
  items_.push_back(factory_());
  items_.back()->collection_ = this;
  if (OnChange) OnChange(this);
  return items_.back().get();
}

void TCollection::Clear() {
  items_.clear();
  if (OnChange) OnChange(this);
}

}  // namespace platform
