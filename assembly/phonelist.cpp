#include "assembly/phonelist.h"

#include "assembly/booktext.h"
#include "assembly/host.h"
#include "assembly/phones.h"
#include "assembly/tables.h"
#include "platform/system/codepage.h"

#include <charconv>

namespace assembly {

namespace {

// Key layouts a list can name: all but the custom key layout file.
constexpr int kListKeyLayouts = kCustomKeysConfig;

bool IsTrimmed(char c) { return static_cast<unsigned char>(c) <= 32; }

// A whole decimal integer (an optional sign, then digits only).
bool ToInt(const std::string& token, int32_t& value) {
  value = 0;
  const char* first = token.data();
  const char* last = first + token.size();
  if (first != last && *first == '+') ++first;
  if (first == last) return false;
  const auto [end, error] = std::from_chars(first, last, value);
  if (error != std::errc() || end != last) {
    value = 0;
    return false;
  }
  return true;
}

// A token in double quotes for a message: its first 40 characters and "..." when it is
// longer, control characters shown as "?" (a binary file or a quote left open).
std::string Quoted(const std::string& s) {
  constexpr std::size_t kShown = 40;
  std::string shown = s.substr(0, kShown);
  for (char& c : shown)
    if (static_cast<unsigned char>(c) < 32 || c == 127) c = '?';
  if (s.size() > kShown) shown += "...";
  return "\"" + shown + "\"";
}

}  // namespace

std::string ReadListToken(std::string_view text, std::size_t& pos) {
  for (;;) {
    while (pos < text.size() && text[pos] != '"' && text[pos] != ';') ++pos;
    if (pos >= text.size()) return std::string();
    if (text[pos] == ';') {
      while (pos < text.size() && text[pos] != '\r' && text[pos] != '\n') ++pos;
      if (pos >= text.size()) return std::string();
      continue;
    }
    const std::size_t start = ++pos;
    while (pos < text.size() && text[pos] != '"') ++pos;
    std::size_t end = pos;
    if (pos < text.size()) ++pos;
    std::size_t begin = start;
    while (begin < end && IsTrimmed(text[begin])) ++begin;
    while (end > begin && IsTrimmed(text[end - 1])) --end;
    return std::string(text.substr(begin, end - begin));
  }
}

bool ParsePhonesList(BuildHost& host, std::string_view text, TPHONESLIST& list) {
  bool ok = true;
  auto fail = [&](const std::string& message) {
    host.ShowMessage(message, "Error", MessageIcon::Error);
    host.RequestTerminate();
    ok = false;
  };
  const std::size_t before = list.size();
  std::size_t pos = 0;
  for (;;) {
    const std::string model = ReadListToken(text, pos);
    if (model.empty()) break;
    TPhonesListEntry& entry = list.emplace_back();

    const std::string upperModel = platform::UpperCase(model);
    int row = -1;
    for (int r = 0; r < kPhoneModelCount && row < 0; ++r)
      if (platform::UpperCase(PhoneTable[static_cast<std::size_t>(r)].Name) == upperModel) row = r;
    if (row < 0) fail("Unrecognized token in list file: " + Quoted(model));
    else entry.Row = row;

    const std::string keys = ReadListToken(text, pos);
    if (keys.empty()) fail("Keys config not specified for model: " + Quoted(model));
    const std::string upperKeys = platform::UpperCase(keys);
    int layout = -1;
    for (int k = 0; k < kListKeyLayouts && layout < 0; ++k)
      if (platform::UpperCase(KeysConfigNames[static_cast<std::size_t>(k)]) == upperKeys) layout = k;
    if (layout < 0) fail("Unrecognized token in list file: " + Quoted(keys));
    else entry.KeysConfig = static_cast<uint8_t>(layout);

    const std::string jar = ReadListToken(text, pos);
    if (jar.empty()) fail("JAR size limit not specified for model: " + Quoted(model));
    if (!ToInt(jar, entry.JarLimitKB) || entry.JarLimitKB < 64)
      fail("Invalid JAR size limit specified for model: " + Quoted(model));

    const std::string quality = ReadListToken(text, pos);
    if (quality.empty()) fail("Images Quality not specified for model: " + Quoted(model));
    else if (quality == "IC_NONE") entry.Quality = 0;
    else if (quality == "IC_BW") entry.Quality = 1;
    else if (quality == "IC_16") entry.Quality = 2;
    else if (quality == "IC_64") entry.Quality = 3;
    else fail("Invalid images quality specified for model: " + Quoted(model));

    const std::string width = ReadListToken(text, pos);
    if (width.empty()) fail("Max Image Width not specified for model: " + Quoted(model));
    if (!ToInt(width, entry.MaxWidth) || entry.MaxWidth < 64)
      fail("Invalid Max Image Width specified for model: " + Quoted(model));

    const std::string height = ReadListToken(text, pos);
    if (height.empty()) fail("Max Image Height not specified for model: " + Quoted(model));
    if (!ToInt(height, entry.MaxHeight) || entry.MaxHeight < 32)
      fail("Invalid Max Image Height specified for model: " + Quoted(model));
  }
  if (list.size() == before) fail("No models found in list file.");
  return ok;
}

bool LoadPhonesList(BuildHost& host, const std::string& fileName, TPHONESLIST& list) {
  std::string text;
  const bool read = LoadFileToString(host, fileName, text);
  const bool parsed = ParsePhonesList(host, text, list);
  return read && parsed;
}

}  // namespace assembly
