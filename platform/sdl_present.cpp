// Presenting: the frame buffer's visible part is copied into the window's
// surface, which SDL keeps in memory and sends to the window system as is,
// without waiting for the display's refresh. Nothing is allocated per frame;
// SDL re-creates the surface only when the window's size changes.
#include <SDL.h>

#include <cstring>

#include "platform/native_window.h"

namespace platform {

void NativePresent(NativeWindow* native, const uint32_t* pixels, int32_t pitch,
                   int32_t width, int32_t height) {
  SDL_Window* window = reinterpret_cast<SDL_Window*>(native);
  SDL_Surface* surface = SDL_GetWindowSurface(window);
  if (surface == nullptr) return;
  const int32_t columns = width < surface->w ? width : surface->w;
  const int32_t rows = height < surface->h ? height : surface->h;
  if (columns <= 0 || rows <= 0) return;
  if (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0) return;
  if (surface->format->format == SDL_PIXELFORMAT_RGB888) {
    // The same layout: blue, green, red and an unused byte per pixel.
    for (int32_t y = 0; y < rows; ++y) {
      std::memcpy(static_cast<char*>(surface->pixels) +
                      static_cast<int64_t>(y) * surface->pitch,
                  reinterpret_cast<const char*>(pixels) +
                      static_cast<int64_t>(y) * pitch,
                  static_cast<size_t>(columns) * 4);
    }
  } else {
    SDL_ConvertPixels(columns, rows, SDL_PIXELFORMAT_RGB888, pixels, pitch,
                      surface->format->format, surface->pixels, surface->pitch);
  }
  if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
  SDL_UpdateWindowSurface(window);
}

}  // namespace platform
