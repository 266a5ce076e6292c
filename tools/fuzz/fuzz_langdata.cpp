// LangData values: reading never runs past the data, and what reads encodes back the same.
#include "localisation/constants.h"
#include "localisation/langcontroller.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  localisation::TLang_CompEntry root;
  try {
    localisation::ReadLangData(root, bytes);
  } catch (const localisation::ELangError&) {
    return 0;
  }
  // Duplicate paths collapse on reading, so compare a second round trip.
  std::string once = localisation::EncodeLangData(root);
  localisation::TLang_CompEntry again;
  localisation::ReadLangData(again, once);
  if (localisation::EncodeLangData(again) != once) std::abort();
  return 0;
}
