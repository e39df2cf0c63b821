// A preload library for measuring start-up: it stands in front of SDL's
// SDL_UpdateWindowSurface, and on the first call (the first frame reaching
// the window) prints the monotonic clock to standard error, then passes
// every call on to SDL unchanged. bench/startup compares that time with the
// moment it started the program.
#include <dlfcn.h>

#include <cstdio>
#include <ctime>

struct SDL_Window;

extern "C" int SDL_UpdateWindowSurface(SDL_Window* window) {
  using Update = int (*)(SDL_Window*);
  static Update next =
      reinterpret_cast<Update>(dlsym(RTLD_NEXT, "SDL_UpdateWindowSurface"));
  static bool reported = false;
  if (!reported) {
    reported = true;
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    std::fprintf(
        stderr, "first-frame: monotonic_ns=%lld\n",
        static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
  }
  return next != nullptr ? next(window) : -1;
}
