// HTML conversion and book text normalisation: any bytes convert without fault; the
// normalisation equals the literal sweeps on small texts, is idempotent, keeps markers inside
// their 128-character blocks, and the build's cut-and-prepend text follows the string steps.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "assembly/booktext.h"
#include "assembly/normalize.h"
#include "support/slownormalize.h"

using namespace assembly;

namespace {

using testing_support::SlowNormalize;

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
