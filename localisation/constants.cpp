#include "localisation/constants.h"

#include <algorithm>

#include "localisation/escape.h"

namespace localisation {

namespace {

bool IsIdentStart(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }

unsigned char FoldAscii(char c) {
  unsigned char u = static_cast<unsigned char>(c);
  return (u >= 'a' && u <= 'z') ? static_cast<unsigned char>(u - 32) : u;
}

void PutU16(std::string& out, size_t v) {
  out += static_cast<char>(v & 0xFF);
  out += static_cast<char>((v >> 8) & 0xFF);
}

class Reader {
public:
  explicit Reader(std::string_view bytes) : bytes_(bytes) {}
  std::string_view Take(size_t n) {
    if (bytes_.size() - pos_ < n) throw ELangError("Built-in text table is damaged");
    std::string_view r = bytes_.substr(pos_, n);
    pos_ += n;
    return r;
  }
  uint32_t Uint(size_t width) {
    std::string_view b = Take(width);
    uint32_t v = 0;
    for (size_t i = width; i-- > 0;) v = (v << 8) | static_cast<unsigned char>(b[i]);
    return v;
  }

private:
  std::string_view bytes_;
  size_t pos_ = 0;
};

}  // namespace

bool IsValidIdent(std::string_view name) {
  if (name.empty() || !IsIdentStart(name[0])) return false;
  return std::all_of(name.begin() + 1, name.end(),
                     [](char c) { return IsIdentStart(c) || (c >= '0' && c <= '9'); });
}

int CompareNames(std::string_view a, std::string_view b) {
  size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    unsigned char x = FoldAscii(a[i]), y = FoldAscii(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

bool TLang_Constants::Find(std::string_view name, int& index) const {
  int low = 0, high = Count() - 1;
  while (low <= high) {
    int middle = (low + high) / 2;
    int c = CompareNames(items_[static_cast<size_t>(middle)].Name, name);
    if (c == 0) {
      index = middle;
      return true;
    }
    if (c < 0) {
      low = middle + 1;
    } else {
      high = middle - 1;
    }
  }
  index = low;
  return false;
}

int TLang_Constants::IndexOf(std::string_view name) const {
  int index;
  return Find(name, index) ? index : -1;
}

int TLang_Constants::Add(std::string_view name, std::string_view text, uint8_t flags) {
  if (!IsValidIdent(name)) throw ELangError("Invalid constant name (\"" + std::string(name) + "\")");
  int index;
  if (Find(name, index)) throw ELangError("Duplicate constant name (\"" + std::string(name) + "\")");
  TLang_Constant c{std::string(name), std::string(text), std::string(text), flags};
  items_.insert(items_.begin() + index, std::move(c));
  return index;
}

std::vector<std::string> TLang_Constants::TemplateLines(uint8_t mask) const {
  std::vector<std::string> lines;
  for (const TLang_Constant& c : items_) {
    if (c.Flags & mask) continue;
    lines.push_back(c.Name + "=" + EscapeTemplateText(c.Text));
  }
  return lines;
}

std::string EncodeLangConsts(std::span<const TBuiltInText> texts, uint8_t flag) {
  std::vector<TBuiltInText> sorted(texts.begin(), texts.end());
  std::stable_sort(sorted.begin(), sorted.end(), [](const TBuiltInText& a, const TBuiltInText& b) {
    return CompareNames(a.Name, b.Name) < 0;
  });
  std::string out;
  out += static_cast<char>(flag);
  uint32_t n = static_cast<uint32_t>(sorted.size());
  for (int i = 0; i < 4; ++i) out += static_cast<char>((n >> (8 * i)) & 0xFF);
  for (const TBuiltInText& t : sorted) {
    PutU16(out, t.Name.size());
    out += t.Name;
    PutU16(out, t.Text.size());
    out += t.Text;
  }
  out += '\0';
  return out;
}

void LoadLangConsts(TLang_Constants& table, std::string_view resource) {
  table.Clear();
  Reader r(resource);
  table.Flag = static_cast<uint8_t>(r.Uint(1));
  int32_t count = static_cast<int32_t>(r.Uint(4));
  for (int32_t i = 0; i < count; ++i) {
    std::string_view name = r.Take(r.Uint(2));
    std::string_view text = r.Take(r.Uint(2));
    table.Add(name, text, 0);
  }
}

}  // namespace localisation
