#include "assembly/pictureformats.h"

#include "platform/system/codepage.h"

namespace assembly {

const std::vector<TPictureFormat>& PictureFormats() {
  static const platform::TGifDecoder gif;
  static const platform::TJpegDecoder jpeg;
  static const platform::TPngDecoder png;
  static const std::vector<TPictureFormat> formats = {
      {"GIF", {".GIF"}, gif, DecodeFailure::SkipPicture},
      {"JPEG", {".JPG", ".JPEG"}, jpeg, DecodeFailure::SkipPicture},
      {"PNG", {".PNG"}, png, DecodeFailure::EndBuild},
  };
  return formats;
}

const TPictureFormat* PictureFormatOf(const std::string& path) {
  const std::string upper = platform::UpperCase(path);
  for (const TPictureFormat& format : PictureFormats())
    for (std::string_view ending : format.Endings)
      if (upper.ends_with(ending)) return &format;
  return nullptr;
}

}  // namespace assembly
