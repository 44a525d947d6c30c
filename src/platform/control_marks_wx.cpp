// Marks in the program's colours with a style sheet on the window's own widgets.
#include "platform/control_marks_wx.h"

#include <gtk/gtk.h>
#include <wx/log.h>
#include <wx/toplevel.h>

namespace selvara {
namespace {

void addProvider(wxWindow* window, GtkStyleProvider* provider) {
  // NOTE: a widget's own style sheet reaches the nodes it draws (the radio button's marker, the
  // frame's border) but not its child widgets, which are styled on their own.
  if (auto* widget = static_cast<GtkWidget*>(window->GetHandle())) {
    // Above wxWidgets' own colours, which it sets at the application's priority.
    gtk_style_context_add_provider(gtk_widget_get_style_context(widget), provider,
                                   GTK_STYLE_PROVIDER_PRIORITY_APPLICATION + 1);
  }
  for (wxWindow* child : window->GetChildren()) addProvider(child, provider);
}

}  // namespace

void paintMarks(wxWindow* window, const MarkColours& colours) {
  const wxString mark = colours.mark.GetAsString(wxC2S_CSS_SYNTAX);
  const wxString dimmed = colours.dimmedMark.GetAsString(wxC2S_CSS_SYNTAX);
  // The theme's fill, gradients and shadows go, so that nothing of its own colours is left.
  const wxString css = wxString::Format(
      "radio { color: %s; border-color: %s; background-color: transparent;"
      " background-image: none; box-shadow: none; -gtk-icon-shadow: none; }"
      "radio:disabled { color: %s; border-color: %s; }"
      "radiobutton { outline-color: %s; outline-style: solid; outline-width: 1px; }"
      "frame > border { border-color: %s; }",
      mark, mark, dimmed, dimmed, mark, colours.frame.GetAsString(wxC2S_CSS_SYNTAX));
  GtkCssProvider* provider = gtk_css_provider_new();
  GError* error = nullptr;
  if (gtk_css_provider_load_from_data(provider, css.utf8_str(), -1, &error) == FALSE) {
    wxLogError("The dialog's mark colours were refused by GTK: %s", error->message);
    g_error_free(error);
  }
  addProvider(window, GTK_STYLE_PROVIDER(provider));
  g_object_unref(provider);
}

void showFocusAtOnce(wxTopLevelWindow* window) {
  auto* widget = static_cast<GtkWidget*>(window->GetHandle());
  if (widget == nullptr || !GTK_IS_WINDOW(widget)) return;
  // NOTE: GTK hides the ring each time it maps a window (unless the desktop asks for it always),
  // until a key is pressed; this runs after GTK's own handler of the map.
  g_signal_connect(widget, "map", G_CALLBACK(+[](GtkWidget* mapped, gpointer /*data*/) {
                     gtk_window_set_focus_visible(GTK_WINDOW(mapped), TRUE);
                   }),
                   nullptr);
}

}  // namespace selvara
