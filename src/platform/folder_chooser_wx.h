// Asking the user for a folder in the desktop's own chooser.
#pragma once

#include <optional>
#include <string>

namespace selvara {

// Shows the desktop's folder chooser, captioned `title`, starting in the user's pictures folder
// (or home when there is none) and waits for the answer: the chosen folder's path, or nothing
// when the user cancelled or closed the chooser. A chosen place that has no local path comes back
// as its URI, which the caller's folder check then names in its refusal.
std::optional<std::string> chooseFolder(const std::string& title);

}  // namespace selvara
