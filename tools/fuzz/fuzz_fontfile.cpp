// Font file reader: any bytes are checked without reading past their end, and bytes it
// accepts are written back unchanged (apart from the bits the writer always clears).
#include "assembly/fontfile.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  (void)assembly::FontPositivePartSize(bytes);
  const auto font = assembly::ReadFontFile(bytes);
  if (!font) return 0;
  std::string expected(bytes);
  expected[7] = char(uint8_t(expected[7]) & 0x7F);  // bit 7 of the type
  expected[11] = expected[15] = 0;                   // high bytes of the colours
  if (assembly::WriteFontFile(*font) != expected) std::abort();
  return 0;
}
