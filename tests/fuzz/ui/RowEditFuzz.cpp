// Edits through the rows of the program's sheets on a random document: the input puts bytes
// into a new document anywhere (the working tables too), opens one of the sheets its model
// type shows and works its cells as a user does: keys, typed text, answers of the pop-up
// editors and the pop-up menu's commands. A key, a text or an answer on a plain row (its field
// in the image, no rule of its own, nothing derived after a change) changes no bit outside
// that field, also when the pop-ups close; time passing changes nothing.
#include <algorithm>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "common/CurrentEvMan.h"
#include "common/cmcEvMan.h"
#include "radio/cells/CellCodes.h"
#include "radio/cells/cmcCellCapsule.h"
#include "radio/cells/cmcCellObj.h"
#include "radio/image/ImageLayout.h"
#include "radio/memmap/ItemRegistry.h"
#include "radio/memmap/indActiveCell.h"
#include "radio/packing/ImageFinalise.h"
#include "tests/fuzz/FuzzSupport.h"
#include "tests/fuzz/InputReader.h"
#include "tests/fuzz/ui/ProgramRig.h"
#include "ui/sheet/cuiSheet.h"

namespace {

using Bytes = std::vector<uint8_t>;

constexpr int kModelTypes = 5;
constexpr int kMaxActions = 48;
constexpr int kSpecialKeys[] = {kKeyBackspace,   kKeyEnter, kKeyEscape,      kKeySpace,
                                kKeyDoubleClick, kKeyLeft,  kKeyUp,          kKeyRight,
                                kKeyDown,        0x2E00,    0x7000 /* F1 */, 0x7100};

Bytes Snapshot(indMain& main) {
    const cmcEeprom& image = main.CurrentImage();
    return {image.GetData(), image.GetData() + image.GetSize()};
}

void PutBytes(fuzz::InputReader& input, cmcEeprom& image) {
    const int patches = input.Number(0, 64);
    for (int n = 0; n < patches; ++n) {
        const bool run = input.Flag();
        const int address = input.Number(0, layout::kImageSize - 1);
        const int length = run ? input.Number(1, 64) : 1;
        for (int i = 0; i < length && address + i < image.GetSize(); ++i) {
            image.SetByte(address + i, input.Byte());
        }
    }
}

// The image bytes a place covers at the index, with their bits: none for a place outside the
// image.
struct Footprint {
    int index;
    std::vector<std::pair<int, uint8_t>> bits;

    void Allow(int address, uint8_t mask) { bits.emplace_back(address, mask); }
    void AllowBytes(int address, int count) {
        for (int i = 0; i < count; ++i) {
            Allow(address + i, 0xFF);
        }
    }

    void operator()(const memmap::ImageBits& f) { Allow(f.address.At(index), f.bits.Mask()); }
    void operator()(const memmap::ImageWord& f) { AllowBytes(f.address.At(index), 2); }
    void operator()(const memmap::ImageLong& f) { AllowBytes(f.address.At(index), 4); }
    void operator()(const memmap::ImageBytes& f) { AllowBytes(f.address.At(index), f.length); }
    void operator()(const memmap::ImageMapBit& f) {
        Allow(f.address.At(index) + f.bit / 8, static_cast<uint8_t>(0x80 >> (f.bit % 8)));
    }
    void operator()(const memmap::ImageNibbles& f) {
        for (int i = 0; i < f.count; ++i) {
            Allow(f.address.At(index) + i / 2, i % 2 == 0 ? 0xF0 : 0x0F);
        }
    }
    template <class Elsewhere>
    void operator()(const Elsewhere&) {}
};

// The bits of the image a plain row's field covers at the index; none for any other row, whose
// changes are not judged here.
Bytes FieldBits(const ItemRow* row, const cmcCellObj& cell, int size) {
    if (!row || row->special || row->afterChange || row->ownRecord != RK_None ||
        cell.category == CT_Mch) {
        return {};
    }
    Footprint footprint{cell.index, {}};
    std::visit(footprint, row->field.place);
    if (footprint.bits.empty()) {
        return {};
    }
    // A key's function brings its option level and, for the scrambler, its port with it.
    if (std::holds_alternative<KeyAssignParams>(row->editor)) {
        footprint.bits.emplace_back(layout::kKeyOptionBits, 0xE0);
        footprint.bits.emplace_back(layout::kScramblerPort, layout::kScramblerPortMask);
    }
    Bytes allowed(static_cast<size_t>(size), 0);
    for (const auto& [address, bits] : footprint.bits) {
        if (address >= 0 && address < size) {
            allowed[static_cast<size_t>(address)] |= bits;
        }
    }
    return allowed;
}

void CheckWithin(const Bytes& before, const Bytes& after, const Bytes& allowed) {
    if (allowed.empty()) {
        return;
    }
    for (size_t a = 0; a < before.size(); ++a) {
        fuzz::Check(((before[a] ^ after[a]) & ~allowed[a]) == 0,
                    "an edit changes no bit outside its row's field");
    }
}

struct Place {
    int col;
    int row;
};

std::vector<Place> ItemCells(const cuiSheet& sheet) {
    std::vector<Place> places;
    const cuiSheetCells& cells = sheet.Cells();
    for (int row = 0; row < cells.Rows(); ++row) {
        for (int col = 0; col < cells.Cols(); ++col) {
            const int item = cells.At(col, row).cell.item;
            if (item != 0 && item != kItemNone) {
                places.push_back({col, row});
            }
        }
    }
    return places;
}

int TakeKey(fuzz::InputReader& input) {
    const int choice = input.Number(0, 255 + static_cast<int>(std::size(kSpecialKeys)));
    return choice < 256 ? choice : kSpecialKeys[choice - 256];
}

// A pop-up's answer as the pop-ups hand it back: a copy of the caller's cell run with the
// chosen cell as its parent.
void Answer(const cmcCellObj& caller, fuzz::InputReader& input) {
    cmcCellObj chosen;
    chosen.item = input.Number(Flex0, FlexScrmPort);
    chosen.index = input.Number(-1, 1000);
    cmcCellCapsule list;
    list.cell = &chosen;
    cmcCellObj copy = caller;
    cmcCellCapsule capsule;
    capsule.cell = &copy;
    capsule.parent = &list;
    capsule.inputMode = kInputPopupAnswer;
    capsule.inText = input.TextUntil('\n');
    indActiveCell().DispatchItem(capsule, 1);
}

// One action on the cell; false for the pop-up menu's commands, which act on whole records.
bool Act(cuiSheet& sheet, const Place& place, fuzz::InputReader& input) {
    switch (input.Number(0, 3)) {
        case 0:
            sheet.RunCell(place.col, place.row, TakeKey(input), 0);
            return true;
        case 1: {
            const std::string text = input.TextUntil('\n');
            sheet.RunCell(place.col, place.row, kKeyEnter, 0, &text);
            return true;
        }
        case 2:
            Answer(sheet.Cells().At(place.col, place.row).cell, input);
            return true;
        default:
            sheet.RunCell(place.col, place.row, 0, input.Number(CL_PMenu_NoItem, CL_PMenu_Insert));
            return false;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::ProgramRig& rig = fuzz::ProgramRig::Get();
    indMain& main = rig.Main();
    fuzz::InputReader input(data, size);
    rig.NewDocument(static_cast<ModelType>(input.Number(0, kModelTypes - 1)));
    PutBytes(input, main.CurrentImage());
    // The working tables follow from the radio part, as for every image the program takes in
    // (a file or a radio can never hand it, say, a bank of 5,000 channels); a radio part whose
    // packed area is unsound is refused there, so a new document stands in for it.
    if (main.FinaliseImage(main.CurrentImage(), FINALISE_TakenIn) != PACK_Ok) {
        rig.NewDocument(main.CurrentModelType());
    }
    const std::vector<std::string> specs = rig.SheetSpecs();
    rig.Open(specs[static_cast<size_t>(input.Number(0, 255)) % specs.size()]);
    for (int n = 0; n < kMaxActions && !input.Empty(); ++n) {
        cuiSheet* sheet = main.OpenedSheet();
        if (!sheet) {
            break;
        }
        const std::vector<Place> places = ItemCells(*sheet);
        if (places.empty()) {
            break;
        }
        const Place place = places[static_cast<size_t>(input.Number(0, 65535)) % places.size()];
        const cmcCellObj cell = sheet->Cells().At(place.col, place.row).cell;
        const Bytes allowed =
            FieldBits(ItemRegistry::Program().Find(cell.item), cell, main.CurrentImage().GetSize());
        const Bytes before = Snapshot(main);
        const bool judged = Act(*sheet, place, input);
        if (cmcEvMan* bus = CurrentEvMan()) {
            bus->Send(EV_ClosePopups);
        }
        const Bytes after = Snapshot(main);
        if (judged) {
            CheckWithin(before, after, allowed);
        }
        rig.Advance(10);
        fuzz::Check(Snapshot(main) == after, "time passing changes nothing");
    }
    return 0;
}
