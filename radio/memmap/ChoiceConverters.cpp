#include "radio/memmap/ChoiceConverters.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "common/TextHelpers.h"
#include "common/cmcEvMan.h"
#include "common/cmcEventTypes.h"
#include "radio/cells/cmcCellCapsule.h"
#include "radio/cells/cmcCellObj.h"
#include "radio/host/PopupHost.h"
#include "radio/memmap/CellEditing.h"
#include "radio/memmap/TypedInput.h"
#include "radio/memmap/cmcFCache.h"

namespace {

constexpr int kAbcLowest = 1;
constexpr int kAbcHighest = 32;
constexpr int kScramblerHighest = 255;
constexpr int kScramblerInversion = 0;
constexpr int kScramblerCode = 1;

// Attribute flag bits and the list entries that set them.
constexpr int kFlagA = 0x01;
constexpr int kFlagB = 0x02;
constexpr int kFlagE = 0x04;
constexpr int kFlagNotE = 0x08;
constexpr int kFlagToggle = 0x10;

std::string Trimmed(std::string text) {
    return TrimBlanks(text);
}

void OpenList(CellEdit& edit, const std::string& list, int answer, int value) {
    edit.services.popups.OpenChoiceList(edit.capsule, {list, answer, value});
    edit.request = 1;
}

std::optional<int> StepInList(cmcFCache& choices, const std::string& list, int item, int value,
                              int step) {
    choices.GetList(list, item);
    int32_t stepped = 0;
    if (!choices.StepValue(list, item, value, step, stepped)) {
        return std::nullopt;
    }
    return stepped;
}

// The real number a caption or a typed text stands for: "OF" is 0, another text of two or more
// characters beginning with "O" stands for none.
std::optional<double> TypedNumber(const std::string& upper) {
    if (upper.starts_with("OF")) {
        return 0.0;
    }
    if (upper.size() >= 2 && upper[0] == 'O') {
        return std::nullopt;
    }
    return ReadReal(upper);
}

bool TakeNearestCaption(CellEdit& edit, int& value, const TypedChoiceParams& params) {
    const std::string typed = UpperCase(Trimmed(edit.capsule.inText));
    const std::optional<double> number = typed.empty() ? std::nullopt : TypedNumber(typed);
    if (!number) {
        return false;
    }
    const ChoiceList& list = edit.services.choices.GetList(params.list, params.answer);
    std::optional<ChoiceList::Entry> nearest;
    double nearestDistance = 0;
    for (const ChoiceList::Entry& entry : list.InReadingOrder()) {
        const double distance = std::fabs(ReadReal(Trimmed(entry.caption)) - *number);
        if (!nearest || distance < nearestDistance) {
            nearest = entry;
            nearestDistance = distance;
        }
    }
    if (!nearest) {
        return false;
    }
    value = nearest->value;
    return true;
}

// The shared behaviour of the number lists: entry `first` of the first list stands for the
// numbers first..last of the second list.
struct TwoStep {
    std::string firstList;
    int firstAnswer;
    std::string secondList;
    int secondAnswer;
    int first;
    int last;
    bool offAllowed;
};

bool TakeTypedNumber(CellEdit& edit, int& value, const TwoStep& lists) {
    std::string text = Trimmed(edit.capsule.inText);
    if (lists.offAllowed && BeginsWithOff(text)) {
        text = "0";
    }
    FilterTextChars(text, "");
    if (text.empty()) {
        return false;
    }
    const int typed = ReadDigits(text);
    value = lists.offAllowed && typed == 0 ? 0 : std::clamp(typed, lists.first, lists.last);
    return true;
}

bool TakeListAnswer(CellEdit& edit, int& value, const TwoStep& lists) {
    if (IsAnswerOf(edit, lists.firstAnswer)) {
        if (AnswerValue(edit) == lists.first) {
            OpenList(edit, lists.secondList, lists.secondAnswer, value);
            return false;
        }
        value = AnswerValue(edit);
        return true;
    }
    if (IsAnswerOf(edit, lists.secondAnswer)) {
        value = AnswerValue(edit);
        return true;
    }
    return false;
}

bool RunTwoStep(CellEdit& edit, int& value, const TwoStep& lists) {
    const int key = ActiveKey(edit);
    const int step = StepOfKey(key);
    bool changed = false;
    if (edit.capsule.inputMode == kInputText) {
        changed = TakeTypedNumber(edit, value, lists);
    } else if (edit.capsule.inputMode == kInputPopupAnswer && !step) {
        changed = TakeListAnswer(edit, value, lists);
    } else if (step) {
        const bool number = value >= lists.first && value <= lists.last;
        std::optional<int> stepped =
            StepInList(edit.services.choices, lists.firstList, lists.firstAnswer,
                       number ? lists.first : value, step);
        if (stepped && *stepped == lists.first) {
            stepped = StepInList(edit.services.choices, lists.firstList, lists.firstAnswer,
                                 *stepped, step);
        }
        if (stepped) {
            value = *stepped;
            changed = true;
        }
    }
    const bool number = value >= lists.first && value <= lists.last;
    if (number) {
        ShowText(edit, std::to_string(value));
    } else {
        ShowText(edit, edit.services.choices.GetCaption(lists.firstList, lists.firstAnswer, value));
    }
    if (key == kKeyEnter && edit.capsule.inputMode == kInputKey) {
        OpenList(edit, lists.firstList, lists.firstAnswer, number ? lists.first : value);
    } else if (IsDigitKey(key) || key == '.' || key == 'O' || key == 'o') {
        AskEditorWithKey(edit, key);
    }
    return changed;
}

int ApplyOptionEntry(int flags, int entry) {
    switch (entry) {
        case 1:
            return flags | kFlagA;
        case 2:
            return flags | kFlagB;
        case 3:
            return (flags | kFlagE) & ~kFlagNotE;
        case 4:
            return (flags & ~kFlagE) | kFlagNotE;
        case 5:
            return flags ^ kFlagToggle;
        default:
            return flags;
    }
}

std::string OptionLetters(int flags) {
    std::string letters;
    if (flags & kFlagA) {
        letters += 'A';
    }
    if (flags & kFlagB) {
        letters += 'B';
    }
    if ((flags & kFlagE) && !(flags & kFlagNotE)) {
        letters += 'E';
    }
    return letters;
}

}  // namespace

bool CellChoice(CellEdit& edit, int& value, const std::string& list, int answer) {
    if (edit.capsule.inputMode == kInputPopupAnswer) {
        if (!IsAnswerOf(edit, answer)) {
            return false;
        }
        value = AnswerValue(edit);
        return true;
    }
    const int key = ActiveKey(edit);
    bool changed = false;
    if (const int step = StepOfKey(key)) {
        if (const std::optional<int> stepped =
                StepInList(edit.services.choices, list, answer, value, step)) {
            value = *stepped;
            changed = true;
        }
    } else if (key == kKeyEnter) {
        OpenList(edit, list, answer, value);
    }
    ShowText(edit, edit.services.choices.GetCaption(list, answer, value));
    return changed;
}

void CellListEntry(CellEdit& edit, const ListEntryParams&) {
    if (const cmcCellObj* cell = edit.capsule.cell) {
        ShowText(edit, cell->GetCaption());
    }
}

bool CellChoiceTyped(CellEdit& edit, int& value, const TypedChoiceParams& params) {
    bool changed = false;
    if (edit.capsule.inputMode == kInputText) {
        changed = TakeNearestCaption(edit, value, params);
    }
    const int key = ActiveKey(edit);
    if (IsDigitKey(key) || key == 'o' || key == 'O') {
        AskEditorWithKey(edit, key);
        return changed;
    }
    return CellChoice(edit, value, params.list, params.answer) || changed;
}

bool CellListNumber(CellEdit& edit, int& value, const ListNumberParams& params) {
    cmcFCache& choices = edit.services.choices;
    const TwoStep lists{params.firstList,
                        params.firstAnswer,
                        params.secondList,
                        params.secondAnswer,
                        ListLastLineIndex(choices, params.firstList, params.firstAnswer),
                        ListHighestIndex(choices, params.secondList, params.secondAnswer),
                        params.offAllowed};
    return RunTwoStep(edit, value, lists);
}

bool CellAbcCode(CellEdit& edit, int& value, const AbcCodeParams&) {
    const TwoStep lists{kAbcSelectionList, Flex0,       kAbcCodeList, Flex1,
                        kAbcLowest,        kAbcHighest, true};
    return RunTwoStep(edit, value, lists);
}

bool CellScramCode(CellEdit& edit, int& value, const ScramCodeParams&) {
    const int key = ActiveKey(edit);
    bool changed = false;
    if (edit.capsule.inputMode == kInputText) {
        std::string text = Trimmed(edit.capsule.inText);
        if (UpperCase(text).starts_with("INV")) {
            text = "0";
        }
        FilterTextChars(text, "");
        if (!text.empty()) {
            value = std::clamp(ReadDigits(text), 0, kScramblerHighest);
            changed = true;
        }
    } else if (IsAnswerOf(edit, Flex0)) {
        if (AnswerValue(edit) == kScramblerInversion) {
            value = kScramblerInversion;
            changed = true;
        } else if (AnswerValue(edit) == kScramblerCode) {
            OpenEditorNow(edit, std::to_string(value));
            return false;
        }
    } else if (const int step = StepOfKey(key)) {
        value = StepWithin(value, step, 0, kScramblerHighest, false);
        changed = true;
    } else if (key == kKeyEnter) {
        OpenList(edit, kScramblerCodeList, Flex0, value != kScramblerInversion);
    }
    ShowText(edit, value == kScramblerInversion ? "Inv" : std::to_string(value));
    if (IsDigitKey(key) || key == '.' || key == 'I' || key == 'i') {
        AskEditorWithKey(edit, key);
    }
    return changed;
}

bool CellOptionLetters(CellEdit& edit, int& value, const OptionLettersParams& params) {
    if (IsAnswerOf(edit, Flex0)) {
        const int flags = ApplyOptionEntry(value, AnswerValue(edit));
        if (flags == value) {
            return false;
        }
        value = flags;
        if (cmcEvMan* events = edit.services.events) {
            events->Post(EV_RefreshBankMarks);
            events->Post(EV_BankTitle);
        }
        return true;
    }
    if (ActiveKey(edit) == kKeyEnter) {
        OpenList(edit, params.list, Flex0, 0);
    }
    ShowText(edit, OptionLetters(value));
    return false;
}

int ListLastLineIndex(cmcFCache& choices, const std::string& list, int item) {
    return choices.GetList(list, item).FirstValueOfLastLine().value_or(0);
}

int ListHighestIndex(cmcFCache& choices, const std::string& list, int item) {
    return choices.GetList(list, item).HighestRisingValue();
}
