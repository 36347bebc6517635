#pragma once

#include <sys/types.h>

#include <cstdio>
#include <string>
#include <vector>

namespace testsupport {

// The simulated radio's program (clone_radio_pty) on a pty: started with its arguments, its
// device is the first line it prints, and MERROW_COM1 names that device while it runs. Stopped
// and waited for when the object goes (unless a test stopped it first).
class RadioProgram {
public:
    RadioProgram() = default;
    ~RadioProgram();
    RadioProgram(const RadioProgram&) = delete;
    RadioProgram& operator=(const RadioProgram&) = delete;

    bool Start(const std::string& program, std::vector<std::string> arguments);
    // Ends it with the signal and waits for it.
    void Stop(int signal);
    const std::string& Device() const { return device_; }

private:
    pid_t pid_ = 0;
    FILE* output_ = nullptr;
    std::string device_;
};

}  // namespace testsupport
