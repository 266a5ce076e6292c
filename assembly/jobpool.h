// Running numbered jobs on worker threads.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace assembly {

// Runs job(0) .. job(count - 1) on `threads` workers (0: one per core, never more than there
// are jobs), taking the jobs in order. Leaving early stops the workers after the jobs they are
// at; everything a job uses must outlive the pool.
class TJobPool {
public:
  using Job = std::function<void(std::size_t)>;
  TJobPool(std::size_t count, Job job, unsigned threads);
  ~TJobPool();
  TJobPool(const TJobPool&) = delete;
  TJobPool& operator=(const TJobPool&) = delete;

  // Waits until job `i` has run; its exception, or null.
  std::exception_ptr Wait(std::size_t i);
  // Waits for every job in order and rethrows the first exception met.
  void WaitAll();

private:
  void Work(const std::stop_token& stop);

  Job job_;
  std::size_t count_;
  std::vector<char> done_;                  // guarded by mutex_
  std::vector<std::exception_ptr> errors_;  // each written by its job's worker before done_
  std::mutex mutex_;
  std::condition_variable finished_;
  std::atomic<std::size_t> claimed_{0};
  std::vector<std::jthread> workers_;  // last: joined before the rest goes
};

}  // namespace assembly
