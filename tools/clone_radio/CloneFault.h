#pragma once

#include <cstdint>

namespace sim {

// What the simulated radio can do wrong on request. Each fault hits one place of an exchange;
// `index` says which data frame (read), which acknowledgement point (write) or which frame of a
// command (echo faults), counted from 0. A radio fault hits every exchange that reaches its
// place, or with `once` only the first (a glitch that a retry gets past).
enum class CloneFaultKind {
    GarbageBeforeIdentity,  // stray bytes before the identity answer
    GarbageBeforeData,      // stray bytes before data frame `index`
    GarbageBeforeEnd,       // stray bytes before the end frame of a read
    BadChecksum,            // data frame `index` carries a wrong checksum
    LowerCaseHex,           // data frame `index` is written in lower-case hex
    WrongLength,            // data frame `index` claims one byte more than it holds
    DropFrame,              // data frame `index` is never sent (nor counted)
    OutsideData,            // before data frame `index`, a frame of 16 bytes at `address`
    WrongCount,             // the end frame of a read carries a frame count one too high
    WrongSignature,         // the end frame of a read carries a wrong signature
    RefuseRequest,          // a write request is answered FA
    RefuseAck,              // acknowledgement point `index` is answered FA
    EndAnswerNg,            // a write's end frame is answered FE EF EE E6 01 FD
    SilentIdentity,         // the identity request gets no answer
    SilentFromData,         // a read stops before data frame `index` (no end frame either)
    SilentRequestAck,       // a write request gets no acknowledgement
    SilentAck,              // acknowledgement point `index` gets none
    NoiseBeforeAck,         // acknowledgement point `index` gets 200 bytes of noise before FB
    SilentEndAnswer,        // a write's end frame gets no answer
};

struct CloneFault {
    CloneFaultKind kind;
    int index = 0;
    int address = 0;
    bool once = false;
};

// Faults of the cable's echo, at the command byte of frame `index` with command `command`.
enum class EchoFaultKind {
    Wrong,    // that byte comes back changed
    Missing,  // that byte and the rest of its frame come back not at all
    Swapped,  // that byte comes back after the byte that follows it
};

struct EchoFault {
    EchoFaultKind kind;
    uint8_t command = 0;
    int index = 0;
};

}  // namespace sim
