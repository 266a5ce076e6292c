#include "controls/pagehistory.h"

#include <algorithm>

namespace controls {

void TPageHistory::SetHistoryIndex(int index) { historyIndex_ = std::clamp(index, -1, Count() - 1); }

void TPageHistory::AddPage(int pageIndex) {
  for (int i = Count() - 1; i > historyIndex_; --i) Delete(i);
  while (Count() >= historyCapacity_) Delete(0);
  auto item = std::make_unique<TPageHistoryItem>();
  item->PageIndex = pageIndex;
  items_.push_back(std::move(item));
  historyIndex_ = Count() - 1;
}

void TPageHistory::Delete(int index) {
  if (index < 0 || index >= Count()) return;
  items_.erase(items_.begin() + index);
  if (historyIndex_ > Count() - 1) historyIndex_ = Count() - 1;
}

void TPageHistory::Clear() {
  for (int i = Count() - 1; i >= 0; --i) Delete(i);
}

}  // namespace controls
