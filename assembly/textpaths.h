// String and path helpers of the book conversion.
#pragma once

#include <string>
#include <string_view>

namespace assembly {

// Every `from` in `text` replaced by `to`, left to right.
void ReplaceAll(std::string& text, std::string_view from, std::string_view to);

// A host path (UTF-8) as it stands in a message or text: in the process code page.
std::string PathText(const std::string& path);
// The folder part of a path with its trailing '/', or "" when it has none.
std::string FolderOf(const std::string& path);

// ".htm" or ".html", any case.
bool IsHtmlFile(const std::string& path);

}  // namespace assembly
