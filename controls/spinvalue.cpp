#include "controls/spinvalue.h"

#include <algorithm>
#include <limits>

namespace controls {

namespace {
constexpr int64_t kSaturate = int64_t{1} << 40;
}

int32_t ClampSpinValue(int64_t v, int32_t min_value, int32_t max_value) {
  if (min_value != max_value) {
    if (v < min_value) return min_value;
    if (v > max_value) return max_value;
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

int32_t SpinValueOfText(std::string_view text, int32_t min_value, int32_t max_value) {
  return ClampSpinValue(ParseSpinText(text), min_value, max_value);
}

int32_t SpinStep(int32_t value, int64_t delta, int32_t min_value, int32_t max_value) {
  return ClampSpinValue(int64_t{value} + delta, min_value, max_value);
}

bool IsAcceptedSpinChar(unsigned char key, char decimal_separator, bool editor_enabled) {
  bool accepted = (key >= '0' && key <= '9') || key == '+' || key == '-' ||
                  key == static_cast<unsigned char>(decimal_separator) || (key < 32 && key != 13);
  if (accepted && !editor_enabled && (key >= 32 || key == 8)) accepted = false;
  return accepted;
}

bool IsAcceptedSpinInsertion(std::string_view text, char decimal_separator, bool editor_enabled) {
  return std::all_of(text.begin(), text.end(), [&](char c) {
    const auto key = static_cast<unsigned char>(c);
    return key >= 32 && IsAcceptedSpinChar(key, decimal_separator, editor_enabled);
  });
}

int SpinMinimumHeight(int border_height, int screen_font_height, int font_height) {
  return 4 * border_height + font_height + std::min(screen_font_height, font_height) / 4 + 2;
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

TSpinBounds SpinColumnBounds(int width, int height, int column_width, bool new_style, bool ctl3d) {
  if (new_style && ctl3d) return {width - column_width - 4, 0, column_width, height - 4};
  return {width - column_width, 1, column_width, height - 3};
}

}  // namespace controls
