#include "controls/pagehistory.h"

#include <algorithm>

namespace controls {

void TPageHistory::SetHistoryIndex(int index) {
  history_index_ = std::clamp(index, -1, Count() - 1);
}

void TPageHistory::AddPage(int page_index) {
  for (int i = Count() - 1; i > history_index_; --i) Delete(i);
  while (Count() >= history_capacity_) Delete(0);
  auto item = std::make_unique<TPageHistoryItem>();
  item->PageIndex = page_index;
  items_.push_back(std::move(item));
  history_index_ = Count() - 1;
}

void TPageHistory::Delete(int index) {
  if (index < 0 || index >= Count()) return;
  items_.erase(items_.begin() + index);
  if (history_index_ > Count() - 1) history_index_ = Count() - 1;
}

void TPageHistory::Clear() {
  for (int i = Count() - 1; i >= 0; --i) Delete(i);
}

}  // namespace controls
