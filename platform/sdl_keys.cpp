#include "platform/sdl_keys.h"

#include "platform/window_messages.h"

namespace platform {

namespace {

uint32_t KeyByPosition(SDL_Scancode code) {
  if (code >= SDL_SCANCODE_KP_1 && code <= SDL_SCANCODE_KP_9) {
    return kKeyPad0 + 1 + (code - SDL_SCANCODE_KP_1);
  }
  if (code >= SDL_SCANCODE_F1 && code <= SDL_SCANCODE_F12) {
    return kKeyF1 + (code - SDL_SCANCODE_F1);
  }
  switch (code) {
    case SDL_SCANCODE_KP_0: return kKeyPad0;
    case SDL_SCANCODE_KP_PLUS: return kKeyPadAdd;
    case SDL_SCANCODE_KP_MINUS: return kKeyPadSubtract;
    case SDL_SCANCODE_KP_MULTIPLY: return kKeyPadMultiply;
    case SDL_SCANCODE_KP_DIVIDE: return kKeyPadDivide;
    case SDL_SCANCODE_KP_PERIOD: return kKeyPadDecimal;
    case SDL_SCANCODE_KP_ENTER: return kKeyReturn;
    case SDL_SCANCODE_ESCAPE: return kKeyEscape;
    case SDL_SCANCODE_PAGEUP: return kKeyPageUp;
    case SDL_SCANCODE_PAGEDOWN: return kKeyPageDown;
    case SDL_SCANCODE_HOME: return kKeyHome;
    case SDL_SCANCODE_END: return kKeyEnd;
    case SDL_SCANCODE_INSERT: return kKeyInsert;
    case SDL_SCANCODE_DELETE: return kKeyDelete;
    case SDL_SCANCODE_LEFT: return kKeyLeft;
    case SDL_SCANCODE_UP: return kKeyUp;
    case SDL_SCANCODE_RIGHT: return kKeyRight;
    case SDL_SCANCODE_DOWN: return kKeyDown;
    case SDL_SCANCODE_RETURN: return kKeyReturn;
    case SDL_SCANCODE_TAB: return kKeyTab;
    case SDL_SCANCODE_BACKSPACE: return kKeyBackspace;
    case SDL_SCANCODE_SPACE: return kKeySpace;
    default: return 0;
  }
}

// Letters and digits of the main block when the layout gives them no
// character of their own (a non-Latin layout, say).
uint32_t CharacterKeyByPosition(SDL_Scancode code) {
  if (code >= SDL_SCANCODE_A && code <= SDL_SCANCODE_Z) {
    return 'A' + (code - SDL_SCANCODE_A);
  }
  if (code >= SDL_SCANCODE_1 && code <= SDL_SCANCODE_9) {
    return '1' + (code - SDL_SCANCODE_1);
  }
  return code == SDL_SCANCODE_0 ? '0' : 0;
}

}  // namespace

uint32_t VirtualKeyFromSdl(const SDL_Keysym& key) {
  const uint32_t byPosition = KeyByPosition(key.scancode);
  if (byPosition != 0) return byPosition;
  if (key.sym >= SDLK_a && key.sym <= SDLK_z) {
    return 'A' + static_cast<uint32_t>(key.sym - SDLK_a);
  }
  if (key.sym >= SDLK_0 && key.sym <= SDLK_9) {
    return static_cast<uint32_t>(key.sym);
  }
  return CharacterKeyByPosition(key.scancode);
}

}  // namespace platform
