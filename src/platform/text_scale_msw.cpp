// The desktop's text scale on Windows: the display's scaling, which the program, aware of each
// monitor's resolution, applies itself.
#include <wx/display.h>

#include "platform/text_scale_wx.h"

namespace selvara {

double textScale() {
  // The dialog opens on the primary display, in its centre.
  const wxDisplay primary(0U);
  const double scale = primary.GetScaleFactor();
  return scale > 0 ? scale : 1.0;
}

}  // namespace selvara
