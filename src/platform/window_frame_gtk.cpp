// The visible frame on GTK: the window manager's frame, or the toolkit's own title bar and the
// contents when the window decorates itself.
#include <gtk/gtk.h>
#include <wx/toplevel.h>

#include "platform/window_frame_wx.h"

namespace selvara {
namespace {

struct TitleBarSearch {
  GtkWidget* contents;
  GtkWidget* found;
};

void findTitleBar(GtkWidget* child, gpointer data) {
  auto* search = static_cast<TitleBarSearch*>(data);
  if (child != search->contents && gtk_widget_get_visible(child) != FALSE) search->found = child;
}

}  // namespace

wxSize visibleFrameSize(const wxTopLevelWindow& window) {
  GtkWidget* widget = window.GetHandle();
  if (widget == nullptr || gtk_style_context_has_class(gtk_widget_get_style_context(widget),
                                                       GTK_STYLE_CLASS_CSD) == FALSE) {
    return window.GetSize();
  }
  // NOTE: a window that decorates itself draws its shadows inside its own surface, and the
  // toolkit counts them in the outer size. The visible frame is the title bar (an internal
  // child of the window, beside its contents) over the client area. The title bar's requested
  // height is asked, not its allocation, which lags behind the size event.
  wxSize size = window.GetClientSize();
  TitleBarSearch search{gtk_bin_get_child(GTK_BIN(widget)), nullptr};
  gtk_container_forall(GTK_CONTAINER(widget), findTitleBar, &search);
  if (search.found != nullptr) {
    int minimum = 0;
    int natural = 0;
    gtk_widget_get_preferred_height(search.found, &minimum, &natural);
    size.y += natural;
  }
  return size;
}

}  // namespace selvara
