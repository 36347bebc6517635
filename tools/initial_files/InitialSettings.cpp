#include "tools/initial_files/InitialSettings.h"

#include <string_view>

namespace initial {
namespace {

using namespace layout;

constexpr RecordArea At(int address) {
    return {address, 0};
}

constexpr Setting Bits(int address, uint8_t mask, int value) {
    return {Put::Bits, At(address), 1, mask, value, 0, 0, nullptr, ModelGroup::All};
}

constexpr Setting Byte(int address, int value) {
    return Bits(address, 0xFF, value);
}

constexpr Setting Word(int address, int value) {
    return {Put::Word, At(address), 1, 0, value, 0, 0, nullptr, ModelGroup::All};
}

constexpr Setting Long(int address, int32_t value) {
    return {Put::Long, At(address), 1, 0, value, 0, 0, nullptr, ModelGroup::All};
}

constexpr Setting Fill(int address, int length, uint8_t value) {
    return {Put::Fill, At(address), 1, 0, value, 0, length, nullptr, ModelGroup::All};
}

// A text field with nothing in it: spaces, as the radio keeps it.
constexpr Setting Blank(int address, int length) {
    return Fill(address, length, ' ');
}

constexpr Setting Text(int address, const char* text) {
    const int length = static_cast<int>(std::string_view(text).size());
    return {Put::Text, At(address), 1, 0, 0, 0, length, text, ModelGroup::All};
}

constexpr Setting Copy(int address, int from, int length) {
    return {Put::Copy, At(address), 1, 0, from, 0, length, nullptr, ModelGroup::All};
}

// The setting, whose address is then an offset into a record, in count records of the area.
constexpr Setting Each(RecordArea area, int count, Setting setting) {
    setting.place = {area.base + setting.place.base, area.stride};
    setting.count = count;
    return setting;
}

// Each further record takes the value of the one before plus step.
constexpr Setting Stepping(int step, Setting setting) {
    setting.step = step;
    return setting;
}

constexpr Setting Only(ModelGroup models, Setting setting) {
    setting.models = models;
    return setting;
}

// The packed area of a new image lies after the template entries and holds no channel: for
// the types without MDC just the closing signature, for the MDC types the alias table and the
// two MDC blocks (each made of the templates) before it.
constexpr int kAliasTableSize = kMdcAliasCount * kMdcAliasEntrySize;
constexpr int kMdcPackedAlias = kMdcTemplatesEnd;
constexpr int kMdcPackedBlock1 = kMdcPackedAlias + kAliasTableSize;
constexpr int kMdcPackedBlock2 = kMdcPackedBlock1 + kMdcBlockSize;
constexpr int kMdcSignature = kMdcPackedBlock2 + kMdcBlockSize;
constexpr int kSignature = kTemplatesEnd;

constexpr int kStatusTexts = 24;  // 23 status messages and the fixed one after them
constexpr RecordArea kIdGroupsAfterOwn{kMskIdGroupArea.At(1), kMskIdGroupArea.stride};
constexpr RecordArea kTxCodesAfterTwoTone{kTxCodeArea.At(10), kTxCodeArea.stride};
constexpr RecordArea kMdcSubBlocks1{kTemplateBlock1, kMdcSubBlockSize};
constexpr RecordArea kMdcSubBlocks2{kTemplateBlock2, kMdcSubBlockSize};
constexpr int kSubBlockTexts = 128;  // 16 texts of 8 characters, then 16 flag bytes
constexpr int kSubBlockFlags = 16;

// MDC tables of the radio part, 5 entries each.
constexpr int kMdcEntries = 5;
constexpr RecordArea kMdcSystem{3272, 12};
constexpr RecordArea kMdcGeneral{3332, 20};
constexpr RecordArea kMdcRevive{3432, 8};
constexpr RecordArea kMdcStun{3472, 8};
constexpr RecordArea kMdcCallAlert{3512, 10};
constexpr RecordArea kMdcSelCall{3562, 4};
constexpr RecordArea kMdcRadioCheck{3582, 8};
constexpr RecordArea kMdcEmergency{3622, 14};
constexpr RecordArea kMdcPttId{3692, 6};
constexpr RecordArea kMdcStatus{3722, 10};
constexpr RecordArea kMdcMessage{3772, 10};

// The same setting in every entry of an MDC table.
constexpr Setting InMdc(RecordArea table, Setting setting) {
    return Each(table, kMdcEntries, setting);
}

// A tone of the user tone set (PMR types), in tenths of a hertz, and the window its decoder
// opens: 3 % each side, as the editor sets it.
constexpr Setting Encode(int tone, int tenths) {
    return Only(ModelGroup::Pmr, Word(kUserToneEncodeArea.At(tone), tenths));
}
constexpr Setting DecodeLow(int tone, int tenths) {
    return Only(ModelGroup::Pmr, Word(kUserToneDecodeArea.At(tone), tenths));
}
constexpr Setting DecodeHigh(int tone, int tenths) {
    return Only(ModelGroup::Pmr, Word(kUserToneDecodeArea.At(tone) + 2, tenths));
}

constexpr ModelGroup kLmr = ModelGroup::Lmr;
constexpr ModelGroup kPmr = ModelGroup::Pmr;
constexpr ModelGroup kMdc = ModelGroup::Mdc;
constexpr ModelGroup kNotMdc = ModelGroup::NotMdc;

// "First choice" is entry 0 of the setting's choice list. Times are given as the radio counts
// them; "(derived)" marks what the program derives from the other settings when it saves.
constexpr Setting kSettings[] = {
    // --- Identity and maker marks ---------------------------------------------------------
    Word(kIdentity, (kIdentityByte0 << 8) | kIdentityByte1),
    Byte(kFormatClass, 1),
    Text(kMakerSignature, kSignatureText),
    Byte(kMapRevision, kOwnMapRevision),
    Word(kModelCode, kModelCodeValue),

    // --- Model type: what the program detects it from -------------------------------------
    Only(kPmr, Bits(kModelByte, kPmrMask, 1)),  // PMR, also with Vask or MDC signalling
    Only(ModelGroup::Vask, Bits(kSignallingByte, kVaskFittedMask, 1)),  // Vask signalling fitted
    Only(kMdc, Bits(kMdcByte, kMdcFittedMask, 1)),                      // MDC signalling fitted

    // --- Maker adjustments ----------------------------------------------------------------
    Bits(kOptions, 0x80, 0),             // squelch delay: off
    Bits(kOptions, 0x40, 0),             // DTCS transmit polarity: normal
    Bits(kOptions, 0x20, 0),             // DTCS receive polarity: normal
    Bits(kOptions, kSaccFittedMask, 0),  // SACC option: not fitted
    Bits(kOptions, 0x03, 0),             // PLL type: first choice
    Long(16, 21400000),                  // first IF 21.4000 MHz (signed, in Hz)
    Long(20, 12800000),                  // PLL reference 12.8000 MHz
    Byte(24, 20),                        // squelch signal detection 20 ms
    Byte(25, 20),                        // squelch noise detection 20 ms
    Byte(26, 100),                       // squelch delay reset 100 ms
    Byte(27, 10),                        // PLL lock time, transmit 10 ms
    Byte(28, 10),                        // PLL lock time, receive 10 ms
    Byte(29, 20),                        // mute on switching to transmit 20 ms
    Byte(30, 20),                        // mute on switching to receive 20 ms
    Byte(32, 128),                       // CTCSS decoder attack, mid-range
    Byte(33, 128),                       // CTCSS decoder release, mid-range
    Byte(34, 128),                       // CTCSS decoder PS, mid-range
    Byte(35, 6),                         // DTCS decoding 17 (kept as the value less 11)
    Byte(37, 50),                        // power-off timer 0.50 s
    Byte(38, 20),                        // switch-on timer 1: 0.20 s
    Byte(39, 50),                        // switch-on timer 2: 0.50 s
    // Tuning values up to the maker signature (squelch, tones, deviation, balance, filters,
    // RF power, battery, RSSI): mid-range, for the maker to align.
    Fill(40, kMakerSignature - 40, 0x80),

    // --- Set mode -------------------------------------------------------------------------
    Bits(273, 0x80, 1),  // beep: on
    Bits(273, 0x4F, 8),  // beep level 8 of 15
    Byte(274, 128),      // squelch level: mid-range
    Byte(275, 0),        // AF minimum level: off
    Byte(276, 1),        // microphone gain: second step
    Bits(286, 0x03, 0),  // backlight: first choice
    Bits(286, 0x0C, 0),  // audio filter: first choice
    Bits(287, 0x40, 0),  // battery-voltage display: off
    Bits(360, 0x80, 1),  // the user may change the backlight,
    Bits(360, 0x40, 1),  //   the beep,
    Bits(360, 0x20, 0),  //   not the squelch level,
    Bits(360, 0x10, 0),  //   not the microphone gain,
    Bits(360, 0x08, 0),  //   not the battery-voltage display

    // --- Keys and display -----------------------------------------------------------------
    // Function codes are characters; a space is a key without a function.
    Fill(kOptionText, 8, ' '),           // right up, right down, left up, left down, P0..P3: none
    Fill(424, 8, ' '),                   // the same keys in trunking: none
    Bits(kSignallingByte, 0x01, 1),      // (derived) a key has no function
    Bits(kOptionTextSelect, 0x07, 0),    // scrambler option port 1; (derived) no scrambler key
    Bits(kMdcByte, 0xEE, 0),             // (derived) no key options
    Blank(kSecondOptionText, 8),         // opening text: none
    Bits(kSecondTextFlagByte, 0x20, 0),  // (derived) no opening text
    Byte(2150, 5),                       // scroll timer 0.5 s
    Bits(kSignallingByte, 0x10, 0),      // ten-key select: first choice
    Bits(383, 0x80, 0),                  // hang-up action monitor: off
    Bits(383, 0x40, 0),                  // hang-up action priority A: off
    Bits(383, 0x20, 0),                  // hang-up action scan: off
    Bits(381, 0x18, 0),                  // rotary select: first choice
    Bits(381, 0x04, 0),                  // RF power select: first choice
    Bits(kModelByte, 0x03, 0),           // memory-recall code: first choice
    Bits(380, 0x10, 0),                  // power switch: first choice
    Bits(379, 0x02, 0),                  // priority A at switch-on: off
    Bits(380, 0x80, 0),                  // priority A clear-down: off

    // --- Common settings ------------------------------------------------------------------
    Fill(344, 2, 0x00),                // user password 0000
    Fill(346, 3, 0x00),                // dealer passcode 000000
    Bits(381, 0x20, 0),                // password at power-on: off
    Bits(379, 0x08, 0),                // set-mode access: first choice
    Byte(404, 60),                     // time-out timer 60 s
    Byte(405, 0),                      // time-out penalty timer: off
    Bits(379, 0x20, 0),                // ID out at time-out: off
    Bits(379, 0x10, 1),                // beep before time-out: on
    Byte(406, 0),                      // lockout penalty timer: off
    Byte(408, 10),                     // auto-reset timer A 10 s
    Byte(409, 30),                     // auto-reset timer B 30 s
    Byte(410, 0),                      // inactive timer: off
    Blank(kComment1, kCommentLength),  // clone comments: none
    Blank(kComment2, kCommentLength),
    Bits(kSignallingByte, 0x08, 0),  // CTCSS tone burst: first choice
    Byte(386, 18),                   // CTCSS reverse burst 0.18 s
    Bits(kSignallingByte, 0x04, 0),  // CTCSS receive AF filter: first choice
    Bits(kModelByte, 0x08, 0),       // CTCSS channel-mute control: first choice
    Bits(376, 0x0F, 0),              // serial port speed: first choice
    Bits(376, 0x30, 0),              // serial port mode: first choice
    Bits(349, 0x08, 0),              // scrambler type: first choice
    Bits(349, 0xC0, 0),              // scrambler sync capture: first choice
    Bits(349, 0x03, 0),              // scrambler group code: first choice
    Bits(349, 0x30, 0),              // scrambler tone start timing: first choice
    Byte(432, 5),                    // power save 0.5 s
    Byte(433, 5),                    // power save starts after 5 s
    Bits(kModelByte, 0x04, 0),       // man-down: off
    Byte(434, 100),                  // man-down timer 10.0 s
    Byte(2163, 100),                 // man-down stage 1: 10.0 s
    Byte(2164, 50),                  // man-down stage 2: 5.0 s
    Byte(2165, 50),                  // man-down stage 3: 5.0 s
    Bits(kSignallingByte, 0x80, 0),  // man-down siren: first choice
    Byte(2161, 1),                   // man-down recycle 1
    Bits(379, 0x04, 0),              // TR data out: first choice
    Bits(381, 0x80, 0),              // wide: first choice

    // --- Expansion ------------------------------------------------------------------------
    Word(690, 1000),               // user CTCSS tone 100.0 Hz
    Byte(401, 10),                 // emergency switch: on after 1.0 s
    Byte(402, 30),                 // emergency switch: off after 3.0 s
    Byte(403, 0),                  // emergency start repeat: none
    Word(354, 10000),              // beep low tone 1000 Hz (in tenths)
    Word(356, 20000),              // beep high tone 2000 Hz
    Bits(kModelByte, 0x80, 0),     // DTCS inversion, transmit: normal
    Bits(kModelByte, 0x40, 0),     // DTCS inversion, receive: normal
    Bits(380, 0x03, 0),            // CL shift: first choice
    Bits(380, 0x0C, 0),            // battery type: first choice
    Bits(381, 0x40, 0),            // PTT switch: first choice
    Fill(kCEditArea.base, 32, 0),  // 16 user characters: no segment lit

    // --- DTMF -----------------------------------------------------------------------------
    Each(kDtmfArea, 8, Blank(0, kNameLength)),  // memories 1..8: no name,
    Each(kDtmfArea, 8, Fill(8, 13, 0)),         //   no digits
    Byte(kStartDtmf, 0),                        // (derived) first memory
    Byte(393, 10),                              // tone length 0.10 s
    Byte(394, 30),                              // first tone 0.30 s
    Byte(395, 10),                              // pause between tones 0.10 s

    // --- CTCSS/DTCS table and scanning ----------------------------------------------------
    Each(kCToneArea, 9, Word(0, 0x8000)),                    // receive tone: off
    Each(kCToneArea, 9, Word(2, 0x8000)),                    // transmit tone: off
    Each(kScanArea, kScanListCount, Blank(0, kNameLength)),  // scan lists 1..10: no name,
    Each(kScanArea, kScanListCount, Fill(8, 34, 0)),  // no channel, first mode, no text, no save
    Byte(kStartScanList, 0),                          // (derived) first scan list
    Byte(397, 50),                                    // scan stop timer 5.0 s
    Byte(398, 20),                                    // scan resume timer 2.0 s
    Byte(384, 50),                                    // fast scan 50 ms a channel
    Byte(385, 25),                                    // slow scan 0.25 s a channel
    Bits(379, 0x80, 0),                               // scan at power-on: off
    Bits(kSignallingByte, 0x02, 0),                   // automatic channel call: off

    // --- Banks and channels ---------------------------------------------------------------
    Fill(kBankSizes, 2 * kBankCount, 0),                     // banks 1..16: no channel
    Word(kBankFlags, 0),                                     // bank flags: off
    Each(kBankNameArea, kBankCount, Blank(0, kNameLength)),  // bank names: none
    Byte(kAttr0Channel, 0),                                  // special channels: the first one
    Byte(kAttr1Channel, 0),
    Byte(kAttr2Channel, 0),
    Bits(kSignallingByte, kAttr3ClearMask, 0),
    Byte(kStartChannel, 0),                   // (derived) start channel: the first one
    Fill(kBankStartChannels, kBankCount, 0),  // (derived) each bank's first channel

    // --- Five-tone (PMR types) and two-tone (LMR types) -----------------------------------
    // The two kinds share bytes: five-tone receive codes and two-tone codes 1938..2124,
    // five-tone transmit codes and two-tone transmit tones 1490..1629, user tones and two-tone
    // detection windows and periods 568..689.
    Byte(371, 0xF8),          // five-tone transmit display: digits 1..5
    Byte(372, 0xF8),          // five-tone receive compare: digits 1..5
    Byte(kCodeCommon, 0x0A),  // group tone A
    Byte(374, 0x0E),          // repeat tone E
    Byte(375, 0x0F),          // second link tone: none
    Byte(387, 0),             // link timers R, 1, 2, A: none
    Byte(388, 0),
    Byte(389, 0),
    Byte(390, 0),
    Byte(391, 100),                                       // long tone 1.00 s
    Byte(392, 0),                                         // lead-out delay: none
    Byte(399, 30),                                        // ID decode timer 3.0 s
    Byte(400, 0),                                         // ABC decode timer: none
    Byte(407, 0),                                         // beep repeat: none
    Byte(411, 0),                                         // automatic transmit delay: none
    Byte(412, 10),                                        // external output 10 s
    Byte(396, 0),                                         // two-tone group timer: none
    Bits(383, 0x01, 0),                                   // compare tone: off
    Bits(379, 0x40, 0),                                   // PTT call when inactive: off
    Each(kTxCodeArea, 32, Blank(0, kNameLength)),         // transmit codes: no name,
    Each(kTxCodeArea, 32, Byte(13, 0x10)),                //   not selectable, no ABC
    Only(kPmr, Each(kTxCodeArea, 32, Fill(8, 4, 0xFF))),  //   no digits,
    Only(kPmr, Each(kTxCodeArea, 32, Byte(12, 0))),       //   no input digit, no update
    Only(kLmr, Each(kTxCodeArea, 10, Fill(8, 4, 0))),     // two-tone codes 1..10: no tones,
    Only(kLmr, Each(kTxCodeArea, 10, Stepping(0x11, Byte(12, 0)))),  //   two tones each
    Only(kLmr, Each(kTxCodesAfterTwoTone, 22, Fill(8, 4, 0xFF))),    // the others: no digits,
    Only(kLmr, Each(kTxCodesAfterTwoTone, 22, Byte(12, 0))),         //   no input digit, no update
    Each(kRxCodeArea, 11, Blank(4, kNameLength)),                    // receive codes: no name,
    Each(kRxCodeArea, 11, Fill(12, 5, 0)),                           //   no call options
    Only(kPmr, Each(kRxCodeArea, 11, Fill(0, 4, 0xFF))),             //   no digits
    Only(kLmr, Each(kRxCodeArea, 11, Fill(0, 4, 0))),                //   no group call, no answer
    Only(kLmr, Fill(kTwoToneBoundsArea.At(1), 80, 0)),  // two-tone detection windows: none
    Only(kLmr, Byte(667, 10)),                          // two-tone no-tone timer 0.10 s
    Only(kLmr, Fill(kTwoTonePeriodArea.At(1), 20, 0)),  // two-tone tone periods: none
    // User tones 0..9, A..E: the CCIR tone set.
    Encode(0, 19810),
    DecodeLow(0, 19216),
    DecodeHigh(0, 20404),  // 0: 1981 Hz
    Encode(1, 11240),
    DecodeLow(1, 10903),
    DecodeHigh(1, 11577),  // 1: 1124 Hz
    Encode(2, 11970),
    DecodeLow(2, 11611),
    DecodeHigh(2, 12329),  // 2: 1197 Hz
    Encode(3, 12750),
    DecodeLow(3, 12368),
    DecodeHigh(3, 13133),  // 3: 1275 Hz
    Encode(4, 13580),
    DecodeLow(4, 13173),
    DecodeHigh(4, 13987),  // 4: 1358 Hz
    Encode(5, 14460),
    DecodeLow(5, 14026),
    DecodeHigh(5, 14894),  // 5: 1446 Hz
    Encode(6, 15400),
    DecodeLow(6, 14938),
    DecodeHigh(6, 15862),  // 6: 1540 Hz
    Encode(7, 16400),
    DecodeLow(7, 15908),
    DecodeHigh(7, 16892),  // 7: 1640 Hz
    Encode(8, 17470),
    DecodeLow(8, 16946),
    DecodeHigh(8, 17994),  // 8: 1747 Hz
    Encode(9, 18600),
    DecodeLow(9, 18042),
    DecodeHigh(9, 19158),  // 9: 1860 Hz
    Encode(10, 24000),
    DecodeLow(10, 23280),
    DecodeHigh(10, 24720),  // A: 2400 Hz
    Encode(11, 9300),
    DecodeLow(11, 9021),
    DecodeHigh(11, 9579),  // B: 930 Hz
    Encode(12, 22470),
    DecodeLow(12, 21796),
    DecodeHigh(12, 23144),  // C: 2247 Hz
    Encode(13, 9910),
    DecodeLow(13, 9613),
    DecodeHigh(13, 10207),  // D: 991 Hz
    Encode(14, 21100),
    DecodeLow(14, 20467),
    DecodeHigh(14, 21733),         // E: 2110 Hz
    Only(kPmr, Fill(658, 27, 0)),  // per tone: period, no-tone time, length as the common ones
    Only(kPmr, Byte(685, 100)),    // tone period 0.100 s
    Only(kPmr, Byte(686, 10)),     // no-tone timer 0.10 s

    // --- MSK signalling (Vask) ------------------------------------------------------------
    Word(kVaskFirstGroup, 4000),     // individual addresses 0000..3999, groups 4000..4095
    Word(2184, 4095),                // common address 4095
    Word(2186, 0),                   // killer address 0000
    Byte(2188, 0),                   // country code: first choice
    Word(2142, 0),                   // status fixed base ID 0000
    Word(2144, 0),                   // GPS fixed base ID 0000
    Word(2146, 0xC4D7),              // sync word C4D7
    Byte(2148, 50),                  // ANI display timer 5.0 s
    Byte(2149, 0),                   // beep repeat timer: none
    Byte(2151, 0),                   // GPS time marker 0:00
    Byte(2152, 2),                   // GPS interval 1:00
    Bits(2153, 0x80, 0),             // PTT call: off
    Bits(2153, 0x40, 0),             // pre-emphasis: first choice
    Bits(2153, 0x20, 1),             // MSK tone muted
    Bits(2153, 0x10, 0),             // GPS automatic: off
    Bits(2153, 0x04, 0),             // PTT side tone: first choice
    Bits(2153, 0x03, 0),             // GPS sentence: first choice
    Byte(2154, 0),                   // GPS and status sending: none
    Bits(2155, 0x80, 0),             // PTT enable at connect: off
    Bits(2155, 0x30, 0),             // ANI display: first choice
    Bits(380, 0x40, 0),              // status sending on priority A: off
    Byte(2158, 3),                   // timing NA 3
    Byte(2159, 3),                   // timing NM 3
    Byte(2160, 3),                   // timing NR 3
    Byte(2162, 50),                  // timing TAC 0.50 s
    Byte(2166, 10),                  // let-ack time 0.10 s
    Byte(2167, 10),                  // let-call time 0.10 s
    Byte(2168, 0),                   // busy check 0
    Word(kMskIdGroupArea.At(0), 1),  // own ID 0001
    Each(kIdGroupsAfterOwn, 7, Stepping(1, Word(0, 4000))),  // groups 1..7: 4000..4006
    Each(kMskIdGroupArea, 8, Blank(2, kNameLength)),         //   no name,
    Each(kMskIdGroupArea, 8, Fill(10, 5, 0)),                //   first alert, no bell
    Each(kMskCallListArea, 32, Blank(0, kNameLength)),       // call list: no name,
    Each(kMskCallListArea, 32, Word(8, 0x0000)),             //   address 0000,
    Each(kMskCallListArea, 32, Word(10, 0xFFFF)),
    Each(kMskCallListArea, 32, Byte(12, 0)),                     //   no digit, no update,
    Each(kMskCallListArea, 32, Byte(13, 0x10)),                  //   not selectable
    Fill(kMskMsgStatusArea.base, kStatusTexts, 0),               // status messages: no options,
    Fill(kMskMsgNameArea.base, kStatusTexts* kNameLength, ' '),  //   no texts
    Fill(kMskMsgText2Area.base, kStatusTexts* kNameLength, ' '),
    Fill(kMskShortTxtFlagArea.base, 8, 0),              // short texts: not selectable,
    Fill(kMskShortTxtArea.base, 8 * kNameLength, ' '),  //   no texts

    // --- MDC signalling -------------------------------------------------------------------
    Fill(kMdcSystem.base, kMdcEntries* kMdcSystem.stride, 0),  // systems: first entries
    InMdc(kMdcGeneral, Byte(0, 0x40)),     // general: MDC off, data muted, first mute type
    InMdc(kMdcGeneral, Word(1, 0x0000)),   // own ID 0000
    InMdc(kMdcGeneral, Word(3, 0x0000)),   // group ID 000
    InMdc(kMdcGeneral, Word(5, 300)),      // initial transmit delay 0.300 s
    InMdc(kMdcGeneral, Byte(7, 0)),        // transmit sync retries 0
    InMdc(kMdcGeneral, Byte(8, 20)),       // receive sync threshold 20
    InMdc(kMdcGeneral, Word(9, 10000)),    // menu time-out 10 s
    InMdc(kMdcGeneral, Word(11, 5000)),    // ten-key time-out 5 s
    InMdc(kMdcGeneral, Word(13, 1000)),    // DOS time 1 s
    InMdc(kMdcGeneral, Word(15, 200)),     // coast time 0.2 s
    InMdc(kMdcGeneral, Word(17, 10000)),   // auto reset 10 s
    InMdc(kMdcRevive, Byte(0, 0x03)),      // revive: off, 3 retries
    InMdc(kMdcRevive, Word(2, 500)),       //   acknowledge delay 0.5 s
    InMdc(kMdcRevive, Word(4, 2000)),      //   acknowledge wait 2 s
    InMdc(kMdcRevive, Word(6, 3000)),      //   display 3 s
    InMdc(kMdcStun, Byte(0, 0x03)),        // stun: off, 3 retries
    InMdc(kMdcStun, Word(2, 2000)),        //   acknowledge wait 2 s
    InMdc(kMdcStun, Word(4, 3000)),        //   display 3 s
    InMdc(kMdcStun, Word(6, 500)),         //   acknowledge delay 0.5 s
    InMdc(kMdcCallAlert, Fill(0, 2, 0)),   // call alert: off, no icon, first beep
    InMdc(kMdcCallAlert, Word(2, 3)),      //   3 retries
    InMdc(kMdcCallAlert, Word(4, 2000)),   //   acknowledge wait 2 s
    InMdc(kMdcCallAlert, Word(6, 500)),    //   acknowledge delay 0.5 s
    InMdc(kMdcCallAlert, Word(8, 3000)),   //   display 3 s
    InMdc(kMdcSelCall, Fill(0, 2, 0)),     // selective call: off, no icon, first beep
    InMdc(kMdcSelCall, Word(2, 3000)),     //   display 3 s
    InMdc(kMdcRadioCheck, Byte(0, 0x03)),  // radio check: off, 3 retries
    InMdc(kMdcRadioCheck, Word(2, 500)),   //   acknowledge delay 0.5 s
    InMdc(kMdcRadioCheck, Word(4, 2000)),  //   acknowledge wait 2 s
    InMdc(kMdcRadioCheck, Word(6, 3000)),  //   display 3 s
    InMdc(kMdcEmergency, Byte(0, 0)),      // emergency: off, no status
    InMdc(kMdcEmergency, Byte(1, 0x33)),   //   3 polite and 3 impolite attempts
    InMdc(kMdcEmergency, Fill(2, 2, 0)),
    InMdc(kMdcEmergency, Word(4, 3000)),   //   display 3 s
    InMdc(kMdcEmergency, Word(6, 1000)),   //   free-channel wait 1 s
    InMdc(kMdcEmergency, Word(8, 2000)),   //   acknowledge wait 2 s
    InMdc(kMdcEmergency, Word(10, 5000)),  //   cycle delay 5 s
    InMdc(kMdcEmergency, Byte(12, 10)),    //   open microphone 10
    InMdc(kMdcEmergency, Byte(13, 3)),     //   3 cycles
    InMdc(kMdcPttId, Fill(0, 2, 0)),       // PTT ID: off
    InMdc(kMdcPttId, Word(2, 300)),        //   pre time 0.3 s
    InMdc(kMdcPttId, Word(4, 0)),          //   post time 0
    InMdc(kMdcStatus, Byte(0, 0x03)),      // status: off, 3 retries
    InMdc(kMdcStatus, Byte(1, 0)),         //   no status at power-up
    InMdc(kMdcStatus, Word(2, 500)),       //   acknowledge time 0.5 s
    InMdc(kMdcStatus, Word(4, 2000)),      //   acknowledge wait 2 s
    InMdc(kMdcStatus, Word(6, 3000)),      //   display 3 s
    InMdc(kMdcMessage, Byte(0, 0x03)),     // message: off, 3 retries
    InMdc(kMdcMessage, Word(1, 500)),      //   acknowledge time 0.5 s
    InMdc(kMdcMessage, Word(3, 2000)),     //   acknowledge wait 2 s
    InMdc(kMdcMessage, Word(5, 3000)),     //   display 3 s

    // --- Data marks -----------------------------------------------------------------------
    Byte(kNewerDataMark, 1),  // data this program edits
    Byte(kDataRevision, 0),

    // --- Template entries: what a new channel, alias and MDC block start from -------------
    Fill(kTemplateA, 8, 0),         // channel: no frequencies,
    Word(kTemplateA + 8, 0x8000),   //   receive tone off,
    Word(kTemplateA + 10, 0x8000),  //   transmit tone off
    Fill(kTemplateA + 12, 2, 0),
    Blank(kTemplateB, kNameLength),                  //   no name,
    Bits(kTemplateB + 8, 0x80, 1),                   //   power save on,
    Bits(kTemplateB + 8, 0x10, 1),                   //   time-out timer on,
    Bits(kTemplateB + 8, 0x60, 0),                   //   no monitor,
    Bits(kTemplateB + 8, 0x0C, 0),                   //   no lockout,
    Bits(kTemplateB + 8, 0x03, 0),                   //   first RF power,
    Byte(kTemplateB + 9, 0),                         //   no log, scan increment or channel mute,
    Byte(kTemplateB + 10, 0),                        //   no select, call, PTT or auto reset,
    Bits(kTemplateB + 11, 0x80, 1),                  //   narrow,
    Bits(kTemplateB + 11, 0x7F, 0),                  //   no scrambler, compander or MSK,
    Byte(kTemplateB + 12, 0),                        //   first MDC system,
    Byte(kTemplateB + 13, 0),                        //   scrambler code: inversion,
    Fill(kTemplateB + 14, 6, 0),                     //   no codes
    Only(kMdc, Blank(kTemplateAlias, kNameLength)),  // alias: no text,
    Only(kMdc, Fill(kTemplateAlias + 8, 4, 0)),      //   no strip, first beep, ID 0000
    Only(kMdc, Each(kMdcSubBlocks1, kMdcSubBlockCount, Blank(0, kSubBlockTexts))),  // status
    Only(kMdc, Each(kMdcSubBlocks1, kMdcSubBlockCount, Fill(kSubBlockTexts, kSubBlockFlags, 0))),
    Only(kMdc, Each(kMdcSubBlocks2, kMdcSubBlockCount, Blank(0, kSubBlockTexts))),  // message
    Only(kMdc, Each(kMdcSubBlocks2, kMdcSubBlockCount, Fill(kSubBlockTexts, kSubBlockFlags, 0))),

    // --- Packed area: no channel, after the template entries ------------------------------
    Byte(kPackedHeaderZeroByte, 0),
    Word(kPackedChannelCount, 0),
    Word(kPackedEntriesAStart, kPackedArea),
    Only(kNotMdc, Word(kPackedEntriesBStart, kTemplatesEnd)),
    Only(kNotMdc, Word(kPackedEntriesBStart2, kTemplatesEnd)),
    Only(kMdc, Word(kPackedEntriesBStart, kMdcTemplatesEnd)),
    Only(kMdc, Word(kPackedEntriesBStart2, kMdcTemplatesEnd)),
    Byte(kPackedHeaderMark, kPackedHeaderMarkValue),
    Word(kPackedHeaderZeroWord, 0),
    Only(kNotMdc, Word(kPackedEnd, kSignature + kSignatureLength)),
    Only(kMdc, Word(kPackedEnd, kMdcSignature + kSignatureLength)),
    Only(kMdc, Each({kMdcPackedAlias, kMdcAliasEntrySize}, kMdcAliasCount,
                    Copy(0, kTemplateAlias, kMdcAliasEntrySize))),
    Only(kMdc, Copy(kMdcPackedBlock1, kTemplateBlock1, kMdcBlockSize)),
    Only(kMdc, Copy(kMdcPackedBlock2, kTemplateBlock2, kMdcBlockSize)),
    Only(kMdc, Each({kMdcAliasDescriptors, kMdcAliasDescriptorSize}, kMdcSubBlockCount,
                    Word(0, kMdcPackedAlias))),
    Only(kMdc, Each({kMdcAliasDescriptors, kMdcAliasDescriptorSize}, kMdcSubBlockCount,
                    Word(2, kMdcPackedAlias + kMdcAliasLastEntryOffset))),
    Only(kMdc, Each({kMdcAliasDescriptors, kMdcAliasDescriptorSize}, kMdcSubBlockCount,
                    Word(4, kMdcAliasCount))),
    Only(kMdc, Each({kMdcBlock1Starts, kMdcStartStride}, kMdcSubBlockCount,
                    Stepping(kMdcSubBlockSize, Word(0, kMdcPackedBlock1)))),
    Only(kMdc, Each({kMdcBlock2Starts, kMdcStartStride}, kMdcSubBlockCount,
                    Stepping(kMdcSubBlockSize, Word(0, kMdcPackedBlock2)))),
    Only(kNotMdc, Text(kSignature, kSignatureText)),  // the closing signature
    Only(kMdc, Text(kMdcSignature, kSignatureText)),
};

}  // namespace

int Setting::Width() const {
    switch (put) {
        case Put::Bits:
            return 1;
        case Put::Word:
            return 2;
        case Put::Long:
            return 4;
        default:
            return length;
    }
}

std::span<const Setting> InitialSettings() {
    return kSettings;
}

}  // namespace initial
