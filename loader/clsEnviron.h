#pragma once

#include <string>

#include "platform/InstanceLock.h"

// The loader's environment: the single-instance lock, the program's folder and the COM port
// choice (1..4). The choice is kept for this run only: every start begins with COM 1.
class clsEnviron {
public:
    explicit clsEnviron(const std::string& mutexName);

    bool IsFirstInstance() const { return lock_.IsFirstInstance(); }
    // Ends in '/'.
    const std::string& GetProgramDir() const { return programDir_; }
    int GetComPortMin() const { return kComPortMin; }
    int GetComPortMax() const { return kComPortMax; }
    // SetComPort keeps it within 1..4.
    int GetComPort() const { return comPort_; }
    // A port outside 1..4 is ignored; returns the current port.
    int SetComPort(int n);

private:
    static constexpr int kComPortMin = 1;
    static constexpr int kComPortMax = 4;

    platform::InstanceLock lock_;
    std::string programDir_;
    int comPort_ = kComPortMin;
};
