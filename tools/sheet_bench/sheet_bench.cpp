// Opens a sheet of 266 rows by 30 columns (build, place, first full paint) and repaints it;
// bank_sheet_bench.cpp adds the largest channel-bank sheet.
// The cells render through the item dispatcher, as in the program.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "common/cmcGTex.h"
#include "radio/cells/CellCodes.h"
#include "radio/image/ImageLayout.h"
#include "radio/memmap/ItemRegistry.h"
#include "radio/memmap/indActiveCell.h"
#include "tools/sheet_bench/BenchShell.h"
#include "ui/sheet/cuiSheet.h"

namespace {

constexpr int kCols = 30;
constexpr int kRows = 266;

int ShowIndex(ItemContext& context, const ItemRow&) {
    context.capsule.outText = std::to_string(context.index * 125 + 4000000);
    return 0;
}

const ItemRow kRows_[] = {memmap::Special(CL_FBits, ShowIndex)};
const ItemRegistry kRegistry{kRows_};

// A header row and a one-row loop over the other 265 rows, every row cell bound to an item.
class BenchTable {
public:
    BenchTable() {
        Add("#Big_Style");
        Add("(FixedCols=1)(FixedRows=1)");
        Add("#Big_BasicCell");
        Add("{<-(Font=,Liberation Sans,clWindowText,-13,,,)}");
        Add("#Big_Cells");
        std::string header;
        std::string row;
        for (int col = 0; col < kCols; ++col) {
            header += "{^-WHB(Color=clBtnFace)}Col " + std::to_string(col) + "|";
            row += "{S>-WHB(%CT_Null.CL_FBits[0])}000.00000|";
        }
        Add(header);
        Add(":(LoopFrom " + std::to_string(kRows - 1) + ")");
        Add(row);
        Add(":(LoopTo)");
        Add("#End_Of_Ovl");
        for (const std::string& line : lines_) {
            pointers_.push_back(line.c_str());
        }
        table.SetLines(pointers_.data(), static_cast<int>(pointers_.size()));
    }

    cmcGTex table;

private:
    void Add(std::string line) { lines_.push_back(std::move(line)); }
    std::vector<std::string> lines_;
    std::vector<const char*> pointers_;
};

struct Opened {
    QWidget host;
    std::unique_ptr<cuiSheet> sheet;
};

std::unique_ptr<Opened> Open(cmcGTex& table) {
    auto opened = std::make_unique<Opened>();
    opened->host.resize(1280, 900);
    opened->sheet = std::make_unique<cuiSheet>(&opened->host, nullptr, 0, 0, table, "Big");
    opened->sheet->SetCellHandler([](cmcCellCapsule& capsule, int notify) {
        return indActiveCell(kRegistry).DispatchItem(capsule, notify);
    });
    opened->sheet->Show();
    opened->host.show();
    return opened;
}

void Paint(Opened& opened, QImage& image) {
    QPainter painter(&image);
    opened.host.render(&painter);
}

void BM_OpenSheet(benchmark::State& state) {
    BenchShell shell;
    InstallShell(&shell);
    BenchTable table;
    QImage image(1280, 900, QImage::Format_RGB32);
    for (auto _ : state) {
        auto opened = Open(table.table);
        Paint(*opened, image);
        state.PauseTiming();
        opened.reset();
        state.ResumeTiming();
    }
    InstallShell(nullptr);
}

void BM_RepaintSheet(benchmark::State& state) {
    BenchShell shell;
    InstallShell(&shell);
    BenchTable table;
    QImage image(1280, 900, QImage::Format_RGB32);
    auto opened = Open(table.table);
    for (auto _ : state) {
        Paint(*opened, image);
    }
    opened.reset();
    InstallShell(nullptr);
}

BENCHMARK(BM_OpenSheet)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RepaintSheet)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
