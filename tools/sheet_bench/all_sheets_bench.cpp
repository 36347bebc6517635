// Opens every sheet of every model type as the program does, and times each open with its first
// paint, and the image debug window. Benchmark, not a test: build/tools/sheet_bench/
// all_sheets_bench [ROUNDS [FILTER]] (scripts/sheet-benchmark).
//
// The program's window is built offscreen over its own tables (1280 x 960 pixels); for each model
// type the model's initial image gets 256 channels in bank 0 (every signalling field set), and
// each sheet the tree offers, in normal mode and then in maker mode (the sheets of maker mode
// only), is opened ROUNDS times (default 7): from the open to the window updated. The image
// debug window is opened as often, from the bus's request to the window painted; its first open
// in the process is shown apart. With FILTER only the pairs whose name holds it are timed.
// Prints the count of sheet/model pairs, the five slowest by median, and exits 1 when a sheet's
// median is past 10 ms or the debug window's past 16 ms.

#include <unistd.h>

#include <QApplication>
#include <QDialog>
#include <QFrame>
#include <QImage>
#include <QPainter>
#include <QPointer>
#include <QTreeWidgetItem>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "common/CurrentEvMan.h"
#include "common/cmcEvMan.h"
#include "common/cmcEventTypes.h"
#include "platform/MessageBox.h"
#include "platform/ProgramInfo.h"
#include "platform/SettingsStore.h"
#include "platform/Timer.h"
#include "platform/qt/QtSettingsStores.h"
#include "platform/qt/QtTimerBackend.h"
#include "radio/cells/cmcCellObj.h"
#include "radio/image/ImageLayout.h"
#include "tools/sheet_bench/FullBank.h"
#include "ui/sheet/iuiTree.h"
#include "ui/shell/TForm1.h"
#include "ui/shell/TarnwickGlobals.h"
#include "ui/shell/indMain.h"

namespace {

constexpr double kSheetTargetMs = 10.0;
constexpr double kDebugWindowTargetMs = 16.0;
constexpr int kWindowWidth = 1280;
constexpr int kWindowHeight = 960;
constexpr int kShownWorst = 5;
constexpr char kDebugWindow[] = "image debug window";

constexpr ModelType kModels[] = {MT_Lmr, MT_Pmr, MT_VaskPmr, MT_MdcLmr, MT_MdcPmr};
constexpr const char* kModelNames[] = {"LMR", "PMR", "Vask PMR", "LMR MDC", "PMR MDC"};

// Every question is answered Ok (changing the model type, entering maker mode); a box that
// only informs counts as a fault of the run.
class BenchBoxes : public platform::MessageBoxes {
public:
    platform::BoxAnswer Show(const std::string& text, const std::string&, platform::BoxIcon,
                             platform::BoxButtons buttons) override {
        if (buttons == platform::BoxButtons::Ok) {
            std::fprintf(stderr, "box: %s\n", text.c_str());
            ++unexpected;
        }
        return buttons == platform::BoxButtons::YesNo ||
                       buttons == platform::BoxButtons::YesNoCancel
                   ? platform::BoxAnswer::Yes
                   : platform::BoxAnswer::Ok;
    }
    [[noreturn]] void FatalEnd(const std::string& text, const std::string&) override {
        std::fprintf(stderr, "fatal: %s\n", text.c_str());
        std::exit(2);
    }

    int unexpected = 0;
};

double Milliseconds(std::chrono::steady_clock::duration span) {
    return std::chrono::duration<double, std::milli>(span).count();
}

// Not inlined, so that a profiler can collect inside the timed parts alone
// (valgrind --tool=callgrind --toggle-collect='*TimeOf*').
template <typename Action>
[[gnu::noinline]] double TimeOf(Action action) {
    const auto start = std::chrono::steady_clock::now();
    action();
    return Milliseconds(std::chrono::steady_clock::now() - start);
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void Paint(QWidget& widget) {
    QImage image(widget.size(), QImage::Format_RGB32);
    QPainter painter(&image);
    widget.render(&painter);
}

struct Timing {
    std::string what;
    double median = 0;
    double worst = 0;
};

class Bench {
public:
    Bench(int rounds, std::string filter) : rounds_(rounds), filter_(std::move(filter)) {
        globals_ = std::make_unique<TarnwickGlobals>(indEnviron::ScreenSize{1920, 1080});
        form_ = std::make_unique<TForm1>(app(), globals_->Settings(), globals_->Table());
        form_->resize(kWindowWidth, kWindowHeight);
        Settle();
    }
    ~Bench() {
        globals_.reset();
        form_.reset();
    }

    void SweepSheets(const char* mode) {
        for (size_t m = 0; m < std::size(kModels); ++m) {
            app().ChangeModel(kModels[m], true);
            FillBank(app().CurrentImage(), kModels[m]);
            app().PackImage();
            CurrentEvMan()->Send(EV_ModelChanged);
            Settle();
            for (const std::string& spec : SheetSpecs()) {
                const std::string what = std::string(kModelNames[m]) + " " + spec;
                if (timed_.insert(what).second && what.find(filter_) != std::string::npos) {
                    sheets.push_back(TimeSheet(what + mode, spec));
                }
            }
        }
    }

    void TimeDebugWindow() {
        std::vector<double> times;
        for (int round = 0; round < rounds_; ++round) {
            QPointer<QDialog> window;
            times.push_back(TimeOf([&] {
                CurrentEvMan()->Send(EV_OpenEeDebugWindow);
                window = NewestDebugWindow();
                QApplication::sendPostedEvents();
                Paint(*window);
            }));
            delete window;
            Settle();
        }
        firstDebugWindow = times.front();
        debugWindow = {kDebugWindow, Median(times), *std::max_element(times.begin(), times.end())};
    }

    void EnterMakerMode() {
        app().EnterMakerMode();
        Settle();
    }

    std::vector<Timing> sheets;
    Timing debugWindow;
    double firstDebugWindow = 0;

private:
    indMain& app() { return globals_->App(); }

    // Lets the program's timers and posted events run, as between a user's clicks.
    static void Settle() {
        for (int i = 0; i < 3; ++i) {
            QApplication::processEvents();
            usleep(20000);
        }
        QApplication::processEvents();
    }

    std::vector<std::string> SheetSpecs() {
        std::vector<std::string> specs;
        for (QTreeWidgetItem* node : app().Tree()->Nodes()) {
            const cmcCellObj* cell = cuiTree::CellOf(node);
            if (cell && cell->optionText && !cell->optionText->empty() && !node->isHidden()) {
                specs.push_back(*cell->optionText);
            }
        }
        return specs;
    }

    Timing TimeSheet(const std::string& what, const std::string& spec) {
        std::vector<double> times;
        for (int round = 0; round < rounds_; ++round) {
            app().CloseSheet();
            QApplication::sendPostedEvents();
            // The posted events hold the window's update, which paints what the open changed.
            times.push_back(TimeOf([&] {
                app().OpenSheet(spec);
                QApplication::sendPostedEvents();
            }));
        }
        return {what, Median(times), *std::max_element(times.begin(), times.end())};
    }

    QDialog* NewestDebugWindow() const {
        const QList<QDialog*> windows = form_->findChildren<QDialog*>();
        for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
            if ((*it)->isVisible()) {
                return *it;
            }
        }
        std::fprintf(stderr, "the image debug window did not open\n");
        std::exit(2);
    }

    int rounds_;
    std::string filter_;
    std::set<std::string> timed_;
    std::unique_ptr<TarnwickGlobals> globals_;
    std::unique_ptr<TForm1> form_;
};

void PrintWorst(std::vector<Timing> sheets) {
    std::sort(sheets.begin(), sheets.end(),
              [](const Timing& a, const Timing& b) { return a.median > b.median; });
    std::printf("%zu sheet/model pairs; the slowest first open and paint (median, worst):\n",
                sheets.size());
    for (size_t i = 0; i < sheets.size() && i < kShownWorst; ++i) {
        std::printf("  %6.1f ms %6.1f ms  %s\n", sheets[i].median, sheets[i].worst,
                    sheets[i].what.c_str());
    }
}

// The offscreen platform cannot pass size hints on to a window system; it says so each time.
void QuietHandler(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (!message.contains("propagateSizeHints")) {
        std::fprintf(stderr, "%s\n", qPrintable(message));
    }
    if (type == QtFatalMsg) {
        std::abort();
    }
}

int Run(int rounds, const std::string& filter) {
    Bench bench(rounds, filter);
    const bool debugTimed = std::string(kDebugWindow).find(filter) != std::string::npos;
    if (debugTimed) {
        bench.TimeDebugWindow();
    }
    bench.SweepSheets("");
    bench.EnterMakerMode();
    bench.SweepSheets(" (maker mode)");
    PrintWorst(bench.sheets);
    double slowest = 0;
    for (const Timing& sheet : bench.sheets) {
        slowest = std::max(slowest, sheet.median);
    }
    const Timing& debug = bench.debugWindow;
    if (debugTimed) {
        std::printf("%s: %.1f ms median, %.1f ms worst, %.1f ms the first time\n", kDebugWindow,
                    debug.median, debug.worst, bench.firstDebugWindow);
    }
    std::printf("targets: every sheet at most %.0f ms, the debug window at most %.0f ms\n",
                kSheetTargetMs, kDebugWindowTargetMs);
    return slowest <= kSheetTargetMs && debug.median <= kDebugWindowTargetMs ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    // Settings and the single-instance lock of the benchmark's own.
    const std::filesystem::path home =
        std::filesystem::temp_directory_path() / ("sheet-bench-" + std::to_string(getpid()));
    std::filesystem::create_directories(home / "run");
    std::filesystem::permissions(home / "run", std::filesystem::perms::owner_all);
    setenv("XDG_RUNTIME_DIR", (home / "run").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (home / "config").c_str(), 1);
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
    const std::string filter = argc > 2 ? argv[2] : "";
    qInstallMessageHandler(QuietHandler);
    int result = 0;
    {
        QApplication application(argc, argv);
        BenchBoxes boxes;
        platform::InstallBoxes(&boxes);
        platform::qt::QtTimerBackend timers;
        platform::InstallTimers(&timers);
        platform::qt::QtSettingsStores stores;
        platform::InstallSettingsStores(&stores);
        platform::SetProgramPath(MERROW_DATA_DIR "/tarnwick");
        result = Run(rounds, filter);
        if (boxes.unexpected > 0) {
            result = 2;
        }
        platform::InstallSettingsStores(nullptr);
        platform::InstallTimers(nullptr);
        platform::InstallBoxes(nullptr);
    }
    std::filesystem::remove_all(home);
    return result;
}
