#pragma once

#include <cstdint>

// Record kinds of the record view; the channel kind follows from the model type.
enum RecordKind : uint32_t {
    RK_None = 0,
    RK_ChLmr = 1,
    RK_ChPmr = 2,
    RK_ChVaskPmr = 3,
    RK_ChMdcPmr = 4,
    RK_ChMdcLmr = 5,
    RK_CEdit = 6,
    RK_Dtmf = 7,
    RK_Scan = 8,
    RK_CTone = 9,
    RK_RxCode = 10,
    RK_TxCode = 11,
    RK_UserTone = 12,
    RK_2ToneCode = 13,
    RK_2ToneTxCommon = 14,
    RK_BankOp = 15,
    RK_MskIdGroup = 16,
    RK_MskCallList = 17,
    RK_MskMsgStatus = 18,
    RK_MskMsgShortTxt = 19,
    RK_MdcAlias = 20,
};

inline constexpr uint32_t kLastRecordKind = RK_MdcAlias;

inline bool IsChannelKind(uint32_t kind) {
    return kind >= RK_ChLmr && kind <= RK_ChMdcLmr;
}
