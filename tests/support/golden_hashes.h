#pragma once
// The golden frames' hashes, kept in one file (tests/render/golden/
// hashes.txt): one "name pixels depth" line per frame, hexadecimal, lines
// starting with # are comments. scripts/update-goldens rewrites it by
// running the golden tests with RENDERER_UPDATE_GOLDEN set.
#include <map>
#include <string>

#include "tests/support/frame_hash.h"

// True when the golden tests are to record what they draw instead of
// checking it.
bool UpdatingGoldens();

// Every entry of the file; empty when it cannot be read.
std::map<std::string, FrameHashes> ReadGoldenHashes(const std::string& file);

// Sets the entry of `name`, keeping every other line as it was.
void WriteGoldenHash(const std::string& file, const std::string& name,
                     const FrameHashes& hashes);

// The check every golden test makes: with RENDERER_UPDATE_GOLDEN set,
// records `actual` and succeeds; otherwise compares it with the entry and
// returns whether both hashes match (adding a failure when they do not).
bool MatchesGolden(const std::string& file, const std::string& name,
                   const FrameHashes& actual);
