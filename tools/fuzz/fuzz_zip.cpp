// Loads arbitrary bytes as an archive and reads every entry: only clean errors may come out.
#include "assembly/zipfile.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  assembly::TZipFile zip;
  try {
    zip.LoadFromBytes(std::string_view(reinterpret_cast<const char*>(data), size));
  } catch (const assembly::EZipFileError&) {
    return 0;
  }
  std::string out;
  for (int i = 0; i < zip.Count(); ++i) {
    try {
      zip.ReadEntryData(i, out);
    } catch (const assembly::EZipFileError&) {
    }
  }
  // What loaded must save to an archive of exactly the predicted size that loads again.
  const int64_t predicted = zip.ArchiveSize();
  std::string saved = zip.SaveToBytes();
  if (static_cast<int64_t>(saved.size()) != predicted) __builtin_trap();
  assembly::TZipFile again;
  again.LoadFromBytes(saved);
  if (again.Count() != zip.Count()) __builtin_trap();
  return 0;
}
