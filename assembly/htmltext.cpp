#include "assembly/htmltext.h"

#include "assembly/findfile.h"
#include "assembly/normalize.h"
#include "assembly/pictureformats.h"
#include "assembly/textpaths.h"
#include "platform/system/codepage.h"

#include <algorithm>
#include <string_view>

namespace assembly {

namespace {

// The tag's words: upper-cased (unless `keepCase`), blanks around "=" removed, split at every
// space. Upper-casing keeps every byte in its place, so both forms split alike.
std::vector<std::string> TagWords(std::string tag, bool keepCase = false) {
  if (!keepCase) platform::UpperCaseInPlace(tag);
  std::string joined;
  joined.reserve(tag.size());
  for (std::size_t i = 0; i < tag.size(); ++i) {
    if (tag[i] == '=') {
      while (!joined.empty() && joined.back() == ' ') joined.pop_back();
      joined += '=';
      while (i + 1 < tag.size() && tag[i + 1] == ' ') ++i;
    } else {
      joined += tag[i];
    }
  }
  std::vector<std::string> words;
  std::size_t start = 0;
  for (;;) {
    const std::size_t space = joined.find(' ', start);
    words.push_back(joined.substr(start, space == std::string::npos ? std::string::npos : space - start));
    if (space == std::string::npos) break;
    start = space + 1;
  }
  return words;
}

bool IsHeading(const std::string& word, bool closing) {
  const std::size_t at = closing ? 1 : 0;
  if (closing && (word.empty() || word[0] != '/')) return false;
  return word.size() == at + 2 && word[at] == 'H' && word[at + 1] >= '1' && word[at + 1] <= '6';
}

// The picture source of an IMG tag: the value of the first later word holding "SRC=", taken
// from the words as written (`rawWords`), since a name in UTF-8 does not survive the code
// page's upper-casing; file names are matched without regard to case anyway.
std::string PictureSource(const std::vector<std::string>& words, const std::vector<std::string>& rawWords,
                          std::size_t img) {
  for (std::size_t k = img + 1; k < words.size(); ++k) {
    const std::size_t at = words[k].find("SRC=");
    if (at == std::string::npos) continue;
    std::string value = rawWords[k].substr(at + 4);
    if (!value.empty() && value[0] == '"') {
      const std::size_t quote = value.find('"', 1);
      value = value.substr(1, quote == std::string::npos ? std::string::npos : quote - 1);
    } else {
      const auto blank =
          std::find_if(value.begin(), value.end(), [](char c) { return static_cast<unsigned char>(c) <= 32; });
      value.erase(blank, value.end());
    }
    ReplaceAll(value, "%20", " ");
    return value;
  }
  return std::string();
}

// One pass over an HTML document, collecting its text and title.
class HtmlReader {
public:
  HtmlReader(std::string html, TPictureList& pictures, const std::string& folder, const PictureConverter& convert)
      : html_(std::move(html)), pictures_(pictures), folder_(folder), convert_(convert) {
    // A UTF-8 byte-order mark declares the charset as a meta tag does.
    if (html_.starts_with("\xEF\xBB\xBF")) {
      html_.erase(0, 3);
      utf8_ = true;
    }
    TabsAndBreaksToSpaces(html_);
    upper_ = platform::UpperCase(html_);
  }

  std::string Read() {
    while (p_ < html_.size()) Step();
    return Finish();
  }

private:
  void Step() {
    const std::size_t n = html_.size();
    if (n - p_ >= 4 && html_.compare(p_, 4, "<!--") == 0) {
      const std::size_t close = html_.find("-->", p_);
      p_ = close == std::string::npos ? n : close + 3;
    } else if (skipDepth_ > 0) {
      SkipElement();
    } else if (html_[p_] != '<') {
      const unsigned char c = static_cast<unsigned char>(html_[p_]);
      if (c >= 32) {
        cellBreakDone_ = cellBreakDone_ && c == ' ';
        (inTitle_ ? title_ : out_) += static_cast<char>(c);
      }
      ++p_;
    } else {
      ReadTag();
    }
  }

  // An element whose end never comes drops the rest of the document.
  void SkipElement() {
    const std::size_t n = html_.size();
    const std::size_t close = upper_.find("</" + skipWord_, p_);
    if (close == std::string::npos) {
      p_ = n;
    } else {
      const std::size_t gt = html_.find('>', close + 1);
      p_ = gt == std::string::npos ? n : gt + 1;
    }
    --skipDepth_;
  }

  void ReadTag() {
    const std::size_t n = html_.size();
    const std::size_t gt = html_.find('>', p_ + 1);
    const std::size_t tagEnd = gt == std::string::npos ? n : gt;
    std::string tag;
    tag.reserve(tagEnd - p_);
    for (std::size_t k = p_ + 1; k < tagEnd; ++k)
      if (static_cast<unsigned char>(html_[k]) >= 32) tag += html_[k];
    p_ = gt == std::string::npos ? n : gt + 1;

    const std::vector<std::string> rawWords = TagWords(tag, true);
    const std::vector<std::string> words = TagWords(std::move(tag));
    for (std::size_t w = 0; w < words.size(); ++w) TagWord(words, rawWords, w);
  }

  void TagWord(const std::vector<std::string>& words, const std::vector<std::string>& rawWords, std::size_t w) {
    const std::string& word = words[w];
    if (w == 0 && (word == "STYLE" || word == "SCRIPT" || word == "FORM")) {
      ++skipDepth_;
      skipWord_ = word;
    } else if (word == "/P" || word == "/DIV" || word == "BR" || word == "BR/") {
      out_ += "\n\n";
    } else if (word == "TITLE") {
      inTitle_ = true;
    } else if (word == "/TITLE") {
      inTitle_ = false;
    } else if (IsHeading(word, false) || IsHeading(word, true)) {
      out_ += "\n\n\n";
    } else if (word == "/TD" || word == "/TH") {
      if (!cellBreakDone_) {
        out_ += "\n\n";
        cellBreakDone_ = true;
      }
    } else if (word == "IMG") {
      Picture(PictureSource(words, rawWords, w));
    } else if (words[0] == "?XML" && word.starts_with("ENCODING=")) {
      Declaration(word);
    } else {
      Charset(words[0], word);
    }
  }

  void Picture(const std::string& source) {
    if (source.empty()) return;
    const std::string path = FindFileIgnoringCase(folder_, source);
    if (path.empty() || PictureFormatOf(path) == nullptr) return;
    std::string png;
    if (convert_ && convert_(path, png)) {
      pictures_.push_back(std::move(png));
      out_ += kMarkerStart;
      out_ += std::to_string(pictures_.size());
      out_ += ".png";
      out_ += kMarkerEnd;
    }
  }

  // The encoding of an XML declaration names a charset as a meta tag does; a meta tag's
  // charset, where there is one, wins (Finish).
  void Declaration(const std::string& word) {
    std::string_view value = std::string_view(word).substr(9);
    if (value.starts_with('"') || value.starts_with('\'')) value.remove_prefix(1);
    declaredUtf8_ = value.starts_with("UTF-8");
    declaredWindows_ = value.starts_with("WINDOWS-");
  }

  void Charset(const std::string& first, const std::string& word) {
    const bool content = word.starts_with("CONTENT=");
    metaCharset_ =
        metaCharset_ ||
        (first == "META" && (word.starts_with("CHARSET=") || (content && word.find("CHARSET=") != std::string::npos)));
    // A meta tag may quote its charset (<meta charset="utf-8">).
    const bool quoted = first == "META" && (word.starts_with("CHARSET=\"") || word.starts_with("CHARSET='"));
    const std::string_view charset = quoted ? std::string_view(word).substr(9) : std::string_view();
    if ((content && word.find("CHARSET=UTF-8") != std::string::npos) || word.starts_with("CHARSET=UTF-8") ||
        charset.starts_with("UTF-8"))
      utf8_ = true;
    if ((content && word.find("CHARSET=WINDOWS-") != std::string::npos) || word.starts_with("CHARSET=WINDOWS-") ||
        charset.starts_with("WINDOWS-"))
      windowsCharset_ = true;
  }

  std::string Finish() {
    if (!metaCharset_) {
      utf8_ = utf8_ || declaredUtf8_;
      windowsCharset_ = windowsCharset_ || declaredWindows_;
    }
    for (std::string* text : {&out_, &title_}) {
      if (utf8_) *text = platform::FromUtf8(*text);
      if (utf8_ || windowsCharset_) std::replace(text->begin(), text->end(), '\xA0', ' ');
      DecodeHtmlEntities(*text);
      TrimSpacesAndLineFeeds(*text);
    }
    if (!platform::UpperCase(out_).starts_with(platform::UpperCase(title_))) out_ = title_ + "\n\n\n" + out_;
    return std::move(out_);
  }

  std::string html_, upper_;
  TPictureList& pictures_;
  const std::string& folder_;
  const PictureConverter& convert_;
  std::size_t p_ = 0;
  std::string out_, title_;
  int skipDepth_ = 0;
  std::string skipWord_;
  bool inTitle_ = false, cellBreakDone_ = false, windowsCharset_ = false, utf8_ = false;
  bool metaCharset_ = false, declaredUtf8_ = false, declaredWindows_ = false;
};

}  // namespace

void TabsAndBreaksToSpaces(std::string& text) {
  for (char& c : text)
    if (c == '\t' || c == '\n' || c == '\r') c = ' ';
}

void TrimSpacesAndLineFeeds(std::string& text) {
  auto blank = [](char c) { return c == ' ' || c == '\n'; };
  std::size_t end = text.size();
  while (end > 0 && blank(text[end - 1])) --end;
  std::size_t start = 0;
  while (start < end && blank(text[start])) ++start;
  text = text.substr(start, end - start);
}

void DecodeHtmlEntities(std::string& text) {
  static const std::pair<std::string_view, std::string_view> entities[] = {
      {"&quot;", "\""},    {"&nbsp;", " "},   {"&#9;", " "},       {"&amp;", "&"},    {"&lt;", "<"},
      {"&gt;", ">"},       {"&copy;", "(C)"}, {"&reg;", "(R)"},    {"&ensp;", " "},   {"&emsp;", " "},
      {"&thinsp;", " "},   {"&ndash;", "-"},  {"&mdash;", "-"},    {"&lsquo;", "`"},  {"&rsquo;", "'"},
      {"&sbquo;", "'"},    {"&ldquo;", "\""}, {"&bdquo;", "\""},   {"&rdquo;", "\""}, {"&bull;", "- "},
      {"&hellip;", "..."}, {"&frasl;", "/"},  {"&trade;", "(tm)"}, {"&sim;", "~"},    {"&le;", "<="},
      {"&ge;", ">="},      {"&sdot;", "*"}};
  if (text.find('&') == std::string::npos) return;
  for (const auto& [entity, replacement] : entities) ReplaceAll(text, entity, replacement);
}

std::string HtmlToText(std::string html, TPictureList& pictures, const std::string& folder,
                       const PictureConverter& convert) {
  return HtmlReader(std::move(html), pictures, folder, convert).Read();
}

}  // namespace assembly
