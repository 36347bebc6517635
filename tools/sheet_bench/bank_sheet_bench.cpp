// Opens the largest channel-bank sheet of the program's own table, the channels of the PMR type
// with MSK (every signalling column), over a bank of 256 channels, on a shown panel of
// 1280 x 900 pixels: reading the layout, placing the cells and the first paint of the panel,
// every cell rendered by the program's memory map. Target: under 10 ms. Part of
// build/tools/sheet_bench/sheet_bench; --benchmark_filter=BM_OpenFullBankSheet runs it alone.

#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <QWidget>
#include <memory>
#include <string>

#include "common/CurrentEvMan.h"
#include "common/MainGTex.h"
#include "common/cmcEvMan.h"
#include "common/cmcGTex.h"
#include "platform/Timer.h"
#include "platform/qt/QtTimerBackend.h"
#include "tools/sheet_bench/BenchShell.h"
#include "tools/sheet_bench/FullBank.h"
#include "ui/sheet/iuiSh_ChBank.h"

namespace {

// The sheet on the main window's panel, which stays while sheets come and go; the first paint
// of the window follows.
std::unique_ptr<iuiSh_ChBank> Open(QWidget& panel, cmcGTex& table, QImage& image) {
    auto sheet = std::make_unique<iuiSh_ChBank>(&panel, nullptr, 0, 0, table, "GI_Sheet_Mch_PMRV");
    sheet->SetArgs("Bank 0");
    sheet->Show();
    QPainter painter(&image);
    panel.render(&painter);
    return sheet;
}

void BM_OpenFullBankSheet(benchmark::State& state) {
    BenchShell shell(MT_VaskPmr);
    FillBank(shell.image, MT_VaskPmr);
    InstallShell(&shell);
    cmcGTex table;
    table.SetFileName(MERROW_DATA_DIR "/Tarnwick.OVL");
    InstallMainGTex(&table);
    platform::qt::QtTimerBackend timers;
    platform::InstallTimers(&timers);
    auto bus = std::make_unique<cmcEvMan>();
    InstallEvMan(bus.get());
    QImage image(1280, 900, QImage::Format_RGB32);
    QWidget panel;
    panel.resize(image.size());
    panel.show();
    for (auto _ : state) {
        auto sheet = Open(panel, table, image);
        state.PauseTiming();
        sheet.reset();
        state.ResumeTiming();
    }
    InstallEvMan(nullptr);
    bus.reset();
    platform::InstallTimers(nullptr);
    InstallMainGTex(nullptr);
    InstallShell(nullptr);
}

BENCHMARK(BM_OpenFullBankSheet)->Unit(benchmark::kMillisecond);

}  // namespace
