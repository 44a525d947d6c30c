// What the desktop theme draws on a window of the program's own colours: option markers, frame
// lines and the focus ring, in colours the program chooses so that they stand out on its ground;
// and how the toolkit places and names what a frame holds.
#pragma once

#include <wx/colour.h>
#include <wx/gdicmn.h>

class wxStaticBox;
class wxTopLevelWindow;
class wxWindow;

namespace selvara {

struct MarkColours {
  wxColour mark;        // option markers, the selected option's dot, the focus ring
  wxColour dimmedMark;  // a disabled option's marker and dot
  wxColour frame;       // frame lines
};

// Where a frame's children are placed from, measured from the frame's outer top-left corner.
wxPoint frameChildOrigin(wxStaticBox* frame);

// Makes a frame's caption the label of the frame alone, so that screen readers name the group
// of options in it by the caption.
void captionLabelsFrame(wxStaticBox* frame);

// Gives the controls placed in the window, and those in its frames, the colours of their marks,
// over whatever theme the desktop uses; the marker's inside shows the window's ground.
void paintMarks(wxWindow* window, const MarkColours& colours);

// Shows the focus ring from the moment the window opens, not only once the keyboard is used.
void showFocusAtOnce(wxTopLevelWindow* window);

}  // namespace selvara
