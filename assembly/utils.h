// Small path, file and text helpers shared by the builder's engine, its window and the
// font creator. Strings are byte strings in the process ANSI code page; host paths are
// Linux paths ('/' separated).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace assembly {

// Paths and names.

// The last component of a path: everything up to the last '\' is dropped, then everything
// up to the last '/' (at most 1000 characters are kept after each cut).
std::string ExtractNameOnly(const std::string& path);
// ExtractNameOnly cut at its first '.'.
std::string ExtractNameNoExt(const std::string& path);
// The folder part of a path without its trailing separator ("/books/a.txt" -> "/books").
std::string ParentDir(const std::string& path);
// Creates every missing folder of `path` up to its last '/' (pass folders with a trailing
// '/'). The working folder is not changed. False when a folder cannot be created.
bool ForceDirs(const std::string& path);

// Text.

void ReplaceChar(std::string& s, char oldChar, char newChar);
// Decimal, values up to 9 with a leading "0" ("07"; 10 and up unchanged).
std::string IntToStr2(int value);
// A Cyrillic letter to its Latin letter, any other character above 127 to "x"; ASCII stays.
char TransliterateChar(char32_t c);
// TransliterateChar of every character of a text in the process code page (one letter per
// byte), or of a decoded text (one letter per character).
std::string TransliterateCyrillic(const std::string& s);
std::string TransliterateCyrillic(std::u32string_view text);
// Deletes every empty line.
void RemoveEmptyLines(std::vector<std::string>& lines);
// UTF-16 code units of the text (through the process code page, at most 254 units), four
// letters 'A'..'P' per unit, high nibble first: "A" -> "AAEB".
std::string EncodeLetterHex(const std::string& s);

// Text lists: split at CR, LF or CR LF (a final line break adds no empty line), and written
// back with CR LF after every line.
std::vector<std::string> SplitLines(std::string_view text);
std::string JoinLines(const std::vector<std::string>& lines);

}  // namespace assembly
