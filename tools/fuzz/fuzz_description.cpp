// Window description texts: the parser either reads them or fails with EReadError.
#include "platform/components/description.h"

#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  try {
    platform::TDescNode node = platform::ParseDescription(text);
    (void)node;
  } catch (const platform::EReadError&) {
  }
  return 0;
}
