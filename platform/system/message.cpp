#include "platform/system/message.h"

#include "platform/system/codepage.h"

#include <iconv.h>
#include <langinfo.h>
#include <cerrno>
#include <cstring>
#include <utility>

namespace platform {

namespace {

constexpr int kUtf8 = 65001;

// The locale's character set, or "" when its texts are UTF-8 or plain ASCII already.
std::string LocaleCharset() {
  const char* set = ::nl_langinfo(CODESET);
  if (set == nullptr) return {};
  const std::string name = set;
  if (name == "UTF-8" || name == "utf8" || name == "ANSI_X3.4-1968" || name == "ASCII") return {};
  return name;
}

// `text` from character set `from` to `to` with iconv; characters `to` lacks become '?'.
std::string Convert(std::string_view text, const std::string& from, const std::string& to) {
  iconv_t cd = ::iconv_open(to.c_str(), from.c_str());
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::string(text);
  std::string out;
  std::string in(text);
  char* inPtr = in.data();
  std::size_t inLeft = in.size();
  char buffer[1024];
  while (inLeft > 0) {
    char* outPtr = buffer;
    std::size_t outLeft = sizeof buffer;
    const std::size_t r = ::iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
    if (r == static_cast<std::size_t>(-1) && errno != E2BIG) {
      // A byte or character that cannot be converted: one '?' for it, then go on.
      out += '?';
      ++inPtr;
      --inLeft;
      if (from == "UTF-8")
        while (inLeft > 0 && (static_cast<unsigned char>(*inPtr) & 0xC0) == 0x80) ++inPtr, --inLeft;
    }
  }
  ::iconv_close(cd);
  return out;
}

}  // namespace

TMessage& TMessage::Own(std::string_view text, int cp) {
  parts_.push_back({std::string(text), cp, {}});
  return *this;
}

TMessage& TMessage::Path(std::string_view path) {
  parts_.push_back({std::string(path), kUtf8, {}});
  return *this;
}

TMessage& TMessage::Reason(int error) { return LocaleText(std::strerror(error)); }

TMessage& TMessage::LocaleText(std::string_view text) {
  parts_.push_back({std::string(text), kUtf8, LocaleCharset()});
  return *this;
}

TMessage& TMessage::Append(const TMessage& other) {
  parts_.insert(parts_.end(), other.parts_.begin(), other.parts_.end());
  return *this;
}

std::string TMessage::Utf8() const {
  std::string out;
  for (const Part& p : parts_) {
    if (!p.Charset.empty()) out += Convert(p.Bytes, p.Charset, "UTF-8");
    else if (p.CodePage == kUtf8) out += p.Bytes;
    else out += ToUtf8(p.Bytes, p.CodePage);
  }
  return out;
}

std::string TMessage::ForTerminal() const { return Utf8ToLocale(Utf8()); }

std::string TMessage::InCodePage(int cp) const { return FromUtf8(Utf8(), cp); }

std::string Utf8ToLocale(std::string_view utf8) {
  const std::string charset = LocaleCharset();
  return charset.empty() ? std::string(utf8) : Convert(utf8, "UTF-8", charset);
}

EMessageError::EMessageError(TMessage message)
    : std::runtime_error(message.InCodePage(AnsiCodePage())), message_(std::move(message)) {}

TMessage MessageOf(const std::exception& e, int cp) {
  if (const auto* m = dynamic_cast<const EMessageError*>(&e)) return m->Message();
  return TMessage(e.what(), cp);
}

TMessage MessageOf(const std::exception& e) { return MessageOf(e, AnsiCodePage()); }

}  // namespace platform
