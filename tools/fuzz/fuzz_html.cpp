// HTML conversion and book text normalisation: any bytes convert without fault; the
// normalisation equals the literal sweeps on small texts, is idempotent, keeps markers inside
// their 128-character blocks, and the build's cut-and-prepend text follows the string steps.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "assembly/booktext.h"
#include "assembly/normalize.h"

using namespace assembly;

namespace {

std::string SlowNormalize(const std::string& text) {
  std::string s;
  for (char c : text)
    if (c != ' ' || (!s.empty() && s.back() != ' ' && s.back() != '\n')) s += c;
  static const struct {
    const char* pattern;
    int deleted;
  } rules[] = {{" \x01", 0},  {"\n\x01", 0},  {"\r\x01", 0},    {"\t\x01", 0}, {"\x02 ", 1},
               {"\x02\n", 1}, {"\x02\r", 1},  {"\x02\t", 1}, {"\n\n\n\n", 0}, {" \n", 0}};
  for (bool found = true; found;) {
    found = false;
    for (const auto& r : rules) {
      const std::size_t p = s.find(r.pattern);
      if (p != std::string::npos) {
        s.erase(p + r.deleted, 1);
        found = true;
      }
    }
  }
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] != '\x01') continue;
    std::size_t j = s.find('\x02', i + 1);
    if (j == std::string::npos) j = s.size();
    const std::size_t b = (i + 127) / 128 * 128;
    if (i < b && j >= b) s.insert(i, b - i, ' ');
  }
  return s;
}

// The rest after a cut normalised again, a space right after the cut kept.
std::string NormalizeRest(const std::string& rest) {
  return AlignPictureMarkers(GlueBookText("x" + rest).substr(1));
}

void Check(const std::string& text) {
  const std::string normal = NormalizeBookText(text);
  if (text.size() <= 600 && SlowNormalize(text) != normal) std::abort();
  if (NormalizeBookText(normal) != normal) std::abort();
  for (std::size_t i = normal.find('\x01'); i != std::string::npos; i = normal.find('\x01', i + 1)) {
    const std::size_t j = normal.find('\x02', i);
    if (j == std::string::npos) break;
    if (normal.find('\x01', i + 1) < j) continue;
    if (i / 128 != j / 128 && i % 128 != 0) std::abort();
  }

  // Cuts taken from the text's own bytes.
  TNormalizedText cut(text);
  std::string literal = normal;
  const std::string intro = text.substr(0, text.size() % 40);
  for (std::size_t k = 0; k < text.size() && k < 24 && !literal.empty(); ++k) {
    if (cut.ToString() != literal || cut.Length() != literal.size()) std::abort();
    const unsigned char c = static_cast<unsigned char>(text[k]);
    if (c % 7 == 0) {
      literal = intro.empty() ? NormalizeRest(literal) : NormalizeBookText(intro + literal);
      cut.Prepend(intro);
      continue;
    }
    const std::size_t n = c % 2 ? 128 * (1 + c % 3) : 1 + c;
    if (n >= literal.size()) {
      literal.clear();
    } else {
      literal = literal.substr(n);
      if (n % 128 != 0) literal = NormalizeRest(literal);
    }
    cut.DropFront(n);
  }
  if (cut.ToString() != literal) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  TPictureList pictures;
  const PictureConverter accept = [](const std::string&, std::string& png) {
    png = "png";
    return true;
  };
  const std::string text = HtmlToText(input, pictures, "/nonexistent-qw-fuzz/", accept);
  if (!pictures.empty()) std::abort();
  Check(text);
  Check(input);
  return 0;
}
