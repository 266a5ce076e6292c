// Phone list files: one set of book midlets is built for each phone model they name, with
// the model's own key layout, JAR size limit and picture settings.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace assembly {

class BuildHost;

struct TPhonesListEntry {
  int32_t Row = 0;         // phone table row 0..506
  uint8_t KeysConfig = 0;  // key layout 0..12
  int32_t JarLimitKB = 0;  // at least 64
  uint8_t Quality = 0;     // 0 none, 1 black-and-white, 2 16 colours, 3 64 colours
  int32_t MaxWidth = 0;    // at least 64
  int32_t MaxHeight = 0;   // at least 32
};

using TPHONESLIST = std::vector<TPhonesListEntry>;

// The next token of a phone list text from `pos` (0-based, advanced in place): the text
// between two double quotes, trimmed of blanks and control characters; ";" outside quotes
// starts a comment up to the line's end. Empty when none is left.
std::string ReadListToken(std::string_view text, std::size_t& pos);

// Appends the models of a phone list text. Every error is shown through the host ("Error")
// followed by a request to end the program; reading goes on to the end. True when there was
// no error at all.
bool ParsePhonesList(BuildHost& host, std::string_view text, TPHONESLIST& list);

// Reads the phone list file (a file that cannot be read is reported) and parses it.
bool LoadPhonesList(BuildHost& host, const std::string& fileName, TPHONESLIST& list);

}  // namespace assembly
