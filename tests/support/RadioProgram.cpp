#include "tests/support/RadioProgram.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

extern char** environ;

namespace testsupport {

RadioProgram::~RadioProgram() {
    Stop(SIGTERM);
    if (output_) {
        std::fclose(output_);
    }
    unsetenv("MERROW_COM1");
}

bool RadioProgram::Start(const std::string& program, std::vector<std::string> arguments) {
    int out[2];
    if (pipe(out) != 0) {
        return false;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    arguments.insert(arguments.begin(), program);
    std::vector<char*> argv;
    for (std::string& argument : arguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    const bool spawned =
        posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv.data(), environ) == 0;
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    output_ = fdopen(out[0], "r");
    char line[256] = {};
    if (!spawned || !output_ || !std::fgets(line, sizeof line, output_)) {
        return false;
    }
    device_ = line;
    device_.erase(device_.find_last_not_of('\n') + 1);
    setenv("MERROW_COM1", device_.c_str(), 1);
    return true;
}

void RadioProgram::Stop(int signal) {
    if (pid_ > 0) {
        kill(pid_, signal);
        waitpid(pid_, nullptr, 0);
        pid_ = 0;
    }
}

}  // namespace testsupport
