#pragma once
// FNV-1a 64, and the hashes that pin a frame: one over its pixels, one over
// its depth entries.
#include <cstddef>
#include <cstdint>

#include "renderer/render.h"

constexpr uint64_t kFnvOffsetBasis = 0xcbf29ce484222325ull;

// Continues the hash `hash` over `bytes` bytes from `data`.
uint64_t Fnv1a64(const void* data, size_t bytes,
                 uint64_t hash = kFnvOffsetBasis);

struct FrameHashes {
  uint64_t pixels;
  uint64_t depth;
};

// The frame's width x height pixels as little-endian words, row by row
// (rows pitch / 4 apart), and its first width x height depth entries: the
// same bytes render-scene's raw dump holds.
FrameHashes HashFrame(const renderer::FrameTarget& target);
