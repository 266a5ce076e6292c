#include "assembly/midlettexts.h"

#include "assembly/archivecopy.h"
#include "assembly/sanitisers.h"
#include "assembly/tables.h"
#include "assembly/utils.h"
#include "assembly/zipfile.h"

#include <algorithm>
#include <map>
#include <mutex>

namespace assembly {

bool ReplaceJadLine(TextLines& lines, std::string_view key, const std::string& newLine) {
  for (std::string& line : lines) {
    if (line.starts_with(key)) {
      line = newLine;
      return true;
    }
  }
  return false;
}

void WriteJad(TextLines& lines, const TMIDLETCONFIG& c, const BuildInputs& inputs,
              const std::string& midletName, int partNumber, const std::string& bookTitle,
              const std::string& jarUrl, int64_t jarSize) {
  lines.push_back("Build: " + std::string(CoreNames[c.Core]) + ", " +
                  std::string(EditionNames[c.Edition]) + ", " +
                  std::string(KeysConfigNames[c.KeysConfig]) + ", " +
                  std::string(LanguageNames[c.InterfaceLanguage]));
  if (!bookTitle.empty()) lines.push_back("BookTitle: " + MakeMidletName(bookTitle));
  if (partNumber != 0) lines.push_back("BookPart: Chapter " + std::to_string(partNumber));
  ReplaceJadLine(lines, "MIDlet-1:", "MIDlet-1: " + midletName + ", /res/icon.png, MIDlet1");
  ReplaceJadLine(lines, "MIDlet-Name:", "MIDlet-Name: " + midletName);
  ReplaceJadLine(lines, "MIDlet-Vendor:", "MIDlet-Vendor: " + inputs.Vendor);
  if (jarSize != 0)
    ReplaceJadLine(lines, "MIDlet-Jar-Size:", "MIDlet-Jar-Size: " + std::to_string(jarSize));
  ReplaceJadLine(lines, "MIDlet-Version:", "MIDlet-Version: " + std::string(ProductVersion));
  ReplaceJadLine(lines, "MIDlet-Jar-URL: ", "MIDlet-Jar-URL: " + jarUrl);
  if (c.MidletDataSize != 0)
    lines.push_back("MIDlet-Data-Size: " + std::to_string(c.MidletDataSize));
  if (c.Core == 6) lines.push_back("FlipInsensitive: True");
}

namespace {

// The attribute name of a "Name: value" line, blanks around it dropped; empty without a colon.
std::string_view AttributeName(std::string_view line) {
  const std::size_t colon = line.find(':');
  if (colon == std::string_view::npos) return {};
  std::string_view name = line.substr(0, colon);
  while (!name.empty() && (name.front() == ' ' || name.front() == '\t')) name.remove_prefix(1);
  while (!name.empty() && (name.back() == ' ' || name.back() == '\t')) name.remove_suffix(1);
  return name;
}

// The text templates of the resource archive, inflated once per run rather than once per
// midlet. An entry is known by its archive, place, name and stored CRC and sizes.
struct CachedText {
  std::string Name;
  TCommonFileHeader Common;
  std::string Text;
};
std::mutex textCacheMutex;
std::map<std::pair<const TZipFile*, int>, CachedText> textCache;  // guarded by textCacheMutex

bool SameEntry(const CachedText& cached, const TZipFile& archive, int index) {
  const TCommonFileHeader& a = cached.Common;
  const TCommonFileHeader& b = archive.LocalFile(index).Common;
  return cached.Name == archive.FileName(index) && a.Method == b.Method && a.CRC32 == b.CRC32 &&
         a.CompressedSize == b.CompressedSize && a.UncompressedSize == b.UncompressedSize;
}

std::string ReadTextEntry(const TZipFile& archive, std::string_view name) {
  const int index = FindArchiveEntry(archive, name);
  const std::pair<const TZipFile*, int> key{&archive, index};
  {
    const std::lock_guard lock(textCacheMutex);
    const auto found = textCache.find(key);
    if (found != textCache.end() && SameEntry(found->second, archive, index)) return found->second.Text;
  }
  std::string text = ReadResourceEntry(archive, index);
  const std::lock_guard lock(textCacheMutex);
  if (textCache.size() >= 64) textCache.clear();
  textCache[key] = CachedText{archive.FileName(index), archive.LocalFile(index).Common, text};
  return text;
}

}  // namespace

void AppendCustomAttributes(TextLines& lines, const TMIDLETCONFIG& config) {
  for (std::string& line : SplitLines(config.CustomAttributes)) {
    if (line.empty()) continue;
    const std::string name(AttributeName(line));
    if (name.empty()) {
      lines.push_back(std::move(line));
      continue;
    }
    // The build's own; the manifest must carry the same name, vendor and version as the JAD.
    if (name == "MIDlet-Jar-Size" || name == "MIDlet-Jar-URL" || name == "MIDlet-Name" || name == "MIDlet-Vendor" ||
        name == "MIDlet-Version")
      continue;
    auto same = [&](const std::string& l) { return AttributeName(l) == name; };
    const auto first = std::find_if(lines.begin(), lines.end(), same);
    if (first == lines.end()) {
      lines.push_back(std::move(line));
      continue;
    }
    *first = std::move(line);
    lines.erase(std::remove_if(first + 1, lines.end(), same), lines.end());
  }
}

void WriteConfig(TextLines& lines, const TMIDLETCONFIG& c, const BuildInputs& inputs, const NamedTexts& texts,
                 int partNumber, const std::string& bookTitle) {
  if (inputs.LiteVersion || inputs.TinyVersion) {
    lines.push_back("Title1: " + EncodeLetterHex(inputs.TitleLine1));
    lines.push_back("Title2: " + EncodeLetterHex(inputs.TitleLine2));
  }
  if (!bookTitle.empty()) lines.push_back("BookTitle: " + EncodeLetterHex(bookTitle));
  if (partNumber != 0) {
    const std::string chapter = texts.TextByName("Chapter");
    lines.push_back("BookPart: " + EncodeLetterHex(chapter) + " " + std::to_string(partNumber));
  }
  int k = 0;
  for (const std::string& name : c.FontNames)
    if (!name.empty()) lines.push_back("font" + std::to_string(++k) + ": " + name);
  if (c.ForceHeight != 0) lines.push_back("FORCEHEIGHT: " + std::to_string(c.ForceHeight));
  if (c.AlternativeRotation != 0) lines.push_back("ALTERNATIVEROTATION: 1");
  if (c.LightControl != 0)
    lines.push_back("LIGHTCONTROL: " + std::to_string(c.LightControlMethod));
  if (c.IgnoreCrash != 0) lines.push_back("IGNORECRASH: 1");
  if (!c.StoragePath.empty()) lines.push_back("storage: " + c.StoragePath);
  if (!c.FontPath.empty()) lines.push_back("fontpath: " + c.FontPath);
  if (!c.JSR75Storage.empty()) lines.push_back("JSR75Storage: " + c.JSR75Storage);
}

std::string MakeManifestText(const TZipFile& archive, const TMIDLETCONFIG& c,
                             const BuildInputs& inputs, const std::string& midletName,
                             const std::string& jarUrl) {
  TextLines lines = SplitLines(ReadTextEntry(archive, "core\\manifest.mf"));
  WriteJad(lines, c, inputs, midletName, 0, "", jarUrl, 0);
  RemoveEmptyLines(lines);
  return JoinLines(lines);
}

std::string MakeJadText(const TZipFile& archive, const TMIDLETCONFIG& c, const BuildInputs& inputs,
                        const std::string& midletName, int partNumber, const std::string& bookTitle,
                        const std::string& jarUrl, int64_t jarSize) {
  TextLines lines = SplitLines(ReadTextEntry(archive, "core\\Tomefalcon.jad"));
  WriteJad(lines, c, inputs, midletName, partNumber, bookTitle, jarUrl, jarSize);
  AppendCustomAttributes(lines, c);
  RemoveEmptyLines(lines);
  return JoinLines(lines);
}

std::string MakeConfigText(const TZipFile& archive, const TMIDLETCONFIG& c, const BuildInputs& inputs,
                           const NamedTexts& texts, int partNumber, const std::string& bookTitle) {
  TextLines lines = SplitLines(GetKeysConfigText(archive, inputs, c.KeysConfig));
  WriteConfig(lines, c, inputs, texts, partNumber, bookTitle);
  RemoveEmptyLines(lines);
  return JoinLines(lines);
}

std::string GetKeysConfigText(const TZipFile& archive, const BuildInputs& inputs, int keysConfig) {
  if (keysConfig != 13) return ReadTextEntry(archive, KeysConfigFiles[keysConfig]);
  std::string text;
  for (const std::string& line : SplitLines(ReadBuildInput(inputs.CustomKeysFile))) {
    std::size_t first = 0, last = line.size();
    while (first < last && uint8_t(line[first]) <= ' ') ++first;
    while (last > first && uint8_t(line[last - 1]) <= ' ') --last;
    if (first == last) continue;
    text.append(line, first, last - first);
    text += "\r\n";
  }
  return text;
}

}  // namespace assembly
