#include "tests/radio/support/CellRig.h"

#include "common/CurrentEvMan.h"
#include "common/MainGTex.h"
#include "radio/memmap/indActiveCell.h"

namespace radiotest {

CellRig::CellRig(const ItemRegistry& rows, std::span<const char* const> lines) : rows_(rows) {
    if (lines.empty()) {
        table.SetFileName(MERROW_DATA_DIR "/Tarnwick.OVL");
    } else {
        table.SetLines(lines.data(), static_cast<int>(lines.size()));
    }
    bus.AddListener(OnEvent, this);
}

CellRig::~CellRig() = default;

void CellRig::OnEvent(void* data, const cmcEvent& event) {
    static_cast<CellRig*>(data)->events.push_back(event.type);
}

void CellRig::At(int item, int index, int category) {
    cell.item = item;
    cell.index = index;
    cell.category = category;
}

void CellRig::Prepare(cmcCellCapsule& capsule) {
    capsule.cell = &cell;
    capsule.control = &control_;
    capsule.onEditText = [this](cmcCellCapsule*, int) { ++editorOpenings; };
}

CellRig::Run CellRig::Dispatch(cmcCellCapsule& capsule) {
    Run run;
    run.redraw = -1;
    capsule.onChanged = [&run](cmcCellCapsule*, int flags) { run.redraw = flags; };
    run.request = indActiveCell(rows_).DispatchItem(capsule, 1);
    run.text = capsule.outText;
    run.selStart = capsule.selStart;
    run.selLength = capsule.selLength;
    bus.Pump();
    return run;
}

std::string CellRig::Paint() {
    cmcCellCapsule capsule;
    Prepare(capsule);
    canvas_.SetTextColour(0);
    capsule.canvas = &canvas_;
    indActiveCell(rows_).DispatchItem(capsule, 0);
    marks_ = capsule.marks & (kMarkWarning | kMarkError);
    return capsule.outText;
}

CellRig::Run CellRig::Key(int key) {
    cmcCellCapsule capsule;
    Prepare(capsule);
    capsule.key = key;
    return Dispatch(capsule);
}

CellRig::Run CellRig::Type(const std::string& text) {
    cmcCellCapsule capsule;
    Prepare(capsule);
    capsule.inputMode = kInputText;
    capsule.inText = text;
    return Dispatch(capsule);
}

CellRig::Run CellRig::Answer(int answerItem, int value, const std::string& text) {
    cmcCellObj chosen;
    chosen.item = answerItem;
    chosen.index = value;
    cmcCellCapsule list;
    list.cell = &chosen;
    cmcCellCapsule capsule;
    Prepare(capsule);
    capsule.parent = &list;
    capsule.inputMode = kInputPopupAnswer;
    capsule.inText = text;
    return Dispatch(capsule);
}

}  // namespace radiotest
