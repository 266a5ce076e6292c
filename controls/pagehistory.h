// The history of visited wizard pages: at most HistoryCapacity page indexes and a cursor.
#pragma once

#include <memory>
#include <vector>

namespace controls {

struct TPageHistoryItem {
  int PageIndex = 0;
};

class TPageHistory {
public:
  TPageHistory() = default;
  ~TPageHistory() { Clear(); }
  TPageHistory(const TPageHistory&) = delete;
  TPageHistory& operator=(const TPageHistory&) = delete;

  int Count() const { return static_cast<int>(items_.size()); }
  const TPageHistoryItem& Items(int index) const { return *items_.at(static_cast<size_t>(index)); }

  int HistoryIndex() const { return historyIndex_; }
  // Clamped to -1 .. Count() - 1.
  void SetHistoryIndex(int index);
  int HistoryCapacity() const { return historyCapacity_; }

  // Drops the entries after HistoryIndex, then the oldest ones while the history is full,
  // appends the page and points HistoryIndex at it.
  void AddPage(int pageIndex);
  // Indexes outside the list are ignored.
  void Delete(int index);
  void Clear();

private:
  std::vector<std::unique_ptr<TPageHistoryItem>> items_;
  int historyIndex_ = -1;
  int historyCapacity_ = 10;
};

}  // namespace controls
