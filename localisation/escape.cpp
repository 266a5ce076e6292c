#include "localisation/escape.h"

namespace localisation {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::string UnescapeText(std::string_view value) {
  std::string out;
  out.reserve(value.size());
  for (size_t i = 0; i < value.size(); ++i) {
    char c = value[i];
    if (c == '\\' && i + 1 < value.size()) {
      char next = value[i + 1];
      if (next == '\\') {
        out += '\\';
        ++i;
        continue;
      }
      if (next == 'n') {
        out += "\r\n";
        ++i;
        continue;
      }
      if (next == 't') {
        out += '\t';
        ++i;
        continue;
      }
      if (IsDigit(next) && i + 2 < value.size() && IsDigit(value[i + 2])) {
        out += static_cast<char>((next - '0') * 10 + (value[i + 2] - '0'));
        i += 2;
        continue;
      }
    }
    out += c;
  }
  return out;
}

std::string EscapeText(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 8);
  for (size_t i = 0; i < text.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (c == '\t') {
      out += "\\t";
    } else if (c == '\r' || c == '\n') {
      out += "\\n";
      char pair = c == '\r' ? '\n' : '\r';
      if (i + 1 < text.size() && text[i + 1] == pair) ++i;
    } else if (c == '\\') {
      out += "\\\\";
    } else if (c < 32) {
      out += '\\';
      out += static_cast<char>('0' + c / 10);
      out += static_cast<char>('0' + c % 10);
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

std::string EscapeTemplateText(std::string_view text) {
  std::string escaped = EscapeText(text);
  size_t lead = 0;
  while (lead < escaped.size() && escaped[lead] == ' ') ++lead;
  if (lead == escaped.size()) {
    std::string out;
    for (size_t i = 0; i < lead; ++i) out += "\\32";
    return out;
  }
  size_t trail = 0;
  while (escaped[escaped.size() - 1 - trail] == ' ') ++trail;
  std::string out;
  for (size_t i = 0; i < lead; ++i) out += "\\32";
  out.append(escaped, lead, escaped.size() - lead - trail);
  for (size_t i = 0; i < trail; ++i) out += "\\32";
  return out;
}

std::optional<int32_t> ParseInteger(std::string_view text) {
  size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  bool hex = false;
  if (i < text.size() && text[i] == '$') {
    hex = true;
    ++i;
  } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    hex = true;
    i += 2;
  }
  if (i == text.size()) return std::nullopt;
  uint64_t value = 0;
  for (; i < text.size(); ++i) {
    char c = text[i];
    unsigned digit;
    if (IsDigit(c)) {
      digit = static_cast<unsigned>(c - '0');
    } else if (hex && c >= 'a' && c <= 'f') {
      digit = static_cast<unsigned>(c - 'a' + 10);
    } else if (hex && c >= 'A' && c <= 'F') {
      digit = static_cast<unsigned>(c - 'A' + 10);
    } else {
      return std::nullopt;
    }
    value = value * (hex ? 16 : 10) + digit;
    if (value > 0xFFFFFFFFull) return std::nullopt;
  }
  if (hex) {
    // Hexadecimal fills the 32 bits: "$FFFFFFFF" is -1.
    int32_t v = static_cast<int32_t>(static_cast<uint32_t>(value));
    return negative ? static_cast<int32_t>(0u - static_cast<uint32_t>(v)) : v;
  }
  if (negative) {
    if (value > 2147483648ull) return std::nullopt;
    return static_cast<int32_t>(-static_cast<int64_t>(value));
  }
  if (value > 2147483647ull) return std::nullopt;
  return static_cast<int32_t>(value);
}

std::string_view TrimBlanks(std::string_view text) {
  size_t b = 0, e = text.size();
  while (b < e && static_cast<unsigned char>(text[b]) <= 32) ++b;
  while (e > b && static_cast<unsigned char>(text[e - 1]) <= 32) --e;
  return text.substr(b, e - b);
}

}  // namespace localisation
