#pragma once

#include <cstdint>

// Faults the simulated boot loader (and its cable) can be told to show.
struct BootRadioFaults {
    enum class ZeroAnswer { Once, None, Doubled };
    enum class Ack { Given, Refused, Missing };

    // Idle byte times between the echo of what the radio heard and its answer: a real radio
    // answers only after it has heard a whole byte, a byte time or more after its echo.
    int answerPauseBytes = 1;
    bool noEcho = false;             // the cable returns nothing
    long wrongEchoAt = -1;           // index of the received byte whose echo is corrupted
    bool noBootAnswer = false;       // the probe is never answered
    uint32_t bootAnswerDelayMs = 0;  // 0x55 this long after the first complete probe
    long ignoredProbes = 0;          // complete probes that go unanswered before the first answer
    ZeroAnswer zeroAnswer = ZeroAnswer::Once;
    bool wrongLengthEcho = false;  // the writer length comes back altered
    int missingProductReply = -1;  // 0..3: which of 'D','C','B','A' goes unanswered
    long badAckFrame = -1;         // index of the frame (data frames, then the sum frame)
    Ack badAck = Ack::Given;       // what that frame gets instead of 0xFB
};
