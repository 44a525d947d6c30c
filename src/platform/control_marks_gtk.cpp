// Marks in the program's colours with a style sheet on the window's own widgets.
#include <gtk/gtk.h>
#include <wx/statbox.h>
#include <wx/toplevel.h>

#include <string>

#include "platform/control_marks_wx.h"

namespace selvara {

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
  const std::string text = css.utf8_string();
  GtkCssProvider* provider = gtk_css_provider_new();
  GError* error = nullptr;
  if (gtk_css_provider_load_from_data(provider, text.c_str(), -1, &error) == FALSE) {
    g_warning("GTK refused the colours of the window's marks (%s): %s", error->message,
              text.c_str());
    g_error_free(error);
  }
  // NOTE: a widget's own style sheet reaches the nodes it draws (the radio button's marker, the
  // frame's border) but not its child widgets: each control gets it, in the window and in frames.
  const auto styleOf = [provider](wxWindow* control) {
    // Above wxWidgets' own colours, which it sets at the application's priority.
    gtk_style_context_add_provider(
        gtk_widget_get_style_context(static_cast<GtkWidget*>(control->GetHandle())),
        GTK_STYLE_PROVIDER(provider), GTK_STYLE_PROVIDER_PRIORITY_APPLICATION + 1);
  };
  for (wxWindow* control : window->GetChildren()) {
    styleOf(control);
    for (wxWindow* inner : control->GetChildren()) styleOf(inner);
  }
  g_object_unref(provider);
}

wxPoint frameChildOrigin(wxStaticBox* frame) {
  // NOTE: GTK places a frame's children in an inner area, inside the frame's border and below its
  // caption, whose place depends on the theme and the font. Laying the frame out once at its
  // present size shows where that area begins; GTK lays it out again when it is shown.
  auto* outer = static_cast<GtkWidget*>(frame->GetHandle());
  GtkWidget* inner = frame->m_wxwindow;
  if (inner == nullptr) return {0, 0};
  gtk_widget_get_preferred_size(outer, nullptr, nullptr);
  const wxRect rect = frame->GetRect();
  GtkAllocation place{0, 0, rect.width, rect.height};
  gtk_widget_size_allocate(outer, &place);
  GtkAllocation area;
  gtk_widget_get_allocation(inner, &area);
  return {area.x, area.y};
}

void captionLabelsFrame(wxStaticBox* frame) {
  // NOTE: each time wxWidgets orders the keyboard's way through a window, it makes a frame's
  // caption the label of whatever the keyboard reaches next, for the caption's shortcut; screen
  // readers would then give the caption as that control's name. The caption stays the frame's.
  auto* outer = static_cast<GtkWidget*>(frame->GetHandle());
  GtkWidget* caption = gtk_frame_get_label_widget(GTK_FRAME(outer));
  if (caption == nullptr || !GTK_IS_LABEL(caption)) return;
  const auto keep = +[](GObject* label, GParamSpec* /*property*/, gpointer own) {
    if (gtk_label_get_mnemonic_widget(GTK_LABEL(label)) != own) {
      gtk_label_set_mnemonic_widget(GTK_LABEL(label), GTK_WIDGET(own));
    }
  };
  g_signal_connect(caption, "notify::mnemonic-widget", G_CALLBACK(keep), outer);
  keep(G_OBJECT(caption), nullptr, outer);
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
