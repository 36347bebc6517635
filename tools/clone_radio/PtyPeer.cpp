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

double NowSeconds() {
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
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

double PtyPeer::ByteTime() const {
    const uint32_t rate = SlaveBitRate();
    return 10.0 / (rate != 0 ? rate : 9600);
}

void PtyPeer::Serve(int waitMs) {
    // Paced, the next byte's time is waited for; else the pty's room for it.
    pollfd fd = {master_, POLLIN, 0};
    int wait = waitMs;
    if (!pending_.empty() && paced_)
        wait = std::clamp(
            static_cast<int>(std::ceil((lineFree_ + ByteTime() - NowSeconds()) * 1000)), 0, waitMs);
    else if (!pending_.empty())
        fd.events |= POLLOUT;
    poll(&fd, 1, wait);
    if (fd.revents & POLLIN)
        Receive();
    SendDue();
}

void PtyPeer::Receive() {
    uint8_t chunk[4096];
    const ssize_t n = read(master_, chunk, sizeof chunk);
    if (n <= 0)
        return;
    if (pending_.empty())
        lineFree_ = std::max(lineFree_, NowSeconds());  // an idle line earns no credit
    const std::vector<uint8_t> back = cable_.Write(chunk, static_cast<size_t>(n), SlaveBitRate());
    pending_.insert(pending_.end(), back.begin(), back.end());
}

// Paced, a byte leaves once the line has had its ten bit times.
void PtyPeer::SendDue() {
    const double byteTime = ByteTime();
    const double now = NowSeconds();
    size_t due = pending_.size();
    if (paced_) {
        due = std::min(due, static_cast<size_t>(std::max(0.0, (now - lineFree_) / byteTime)));
    }
    if (due == 0)
        return;
    const std::vector<uint8_t> bytes(pending_.begin(), pending_.begin() + static_cast<long>(due));
    const ssize_t written = write(master_, bytes.data(), bytes.size());
    if (written <= 0)
        return;  // the program is not reading: try again later
    pending_.erase(pending_.begin(), pending_.begin() + written);
    bytesSent_ += static_cast<uint64_t>(written);
    wireSeconds_ += static_cast<double>(written) * byteTime;
    if (paced_)
        lineFree_ += static_cast<double>(written) * byteTime;
}

}  // namespace sim
