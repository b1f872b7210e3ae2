#pragma once
#include <gtk/gtk.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/Platform.h"

// The setup dialog as a native GTK 3 modal window, shown before any SDL window
// exists: the picture down the left, "window mode" (three resolutions and
// Fullscreen) and "color depth" / "music" side by side, Start and Quit along
// the bottom. Start ends it with Start; Quit, Escape and closing it with Quit;
// when GTK cannot reach a display it says why on standard error: Failed.
class GtkSetupDialog : public SetupDialog {
 public:
  explicit GtkSetupDialog(std::string picturePath = "data/setup.png") : picturePath(std::move(picturePath)) {}
  SetupResult Run(SetupControls& controls) override;

  // Brings GTK up once per process, keeping the C locale so that numbers are
  // still read with a decimal point. False, with the reason, without a display.
  static bool Open(std::string* why);

  // The widgets while the dialog is up (null otherwise).
  struct Widgets {
    GtkWidget* window = nullptr;
    GtkWidget* picture = nullptr;  // null when the picture file is missing
    GtkWidget* start = nullptr;
    GtkWidget* quit = nullptr;
    GtkWidget* noSound = nullptr;
    GtkWidget* fullscreen = nullptr;
    GtkWidget* res640 = nullptr;
    GtkWidget* res800 = nullptr;
    GtkWidget* res1024 = nullptr;
    GtkWidget* bits16 = nullptr;
    GtkWidget* bits32 = nullptr;
  };
  Widgets widgets;

  // Called once from inside the dialog's loop after it is on screen (tests).
  std::function<void(GtkSetupDialog&)> onShown;
  // Ends the dialog with `result`; Start's reading of the controls is not done.
  void End(SetupResult result);

  // "&Start" -> "_Start": the dialog texts' mnemonics in GTK's notation.
  static std::string Mnemonic(const char* text);

 private:
  static void OnStart(GtkWidget*, gpointer self);
  static void OnQuit(GtkWidget*, gpointer self);
  static gboolean OnDelete(GtkWidget*, GdkEvent*, gpointer self);
  static gboolean OnKey(GtkWidget*, GdkEventKey* event, gpointer self);
  static gboolean OnIdleShown(gpointer self);
  // Tab order: Start, Quit, No Sound, the depths, the resolutions, Fullscreen.
  std::vector<GtkWidget*> TabOrder() const;
  void MoveFocus(bool forward);

  std::string picturePath;
  SetupControls* controls = nullptr;
  SetupResult result = SetupResult::Failed;
  bool running = false;
};
