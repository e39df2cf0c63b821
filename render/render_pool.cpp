// The worker pool: threads wait on a job counter, spinning a little before
// they sleep, so that frames following each other closely start at once.
#include "render/render_pool.h"

#include <atomic>
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
  std::atomic<int32_t> running{0};      // threads still in the current job
  std::atomic<bool> stopping{false};
  std::atomic<int32_t> arrived{0};      // workers at the barrier
  std::atomic<uint32_t> barrierPhase{0};
};

namespace {

// Spins this many rounds before sleeping: about the gap between two frames
// of a benchmark, far less than a frame shown on screen.
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
  for (int32_t i = 0; i < kSpinRounds; ++i) {
    const T now = value.load(std::memory_order_acquire);
    if (now != old) return now;
    Pause();
  }
  for (;;) {
    value.wait(old, std::memory_order_acquire);
    const T now = value.load(std::memory_order_acquire);
    if (now != old) return now;
  }
}

void WorkerLoop(RenderPool* pool, int32_t worker) {
  uint32_t seen = 0;
  for (;;) {
    seen = WaitForChange(pool->generation, seen);
    if (pool->stopping.load(std::memory_order_acquire)) return;
    pool->job.run(pool->job.data, worker);
    if (pool->running.fetch_sub(1, std::memory_order_acq_rel) == 1) {
      pool->running.notify_one();
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
  return pool;
}

int32_t PoolWorkers(const RenderPool& pool) { return pool.workers; }

void RunOnPool(RenderPool& pool, const PoolJob& job) {
  if (pool.workers == 1) {
    job.run(job.data, 0);
    return;
  }
  pool.job = job;
  pool.running.store(pool.workers - 1, std::memory_order_relaxed);
  pool.generation.fetch_add(1, std::memory_order_acq_rel);
  pool.generation.notify_all();
  job.run(job.data, 0);
  int32_t left = pool.running.load(std::memory_order_acquire);
  while (left != 0) left = WaitForChange(pool.running, left);
}

void PoolBarrier(RenderPool& pool) {
  const uint32_t phase = pool.barrierPhase.load(std::memory_order_acquire);
  if (pool.arrived.fetch_add(1, std::memory_order_acq_rel) + 1 ==
      pool.workers) {
    pool.arrived.store(0, std::memory_order_relaxed);
    pool.barrierPhase.fetch_add(1, std::memory_order_acq_rel);
    pool.barrierPhase.notify_all();
    return;
  }
  WaitForChange(pool.barrierPhase, phase);
}

}  // namespace renderer
