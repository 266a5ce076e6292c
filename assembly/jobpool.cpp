#include "assembly/jobpool.h"

#include <algorithm>

namespace assembly {

TJobPool::TJobPool(std::size_t count, Job job, unsigned threads)
    : job_(std::move(job)), count_(count), done_(count, false), errors_(count) {
  if (threads == 0) threads = std::max(1u, std::thread::hardware_concurrency());
  const std::size_t workers = std::min<std::size_t>(threads, count);
  for (std::size_t t = 0; t < workers; ++t) workers_.emplace_back([this](std::stop_token stop) { Work(stop); });
}

TJobPool::~TJobPool() {
  for (std::jthread& w : workers_) w.request_stop();
}

std::exception_ptr TJobPool::Wait(std::size_t i) {
  std::unique_lock lock(mutex_);
  finished_.wait(lock, [&] { return bool(done_[i]); });
  return errors_[i];
}

void TJobPool::WaitAll() {
  for (std::size_t i = 0; i < count_; ++i)
    if (const std::exception_ptr error = Wait(i)) std::rethrow_exception(error);
}

void TJobPool::Work(const std::stop_token& stop) {
  for (;;) {
    const std::size_t i = claimed_.fetch_add(1);
    if (i >= count_ || stop.stop_requested()) return;
    try {
      job_(i);
    } catch (...) {
      errors_[i] = std::current_exception();
    }
    std::lock_guard lock(mutex_);
    done_[i] = true;
    finished_.notify_all();
  }
}

}  // namespace assembly
