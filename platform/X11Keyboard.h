#pragma once
#include <SDL.h>

// Whether a function key (F1..F12) is held down on the keyboard right now, as
// the X server that shows `window` knows it: 1 held, 0 up, -1 when that cannot
// be told (not on X11, another key). Kept apart from the rest of the platform
// code because Xlib's names clash with ours.
int FunctionKeyHeld(SDL_Window* window, SDL_Keycode key);
