// Reporting a failure that ends the program: a message box and the same text on standard error.
#pragma once

#include <string>

namespace selvara {

inline constexpr const char* kProgramTitle = "Selvara Card Viewer";

// The report's text: the failure's number, its description, and what failed where.
std::string failureText(int number, const std::string& description, const std::string& detail);

void reportFailure(const std::string& text);

}  // namespace selvara
