// Programs started from a test: the game's binary and the test's helper programs.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "support.h"

namespace volley::testing {

class ChildProcess {
  public:
    // Starts argv[0] with argv and the test's environment, where extraEnvironment ("NAME=value")
    // adds or replaces entries, its error output going to stderrPath (or the test's own when
    // empty). Throws when it cannot.
    ChildProcess(const std::vector<std::string>& argv,
                 const std::vector<std::string>& extraEnvironment = {},
                 const std::string& stderrPath = "");
    // A child still running when its test ends is killed and reaped.
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    pid_t Pid() const { return pid_; }
    void Signal(int signal) const;
    // Waits for the end and returns the wait status (WIFEXITED and the rest read it).
    int Wait();
    // The same, but a child still running at the deadline is killed, and nothing is returned.
    std::optional<int> WaitAtMost(std::chrono::milliseconds deadline);
    // True once the child has a handler of its own for signal, false if it has not got one by
    // the deadline or has ended.
    bool AwaitHandlerFor(int signal, std::chrono::milliseconds deadline) const;

  private:
    pid_t pid_ = -1;
    bool reaped_ = false;
};

// The game's own binary from the build, without a window or sound (it then runs on the real clock
// until a termination signal), keeping its save in savePath.
std::vector<std::string> GameCommand(const std::string& savePath);
// What the game runs with: the test's environment, with a quiet leak checker.
std::vector<std::string> GameEnvironment();

// The lines of a child's error output, read with ReadText (support.h).
std::vector<std::string> Lines(const std::string& text);

}  // namespace volley::testing
