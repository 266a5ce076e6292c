// What the picture decoders share: their error, the bounds of the sizes they decode and the
// memory budget of the pictures converted at once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>

namespace platform {

// A picture that cannot be decoded, or one too large to decode safely.
class EImageError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// The largest pictures we decode: at most this many pixels in all, and at most as many pixels
// per byte of the file as the format can encode: LZW codes of 12 bits stand for at most 4096
// pixels, deflate inflates at most 1032 times to 8 pixels a byte, and every 8 x 8 block of a
// JPEG picture takes at least one bit.
constexpr std::uint64_t kMaxPicturePixels = 100'000'000;
constexpr std::uint64_t kGifPixelsPerFileByte = 4096;
constexpr std::uint64_t kPngPixelsPerFileByte = 1032 * 8;
constexpr std::uint64_t kJpegPixelsPerFileByte = 64 * 8;

// Raises EImageError when a declared picture size is refused.
void CheckPictureSize(std::uint64_t width, std::uint64_t height, std::size_t fileSize, std::uint64_t pixelsPerFileByte);

// The memory of the pictures converted at once, shared by every thread. A conversion holds a
// TPictureMemory for its whole run; the decoder books what the picture will need as soon as
// it knows its size (BookPictureMemory), waiting while other conversions hold the budget. A
// picture that needs more than the whole budget is refused (EImageError), alone or not.
// Without a holder on the thread, booking only refuses such a picture.
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

}  // namespace platform
