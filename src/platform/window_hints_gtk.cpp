// Window-manager hints on GTK.
#include <gtk/gtk.h>
#include <wx/toplevel.h>

#include "platform/window_hints_wx.h"

namespace selvara {

namespace {

void restrictFunctions(GtkWidget* widget, gpointer /*userData*/) {
  GdkWindow* window = gtk_widget_get_window(widget);
  if (window == nullptr) return;
  gdk_window_set_functions(window, static_cast<GdkWMFunction>(GDK_FUNC_MOVE | GDK_FUNC_CLOSE));
  gdk_window_set_decorations(
      window, static_cast<GdkWMDecoration>(GDK_DECOR_BORDER | GDK_DECOR_TITLE | GDK_DECOR_MENU));
}

}  // namespace

void dialogWindowHints(wxTopLevelWindow* window) {
  GtkWidget* widget = window->GetHandle();
  if (widget == nullptr || !GTK_IS_WINDOW(widget)) return;
  gtk_window_set_skip_taskbar_hint(GTK_WINDOW(widget), TRUE);
  gtk_window_set_skip_pager_hint(GTK_WINDOW(widget), TRUE);
  // NOTE: the hints reach the window manager only with the X window, which exists once the
  // widget is realized.
  if (gtk_widget_get_realized(widget) != FALSE) {
    restrictFunctions(widget, nullptr);
  } else {
    g_signal_connect(widget, "realize", G_CALLBACK(restrictFunctions), nullptr);
  }
}

}  // namespace selvara
