// The program icon from the PNG pictures compiled into the program.
#include <wx/image.h>
#include <wx/mstream.h>

#include "platform/program_icon_wx.h"
#include "platform/resources.h"

namespace selvara {

wxIconBundle programIcons() {
  if (wxImage::FindHandler(wxBITMAP_TYPE_PNG) == nullptr) wxImage::AddHandler(new wxPNGHandler);
  wxIconBundle icons;
  for (const int size : kIconSizes) {
    const auto bytes = findResource("ICON", size);
    if (!bytes) continue;
    wxMemoryInputStream stream(bytes->data(), bytes->size());
    wxImage image(stream, wxBITMAP_TYPE_PNG);
    if (!image.IsOk()) continue;
    wxIcon icon;
    icon.CopyFromBitmap(wxBitmap(image));
    icons.AddIcon(icon);
  }
  return icons;
}

}  // namespace selvara
