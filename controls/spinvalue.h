// The value rules of the integer spin edit, free of any window: reading the box's text,
// clamping to the bounds, stepping, and which typed characters the box accepts.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace controls {

// `v` clamped to MinValue..MaxValue; equal bounds mean no bounds (then only the 32-bit
// range applies). MinValue above MaxValue: below MinValue gives MinValue, any other value
// above MaxValue gives MaxValue.
int32_t ClampSpinValue(int64_t v, int32_t minValue, int32_t maxValue);

// The text read as a decimal number: leading blanks skipped, one optional sign kept, then
// the leading digits; anything after them is ignored; no digit gives 0. Saturates far
// outside the 32-bit range instead of overflowing.
int64_t ParseSpinText(std::string_view text);

// The box's value: the parsed text, clamped.
int32_t SpinValueOfText(std::string_view text, int32_t minValue, int32_t maxValue);

// Value + delta without overflow, clamped.
int32_t SpinStep(int32_t value, int64_t delta, int32_t minValue, int32_t maxValue);

// Digits, '+', '-', the locale's decimal separator and the control characters other than
// carriage return. Without `editorEnabled` only control characters other than backspace
// and carriage return pass.
bool IsAcceptedSpinChar(unsigned char key, char decimalSeparator, bool editorEnabled);

// Text inserted into the box by any means (typing, pasting, dropping, an input method)
// passes only when each of its characters is an accepted printable character.
bool IsAcceptedSpinInsertion(std::string_view text, char decimalSeparator, bool editorEnabled);

// The minimum box height: 4 x border height + T + min(S, T) / 4 + 2, where S is the
// character height of the screen's default font and T that of the box's font.
int SpinMinimumHeight(int borderHeight, int screenFontHeight, int fontHeight);

struct TSpinBounds {
  int Left = 0, Top = 0, Width = 0, Height = 0;
};

// The three buttons of the column for a requested height: width 13, height at least 13.
struct TSpinColumnLayout {
  int Width = 13, Height = 13;
  TSpinBounds Up, Slider, Down;
};
TSpinColumnLayout ArrangeSpinButtons(int height);

// Where the column stands inside a box of `width` x `height` (the box's own coordinates).
TSpinBounds SpinColumnBounds(int width, int height, int columnWidth, bool newStyle, bool ctl3d);

}  // namespace controls
