#pragma once

#include <cstdint>
#include <string>
#include <vector>

enum cmcEventMode : int {
    EVM_Queued = 0,
    EVM_Immediate = 1,
    EVM_Query = 2,
};

// One event as the listeners see it. A holds a pointer or a number; B is wide enough for a
// control handle too. The block is the bus's own copy of the sender's text or data (a text
// with its terminating NUL); empty when none was given.
struct cmcEvent {
    int type = 0;
    int mode = EVM_Queued;
    intptr_t A = 0;
    intptr_t B = 0;
    std::vector<uint8_t> block;

    int BlockLength() const { return static_cast<int>(block.size()); }
    // The block read as a text: up to its first NUL, never past its end.
    std::string Text() const;
};
