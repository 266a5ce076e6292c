// The settings file: sections of key=value lines, in place of the private-profile calls.
//
// Sections and keys are found without regard to case (the first of equal ones counts).
// Reading trims blanks around a value and then one pair of matching surrounding quotes
// (' or "); a missing key gives the default (with its trailing blanks removed). Values
// come back whole, however long. Writing updates an existing key in place, appends a new
// key at the end of its section and a new section at the end of the file; comments and
// lines the layer does not understand stay as they are. Every write replaces the file
// atomically (a new file beside it, then a rename); lines end in CR LF.
//
// An object reads the file once, on its first use, and then answers from its own copy (so
// the program makes one object for each restore of a page).
//
// A section, key or value holding a line break (or a key holding "=", or a section "]")
// would corrupt the file: such a write is refused (false) and changes nothing.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace platform {

class TIniFile {
public:
  // Reads and writes `path`.
  explicit TIniFile(std::string path);
  // Writes `writePath`; reads it when it exists, else `readPath`.
  TIniFile(std::string readPath, std::string writePath);

  std::string ReadString(const std::string& section, const std::string& key, const std::string& def) const;
  // An optional sign and the leading digits (0 when there are none); the default only when
  // the key is missing.
  int ReadInteger(const std::string& section, const std::string& key, int def) const;
  bool KeyExists(const std::string& section, const std::string& key) const;

  // False when the value cannot be stored (see above) or the file cannot be written.
  bool WriteString(const std::string& section, const std::string& key, const std::string& value);

  const std::string& FileName() const { return writePath_; }
  // Why the last write of the file failed (empty when it did not).
  const std::string& LastError() const { return error_; }

  // Between these two, writes only change the lines held in memory (and reads see them);
  // EndUpdate writes the file once, and is false when that fails.
  void BeginUpdate();
  [[nodiscard]] bool EndUpdate();

private:
  struct SectionPlace {
    std::size_t Header = 0;
    std::size_t InsertAt = 0;  // after the section's last entry
  };
  std::vector<std::string>& Lines() const;
  void Index() const;
  std::size_t KeyLine(const std::string& section, const std::string& key) const;
  bool Save();
  std::string readPath_, writePath_;
  mutable std::optional<std::vector<std::string>> lines_;
  // Upper-cased "section\nkey" and section names of the first section of each name.
  mutable std::unordered_map<std::string, std::size_t> keys_;
  mutable std::unordered_map<std::string, SectionPlace> sections_;
  mutable bool indexed_ = false;
  bool updating_ = false;
  std::string error_;
};

// The settings file of a program in `folder` (with a trailing '/'): `fileName` there when
// the folder can be written, else in the per-user configuration folder
// ($XDG_CONFIG_HOME/quirewright, ~/.config/quirewright without it), which is then read first.
TIniFile ProgramSettingsFor(const std::string& folder, bool writable, const std::string& fileName);

}  // namespace platform
