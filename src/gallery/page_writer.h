// The page writer: "test.html" from the template, the heading, the table and the card blocks.
#pragma once

#include "gallery/gallery_state.h"
#include "platform/toolkit.h"

namespace selvara {

inline constexpr const char* kPageFileName = "test.html";
inline constexpr const char* kTableOpening = "<table border=2 width='100%'><tr><td>";
inline constexpr const char* kPageClosing = "</td></tr></table></div></body></html>";

// Writes MyPath + "test.html" and shows it in the viewer. Throws FileError when the template
// cannot be copied or the page cannot be written.
void Command1_Click(GalleryState& state, Viewer& viewer, EventPump& pump);

}  // namespace selvara
