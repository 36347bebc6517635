#pragma once

#include <map>
#include <string>
#include <vector>

#include "radio/ImageLayout.h"
#include "radio/ItemRegistry.h"
#include "radio/indShell.h"

namespace testsupport {

// The program around the dispatcher, as far as menus and tool bars need it: an empty image.
class MenuShell : public indShell {
public:
    MenuShell();
    ~MenuShell() override;

    cmcEeprom& CurrentImage() override { return image; }
    ModelType CurrentModelType() override { return MT_Pmr; }
    void RestartWarningCheck() override {}
    void UpdateModified() override {}
    void PackImage() override {}
    void RunChannelListEdit(cmcCellCapsule&, datCh&, int, int, const BankSpan&) override {}
    void ShowContextHelp(const cmcCellObj&) override {}

    cmcEeprom image;
};

// A dispatcher double for command cells: a row table whose rows report the state bits a test
// sets for (item, index), replace the caption when asked, and record every Enter.
struct CommandRows {
    struct Run {
        int item;
        int index;
        int key;
        int parentItem;  // the parent capsule's cell, -1 without one
        void* control;
    };

    CommandRows();
    ~CommandRows();

    static const ItemRegistry& Registry();
    void Set(int item, int index, uint8_t bits, std::string caption = {});

    std::map<std::pair<int, int>, std::pair<uint8_t, std::string>> states;
    std::vector<Run> enters;
    // By item code: the parent capsule's cell item of the last state query, -1 without one.
    std::map<int, int> queryParents;
};

}  // namespace testsupport
