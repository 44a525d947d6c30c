// Waiting for the toolkit in GUI tests: events run while a condition is polled, with a limit.
#pragma once

#include <chrono>
#include <functional>

namespace selvara::test {

bool waitFor(const std::function<bool()>& done,
             std::chrono::milliseconds limit = std::chrono::seconds(20));

}  // namespace selvara::test
