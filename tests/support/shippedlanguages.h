// The language files the programs ship (data/languages/<program>/) against what the program
// asks of them now: every named text and every window property with an id translated.
// Include only from test sources (QW_SOURCE_DIR and QW_BIN_DIR name the trees).
#pragma once

#include "localisation/constants.h"
#include "localisation/escape.h"
#include "localisation/langfile.h"
#include "support/tempdir.h"

#include <algorithm>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace shippedlanguages {

// One shipped file: its name in data/languages/<program>/, the language id it must register
// under and its language name as written in the file (bytes of its code page).
struct TShippedFile {
  const char* File;
  int LangId;
  const char* LangName;
};

// What may stay as it is in English: names, numbers, file patterns.
struct TKeptTexts {
  std::set<std::string> Constants;   // named texts
  std::set<std::string> Properties;  // window property paths ("UrlLabel2.URL")
  std::set<std::string> MayBeEmpty;  // named texts that are empty in English too
};

// One line of a window template: "Path=00000012,text".
struct TTemplateEntry {
  std::string Path;
  int Id = 0;
  std::string Text;  // unescaped default text
};

inline std::vector<TTemplateEntry> WindowTemplate(const std::vector<std::string>& lines) {
  std::vector<TTemplateEntry> out;
  for (const std::string& line : lines) {
    const std::size_t eq = line.find('=');
    const std::size_t comma = line.find(',', eq);
    if (eq == std::string::npos || comma == std::string::npos) continue;
    out.push_back({line.substr(0, eq), std::atoi(line.substr(eq + 1, comma - eq - 1).c_str()),
                   localisation::UnescapeText(line.substr(comma + 1))});
  }
  return out;
}

// Every way `tr` falls short of the program's template, one line each, naming the file, the
// entry and its English text, so that a missing translation is quick to add.
inline std::vector<std::string> CoverageFaults(const std::string& file, const localisation::TLang_Constants& builtIn,
                                               const std::string& window,
                                               const std::vector<TTemplateEntry>& windowTemplate,
                                               const localisation::TLang_CompTranslations& tr, const TKeptTexts& kept) {
  std::vector<std::string> faults;
  const localisation::TLang_Constants& texts = tr.Constants();
  for (int i = 0; i < builtIn.Count(); ++i) {
    const localisation::TLang_Constant& c = builtIn[i];
    const int at = texts.IndexOf(c.Name);
    const std::string where = file + ": [$CONSTANTS] " + c.Name + "=" + localisation::EscapeText(c.BuiltInText);
    if (at < 0) faults.push_back(where + " is missing");
    else if (texts[at].Text.empty() && !kept.MayBeEmpty.contains(c.Name)) faults.push_back(where + " is empty");
    else if (texts[at].Text == c.BuiltInText && !c.BuiltInText.empty() && !kept.Constants.contains(c.Name))
      faults.push_back(where + " is left in English");
  }
  for (int i = 0; i < texts.Count(); ++i)
    if (builtIn.IndexOf(texts[i].Name) < 0)
      faults.push_back(file + ": [$CONSTANTS] " + texts[i].Name + " is no named text of the program");

  const localisation::TLang_CompTranslation* section = tr.FindSection(window);
  std::set<int> ids;
  for (const TTemplateEntry& e : windowTemplate) {
    ids.insert(e.Id);
    const std::string* text = section != nullptr ? section->TextOf(e.Id) : nullptr;
    char id[16];
    std::snprintf(id, sizeof id, "%08d", e.Id);
    const std::string where =
        file + ": [" + window + "] " + id + " (" + e.Path + ")=" + localisation::EscapeText(e.Text);
    if (text == nullptr) faults.push_back(where + " is missing");
    else if (text->empty()) faults.push_back(where + " is empty");
    else if (*text == e.Text && !kept.Properties.contains(e.Path)) faults.push_back(where + " is left in English");
  }
  if (section != nullptr)
    for (int i = 0; i < section->Count(); ++i)
      if (!ids.contains((*section)[i].Id))
        faults.push_back(file + ": [" + window + "] " + std::to_string((*section)[i].Id) + " is no id of the window");
  return faults;
}

// A shipped file in the source tree, data/languages/<program>/<file>, and its copy beside the
// built programs, languages/<program>/<file>.
inline std::string SourceFile(const std::string& program, const std::string& file) {
  return (std::filesystem::path(QW_SOURCE_DIR) / "data" / "languages" / program / file).string();
}
inline std::string BuiltFile(const std::string& program, const std::string& file) {
  return (std::filesystem::path(QW_BIN_DIR) / "languages" / program / file).string();
}

// Every fault of one shipped file of `program`, one line each naming the file: it must be read
// from the source tree, be copied unchanged beside the built programs, load, register under its
// language id and name, hold the one section `window`, and cover the template (CoverageFaults).
inline std::vector<std::string> ShippedFileFaults(const std::string& program, const TShippedFile& shipped,
                                                  const localisation::TLang_Constants& builtIn,
                                                  const std::string& window,
                                                  const std::vector<TTemplateEntry>& windowTemplate,
                                                  const TKeptTexts& kept) {
  const std::string file = shipped.File;
  const std::string source = SourceFile(program, file);
  const std::string bytes = testing_support::ReadFile(source);
  if (bytes.empty()) return {file + ": " + source + " cannot be read or is empty"};
  std::vector<std::string> faults;
  if (testing_support::ReadFile(BuiltFile(program, file)) != bytes)
    faults.push_back(file + ": the build does not copy it beside the program (" + BuiltFile(program, file) + ")");
  localisation::TLang_CompTranslations tr;
  try {
    tr.LoadFromFile(source, false);
  } catch (const std::exception& e) {
    faults.push_back(file + ": does not load: " + e.what());
    return faults;
  }
  if (tr.Param("LANGID") != std::to_string(shipped.LangId))
    faults.push_back(file + ": LANGID=" + tr.Param("LANGID") + ", not " + std::to_string(shipped.LangId));
  if (tr.Param("LANGNAME") != shipped.LangName)
    faults.push_back(file + ": LANGNAME=" + tr.Param("LANGNAME") + ", not " + shipped.LangName);
  if (tr.Sections().size() != 1)
    faults.push_back(file + ": " + std::to_string(tr.Sections().size()) + " window sections, not one [" + window + "]");
  const std::vector<std::string> coverage = CoverageFaults(file, builtIn, window, windowTemplate, tr, kept);
  faults.insert(faults.end(), coverage.begin(), coverage.end());
  return faults;
}

}  // namespace shippedlanguages
