// Book files: reading whole files, joining the book files of a build into one text, and the
// conversion of HTML to plain book text with picture markers.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace assembly {

class BuildHost;

// The converted pictures of one build, in the order of their numbers (picture n is item n - 1),
// each a complete PNG file.
using TPictureList = std::vector<std::string>;

// Converts one picture file of a book into PNG bytes. False leaves the picture out.
using PictureConverter = std::function<bool(const std::string& path, std::string& png)>;

// The same, showing its messages through `host`. When pictures are converted in parallel it
// runs on several threads at once, each call with a host of its own.
using HostedPictureConverter = std::function<bool(const std::string& path, std::string& png, BuildHost& host)>;

// Reads a whole file. A file that cannot be opened or read is reported through the host
// (UnableToOpenFileText, "Fatal error") and the program is asked to end; `data` is then empty
// and the result false.
bool LoadFileToString(BuildHost& host, const std::string& path, std::string& data);
// The same without a host: false, with `data` empty, when the file cannot be read.
bool ReadFileToString(const std::string& path, std::string& data);
// A host path (UTF-8) as it stands in a message or text: in the process code page.
std::string PathText(const std::string& path);
// LoadFileToString's message for a file that cannot be read.
std::string UnableToOpenFileText(const std::string& path);

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

// Joins the book files into one text; `pictures` is emptied first and receives the pictures of
// the HTML files. With `progress` the host's gauge follows the files. Files that cannot be
// read are reported (LoadFileToString) and count as empty.
// `threads` pictures are converted at once (0: one per core). Whatever the number, the host
// sees the same calls in the same order, all on the calling thread, and a converter's
// exception leaves at the same place, after the messages of the pictures before it.
std::string LoadTextFiles(BuildHost& host, const std::vector<std::string>& files, bool progress, TPictureList& pictures,
                          const HostedPictureConverter& convert, unsigned threads = 1);

// The file that `relative` names inside `folder`, each component matched without regard to
// case ('/' and '\' both separate); empty when there is no such regular file.
std::string FindFileIgnoringCase(const std::string& folder, const std::string& relative);

}  // namespace assembly
