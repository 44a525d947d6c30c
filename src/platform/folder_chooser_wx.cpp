// The folder chooser on GTK: the desktop portal's chooser where one runs (under flatpak, or with
// GTK_USE_PORTAL=1), GTK's own dialog otherwise; GtkFileChooserNative makes that choice.
#include "platform/folder_chooser_wx.h"

#include <gtk/gtk.h>

namespace selvara {

std::optional<std::string> chooseFolder(const std::string& title) {
  GtkFileChooserNative* native = gtk_file_chooser_native_new(
      title.c_str(), nullptr, GTK_FILE_CHOOSER_ACTION_SELECT_FOLDER, "_Open", "_Cancel");
  GtkFileChooser* chooser = GTK_FILE_CHOOSER(native);
  const char* pictures = g_get_user_special_dir(G_USER_DIRECTORY_PICTURES);
  const bool hasPictures = pictures != nullptr && g_file_test(pictures, G_FILE_TEST_IS_DIR);
  gtk_file_chooser_set_current_folder(chooser, hasPictures ? pictures : g_get_home_dir());

  std::optional<std::string> chosen;
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
