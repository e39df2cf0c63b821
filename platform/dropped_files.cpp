#include "platform/dropped_files.h"

#include <utility>

namespace {

std::string droppedFile;

}  // namespace

void StoreDroppedFile(const char* path) { droppedFile = path == nullptr ? "" : path; }

std::string TakeDroppedFile() { return std::exchange(droppedFile, std::string()); }
