#pragma once

#include <array>
#include <cstdint>

#include "radio/image/RecordKind.h"

// The decoded values of one record, of every record kind: what the record view loads and
// stores and the field rows of the record kinds name. Plain data, so that the field rows sit
// below the view that runs them.
struct RecordValues {
    using Text = std::array<uint8_t, 8>;

    struct ToneWord {
        int on = 0;
        int digital = 0;
        int inverted = 0;   // digital only
        int toneIndex = 0;  // analogue only
        int code = 0;       // digital only: 9 bits
        // Loaded words are equal exactly when their bytes are.
        bool operator==(const ToneWord&) const = default;
    };

    uint32_t kind = RK_None;
    int index = 0;
    int used = 1;  // channels: the receive frequency is not 0
    Text name{};
    Text name2{};  // RK_MskMsgStatus: the second text

    // Channels.
    int rxFreq = 0;
    int txFreq = 0;
    int inh = 0;
    int txInh = 0;
    ToneWord tone1;  // also RK_CTone
    ToneWord tone2;
    int attr = 0;  // bits 0..4
    int nar = 0;
    int compander = 0;
    int pwrSave = 0;
    int tot = 0;
    int rfPower = 0;
    int lockout = 0;
    int scanMask = 0;  // 10 bits, scan list 0 in the most significant bit
    int scanInc = 0;
    int autoReset = 0;
    int log = 0;
    int moni = 0;
    int sel = 0;  // also RK_TxCode, RK_MskCallList
    int call = 0;
    int ptt = 0;
    int chMute = 0;
    int scrmOn = 0;
    int scrmCode = 0;
    int form = 0;
    int rptCode = 0;
    int rptLong = 0;
    int stnCode = 0;
    int stnLong = 0;
    int idCode = 0;
    int idLong = 0;
    int pos = 0;
    int twoTone = 0;
    int rxCodeNo = 0;
    int mskSig = 0;
    int mskSendStatus = 0;
    int mskBit2 = 0;
    int mdcSystem = 0;

    // RK_CEdit: the two pattern bytes as they stand.
    std::array<uint8_t, 2> pattern{};

    // RK_Dtmf.
    std::array<uint8_t, 24> digits{};
    int digitCount = 0;

    // RK_Scan.
    int setting = 0;  // 0..15 or 32..47
    int flagA = 0;
    int flagB = 0;

    // RK_RxCode (five bytes) and RK_TxCode (the first four).
    std::array<uint8_t, 5> codeBytes{};
    int idDec = 0;
    int bell = 0;  // also RK_2ToneCode, RK_MskIdGroup
    int emerCancel = 0;
    int abc = 0;
    int exo = 0;
    int beep = 0;  // also RK_2ToneCode, RK_MskMsgStatus
    int autoTx = 0;
    int aud = 0;
    int stun = 0;
    int scan = 0;
    int sFunc = 0;   // also RK_2ToneCode, RK_MskIdGroup, RK_MskMsgStatus
    int common = 0;  // load only
    int inputDigit = 0;
    int update = 0;  // also RK_MskCallList
    int abcDec = 0;
    int abcAud = 0;

    // RK_UserTone.
    int encode = 0;
    int decLow = 0;
    int decHigh = 0;

    // RK_2ToneCode.
    int groupCall = 0;
    int ans = 0;
    int lowA = 0;
    int highA = 0;
    int lowB = 0;
    int highB = 0;
    double toneA = 0;
    double toneB = 0;
    double periodA = 0;
    double periodB = 0;
    int codeType = 0;

    // MSK signalling.
    int adr = 0;  // RK_MskIdGroup, RK_MskCallList (65535: not a 4-digit code)
    int alert = 0;
    int digit = 0;
    int horn = 0;  // carried for the memory map; the status byte has no bit for it
    int autoStatus = 0;
    int selection = 0;  // also RK_MskMsgShortTxt
    int priority = 0;

    // RK_MdcAlias.
    Text alias{};
    int strip = 0;
    int beepType = 0;
    int id = 0;
};
