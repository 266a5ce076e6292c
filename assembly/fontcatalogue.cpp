#include "assembly/fontcatalogue.h"

#include "assembly/buildinput.h"
#include "assembly/fontfile.h"
#include "assembly/textpaths.h"
#include "assembly/zipfile.h"

#include <stdexcept>

namespace assembly {

namespace {

constexpr const char* kGroupFolders[6] = {"EnglishCE", "EnglishWE", "Cyrillic",
                                          "Hebrew",    "Arabic",    "Greek"};
constexpr const char* kGroupSuffixes[6] = {"ce", "we", "ru", "hb", "ar", "gk"};
constexpr const char* kSizes[5] = {"5x3", "6x3", "6x4", "7x5", "8x5"};
constexpr const char* kFaces[5] = {"Arial15", "Tah12", "Tah13", "Verd12", "Verd13"};

struct Style {
  const char* Word;
  const char* Suffix;
  uint8_t Type;
};
constexpr Style kSchemes[3] = {{"BW", "", 0}, {"Aqua", "_Aqua", 1}, {"Yellow", "_Yel", 1}};
constexpr Style kModes[2] = {{"Antialiazed", "_AA", 1}, {"ClearType", "_CT", 2}};

TFontDesc MakeDesc(int group, const std::string& fontName, const Style& style) {
  TFontDesc d;
  d.DisplayName = fontName + " " + style.Word;
  d.EntryName = std::string("fonts\\") + kGroupFolders[group] + "\\" + fontName + style.Suffix + ".fnt";
  d.LanguageGroup = uint8_t(group);
  d.FontType = style.Type;
  return d;
}

}  // namespace

std::string MapFontName(const std::string& name) {
  static const std::pair<const char*, const char*> kMap[] = {
      {"Arial15hb", "David15hb"}, {"Tah12hb", "David12hb"}, {"Tah13hb", "David13hb"},
      {"6x3hb", "David12hb"},     {"7x5hb", "David13hb"},   {"8x5hb", "David15hb"},
      {"Arial15ar", "Arial20ar"}, {"Tah12ar", "Arial16ar"}, {"Tah13ar", "Arial18ar"},
      {"6x3ar", "Arial16ar"},     {"7x5ar", "Arial18ar"},   {"8x5ar", "Arial20ar"},
      {"6x3gk", "Tah12gk"},       {"7x5gk", "Tah13gk"},     {"8x5gk", "Arial15gk"},
  };
  for (const auto& [from, to] : kMap)
    if (name == from) return to;
  return name;
}

std::vector<TFontDesc> FontCatalogueEntries() {
  std::vector<TFontDesc> list;
  for (int g = 0; g < 6; ++g)
    for (const char* size : kSizes)
      for (const Style& scheme : kSchemes)
        list.push_back(MakeDesc(g, MapFontName(size + std::string(kGroupSuffixes[g])), scheme));
  for (int g = 0; g < 6; ++g)
    for (const char* face : kFaces)
      for (const Style& mode : kModes) {
        TFontDesc d = MakeDesc(g, MapFontName(face + std::string(kGroupSuffixes[g])), mode);
        bool repeated = false;
        for (const TFontDesc& e : list) repeated = repeated || e.DisplayName == d.DisplayName;
        if (!repeated && list.size() < kFontCatalogueSize) list.push_back(std::move(d));
      }
  return list;
}

int32_t GetFontEntrySize(const TZipFile& archive, const std::string& entryName, bool positive) {
  const int index = FindArchiveEntry(archive, entryName);
  if (!positive) return int32_t(archive.FileHeader(index).Common.UncompressedSize);
  const std::string data = ReadResourceEntry(archive, index);
  if (data.size() < 6)
    throw EBuildError("The font \"" + entryName + "\" of the resource archive is damaged.");
  return int32_t(FontPositivePartSize(data));
}

void BuildFontCatalogue(const TZipFile& archive, TFontCatalogue& catalogue) {
  catalogue.Count = 0;
  for (TFontDesc& d : FontCatalogueEntries()) {
    d.PositiveSize = GetFontEntrySize(archive, d.EntryName, true);
    d.WholeSize = GetFontEntrySize(archive, d.EntryName, false);
    catalogue.Entries[catalogue.Count++] = std::move(d);
  }
}

int FindFontDesc(const TFontCatalogue& catalogue, std::string_view displayName) {
  for (int i = 0; i < catalogue.Count; ++i)
    if (catalogue.Entries[i].DisplayName == displayName) return i;
  throw std::logic_error("FindFontDesc: no catalogue font \"" + std::string(displayName) + "\"");
}

std::string GetFontData(const TZipFile& archive, const TMIDLETCONFIG& config, int slot) {
  if (config.FontNames[slot - 1].empty()) return {};
  const std::string& source = config.FontSources[slot - 1];
  std::string data, origin;
  if (source.starts_with("ZIP:")) {
    origin = source.substr(4, 1000);
    data = ReadArchiveEntry(archive, origin);
  } else {
    origin = PathText(source);
    data = ReadFontInput(source);
  }
  const std::string fault = CheckFontBytes(data);
  if (!fault.empty())
    throw EBuildError("The font \"" + origin + "\" cannot be used: " + fault + ".");
  return data;
}

uint8_t GetFontTypeByte(std::string_view font) { return font.size() > 7 ? uint8_t(font[7]) : 0; }

void CutNegativeSheet(std::string& font) {
  if (font.size() < 6) return;
  const uint32_t positive = FontPositivePartSize(font);
  if (positive < font.size()) font.resize(positive);
}

}  // namespace assembly
