// The desktop's text scale, as its "Large Text" or text scaling factor sets it.
#pragma once

namespace selvara {

// How much larger than at 96 dpi the toolkit draws text: 1.5 at 144 dpi, 2 at 192 dpi.
double textScale();

}  // namespace selvara
