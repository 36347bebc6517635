#include "radio/clone/CloneErrorText.h"

#include <span>

#include "common/MainGTex.h"
#include "radio/clone/CDrvCodes.h"

namespace {

// The check lines a code shows; every code without a row shows kDefaultChecks.
struct CheckRow {
    int code;
    std::span<const int> checks;
};

constexpr int kDefaultChecks[] = {0, 1, 2, 3};  // cable, power, port
constexpr int kRadioAnswered[] = {0, 2, 3};
constexpr int kIdentityChecks[] = {0, 1, 2, 3, 4, 5};  // and the model and program version
constexpr int kBusyPc[] = {6, 7};
constexpr int kVersionChecks[] = {0, 4, 5};
constexpr int kRadioSending[] = {8};
// The radio heard the data and said no: a bad contact garbles it, or the radio is not one the
// program is made for.
constexpr int kRefusedChecks[] = {0, 1, 4, 5};

constexpr CheckRow kRows[] = {
    {CDRV_NewerLocked, {}},
    {CDRV_NotAcked, kRadioAnswered},
    {CDRV_InfoRejected, kIdentityChecks},
    {12, kIdentityChecks},  // 12 and 13 are set by nothing the program has; their
    {13, kBusyPc},          // messages stay as the table words them
    {CDRV_RadioNewer, kVersionChecks},
    {CDRV_LineBusy, kRadioSending},
};

std::span<const int> ChecksOf(int code) {
    for (const CheckRow& row : kRows) {
        if (row.code == code) {
            return row.checks;
        }
    }
    return kDefaultChecks;
}

// The head line is table text: only its "%d" is taken as a place for the number.
std::string WithNumber(std::string text, int number) {
    const size_t at = text.find("%d");
    if (at != std::string::npos) {
        text.replace(at, 2, std::to_string(number));
    }
    return text;
}

}  // namespace

std::string CloneErrorText(int code, int portNumber, bool refused) {
    if (code == CDRV_Ok || code == CDRV_Cancelled) {
        return {};
    }
    cmcGTex& texts = MainGTex();
    refused = refused && code == CDRV_Format;
    std::string head = refused ? texts.GetLine("GI_Mess_CloneErr_Refused", 0)
                               : texts.GetLine("GI_Mess_CloneErr_Head", code);
    std::string text = (code == CDRV_PortOpen ? WithNumber(head, portNumber) : head) + "\n\n";
    std::span<const int> checks = refused ? kRefusedChecks : ChecksOf(code);
    for (size_t i = 0; i < checks.size(); ++i) {
        text += (i > 0 ? "\n" : "") + texts.GetLine("GI_Mess_CloneErr_Check", checks[i]);
    }
    return text;
}
