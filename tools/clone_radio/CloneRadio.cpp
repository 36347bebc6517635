#include "tools/clone_radio/CloneRadio.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>

namespace sim {

namespace {

constexpr size_t kLongestFrame = 600;
constexpr char kSignature[] = "Zelk Inc.";

// The set-up frames the radio knows: command byte, two ASCII characters, what they do.
struct SetUpRow {
    uint8_t command;
    char arg[3];
    uint32_t bitRate;  // 0: leaves the rate
    CloneRadio::Mode mode;
};
constexpr SetUpRow kSetUp[] = {
    {0x01, "27", 9600, CloneRadio::Mode::Normal},
    {0x01, "09", 38400, CloneRadio::Mode::Normal},
    {0x55, "00", 0, CloneRadio::Mode::ReadClone},
    {0x55, "01", 0, CloneRadio::Mode::WriteClone},
};

void AppendHex(std::vector<uint8_t>& out, uint8_t value, bool lower) {
    const char* digits = lower ? "0123456789abcdef" : "0123456789ABCDEF";
    out.push_back(static_cast<uint8_t>(digits[value >> 4]));
    out.push_back(static_cast<uint8_t>(digits[value & 15]));
}

void AppendText(std::vector<uint8_t>& out, const std::string& text) {
    out.insert(out.end(), text.begin(), text.end());
}

// Upper-case hex digit pairs only, as the program writes them; false on anything else.
bool DecodeHex(const std::vector<uint8_t>& text, std::vector<uint8_t>& bytes) {
    auto digit = [](uint8_t c) -> int {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        return -1;
    };
    if (text.size() % 2 != 0)
        return false;
    for (size_t i = 0; i < text.size(); i += 2) {
        int high = digit(text[i]);
        int low = digit(text[i + 1]);
        if (high < 0 || low < 0)
            return false;
        bytes.push_back(static_cast<uint8_t>(high << 4 | low));
    }
    return true;
}

std::string Hex4(int value) {
    char text[8];
    std::snprintf(text, sizeof text, "%04X", value & 0xFFFF);
    return text;
}

std::string Padded(const std::string& text, size_t width) {
    std::string out = text.substr(0, width);
    out.resize(width, ' ');
    return out;
}

}  // namespace

CloneRadio::CloneRadio() : memory_(kMemorySize) {
    // A recognisable pattern, so that round trips and stray writes show.
    for (int a = 0; a < kMemorySize; ++a)
        memory_[a] = static_cast<uint8_t>(a * 31 + a / 256);
}

std::vector<uint8_t> CloneRadio::Hear(uint8_t byte, uint32_t bitRate) {
    if (bitRate != bitRate_) {  // at another rate a byte is noise
        collecting_.clear();
        return {};
    }
    if (byte == 0xFE) {
        if (!collecting_.empty() && collecting_.back() != 0xFE)
            collecting_.clear();
        collecting_.push_back(byte);
    } else if (byte == 0xFD && !collecting_.empty()) {
        std::vector<uint8_t> frame;
        frame.swap(collecting_);
        return TakeFrame(frame);
    } else if (!collecting_.empty()) {
        collecting_.push_back(byte);
    }
    if (collecting_.size() > kLongestFrame)
        collecting_.clear();
    return {};
}

std::vector<uint8_t> CloneRadio::TakeFrame(const std::vector<uint8_t>& frame) {
    size_t start = 0;
    while (start < frame.size() && frame[start] == 0xFE)
        ++start;
    if (start < 2 || frame.size() < start + 3 || frame[start] != 0xEE || frame[start + 1] != 0xEF)
        return {};
    const uint8_t command = frame[start + 2];
    const std::vector<uint8_t> body(frame.begin() + start + 3, frame.end());
    const bool ours = body.size() >= 4 && (body[0] << 8 | body[1]) == word0_;
    switch (command) {
        case 0xE8:
            if (ours && body.size() == 7)
                SetUp(body);
            return {};
        case 0xE0:
            if (!ours || body.size() != 4 || mode_ != Mode::ReadClone)
                return {};
            return IdentityAnswer();
        case 0xE2:
            if (!ours || body.size() != 4 || mode_ != Mode::ReadClone)
                return {};
            mode_ = Mode::Normal;
            return ReadStream();
        case 0xE3:
            if (!ours || body.size() != 4 || mode_ != Mode::WriteClone)
                return {};
            writing_ = true;
            refused_ = false;
            framesWritten_ = 0;
            acksGiven_ = 0;
            return Acknowledge(CloneFaultKind::RefuseRequest, CloneFaultKind::SilentRequestAck, 0);
        case 0xE4:
            return writing_ ? TakeData(body) : std::vector<uint8_t>{};
        case 0xE5:
            return writing_ ? TakeEnd(body) : std::vector<uint8_t>{};
        default:
            return {};
    }
}

void CloneRadio::SetUp(const std::vector<uint8_t>& body) {
    for (const SetUpRow& row : kSetUp) {
        if (body[4] != row.command || body[5] != row.arg[0] || body[6] != row.arg[1])
            continue;
        if (row.bitRate != 0)
            bitRate_ = row.bitRate;
        if (row.mode != Mode::Normal) {
            mode_ = row.mode;
            writing_ = false;
        }
    }
}

std::vector<uint8_t> CloneRadio::IdentityAnswer() const {
    if (Has(CloneFaultKind::SilentIdentity))
        return {};
    std::vector<uint8_t> out;
    if (Has(CloneFaultKind::GarbageBeforeIdentity))
        AppendGarbage(out);
    out.insert(out.end(), {0xFE, 0xEF, 0xEE, 0xE1});
    out.insert(out.end(), {static_cast<uint8_t>(word0_ >> 8), static_cast<uint8_t>(word0_),
                           static_cast<uint8_t>(word1_ >> 8), static_cast<uint8_t>(word1_)});
    const std::vector<uint8_t> block = IdentityBlock();
    out.insert(out.end(), block.begin(), block.end());
    out.push_back(0xFD);
    return out;
}

std::vector<uint8_t> CloneRadio::IdentityBlock() const {
    std::vector<uint8_t> block(68, ' ');
    block[0] = 68;
    block[1] = 0;
    const std::string comments = Padded(comment1_, 16) + Padded(comment2_, 16);
    std::copy(comments.begin(), comments.end(), block.begin() + 2);
    block[34] = revision_;
    block[35] = mapRevision_;
    block[48] = modelBits_;
    const int last = std::min(lastAddress_, kMemorySize - 1);
    int sum = 0;
    for (int a = 0; a <= last; ++a)
        sum += memory_[a];
    const std::string numbers = Hex4(lastAddress_) + Hex4(sum);
    std::copy(numbers.begin(), numbers.end(), block.begin() + 52);
    return block;
}

std::vector<uint8_t> CloneRadio::ReadStream() const {
    const int end = std::min(lastAddress_ / 16 * 16 + 15, kMemorySize - 1);
    std::vector<uint8_t> out;
    int frames = 0;
    int index = 0;
    for (int a = 0; a <= end; a += bytesPerFrame_, ++index) {
        if (Has(CloneFaultKind::SilentFromData, index))
            return out;
        if (const CloneFault* outside = Find(CloneFaultKind::OutsideData, index)) {
            const std::vector<uint8_t> extra = DataFrame(outside->address, 16, -1);
            out.insert(out.end(), extra.begin(), extra.end());
            ++frames;
        }
        if (Has(CloneFaultKind::GarbageBeforeData, index))
            AppendGarbage(out);
        if (Has(CloneFaultKind::DropFrame, index))
            continue;
        const std::vector<uint8_t> frame =
            DataFrame(a, std::min(bytesPerFrame_, end - a + 1), index);
        out.insert(out.end(), frame.begin(), frame.end());
        ++frames;
    }
    if (Has(CloneFaultKind::SilentFromData, index))
        return out;
    if (Has(CloneFaultKind::GarbageBeforeEnd))
        AppendGarbage(out);
    const std::vector<uint8_t> endFrame = EndFrame(frames);
    out.insert(out.end(), endFrame.begin(), endFrame.end());
    return out;
}

std::vector<uint8_t> CloneRadio::DataFrame(int address, int count, int index) const {
    std::vector<uint8_t> bytes = {static_cast<uint8_t>(address >> 8), static_cast<uint8_t>(address),
                                  static_cast<uint8_t>(count)};
    if (Has(CloneFaultKind::WrongLength, index))
        ++bytes[2];
    for (int i = 0; i < count; ++i) {
        const int a = address + i;
        bytes.push_back(a >= 0 && a < kMemorySize ? memory_[a] : 0);
    }
    uint8_t sum = 0;
    for (uint8_t b : bytes)
        sum = static_cast<uint8_t>(sum + b);
    bytes.push_back(static_cast<uint8_t>(-sum + (Has(CloneFaultKind::BadChecksum, index) ? 1 : 0)));
    const bool lower = Has(CloneFaultKind::LowerCaseHex, index);
    std::vector<uint8_t> frame = {0xFE, 0xEF, 0xEE, 0xE4};
    for (uint8_t b : bytes)
        AppendHex(frame, b, lower);
    frame.push_back(0xFD);
    return frame;
}

std::vector<uint8_t> CloneRadio::EndFrame(int frames) const {
    std::vector<uint8_t> frame = {0xFE, 0xEF, 0xEE, 0xE5};
    std::string signature = kSignature;
    if (Has(CloneFaultKind::WrongSignature))
        signature[0] = 'z';
    AppendText(frame, signature);
    AppendHex(frame, static_cast<uint8_t>(frames + (Has(CloneFaultKind::WrongCount) ? 1 : 0)),
              false);
    frame.push_back(0xFD);
    return frame;
}

std::vector<uint8_t> CloneRadio::TakeData(const std::vector<uint8_t>& text) {
    std::vector<uint8_t> bytes;
    const bool decoded = DecodeHex(text, bytes);
    uint8_t sum = 0;
    for (uint8_t b : bytes)
        sum = static_cast<uint8_t>(sum + b);
    const int address = bytes.size() >= 4 ? (bytes[0] << 8 | bytes[1]) : 0;
    const int count = bytes.size() >= 4 ? bytes[2] : 0;
    const bool sound = decoded && bytes.size() >= 4 && bytes.size() == size_t(count) + 4 &&
                       sum == 0 && address + count <= kMemorySize;
    // A bad frame is refused at the next acknowledgement point or the end frame.
    if (!sound)
        refused_ = true;
    if (!sound)
        return {};
    if (!refused_) {
        std::copy(bytes.begin() + 3, bytes.begin() + 3 + count, memory_.begin() + address);
        ++framesWritten_;
    }
    if ((address + count) % 128 != 96)
        return {};
    const int point = acksGiven_++;
    std::vector<uint8_t> answer;
    const int noise = Has(CloneFaultKind::NoiseBeforeAck, point) ? kAckNoise : 0;
    for (int i = 0; i < noise; ++i)
        answer.push_back(static_cast<uint8_t>('0' + i % 10));
    const std::vector<uint8_t> ack =
        Acknowledge(CloneFaultKind::RefuseAck, CloneFaultKind::SilentAck, point);
    answer.insert(answer.end(), ack.begin(), ack.end());
    return answer;
}

std::vector<uint8_t> CloneRadio::TakeEnd(const std::vector<uint8_t>& text) {
    std::vector<uint8_t> expected;
    AppendText(expected, kSignature);
    AppendHex(expected, static_cast<uint8_t>(framesWritten_), false);
    writing_ = false;
    mode_ = Mode::Normal;
    if (Has(CloneFaultKind::SilentEndAnswer))
        return {};
    const bool accepted = text == expected && !refused_ && !Has(CloneFaultKind::EndAnswerNg);
    if (accepted) {
        ++writesDone_;
        if (onWriteDone_)
            onWriteDone_();
    }
    return {0xFE, 0xEF, 0xEE, 0xE6, static_cast<uint8_t>(accepted ? 0x00 : 0x01), 0xFD};
}

std::vector<uint8_t> CloneRadio::Acknowledge(CloneFaultKind refuse, CloneFaultKind silent,
                                             int index) const {
    if (Has(silent, index))
        return {};
    if (refused_ || Has(refuse, index))
        return {0xFA};
    return {0xFB};
}

void CloneRadio::AppendGarbage(std::vector<uint8_t>& out) const {
    out.insert(out.end(), garbage_.begin(), garbage_.end());
}

bool CloneRadio::Has(CloneFaultKind kind, int index) const {
    return Find(kind, index) != nullptr;
}

const CloneFault* CloneRadio::Find(CloneFaultKind kind, int index) const {
    for (size_t i = 0; i < faults_.size(); ++i) {
        const CloneFault& fault = faults_[i];
        if (fault.kind != kind || fault.index != index || spent_[i])
            continue;
        spent_[i] = fault.once;
        return &fault;
    }
    return nullptr;
}

void CloneRadio::AddFault(const CloneFault& fault) {
    faults_.push_back(fault);
    spent_.push_back(false);
}

void CloneRadio::ClearFaults() {
    faults_.clear();
    spent_.clear();
}

void CloneRadio::SetIdentityWords(uint16_t word0, uint16_t word1) {
    word0_ = word0;
    word1_ = word1;
}

void CloneRadio::SetRevisions(uint8_t revision, uint8_t mapRevision) {
    revision_ = revision;
    mapRevision_ = mapRevision;
}

void CloneRadio::SetComments(const std::string& first, const std::string& second) {
    comment1_ = first;
    comment2_ = second;
}

bool CloneRadio::LoadMemory(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return false;
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)),
                               std::istreambuf_iterator<char>());
    if (bytes.size() != memory_.size())
        return false;
    memory_ = std::move(bytes);
    return true;
}

bool CloneRadio::SaveMemory(const std::string& path) const {
    const std::string temporary = path + ".tmp";
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(memory_.data()),
                   static_cast<std::streamsize>(memory_.size()));
        if (!file.flush()) {
            std::remove(temporary.c_str());
            return false;
        }
    }
    return std::rename(temporary.c_str(), path.c_str()) == 0;
}

}  // namespace sim
