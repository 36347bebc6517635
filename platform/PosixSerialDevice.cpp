#include "platform/PosixSerialDevice.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <utility>

namespace platform {

namespace {

struct RateCode {
    uint32_t rate;
    speed_t code;
};

constexpr RateCode kRates[] = {
    {50, B50},           {75, B75},           {110, B110},         {134, B134},
    {150, B150},         {200, B200},         {300, B300},         {600, B600},
    {1200, B1200},       {1800, B1800},       {2400, B2400},       {4800, B4800},
    {9600, B9600},       {19200, B19200},     {38400, B38400},     {57600, B57600},
    {115200, B115200},   {230400, B230400},   {460800, B460800},   {500000, B500000},
    {576000, B576000},   {921600, B921600},   {1000000, B1000000}, {1152000, B1152000},
    {1500000, B1500000}, {2000000, B2000000}, {2500000, B2500000}, {3000000, B3000000},
    {3500000, B3500000}, {4000000, B4000000},
};

bool RateCodeOf(uint32_t rate, speed_t& code) {
    for (const RateCode& entry : kRates) {
        if (entry.rate == rate) {
            code = entry.code;
            return true;
        }
    }
    return false;
}

bool SizeFlagOf(int dataBits, tcflag_t& flag) {
    switch (dataBits) {
        case 5:
            flag = CS5;
            return true;
        case 6:
            flag = CS6;
            return true;
        case 7:
            flag = CS7;
            return true;
        case 8:
            flag = CS8;
            return true;
        default:
            return false;
    }
}

// CSTOPB gives two stop bits, and one and a half with five data bits; other pairings of one
// and a half stop bits the line cannot send.
bool StopFlagOf(const SerialSettings& settings, tcflag_t& flag) {
    switch (settings.stopBits) {
        case 0:
            flag = 0;
            return true;
        case 1:
            flag = CSTOPB;
            return settings.dataBits == 5;
        case 2:
            flag = CSTOPB;
            return true;
        default:
            return false;
    }
}

int64_t SteadyMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

template <typename Call>
auto RetryOnInterrupt(Call call) {
    decltype(call()) result;
    do {
        result = call();
    } while (result < 0 && errno == EINTR);
    return result;
}

}  // namespace

PosixSerialDevice::PosixSerialDevice(std::string path) : path_(std::move(path)) {}

PosixSerialDevice::~PosixSerialDevice() {
    Close();
}

bool PosixSerialDevice::Open() {
    if (fd_ >= 0 || path_.empty()) {
        return false;
    }
    fd_ = RetryOnInterrupt(
        [&] { return ::open(path_.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC); });
    if (fd_ < 0) {
        return false;
    }
    if (!Lock() || tcgetattr(fd_, &original_) != 0) {
        ::close(fd_);
        fd_ = -1;
        return false;
    }
    modemLinesEmulated_ = false;
    return true;
}

bool PosixSerialDevice::Lock() {
    if (RetryOnInterrupt([&] { return flock(fd_, LOCK_EX | LOCK_NB); }) != 0) {
        return false;
    }
    return ioctl(fd_, TIOCEXCL) == 0;
}

void PosixSerialDevice::Close() {
    if (fd_ < 0) {
        return;
    }
    tcsetattr(fd_, TCSANOW, &original_);
    ioctl(fd_, TIOCNXCL);
    ::close(fd_);
    fd_ = -1;
}

bool PosixSerialDevice::Purge() {
    return fd_ >= 0 && tcflush(fd_, TCIOFLUSH) == 0;
}

bool PosixSerialDevice::Apply(const SerialSettings& settings) {
    speed_t speed;
    tcflag_t size;
    tcflag_t stop;
    if (fd_ < 0 || !RateCodeOf(settings.bitRate, speed) || !SizeFlagOf(settings.dataBits, size) ||
        !StopFlagOf(settings, stop)) {
        return false;
    }
    termios line = original_;
    line.c_iflag &= ~(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON | IXOFF |
                      IXANY | INPCK | IGNPAR);
    if (settings.parityCheck) {
        line.c_iflag |= INPCK;
    }
    line.c_oflag &= ~OPOST;
    line.c_lflag &= ~(ECHO | ECHOE | ECHOK | ECHONL | ICANON | ISIG | IEXTEN);
    line.c_cflag &= ~(CSIZE | CSTOPB | PARENB | PARODD | CRTSCTS);
    line.c_cflag |= size | stop | CREAD | CLOCAL;
    line.c_cc[VMIN] = 0;
    line.c_cc[VTIME] = 0;
    if (cfsetispeed(&line, speed) != 0 || cfsetospeed(&line, speed) != 0 ||
        tcsetattr(fd_, TCSANOW, &line) != 0) {
        return false;
    }
    // tcsetattr succeeds when any part took effect; the line must hold all of it.
    termios applied;
    if (tcgetattr(fd_, &applied) != 0 || cfgetospeed(&applied) != speed ||
        (applied.c_cflag & CSIZE) != size) {
        return false;
    }
    // Handshake and toggle control need a driver that raises the lines by itself; the radios'
    // cables only use on and off, so both count as on.
    if (!SetModemLine(TIOCM_DTR, settings.dtrControl != 0) ||
        !SetModemLine(TIOCM_RTS, settings.rtsControl != 0)) {
        return false;
    }
    writeMsPerByte_ = settings.writeMsPerByte;
    writeConstantMs_ = settings.writeConstantMs;
    return true;
}

bool PosixSerialDevice::SetModemLine(int line, bool on) {
    if (modemLinesEmulated_) {
        return true;
    }
    if (ioctl(fd_, on ? TIOCMBIS : TIOCMBIC, &line) == 0) {
        return true;
    }
    // A pseudo-terminal has no modem-control lines.
    if (errno == ENOTTY) {
        modemLinesEmulated_ = true;
        return true;
    }
    return false;
}

int PosixSerialDevice::InQueue() {
    int count = 0;
    return fd_ >= 0 && ioctl(fd_, FIONREAD, &count) == 0 ? count : -1;
}

int PosixSerialDevice::OutQueue() {
    int count = 0;
    return fd_ >= 0 && ioctl(fd_, TIOCOUTQ, &count) == 0 ? count : -1;
}

int PosixSerialDevice::Read(uint8_t* buffer, int n) {
    if (fd_ < 0) {
        return -1;
    }
    if (n <= 0) {
        return 0;
    }
    ssize_t got = RetryOnInterrupt([&] { return ::read(fd_, buffer, static_cast<size_t>(n)); });
    if (got < 0) {
        return errno == EAGAIN || errno == EWOULDBLOCK ? 0 : -1;
    }
    // With VMIN = VTIME = 0 an empty line reads 0, and so does a hung-up one (an unplugged
    // adapter, a pty whose other end closed): only the latter reports a hang-up.
    if (got == 0 && IsHungUp()) {
        return -1;
    }
    return static_cast<int>(got);
}

bool PosixSerialDevice::WaitForInput(int ms) {
    if (fd_ < 0) {
        return false;
    }
    pollfd line{fd_, POLLIN, 0};
    return RetryOnInterrupt([&] { return poll(&line, 1, ms); }) > 0;
}

bool PosixSerialDevice::IsHungUp() const {
    pollfd line{fd_, POLLIN, 0};
    return poll(&line, 1, 0) > 0 && (line.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0;
}

int PosixSerialDevice::Write(const uint8_t* bytes, int n) {
    if (fd_ < 0) {
        return -1;
    }
    int64_t deadline = SteadyMs() + static_cast<int64_t>(n) * writeMsPerByte_ + writeConstantMs_;
    int written = 0;
    while (written < n) {
        ssize_t put = RetryOnInterrupt(
            [&] { return ::write(fd_, bytes + written, static_cast<size_t>(n - written)); });
        if (put > 0) {
            written += static_cast<int>(put);
        } else if (put < 0 && errno != EAGAIN && errno != EWOULDBLOCK) {
            break;
        } else if (!WaitWritable(deadline)) {
            break;
        }
    }
    return written;
}

bool PosixSerialDevice::WaitWritable(int64_t deadline) {
    // The write time-out bounds a real wait in the kernel, so it runs on the steady clock.
    int64_t left = deadline - SteadyMs();
    if (left <= 0) {
        return false;
    }
    pollfd wanted{fd_, POLLOUT, 0};
    int ready = poll(&wanted, 1, static_cast<int>(left));
    if (ready < 0 && errno == EINTR) {
        return true;
    }
    return ready > 0 && (wanted.revents & POLLOUT) != 0;
}

}  // namespace platform
