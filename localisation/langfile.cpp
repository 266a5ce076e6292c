#include "localisation/langfile.h"

#include "platform/system/wholefile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "localisation/escape.h"
#include "platform/system/codepage.h"

namespace localisation {

namespace {

enum class State { Header, Constants, Component };

bool SameName(std::string_view a, std::string_view b) { return platform::SameText(a, b); }

}  // namespace

bool TLang_CompTranslation::Find(int32_t id, int& index) const {
  int low = 0, high = Count() - 1;
  while (low <= high) {
    int middle = (low + high) / 2;
    int32_t m = entries_[static_cast<size_t>(middle)].Id;
    if (m == id) {
      index = middle;
      return true;
    }
    if (m < id) {
      low = middle + 1;
    } else {
      high = middle - 1;
    }
  }
  index = low;
  return false;
}

int TLang_CompTranslation::IndexOf(int32_t id) const {
  int index;
  return Find(id, index) ? index : -1;
}

const std::string* TLang_CompTranslation::TextOf(int32_t id) const {
  int index = IndexOf(id);
  return index < 0 ? nullptr : &entries_[static_cast<size_t>(index)].Text;
}

void TLang_CompTranslation::Add(int32_t id, std::string text) {
  int index;
  if (Find(id, index))
    throw ELangError("Duplicate property value translation ID (" + std::to_string(id) + ")");
  entries_.insert(entries_.begin() + index, TLang_PropTranslation{id, std::move(text), 0});
}

const TLang_CompTranslation* TLang_CompTranslations::FindSection(std::string_view name) const {
  for (const TLang_CompTranslation& s : sections_)
    if (SameName(s.Name(), name)) return &s;
  return nullptr;
}

TLang_CompTranslation* TLang_CompTranslations::FindSection(std::string_view name) {
  for (TLang_CompTranslation& s : sections_)
    if (SameName(s.Name(), name)) return &s;
  return nullptr;
}

std::string TLang_CompTranslations::Param(std::string_view name) const {
  for (const auto& p : params_)
    if (CompareNames(p.first, name) == 0) return p.second;
  return {};
}

void TLang_CompTranslations::SetParam(std::string_view name, std::string_view value) {
  for (auto it = params_.begin(); it != params_.end(); ++it) {
    if (CompareNames(it->first, name) != 0) continue;
    if (value.empty()) {
      params_.erase(it);
    } else {
      it->second = std::string(value);
    }
    return;
  }
  if (!value.empty()) params_.emplace_back(std::string(name), std::string(value));
}

void TLang_CompTranslations::Clear() {
  sections_.clear();
  params_.clear();
  constants_.Clear();
}

namespace {

// The line at `pos` without its end (CR, LF or CR LF); `pos` moves past the end.
std::string_view NextLine(std::string_view source, size_t& pos) {
  size_t end = source.find_first_of("\r\n", pos);
  std::string_view raw = source.substr(pos, end == std::string_view::npos ? std::string_view::npos : end - pos);
  if (end == std::string_view::npos) {
    pos = source.size();
  } else {
    pos = end + 1;
    if (source[end] == '\r' && pos < source.size() && source[pos] == '\n') ++pos;
  }
  return raw;
}

// The index of the component section `name`, added at the end when there is none.
size_t SectionIndex(TLang_CompTranslations& tr, std::string_view name) {
  auto& sections = tr.Sections();
  for (size_t i = 0; i < sections.size(); ++i)
    if (SameName(sections[i].Name(), name)) return i;
  sections.emplace_back(std::string(name));
  return sections.size() - 1;
}

}  // namespace

void ParseLanguageText(TLang_CompTranslations& tr, std::string_view source, bool headerOnly) {
  tr.Clear();
  size_t zero = source.find('\0');
  if (zero != std::string_view::npos) source = source.substr(0, zero);

  State state = State::Header;
  size_t section = 0;  // index of the current component section
  int lineIndex = 0;
  size_t pos = 0;
  while (pos < source.size()) {
    std::string_view raw = NextLine(source, pos);
    int index = lineIndex++;

    std::string_view line = TrimBlanks(raw);
    if (line.empty() || line[0] == ';') continue;
    try {
      if (line[0] == '[') {
        if (headerOnly) return;
        if (line.size() <= 2 || line.back() != ']') continue;
        std::string_view name = TrimBlanks(line.substr(1, line.size() - 2));
        if (CompareNames(name, TLang_Constants::kSectionName) == 0) {
          state = State::Constants;
          continue;
        }
        state = State::Component;
        section = SectionIndex(tr, name);
        continue;
      }
      size_t eq = line.find('=');
      if (eq == std::string_view::npos) continue;
      std::string_view name = TrimBlanks(line.substr(0, eq));
      std::string_view value = TrimBlanks(line.substr(eq + 1));
      if (name.empty()) continue;
      switch (state) {
        case State::Header:
          tr.SetParam(name, value);
          break;
        case State::Constants:
          tr.Constants().Add(name, UnescapeText(value), 0);
          break;
        case State::Component: {
          int32_t id = IntegerOr(name, 0);
          if (id <= 0) break;
          tr.Sections()[section].Add(id, UnescapeText(value));
          break;
        }
      }
    } catch (const std::exception& e) {
      throw ELangError("Loading translations failed.\r\nLine " + std::to_string(index) + ": " + e.what());
    }
  }
}

std::string ControllerTemplateLine(std::string_view componentPath, std::string_view propertyPath, int32_t id,
                                   std::string_view defaultText) {
  char digits[16];
  std::snprintf(digits, sizeof digits, "%.8d", id);
  std::string line(componentPath);
  line += propertyPath;
  line += '=';
  line += digits;
  line += ',';
  line += EscapeTemplateText(defaultText);
  return line;
}

namespace {

[[noreturn]] void CannotOpen(const std::string& path, const char* reason) {
  throw EFOpenError("Cannot open file \"" + path + "\". " + reason);
}

// The header lines of a regular file: read line by line up to the first section line (or a
// byte 0), however far into the file it stands. Only whole lines are looked at (a line that
// a read cuts waits for the next read); comments and empty lines are dropped on the way, so
// only the header itself is kept.
std::string ReadHeaderLines(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) CannotOpen(path, std::strerror(errno));
  struct Closer {
    int Fd;
    ~Closer() { ::close(Fd); }
  } closer{fd};
  struct stat st {};
  if (::fstat(fd, &st) != 0) CannotOpen(path, std::strerror(errno));
  if (!S_ISREG(st.st_mode)) CannotOpen(path, S_ISDIR(st.st_mode) ? std::strerror(EISDIR) : "It is not a regular file.");

  std::string header, pending;
  bool done = false;
  // False once the header has ended.
  auto takeLine = [&header](std::string_view raw) {
    const std::string_view line = TrimBlanks(raw);
    if (line.empty() || line[0] == ';') return true;
    if (line[0] == '[') return false;
    header.append(line);
    header += '\n';
    return true;
  };
  char buffer[65536];
  while (!done) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0) {
      if (errno == EINTR) continue;
      CannotOpen(path, std::strerror(errno));
    }
    bool last = n == 0;
    std::string_view chunk(buffer, static_cast<std::size_t>(n));
    if (const std::size_t zero = chunk.find('\0'); zero != std::string_view::npos) {
      chunk = chunk.substr(0, zero);  // the text ends at a byte 0
      last = true;
    }
    pending.append(chunk);
    std::size_t start = 0;
    for (std::size_t end; !done && (end = pending.find_first_of("\r\n", start)) != std::string::npos; start = end + 1)
      done = !takeLine(std::string_view(pending).substr(start, end - start));
    pending.erase(0, start);
    if (last) {
      if (!done) takeLine(pending);
      done = true;
    }
  }
  return header;
}

}  // namespace

void TLang_CompTranslations::LoadFromFile(const std::string& path, bool headerOnly) {
  std::string bytes;
  if (headerOnly) {
    bytes = ReadHeaderLines(path);
  } else {
    try {
      bytes = platform::ReadWholeFile(path);
    } catch (const platform::EFileError& e) {
      throw EFOpenError(e.what());
    }
  }
  ParseLanguageText(*this, bytes, headerOnly);
}

void TLang_CompTranslations::LoadFromResource(HModule module, std::string_view name, bool headerOnly) {
  const std::string* bytes = FindRcData(module, name);
  if (!bytes) throw EFOpenError("Resource " + std::string(name) + " not found");
  ParseLanguageText(*this, *bytes, headerOnly);
}

void TLang_CompTranslations::LoadFromResource(HModule module, int id, bool headerOnly) {
  const std::string* bytes = FindRcData(module, id);
  if (!bytes) throw EFOpenError("Resource " + std::to_string(id) + " not found");
  ParseLanguageText(*this, *bytes, headerOnly);
}

}  // namespace localisation
