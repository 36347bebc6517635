#pragma once

#include "common/cmcBuff.h"
#include "radio/clone/CDrvCodes.h"
#include "radio/image/cmcEeprom.h"

// The result of one clone exchange. The engine makes it at the start, hands it to the
// completion closure and deletes it when the closure returns: a closure copies what it keeps.
struct dst_CDrv_Result {
    int mode = 0;  // 1 information, 2 read, 3 write
    int code = CDRV_PortOpen;
    // Write: the radio answered with its refusal (FA); the code is then CDRV_Format.
    bool refused = false;
    // Information: the two words of the identity answer and the bytes after them.
    int infoWord0 = 0;
    int infoWord1 = 0;
    cmcBuff payload;
    // Read: the image the data frames fill; write: the copy of the image being sent.
    cmcEeprom image;
    // Read: one bit per address received, bit (a mod 8) of byte a div 8.
    cmcBuff received;
};
