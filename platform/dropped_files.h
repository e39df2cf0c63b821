#pragma once
// Files dropped on a window: the back end keeps the path here and posts
// kMsgDropFiles; the application takes the path when it handles the message.
#include <string>

// Keeps `path` as the file dropped last (UTF-8).
void StoreDroppedFile(const char* path);

// The file dropped last, once; "" when none is waiting.
std::string TakeDroppedFile();
