#include "platform/SdlPlatform.h"

#include <cstdio>

#include "platform/X11Keyboard.h"
#include "platform/VirtualKeys.h"

namespace {

// A mode's colour depth as the setup dialog counts it: 32 for 24 colour bits
// in 32-bit pixels, as the 32-bit choice has always meant.
int ModeBits(Uint32 format) {
  const int bits = SDL_BITSPERPIXEL(format);
  return bits == 24 ? 32 : bits == 15 ? 16 : bits;
}

int StderrBox(const std::string& text, const std::string& caption, unsigned style) {
  std::fprintf(stderr, "[%s] %s\n", caption.c_str(), text.c_str());
  return (style & MB::YESNO) ? MB::IDYES : MB::IDOK;
}

}  // namespace

int StderrMessageBoxes::Show(const std::string& text, const std::string& caption, unsigned style) {
  return StderrBox(text, caption, style);
}

int SdlMessageBoxes::Show(const std::string& text, const std::string& caption, unsigned style) {
  if (toStderr) return StderrBox(text, caption, style);
  Uint32 flags = SDL_MESSAGEBOX_INFORMATION;
  if ((style & 0xF0) == MB::ICONSTOP) flags = SDL_MESSAGEBOX_ERROR;
  if ((style & 0xF0) == MB::ICONEXCLAMATION) flags = SDL_MESSAGEBOX_WARNING;
  const SDL_MessageBoxButtonData yesNo[] = {
      {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, MB::IDYES, "Yes"},
      {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, MB::IDNO, "No"},
  };
  const SDL_MessageBoxButtonData ok[] = {
      {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT | SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, MB::IDOK, "OK"},
  };
  const bool question = (style & 0x0F) == MB::YESNO;
  SDL_MessageBoxData data{};
  data.flags = flags;
  data.title = caption.c_str();
  data.message = text.c_str();
  data.numbuttons = question ? 2 : 1;
  data.buttons = question ? yesNo : ok;
  int answer = -1;
  if (SDL_ShowMessageBox(&data, &answer) != 0 || answer < 0) {
    // No box could be shown: say it on stderr and take the safe answer.
    std::fprintf(stderr, "[%s] %s\n", caption.c_str(), text.c_str());
    return question ? MB::IDNO : MB::IDOK;
  }
  return answer;
}

std::int64_t SdlClock::Frequency() { return static_cast<std::int64_t>(SDL_GetPerformanceFrequency()); }
std::int64_t SdlClock::Counter() { return static_cast<std::int64_t>(SDL_GetPerformanceCounter()); }

// The video system comes up with the first window and stays up: taking it
// down with every window (the F1 toggle) would open a new X connection each
// time. A busy X server may turn a connection away for a moment (its queue of
// waiting connections is full), and SDL then falls back, without a word, to
// an invisible offscreen driver: that is refused, and tried again a few times.
bool SdlDisplay::Register() {
  for (int attempt = 0; !videoUp && attempt < 10; ++attempt) {
    if (attempt > 0) SDL_Delay(100);
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) continue;
    const char* driver = SDL_GetCurrentVideoDriver();
    const char* asked = SDL_getenv("SDL_VIDEODRIVER");
    const bool invisible = driver && (!SDL_strcmp(driver, "offscreen") || !SDL_strcmp(driver, "dummy"));
    if (invisible && !(asked && !SDL_strcasecmp(asked, driver))) {
      SDL_QuitSubSystem(SDL_INIT_VIDEO);
      continue;
    }
    videoUp = true;
  }
  if (!videoUp) return false;
  registered = true;
  return true;
}

bool SdlDisplay::Unregister() {
  if (!registered) return false;
  registered = false;
  return true;
}

// SDL switches the display mode when a fullscreen window with that mode is
// shown; here the mode is looked up among those that the display offers, and
// refused when it has none of exactly this size and colour depth.
bool SdlDisplay::ChangeMode(int width, int height, int bits) {
  modeChanged = false;
  const int modes = SDL_GetNumDisplayModes(0);
  for (int i = 0; i < modes; ++i) {
    SDL_DisplayMode m{};
    if (SDL_GetDisplayMode(0, i, &m) != 0 || m.w != width || m.h != height || ModeBits(m.format) != bits) continue;
    mode = m;
    modeChanged = true;
    return true;
  }
  std::fprintf(stderr, "lumivane: the display offers no %d x %d mode with %d-bit colour\n", width, height, bits);
  return false;
}

// Hiding a fullscreen window puts the desktop mode back (the window itself is
// closed right after).
void SdlDisplay::RestoreMode() {
  if (window && modeChanged) SDL_HideWindow(window);
  modeChanged = false;
}

void SdlDisplay::ShowCursor(bool show) { SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE); }

bool SdlDisplay::OpenWindow(const char* title, int width, int height, bool fullscreen, int bits) {
  if (!Open(title, width, height, fullscreen ? SDL_WINDOW_FULLSCREEN : SDL_WINDOW_RESIZABLE, bits)) return false;
  if (fullscreen && modeChanged && SDL_SetWindowDisplayMode(window, &mode) != 0) {
    std::fprintf(stderr, "lumivane: cannot give the window the %d x %d mode: %s\n", width, height, SDL_GetError());
    SDL_DestroyWindow(window);
    window = nullptr;
    return false;
  }
  return true;
}

// Made at the desktop's size from the start, so the client area is right even
// where no window manager acts on the fullscreen request (a bare X server).
bool SdlDisplay::OpenDesktopWindow(const char* title, int bits, int& width, int& height) {
  SDL_DisplayMode desktop{};
  if (SDL_GetDesktopDisplayMode(0, &desktop) != 0) return false;
  if (!Open(title, desktop.w, desktop.h, SDL_WINDOW_FULLSCREEN_DESKTOP, bits)) return false;
  SDL_GL_GetDrawableSize(window, &width, &height);
  return true;
}

bool SdlDisplay::Open(const char* title, int width, int height, Uint32 kind, int bits) {
  // What is still queued belongs to the closed window (its keys, its size,
  // SDL's key-ups for the keys held when it went); a quit request stays.
  SDL_FlushEvents(SDL_WINDOWEVENT, SDL_LASTEVENT);
  const int channel = bits == 16 ? 5 : 8;
  SDL_GL_ResetAttributes();
  SDL_GL_SetAttribute(SDL_GL_RED_SIZE, channel);
  SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, bits == 16 ? 6 : 8);
  SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, channel);
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  if (multisamples > 0) {
    SDL_GL_SetAttribute(SDL_GL_MULTISAMPLEBUFFERS, 1);
    SDL_GL_SetAttribute(SDL_GL_MULTISAMPLESAMPLES, multisamples);
  }
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, 0);  // legacy context: fixed function works
  window = SDL_CreateWindow(title, 0, 0, width, height, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN | kind);
  if (!window) {
    std::fprintf(stderr, "lumivane: cannot open a %d x %d window with OpenGL: %s\n", width, height, SDL_GetError());
    return false;
  }
  // A new window: an F1 that was held when the old one went may have been
  // let go unseen.
  f1Unsure = f1Held;
  return true;
}

bool SdlDisplay::CreateContext() {
  context = SDL_GL_CreateContext(window);
  if (!context)
    std::fprintf(stderr, "lumivane: cannot create an OpenGL context (compatibility profile, 16-bit depth): %s\n",
                 SDL_GetError());
  return context != nullptr;
}

bool SdlDisplay::MakeCurrent() {
  if (SDL_GL_MakeCurrent(window, context) != 0) {
    std::fprintf(stderr, "lumivane: cannot make the OpenGL context current: %s\n", SDL_GetError());
    return false;
  }
  // Vsync: adaptive where offered, else every frame; a refusal is no error.
  if (SDL_GL_SetSwapInterval(-1) != 0) SDL_GL_SetSwapInterval(1);
  return true;
}

bool SdlDisplay::ShowWindow() {
  SDL_ShowWindow(window);
  SDL_RaiseWindow(window);
  // Raising asks the window manager for the focus; without one (a bare X
  // server) the keys would go nowhere, so take the focus as well.
  SDL_SetWindowInputFocus(window);
  // A fullscreen window switches the mode as it is shown; SDL does not say
  // when the display refused, so look.
  if (!modeChanged) return true;
  SDL_DisplayMode current{};
  const int index = SDL_GetWindowDisplayIndex(window);
  if (SDL_GetCurrentDisplayMode(index < 0 ? 0 : index, &current) == 0 && current.w == mode.w && current.h == mode.h)
    return true;
  std::fprintf(stderr, "lumivane: the display did not switch to %d x %d (it shows %d x %d): %s\n", mode.w, mode.h,
               current.w, current.h, SDL_GetError());
  return false;
}

bool SdlDisplay::ReleaseCurrent() { return SDL_GL_MakeCurrent(window, nullptr) == 0; }

bool SdlDisplay::DeleteContext() {
  SDL_GL_DeleteContext(context);
  context = nullptr;
  return true;
}

bool SdlDisplay::CloseWindow() {
  SDL_DestroyWindow(window);
  window = nullptr;
  return true;
}

void SdlDisplay::Swap() { SDL_GL_SwapWindow(window); }

void* SdlDisplay::GLFunction(const char* name) { return context ? SDL_GL_GetProcAddress(name) : nullptr; }

int SdlDisplay::VirtualKey(SDL_Keycode key) {
  if (key >= SDLK_a && key <= SDLK_z) return VK::KEY_A + (key - SDLK_a);
  if (key >= SDLK_0 && key <= SDLK_9) return VK::KEY_0 + (key - SDLK_0);
  if (key >= SDLK_F1 && key <= SDLK_F12) return VK::F1 + (key - SDLK_F1);
  switch (key) {
    case SDLK_ESCAPE: return VK::ESCAPE;
    case SDLK_SPACE: return VK::SPACE;
    case SDLK_LEFT: return VK::LEFT;
    case SDLK_UP: return VK::UP;
    case SDLK_RIGHT: return VK::RIGHT;
    case SDLK_DOWN: return VK::DOWN;
    case SDLK_RETURN: return 0x0D;
    case SDLK_TAB: return 0x09;
    case SDLK_BACKSPACE: return 0x08;
    default: return 0;
  }
}

bool SdlDisplay::PollEvent(WindowEvent& event) {
  if (f1Unsure) {
    // F1 was held while its window went: ask the keyboard whether it still is.
    if (FunctionKeyHeld(window, SDLK_F1) != 1) f1Held = false;
    f1Unsure = f1Held;
  }
  SDL_Event e;
  if (!SDL_PollEvent(&e)) return false;
  event = WindowEvent{};
  switch (e.type) {
    case SDL_QUIT:
      event.kind = WindowEvent::Quit;
      break;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      // Keys with Alt, and F10, are system keys: they never reach the key states.
      if ((e.key.keysym.mod & KMOD_ALT) || e.key.keysym.sym == SDLK_F10) break;
      if (e.key.keysym.sym == SDLK_F1 && !TakeF1(e.type == SDL_KEYDOWN, e.key.repeat != 0)) break;
      event.kind = e.type == SDL_KEYDOWN ? WindowEvent::KeyDown : WindowEvent::KeyUp;
      event.key = VirtualKey(e.key.keysym.sym);
      break;
    case SDL_WINDOWEVENT:
      switch (e.window.event) {
        case SDL_WINDOWEVENT_MINIMIZED:
        case SDL_WINDOWEVENT_RESTORED:
        case SDL_WINDOWEVENT_SHOWN:
        case SDL_WINDOWEVENT_FOCUS_GAINED:
        case SDL_WINDOWEVENT_FOCUS_LOST:
          event.kind = WindowEvent::Activate;
          event.minimized = window && (SDL_GetWindowFlags(window) & SDL_WINDOW_MINIMIZED);
          break;
        case SDL_WINDOWEVENT_SIZE_CHANGED:
          event.kind = WindowEvent::Size;
          event.width = e.window.data1;
          event.height = e.window.data2;
          break;
        default:
          break;
      }
      break;
    default:
      break;
  }
  return true;
}

// F1 re-creates the window, so one press must toggle once: its auto-repeats
// are dropped, and so is the first auto-repeat that reaches the new window
// (SDL starts the new window with every key up and does not flag it). A
// held F1 is forgotten on its key-up or, when that went to the old window,
// once the keyboard says it is up. The other keys keep their auto-repeat.
bool SdlDisplay::TakeF1(bool down, bool repeat) {
  if (!down) {
    f1Held = false;
    f1Unsure = false;
    return true;
  }
  if (repeat || f1Held) return false;
  f1Held = true;
  return true;
}
