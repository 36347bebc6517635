#include "radio/cells/cmcCellCapsule.h"

void cmcCellCapsule::Clear() {
    int keptBank = bankContext;
    *this = cmcCellCapsule();
    bankContext = keptBank;
}

void cmcCellCapsule::CopyFrom(const cmcCellCapsule& other) {
    int keptBank = bankContext;
    uint8_t keptMarks = marks & 0xF0;
    *this = other;
    bankContext = keptBank;
    marks = static_cast<uint8_t>(keptMarks | (other.marks & 0x0F));
}
