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

}  // namespace

std::string MakeMidletName(std::string_view text) {
  const std::string letters = TransliterateCyrillic(ExtractNameNoExt(std::string(FirstItem(text))));
  std::string name;
  for (char c : letters)
    if (IsPlainAlnum(c) && name.size() < 14) name += c;
  return name;
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

std::string MakeMidletNameFromPath(std::string_view path) {
  return MakeMidletName(platform::FromUtf8(NameOfPath(path)));
}

std::string MakeBookTitleFromPath(std::string_view path) {
  const std::string_view name = NameOfPath(path);
  // A name with letters the code page cannot hold proposes nothing rather than question marks.
  if (!platform::Unencodable(ExtractNameNoExt(std::string(FirstItem(name)))).empty()) return {};
  return MakeBookTitle(platform::FromUtf8(name));
}

}  // namespace assembly
