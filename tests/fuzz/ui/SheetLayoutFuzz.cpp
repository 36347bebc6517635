// The sheet directives and loops of the layout table: the input is a sheet of its own (its
// class, arguments, style, template cell and cell lines) put before the program's table, built
// over a new document of a model type and painted. A layout the program refuses ends with its
// fatal box; any other builds a cell array within bounds whose rows all come from row lines of
// its section.
#include <QVBoxLayout>
#include <QWidget>
#include <fstream>
#include <iterator>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "common/cmcGTex.h"
#include "radio/memmap/indActiveCell.h"
#include "radio/sheet/SheetCells.h"
#include "tests/fuzz/FuzzSupport.h"
#include "tests/fuzz/InputReader.h"
#include "tests/fuzz/ui/ProgramRig.h"
#include "ui/sheet/SheetFactory.h"
#include "ui/sheet/cuiSheet.h"

namespace {

constexpr int kModelTypes = 5;
constexpr int kFirstCellLine = 5;  // of the table: after the style and template sections
const char* const kStyles[] = {"", "St_Common", "St_ChBank"};

// The program's own table, read once.
const std::vector<std::string>& ProgramLines() {
    static const std::vector<std::string> lines = [] {
        std::ifstream in(MERROW_DATA_DIR "/Tarnwick.OVL", std::ios::binary);
        const std::string text((std::istreambuf_iterator<char>(in)),
                               std::istreambuf_iterator<char>());
        return fuzz::Lines(text);
    }();
    return lines;
}

// The sheet "Fz": its sections from the input's lines (style, template cell, then cell lines),
// then the program's table.
std::vector<std::string> TableLines(const std::vector<std::string>& input) {
    std::vector<std::string> lines = {"#Fz_Style", input.size() > 0 ? input[0] : "",
                                      "#Fz_BasicCell", input.size() > 1 ? input[1] : "",
                                      "#Fz_Cells"};
    for (size_t i = 2; i < input.size(); ++i) {
        lines.push_back(input[i]);
    }
    const std::vector<std::string>& program = ProgramLines();
    lines.insert(lines.end(), program.begin(), program.end());
    return lines;
}

// Every row was read from a row line of the section, never a directive line or the end.
void CheckRows(const cuiSheet& sheet, const std::vector<std::string>& lines) {
    const cuiSheetCells& cells = sheet.Cells();
    fuzz::Check(static_cast<long long>(cells.Cols()) * cells.Rows() <= SheetCells::kMaxCells,
                "a sheet holds no more cells than a cell array may");
    for (int row = 0; row < cells.Rows(); ++row) {
        int source = 0;
        try {
            source = sheet.RowSourceLine(row);
        } catch (const std::out_of_range&) {
            return;  // the spare rows of the bank sheet, read from no line
        }
        const size_t at = kFirstCellLine + static_cast<size_t>(source);
        fuzz::Check(at < lines.size() && !lines[at].starts_with(':') && !lines[at].starts_with('#'),
                    "a row comes from a row line of its section");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::ProgramRig& rig = fuzz::ProgramRig::Get();
    static QWidget* panel = [] {
        auto* made = new QWidget;
        new QVBoxLayout(made);
        made->resize(640, 480);
        return made;
    }();
    fuzz::InputReader input(data, size);
    const char* style = kStyles[input.Number(0, 2)];
    rig.NewDocument(static_cast<ModelType>(input.Number(0, kModelTypes - 1)));
    const std::string args = input.TextUntil('\n');
    const std::vector<std::string> lines = TableLines(fuzz::Lines(input.Rest()));
    std::vector<const char*> pointers;
    for (const std::string& line : lines) {
        pointers.push_back(line.c_str());
    }
    cmcGTex table;
    table.SetLines(pointers.data(), static_cast<int>(pointers.size()));
    std::unique_ptr<cuiSheet> sheet = MakeSheetOfStyle(style, panel, table, "Fz", nullptr);
    sheet->SetArgs(args);
    sheet->SetCellHandler(
        [dispatcher = indActiveCell()](cmcCellCapsule& capsule, int notify) mutable {
            return dispatcher.DispatchItem(capsule, notify);
        });
    try {
        sheet->Show();
        CheckRows(*sheet, lines);
        fuzz::ProgramRig::PaintAll(*sheet);
    } catch (const platform::FatalError&) {
    }
    return 0;
}
