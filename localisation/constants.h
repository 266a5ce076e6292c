// Named texts: the error class of the localisation code, identifiers and the sorted table of
// named texts ("constants") with its built-in byte layout.
#pragma once

#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace localisation {

class ELangError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// First character a letter or "_", the others letters, digits or "_" (ASCII letters).
bool IsValidIdent(std::string_view name);
// Names compared with ASCII letters folded to upper case, then by bytes: <0, 0, >0.
int CompareNames(std::string_view a, std::string_view b);

struct TLang_Constant {
  std::string Name;
  std::string Text;         // current text
  std::string BuiltInText;  // the text the program was built with
  uint8_t Flags = 0;
};

// The named texts, kept sorted by CompareNames.
class TLang_Constants {
public:
  static constexpr std::string_view kSectionName = "$CONSTANTS";

  int Count() const { return static_cast<int>(items_.size()); }
  const TLang_Constant& operator[](int index) const { return items_[static_cast<size_t>(index)]; }
  TLang_Constant& operator[](int index) { return items_[static_cast<size_t>(index)]; }

  // Binary search; on a miss `index` is the insertion place.
  bool Find(std::string_view name, int& index) const;
  int IndexOf(std::string_view name) const;  // -1 when absent
  // AddConstant: ELangError "Invalid constant name ("%s")" / "Duplicate constant name ("%s")".
  int Add(std::string_view name, std::string_view text, uint8_t flags = 0);
  void Clear() { items_.clear(); }

  // "name=" + escaped current text for every named text with none of the bits of `mask`,
  // in table order.
  std::vector<std::string> TemplateLines(uint8_t mask = 0) const;

  uint8_t Flag = 0;  // flag byte of the built-in resource

private:
  std::vector<TLang_Constant> items_;
};

// One record of a program's built-in table.
struct TBuiltInText {
  std::string_view Name;
  std::string_view Text;
};

// The built-in resource layout (little-endian): flag byte, i32 count, then per record u16
// name length, name, u16 text length, text; a zero byte at the end. Records in name order.
std::string EncodeLangConsts(std::span<const TBuiltInText> texts, uint8_t flag = 1);
// Empties `table` and fills it from the resource bytes (AddConstant with flag 0 each).
// A truncated resource fails with ELangError.
void LoadLangConsts(TLang_Constants& table, std::string_view resource);

// The built-in tables of the two programs.
std::span<const TBuiltInText> QuirewrightTexts();
std::span<const TBuiltInText> GlyphkilnTexts();

}  // namespace localisation
