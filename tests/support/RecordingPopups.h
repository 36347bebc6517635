#pragma once

#include <vector>

#include "radio/host/PopupHost.h"

namespace testsupport {

// Pop-ups that only record what they were asked to open; a test answers one by running the
// cell again as the pop-up would.
class RecordingPopups : public PopupHost {
public:
    void OpenChoiceList(const cmcCellCapsule&, const ChoiceList& request) override {
        choiceLists.push_back(request);
    }
    void OpenBitSetEditor(const cmcCellCapsule&, const BitSet& request) override {
        bitSets.push_back(request);
    }
    void OpenDisplayTextEditor(const cmcCellCapsule&, const DisplayText& request) override {
        displayTexts.push_back(request);
    }
    void OpenUserCharacterEditor(const cmcCellCapsule&, const UserCharacter& request) override {
        userCharacters.push_back(request);
    }

    std::vector<ChoiceList> choiceLists;
    std::vector<BitSet> bitSets;
    std::vector<DisplayText> displayTexts;
    std::vector<UserCharacter> userCharacters;
};

}  // namespace testsupport
