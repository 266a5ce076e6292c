// Decoders of GIF, JPEG and PNG pictures into 24-bit bitmaps. Transparent parts become white.
#pragma once

#include "platform/bitmap.h"

#include <cstdint>
#include <stdexcept>
#include <string>

namespace platform {

// A picture that cannot be decoded, or one too large to decode safely.
class EImageError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// The largest pictures we decode: at most this many pixels in all, and at most this many
// pixels per byte of the file (more than any of the three formats can compress).
constexpr std::uint64_t kMaxPicturePixels = 100'000'000;
constexpr std::uint64_t kMaxPixelsPerFileByte = 16384;

// Raises EImageError when a declared picture size is refused.
void CheckPictureSize(std::uint64_t width, std::uint64_t height, std::size_t file_size);

// Each takes the whole file in memory. GIF: the first image, drawn at its place on a white
// screen of the file's size (transparent index, interlaced rows, local or global colour map).
// JPEG: grey, RGB, YCbCr, CMYK and YCCK. PNG: every colour type and depth, composited over white.
Bitmap DecodeGif(const std::string& data);
Bitmap DecodeJpeg(const std::string& data);
Bitmap DecodePng(const std::string& data);

}  // namespace platform
