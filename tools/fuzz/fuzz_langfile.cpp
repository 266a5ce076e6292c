// Language file parser: any bytes either parse or fail with ELangError; what parsed must be
// consistent (sorted ids and names), and escaping a parsed text reads back to the same text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "localisation/escape.h"
#include "localisation/langfile.h"

using namespace localisation;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  for (bool headerOnly : {true, false}) {
    TLang_CompTranslations tr;
    try {
      ParseLanguageText(tr, text, headerOnly);
    } catch (const ELangError&) {
    }
    const TLang_Constants& c = tr.Constants();
    for (int i = 1; i < c.Count(); ++i)
      if (CompareNames(c[i - 1].Name, c[i].Name) >= 0) std::abort();
    for (int i = 0; i < c.Count(); ++i) {
      const std::string& t = c[i].Text;
      if (t.find_first_of("\r\n") == std::string::npos &&
          UnescapeText(TrimBlanks(EscapeTemplateText(t))) != t)
        std::abort();
    }
    for (const TLang_CompTranslation& s : tr.Sections()) {
      for (int i = 0; i < s.Count(); ++i) {
        if (s[i].Id <= 0 || (i > 0 && s[i - 1].Id >= s[i].Id)) std::abort();
        if (s.IndexOf(s[i].Id) != i) std::abort();
      }
    }
  }
  return 0;
}
