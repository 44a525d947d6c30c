// Benchmarks the gallery page write against a bare listing of the same data folder.
#include <benchmark/benchmark.h>
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "gallery/display_settings.h"
#include "gallery/page_template.h"
#include "gallery/page_writer.h"
#include "platform/file_services.h"
#include "platform/toolkit.h"
#include "startup/web_window.h"

namespace {

using selvara::RunState;

// The set sizes: a small set, a large one, and one far beyond any real collection.
constexpr std::array<int, 3> kSetSizes = {1000, 9000, 90000};

// The viewer and pump the page writer talks to; they only count, so that the benchmark times
// the writer and not a toolkit.
class BenchTimer : public selvara::Timer {
 public:
  void setEnabled(bool) override {}
};

class BenchViewer : public selvara::Viewer {
 public:
  void setCaption(const std::string&) override {}
  void setCardSet(const std::string&) override {}
  void navigate(const std::string& path) override {
    lastPage = path;
    ++navigations;
  }
  selvara::Timer& quitTimer() override { return timer; }
  void unload() override {}
  std::string lastPage;
  long navigations = 0;
  BenchTimer timer;
};

class BenchPump : public selvara::EventPump {
 public:
  void pumpPending() override { ++pumps; }
  void waitForEvents() override {}
  long pumps = 0;
};

// Card names as a set uses them: the pass letter and four characters. Four decimal digits allow
// only 10000 cards a letter, so the number is written in base 36 to reach the largest set.
std::string cardName(char letter, int number) {
  static constexpr std::string_view digits = "0123456789abcdefghijklmnopqrstuvwxyz";
  std::string name(5, '0');
  name[0] = letter;
  for (int i = 4; i >= 1; --i) {
    name[i] = digits[static_cast<std::size_t>(number % 36)];
    number /= 36;
  }
  return name;
}

struct CardSet {
  std::string myPath;    // the program folder: blank.html and test.html live here
  std::string dataPath;  // the set's data folder, with a trailing separator
  bool pageChecked = false;
  bool listingChecked = false;
};

// The generated card sets, one per size, made on first use in one temporary folder and removed
// when the program ends. Making 90000 folders takes seconds, so each set is made only once.
class CardSets {
 public:
  CardSets() = default;
  CardSets(const CardSets&) = delete;
  CardSets& operator=(const CardSets&) = delete;
  ~CardSets() { removeAll(); }

  CardSet& get(int cards) {
    auto found = m_sets.find(cards);
    if (found != m_sets.end()) return found->second;
    return m_sets.emplace(cards, make(cards)).first->second;
  }

  void removeAll() noexcept {
    if (m_root.empty()) return;
    std::error_code ignored;
    std::filesystem::remove_all(m_root, ignored);
    m_root.clear();
    m_sets.clear();
  }

 private:
  const std::string& root() {
    if (m_root.empty()) {
      const char* tmp = std::getenv("TMPDIR");
      std::string pattern = std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") +
                            "/selvara_gallery_bench.XXXXXX";
      if (::mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("mkdtemp " + pattern + ": " + std::strerror(errno));
      }
      m_root = pattern;
    }
    return m_root;
  }

  static void makeFolder(const std::string& path) {
    if (::mkdir(path.c_str(), 0755) != 0) {
      throw std::runtime_error("mkdir " + path + ": " + std::strerror(errno));
    }
  }

  CardSet make(int cards) {
    const auto start = std::chrono::steady_clock::now();
    CardSet set;
    set.myPath = root() + "/n" + std::to_string(cards) + "/";
    makeFolder(set.myPath);
    // A space in the set name, as real set names have, so the URL encoding has work to do.
    makeFolder(set.myPath + "Bench Set");
    set.dataPath = set.myPath + "Bench Set/data/";
    makeFolder(set.dataPath);
    // The cards are spread evenly over the three passes. The page writer never opens a card's
    // picture, so the folders stay empty: that keeps setup short without changing the work.
    static constexpr std::string_view letters = "abc";
    for (int i = 0; i < cards; ++i) {
      makeFolder(set.dataPath + cardName(letters[static_cast<std::size_t>(i % 3)], i / 3));
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::fprintf(stderr, "made a set of %d card folders in %.1f s under %s\n", cards, seconds,
                 m_root.c_str());
    return set;
  }

  std::string m_root;
  std::map<int, CardSet> m_sets;
};

CardSets& cardSets() {
  static CardSets sets;
  return sets;
}

// The run state as the program has it when the user asks for the page: the default thumbnail
// and popup choices resolved, the set's data folder found and the template written out.
RunState pageState(const CardSet& set) {
  RunState state;
  state.QuoteChar = "\"";
  state.ThumbIndex = 2;
  state.PopupIndex = 1;
  state.PopupActionIndex = 1;
  selvara::resolveDisplaySettings(state, state);
  state.DataPath = set.dataPath;
  state.SettingsText = "<heading>";
  state.MyPath = set.myPath;
  const auto result = selvara::SaveResourceToFile(101, "CUSTOM", state.MyPath + "blank.html");
  if (result != 0) {
    throw std::runtime_error("could not write blank.html: error " + std::to_string(result));
  }
  return state;
}

// One block read: the page of the largest set is over 20 MB, too much for a character loop.
std::string readWhole(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return std::move(bytes).str();
}

std::size_t countOf(const std::string& text, std::string_view needle) {
  std::size_t count = 0;
  for (std::size_t at = text.find(needle); at != std::string::npos;
       at = text.find(needle, at + needle.size())) {
    ++count;
  }
  return count;
}

void BM_WritePage(benchmark::State& bench) {
  const int cards = static_cast<int>(bench.range(0));
  try {
    CardSet& set = cardSets().get(cards);
    RunState state = pageState(set);
    BenchViewer viewer;
    BenchPump pump;
    for (auto _ : bench) {
      selvara::Command1_Click(state, viewer, pump);
    }
    const std::string pagePath = set.myPath + selvara::kPageFileName;
    bench.counters["page_bytes"] = static_cast<double>(std::filesystem::file_size(pagePath));
    bench.counters["pumps_per_write"] =
        static_cast<double>(pump.pumps) / static_cast<double>(bench.iterations());
    bench.SetItemsProcessed(bench.iterations() * cards);
    // Once per set, outside the timing: the page really holds one block per card folder.
    if (!set.pageChecked) {
      // The template has an image of its own, so only what follows the table opening counts.
      const std::string page = readWhole(pagePath);
      const std::size_t table = page.find(selvara::kTableOpening);
      const std::size_t blocks =
          table == std::string::npos ? 0 : countOf(page.substr(table), "\r\n<img src='");
      if (blocks != static_cast<std::size_t>(cards) || viewer.lastPage != pagePath) {
        bench.SkipWithError(("page holds " + std::to_string(blocks) + " blocks").c_str());
        return;
      }
      set.pageChecked = true;
    }
  } catch (const std::exception& error) {
    bench.SkipWithError(error.what());
  }
}

// The least any page writer must do: read the data folder once and ask each entry whether it
// is a folder, by the same full path the writer gives stat.
std::size_t countFolders(const std::string& dataPath) {
  DIR* dir = ::opendir(dataPath.c_str());
  if (dir == nullptr) return 0;
  std::string path = dataPath;
  const std::size_t prefix = path.size();
  std::size_t folders = 0;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string_view name = entry->d_name;
    if (name == "." || name == "..") continue;
    path.resize(prefix);
    path += name;
    struct stat info = {};
    if (::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) ++folders;
  }
  ::closedir(dir);
  return folders;
}

// The cheapest listing there is: the kind comes from the directory entry itself where the file
// system reports it, as the card scan takes it; a second, stricter baseline.
std::size_t countTypedFolders(const std::string& dataPath) {
  DIR* dir = ::opendir(dataPath.c_str());
  if (dir == nullptr) return 0;
  std::size_t folders = 0;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string_view name = entry->d_name;
    if (name == "." || name == "..") continue;
    if (entry->d_type == DT_DIR) {
      ++folders;
    } else if (entry->d_type == DT_UNKNOWN || entry->d_type == DT_LNK) {
      struct stat info = {};
      if (::fstatat(::dirfd(dir), entry->d_name, &info, 0) == 0 && S_ISDIR(info.st_mode)) {
        ++folders;
      }
    }
  }
  ::closedir(dir);
  return folders;
}

template <std::size_t (*Count)(const std::string&)>
void listingBenchmark(benchmark::State& bench) {
  const int cards = static_cast<int>(bench.range(0));
  try {
    CardSet& set = cardSets().get(cards);
    std::size_t folders = 0;
    for (auto _ : bench) {
      folders = Count(set.dataPath);
      benchmark::DoNotOptimize(folders);
    }
    bench.SetItemsProcessed(bench.iterations() * cards);
    if (folders != static_cast<std::size_t>(cards)) {
      bench.SkipWithError(("listing found " + std::to_string(folders) + " folders").c_str());
      return;
    }
    set.listingChecked = true;
  } catch (const std::exception& error) {
    bench.SkipWithError(error.what());
  }
}

// Whether a run ended in an error or was skipped: Google Benchmark 1.8 turned the run's
// `error_occurred` flag into a `skipped` state.
template <typename R>
bool didNotRun(const R& run) {
  if constexpr (requires { run.error_occurred; }) {
    return run.error_occurred;
  } else {
    return run.skipped != decltype(run.skipped){};
  }
}

// Passes every report on to the reporter the command line asked for, and keeps the real time
// per iteration of each benchmark so that the ratios can be printed at the end.
class RecordingReporter : public benchmark::BenchmarkReporter {
 public:
  explicit RecordingReporter(std::unique_ptr<benchmark::BenchmarkReporter> inner)
      : m_inner(std::move(inner)) {}

  bool ReportContext(const Context& context) override { return m_inner->ReportContext(context); }

  void ReportRuns(const std::vector<Run>& reports) override {
    m_inner->ReportRuns(reports);
    // With repetitions the median is the figure to trust on a busy machine; without, the
    // single run is all there is.
    double sum = 0;
    int runs = 0;
    double median = -1;
    std::string key;
    for (const Run& run : reports) {
      if (didNotRun(run)) continue;
      key = run.run_name.function_name + "/" + run.run_name.args;
      const double seconds =
          run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
      if (run.run_type == Run::RT_Iteration) {
        sum += seconds;
        ++runs;
      } else if (run.aggregate_name == "median") {
        median = seconds;
      }
    }
    if (median >= 0) {
      m_seconds[key] = median;
    } else if (runs > 0) {
      m_seconds[key] = sum / runs;
    }
  }

  void Finalize() override { m_inner->Finalize(); }

  // Seconds per iteration, or a negative number when the benchmark did not run.
  double seconds(const std::string& key) const {
    const auto found = m_seconds.find(key);
    return found == m_seconds.end() ? -1.0 : found->second;
  }

 private:
  std::unique_ptr<benchmark::BenchmarkReporter> m_inner;
  std::map<std::string, double> m_seconds;
};

std::unique_ptr<benchmark::BenchmarkReporter> reporterFor(const std::string& format) {
  if (format == "json") return std::make_unique<benchmark::JSONReporter>();
  int options = benchmark::ConsoleReporter::OO_Tabular;
  if (::isatty(STDOUT_FILENO)) options |= benchmark::ConsoleReporter::OO_Color;
  return std::make_unique<benchmark::ConsoleReporter>(
      static_cast<benchmark::ConsoleReporter::OutputOptions>(options));
}

}  // namespace

int main(int argc, char** argv) {
  // The format has to be read before Initialize takes the flags out of argv.
  std::string format = "console";
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    constexpr std::string_view flag = "--benchmark_format=";
    if (arg.substr(0, flag.size()) == flag) format = std::string(arg.substr(flag.size()));
  }
  if (format != "console" && format != "json") {
    std::fprintf(stderr, "gallery_bench: --benchmark_format must be console or json\n");
    return 1;
  }

  // Names end in the set size (no "/real_time"), so --benchmark_filter=/9000$ picks one size;
  // the ratios still compare wall-clock times. Registered size by size, writer then baseline, so
  // that a change in machine load between the two halves of one ratio stays small.
  for (const int cards : kSetSizes) {
    benchmark::RegisterBenchmark("BM_WritePage", BM_WritePage)
        ->Arg(cards)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_BareListing", listingBenchmark<countFolders>)
        ->Arg(cards)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_TypedListing", listingBenchmark<countTypedFolders>)
        ->Arg(cards)
        ->Unit(benchmark::kMillisecond);
  }

  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  RecordingReporter reporter(reporterFor(format));
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();

  // JSON readers want stdout to hold the JSON alone, so the ratios go to stderr then.
  std::FILE* out = format == "json" ? stderr : stdout;
  for (const int cards : kSetSizes) {
    const std::string n = std::to_string(cards);
    const double page = reporter.seconds("BM_WritePage/" + n);
    const double bare = reporter.seconds("BM_BareListing/" + n);
    const double typed = reporter.seconds("BM_TypedListing/" + n);
    if (page <= 0 || bare <= 0) continue;
    std::fprintf(out, "ratio N=%d: %.2f  (write page %.3f ms, bare listing %.3f ms)\n", cards,
                 page / bare, page * 1e3, bare * 1e3);
    if (typed > 0) {
      std::fprintf(out, "  against the typed listing (%.3f ms): %.2f\n", typed * 1e3, page / typed);
    }
  }
  cardSets().removeAll();
  return 0;
}
