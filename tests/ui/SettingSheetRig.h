#pragma once

#include <QWidget>
#include <map>
#include <memory>
#include <string>

#include "common/cmcGTex.h"
#include "radio/ModelType.h"
#include "radio/indActiveCell.h"
#include "tests/support/ScopedInstall.h"
#include "tests/ui/UiRig.h"
#include "ui/cuiSheet.h"

namespace testsupport {

// A sheet of the program's own table, built offscreen over the initial clone file of a model
// type, with the program's memory map as its cell handler: what each cell painted is kept, and
// keys go to the real grid.
class SettingSheetRig {
public:
    struct Painted {
        std::string text;
        uint32_t colour = 0;
    };

    explicit SettingSheetRig(ModelType model = MT_Pmr);

    // The document becomes the initial file of the model type, which becomes the shell's.
    void LoadInitialFile(ModelType model);
    // Opens the sheet (closing the one before) and paints it.
    void Open(const std::string& name);
    void Repaint();
    // The cell of the item (the first one) becomes current; then the key goes to the grid.
    // False when the sheet has no cell of the item.
    bool Press(int item, Qt::Key key);
    // Draws the window to <folder>/<name>.png.
    bool SaveScreenshot(const std::string& folder, const std::string& name);

    UiRig ui;
    cmcGTex table;
    ScopedMainGTex tableInstalled{&table};
    indActiveCell dispatcher;
    QWidget window;
    std::unique_ptr<cuiSheet> sheet;
    std::map<int, Painted> painted;  // by item code: the last cell of it painted
};

}  // namespace testsupport
