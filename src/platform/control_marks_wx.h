// What the desktop theme draws on a window of the program's own colours: option markers, frame
// lines and the focus ring, in colours the program chooses so that they stand out on its ground.
#pragma once

#include <wx/colour.h>

class wxTopLevelWindow;
class wxWindow;

namespace selvara {

struct MarkColours {
  wxColour mark;        // option markers, the selected option's dot, the focus ring
  wxColour dimmedMark;  // a disabled option's marker and dot
  wxColour frame;       // frame lines
};

// Gives the controls placed in the window the colours of their marks, over whatever theme the
// desktop uses; the marker's inside shows the window's ground.
void paintMarks(wxWindow* window, const MarkColours& colours);

// Shows the focus ring from the moment the window opens, not only once the keyboard is used.
void showFocusAtOnce(wxTopLevelWindow* window);

}  // namespace selvara
