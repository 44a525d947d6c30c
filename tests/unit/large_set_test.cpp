// A card set of 50,000 folders: the page is complete and window events keep running throughout.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "fakes.h"
#include "gallery/display_settings.h"
#include "gallery/page_template.h"
#include "gallery/page_writer.h"
#include "startup/web_window.h"
#include "temp_folder.h"

namespace selvara {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

TEST(LargeSetTest, FiftyThousandCardsAreAllWrittenWhileEventsKeepRunning) {
  constexpr int kCards = 50000;
  test::TempFolder folder;
  const fs::path data = folder.path() / "Big" / "data";
  fs::create_directories(data);
  const char* digits = "0123456789abcdefghijklmnopqrstuvwxyz";
  for (int i = 0; i < kCards; ++i) {
    std::string name(1, "abc"[i % 3]);
    for (int n = i / 3, place = 0; place < 4; ++place, n /= 36) name.insert(1, 1, digits[n % 36]);
    fs::create_directory(data / name);
  }

  RunState state;
  state.MyPath = folder.withSeparator();
  state.QuoteChar = "\"";
  state.DataPath = data.string() + "/";
  resolveDisplaySettings(state, state);
  ASSERT_EQ(SaveResourceToFile(101, "CUSTOM", state.MyPath + "blank.html"), 0);

  test::FakeViewer viewer;
  test::FakePump pump;
  std::vector<Clock::time_point> pumped;
  pump.onPump = [&pumped] { pumped.push_back(Clock::now()); };
  const auto start = Clock::now();
  Command1_Click(state, viewer, pump);
  const auto end = Clock::now();

  const std::string page = test::readFile(folder.path() / "test.html");
  std::vector<std::string> alts;
  for (auto at = page.find(" alt='"); at != std::string::npos; at = page.find(" alt='", at + 1)) {
    alts.push_back(page.substr(at + 6, 5));
  }
  ASSERT_EQ(alts.size(), static_cast<std::size_t>(kCards));
  // Pass by pass (a, c, b), each in name order, and no card twice.
  const auto passOf = [](const std::string& n) { return n[0] == 'a' ? 0 : n[0] == 'c' ? 1 : 2; };
  EXPECT_TRUE(std::is_sorted(alts.begin(), alts.end(), [&](const auto& l, const auto& r) {
    return passOf(l) != passOf(r) ? passOf(l) < passOf(r) : l < r;
  }));
  EXPECT_EQ(std::adjacent_find(alts.begin(), alts.end()), alts.end());
  EXPECT_EQ(page.substr(page.size() - 9), "</html>\r\n");

  // Events ran during the scan, not only before or after it.
  ASSERT_GE(pumped.size(), 2u);
  EXPECT_GT(pumped.front(), start);
  EXPECT_LT(pumped.back(), end);

  // The gaps are for reading, not for passing: they depend on the machine.
  auto longest = pumped.front() - start;
  for (std::size_t i = 1; i < pumped.size(); ++i)
    longest = std::max(longest, pumped[i] - pumped[i - 1]);
  longest = std::max(longest, end - pumped.back());
  const auto micros = std::chrono::duration_cast<std::chrono::microseconds>(longest).count();
  RecordProperty("longest_gap_between_pumps_us", static_cast<int>(micros));
  RecordProperty("pumps", static_cast<int>(pumped.size()));
  std::printf("%d cards: %zu pumps, longest gap between pumps %.2f ms, page written in %.1f ms\n",
              kCards, pumped.size(), static_cast<double>(micros) / 1000.0,
              std::chrono::duration<double, std::milli>(end - start).count());
}

}  // namespace
}  // namespace selvara
