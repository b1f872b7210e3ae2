#include "platform/GtkSetupDialog.h"

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

constexpr const char* kCaption = "Vantel Quorix - Lumivane";

GtkWidget* GroupBox(const char* title, GtkWidget* content) {
  GtkWidget* frame = gtk_frame_new(title);
  gtk_widget_set_margin_start(content, 10);
  gtk_widget_set_margin_end(content, 10);
  gtk_widget_set_margin_top(content, 4);
  gtk_widget_set_margin_bottom(content, 8);
  gtk_container_add(GTK_CONTAINER(frame), content);
  return frame;
}

GtkWidget* Column(int spacing) { return gtk_box_new(GTK_ORIENTATION_VERTICAL, spacing); }

bool Active(GtkWidget* toggle) { return gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(toggle)) != FALSE; }
void SetActive(GtkWidget* toggle, bool on) { gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(toggle), on); }

}  // namespace

std::string GtkSetupDialog::Mnemonic(const char* text) {
  std::string out;
  for (const char* p = text; *p; ++p) {
    if (*p == '&' && p[1] == '&') {
      out += '&';
      ++p;
    } else if (*p == '&') {
      out += '_';
    } else if (*p == '_') {
      out += "__";
    } else {
      out += *p;
    }
  }
  return out;
}

bool GtkSetupDialog::Open(std::string* why) {
  static int state = 0;  // 0 not tried, 1 up, -1 failed
  if (state == 0) {
    // GTK would otherwise take the user's locale for everything, numbers
    // included, and the mesh files would no longer read ("0.5" -> 0).
    gtk_disable_setlocale();
    // A busy X server may turn a connection away for a moment: try again a few times.
    const char* display = std::getenv("DISPLAY");
    const int attempts = display && *display ? 10 : 1;
    for (int attempt = 0; state == 0 && attempt < attempts; ++attempt) {
      if (attempt > 0) g_usleep(100000);
      if (gtk_init_check(nullptr, nullptr)) state = 1;
    }
    if (state == 0) state = -1;
    std::setlocale(LC_NUMERIC, "C");
  }
  if (state < 0 && why) {
    const char* name = std::getenv("DISPLAY");
    if (name && *name)
      *why = std::string("cannot open the display '") + name + "'";
    else
      *why = "no display (DISPLAY is not set)";
  }
  return state > 0;
}

SetupResult GtkSetupDialog::Run(SetupControls& chosen) {
  std::string why;
  if (!Open(&why)) {
    std::fprintf(stderr,
                 "lumivane: the setup dialog cannot be shown: %s.\n"
                 "Start with options instead, e.g. 'lumivane --windowed' (see 'lumivane --help').\n",
                 why.c_str());
    return SetupResult::Failed;
  }
  controls = &chosen;
  result = SetupResult::Quit;
  widgets = Widgets{};
  Widgets& w = widgets;

  w.window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
  GtkWindow* window = GTK_WINDOW(w.window);
  gtk_window_set_title(window, kCaption);
  gtk_window_set_resizable(window, FALSE);
  gtk_window_set_position(window, GTK_WIN_POS_CENTER);
  gtk_window_set_type_hint(window, GDK_WINDOW_TYPE_HINT_DIALOG);
  gtk_window_set_modal(window, TRUE);
  gtk_container_set_border_width(GTK_CONTAINER(window), 10);

  // "window mode": the three resolutions (one radio group) and Fullscreen.
  w.res640 = gtk_radio_button_new_with_mnemonic(nullptr, Mnemonic("&640 x 480").c_str());
  GtkRadioButton* resGroup = GTK_RADIO_BUTTON(w.res640);
  w.res800 = gtk_radio_button_new_with_mnemonic_from_widget(resGroup, Mnemonic("&800 x 600").c_str());
  w.res1024 = gtk_radio_button_new_with_mnemonic_from_widget(resGroup, Mnemonic("&1024 x 768").c_str());
  w.fullscreen = gtk_check_button_new_with_mnemonic(Mnemonic("&Fullscreen").c_str());
  GtkWidget* modeColumn = Column(2);
  for (GtkWidget* control : {w.res640, w.res800, w.res1024, w.fullscreen})
    gtk_box_pack_start(GTK_BOX(modeColumn), control, FALSE, FALSE, 0);
  gtk_widget_set_margin_top(w.fullscreen, 6);
  GtkWidget* modeBox = GroupBox("window mode", modeColumn);

  // "color depth" (the other radio group) above "music".
  w.bits16 = gtk_radio_button_new_with_mnemonic(nullptr, Mnemonic("&16 bit").c_str());
  w.bits32 = gtk_radio_button_new_with_mnemonic_from_widget(GTK_RADIO_BUTTON(w.bits16),
                                                            Mnemonic("&32 bit").c_str());
  GtkWidget* depthColumn = Column(2);
  gtk_box_pack_start(GTK_BOX(depthColumn), w.bits16, FALSE, FALSE, 0);
  gtk_box_pack_start(GTK_BOX(depthColumn), w.bits32, FALSE, FALSE, 0);
  GtkWidget* depthBox = GroupBox("color depth", depthColumn);

  w.noSound = gtk_check_button_new_with_mnemonic(Mnemonic("&No Sound").c_str());
  GtkWidget* musicBox = GroupBox("music", w.noSound);

  GtkWidget* rightColumn = Column(8);
  gtk_box_pack_start(GTK_BOX(rightColumn), depthBox, FALSE, FALSE, 0);
  gtk_box_pack_start(GTK_BOX(rightColumn), musicBox, FALSE, FALSE, 0);

  w.start = gtk_button_new_with_mnemonic(Mnemonic("&Start").c_str());
  w.quit = gtk_button_new_with_mnemonic(Mnemonic("&Quit").c_str());

  // Both columns as wide as each other, the buttons as wide as the boxes above.
  GtkSizeGroup* columns = gtk_size_group_new(GTK_SIZE_GROUP_HORIZONTAL);
  for (GtkWidget* widget : {modeBox, rightColumn, w.start, w.quit}) gtk_size_group_add_widget(columns, widget);
  g_object_unref(columns);

  GtkWidget* grid = gtk_grid_new();
  gtk_grid_set_column_spacing(GTK_GRID(grid), 10);
  gtk_grid_set_row_spacing(GTK_GRID(grid), 10);
  GdkPixbuf* pixbuf = gdk_pixbuf_new_from_file(picturePath.c_str(), nullptr);
  if (pixbuf) {
    // Shown at its own size, down the left beside the boxes and the buttons.
    w.picture = gtk_image_new_from_pixbuf(pixbuf);
    g_object_unref(pixbuf);
    gtk_widget_set_valign(w.picture, GTK_ALIGN_CENTER);
    gtk_grid_attach(GTK_GRID(grid), w.picture, 0, 0, 1, 2);
  }
  gtk_grid_attach(GTK_GRID(grid), modeBox, 1, 0, 1, 1);
  gtk_grid_attach(GTK_GRID(grid), rightColumn, 2, 0, 1, 1);
  gtk_widget_set_valign(w.start, GTK_ALIGN_END);
  gtk_widget_set_valign(w.quit, GTK_ALIGN_END);
  gtk_widget_set_vexpand(w.start, TRUE);
  gtk_grid_attach(GTK_GRID(grid), w.start, 1, 1, 1, 1);
  gtk_grid_attach(GTK_GRID(grid), w.quit, 2, 1, 1, 1);
  gtk_container_add(GTK_CONTAINER(window), grid);

  // The initial choices.
  SetActive(w.res640, chosen.res640);
  SetActive(w.res800, chosen.res800);
  SetActive(w.res1024, chosen.res1024);
  SetActive(w.bits16, chosen.bits16);
  SetActive(w.bits32, chosen.bits32);
  SetActive(w.fullscreen, chosen.fullscreen);
  SetActive(w.noSound, chosen.noSound);

  g_signal_connect(w.start, "clicked", G_CALLBACK(OnStart), this);
  g_signal_connect(w.quit, "clicked", G_CALLBACK(OnQuit), this);
  g_signal_connect(w.window, "delete-event", G_CALLBACK(OnDelete), this);
  g_signal_connect(w.window, "key-press-event", G_CALLBACK(OnKey), this);

  // Focus on Start. Neither button is a default button; Enter on any control
  // but Quit presses Start (OnKey), and Tab follows the controls' order.
  gtk_widget_grab_focus(w.start);

  gtk_widget_show_all(w.window);
  gtk_window_present(window);
  if (onShown) g_idle_add(OnIdleShown, this);

  running = true;
  gtk_main();

  gtk_widget_destroy(w.window);
  widgets = Widgets{};
  controls = nullptr;
  // Let the window go from the screen before the demo's own window appears.
  while (gtk_events_pending()) gtk_main_iteration();
  gdk_display_sync(gdk_display_get_default());
  return result;
}

void GtkSetupDialog::End(SetupResult value) {
  if (!running) return;
  running = false;
  result = value;
  gtk_main_quit();
}

void GtkSetupDialog::OnStart(GtkWidget*, gpointer self) {
  auto* dialog = static_cast<GtkSetupDialog*>(self);
  if (!dialog->running) return;
  const Widgets& w = dialog->widgets;
  SetupControls& c = *dialog->controls;
  c.noSound = Active(w.noSound);
  c.fullscreen = Active(w.fullscreen);
  c.res640 = Active(w.res640);
  c.res800 = Active(w.res800);
  c.res1024 = Active(w.res1024);
  c.bits16 = Active(w.bits16);
  c.bits32 = Active(w.bits32);
  dialog->End(SetupResult::Start);
}

void GtkSetupDialog::OnQuit(GtkWidget*, gpointer self) { static_cast<GtkSetupDialog*>(self)->End(SetupResult::Quit); }

gboolean GtkSetupDialog::OnDelete(GtkWidget*, GdkEvent*, gpointer self) {
  static_cast<GtkSetupDialog*>(self)->End(SetupResult::Quit);
  return TRUE;  // the window is destroyed when the loop is left
}

std::vector<GtkWidget*> GtkSetupDialog::TabOrder() const {
  const Widgets& w = widgets;
  // A radio group is one stop, at its chosen button.
  GtkWidget* depth = Active(w.bits16) ? w.bits16 : w.bits32;
  GtkWidget* size = Active(w.res640) ? w.res640 : Active(w.res1024) ? w.res1024 : w.res800;
  return {w.start, w.quit, w.noSound, depth, size, w.fullscreen};
}

void GtkSetupDialog::MoveFocus(bool forward) {
  const std::vector<GtkWidget*> order = TabOrder();
  GtkWidget* focus = gtk_window_get_focus(GTK_WINDOW(widgets.window));
  const Widgets& w = widgets;
  // Focus on an unchosen radio button counts as its group's stop.
  if (focus == w.bits16 || focus == w.bits32) focus = order[3];
  if (focus == w.res640 || focus == w.res800 || focus == w.res1024) focus = order[4];
  const int count = static_cast<int>(order.size());
  int at = forward ? -1 : 0;  // from nowhere: the first stop, or backwards the last
  for (int i = 0; i < count; ++i)
    if (order[i] == focus) at = i;
  const int next = (at + (forward ? 1 : count - 1)) % count;
  gtk_widget_grab_focus(order[next]);
  gtk_window_set_focus_visible(GTK_WINDOW(widgets.window), TRUE);
}

gboolean GtkSetupDialog::OnKey(GtkWidget*, GdkEventKey* event, gpointer self) {
  auto* dialog = static_cast<GtkSetupDialog*>(self);
  const bool plain = (event->state & (GDK_CONTROL_MASK | GDK_MOD1_MASK)) == 0;
  switch (event->keyval) {
    case GDK_KEY_Escape:
      dialog->End(SetupResult::Quit);
      return TRUE;
    case GDK_KEY_Tab:
    case GDK_KEY_KP_Tab:
    case GDK_KEY_ISO_Left_Tab:
      if (!plain) return FALSE;
      dialog->MoveFocus(event->keyval != GDK_KEY_ISO_Left_Tab && (event->state & GDK_SHIFT_MASK) == 0);
      return TRUE;
    case GDK_KEY_Return:
    case GDK_KEY_KP_Enter:
    case GDK_KEY_ISO_Enter:
      // On Quit, Enter is Quit's own press; everywhere else it is Start.
      if (gtk_window_get_focus(GTK_WINDOW(dialog->widgets.window)) == dialog->widgets.quit) return FALSE;
      OnStart(nullptr, dialog);
      return TRUE;
    default:
      return FALSE;
  }
}

gboolean GtkSetupDialog::OnIdleShown(gpointer self) {
  auto* dialog = static_cast<GtkSetupDialog*>(self);
  if (dialog->running && dialog->onShown) dialog->onShown(*dialog);
  return G_SOURCE_REMOVE;
}
