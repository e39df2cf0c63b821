#pragma once
// Still images and raw dumps written on worker threads while the next
// frames are drawn: PNG encoding costs several times a frame's drawing, so
// the files of one frame are written while later frames are drawn, and on a
// machine with several cores several frames' files at once. Each queued
// frame is a copy, so drawing goes on in the frame buffer meanwhile. Every
// file is still written under a temporary name and renamed when complete;
// a file's bytes do not depend on which thread wrote it.
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "tools/render_scene/image_writers.h"
#include "tools/render_scene/stop_signal.h"

// One drawn frame as the writers take it: the client area, and the whole
// frame buffer and depth buffer for the raw dump.
struct SequenceFrame {
  PixelRect client;
  const uint32_t* buffer;  // bufferWidth x bufferHeight, rows packed
  const float* depth;      // as many entries
  int32_t bufferWidth;
  int32_t bufferHeight;
};

// One frame's files and the copy of the frame they are written from.
struct FrameFiles {
  std::string stillName;  // empty when the frame has no still image
  ImageFormat format;
  std::string rawName;           // empty when the frame has no raw dump
  std::vector<uint32_t> client;  // rows packed
  int32_t clientWidth;
  int32_t clientHeight;
  std::vector<uint32_t> buffer;
  std::vector<float> depth;
  int32_t bufferWidth;
  int32_t bufferHeight;
};

struct WriterPool {
  std::mutex mutex;
  std::condition_variable changed;
  std::vector<FrameFiles> slots;
  std::vector<size_t> idle;    // slots free for the next frame
  std::deque<size_t> waiting;  // slots queued, not yet taken by a worker
  int32_t closing = 0;
  std::vector<std::string> failed;  // names that could not be written
  int32_t filesWritten = 0;
  const StopFlag* stop = nullptr;
  std::vector<std::thread> workers;
};

// Starts `workers` threads (at least one) with a slot more than threads.
void StartWriterPool(WriterPool* pool, int32_t workers, const StopFlag* stop);

// Waits for a free slot, copies what the named files need of `frame` into
// it and queues them. Returns 0, queuing nothing, once a file has failed.
int32_t QueueFrameFiles(WriterPool* pool, const std::string& stillName,
                        ImageFormat format, const std::string& rawName,
                        const SequenceFrame& frame);

// Writes what is queued (nothing more once a stop is asked for), ends the
// threads, and prints a line for every file that could not be written.
// Returns 1 when none failed.
int32_t FinishWriterPool(WriterPool* pool);
