// Feeds arbitrary bytes through the picture converter: the decoders (chosen by the file's
// signature), the downscaler, the colour reduction and the PNG encoder.
#include "assembly/picture.h"
#include "platform/imaging/picturedecoder.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

class QuietHost : public assembly::BuildHost {
public:
  void ShowMessage(const std::string&, const std::string&, assembly::MessageIcon) override {}
  void RequestTerminate() override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  const std::string data(reinterpret_cast<const char*>(bytes), size);
  const char* name = "picture.png";
  if (data.compare(0, 3, "GIF") == 0) name = "picture.gif";
  else if (size >= 2 && bytes[0] == 0xFF && bytes[1] == 0xD8) name = "picture.jpg";

  assembly::TImageConversionParameters params;
  params.Colors = static_cast<std::uint8_t>(1 + size % 4);
  params.Dithering = static_cast<std::uint8_t>(size / 4 % 2);
  params.MaxWidth = 40;
  params.MaxHeight = 40;
  params.IgnoreEmpty = static_cast<std::uint8_t>(size / 8 % 2);
  QuietHost host;
  std::string png;
  try {
    if (!assembly::ConvertImageData(name, data, png, params, host)) return 0;
  } catch (const platform::EImageError&) {
    return 0;  // a PNG picture that cannot be decoded: the decoder's error ends the build
  }
  // What we wrote must decode again.
  const platform::Bitmap back = platform::TPngDecoder().Decode(png);
  if (back.Width() < 1 || back.Width() > 40 || back.Height() < 1 || back.Height() > 40) __builtin_trap();
  return 0;
}
