// The web view's own scheme for pictures whose file names a file URL cannot carry.
#pragma once

namespace selvara {

// Lets every web view of the program load "selvara-picture://PATH" addresses, PATH being the
// picture's path percent-encoded byte for byte. Only card pictures (names ending in "c.jpg") are
// served. Harmless to call more than once.
void servePictures();

}  // namespace selvara
