#include "loader/clsEnviron.h"

#include "platform/ProgramInfo.h"

clsEnviron::clsEnviron(const std::string& mutexName)
    : lock_(mutexName), programDir_(platform::ProgramDir()) {}

int clsEnviron::SetComPort(int n) {
    if (n >= kComPortMin && n <= kComPortMax) {
        comPort_ = n;
    }
    return comPort_;
}
