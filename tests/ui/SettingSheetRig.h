#pragma once

#include <QWidget>
#include <map>
#include <memory>
#include <string>
#include <utility>

#include <Qt>

#include "common/cmcGTex.h"
#include "radio/ModelType.h"
#include "radio/indActiveCell.h"
#include "tests/support/ScopedInstall.h"
#include "tests/ui/UiRig.h"
#include "ui/cuiSheet.h"

namespace testsupport {

// A sheet of the program's own joined table, built offscreen over the model type's initial
// clone file with the memory map answering its cells: what each cell painted, keys on the
// real grid, and a picture of the window.
class SettingSheetRig {
public:
    struct Painted {
        std::string text;
        uint32_t colour = 0;
    };

    explicit SettingSheetRig(ModelType model = MT_Pmr);

    // Opens the sheet and paints it, noting what each cell painted.
    void Open(const std::string& name);
    void Repaint();
    // The cell of the item and index becomes current; then the key goes to the grid.
    void Press(int item, Qt::Key key, int index = 0);
    // What the cell of the item and index painted last.
    const Painted& At(int item, int index = 0);
    const std::map<std::pair<int, int>, Painted>& Cells() const { return painted_; }
    // Saves a picture of the window to <folder>/<name>.png; false when it could not.
    bool SaveShot(const std::string& folder, const std::string& name);

    UiRig rig;
    cmcGTex table;
    ScopedMainGTex tableInstalled{&table};
    indActiveCell dispatcher;
    QWidget window;
    std::unique_ptr<cuiSheet> sheet;

private:
    std::map<std::pair<int, int>, Painted> painted_;
};

}  // namespace testsupport
