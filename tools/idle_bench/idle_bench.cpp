// Measures what the firmware loader's window costs while it waits at Ready: the window with
// its worker thread, as the program runs it, for a number of seconds (default 10) after the
// start-up reached Ready. Prints the share of one core the process used, and the target.
#include <sys/resource.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

#include "loader/LoaderTextTable.h"
#include "loader/clsEnviron.h"
#include "loader/clsGTex.h"
#include "loader/clsMainSeq.h"
#include "loader/ui/TForm1.h"
#include "platform/MessageBox.h"
#include "platform/qt/QtTimerBackend.h"

namespace {

constexpr double kTargetPercent = 0.5;

// The warning box at start-up is answered at once.
class AnsweredBoxes : public platform::MessageBoxes {
public:
    platform::BoxAnswer Show(const std::string&, const std::string&, platform::BoxIcon,
                             platform::BoxButtons) override {
        return platform::BoxAnswer::Ok;
    }
    [[noreturn]] void FatalEnd(const std::string& text, const std::string&) override {
        std::fprintf(stderr, "%s\n", text.c_str());
        std::exit(1);
    }
};

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 10;
    QApplication app(argc, argv);
    AnsweredBoxes boxes;
    platform::InstallBoxes(&boxes);
    platform::qt::QtTimerBackend timers;
    platform::InstallTimers(&timers);
    clsGTex texts;
    texts.SetLines(kLoaderTextTable);
    clsEnviron environment("Zelk Fennmoor idle benchmark");
    TForm1 form(texts, environment);
    form.show();

    // Waits for Ready, then measures without waking the program itself.
    double cpuStart = 0;
    bool met = false;
    QElapsedTimer wall;
    QTimer untilReady;
    QObject::connect(&untilReady, &QTimer::timeout, [&] {
        if (form.Sequence().GetState() != clsMainSeq::Ready) {
            return;
        }
        untilReady.stop();
        cpuStart = CpuSeconds();
        wall.start();
        QTimer::singleShot(seconds * 1000, [&] {
            const double percent =
                (CpuSeconds() - cpuStart) * 100000.0 / static_cast<double>(wall.elapsed());
            met = percent < kTargetPercent;
            std::printf("idle at Ready for %d s: %.2f %% of a core (target under %.1f %%): %s\n",
                        seconds, percent, kTargetPercent, met ? "met" : "MISSED");
            QApplication::quit();
        });
    });
    untilReady.start(100);
    QApplication::exec();
    platform::InstallTimers(nullptr);
    platform::InstallBoxes(nullptr);
    return met ? 0 : 1;
}
