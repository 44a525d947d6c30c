// The desktop's text scale on GTK: the screen resolution that Pango lays text out at.
#include <gtk/gtk.h>

#include "platform/text_scale_wx.h"

namespace selvara {

double textScale() {
  constexpr double kDesignDpi = 96.0;
  GdkScreen* screen = gdk_screen_get_default();
  // NOTE: GDK answers -1 when no desktop setting gave a resolution; Pango then uses 96 dpi.
  const double dpi = screen != nullptr ? gdk_screen_get_resolution(screen) : -1.0;
  return dpi > 0 ? dpi / kDesignDpi : 1.0;
}

}  // namespace selvara
