#pragma once

#include <QWidget>
#include <Qt>
#include <cstdint>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <utility>

#include "common/cmcGTex.h"
#include "radio/image/ModelType.h"
#include "radio/memmap/indActiveCell.h"
#include "tests/support/ScopedInstall.h"
#include "tests/ui/support/UiRig.h"
#include "ui/paint/TreeImages.h"
#include "ui/paint/cuiImageList.h"
#include "ui/sheet/cuiSheet.h"

namespace testsupport {

// A sheet of the program's own table built offscreen over the initial clone file of a model
// type, with the dispatcher as its handler. It notes what each cell with an item painted, and
// works the real grid: keys on a cell, text typed into its in-place editor.
class SettingSheetRig {
public:
    struct Painted {
        std::string text;
        uint32_t colour = 0;
        uint8_t marks = 0;
    };
    using CellKey = std::pair<int, int>;  // item, index

    // The window is width x height: big enough for the rows a test reads, since a cell out
    // of sight is not painted.
    explicit SettingSheetRig(ModelType model, int width = 760, int height = 320);

    // Opens the sheet of a spec (its style word chooses the sheet class) and paints it once.
    void Open(const std::string& name);
    void Repaint();
    // The cell of the item and index becomes current; then the key goes to the grid.
    void Press(int item, int index, Qt::Key key);
    void Press(int item, Qt::Key key) { Press(item, 0, key); }
    // Enter opens the cell's in-place editor; the text replaces its own and Enter commits.
    void Type(int item, int index, const char* text);
    // What the cell painted last (an empty note when it did not paint).
    const Painted& At(int item, int index = 0) { return painted[{item, index}]; }
    // With the environment variable naming a folder, opens each sheet and saves the window to
    // <folder>/<sheet>.png; false when the variable is not set.
    bool SaveSheets(const char* variable, std::span<const char* const> names);

    UiRig rig;
    cmcGTex table;
    ScopedMainGTex tableInstalled{&table};
    indActiveCell dispatcher;
    QWidget window;
    // The main window's tree pictures, whose warning and error pictures mark the cells.
    cuiImageList images = TreeImages();
    std::unique_ptr<cuiSheet> sheet;
    std::map<CellKey, Painted> painted;

private:
    void LoadInitialFile(ModelType model);
    void MoveTo(int item, int index);
};

}  // namespace testsupport
