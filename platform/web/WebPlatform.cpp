#include "platform/web/WebPlatform.h"

#include <emscripten.h>
#include <emscripten/html5.h>

#include "platform/VirtualKeys.h"
#include "platform/web/LegacyGL.h"

namespace {

const char* const kCanvas = "#canvas";

// The keys the demo answers; their browser actions (help, find, reload) are suppressed.
bool DemoKey(int key) {
  return key == VK::F1 || key == VK::F3 || key == VK::F4 || key == VK::F5 || key == VK::F6 || key == VK::F8 ||
         key == VK::ESCAPE;
}

EM_BOOL OnKey(int type, const EmscriptenKeyboardEvent* e, void* user) {
  auto* display = static_cast<WebDisplay*>(user);
  // The DOM's keyCode is the Windows virtual-key code for the keys the demo reads.
  const int key = e->keyCode > 0 && e->keyCode < 256 ? static_cast<int>(e->keyCode) : 0;
  WindowEvent event;
  event.kind = type == EMSCRIPTEN_EVENT_KEYDOWN ? WindowEvent::KeyDown : WindowEvent::KeyUp;
  event.key = key;
  display->events.push_back(event);
  return display->running && DemoKey(key);
}

// A page of its own (web/page.js) places the canvas on the screen and
// chooses its pixels (Module.lumivaneCanvasSize); without one the canvas is
// shown at its own size.
bool PageLaysOut() { return EM_ASM_INT({ return typeof Module.lumivaneCanvasSize == 'function' ? 1 : 0; }) != 0; }

EM_BOOL OnResize(int, const EmscriptenUiEvent*, void* user) {
  auto* display = static_cast<WebDisplay*>(user);
  if (!display->fitWindow) return EM_FALSE;
  WindowEvent event;
  event.kind = WindowEvent::Size;
  WebDisplay::FitSize(event.width, event.height);
  emscripten_set_canvas_element_size(kCanvas, event.width, event.height);
  if (!PageLaysOut()) emscripten_set_element_css_size(kCanvas, event.width, event.height);
  display->events.push_back(event);
  return EM_FALSE;
}

// The page's message hook, or the console without one.
EM_JS(void, PageMessage, (const char* caption, const char* text, unsigned style), {
  const c = UTF8ToString(caption);
  const t = UTF8ToString(text);
  if (typeof Module.lumivaneMessage == 'function') Module.lumivaneMessage(c, t, style);
  else console.log(c + ': ' + t);
});

}  // namespace

int WebMessageBoxes::Show(const std::string& text, const std::string& caption, unsigned style) {
  if (style & MB::YESNO) return MB::IDYES;
  PageMessage(caption.c_str(), text.c_str(), style);
  return MB::IDOK;
}

std::int64_t WebClock::Counter() { return static_cast<std::int64_t>(emscripten_get_now() * 1000.0); }

WebDisplay::WebDisplay(bool fitWindow) : fitWindow(fitWindow) {}

WebDisplay::~WebDisplay() {
  Unregister();
  if (context) DeleteContext();
}

void WebDisplay::FitSize(int& width, int& height) {
  int w = EM_ASM_INT({ return window.innerWidth; });
  int h = EM_ASM_INT({ return window.innerHeight; });
  if (PageLaysOut()) {
    w = EM_ASM_INT({ return Module.lumivaneCanvasSize()[0]; });
    h = EM_ASM_INT({ return Module.lumivaneCanvasSize()[1]; });
  }
  // The same rounding as GLWindow::PictureArea, so the whole canvas is the picture.
  width = w * 3 <= h * 4 ? w : (h * 4 + 1) / 3;
  height = (width * 3 + 2) / 4;
  if (width < 4 || height < 3) width = 4, height = 3;
}

bool WebDisplay::Register() {
  emscripten_set_keydown_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, this, EM_TRUE, OnKey);
  emscripten_set_keyup_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, this, EM_TRUE, OnKey);
  emscripten_set_resize_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, this, EM_FALSE, OnResize);
  return true;
}

bool WebDisplay::Unregister() {
  emscripten_set_keydown_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_TRUE, nullptr);
  emscripten_set_keyup_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_TRUE, nullptr);
  emscripten_set_resize_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_FALSE, nullptr);
  return true;
}

bool WebDisplay::OpenWindow(const char* title, int width, int height, bool fullscreen, int bits) {
  (void)fullscreen, (void)bits;
  emscripten_set_window_title(title);
  return emscripten_set_canvas_element_size(kCanvas, width, height) == EMSCRIPTEN_RESULT_SUCCESS &&
         (PageLaysOut() || emscripten_set_element_css_size(kCanvas, width, height) == EMSCRIPTEN_RESULT_SUCCESS);
}

bool WebDisplay::CreateContext() {
  EmscriptenWebGLContextAttributes attributes;
  emscripten_webgl_init_context_attributes(&attributes);
  attributes.alpha = EM_FALSE;  // the picture is opaque, as in a window
  attributes.depth = EM_TRUE;
  attributes.stencil = EM_FALSE;
  attributes.antialias = EM_FALSE;
  attributes.majorVersion = 1;  // the GL emulation draws on WebGL 1
  context = emscripten_webgl_create_context(kCanvas, &attributes);
  return context > 0;
}

bool WebDisplay::MakeCurrent() {
  if (emscripten_webgl_make_context_current(context) != EMSCRIPTEN_RESULT_SUCCESS) return false;
  // The emulation sets itself up for a context made through its own path
  // only; a context from html5.h gets the same set-up here.
  EM_ASM({
    Module.useWebGL = true;
    GLImmediate.init();
  });
  lvResetState();
  return true;
}

bool WebDisplay::ReleaseCurrent() {
  return emscripten_webgl_make_context_current(0) == EMSCRIPTEN_RESULT_SUCCESS;
}

bool WebDisplay::DeleteContext() {
  const bool ok = emscripten_webgl_destroy_context(context) == EMSCRIPTEN_RESULT_SUCCESS;
  context = 0;
  return ok;
}

void WebDisplay::Swap() { lvFlush(); }

bool WebDisplay::PollEvent(WindowEvent& event) {
  // After a key went down, one pass finds nothing waiting, so the demo acts
  // on the key even when its release came in the same animation frame (a
  // quick tap on a slow machine, or the page's touch bar).
  if (keyWentDown) {
    keyWentDown = false;
    return false;
  }
  if (events.empty()) return false;
  keyWentDown = events.front().kind == WindowEvent::KeyDown;
  event = events.front();
  events.pop_front();
  return true;
}
