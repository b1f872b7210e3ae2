#include "platform/X11Keyboard.h"

#include <SDL_syswm.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>

int FunctionKeyHeld(SDL_Window* window, SDL_Keycode key) {
  if (!window || key < SDLK_F1 || key > SDLK_F12) return -1;
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return -1;
  ::Display* display = info.info.x11.display;
  const KeyCode code = XKeysymToKeycode(display, XK_F1 + static_cast<KeySym>(key - SDLK_F1));
  if (code == 0) return -1;
  char keys[32];
  XQueryKeymap(display, keys);
  return (keys[code / 8] >> (code % 8)) & 1;
}
