// Decoders of GIF, JPEG and PNG pictures into 24-bit bitmaps. Transparent parts become white.
#pragma once

#include "platform/imaging/bitmap.h"

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
void CheckPictureSize(std::uint64_t width, std::uint64_t height, std::size_t fileSize);

// The memory of the pictures converted at once, shared by every thread. A conversion holds a
// TPictureMemory for its whole run; the decoder books what the picture will need as soon as
// it knows its size (BookPictureMemory), waiting while other conversions hold the budget. A
// picture larger than the whole budget waits until it is alone. Without a holder on the
// thread, booking does nothing.
constexpr std::uint64_t kPictureMemoryBudget = 384ull << 20;
class TPictureMemory {
public:
  TPictureMemory();
  ~TPictureMemory();
  TPictureMemory(const TPictureMemory&) = delete;
  TPictureMemory& operator=(const TPictureMemory&) = delete;

private:
  TPictureMemory* outer_;
  std::uint64_t booked_ = 0;
  friend void BookPictureMemory(std::uint64_t bytes);
};
void BookPictureMemory(std::uint64_t bytes);
// Bytes a conversion needs per pixel of its picture beside the decoder's own: the decoded
// bitmap and its scaled and reduced copies.
constexpr std::uint64_t kConversionBytesPerPixel = 8;

// Each takes the whole file in memory. GIF: the first image at its own size, on white
// (transparent index, interlaced rows, local or global colour map); the file's screen size
// is not used, so a huge screen around a small image costs nothing.
// JPEG: grey, RGB, YCbCr, CMYK and YCCK. PNG: every colour type and depth, composited over white.
Bitmap DecodeGif(const std::string& data);
Bitmap DecodeJpeg(const std::string& data);
Bitmap DecodePng(const std::string& data);

}  // namespace platform
