#include "tests/fuzz/ui/ProgramRig.h"

#include <unistd.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTreeWidget>
#include <filesystem>

#include "platform/ProgramInfo.h"
#include "tests/fuzz/FuzzSupport.h"
#include "ui/sheet/cuiSheet.h"
#include "ui/sheet/iuiTree.h"
#include "ui/widgets/cuiGrid.h"

namespace fuzz {

namespace {

constexpr int kStepMs = 10;

// The one application of the process, on the offscreen platform unless another is asked for.
void EnsureApplication() {
    if (QApplication::instance()) {
        return;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    static int argc = 1;
    static char name[] = "tarnwick";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);
}

}  // namespace

ProgramRig& ProgramRig::Get() {
    // Never destroyed: the program's window lives as long as the process.
    static ProgramRig* rig = new ProgramRig;
    return *rig;
}

ProgramRig::ProgramRig() {
    // Qt keeps its runtime files in the same folder and wants it private.
    std::filesystem::permissions(runtime_.Path(), std::filesystem::perms::owner_all);
    RemoveAtExit(runtime_.Path().string());
    EnsureApplication();
    platform::SetProgramPath(MERROW_DATA_DIR "/tarnwick");
    main_ = std::make_unique<indMain>(settings_, table_, help_);
    form_ = std::make_unique<TForm1>(*main_, settings_, table_);
    QApplication::processEvents();
    main_->EnterMakerMode();
    for (int n = 0; n < 2; ++n) {
        scratch_.push_back(
            (std::filesystem::temp_directory_path() /
             ("merrow-fuzz-" + std::to_string(getpid()) + "-" + std::to_string(n) + ".tov"))
                .string());
        RemoveAtExit(scratch_.back());
    }
}

void ProgramRig::NewDocument(ModelType model) {
    main_->CloseSheet();
    main_->ClearModified();
    if (main_->CurrentModelType() != model) {
        main_->ChooseModel(model);
    } else {
        main_->FileNew();
    }
    main_->ChannelClipboard().Clear();
    Advance(20);
}

std::vector<std::string> ProgramRig::SheetSpecs() const {
    std::vector<std::string> specs;
    for (const QTreeWidgetItem* node : main_->Tree()->Nodes()) {
        const cmcCellObj* cell = cuiTree::CellOf(node);
        if (cell && cell->optionText) {
            specs.push_back(*cell->optionText);
        }
    }
    return specs;
}

cuiSheet& ProgramRig::Open(const std::string& spec) {
    main_->OpenSheet(spec);
    return *main_->OpenedSheet();
}

void ProgramRig::PaintAll(cuiSheet& sheet) {
    const cuiSheetCells& cells = sheet.Cells();
    cuiGrid* grid = sheet.Grid();
    QImage image(256, 64, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    for (int row = 0; row < cells.Rows(); ++row) {
        for (int col = 0; col < cells.Cols(); ++col) {
            sheet.DrawCell(painter, col, row,
                           QRect(0, 0, grid->ColWidth(col), grid->RowHeight(row)));
        }
    }
}

void ProgramRig::Advance(int ms) {
    for (int passed = 0; passed < ms; passed += kStepMs) {
        time_.Advance(kStepMs);
        QApplication::processEvents();
    }
}

const std::string& ProgramRig::ScratchFile(int n) const {
    return scratch_.at(static_cast<size_t>(n));
}

}  // namespace fuzz
