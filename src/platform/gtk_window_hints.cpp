// Window-manager hints on GTK.
#include <gtk/gtk.h>
#include <wx/toplevel.h>

#include "platform/gtk_window_hints.h"

namespace selvara {

void skipTaskbar(wxTopLevelWindow* window) {
  GtkWidget* widget = window->GetHandle();
  if (widget == nullptr || !GTK_IS_WINDOW(widget)) return;
  gtk_window_set_skip_taskbar_hint(GTK_WINDOW(widget), TRUE);
  gtk_window_set_skip_pager_hint(GTK_WINDOW(widget), TRUE);
}

}  // namespace selvara
