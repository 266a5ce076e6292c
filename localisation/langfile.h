// Language files (*.lng): the translations object, its parser and loaders.
//
//   ; comment
//   LANGID=1049            header parameters, up to the first section
//   [$CONSTANTS]
//   TooManyMidletsMsg=...  translated named texts (escaped)
//   [Form1]
//   00000062=...           translated window properties by id (escaped)
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "localisation/constants.h"
#include "localisation/resources.h"

namespace localisation {

// A source that cannot be opened (file or resource).
class EFOpenError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

struct TLang_PropTranslation {
  int32_t Id = 0;
  std::string Text;  // unescaped
  uint8_t Flags = 0;
};

// The translations of one window, sorted by id.
class TLang_CompTranslation {
public:
  explicit TLang_CompTranslation(std::string name) : name_(std::move(name)) {}
  const std::string& Name() const { return name_; }
  int Count() const { return static_cast<int>(entries_.size()); }
  const TLang_PropTranslation& operator[](int index) const { return entries_[static_cast<size_t>(index)]; }
  int IndexOf(int32_t id) const;  // -1 when absent
  // The translated text of `id`, or none.
  const std::string* TextOf(int32_t id) const;
  // ELangError "Duplicate property value translation ID (%d)" for an id already held.
  void Add(int32_t id, std::string text);

private:
  bool Find(int32_t id, int& index) const;
  std::string name_;
  std::vector<TLang_PropTranslation> entries_;
};

class TLang_CompTranslations {
public:
  // Sections in order of first appearance.
  const std::vector<TLang_CompTranslation>& Sections() const { return sections_; }
  std::vector<TLang_CompTranslation>& Sections() { return sections_; }
  // Section whose name equals `name` without regard to case, or none.
  const TLang_CompTranslation* FindSection(std::string_view name) const;
  TLang_CompTranslation* FindSection(std::string_view name);

  // Header parameters (names without regard to case); "" when absent.
  const std::vector<std::pair<std::string, std::string>>& Params() const { return params_; }
  std::string Param(std::string_view name) const;
  // An empty value removes the parameter.
  void SetParam(std::string_view name, std::string_view value);

  TLang_Constants& Constants() { return constants_; }
  const TLang_Constants& Constants() const { return constants_; }

  void Clear();

  // Loaders: open the source (EFOpenError when it cannot be) and parse it.
  void LoadFromFile(const std::string& path, bool headerOnly);
  void LoadFromResource(HModule module, std::string_view name, bool headerOnly);
  void LoadFromResource(HModule module, int id, bool headerOnly);

private:
  std::vector<TLang_CompTranslation> sections_;
  std::vector<std::pair<std::string, std::string>> params_;
  TLang_Constants constants_;
};

// Empties `tr` and fills it from `source`; with `headerOnly` reading stops at the first
// section line. A failing line raises ELangError "Loading translations failed.\r\nLine %d: %s"
// (zero-based line); `tr` then holds what was read before it.
void ParseLanguageText(TLang_CompTranslations& tr, std::string_view source, bool headerOnly);

// A window's template line: component path (names joined by "." and ending in ".", empty
// for the window itself), property path, "=", the id in eight digits, "," and the escaped
// default text. Translators turn it into an "id=text" line of the window's section.
std::string ControllerTemplateLine(std::string_view componentPath, std::string_view propertyPath, int32_t id,
                                   std::string_view defaultText);

}  // namespace localisation
