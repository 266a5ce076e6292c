// Book files: reading whole files and joining the book files of a build into one text.
#pragma once

#include "assembly/htmltext.h"
#include "platform/system/message.h"

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace assembly {

class BuildHost;

// Converts one picture file of a book into PNG bytes, showing its messages through `host`.
// False leaves the picture out. When pictures are converted in parallel it runs on several
// threads at once, each call with a host of its own.
using HostedPictureConverter = std::function<bool(const std::string& path, std::string& png, BuildHost& host)>;

// Reads a whole file. A file that cannot be opened or read is reported through the host
// (UnableToOpenFileText, "Fatal error") and the program is asked to end; `data` is then empty
// and the result false.
bool LoadFileToString(BuildHost& host, const std::string& path, std::string& data);
// The same without a host: false, with `data` empty, when the file cannot be read.
bool ReadFileToString(const std::string& path, std::string& data);
// LoadFileToString's message for a file that cannot be read.
platform::TMessage UnableToOpenFileText(const std::string& path);
// The warning for a UTF-8 text book with `count` characters that code page `codePage` lacks.
platform::TMessage UnholdableCharactersText(const std::string& path, std::size_t count, int codePage);

// Joins the book files into one text; `pictures` is emptied first and receives the pictures of
// the HTML files. With `progress` the host's gauge follows the files. Files that cannot be
// read are reported (LoadFileToString) and count as empty.
// `threads` pictures are converted at once (0: one per core). Whatever the number, the host
// sees the same calls in the same order, all on the calling thread, and a converter's
// exception leaves at the same place, after the messages of the pictures before it.
std::string LoadTextFiles(BuildHost& host, const std::vector<std::string>& files, bool progress, TPictureList& pictures,
                          const HostedPictureConverter& convert, unsigned threads = 1);

}  // namespace assembly
