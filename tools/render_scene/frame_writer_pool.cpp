#include "tools/render_scene/frame_writer_pool.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "tools/render_scene/png_writer.h"
#include "tools/render_scene/raw_dump.h"
#include "tools/render_scene/safe_file.h"

namespace {

// Writes the job's files; adds the names that failed (not those a stop cut
// short) to `failed` and returns how many were written.
int32_t WriteFrameFiles(const FrameFiles& job, const StopFlag* stop,
                        std::vector<std::string>* failed) {
  int32_t written = 0;
  if (!job.stillName.empty()) {
    const PixelRect client{job.client.data(), job.clientWidth, job.clientHeight,
                           job.clientWidth};
    const int32_t ok = WriteThroughTemporary(job.stillName, [&](const char* f) {
      return job.format == ImageFormat::kPng
                 ? WritePngFile(f, client, stop)
                 : WriteImage(f, job.format, client);
    });
    written += ok;
    if (!ok && *stop == 0) failed->push_back(job.stillName);
  }
  if (!job.rawName.empty() && *stop == 0) {
    const int32_t ok = WriteThroughTemporary(job.rawName, [&](const char* f) {
      return WriteRawDump(f, job.buffer.data(), job.depth.data(),
                          job.bufferWidth, job.bufferHeight);
    });
    written += ok;
    if (!ok) failed->push_back(job.rawName);
  }
  return written;
}

void RunWorker(WriterPool* pool) {
  std::unique_lock<std::mutex> lock(pool->mutex);
  for (;;) {
    pool->changed.wait(
        lock, [pool] { return pool->closing || !pool->waiting.empty(); });
    if (pool->waiting.empty()) return;
    const size_t slot = pool->waiting.front();
    pool->waiting.pop_front();
    lock.unlock();
    std::vector<std::string> failed;
    const int32_t written =
        *pool->stop == 0
            ? WriteFrameFiles(pool->slots[slot], pool->stop, &failed)
            : 0;
    lock.lock();
    pool->filesWritten += written;
    pool->failed.insert(pool->failed.end(), failed.begin(), failed.end());
    pool->idle.push_back(slot);
    pool->changed.notify_all();
  }
}

void CopyFrame(const SequenceFrame& frame, FrameFiles* job) {
  const PixelRect& client = frame.client;
  job->clientWidth = client.width;
  job->clientHeight = client.height;
  if (!job->stillName.empty()) {
    job->client.resize(static_cast<size_t>(client.width) * client.height);
    for (int32_t row = 0; row < client.height; ++row) {
      std::memcpy(&job->client[static_cast<size_t>(row) * client.width],
                  client.pixels + static_cast<size_t>(row) * client.rowStride,
                  static_cast<size_t>(client.width) * 4);
    }
  }
  job->bufferWidth = frame.bufferWidth;
  job->bufferHeight = frame.bufferHeight;
  if (!job->rawName.empty()) {
    const size_t count =
        static_cast<size_t>(frame.bufferWidth) * frame.bufferHeight;
    job->buffer.assign(frame.buffer, frame.buffer + count);
    job->depth.assign(frame.depth, frame.depth + count);
  }
}

}  // namespace

void StartWriterPool(WriterPool* pool, int32_t workers, const StopFlag* stop) {
  const int32_t threads = std::max(workers, 1);
  pool->stop = stop;
  pool->slots.resize(static_cast<size_t>(threads) + 1);
  for (size_t slot = 0; slot < pool->slots.size(); ++slot) {
    pool->idle.push_back(slot);
  }
  for (int32_t i = 0; i < threads; ++i) {
    pool->workers.emplace_back(RunWorker, pool);
  }
}

int32_t QueueFrameFiles(WriterPool* pool, const std::string& stillName,
                        ImageFormat format, const std::string& rawName,
                        const SequenceFrame& frame) {
  std::unique_lock<std::mutex> lock(pool->mutex);
  pool->changed.wait(lock, [pool] { return !pool->idle.empty(); });
  if (!pool->failed.empty()) return 0;
  const size_t slot = pool->idle.back();
  pool->idle.pop_back();
  lock.unlock();
  // The slot is this thread's until it is queued.
  FrameFiles& job = pool->slots[slot];
  job.stillName = stillName;
  job.format = format;
  job.rawName = rawName;
  CopyFrame(frame, &job);
  lock.lock();
  pool->waiting.push_back(slot);
  pool->changed.notify_all();
  return 1;
}

int32_t FinishWriterPool(WriterPool* pool) {
  {
    const std::lock_guard<std::mutex> lock(pool->mutex);
    pool->closing = 1;
    pool->changed.notify_all();
  }
  for (std::thread& worker : pool->workers) worker.join();
  pool->workers.clear();
  std::sort(pool->failed.begin(), pool->failed.end());
  for (const std::string& name : pool->failed) {
    std::fprintf(stderr, "render-scene: cannot write %s\n", name.c_str());
  }
  return pool->failed.empty();
}
