// Phone list reader: any bytes parse without fault; every entry read without an error holds
// values inside the accepted ranges.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "assembly/host.h"
#include "assembly/phonelist.h"
#include "assembly/phones.h"

using namespace assembly;

namespace {

struct CountingHost : BuildHost {
  int messages = 0;
  void ShowMessage(const std::string&, const std::string&, MessageIcon) override { ++messages; }
  void RequestTerminate() override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  CountingHost host;
  TPHONESLIST list;
  const bool ok = ParsePhonesList(host, text, list);
  if (ok != (host.messages == 0)) std::abort();
  if (ok) {
    if (list.empty()) std::abort();
    for (const TPhonesListEntry& e : list) {
      if (e.Row < 0 || e.Row >= kPhoneModelCount || e.KeysConfig > 12 || e.JarLimitKB < 64 ||
          e.Quality > 3 || e.MaxWidth < 64 || e.MaxHeight < 32)
        std::abort();
    }
  }
  std::size_t pos = 0;
  while (!ReadListToken(text, pos).empty())
    if (pos > text.size()) std::abort();
  return 0;
}
