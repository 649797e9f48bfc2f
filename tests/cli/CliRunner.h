// Runs vellumkit-cli as a user would and captures what it says.
#pragma once
#include "tests/output/ScratchDirs.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace vk::test {

struct CliResult {
    int status = -1;
    std::string out, err;
};

// A run started and not yet waited for; several may run at once.
struct CliRun {
    pid_t pid = -1;
    std::unique_ptr<TempDir> capture;
};

// The test's environment with each "NAME=value" of `changes` set.
inline std::vector<std::string> environmentWith(const std::vector<std::string>& changes) {
    auto nameOf = [](const std::string& entry) { return entry.substr(0, entry.find('=')); };
    std::vector<std::string> result;
    for (char** entry = environ; *entry; ++entry) {
        const std::string name = nameOf(*entry);
        if (std::none_of(changes.begin(), changes.end(), [&](const std::string& c) { return nameOf(c) == name; }))
            result.push_back(*entry);
    }
    result.insert(result.end(), changes.begin(), changes.end());
    return result;
}

inline CliRun startCli(const std::vector<std::string>& args, const fs::path& workingDirectory = {},
                       const std::string& program = VK_CLI_PATH, const std::vector<std::string>& changes = {}) {
    CliRun run{-1, std::make_unique<TempDir>()};
    const fs::path outPath = *run.capture / "out", errPath = *run.capture / "err";
    // Everything the child needs is made before fork: it may only exec.
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    std::vector<std::string> environment = environmentWith(changes);
    std::vector<char*> envp;
    for (std::string& entry : environment) envp.push_back(entry.data());
    envp.push_back(nullptr);
    run.pid = ::fork();
    if (run.pid == 0) {
        const int out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        ::dup2(out, STDOUT_FILENO);
        ::dup2(err, STDERR_FILENO);
        if (!workingDirectory.empty() && ::chdir(workingDirectory.c_str()) != 0) ::_exit(126);
        ::execve(program.c_str(), argv.data(), envp.data());
        ::_exit(127);
    }
    return run;
}

inline CliResult finishCli(CliRun& run) {
    int status = 0;
    ::waitpid(run.pid, &status, 0);
    CliResult result;
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    result.out = readText(*run.capture / "out");
    result.err = readText(*run.capture / "err");
    return result;
}

inline CliResult runCli(const std::vector<std::string>& args, const fs::path& workingDirectory = {},
                        const std::string& program = VK_CLI_PATH, const std::vector<std::string>& changes = {}) {
    CliRun run = startCli(args, workingDirectory, program, changes);
    return finishCli(run);
}

} // namespace vk::test
