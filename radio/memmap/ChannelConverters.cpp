#include "radio/memmap/ChannelConverters.h"

#include <algorithm>
#include <cstdio>

#include "common/TextHelpers.h"
#include "common/cmcGTex.h"
#include "radio/cells/CellCodes.h"
#include "radio/cells/cmcCellCapsule.h"
#include "radio/memmap/CellEditing.h"
#include "radio/memmap/ChoiceConverters.h"
#include "radio/memmap/TypedInput.h"
#include "radio/memmap/cmcFCache.h"
#include "radio/records/datCh.h"

namespace {

constexpr std::size_t kNumberLength = 9;
constexpr double kHighestTyped = 799999999.5;
constexpr int kHighestShown = 799999950;
constexpr int kHzPerMHz = 1000000;
// Typed digits fix the frequency down to its 100 kHz step at most.
constexpr int kLargestDigitStep = 100000;
constexpr int kSnapStep = 625;
constexpr int kChannelStepA = 2500;
constexpr int kChannelStepB = 3125;

constexpr char kToneNames[] = "GI_AppItem_Ctcss";
constexpr int kToneOff = 52;
constexpr int kToneDtcs = 53;

std::string MegahertzText(int hz) {
    char text[32];
    std::snprintf(text, sizeof text, "%d.%06d", hz / kHzPerMHz, hz % kHzPerMHz);
    return text;
}

bool TakeFrequency(CellEdit& edit, datCh& record, bool receive) {
    const std::string text = FirstChars(FilteredText(edit.capsule.inText, "."), kNumberLength);
    if (text.empty()) {
        return false;
    }
    const double typed = std::clamp(ReadReal(text) * kHzPerMHz + 0.5, 0.0, kHighestTyped);
    const int hz = SnapFrequency(static_cast<int>(typed));
    if (hz <= 0) {
        return false;
    }
    if (!receive) {
        record.txFreq = hz;
        return true;
    }
    if (record.rxFreq == record.txFreq) {
        record.txFreq = hz;
    }
    record.rxFreq = hz;
    record.used = 1;
    return true;
}

void AskFrequencyEditor(CellEdit& edit, const datCh& record, bool receive, int key) {
    if (key == '.') {
        AskEditorAfterPoint(edit);
    } else if (key == '=' && !receive) {
        ShowText(edit, MegahertzText(std::clamp(record.rxFreq, 0, kHighestShown)));
        AskEditorOnText(edit);
    } else if (IsDigitKey(key)) {
        AskEditorWithKey(edit, key);
    } else if (key == kKeyEnter || StepOfKey(key)) {
        if (!record.used) {
            ShowText(edit, "");
        }
        AskEditorOnText(edit);
    }
}

std::string DtcsText(const datCh::ToneWord& tone) {
    char text[8];
    std::snprintf(text, sizeof text, "%d%d%d%c", (tone.code >> 6) & 7, (tone.code >> 3) & 7,
                  tone.code & 7, tone.inverted ? 'i' : 'N');
    return text;
}

bool IsOctal(char c) {
    return c >= '0' && c <= '7';
}

// Three octal digits, then nothing, "N" or "I".
bool TakeDtcsCode(const std::string& typed, datCh::ToneWord& tone) {
    if (typed.size() < 3 || typed.size() > 4 || !IsOctal(typed[0]) || !IsOctal(typed[1]) ||
        !IsOctal(typed[2])) {
        return false;
    }
    if (typed.size() == 4 && typed[3] != 'N' && typed[3] != 'I') {
        return false;
    }
    tone.on = 1;
    tone.digital = 1;
    tone.inverted = typed.size() == 4 && typed[3] == 'I';
    tone.code = (typed[0] - '0') * 64 + (typed[1] - '0') * 8 + (typed[2] - '0');
    tone.toneIndex = 0;
    return true;
}

// A typed tone name: the first name it begins, when it begins one only or is longer than one
// character.
bool TakeToneName(CellEdit& edit, const std::string& typed, datCh::ToneWord& tone) {
    int first = 0;
    const int count = FindTextPrefix(edit.services.texts, kToneNames, typed, first);
    if (count == 1 || (count > 1 && typed.size() > 1)) {
        tone.digital = 0;
        tone.toneIndex = first;
        return true;
    }
    return false;
}

}  // namespace

int SnapFrequency(int f) {
    int digitStep = 1;
    for (int power = 10; power <= kLargestDigitStep; power *= 10) {
        if (f % power == 0) {
            digitStep = power;
        }
    }
    int candidate = f - f % kLargestDigitStep;
    while (candidate < f || (candidate % kChannelStepA != 0 && candidate % kChannelStepB != 0)) {
        candidate += kSnapStep;
    }
    return static_cast<long long>(candidate) <= static_cast<long long>(f) + digitStep - 1
               ? candidate
               : -1;
}

int FindTextPrefix(cmcGTex& texts, const std::string& section, const std::string& text,
                   int& first) {
    const std::string wanted = UpperCase(text);
    int count = 0;
    int running = 0;
    for (int n = 0;; ++n) {
        const std::string line = texts.GetLine(section, n);
        if (line.starts_with('#')) {
            return count;
        }
        for (int k = 0; const std::optional<std::string> field = GetToken(line, ',', k); ++k) {
            if (UpperCase(*field).starts_with(wanted)) {
                if (count == 0) {
                    first = running;
                }
                ++count;
            }
            ++running;
        }
    }
}

bool CellFrequency(CellEdit& edit, datCh& record, const FrequencyParams& params) {
    const bool receive = params.side == Side::Receive;
    const bool wasUnused = !record.used;
    bool changed = false;
    if (edit.capsule.inputMode == kInputText) {
        changed = TakeFrequency(edit, record, receive);
    }
    if (receive && wasUnused) {
        record.txFreq = record.rxFreq;
        record.inh = changed ? 0 : 1;
    }
    const int hz = receive ? record.rxFreq : record.txFreq;
    ShowText(edit, MegahertzText(std::clamp(hz, 0, kHighestShown)));
    AskFrequencyEditor(edit, record, receive, ActiveKey(edit));
    if (edit.request == 0) {
        if (!record.used) {
            ShowText(edit, "");
        } else if (!receive && record.txFreq == record.rxFreq) {
            ShowText(edit, "<-");
        }
    }
    return changed;
}

bool CellSubTone(CellEdit& edit, datCh& record, const SubToneParams& params) {
    const bool receive = params.side == Side::Receive;
    datCh::ToneWord& tone = receive ? record.tone1 : record.tone2;
    const bool transmitFollows = receive && record.tone1 == record.tone2;
    const int key = ActiveKey(edit);
    bool changed = false;
    bool toneChosen = false;
    if (tone.on && tone.digital && StepOfKey(key)) {
        tone.inverted = !tone.inverted;
        changed = true;
    } else if (IsAnswerOf(edit, FlexDtcs)) {
        if (edit.capsule.onEditText) {
            OpenEditorNow(edit, DtcsText(tone));
        }
        return false;
    } else {
        int index = !tone.on ? kToneOff : tone.digital ? kToneDtcs : tone.toneIndex;
        if (CellChoice(edit, index, kToneList, Flex0)) {
            tone.digital = 0;
            tone.toneIndex = index;
            changed = toneChosen = true;
        }
    }
    if (!changed && edit.capsule.inputMode == kInputText) {
        std::string typed = UpperCase(edit.capsule.inText);
        TrimBlanks(typed);
        changed = TakeDtcsCode(typed, tone);
        if (!changed) {
            changed = toneChosen = TakeToneName(edit, typed, tone);
        }
    }
    if (toneChosen) {
        tone.on = tone.toneIndex != kToneOff;
        if (!tone.on) {
            tone.toneIndex = 0;
        }
    }
    if (edit.request != 2) {
        if (tone.on && tone.digital) {
            ShowText(edit, DtcsText(tone));
        } else {
            const int index = tone.on ? tone.toneIndex : kToneOff;
            ShowText(edit, edit.services.choices.GetCaption(kToneList, Flex0, index));
        }
    }
    if (!changed && edit.request == 0 && IsPrintableAscii(key) && key != kKeySpace) {
        AskEditorWithKey(edit, key);
    }
    if (transmitFollows && changed) {
        record.tone2 = record.tone1;
    }
    if (!receive && edit.request == 0 && tone.on && record.tone1 == record.tone2) {
        ShowText(edit, "<-");
    }
    return changed;
}
