#pragma once
#include <cstdint>
#include <memory>
#include <string>

// The seam between the demo's logic and the machine. The program links the
// SDL/GTK implementations; tests and the offline renderer hand in their own.

// Message box styles and answers, with the values of the Windows API so that
// callers read like the boxes they show.
namespace MB {
constexpr unsigned OK = 0x00;
constexpr unsigned YESNO = 0x04;
constexpr unsigned ICONSTOP = 0x10;
constexpr unsigned ICONEXCLAMATION = 0x30;
constexpr unsigned ICONWARNING = 0x30;
constexpr unsigned ICONINFORMATION = 0x40;
constexpr int IDOK = 1;
constexpr int IDYES = 6;
constexpr int IDNO = 7;
}  // namespace MB

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  // Shows a box without owner window and returns the answer (MB::IDOK, IDYES, IDNO).
  virtual int Show(const std::string& text, const std::string& caption, unsigned style) = 0;
};

// A monotonic counter with a known frequency.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual std::int64_t Frequency() = 0;  // ticks per second
  virtual std::int64_t Counter() = 0;    // current tick count
};

// One window event, already translated: keys carry Windows virtual-key codes.
struct WindowEvent {
  enum Kind { Quit, KeyDown, KeyUp, Activate, Size, Other };
  Kind kind = Other;
  int key = 0;             // KeyDown/KeyUp: virtual-key code 1..255, 0 when the key has none
  bool minimized = false;  // Activate: the window is minimised
  int width = 0;           // Size: new client size in pixels
  int height = 0;
};

// Window, display mode and GL context, one window at a time. Each operation
// mirrors one step of GLWindow::Create/Destroy and reports failure by its result.
class Display {
 public:
  virtual ~Display() = default;
  virtual bool Register() = 0;       // bring up the video system
  virtual bool Unregister() = 0;     // take it down again; false when it was not up
  virtual bool ChangeMode(int width, int height, int bits) = 0;  // fullscreen display mode
  virtual void RestoreMode() = 0;
  virtual void ShowCursor(bool show) = 0;
  // Creates the (hidden) window with the given client size and a GL-capable
  // surface of `bits` colour bits, double buffered, 16-bit depth.
  virtual bool OpenWindow(const char* title, int width, int height, bool fullscreen, int bits) = 0;
  // The same, fullscreen at the desktop's own resolution without a mode
  // change; tells the client size it got. A display without a desktop has none.
  virtual bool OpenDesktopWindow(const char* title, int bits, int& width, int& height) {
    (void)title, (void)bits, (void)width, (void)height;
    return false;
  }
  virtual bool CreateContext() = 0;
  virtual bool MakeCurrent() = 0;
  // Shows, raises and focuses the window; false when a fullscreen window's
  // display mode could not be set as it was shown.
  virtual bool ShowWindow() = 0;
  virtual bool ReleaseCurrent() = 0; // make no context current
  virtual bool DeleteContext() = 0;
  virtual bool CloseWindow() = 0;
  virtual void Swap() = 0;
  virtual bool PollEvent(WindowEvent& event) = 0;  // never blocks
  // The address of a GL entry point of the current context beyond OpenGL 1.1
  // (an extension's), or null where the display cannot tell.
  virtual void* GLFunction(const char* name) {
    (void)name;
    return nullptr;
  }
};

// Turns interleaved 16-bit stereo PCM of one rate into another, the way the
// audio device converts: frames put in come out at the new rate, with the
// converter's delay; Flush pushes the last ones out.
class RateConverter {
 public:
  virtual ~RateConverter() = default;
  virtual bool Put(const std::int16_t* frames, int frameCount) = 0;
  virtual int Get(std::int16_t* frames, int frameCount) = 0;  // frames taken out, maybe 0
  virtual void Flush() = 0;
};

// Plays interleaved 16-bit stereo PCM pulled from a callback on the device's own thread.
class AudioOut {
 public:
  using Pull = void (*)(void* user, std::int16_t* frames, int frameCount);
  virtual ~AudioOut() = default;
  virtual bool Open(int rate, Pull pull, void* user) = 0;  // device paused after opening
  virtual void Start() = 0;
  // The layer's channel was paused (true) or goes on (false). A device whose
  // clock can stand still (the browser's audio context) stops it here, so the
  // sound stays with the demo clock; the others play the layer's silence.
  virtual void SetPaused(bool paused) { (void)paused; }
  virtual void Lock() = 0;    // keeps the callback out while held
  virtual void Unlock() = 0;
  virtual void Close() = 0;
  // The device's converter from `fromRate` to `toRate`, for sound at another
  // rate than the one it was opened at; null when it has none.
  virtual std::unique_ptr<RateConverter> NewConverter(int fromRate, int toRate) {
    (void)fromRate, (void)toRate;
    return nullptr;
  }
};

// The seven controls of the setup dialog that the program reads.
struct SetupControls {
  bool noSound = false;
  bool fullscreen = false;
  bool res640 = false, res800 = false, res1024 = false;
  bool bits16 = false, bits32 = false;
  // Not in the dialog: set by the command line or the offline renderer.
  int width = 0, height = 0;  // a size of its own, in pixels, in place of the three; 0: none
  bool desktop = false;       // fullscreen at the desktop's resolution, without a mode change
};

// How a run of the setup dialog ended; the numbers are the dialog's own results.
enum class SetupResult {
  Start = 1,    // the controls hold the user's choices
  Quit = 2,     // Quit, Escape or the window closed
  Failed = -1,  // the dialog could not be shown
};

class SetupDialog {
 public:
  virtual ~SetupDialog() = default;
  // Runs the modal dialog starting from `controls`; on Start the controls are
  // as the user left them, otherwise untouched.
  virtual SetupResult Run(SetupControls& controls) = 0;
};

// What the program runs on. Any pointer may be null where the run has no use
// for it (no audio in the offline renderer, no dialog in tests).
struct Platform {
  MessageBoxes* boxes = nullptr;
  Clock* clock = nullptr;
  Display* display = nullptr;
  AudioOut* audio = nullptr;
  SetupDialog* dialog = nullptr;
};
