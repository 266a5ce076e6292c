// The conversion of HTML to plain book text with picture markers.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace assembly {

// The converted pictures of one build, in the order of their numbers (picture n is item n - 1),
// each a complete PNG file.
using TPictureList = std::vector<std::string>;

// Converts one picture file of a book into PNG bytes. False leaves the picture out.
using PictureConverter = std::function<bool(const std::string& path, std::string& png)>;

// Every TAB, LF and CR becomes a space.
void TabsAndBreaksToSpaces(std::string& text);
// Spaces and LFs are removed from both ends.
void TrimSpacesAndLineFeeds(std::string& text);
// The named entities of the book conversion, each replaced throughout before the next.
void DecodeHtmlEntities(std::string& text);

// The plain book text of an HTML document. Pictures are looked up in `folder` (the HTML file's
// folder, with its trailing '/'), converted and appended to `pictures`; each leaves its marker.
std::string HtmlToText(std::string html, TPictureList& pictures, const std::string& folder,
                       const PictureConverter& convert);

}  // namespace assembly
