#include "platform/SdlPlatform.h"

#include <cstdio>

#include "window/VirtualKeys.h"

namespace {

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

bool SdlDisplay::Register() {
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return false;
  registered = true;
  return true;
}

bool SdlDisplay::Unregister() {
  if (!registered) return false;
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
  registered = false;
  return true;
}

bool SdlDisplay::ChangeMode(int width, int height, int bits) {
  SDL_DisplayMode wanted{};
  wanted.w = width;
  wanted.h = height;
  wanted.format = bits == 16 ? SDL_PIXELFORMAT_RGB565 : SDL_PIXELFORMAT_RGB888;
  SDL_DisplayMode closest{};
  if (!SDL_GetClosestDisplayMode(0, &wanted, &closest) || closest.w != width || closest.h != height)
    return false;
  mode = closest;
  modeChanged = true;
  return true;
}

void SdlDisplay::RestoreMode() {
  if (window && modeChanged) SDL_SetWindowFullscreen(window, 0);
  modeChanged = false;
}

void SdlDisplay::ShowCursor(bool show) { SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE); }

bool SdlDisplay::OpenWindow(const char* title, int width, int height, bool fullscreen, int bits) {
  const int channel = bits == 16 ? 5 : 8;
  SDL_GL_ResetAttributes();
  SDL_GL_SetAttribute(SDL_GL_RED_SIZE, channel);
  SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, bits == 16 ? 6 : 8);
  SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, channel);
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, 0);  // legacy context: fixed function works
  Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN;
  flags |= fullscreen ? SDL_WINDOW_FULLSCREEN : SDL_WINDOW_RESIZABLE;
  window = SDL_CreateWindow(title, 0, 0, width, height, flags);
  if (!window) return false;
  if (fullscreen && modeChanged) SDL_SetWindowDisplayMode(window, &mode);
  return true;
}

bool SdlDisplay::CreateContext() {
  context = SDL_GL_CreateContext(window);
  return context != nullptr;
}

bool SdlDisplay::MakeCurrent() {
  if (SDL_GL_MakeCurrent(window, context) != 0) return false;
  // Vsync: adaptive where offered, else every frame; a refusal is no error.
  if (SDL_GL_SetSwapInterval(-1) != 0) SDL_GL_SetSwapInterval(1);
  return true;
}

void SdlDisplay::ShowWindow() {
  SDL_ShowWindow(window);
  SDL_RaiseWindow(window);
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
