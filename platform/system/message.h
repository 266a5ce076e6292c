// Messages for the user. A message is kept as the parts it is made of, each in the encoding it
// comes in: the program's own texts in their code page, paths as the file system writes them
// (UTF-8) and the system's reasons as the C library gives them under the user's locale. It is
// converted once, where it is shown: to UTF-8 for a window, to the locale's encoding for
// standard error.
#pragma once

#include <exception>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

class TMessage {
public:
  TMessage() = default;
  // A message that begins with the program's own text in code page `cp`.
  TMessage(std::string_view text, int cp) { Own(text, cp); }

  // The program's own text in code page `cp` (the process code page, or the interface code
  // page for named texts).
  TMessage& Own(std::string_view text, int cp);
  // A path as the file system writes it.
  TMessage& Path(std::string_view path);
  // The C library's reason for an errno value, in the language and encoding of the locale.
  TMessage& Reason(int error);
  // A text of the C library, in the encoding of the locale of this moment.
  TMessage& LocaleText(std::string_view text);
  TMessage& Append(const TMessage& other);

  bool Empty() const { return parts_.empty(); }
  // The message as Unicode, for a window.
  std::string Utf8() const;
  // The message in the encoding of the locale, for standard error.
  std::string ForTerminal() const;
  // The message in code page `cp`; characters the page lacks become '?'.
  std::string InCodePage(int cp) const;

  friend bool operator==(const TMessage& a, const TMessage& b) { return a.Utf8() == b.Utf8(); }

private:
  struct Part {
    std::string Bytes;
    int CodePage;         // of the program's texts; 65001 for UTF-8
    std::string Charset;  // the locale's, when not empty (then CodePage is unused)
  };
  std::vector<Part> parts_;
};

// UTF-8 text in the encoding of the locale of this moment (unchanged under a UTF-8 or an
// ASCII locale).
std::string Utf8ToLocale(std::string_view utf8);

// An error whose message is kept in parts; what() gives it in the process code page.
class EMessageError : public std::runtime_error {
public:
  explicit EMessageError(TMessage message);
  const TMessage& Message() const { return message_; }

private:
  TMessage message_;
};

// The message of an exception: the kept one, or what() as a text of code page `cp`.
TMessage MessageOf(const std::exception& e, int cp);
TMessage MessageOf(const std::exception& e);  // what() in the process code page

}  // namespace platform
