#include "child_process.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>
#include <thread>

#include "support.h"

extern char** environ;

namespace volley::testing {

namespace {

std::vector<char*> Pointers(std::vector<std::string>& strings) {
    std::vector<char*> pointers;
    for (std::string& s : strings) {
        pointers.push_back(s.data());
    }
    pointers.push_back(nullptr);
    return pointers;
}

// Whether a signal's bit is set in one of the signal masks of /proc/<pid>/status.
bool MaskHas(const std::string& status, const std::string& field, int signal) {
    const size_t at = status.find(field + ":");
    if (at == std::string::npos) {
        return false;
    }
    const unsigned long long mask =
        std::strtoull(status.c_str() + at + field.size() + 1, nullptr, 16);
    return (mask >> (signal - 1)) & 1;
}

}  // namespace

ChildProcess::ChildProcess(const std::vector<std::string>& argv,
                           const std::vector<std::string>& extraEnvironment,
                           const std::string& stderrPath) {
    std::vector<std::string> args = argv;
    // The extra entries replace the test's own of the same name.
    std::vector<std::string> environment = extraEnvironment;
    for (char** e = environ; *e != nullptr; ++e) {
        const std::string entry = *e;
        const std::string name = entry.substr(0, entry.find('=') + 1);
        const bool replaced =
            std::any_of(extraEnvironment.begin(), extraEnvironment.end(),
                        [&](const std::string& extra) { return extra.rfind(name, 0) == 0; });
        if (!replaced) {
            environment.push_back(entry);
        }
    }
    std::vector<char*> argPointers = Pointers(args);
    std::vector<char*> envPointers = Pointers(environment);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (!stderrPath.empty()) {
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, stderrPath.c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0644);
    }
    const int failed = posix_spawn(&pid_, args[0].c_str(), &actions, nullptr, argPointers.data(),
                                   envPointers.data());
    posix_spawn_file_actions_destroy(&actions);
    if (failed != 0) {
        throw std::runtime_error("cannot start " + args[0]);
    }
}

ChildProcess::~ChildProcess() {
    if (!reaped_) {
        kill(pid_, SIGKILL);
        Wait();
    }
}

void ChildProcess::Signal(int signal) const {
    kill(pid_, signal);
}

int ChildProcess::Wait() {
    int status = 0;
    while (waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
    }
    reaped_ = true;
    return status;
}

std::optional<int> ChildProcess::WaitAtMost(std::chrono::milliseconds deadline) {
    const auto giveUp = std::chrono::steady_clock::now() + deadline;
    while (std::chrono::steady_clock::now() < giveUp) {
        int status = 0;
        const pid_t ended = waitpid(pid_, &status, WNOHANG);
        if (ended == pid_) {
            reaped_ = true;
            return status;
        }
        if (ended < 0 && errno != EINTR) {
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    kill(pid_, SIGKILL);
    Wait();
    return std::nullopt;
}

bool ChildProcess::AwaitHandlerFor(int signal, std::chrono::milliseconds deadline) const {
    const auto giveUp = std::chrono::steady_clock::now() + deadline;
    const std::string path = "/proc/" + std::to_string(pid_) + "/status";
    while (std::chrono::steady_clock::now() < giveUp) {
        const std::string status = ReadText(path);
        if (status.empty() || status.find("State:\tZ") != std::string::npos) {
            return false;  // ended
        }
        if (MaskHas(status, "SigCgt", signal)) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return false;
}

std::vector<std::string> GameCommand(const std::string& savePath) {
    return {BuiltGameDir() + "/volley", "--headless", "--save", savePath, "--seed", "7"};
}

std::vector<std::string> GameEnvironment() {
    std::vector<std::string> environment;
    // Under the leak checker, its table of suppressed leaks would otherwise follow the game's own
    // error output.
    if (const char* lsan = std::getenv("LSAN_OPTIONS"); lsan != nullptr) {
        environment.push_back(std::string("LSAN_OPTIONS=") + lsan + ":print_suppressions=0");
    }
    return environment;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

}  // namespace volley::testing
