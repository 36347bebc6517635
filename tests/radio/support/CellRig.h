#pragma once

#include <span>
#include <string>
#include <vector>

#include "common/cmcCanvas.h"
#include "common/cmcEvMan.h"
#include "common/cmcGTex.h"
#include "radio/cells/cmcCellCapsule.h"
#include "radio/cells/cmcCellObj.h"
#include "radio/memmap/ItemRegistry.h"
#include "tests/support/FakeShell.h"
#include "tests/support/RecordingBoxes.h"
#include "tests/support/ScopedInstall.h"
#include "tests/support/VirtualTime.h"

namespace radiotest {

// A canvas that keeps the text colour a cell asked for.
class ColourCanvas : public cmcCanvas {
public:
    int TextWidth(std::string_view line) const override { return static_cast<int>(line.size()); }
    int TextHeight(std::string_view) const override { return 1; }
    void FillRect(const WindowRect&, uint32_t) override {}
    void FillPolygon(const std::vector<CanvasPoint>&, uint32_t) override {}
    void SetTextColour(uint32_t colour) override { colour_ = colour; }
    uint32_t GetTextColour() const override { return colour_; }

private:
    uint32_t colour_ = 0;
};

// Cells run through the dispatcher on an image fixture as a sheet runs them: painted (with a
// canvas), keys pressed, text committed from the in-place editor and pop-up answers handed
// back. The main text table is the program's joined table unless a test gives lines.
class CellRig {
public:
    struct Run {
        int request = 0;
        std::string text;
        int selStart = 0;
        int selLength = 0;
        int redraw = 0;  // the flags handed to onChanged, -1 when it was not called
    };

    // lines: the main text table; the program's joined table when there are none.
    explicit CellRig(const ItemRegistry& rows = ItemRegistry::Program(),
                     std::span<const char* const> lines = {});
    ~CellRig();
    CellRig(const CellRig&) = delete;
    CellRig& operator=(const CellRig&) = delete;

    // The cell the next runs work on.
    void At(int item, int index = 0, int category = kCategoryNone);
    // Painting (notify 0): the text, and the colour the cell painted in (0 when it set none).
    std::string Paint();
    uint32_t PaintedColour() const { return canvas_.GetTextColour(); }
    // The warning and error marks the last paint set.
    uint8_t PaintedMarks() const { return marks_; }
    Run Key(int key);
    Run Type(const std::string& text);
    // A pop-up's answer: the chosen cell carries the answer item and value; the bit-set and
    // text editors hand their text in as well.
    Run Answer(int answerItem, int value, const std::string& text = "");

    testsupport::VirtualTime time;
    testsupport::RecordingBoxes boxes;
    testsupport::FakeShell shell;
    cmcGTex table;
    cmcEvMan bus;
    testsupport::ScopedMainGTex tableInstalled{&table};
    testsupport::ScopedEvMan busInstalled{&bus};
    cmcCellObj cell;
    std::vector<int> events;  // event types posted and pumped
    int editorOpenings = 0;   // calls of the edit closure

private:
    Run Dispatch(cmcCellCapsule& capsule);
    void Prepare(cmcCellCapsule& capsule);
    static void OnEvent(void* data, const cmcEvent& event);

    const ItemRegistry& rows_;
    ColourCanvas canvas_;
    int control_ = 0;  // the cells sit in a control: its address stands for it
    uint8_t marks_ = 0;
};

}  // namespace radiotest
