#pragma once

// Results of a clone exchange; each selects the lines of an error message in the text table.
// 11, 14, 15 and 16 come from the checks of the application object, not from the engine.
enum CDrvCode : int {
    CDRV_Ok = 0,
    CDRV_Cancelled = 1,  // the user stopped the exchange
    CDRV_PortOpen = 2,
    CDRV_Echo = 4,
    CDRV_Timeout = 5,
    CDRV_Format = 6,
    CDRV_Count = 7,
    CDRV_Missing = 8,
    CDRV_BadAddress = 9,
    CDRV_NotAcked = 10,
    CDRV_InfoRejected = 11,
    CDRV_RadioNewer = 14,
    CDRV_ImageRejected = 15,
    CDRV_NewerLocked = 16,
    CDRV_PortError = 17,
    CDRV_LineBusy = 18,  // the radio went on sending and the line never became quiet
};
