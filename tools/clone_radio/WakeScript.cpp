#include "tools/clone_radio/WakeScript.h"

#include <cstdio>

namespace sim {

namespace {

std::string Format(const char* settings, const char* body, int word0, char a, char b) {
    char text[256];
    std::snprintf(text, sizeof text, body, word0, 0, a, b);
    return std::string(settings) + text;
}

}  // namespace

std::string WakeScript(bool highSpeed, bool write, int word0) {
    static const char kWake[] =
        "FEFEFEFEFEFEFEFEFEFEFEFEFEFEFEFEFEFEFEFE EEEF E8 %04X%04X 01 %02X%02X FD";
    static const char kClone[] = "FEFE EEEF E8 %04X%04X 55 %02X%02X FD";
    std::string script = Format("(38400,N,8,1)", kWake, word0, '2', '7');
    script += Format("(9600,N,8,1)", kClone, word0, '0', write ? '1' : '0');
    if (highSpeed)
        return script + Format("(9600,N,8,1)", kWake, word0, '0', '9');
    return script + Format("(38400,N,8,1)", kWake, word0, '2', '7');
}

}  // namespace sim
