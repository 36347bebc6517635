#include "tools/clone_radio/PtyPeer.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace sim {

namespace {

struct RateRow {
    speed_t speed;
    uint32_t rate;
};
constexpr RateRow kRates[] = {
    {B1200, 1200},   {B2400, 2400},   {B4800, 4800},   {B9600, 9600},
    {B19200, 19200}, {B38400, 38400}, {B57600, 57600}, {B115200, 115200},
};

uint64_t MonotonicNs() {
    using namespace std::chrono;
    return static_cast<uint64_t>(
        duration_cast<nanoseconds>(steady_clock::now().time_since_epoch()).count());
}

}  // namespace

PtyPeer::~PtyPeer() {
    if (slave_ >= 0)
        close(slave_);
    if (master_ >= 0)
        close(master_);
}

bool PtyPeer::Open() {
    master_ = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) {
        std::perror("clone_radio_pty: pty");
        return false;
    }
    slavePath_ = ptsname(master_);
    // Held open for the line settings, and so that the master never sees a hang-up.
    slave_ = open(slavePath_.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    termios raw{};
    if (slave_ < 0 || tcgetattr(slave_, &raw) != 0) {
        std::perror("clone_radio_pty: slave");
        return false;
    }
    cfmakeraw(&raw);
    cfsetspeed(&raw, B9600);
    tcsetattr(slave_, TCSANOW, &raw);
    return true;
}

uint32_t PtyPeer::SlaveBitRate() const {
    termios settings{};
    if (tcgetattr(slave_, &settings) != 0)
        return 0;
    const speed_t speed = cfgetospeed(&settings);
    for (const RateRow& row : kRates)
        if (row.speed == speed)
            return row.rate;
    return 0;
}

void PtyPeer::Serve(int waitMs) {
    uint64_t now = MonotonicNs();
    uint64_t waitNs = static_cast<uint64_t>(waitMs) * 1'000'000;
    if (!output_.Empty())
        waitNs = std::min(waitNs, output_.NextWakeNs() > now ? output_.NextWakeNs() - now : 0);
    pollfd fd = {master_, static_cast<short>(POLLIN | (unsent_.empty() ? 0 : POLLOUT)), 0};
    const timespec ts = {static_cast<time_t>(waitNs / 1'000'000'000),
                         static_cast<long>(waitNs % 1'000'000'000)};
    ppoll(&fd, 1, &ts, nullptr);
    now = MonotonicNs();
    if (fd.revents & POLLIN)
        Receive(now);
    SendDue(now);
}

void PtyPeer::Receive(uint64_t nowNs) {
    uint8_t chunk[4096];
    const ssize_t n = read(master_, chunk, sizeof chunk);
    if (n <= 0)
        return;
    const uint32_t rate = SlaveBitRate();
    output_.SetBitRate(paced_ ? (rate != 0 ? rate : 9600) : 0);
    output_.Add(cable_.Write(chunk, static_cast<size_t>(n), rate), nowNs);
}

void PtyPeer::SendDue(uint64_t nowNs) {
    const std::vector<uint8_t> due = output_.TakeDue(nowNs);
    unsent_.insert(unsent_.end(), due.begin(), due.end());
    if (unsent_.empty())
        return;
    const std::vector<uint8_t> bytes(unsent_.begin(), unsent_.end());
    const ssize_t written = write(master_, bytes.data(), bytes.size());
    if (written > 0)
        unsent_.erase(unsent_.begin(), unsent_.begin() + written);
    // On a line the radio sends on whether or not the PC takes its bytes (a closed port, a
    // full buffer): what the pty does not take now is lost, and the rest keeps its time.
    if (paced_)
        unsent_.clear();
}

}  // namespace sim
