#include "controls/spinvalue.h"

#include <algorithm>
#include <limits>

namespace controls {

namespace {
constexpr int64_t kSaturate = int64_t{1} << 40;
}

int32_t ClampSpinValue(int64_t v, int32_t minValue, int32_t maxValue) {
  if (minValue != maxValue) {
    if (v < minValue) return minValue;
    if (v > maxValue) return maxValue;
  }
  return static_cast<int32_t>(
      std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

int64_t ParseSpinText(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  int64_t v = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) v = std::min(kSaturate, v * 10 + (text[i] - '0'));
  return negative ? -v : v;
}

int32_t SpinValueOfText(std::string_view text, int32_t minValue, int32_t maxValue) {
  return ClampSpinValue(ParseSpinText(text), minValue, maxValue);
}

int32_t SpinStep(int32_t value, int64_t delta, int32_t minValue, int32_t maxValue) {
  return ClampSpinValue(int64_t{value} + delta, minValue, maxValue);
}

bool IsAcceptedSpinChar(unsigned char key, char decimalSeparator, bool editorEnabled) {
  bool accepted = (key >= '0' && key <= '9') || key == '+' || key == '-' ||
                  key == static_cast<unsigned char>(decimalSeparator) || (key < 32 && key != 13);
  if (accepted && !editorEnabled && (key >= 32 || key == 8)) accepted = false;
  return accepted;
}

bool IsAcceptedSpinInsertion(std::string_view text, char decimalSeparator, bool editorEnabled) {
  return std::all_of(text.begin(), text.end(), [&](char c) {
    const auto key = static_cast<unsigned char>(c);
    return key >= 32 && IsAcceptedSpinChar(key, decimalSeparator, editorEnabled);
  });
}

int SpinMinimumHeight(int borderHeight, int screenFontHeight, int fontHeight) {
  return 4 * borderHeight + fontHeight + std::min(screenFontHeight, fontHeight) / 4 + 2;
}

TSpinColumnLayout ArrangeSpinButtons(int height) {
  TSpinColumnLayout l;
  l.Height = std::max(height, 13);
  const int half = l.Height / 2;
  l.Up = {0, 0, 13, half - 1};
  l.Slider = {0, half - 2, 13, 4};
  l.Down = {0, l.Height - half + 2, 13, half - 1};
  return l;
}

TSpinBounds SpinColumnBounds(int width, int height, int columnWidth, bool newStyle, bool ctl3d) {
  if (newStyle && ctl3d) return {width - columnWidth - 4, 0, columnWidth, height - 4};
  return {width - columnWidth, 1, columnWidth, height - 3};
}

}  // namespace controls
