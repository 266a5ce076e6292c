#include "controls/spinvalue.h"

#include <gtest/gtest.h>

#include <climits>

namespace controls {
namespace {

TEST(SpinValue, TextToValueTable) {
  struct {
    const char* text;
    int32_t min, max, want;
  } cases[] = {
      {"", 64, 16384, 64},           // emptied JAR limit box
      {"12.5", 0, 100, 12},          // the fraction is cut
      {"007", 0, 100, 7},
      {"  42", 0, 100, 42},          // leading blanks
      {"-12.5", -100, 100, -12},     // a typed sign is kept
      {"+9", 0, 100, 9},
      {"-", 0, 0, 0},                // a lone sign
      {"abc", 5, 10, 5},             // no digit: 0, clamped
      {"-250", 0, 0, -250},          // equal bounds: no bounds
      {"99999999999999999999", 0, 0, INT32_MAX},  // saturates instead of overflowing
      {"-99999999999999999999", 0, 0, INT32_MIN},
      {"5000000000", 1, 10, 10},
      {"3", 10, 1, 10},              // MinValue above MaxValue: below the minimum
      {"11", 10, 1, 1},              // any other value above the maximum
      {"0x1F", 0, 0, 0},             // decimal only
  };
  for (const auto& c : cases) EXPECT_EQ(SpinValueOfText(c.text, c.min, c.max), c.want) << '"' << c.text << '"';
}

TEST(SpinValue, SteppingNeverOverflows) {
  struct {
    int32_t value;
    int64_t delta;
    int32_t min, max, want;
  } cases[] = {
      {100, 1024, 0, 1000, 1000},
      {INT32_MAX, 1, 0, 0, INT32_MAX},
      {INT32_MIN, -1, 0, 0, INT32_MIN},
      {INT32_MAX - 1, INT32_MAX, INT32_MIN, INT32_MAX, INT32_MAX},
      {5, -1, 0, 10, 4},
      {0, -1, 0, 10, 0},
  };
  for (const auto& c : cases)
    EXPECT_EQ(SpinStep(c.value, c.delta, c.min, c.max), c.want) << c.value << " + " << c.delta;
}

TEST(SpinValue, CharacterTable) {
  struct {
    unsigned char key;
    bool enabledEditor, disabledEditor;
  } cases[] = {
      {'0', true, false}, {'9', true, false}, {'+', true, false}, {'-', true, false}, {'.', true, false},
      {',', false, false}, {'a', false, false}, {' ', false, false}, {13, false, false},  // Enter
      {8, true, false},   // backspace
      {3, true, true},    // other control characters (copy)
      {200, false, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsAcceptedSpinChar(c.key, '.', true), c.enabledEditor) << int(c.key);
    EXPECT_EQ(IsAcceptedSpinChar(c.key, '.', false), c.disabledEditor) << int(c.key);
  }
  EXPECT_TRUE(IsAcceptedSpinChar(',', ',', true));  // the locale's separator
}

TEST(SpinValue, InsertionsPassTheSameFilter) {
  EXPECT_TRUE(IsAcceptedSpinInsertion("-12.5", '.', true));
  EXPECT_TRUE(IsAcceptedSpinInsertion("", '.', true));
  EXPECT_FALSE(IsAcceptedSpinInsertion("12a", '.', true));
  EXPECT_FALSE(IsAcceptedSpinInsertion("1\n2", '.', true));
  EXPECT_FALSE(IsAcceptedSpinInsertion("12", '.', false));
}

TEST(SpinValue, Geometry) {
  EXPECT_EQ(SpinMinimumHeight(1, 16, 13), 4 + 13 + 3 + 2);
  EXPECT_EQ(SpinMinimumHeight(1, 8, 13), 4 + 13 + 2 + 2);

  TSpinColumnLayout l = ArrangeSpinButtons(18);
  EXPECT_EQ(l.Width, 13);
  auto same = [](TSpinBounds b, TSpinBounds w) {
    return b.Left == w.Left && b.Top == w.Top && b.Width == w.Width && b.Height == w.Height;
  };
  EXPECT_TRUE(same(l.Up, {0, 0, 13, 8}));
  EXPECT_TRUE(same(l.Slider, {0, 7, 13, 4}));
  EXPECT_TRUE(same(l.Down, {0, 11, 13, 8}));
  EXPECT_EQ(ArrangeSpinButtons(4).Height, 13);

  // A box 22 high with new-style controls: the column is 18 high, 4 from the right.
  TSpinBounds b = SpinColumnBounds(80, 22, 13, true, true);
  EXPECT_TRUE(same(b, {63, 0, 13, 18}));
  TSpinBounds flat = SpinColumnBounds(80, 22, 13, true, false);
  EXPECT_TRUE(same(flat, {67, 1, 13, 19}));
}

}  // namespace
}  // namespace controls
