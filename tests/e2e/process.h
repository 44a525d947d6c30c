// Runs the program under test as a child process: arguments, extra environment, stderr to a
// file, bounded waiting for exit and signals.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace e2e {

// How a child ended: exactly one of exitCode / signalNumber is set.
struct ExitStatus {
  std::optional<int> exitCode;
  std::optional<int> signalNumber;

  bool exitedWith(int code) const { return exitCode && *exitCode == code; }
  std::string describe() const;
};

class ChildProcess {
 public:
  // Starts `program` with `args` (without argv[0]) in `workingDir`; the environment is this
  // process's one with `extraEnv` laid over it. stdout and stderr both go to `logFile`.
  ChildProcess(const std::filesystem::path& program, const std::vector<std::string>& args,
               const std::filesystem::path& workingDir, const std::filesystem::path& logFile,
               const std::map<std::string, std::string>& extraEnv = {});
  ~ChildProcess();

  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  pid_t pid() const { return pid_; }
  bool running();
  void sendSignal(int signalNumber);

  // Polls until the child exits or `limit` passes; nothing when it is still running.
  std::optional<ExitStatus> waitForExit(std::chrono::milliseconds limit);

  // Everything the child wrote so far, for failure messages.
  std::string log() const;

 private:
  bool reap(int flags);

  pid_t pid_ = -1;
  std::filesystem::path logFile_;
  std::optional<ExitStatus> status_;
};

}  // namespace e2e
