// Escapes of language-file values and the integer reading shared by the language files.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace localisation {

// "\\" -> "\", "\n" -> CR LF, "\t" -> TAB, "\" + two digits -> that byte (decimal);
// any other backslash stays as it is.
std::string UnescapeText(std::string_view value);
// TAB -> "\t", a line break (CR LF, LF CR, CR or LF) -> "\n", "\" -> "\\", other bytes
// below 32 -> "\00".."\31"; every other byte unchanged.
std::string EscapeText(std::string_view text);
// EscapeText, and blanks at either end written as "\32" so that they survive the trimming
// of values when the line is read back.
std::string EscapeTemplateText(std::string_view text);

// Decimal with an optional sign (leading zeros read as decimal), or hexadecimal after "$"
// or "0x"; none when the text is not such a number or leaves the 32-bit range.
std::optional<int32_t> ParseInteger(std::string_view text);
inline int32_t IntegerOr(std::string_view text, int32_t fallback) {
  return ParseInteger(text).value_or(fallback);
}

// Removes every byte with code 32 or below from both ends.
std::string_view TrimBlanks(std::string_view text);

}  // namespace localisation
