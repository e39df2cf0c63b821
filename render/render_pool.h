#pragma once
// A fixed set of worker threads, made once and reused frame after frame:
// it runs one job at a time on every worker, the caller's thread being
// worker 0, and returns when all of them have finished.
#include <cstdint>
#include <memory>

namespace renderer {

struct RenderPool;

// One job: run(data, worker) for worker 0 .. the pool's count - 1.
struct PoolJob {
  void (*run)(void* data, int32_t worker);
  void* data;
};

struct RenderPoolDeleter {
  void operator()(RenderPool* pool) const;
};

using RenderPoolPtr = std::unique_ptr<RenderPool, RenderPoolDeleter>;

// A pool of `workers` (at least 1): workers - 1 threads are started here.
RenderPoolPtr MakeRenderPool(int32_t workers);

// The workers, the caller's thread included.
int32_t PoolWorkers(const RenderPool& pool);

// Runs the job on every worker and waits for all of them. Allocates nothing.
void RunOnPool(RenderPool& pool, const PoolJob& job);

// Inside a job: returns once every worker has reached it.
void PoolBarrier(RenderPool& pool);

}  // namespace renderer
