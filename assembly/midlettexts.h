// The texts every midlet carries: the JAD descriptor, the manifest META-INF/MANIFEST.MF and
// the reader's settings res/config.txt, all handled as lists of lines.
#pragma once

#include "assembly/midletconfig.h"

#include <string>
#include <string_view>
#include <vector>

namespace assembly {

// Lines of a text (SplitLines and JoinLines of assembly/utils.h convert).
using TextLines = std::vector<std::string>;

// Replaces the first line that starts with the key (case-sensitive) by the new line.
bool ReplaceJadLine(TextLines& lines, std::string_view key, const std::string& newLine);

// Applies the JAD and manifest keys to template lines: appends Build, BookTitle (when given),
// BookPart (part number not 0); replaces MIDlet-1, MIDlet-Name, MIDlet-Vendor,
// MIDlet-Jar-Size (size not 0), MIDlet-Version, MIDlet-Jar-URL; appends MIDlet-Data-Size
// (when not 0) and FlipInsensitive (core 6).
void WriteJad(TextLines& lines, const TMIDLETCONFIG& config, const BuildInputs& inputs,
              const std::string& midletName, int partNumber, const std::string& bookTitle,
              const std::string& jarUrl, int64_t jarSize);

// Adds the non-empty lines of the record's custom attributes (JAD only): a "Name: value" line
// replaces the line of that name in place (later lines of the name are dropped) or is
// appended; MIDlet-Jar-Size, MIDlet-Jar-URL, MIDlet-Name, MIDlet-Vendor and MIDlet-Version
// stay the build's own (the manifest carries the same name, vendor and version).
void AppendCustomAttributes(TextLines& lines, const TMIDLETCONFIG& config);

// Appends the res/config.txt settings to lines holding the key layout text.
void WriteConfig(TextLines& lines, const TMIDLETCONFIG& config, const BuildInputs& inputs, const NamedTexts& texts,
                 int partNumber, const std::string& bookTitle);

// The texts as the builds store them, empty lines deleted. The manifest: the template
// core\manifest.mf through WriteJad with part 0, no book title and JAR size 0. The JAD: the
// template core\Tomefalcon.jad through WriteJad, then the custom attributes. The configuration:
// the key layout text through WriteConfig. A missing template raises EBuildError.
std::string MakeManifestText(const TZipFile& archive, const TMIDLETCONFIG& config,
                             const BuildInputs& inputs, const std::string& midletName,
                             const std::string& jarUrl);
std::string MakeJadText(const TZipFile& archive, const TMIDLETCONFIG& config,
                        const BuildInputs& inputs, const std::string& midletName, int partNumber,
                        const std::string& bookTitle, const std::string& jarUrl, int64_t jarSize);
std::string MakeConfigText(const TZipFile& archive, const TMIDLETCONFIG& config, const BuildInputs& inputs,
                           const NamedTexts& texts, int partNumber, const std::string& bookTitle);

// The key layout text: the archive's layout file byte for byte, or for layout 13 the custom
// file's lines trimmed, without empty ones, each ended by CR LF. A missing entry or an
// unreadable custom file raises EBuildError naming it.
std::string GetKeysConfigText(const TZipFile& archive, const BuildInputs& inputs, int keysConfig);

}  // namespace assembly
