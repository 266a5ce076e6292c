#include "platform/imaging/imagefile.h"

#include <condition_variable>
#include <mutex>

namespace platform {

void CheckPictureSize(std::uint64_t width, std::uint64_t height, std::size_t fileSize,
                      std::uint64_t pixelsPerFileByte) {
  if (width == 0 || height == 0) throw EImageError("Picture has no pixels");
  if (width > kMaxPicturePixels || height > kMaxPicturePixels) throw EImageError("Picture too large");
  const std::uint64_t pixels = width * height;
  if (pixels > kMaxPicturePixels || (pixels + pixelsPerFileByte - 1) / pixelsPerFileByte > fileSize)
    throw EImageError("Picture too large");
}

namespace {

std::mutex budgetMutex;
std::condition_variable budgetFreed;
std::uint64_t budgetUsed = 0;  // guarded by budgetMutex
thread_local TPictureMemory* currentHolder = nullptr;

}  // namespace

TPictureMemory::TPictureMemory() : outer_(currentHolder) { currentHolder = this; }

TPictureMemory::~TPictureMemory() {
  currentHolder = outer_;
  if (booked_ == 0) return;
  std::lock_guard lock(budgetMutex);
  budgetUsed -= booked_;
  budgetFreed.notify_all();
}

void BookPictureMemory(std::uint64_t bytes) {
  TPictureMemory* holder = currentHolder;
  const std::uint64_t booked = holder == nullptr ? 0 : holder->booked_;
  if (bytes > kPictureMemoryBudget || booked + bytes > kPictureMemoryBudget)
    throw EImageError("Picture too large for the memory of the conversion");
  if (holder == nullptr || bytes == 0) return;
  std::unique_lock lock(budgetMutex);
  // Only a holder that has booked nothing waits, so waiting threads hold nothing.
  if (holder->booked_ == 0)
    budgetFreed.wait(lock, [&] { return budgetUsed == 0 || budgetUsed + bytes <= kPictureMemoryBudget; });
  budgetUsed += bytes;
  holder->booked_ += bytes;
}

}  // namespace platform
