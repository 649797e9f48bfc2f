// Runs vellumkit-cli as a user would and captures what it says.
#pragma once
#include "tests/output/ScratchDirs.h"

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

inline CliResult runCli(const std::vector<std::string>& args, const fs::path& workingDirectory = {}) {
    TempDir capture;
    const fs::path outPath = capture / "out", errPath = capture / "err";
    // Everything the child needs is made before fork: it may only exec.
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(VK_CLI_PATH));
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0) {
        const int out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        ::dup2(out, STDOUT_FILENO);
        ::dup2(err, STDERR_FILENO);
        if (!workingDirectory.empty() && ::chdir(workingDirectory.c_str()) != 0) ::_exit(126);
        ::execv(VK_CLI_PATH, argv.data());
        ::_exit(127);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    CliResult result;
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    result.out = readText(outPath);
    result.err = readText(errPath);
    return result;
}

} // namespace vk::test
