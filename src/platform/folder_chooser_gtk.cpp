// The folder chooser on GTK: the desktop portal's chooser where one runs (under flatpak, or with
// GTK_USE_PORTAL=1), GTK's own dialog otherwise; GtkFileChooserNative makes that choice.
#include <gtk/gtk.h>

#include <algorithm>

#include "platform/folder_chooser_wx.h"

namespace selvara {
namespace {

// HACK: GTK sizes its own chooser from the text size, about 45 lines high, when it remembers no
// size of the user's; at large text that is taller than the screen, and a Wayland compositor,
// unlike an X window manager, leaves it so, with its title and buttons out of reach. Once it is
// on screen, GTK's chooser (a portal's is another program's) is fitted into nine tenths of the
// screen, which leaves room for panels that a Wayland work area does not know of.
gboolean fitChooserOnScreen(gpointer /*userData*/) {
  GList* windows = gtk_window_list_toplevels();
  for (GList* item = windows; item != nullptr; item = item->next) {
    GtkWidget* widget = GTK_WIDGET(item->data);
    GdkWindow* shown = gtk_widget_get_window(widget);
    if (!GTK_IS_FILE_CHOOSER_DIALOG(widget) || shown == nullptr) continue;
    GdkMonitor* monitor = gdk_display_get_monitor_at_window(gdk_window_get_display(shown), shown);
    if (monitor == nullptr) continue;
    GdkRectangle area;
    gdk_monitor_get_workarea(monitor, &area);
    int width = 0;
    int height = 0;
    gtk_window_get_size(GTK_WINDOW(widget), &width, &height);
    // What the window draws around that size, on Wayland its header bar and shadow, fits too.
    const int aroundWidth = gdk_window_get_width(shown) - width;
    const int aroundHeight = gdk_window_get_height(shown) - height;
    gtk_window_resize(GTK_WINDOW(widget), std::min(width, area.width * 9 / 10 - aroundWidth),
                      std::min(height, area.height * 9 / 10 - aroundHeight));
  }
  g_list_free(windows);
  return G_SOURCE_REMOVE;
}

}  // namespace

std::optional<std::string> chooseFolder(const std::string& title) {
  GtkFileChooserNative* native = gtk_file_chooser_native_new(
      title.c_str(), nullptr, GTK_FILE_CHOOSER_ACTION_SELECT_FOLDER, "_Open", "_Cancel");
  GtkFileChooser* chooser = GTK_FILE_CHOOSER(native);
  const char* pictures = g_get_user_special_dir(G_USER_DIRECTORY_PICTURES);
  const bool hasPictures =
      pictures != nullptr && g_file_test(pictures, G_FILE_TEST_IS_DIR) != FALSE;
  gtk_file_chooser_set_current_folder(chooser, hasPictures ? pictures : g_get_home_dir());

  std::optional<std::string> chosen;
  g_idle_add(fitChooserOnScreen, nullptr);
  // NOTE: runs a nested main loop until the chooser answers; nothing else is on screen yet.
  if (gtk_native_dialog_run(GTK_NATIVE_DIALOG(native)) == GTK_RESPONSE_ACCEPT) {
    gchar* path = gtk_file_chooser_get_filename(chooser);
    if (path == nullptr) path = gtk_file_chooser_get_uri(chooser);
    if (path != nullptr) chosen = path;
    g_free(path);
  }
  g_object_unref(native);
  return chosen;
}

}  // namespace selvara
