#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

class cmcCellCapsule;

// The pop-up editors that a cell's converter opens beside the cell: the choice list, the
// bit-set editor, the display-text editor and the user-character editor. The radio layer
// asks; the ui layer implements them, overriding what it has built.
//
// Nothing waits for a pop-up: the converter asks for a refresh (editor request 1) and the
// dispatch ends. The pop-up copies the caller's capsule (cmcCellCapsule::CopyFrom; the cell
// outlives it, the capsule does not) and hands its answer back later by running that copy
// through the dispatcher with notify 1, inputMode kInputPopupAnswer and key 0, its parent
// being a capsule whose cell carries the answer:
// - choice list: the chosen cell of the list (item = the answer item code asked for, index =
//   the chosen value);
// - bit-set editor: a cell of item Flex0, the value in decimal in the copy's inText;
// - display-text editor: the escaped text in the copy's inText;
// - user-character editor: the pattern in decimal in the copy's inText.
// A pop-up that cannot open beside the capsule's cell (no grid) opens nothing.
// A pop-up that is dismissed hands nothing back.
//
// Until the ui builds one, each pop-up shows a box saying that it is not available yet, so a
// key that would open it is never silently lost.
class PopupHost {
public:
    struct ChoiceList {
        std::string list;  // the selection sheet
        int item;          // the answer item code of its entries
        int value;         // the entry shown current
    };
    struct BitSet {
        int value;       // aligned as CellBitField aligns it (BitFieldBit)
        int firstLabel;  // labels of the first and last bit
        int lastLabel;
        int labelStyle;  // 0 decimal, 2 decimal with 10 shown as 0
        int markStyle;   // 1 a set bit is a check mark
    };
    struct DisplayText {
        std::vector<uint8_t> bytes;  // what the editor starts with
        bool selectAll;              // else the caret stands after the bytes
        int width;                   // of the field
        // The user-character patterns the text's glyphs use; the editor copies them.
        std::span<const uint8_t> userCharacters;
    };
    struct UserCharacter {
        uint16_t pattern;  // the segment pattern
    };

    virtual ~PopupHost() = default;

    virtual void OpenChoiceList(const cmcCellCapsule& caller, const ChoiceList& request);
    virtual void OpenBitSetEditor(const cmcCellCapsule& caller, const BitSet& request);
    virtual void OpenDisplayTextEditor(const cmcCellCapsule& caller, const DisplayText& request);
    virtual void OpenUserCharacterEditor(const cmcCellCapsule& caller,
                                         const UserCharacter& request);

    // The host whose pop-ups are all not available yet.
    static PopupHost& Unavailable();

protected:
    // The "not available yet" box for the pop-up named by line n of "GI_AppInd_PopupNames".
    static void ShowNotAvailable(int n);
};
