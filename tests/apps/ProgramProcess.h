#pragma once

#include <sys/types.h>

#include <filesystem>
#include <optional>
#include <string>

// A built program started as a user starts it, with the test's environment; killed when the
// object goes while it still runs.
class ProgramProcess {
public:
    ProgramProcess() = default;
    ~ProgramProcess();
    ProgramProcess(const ProgramProcess&) = delete;
    ProgramProcess& operator=(const ProgramProcess&) = delete;

    // Starts the program; its standard output goes to the file when one is named.
    bool Start(const std::string& program, const std::filesystem::path& output = {});
    // The exit status once the program has ended within `ms`; none while it still runs.
    std::optional<int> WaitForEnd(int ms);
    pid_t Pid() const { return pid_; }

private:
    pid_t pid_ = -1;
};
