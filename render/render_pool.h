#pragma once
// A fixed set of worker threads, made once and reused frame after frame.
// A job runs on the caller's thread (worker 0) and on every worker that
// wakes while it is still open; jobs share their work out through counters
// of their own, so a worker the system is slow to wake holds nothing up.
#include <atomic>
#include <cstdint>
#include <memory>

namespace renderer {

struct RenderPool;

// One job: run(data, worker), worker 0 on the caller's thread; each worker
// index runs it at most once per job, on one thread.
struct PoolJob {
  void (*run)(void* data, int32_t worker);
  void* data;
};

struct RenderPoolDeleter {
  void operator()(RenderPool* pool) const;
};

using RenderPoolPtr = std::unique_ptr<RenderPool, RenderPoolDeleter>;

// A pool of `workers` (at least 1): workers - 1 threads are started here,
// and it returns once each of them is running.
RenderPoolPtr MakeRenderPool(int32_t workers);

// The workers, the caller's thread included.
int32_t PoolWorkers(const RenderPool& pool);

// Runs the job on the caller's thread and on the workers that join it;
// returns once the caller's run has returned and no worker is inside the
// job any more. The caller's run must see all of the job's work done.
// Allocates nothing.
void RunOnPool(RenderPool& pool, const PoolJob& job);

// Waits, spinning and then yielding, until `counter` reaches `target`.
void WaitForCount(const std::atomic<int32_t>& counter, int32_t target);

}  // namespace renderer
