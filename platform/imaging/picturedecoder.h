// Decoders of picture files into 24-bit bitmaps, one class per format. Transparent parts
// become white.
#pragma once

#include "platform/imaging/bitmap.h"
#include "platform/imaging/imagefile.h"

#include <string>

namespace platform {

// Decodes one file format. Decode takes the whole file in memory and raises EImageError when
// the file cannot be decoded or its picture is refused (CheckPictureSize, BookPictureMemory).
class TPictureDecoder {
public:
  virtual ~TPictureDecoder() = default;
  virtual Bitmap Decode(const std::string& data) const = 0;
};

// A white bitmap of the file's screen size (of the image's extent when the screen has no
// size) with the first image drawn at its offset (transparent index, interlaced rows, local
// or global colour map); the screen's pixels count against the budget like any others.
class TGifDecoder final : public TPictureDecoder {
public:
  Bitmap Decode(const std::string& data) const override;
};

// Grey, RGB, YCbCr, CMYK and YCCK; a progressive file must carry the DC data of every block.
class TJpegDecoder final : public TPictureDecoder {
public:
  Bitmap Decode(const std::string& data) const override;
};

// Every colour type and depth, composited over white.
class TPngDecoder final : public TPictureDecoder {
public:
  Bitmap Decode(const std::string& data) const override;
};

}  // namespace platform
