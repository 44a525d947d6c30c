// The text of a failure report.
#include "platform/error_report.h"

namespace selvara {

std::string failureText(int number, const std::string& description, const std::string& detail) {
  return "Run-time error " + std::to_string(number) + ": " + description + "\n" + detail;
}

}  // namespace selvara
