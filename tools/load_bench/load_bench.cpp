// Times a whole firmware load of the embedded images through the real serial port of port 1
// (MERROW_COM1 names the device, such as the boot radio's pty), ticking the sequence the way
// the loader window's worker does: one tick, then the pause the driver asks for. The log goes to
// standard output; the last line gives the elapsed time from Start to Completed.
#include <chrono>
#include <cstdio>
#include <string>

#include "loader/LoaderTextTable.h"
#include "loader/SequenceMemo.h"
#include "loader/clsEnviron.h"
#include "loader/clsGTex.h"
#include "loader/clsMainSeq.h"
#include "loader/clsSequenceDriver.h"
#include "tools/clone_radio/RealTimeDriver.h"

namespace {

// Prints each line of the memo once it is complete.
class PrintedMemo : public SequenceMemo {
public:
    void AppendText(const std::string& text) override {
        for (char c : text) {
            if (c == '\n') {
                Flush();
            } else if (c != '\r') {
                line_ += c;
            }
        }
    }
    void AddLine(const std::string& line) override {
        Flush();
        line_ = line;
    }
    void AppendToLastLine(const std::string& text) override { line_ += text; }
    void CaretToEnd() override {}
    void EndProgram() override { ended = true; }
    void Flush() {
        std::printf("%s\n", line_.c_str());
        line_.clear();
    }

    bool ended = false;

private:
    std::string line_;
};

constexpr uint32_t kLimitMs = 600000;

}  // namespace

int main() {
    sim::RealTimeDriver time;
    clsGTex texts;
    texts.SetLines(kLoaderTextTable);
    clsEnviron environment("Zelk Fennmoor load benchmark");
    PrintedMemo memo;
    clsMainSeq sequence(texts);
    clsSequenceDriver driver(sequence, texts, environment, memo);

    int errors = 0;
    auto tick = [&] {
        driver.SequenceTick();
        errors += sequence.GetState() == clsMainSeq::Standby ? 1 : 0;
    };
    time.RunUntil(
        [&] {
            tick();
            return sequence.GetState() == clsMainSeq::Ready;
        },
        kLimitMs);
    errors = 0;
    sequence.Start();
    const auto start = std::chrono::steady_clock::now();
    time.RunUntil(
        [&] {
            tick();
            return sequence.GetCompletedCount() == 1 || errors > 0 || memo.ended;
        },
        kLimitMs, [&] { return driver.NextTickMs(); });
    const double elapsed =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    memo.Flush();
    const bool ok = sequence.GetCompletedCount() == 1;
    std::printf("elapsed %.3f s, %s\n", elapsed, ok ? "completed" : "failed");
    return ok ? 0 : 1;
}
