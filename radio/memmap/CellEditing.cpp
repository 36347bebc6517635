#include "radio/memmap/CellEditing.h"

#include <algorithm>

#include "common/TextHelpers.h"
#include "radio/cells/cmcCellCapsule.h"
#include "radio/cells/cmcCellObj.h"

int ActiveKey(const CellEdit& edit) {
    return edit.capsule.control ? edit.capsule.key : 0;
}

bool IsDigitKey(int key) {
    return key >= '0' && key <= '9';
}

bool IsHexDigitKey(int key) {
    return IsDigitKey(key) || (key >= 'a' && key <= 'f') || (key >= 'A' && key <= 'F');
}

int StepOfKey(int key) {
    if (key == kKeySpace) {
        return 1;
    }
    return key == kKeyBackspace ? -1 : 0;
}

void ShowText(CellEdit& edit, std::string text) {
    edit.capsule.outText = std::move(text);
    edit.capsule.selStart = 0;
    edit.capsule.selLength = static_cast<int>(edit.capsule.outText.size());
}

void AskEditorOnText(CellEdit& edit) {
    std::string text = edit.capsule.outText;
    ShowText(edit, TrimBlanks(text));
    edit.request = 2;
}

void AskEditorWithKey(CellEdit& edit, int key) {
    edit.capsule.outText = std::string(1, static_cast<char>(key));
    edit.capsule.selStart = 1;
    edit.capsule.selLength = 0;
    edit.request = 2;
}

void AskEditorAfterPoint(CellEdit& edit) {
    AskEditorOnText(edit);
    const std::string& text = edit.capsule.outText;
    const std::size_t point = text.find('.');
    edit.capsule.selStart = static_cast<int>(point == std::string::npos ? text.size() : point + 1);
    edit.capsule.selLength = 0;
}

void OpenEditorNow(CellEdit& edit, std::string text) {
    ShowText(edit, std::move(text));
    if (edit.capsule.onEditText) {
        edit.capsule.onEditText(&edit.capsule, 0);
    }
}

bool IsAnswerOf(const CellEdit& edit, int item) {
    const cmcCellCapsule& capsule = edit.capsule;
    return capsule.inputMode == kInputPopupAnswer && capsule.parent && capsule.parent->cell &&
           capsule.parent->cell->item == item;
}

int AnswerValue(const CellEdit& edit) {
    return edit.capsule.parent->cell->index;
}

int StepWithin(int value, int step, int minimum, int maximum, bool stopAtEnds) {
    const long long stepped = static_cast<long long>(value) + step;
    if (stepped < minimum) {
        return stopAtEnds ? minimum : maximum;
    }
    if (stepped > maximum) {
        return stopAtEnds ? maximum : minimum;
    }
    return static_cast<int>(stepped);
}
