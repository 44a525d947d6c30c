// The desktop's folder chooser at the desktop's text scale: on the screen whole, and closing it
// chooses nothing.
#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <chrono>

#include "platform/folder_chooser_wx.h"

namespace selvara {
namespace {

// Closes GTK's chooser as a window manager's close button does, once it fits on its screen
// (which `fitted` then says) or when the time is up.
gboolean closeOnceFitted(gpointer fitted) {
  static const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  bool closed = false;
  GList* windows = gtk_window_list_toplevels();
  for (GList* item = windows; item != nullptr; item = item->next) {
    GdkWindow* shown = gtk_widget_get_window(GTK_WIDGET(item->data));
    if (!GTK_IS_FILE_CHOOSER_DIALOG(item->data) || shown == nullptr) continue;
    GdkRectangle frame;
    GdkRectangle screen;
    gdk_window_get_frame_extents(shown, &frame);
    gdk_monitor_get_geometry(gdk_display_get_monitor_at_window(gdk_display_get_default(), shown),
                             &screen);
    *static_cast<bool*>(fitted) = frame.width <= screen.width && frame.height <= screen.height;
    closed = *static_cast<bool*>(fitted) || std::chrono::steady_clock::now() > deadline;
    if (closed) gtk_window_close(GTK_WINDOW(item->data));
  }
  g_list_free(windows);
  return closed ? G_SOURCE_REMOVE : G_SOURCE_CONTINUE;
}

TEST(FolderChooserTest, FitsOnTheScreenAndClosingItChoosesNothing) {
  bool fitted = false;
  g_timeout_add(50, closeOnceFitted, &fitted);
  EXPECT_EQ(chooseFolder("Choose a card set"), std::nullopt);
  EXPECT_TRUE(fitted);
}

}  // namespace
}  // namespace selvara
