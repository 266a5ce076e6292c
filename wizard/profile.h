// The settings file read and written the way the builder's settings calls work: sections and
// keys compared without regard to case, integers read as an optional sign and leading digits
// (0 for other text, the default only for a missing key), strings with surrounding blanks and
// one pair of quotes removed. Every write rewrites the file.
#pragma once

#include <string>
#include <vector>

namespace wizard {

class TProfile {
public:
  explicit TProfile(std::string path) : path_(std::move(path)) {}
  const std::string& Path() const { return path_; }

  int ReadInteger(const std::string& section, const std::string& key, int def) const;
  std::string ReadString(const std::string& section, const std::string& key, const std::string& def) const;
  // Line breaks in the value would break the file: they are written as blanks.
  // False when the file cannot be written (the change is lost).
  bool WriteString(const std::string& section, const std::string& key, const std::string& value);
  bool WriteInteger(const std::string& section, const std::string& key, int value) {
    return WriteString(section, key, std::to_string(value));
  }

private:
  bool Find(const std::string& section, const std::string& key, std::string& value) const;
  std::vector<std::string> ReadLines() const;
  std::string path_;
};

}  // namespace wizard
