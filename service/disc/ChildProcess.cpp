#include "ChildProcess.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

extern char** environ;

namespace dv {

ChildProcess::Result ChildProcess::run(const std::vector<std::string>& arguments,
                                       const Environment& extra, std::string* output) {
    Result result;
    if (arguments.empty()) {
        result.error = "no program to run";
        return result;
    }
    std::vector<std::string> environment;
    for (char** e = environ; *e; ++e) {
        const std::string entry(*e);
        if (!extra.contains(entry.substr(0, entry.find('='))))
            environment.push_back(entry);
    }
    for (const auto& [name, value] : extra)
        environment.push_back(name + "=" + value);

    std::vector<char*> argv;
    for (const std::string& a : arguments)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (const std::string& e : environment)
        envp.push_back(const_cast<char*>(e.c_str()));
    envp.push_back(nullptr);

    // The output goes to an unnamed file, read back when the child is done:
    // a pipe would need reading while it runs.
    std::FILE* captured = output ? std::tmpfile() : nullptr;
    if (output && !captured) {
        result.error = std::string("no file for the output of ") + arguments[0];
        return result;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (captured)
        posix_spawn_file_actions_adddup2(&actions, fileno(captured), STDOUT_FILENO);
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    const auto readOutput = [&] {
        if (!captured)
            return;
        std::rewind(captured);
        char buffer[4096];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, captured)) > 0;)
            output->append(buffer, n);
        std::fclose(captured);
    };
    if (spawned != 0) {
        readOutput();
        result.error = arguments[0] + ": " + std::strerror(spawned);
        return result;
    }
    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
        if (const int e = errno; e != EINTR) {
            readOutput();
            result.error = arguments[0] + ": " + std::strerror(e);
            return result;
        }
    }
    readOutput();
    if (WIFEXITED(status))
        result.status = WEXITSTATUS(status);
    return result;
}

} // namespace dv
