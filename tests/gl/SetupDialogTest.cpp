// The GTK setup dialog on the (virtual) display. Keys are fed to GTK as key
// events of the dialog's window, so the tests need no keyboard focus and may
// run beside other windows; tests/setup_dialog_test.sh types at the real
// program with xdotool.
#include <gtest/gtest.h>
#include <unistd.h>

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <system_error>
#include <tuple>

#include "platform/GtkSetupDialog.h"
#include "window/SetupChoices.h"
#include "tests/support/TempFolder.h"

namespace {

void SendKey(GtkWidget* widget, guint keyval, GdkModifierType state = static_cast<GdkModifierType>(0)) {
  GdkWindow* window = gtk_widget_get_window(widget);
  GdkDisplay* display = gdk_window_get_display(window);
  GdkDevice* keyboard = gdk_seat_get_keyboard(gdk_display_get_default_seat(display));
  GdkKeymapKey* keys = nullptr;
  gint count = 0;
  gdk_keymap_get_entries_for_keyval(gdk_keymap_get_for_display(display), keyval, &keys, &count);
  for (GdkEventType type : {GDK_KEY_PRESS, GDK_KEY_RELEASE}) {
    GdkEvent* event = gdk_event_new(type);
    event->key.window = GDK_WINDOW(g_object_ref(window));
    event->key.send_event = TRUE;
    event->key.time = GDK_CURRENT_TIME;
    event->key.state = state;
    event->key.keyval = keyval;
    if (count > 0) {
      event->key.hardware_keycode = static_cast<guint16>(keys[0].keycode);
      event->key.group = static_cast<guint8>(keys[0].group);
    }
    gdk_event_set_device(event, keyboard);
    gtk_main_do_event(event);
    gdk_event_free(event);
  }
  g_free(keys);
}

void Alt(GtkWidget* widget, guint keyval) { SendKey(widget, keyval, GDK_MOD1_MASK); }

bool On(GtkWidget* toggle) { return gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(toggle)); }

std::string FrameOf(GtkWidget* control) {
  GtkWidget* frame = gtk_widget_get_ancestor(control, GTK_TYPE_FRAME);
  return frame ? gtk_frame_get_label(GTK_FRAME(frame)) : "(none)";
}

const char* kNoPicture = "no/such/picture.png";

// Runs the dialog from the initial choices and expects it to end as `result`;
// `act` runs once it is on screen. Gives the controls as the dialog left them.
// Every run is bounded: a dialog still up after 10 s ends as Failed.
SetupControls ExpectRunEnds(SetupResult result, std::function<void(GtkSetupDialog&)> act,
                            SetupControls controls = InitialSetupControls(), const std::string& picture = kNoPicture) {
  std::string why;
  if (!GtkSetupDialog::Open(&why)) {
    ADD_FAILURE() << why;
    return controls;
  }
  GtkSetupDialog dialog(picture);
  const guint bound = g_timeout_add_seconds(
      10,
      [](gpointer d) -> gboolean {
        static_cast<GtkSetupDialog*>(d)->End(SetupResult::Failed);
        return G_SOURCE_REMOVE;
      },
      &dialog);
  dialog.onShown = std::move(act);
  EXPECT_EQ(dialog.Run(controls), result);
  g_source_remove(bound);
  return controls;
}

// The seven controls the dialog sets, to compare at once.
auto Tie(const SetupControls& c) {
  return std::make_tuple(c.noSound, c.fullscreen, c.res640, c.res800, c.res1024, c.bits16, c.bits32);
}

}  // namespace

TEST(GtkSetupDialog, ShowsTheControlsWithTheirTextsGroupsAndInitialChoices) {
  ExpectRunEnds(SetupResult::Quit, [](GtkSetupDialog& d) {
    const GtkSetupDialog::Widgets& w = d.widgets;
    EXPECT_STREQ(gtk_window_get_title(GTK_WINDOW(w.window)), "Vantel Quorix - Lumivane");
    EXPECT_EQ(w.picture, nullptr);  // a missing picture leaves just the controls
    const struct {
      GtkWidget* control;
      const char* label;
      const char* frame;
      bool on;
    } expected[] = {
        {w.start, "_Start", "(none)", false},        {w.quit, "_Quit", "(none)", false},
        {w.noSound, "_No Sound", "music", false},    {w.bits16, "_16 bit", "color depth", false},
        {w.bits32, "_32 bit", "color depth", true},  {w.res640, "_640 x 480", "window mode", false},
        {w.res800, "_800 x 600", "window mode", true}, {w.res1024, "_1024 x 768", "window mode", false},
        {w.fullscreen, "_Fullscreen", "window mode", true},
    };
    for (const auto& e : expected) {
      SCOPED_TRACE(e.label);
      EXPECT_STREQ(gtk_button_get_label(GTK_BUTTON(e.control)), e.label);
      EXPECT_TRUE(gtk_button_get_use_underline(GTK_BUTTON(e.control)));
      EXPECT_EQ(FrameOf(e.control), e.frame);
      if (GTK_IS_TOGGLE_BUTTON(e.control)) {
        EXPECT_EQ(On(e.control), e.on);
      }
    }
    // The two radio groups are separate.
    EXPECT_EQ(g_slist_length(gtk_radio_button_get_group(GTK_RADIO_BUTTON(w.res640))), 3u);
    EXPECT_EQ(g_slist_length(gtk_radio_button_get_group(GTK_RADIO_BUTTON(w.bits16))), 2u);
    EXPECT_EQ(gtk_window_get_focus(GTK_WINDOW(w.window)), w.start);
    d.End(SetupResult::Quit);
  });
}

TEST(GtkSetupDialog, TheInitialChoicesComeFromTheCaller) {
  SetupControls controls;
  controls.res1024 = controls.bits16 = controls.noSound = true;
  ExpectRunEnds(
      SetupResult::Quit,
      [](GtkSetupDialog& d) {
        EXPECT_TRUE(On(d.widgets.res1024) && On(d.widgets.bits16) && On(d.widgets.noSound));
        EXPECT_FALSE(On(d.widgets.fullscreen) || On(d.widgets.res800) || On(d.widgets.bits32));
        d.End(SetupResult::Quit);
      },
      controls);
}

TEST(GtkSetupDialog, EnterPressesStartWithTheInitialChoices) {
  const SetupControls got =
      ExpectRunEnds(SetupResult::Start, [](GtkSetupDialog& d) { SendKey(d.widgets.window, GDK_KEY_Return); });
  EXPECT_EQ(Tie(got), Tie(InitialSetupControls()));
}

// Enter on another control than a button is still Start; it does not choose that control.
TEST(GtkSetupDialog, EnterOnARadioButtonIsStart) {
  const SetupControls got = ExpectRunEnds(SetupResult::Start, [](GtkSetupDialog& d) {
    gtk_widget_grab_focus(d.widgets.res640);
    SendKey(d.widgets.window, GDK_KEY_Return);
  });
  EXPECT_EQ(Tie(got), Tie(InitialSetupControls()));
}

// Tab walks the controls in their order, a radio group being one stop at its
// chosen button; Shift+Tab walks back. Neither button is a default button.
TEST(GtkSetupDialog, TabFollowsTheControlOrderAndNoButtonIsDefault) {
  const SetupControls got = ExpectRunEnds(SetupResult::Quit, [](GtkSetupDialog& d) {
    const GtkSetupDialog::Widgets& w = d.widgets;
    GtkWindow* window = GTK_WINDOW(w.window);
    EXPECT_EQ(gtk_window_get_default_widget(window), nullptr);
    EXPECT_FALSE(gtk_widget_has_default(w.start) || gtk_widget_has_default(w.quit));
    auto focus = [window] { return gtk_window_get_focus(window); };
    ASSERT_EQ(focus(), w.start);
    for (GtkWidget* next : {w.quit, w.noSound, w.bits32, w.res800, w.fullscreen, w.start}) {
      SendKey(w.window, GDK_KEY_Tab);
      EXPECT_EQ(focus(), next) << gtk_button_get_label(GTK_BUTTON(next));
    }
    SendKey(w.window, GDK_KEY_ISO_Left_Tab, GDK_SHIFT_MASK);
    EXPECT_EQ(focus(), w.fullscreen);
    gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(w.res1024), TRUE);
    SendKey(w.window, GDK_KEY_ISO_Left_Tab, GDK_SHIFT_MASK);
    EXPECT_EQ(focus(), w.res1024);  // the group's stop follows its choice
    SendKey(w.window, GDK_KEY_ISO_Left_Tab, GDK_SHIFT_MASK);
    EXPECT_EQ(focus(), w.bits32);
    // Enter on Quit is Quit.
    gtk_widget_grab_focus(w.quit);
    SendKey(w.window, GDK_KEY_Return);
  });
  EXPECT_EQ(Tie(got), Tie(InitialSetupControls()));
}

TEST(GtkSetupDialog, AltMnemonicsSetTheControlsAndAltSStarts) {
  const SetupControls got = ExpectRunEnds(SetupResult::Start, [](GtkSetupDialog& d) {
    const GtkSetupDialog::Widgets& w = d.widgets;
    // Alt+key, after which `on` is chosen and `off` is not (either may be null).
    auto press = [&w](guint key, GtkWidget* on, GtkWidget* off) {
      Alt(w.window, key);
      if (on) {
        EXPECT_TRUE(On(on)) << gdk_keyval_name(key);
      }
      if (off) {
        EXPECT_FALSE(On(off)) << gdk_keyval_name(key);
      }
    };
    press(GDK_KEY_n, w.noSound, nullptr);
    press(GDK_KEY_f, nullptr, w.fullscreen);
    press(GDK_KEY_6, w.res640, w.res800);
    press(GDK_KEY_8, w.res800, nullptr);
    // "&16 bit" and "&1024 x 768" share Alt+1: it moves between them; Space chooses.
    Alt(w.window, GDK_KEY_1);
    GtkWidget* first = gtk_window_get_focus(GTK_WINDOW(w.window));
    EXPECT_TRUE(first == w.bits16 || first == w.res1024);
    SendKey(w.window, GDK_KEY_space);
    Alt(w.window, GDK_KEY_1);
    GtkWidget* second = gtk_window_get_focus(GTK_WINDOW(w.window));
    EXPECT_TRUE((second == w.bits16 || second == w.res1024) && second != first);
    SendKey(w.window, GDK_KEY_space);
    EXPECT_TRUE(On(w.bits16));
    EXPECT_TRUE(On(w.res1024));
    press(GDK_KEY_3, w.bits32, nullptr);
    Alt(w.window, GDK_KEY_s);
  });
  SetupControls expected;
  expected.noSound = expected.res1024 = expected.bits32 = true;
  EXPECT_EQ(Tie(got), Tie(expected));
}

TEST(GtkSetupDialog, QuitEscapeAndClosingWriteNothing) {
  const std::function<void(GtkSetupDialog&)> endings[] = {
      [](GtkSetupDialog& d) { Alt(d.widgets.window, GDK_KEY_q); },
      [](GtkSetupDialog& d) { SendKey(d.widgets.window, GDK_KEY_Escape); },
      [](GtkSetupDialog& d) { gtk_window_close(GTK_WINDOW(d.widgets.window)); },
      [](GtkSetupDialog& d) { gtk_button_clicked(GTK_BUTTON(d.widgets.quit)); },
  };
  int i = 0;
  for (const auto& ending : endings) {
    SCOPED_TRACE(i++);
    const SetupControls got = ExpectRunEnds(SetupResult::Quit, [&](GtkSetupDialog& d) {
      Alt(d.widgets.window, GDK_KEY_n);  // changed, then thrown away
      gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(d.widgets.res1024), TRUE);
      ending(d);
    });
    EXPECT_EQ(Tie(got), Tie(InitialSetupControls()));
  }
}

TEST(GtkSetupDialog, ThePictureStandsAtItsOwnSizeLeftOfTheBoxesAndTheButtonsAlongTheBottom) {
  TempFolder dir;
  ASSERT_FALSE(dir.path.empty());
  const std::string path = dir / "setup.png";
  {
    std::string why;
    ASSERT_TRUE(GtkSetupDialog::Open(&why)) << why;
    GdkPixbuf* pixbuf = gdk_pixbuf_new(GDK_COLORSPACE_RGB, FALSE, 8, 128, 164);
    gdk_pixbuf_fill(pixbuf, 0x3050a0ff);
    ASSERT_TRUE(gdk_pixbuf_save(pixbuf, path.c_str(), "png", nullptr, nullptr));
    g_object_unref(pixbuf);
  }
  ExpectRunEnds(
      SetupResult::Quit,
      [](GtkSetupDialog& d) {
        const GtkSetupDialog::Widgets& w = d.widgets;
        ASSERT_NE(w.picture, nullptr);
        for (int i = 0; i < 500 && gtk_widget_get_allocated_width(w.quit) <= 1; ++i) gtk_main_iteration_do(FALSE);
        GtkAllocation picture, mode, depth, music, start, quit;
        gtk_widget_get_allocation(w.picture, &picture);
        gtk_widget_get_allocation(gtk_widget_get_ancestor(w.res640, GTK_TYPE_FRAME), &mode);
        gtk_widget_get_allocation(gtk_widget_get_ancestor(w.bits16, GTK_TYPE_FRAME), &depth);
        gtk_widget_get_allocation(gtk_widget_get_ancestor(w.noSound, GTK_TYPE_FRAME), &music);
        gtk_widget_get_allocation(w.start, &start);
        gtk_widget_get_allocation(w.quit, &quit);
        GdkPixbuf* shown = gtk_image_get_pixbuf(GTK_IMAGE(w.picture));
        EXPECT_EQ(gdk_pixbuf_get_width(shown), 128);
        EXPECT_EQ(gdk_pixbuf_get_height(shown), 164);
        EXPECT_GE(picture.width, 128);
        EXPECT_GE(picture.height, 164);
        EXPECT_LE(picture.x + picture.width, mode.x);  // picture | window mode | color depth, music
        EXPECT_LT(mode.x + mode.width, depth.x);
        EXPECT_EQ(depth.x, music.x);
        EXPECT_LT(depth.y + depth.height, music.y);
        EXPECT_EQ(start.x, mode.x);  // Start under "window mode", Quit under the right column
        EXPECT_EQ(start.width, mode.width);
        EXPECT_EQ(quit.x, depth.x);
        EXPECT_EQ(start.y, quit.y);
        EXPECT_GE(start.y, mode.y + mode.height);
        EXPECT_GE(start.y, music.y + music.height);
        d.End(SetupResult::Quit);
      },
      InitialSetupControls(), path);
}

// The rest run in a fresh process each: GTK comes up once per process.

namespace {

// A locale that writes one half as "0,5", made from the system's sources in
// `folder` (then its LOCPATH) when none is installed. Empty when there is
// none to be had.
std::string CommaLocale(const TempFolder& folder, std::string* path) {
  for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8"}) {
    locale_t l = newlocale(LC_NUMERIC_MASK, name, static_cast<locale_t>(0));
    if (l) {
      freelocale(l);
      return name;
    }
  }
  if (folder.path.empty()) return "";
  const std::string command = "localedef -i de_DE -f UTF-8 " + (folder / "de_DE.UTF-8") + " >/dev/null 2>&1";
  if (std::system(command.c_str()) != 0 && access((folder / "de_DE.UTF-8").c_str(), F_OK) != 0) return "";
  *path = folder.path;
  return "de_DE.UTF-8";
}

}  // namespace

TEST(GtkSetupDialogDeathTest, NumbersAreStillReadWithADotAfterTheDialog) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  TempFolder locales;
  std::string path;
  const std::string name = CommaLocale(locales, &path);
  if (name.empty()) GTEST_SKIP() << "no locale with a decimal comma (the locales package is missing)";
  EXPECT_EXIT(
      {
        if (!path.empty()) setenv("LOCPATH", path.c_str(), 1);
        setenv("LC_ALL", name.c_str(), 1);
        // The child leaves by _Exit, past the destructors: it removes its own locale folder first.
        auto leave = [&locales](int code) {
          std::error_code ignored;
          std::filesystem::remove_all(locales.path, ignored);
          std::_Exit(code);
        };
        // The test is only worth something when the user's locale would turn the dot into a comma.
        if (!std::setlocale(LC_ALL, "") || std::strtod("0.5", nullptr) != 0.0) leave(3);
        std::setlocale(LC_ALL, "C");
        GtkSetupDialog dialog(kNoPicture);
        SetupControls controls = InitialSetupControls();
        dialog.onShown = [](GtkSetupDialog& d) { SendKey(d.widgets.window, GDK_KEY_Return); };
        const SetupResult result = dialog.Run(controls);
        char* end = nullptr;
        const double half = std::strtod("0.5", &end);
        leave(result == SetupResult::Start && half == 0.5 && *end == '\0' ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
}

TEST(GtkSetupDialogDeathTest, WithoutADisplayItSaysWhyAndFails) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        unsetenv("DISPLAY");
        unsetenv("WAYLAND_DISPLAY");
        GtkSetupDialog dialog(kNoPicture);
        SetupControls controls = InitialSetupControls();
        std::_Exit(dialog.Run(controls) == SetupResult::Failed ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "the setup dialog cannot be shown: no display \\(DISPLAY is not set\\)");
}
