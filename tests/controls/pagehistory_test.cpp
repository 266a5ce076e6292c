#include "controls/pagehistory.h"

#include <gtest/gtest.h>

#include <vector>

namespace controls {
namespace {

std::vector<int> Pages(const TPageHistory& h) {
  std::vector<int> out;
  for (int i = 0; i < h.Count(); ++i) out.push_back(h.Items(i).PageIndex);
  return out;
}

TEST(PageHistory, StartsEmptyWithCapacityTen) {
  TPageHistory h;
  EXPECT_EQ(h.Count(), 0);
  EXPECT_EQ(h.HistoryIndex(), -1);
  EXPECT_EQ(h.HistoryCapacity(), 10);
}

TEST(PageHistory, KeepsTheLastTenPages) {
  TPageHistory h;
  for (int p = 0; p < 13; ++p) h.AddPage(p);
  EXPECT_EQ(Pages(h), (std::vector<int>{3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));
  EXPECT_EQ(h.HistoryIndex(), 9);
}

TEST(PageHistory, AddingAfterGoingBackDropsTheForwardEntries) {
  TPageHistory h;
  for (int p : {0, 1, 2, 3}) h.AddPage(p);
  h.SetHistoryIndex(1);
  h.AddPage(7);
  EXPECT_EQ(Pages(h), (std::vector<int>{0, 1, 7}));
  EXPECT_EQ(h.HistoryIndex(), 2);
}

TEST(PageHistory, IndexIsClampedAndDeleteIgnoresBadIndexes) {
  TPageHistory h;
  h.SetHistoryIndex(5);
  EXPECT_EQ(h.HistoryIndex(), -1);
  for (int p : {4, 5, 6}) h.AddPage(p);
  h.SetHistoryIndex(99);
  EXPECT_EQ(h.HistoryIndex(), 2);
  h.SetHistoryIndex(-7);
  EXPECT_EQ(h.HistoryIndex(), -1);
  h.Delete(3);
  h.Delete(-1);
  EXPECT_EQ(h.Count(), 3);
  h.SetHistoryIndex(2);
  h.Delete(2);  // the cursor follows the last entry
  EXPECT_EQ(h.HistoryIndex(), 1);
  h.Clear();
  EXPECT_EQ(h.Count(), 0);
  EXPECT_EQ(h.HistoryIndex(), -1);
}

}  // namespace
}  // namespace controls
