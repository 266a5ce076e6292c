// Names derived from a book file name or a title: a plain ASCII midlet name and a short
// readable book title.
#pragma once

#include <string>
#include <string_view>

namespace assembly {

// 0..14 characters, each 0-9, A-Z or a-z, from the first item (up to the first comma or line
// break) of a code-page text: its name without folder and extension, Cyrillic transliterated.
std::string MakeMidletName(std::string_view text);
// 0..16 characters of the first item's name without folder and extension, in any script.
std::string MakeBookTitle(std::string_view text);

// The same for the name of one file at a host path (UTF-8 on Linux); the folders of the path
// play no part. The midlet name transliterates the name's own characters, whatever the process
// code page; the title is in the process code page, and empty when the name holds a character
// that the code page cannot.
std::string MakeMidletNameFromPath(std::string_view path);
std::string MakeBookTitleFromPath(std::string_view path);

}  // namespace assembly
