// The worker pool: threads wait on a job counter, spinning a while before
// they sleep, so that frames following each other closely start at once.
// A worker enters a job only while it is open; the caller closes it when
// its own run returns and waits only for the workers already inside.
#include "render/render_pool.h"

#include <chrono>
#include <thread>
#include <vector>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

namespace renderer {

struct RenderPool {
  int32_t workers = 1;
  std::vector<std::thread> threads;
  PoolJob job = {nullptr, nullptr};
  std::atomic<uint32_t> generation{0};  // one more per job
  std::atomic<bool> open{false};        // workers may still enter the job
  std::atomic<int32_t> inside{0};       // workers inside the job
  std::atomic<int32_t> started{0};      // worker threads running
  std::atomic<bool> stopping{false};
};

namespace {

// Waits for a job spin this long before sleeping: longer than the gap
// between two frames drawn back to back (the colour clear, itself a job,
// and the scene's preparation), far less than a frame shown on screen. A
// sleeping worker takes tens of microseconds to wake, a virtual machine's
// more, which a small frame's share of work does not pay back.
constexpr std::chrono::microseconds kSpinTime{250};

// Rounds of the waits within a job before they yield.
constexpr int32_t kSpinRounds = 4000;

void Pause() {
#if defined(__x86_64__) || defined(__i386__)
  _mm_pause();
#else
  std::this_thread::yield();
#endif
}

// Returns the value once it differs from `old`.
template <typename T>
T WaitForChange(const std::atomic<T>& value, T old) {
  using Clock = std::chrono::steady_clock;
  const Clock::time_point until = Clock::now() + kSpinTime;
  for (int32_t i = 1;; ++i) {
    const T now = value.load(std::memory_order_acquire);
    if (now != old) return now;
    Pause();
    if (i % 64 == 0 && Clock::now() >= until) break;
  }
  for (;;) {
    value.wait(old, std::memory_order_acquire);
    const T now = value.load(std::memory_order_acquire);
    if (now != old) return now;
  }
}

// Spins while job `seen` is still open: its caller, or another worker, is
// drawing the last of it. A worker's share of a frame often ends a band or
// more before the frame does; counting the spin before sleep from there
// would put the worker to sleep at the end of many frames, and waking a
// sleeping thread (an idle virtual processor's, especially) takes tens to
// hundreds of microseconds, by which the next frame's start is late.
void AwaitJobEnd(const RenderPool& pool, uint32_t seen) {
  while (pool.open.load(std::memory_order_acquire) &&
         pool.generation.load(std::memory_order_acquire) == seen) {
    Pause();
  }
}

void WorkerLoop(RenderPool* pool, int32_t worker) {
  pool->started.fetch_add(1, std::memory_order_release);
  uint32_t seen = 0;
  for (;;) {
    AwaitJobEnd(*pool, seen);
    seen = WaitForChange(pool->generation, seen);
    if (pool->stopping.load(std::memory_order_acquire)) return;
    // Entering, then checking that the job is still open: the caller
    // closes it, then counts who is inside, so one of the two sees the other.
    pool->inside.fetch_add(1, std::memory_order_seq_cst);
    if (pool->open.load(std::memory_order_seq_cst)) {
      pool->job.run(pool->job.data, worker);
    }
    if (pool->inside.fetch_sub(1, std::memory_order_acq_rel) == 1) {
      pool->inside.notify_one();
    }
  }
}

}  // namespace

void RenderPoolDeleter::operator()(RenderPool* pool) const {
  if (pool == nullptr) return;
  pool->stopping.store(true, std::memory_order_release);
  pool->generation.fetch_add(1, std::memory_order_acq_rel);
  pool->generation.notify_all();
  for (std::thread& thread : pool->threads) thread.join();
  delete pool;
}

RenderPoolPtr MakeRenderPool(int32_t workers) {
  RenderPoolPtr pool(new RenderPool{});
  pool->workers = workers < 1 ? 1 : workers;
  pool->threads.reserve(size_t(pool->workers - 1));
  for (int32_t i = 1; i < pool->workers; ++i) {
    pool->threads.emplace_back(WorkerLoop, pool.get(), i);
  }
  // Every thread's start (under AddressSanitizer its own set-up, which
  // allocates) is over before the first frame, never inside one.
  WaitForCount(pool->started, pool->workers - 1);
  return pool;
}

int32_t PoolWorkers(const RenderPool& pool) { return pool.workers; }

void RunOnPool(RenderPool& pool, const PoolJob& job) {
  if (pool.workers == 1) {
    job.run(job.data, 0);
    return;
  }
  pool.job = job;
  pool.open.store(true, std::memory_order_seq_cst);
  pool.generation.fetch_add(1, std::memory_order_acq_rel);
  pool.generation.notify_all();
  job.run(job.data, 0);
  pool.open.store(false, std::memory_order_seq_cst);
  int32_t inside = pool.inside.load(std::memory_order_seq_cst);
  while (inside != 0) inside = WaitForChange(pool.inside, inside);
}

void WaitForCount(const std::atomic<int32_t>& counter, int32_t target) {
  for (int32_t i = 0;; ++i) {
    if (counter.load(std::memory_order_acquire) >= target) return;
    if (i < kSpinRounds) {
      Pause();
    } else {
      std::this_thread::yield();
    }
  }
}

}  // namespace renderer
