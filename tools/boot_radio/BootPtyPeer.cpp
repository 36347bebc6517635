#include "tools/boot_radio/BootPtyPeer.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <sstream>

namespace {

constexpr uint64_t kIdleWaitNs = 100'000'000;
// After the last load the peer stays a while, so the loader still reads its last echoes
// (closing the master side would discard them).
constexpr uint64_t kLingerNs = 1'000'000'000;

uint64_t MonotonicNs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<uint64_t>(ts.tv_sec) * 1'000'000'000ull + ts.tv_nsec;
}

}  // namespace

BootPtyPeer::BootPtyPeer(const BootRadioOptions& options)
    : options_(options), radio_(options.faults), output_(options.bitRate) {}

BootPtyPeer::~BootPtyPeer() {
    if (slave_ >= 0) {
        close(slave_);
    }
    if (master_ >= 0) {
        close(master_);
    }
}

bool BootPtyPeer::Open(std::string& error) {
    master_ = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) {
        error = std::string("cannot open a pseudo-terminal: ") + std::strerror(errno);
        return false;
    }
    slavePath_ = ptsname(master_);
    slave_ = open(slavePath_.c_str(), O_RDWR | O_NOCTTY);
    termios tio{};
    if (slave_ < 0 || tcgetattr(slave_, &tio) != 0) {
        error = "cannot open " + slavePath_ + ": " + std::strerror(errno);
        return false;
    }
    cfmakeraw(&tio);  // no echo or translation before the loader sets its own mode
    tcsetattr(slave_, TCSANOW, &tio);
    startNs_ = MonotonicNs();
    return true;
}

uint64_t BootPtyPeer::NowNs() const {
    return MonotonicNs() - startNs_;
}

bool BootPtyPeer::Done() {
    if (options_.loads == 0 || radio_.Wakes() < options_.loads || !output_.Empty()) {
        return false;
    }
    if (doneNs_ == 0) {
        doneNs_ = NowNs();
    }
    return NowNs() - doneNs_ >= kLingerNs;
}

int BootPtyPeer::TimeoutNs(uint64_t nowNs) const {
    uint64_t wait = kIdleWaitNs;
    if (!output_.Empty()) {
        wait = output_.NextWakeNs() > nowNs ? output_.NextWakeNs() - nowNs : 0;
    }
    return static_cast<int>(wait);
}

bool BootPtyPeer::Run() {
    while (!Done()) {
        const uint64_t now = NowNs();
        const int waitNs = TimeoutNs(now);
        pollfd fd{master_, POLLIN, 0};
        timespec ts{waitNs / 1'000'000'000, waitNs % 1'000'000'000};
        if (ppoll(&fd, 1, &ts, nullptr) < 0 && errno != EINTR) {
            return false;
        }
        const uint64_t at = NowNs();
        if ((fd.revents & POLLIN) && !ReadInput(at)) {
            return false;
        }
        if (!WriteAll(output_.TakeDue(at))) {
            return false;
        }
    }
    return true;
}

bool BootPtyPeer::ReadInput(uint64_t nowNs) {
    uint8_t buffer[4096];
    const ssize_t n = read(master_, buffer, sizeof buffer);
    if (n < 0) {
        return errno == EAGAIN || errno == EINTR;
    }
    received_ += n;
    output_.Add(radio_.Receive(buffer, n, static_cast<uint32_t>(nowNs / 1'000'000)), nowNs);
    return true;
}

bool BootPtyPeer::WriteAll(const std::vector<uint8_t>& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = write(master_, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno != EAGAIN && errno != EINTR) {
            return false;
        }
        if (n < 0) {
            pollfd fd{master_, POLLOUT, 0};
            poll(&fd, 1, 10);
            continue;
        }
        done += n;
    }
    return true;
}

std::string BootPtyPeer::Report() const {
    std::ostringstream out;
    out << "received " << received_ << " bytes, sent " << output_.BytesTaken() << " bytes";
    if (options_.bitRate > 0) {
        out << ", " << static_cast<double>(output_.BusyNs()) / 1e9 << " s on the line and "
            << static_cast<double>(output_.PausedNs()) / 1e9 << " s of pauses before answers";
    }
    out << "; " << radio_.DataFramesStored() << " data frames, sum "
        << (radio_.SumMatched() ? "matched" : "not matched") << ", " << radio_.Wakes()
        << " wake frames";
    return out.str();
}
