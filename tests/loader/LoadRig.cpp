#include "tests/loader/LoadRig.h"

#include "loader/LoaderTextTable.h"

void LineMemo::AppendText(const std::string& text) {
    std::string all = Text() + text;
    lines.clear();
    size_t from = 0;
    for (size_t at; (at = all.find("\r\n", from)) != std::string::npos; from = at + 2) {
        lines.push_back(all.substr(from, at - from));
    }
    if (from < all.size()) {
        lines.push_back(all.substr(from));
    }
}

void LineMemo::AppendToLastLine(const std::string& text) {
    if (text.empty()) {
        return;
    }
    if (lines.empty()) {
        lines.emplace_back();
    }
    lines.back() += text;
}

std::string LineMemo::Text() const {
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\r\n";
    }
    return text;
}

LoadRig::LoadRig(BootRadioFaults faults) : time(1000), radio(faults) {
    texts.SetLines(kLoaderTextTable);
    seq = std::make_unique<clsMainSeq>(texts);
    OpenPeer();
}

LoadRig::LoadRig(const LoaderImage& writer, const LoaderImage& rom) : time(1000) {
    texts.SetLines(kLoaderTextTable);
    seq = std::make_unique<clsMainSeq>(texts, writer, rom);
    OpenPeer();
}

void LoadRig::OpenPeer() {
    platform::SerialSettings settings;
    settings.bitRate = 38400;
    line.Peer().Open();
    line.Peer().Apply(settings);
}

void LoadRig::Serve() {
    uint8_t buffer[4096];
    const int n = line.Peer().Read(buffer, sizeof buffer);
    line.SendFromPeer(radio.Receive(buffer, n > 0 ? n : 0, time.Now()));
}

int LoadRig::Tick() {
    const int error = seq->Step();
    maxProgress = std::max(maxProgress, seq->GetProgress());
    time.Advance(1);
    Serve();
    return error;
}

int LoadRig::RunUntil(const std::function<bool()>& done, int limitTicks) {
    for (int n = 0; n < limitTicks && !done(); ++n) {
        if (const int error = Tick()) {
            return error;
        }
    }
    return 0;
}

void LoadRig::ReachReady() {
    RunUntil([this] { return seq->GetState() == clsMainSeq::Ready; }, 10);
}

int LoadRig::Load() {
    const int before = seq->GetCompletedCount();
    seq->Start();
    return RunUntil([this, before] { return seq->GetCompletedCount() != before; });
}
