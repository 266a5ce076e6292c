#include "platform/system/codepage.h"

#include <array>
#include <atomic>
#include <cerrno>
#include <clocale>
#include <cstdlib>
#include <cwctype>
#include <iconv.h>
#include <locale.h>
#include <map>
#include <memory>
#include <mutex>
#include <unordered_map>

namespace platform {
namespace {

const char* IconvName(int number) {
  switch (number) {
    case 874: return "CP874";
    case 437: return "CP437";
    case 850: return "CP850";
    case 866: return "CP866";
    case 1250: return "CP1250";
    case 1251: return "CP1251";
    case 1252: return "CP1252";
    case 1253: return "CP1253";
    case 1254: return "CP1254";
    case 1255: return "CP1255";
    case 1256: return "CP1256";
    case 1257: return "CP1257";
    case 1258: return "CP1258";
    case 10000: return "MACINTOSH";
    case 28591: return "ISO-8859-1";
    case 28592: return "ISO-8859-2";
    case 28595: return "ISO-8859-5";
    case 28605: return "ISO-8859-15";
    default: return nullptr;
  }
}

// Full Unicode case mapping, independent of the user's locale.
locale_t UnicodeLocale() {
  static locale_t loc = [] {
    locale_t l = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(0));
    return l;
  }();
  return loc;
}

char32_t DecodeOne(iconv_t cd, unsigned char byte) {
  char in[1] = {static_cast<char>(byte)};
  char32_t out[4] = {};
  char* inp = in;
  size_t inleft = 1;
  char* outp = reinterpret_cast<char*>(out);
  size_t outleft = sizeof(out);
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  size_t r = iconv(cd, &inp, &inleft, &outp, &outleft);
  if (r != static_cast<size_t>(-1))  // flush a held combining character (CP1258)
    iconv(cd, nullptr, nullptr, &outp, &outleft);
  size_t produced = (sizeof(out) - outleft) / sizeof(char32_t);
  if (r == static_cast<size_t>(-1) || inleft != 0 || produced != 1) return byte;
  return out[0];
}

std::atomic<int> g_ansi{0};

}  // namespace

CodePage::CodePage(int number) : number_(number) {
  const char* name = IconvName(number);
  iconv_t cd = name ? iconv_open("UTF-32LE", name) : reinterpret_cast<iconv_t>(-1);
  for (int b = 0; b < 256; ++b) {
    if (b < 128 && number != 437 && number != 850 && number != 866 && number != 10000)
      toUnicode_[b] = static_cast<char32_t>(b);
    else if (cd != reinterpret_cast<iconv_t>(-1)) toUnicode_[b] = DecodeOne(cd, static_cast<unsigned char>(b));
    else toUnicode_[b] = static_cast<char32_t>(b);
  }
  // The OEM and Mac pages decode ASCII as ASCII too; only control bytes may differ.
  for (int b = 32; b < 127; ++b) toUnicode_[b] = static_cast<char32_t>(b);
  if (cd != reinterpret_cast<iconv_t>(-1)) iconv_close(cd);
  for (int b = 255; b >= 0; --b) fromUnicode_[toUnicode_[b]] = static_cast<unsigned char>(b);

  locale_t loc = UnicodeLocale();
  for (int b = 0; b < 256; ++b) {
    upper_[b] = static_cast<unsigned char>(b);
    char32_t u = toUnicode_[b];
    if (!loc) {
      if (b >= 'a' && b <= 'z') upper_[b] = static_cast<unsigned char>(b - 32);
      continue;
    }
    char32_t up = static_cast<char32_t>(towupper_l(static_cast<wint_t>(u), loc));
    if (up != u)
      if (auto x = FromUnicode(up)) upper_[b] = *x;
  }
}

std::optional<unsigned char> CodePage::FromUnicode(char32_t cp) const {
  if (cp < 128 && toUnicode_[cp] == cp) return static_cast<unsigned char>(cp);
  auto it = fromUnicode_.find(cp);
  if (it == fromUnicode_.end()) return std::nullopt;
  return it->second;
}

const CodePage& CodePage::Get(int number) {
  if (!IconvName(number)) number = 1252;
  static std::mutex mu;
  static std::map<int, std::unique_ptr<CodePage>> pages;
  std::lock_guard<std::mutex> lock(mu);
  auto& slot = pages[number];
  if (!slot) slot.reset(new CodePage(number));
  return *slot;
}

int CodePageForLanguage(std::string_view lang) {
  static const std::unordered_map<std::string_view, int> table = {
      {"ru", 1251}, {"uk", 1251}, {"bg", 1251}, {"be", 1251}, {"sr", 1251}, {"mk", 1251},
      {"kk", 1251}, {"ky", 1251}, {"tt", 1251}, {"mn", 1251}, {"ba", 1251}, {"tg", 1251},
      {"pl", 1250}, {"cs", 1250}, {"sk", 1250}, {"hu", 1250}, {"sl", 1250}, {"hr", 1250},
      {"ro", 1250}, {"sq", 1250}, {"bs", 1250},
      {"el", 1253},
      {"tr", 1254}, {"az", 1254}, {"uz", 1254},
      {"he", 1255}, {"yi", 1255},
      {"ar", 1256}, {"fa", 1256}, {"ur", 1256},
      {"et", 1257}, {"lv", 1257}, {"lt", 1257},
      {"vi", 1258},
      {"th", 874},
  };
  auto it = table.find(lang);
  return it == table.end() ? 1252 : it->second;
}

int AnsiCodePage() {
  int cp = g_ansi.load();
  if (cp) return cp;
  cp = 1252;
  if (const char* env = std::getenv("QW_ANSI_CODEPAGE"); env && *env) {
    int n = std::atoi(env);
    if (IconvName(n)) cp = n;
  } else {
    for (const char* var : {"LC_ALL", "LC_CTYPE", "LANG"}) {
      const char* v = std::getenv(var);
      if (!v || !*v) continue;
      std::string_view s(v);
      size_t end = s.find_first_of("_.@");
      std::string_view lang = s.substr(0, end);
      if (lang != "C" && lang != "POSIX") cp = CodePageForLanguage(lang);
      break;
    }
  }
  g_ansi.store(cp);
  return cp;
}

void SetAnsiCodePage(int number) { g_ansi.store(IconvName(number) ? number : 1252); }

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

namespace {
// The length of the well-formed UTF-8 sequence at s[i] with its code point, or 0 when the
// bytes there are malformed (overlong, surrogate, past U+10FFFF, cut short).
int Utf8SequenceAt(std::string_view s, size_t i, char32_t& cp) {
  const unsigned char c = static_cast<unsigned char>(s[i]);
  const int len = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
  if (len == 1) {
    cp = c;
    return 1;
  }
  if (len == 0 || i + len > s.size()) return 0;
  cp = c & (0x7F >> len);
  for (int k = 1; k < len; ++k) {
    const unsigned char t = static_cast<unsigned char>(s[i + k]);
    if ((t & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (t & 0x3F);
  }
  static const char32_t min[] = {0, 0, 0x80, 0x800, 0x10000};
  if (cp < min[len] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  return len;
}
}  // namespace

std::u32string DecodeUtf8(std::string_view s) {
  std::u32string out;
  out.reserve(s.size());
  size_t i = 0;
  while (i < s.size()) {
    char32_t cp = 0;
    const int len = Utf8SequenceAt(s, i, cp);
    out += len != 0 ? cp : U'\uFFFD';
    i += len != 0 ? static_cast<size_t>(len) : 1;
  }
  return out;
}

bool IsUtf8(std::string_view s) {
  char32_t cp = 0;
  for (size_t i = 0; i < s.size();) {
    const int len = Utf8SequenceAt(s, i, cp);
    if (len == 0) return false;
    i += static_cast<size_t>(len);
  }
  return true;
}

std::string ToUtf8(std::string_view bytes, int cp) {
  const CodePage& page = CodePage::Get(cp);
  std::string out;
  out.reserve(bytes.size() * 2);
  for (unsigned char b : bytes) AppendUtf8(out, page.ToUnicode(b));
  return out;
}

std::string FromUtf8(std::string_view utf8, int cp, char fallback) {
  const CodePage& page = CodePage::Get(cp);
  std::string out;
  out.reserve(utf8.size());
  for (char32_t c : DecodeUtf8(utf8)) {
    auto b = page.FromUnicode(c);
    out += b ? static_cast<char>(*b) : fallback;
  }
  return out;
}

std::u16string ToUtf16(std::string_view bytes, int cp) {
  const CodePage& page = CodePage::Get(cp);
  std::u16string out;
  out.reserve(bytes.size());
  for (unsigned char b : bytes) {
    char32_t c = page.ToUnicode(b);
    if (c >= 0x10000) {
      c -= 0x10000;
      out += static_cast<char16_t>(0xD800 + (c >> 10));
      out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
    } else {
      out += static_cast<char16_t>(c);
    }
  }
  return out;
}

std::string FromUtf16(std::u16string_view text, int cp, char fallback) {
  const CodePage& page = CodePage::Get(cp);
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] < 0xE000) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    }
    auto b = page.FromUnicode(c);
    out += b ? static_cast<char>(*b) : fallback;
  }
  return out;
}

namespace {
std::u32string UnencodableOf(const std::u32string& text, int cp) {
  const CodePage& page = CodePage::Get(cp);
  std::u32string out;
  for (char32_t c : text)
    if (!page.FromUnicode(c) && out.find(c) == std::u32string::npos) out += c;
  return out;
}
}  // namespace

std::u32string Unencodable(std::string_view utf8, int cp) { return UnencodableOf(DecodeUtf8(utf8), cp); }

std::u32string Unencodable(std::u16string_view text, int cp) {
  std::u32string decoded;
  decoded.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    }
    decoded += c;
  }
  return UnencodableOf(decoded, cp);
}

char32_t FoldCase(char32_t c) {
  if (c < 0x80) return c >= 'A' && c <= 'Z' ? c + 32 : c;
  locale_t loc = UnicodeLocale();
  if (!loc) return c;
  // Lower case of the upper case, so that both forms of a letter (and title-case forms) meet.
  const auto up = static_cast<wint_t>(towupper_l(static_cast<wint_t>(c), loc));
  return static_cast<char32_t>(towlower_l(up, loc));
}

bool SameTextUtf8(std::string_view a, std::string_view b) {
  if (a == b) return true;
  const std::u32string x = DecodeUtf8(a), y = DecodeUtf8(b);
  if (x.size() != y.size()) return false;
  for (size_t i = 0; i < x.size(); ++i) {
    if (x[i] == U'\uFFFD' || y[i] == U'\uFFFD') return false;
    if (x[i] != y[i] && FoldCase(x[i]) != FoldCase(y[i])) return false;
  }
  return true;
}

void UpperCaseInPlace(std::string& bytes, int cp) {
  const CodePage& page = CodePage::Get(cp);
  for (char& ch : bytes) ch = static_cast<char>(page.Upper(static_cast<unsigned char>(ch)));
}

std::string UpperCase(std::string_view bytes, int cp) {
  std::string s(bytes);
  UpperCaseInPlace(s, cp);
  return s;
}

bool SameText(std::string_view a, std::string_view b, int cp) {
  if (a.size() != b.size()) return false;
  const CodePage& page = CodePage::Get(cp);
  for (size_t i = 0; i < a.size(); ++i)
    if (page.Upper(static_cast<unsigned char>(a[i])) != page.Upper(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

}  // namespace platform
