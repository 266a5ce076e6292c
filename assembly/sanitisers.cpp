#include "assembly/sanitisers.h"

#include "assembly/utils.h"
#include "platform/system/codepage.h"

namespace assembly {

namespace {

std::string_view FirstItem(std::string_view text) {
  return text.substr(0, text.find_first_of(",\r\n"));
}

bool IsPlainAlnum(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// The first 14 digits and plain Latin letters of a transliterated name.
std::string PlainName(const std::string& letters) {
  std::string name;
  for (char c : letters)
    if (IsPlainAlnum(c) && name.size() < 14) name += c;
  return name;
}

}  // namespace

std::string MakeMidletName(std::string_view text) {
  return PlainName(TransliterateCyrillic(ExtractNameNoExt(std::string(FirstItem(text)))));
}

std::string MakeBookTitle(std::string_view text) {
  std::string title = ExtractNameNoExt(std::string(FirstItem(text)));
  if (title.size() > 16) title.resize(16);
  return title;
}

namespace {

// One file name, never a list: a comma in a folder's name does not split the path.
std::string_view NameOfPath(std::string_view path) {
  const std::size_t slash = path.find_last_of('/');
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

}  // namespace

// The name's own characters are transliterated, so letters the process code page lacks
// still give their Latin letters or "x".
std::string MakeMidletNameFromPath(std::string_view path) {
  const std::string name = ExtractNameNoExt(std::string(FirstItem(NameOfPath(path))));
  return PlainName(TransliterateCyrillic(platform::DecodeUtf8(name)));
}

std::string MakeBookTitleFromPath(std::string_view path) {
  const std::string_view name = NameOfPath(path);
  // A name with letters the code page cannot hold proposes nothing rather than question marks.
  if (!platform::Unencodable(ExtractNameNoExt(std::string(FirstItem(name)))).empty()) return {};
  return MakeBookTitle(platform::FromUtf8(name));
}

}  // namespace assembly
