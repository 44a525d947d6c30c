// What the user's locale says, read without changing the program's own locale.
#pragma once

#include <string>

namespace selvara {

// The decimal mark of the user's numeric locale (LC_ALL, LC_NUMERIC, LANG), "." when unknown.
std::string userDecimalMark();

}  // namespace selvara
