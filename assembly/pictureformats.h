// The picture formats a book may hold: by which file name endings they are known, which
// decoder reads them and what a file of theirs that cannot be decoded does to the build.
#pragma once

#include "platform/imaging/picturedecoder.h"

#include <string>
#include <string_view>
#include <vector>

namespace assembly {

// What a picture that cannot be decoded does.
enum class DecodeFailure {
  // The decoder's error, naming the picture, ends the build that converts it.
  EndBuild,
  // "Unable to load image: " + path is shown and the program asked to end; the build goes on
  // without the picture.
  SkipPicture,
};

struct TPictureFormat {
  std::string_view Name;
  std::vector<std::string_view> Endings;  // upper case, with their dot
  const platform::TPictureDecoder& Decoder;
  DecodeFailure OnFailure;
};

// Every format, one row each.
const std::vector<TPictureFormat>& PictureFormats();

// The format whose ending the path has (any case), or nullptr.
const TPictureFormat* PictureFormatOf(const std::string& path);

}  // namespace assembly
