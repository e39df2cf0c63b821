#pragma once
// Files that appear under their final name only when complete: each is
// written to a hidden temporary name in the same folder and renamed when
// done, so an interrupted or failed run never leaves a truncated file where
// a finished one is expected. Renaming within one folder replaces the name
// in a single step.
#include <cstdint>
#include <string>

// "DIR/.NAME.PID.part" for "DIR/NAME": beside the final file, hidden, and
// distinct for every process writing into the same folder.
std::string TemporaryNameFor(const std::string& finalName);

// Renames `temporary` to `finalName`; on failure removes `temporary`.
// Returns 1 when the file now stands under its final name.
int32_t CommitFile(const std::string& temporary, const std::string& finalName);

// Removes a temporary file that will not be finished (missing is fine).
void DiscardFile(const std::string& temporary);

// Calls write(temporaryName) and commits the result when it returns 1;
// discards it otherwise. Returns 1 when the file stands complete.
template <typename Write>
int32_t WriteThroughTemporary(const std::string& finalName, Write&& write) {
  const std::string temporary = TemporaryNameFor(finalName);
  if (!write(temporary.c_str())) {
    DiscardFile(temporary);
    return 0;
  }
  return CommitFile(temporary, finalName);
}
