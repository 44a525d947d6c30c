// Child process handling for the end-to-end tests, on plain POSIX calls so that nothing of
// the harness depends on the toolkit under test.
#include "process.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

extern char** environ;

namespace e2e {

std::string ExitStatus::describe() const {
  if (exitCode) return "exit code " + std::to_string(*exitCode);
  if (signalNumber) return std::string("killed by signal ") + strsignal(*signalNumber);
  return "unknown status";
}

namespace {

std::vector<std::string> mergedEnvironment(const std::map<std::string, std::string>& extra) {
  std::map<std::string, std::string> merged;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    std::string text(*entry);
    auto eq = text.find('=');
    if (eq == std::string::npos) continue;
    merged[text.substr(0, eq)] = text.substr(eq + 1);
  }
  for (const auto& [key, value] : extra) merged[key] = value;
  std::vector<std::string> result;
  for (const auto& [key, value] : merged) result.push_back(key + "=" + value);
  return result;
}

std::vector<char*> pointers(std::vector<std::string>& strings) {
  std::vector<char*> result;
  for (auto& s : strings) result.push_back(s.data());
  result.push_back(nullptr);
  return result;
}

}  // namespace

ChildProcess::ChildProcess(const std::filesystem::path& program,
                           const std::vector<std::string>& args,
                           const std::filesystem::path& workingDir,
                           const std::filesystem::path& logFile,
                           const std::map<std::string, std::string>& extraEnv)
    : logFile_(logFile) {
  std::vector<std::string> argStrings{program.string()};
  argStrings.insert(argStrings.end(), args.begin(), args.end());
  std::vector<std::string> envStrings = mergedEnvironment(extraEnv);
  auto argv = pointers(argStrings);
  auto envp = pointers(envStrings);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, logFile.c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
  // Tests start the program away from its own folder, so files it should write beside its
  // executable cannot land there merely by being written to the working directory.
  posix_spawn_file_actions_addchdir_np(&actions, workingDir.c_str());

  // Signals the test runner ignores or blocks would otherwise be inherited and make the
  // signal tests meaningless.
  posix_spawnattr_t attr;
  posix_spawnattr_init(&attr);
  sigset_t none, all;
  sigemptyset(&none);
  sigfillset(&all);
  posix_spawnattr_setsigmask(&attr, &none);
  posix_spawnattr_setsigdefault(&attr, &all);
  posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

  int rc = posix_spawn(&pid_, program.c_str(), &actions, &attr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attr);
  if (rc != 0) {
    throw std::runtime_error("cannot start " + program.string() + ": " + std::strerror(rc));
  }
}

ChildProcess::~ChildProcess() {
  // A test that failed half-way must not leave its program running into the next test.
  if (running()) {
    kill(pid_, SIGKILL);
    reap(0);
  }
}

bool ChildProcess::reap(int flags) {
  if (status_) return true;
  int raw = 0;
  pid_t got;
  do {
    got = waitpid(pid_, &raw, flags);
  } while (got < 0 && errno == EINTR);
  if (got != pid_) return false;
  ExitStatus status;
  if (WIFEXITED(raw)) status.exitCode = WEXITSTATUS(raw);
  if (WIFSIGNALED(raw)) status.signalNumber = WTERMSIG(raw);
  status_ = status;
  return true;
}

bool ChildProcess::running() { return !reap(WNOHANG); }

void ChildProcess::sendSignal(int signalNumber) {
  if (running()) kill(pid_, signalNumber);
}

std::optional<ExitStatus> ChildProcess::waitForExit(std::chrono::milliseconds limit) {
  auto deadline = std::chrono::steady_clock::now() + limit;
  while (!reap(WNOHANG)) {
    if (std::chrono::steady_clock::now() >= deadline) return std::nullopt;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return status_;
}

std::string ChildProcess::log() const {
  std::ifstream in(logFile_, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

}  // namespace e2e
