#include "loader/clsMotS.h"

#include <algorithm>
#include <climits>
#include <cstring>

#include <unistd.h>

#include "common/TextHelpers.h"
#include "platform/FileChecks.h"

namespace {

// Only a regular file: a pipe picked in the open dialog would hold the loader until a writer
// came, and a device is not a ROM image.
std::FILE* OpenForReading(const std::string& name) {
    int error = 0;
    const int fd = platform::OpenRegularFile(name, &error);
    if (fd < 0) {
        return nullptr;
    }
    std::FILE* file = fdopen(fd, "r");
    if (!file) {
        close(fd);
    }
    return file;
}

// Codes of one parsed record: the record kinds, then the faults.
enum RecordCode {
    kS0 = 0,
    kS1 = 1,
    kS2 = 2,
    kS3 = 3,
    kS9 = 4,
    kS8 = 5,
    kS7 = 6,
    kTooShort = 7,
    kEvenLength = 8,
    kBadType = 9,
    kBadCount = 10,
    kNoRoom = 11,
    kBadChecksum = 12,
    kS5 = 13,  // record counts: well-formed, carry nothing the store needs
    kS6 = 14,
};

struct RecordType {
    char digit;
    int code;
    int addressBytes;
    int minCount;
    int maxCount;
};

constexpr RecordType kRecordTypes[] = {
    {'0', kS0, 2, 0, 255}, {'1', kS1, 2, 3, 255}, {'2', kS2, 3, 4, 255},
    {'3', kS3, 4, 5, 255}, {'5', kS5, 2, 3, 3},   {'6', kS6, 3, 4, 4},
    {'7', kS7, 4, 5, 9},   {'8', kS8, 3, 4, 7},   {'9', kS9, 2, 3, 5},
};

// Bounds of one record text: 524 digits fill the 525-byte record buffer; a record that has
// not ended by its 1050th character is not a record.
constexpr size_t kMaxDigits = 524;
constexpr int kMaxChars = 1050;

// A hex pair; a character that is not a hex digit counts as 0.
int HexByte(const std::string& text, size_t at) {
    int high = std::max(HexDigit(text[at]), 0);
    int low = std::max(HexDigit(text[at + 1]), 0);
    return high * 16 + low;
}

const RecordType* FindRecordType(char digit) {
    for (const RecordType& type : kRecordTypes) {
        if (type.digit == digit) {
            return &type;
        }
    }
    return nullptr;
}

}  // namespace

clsMotS::clsMotS() : window_(std::make_unique<uint8_t[]>(kWindowSize)) {
    Clear(0xFF);
}

clsMotS::~clsMotS() = default;

void clsMotS::Clear(uint8_t value) {
    fill_ = value;
    std::memset(window_.get(), value, kWindowSize);
    lowest_ = -1;
    highest_ = -1;
}

uint8_t clsMotS::GetByte(int64_t address) const {
    if (lowest_ < 0 || address < lowest_ || address > highest_ || address < base_ ||
        address >= int64_t{base_} + kWindowSize) {
        return fill_;
    }
    return window_[address - base_];
}

bool clsMotS::IsBlank(int64_t address, int n) const {
    for (int i = 0; i < n; ++i) {
        if (GetByte(address + i) != fill_) {
            return false;
        }
    }
    return true;
}

int clsMotS::ReadBlock(int64_t address, int n, uint8_t* buffer) const {
    for (int i = 0; i < n; ++i) {
        buffer[i] = GetByte(address + i);
    }
    return n;
}

uint16_t clsMotS::Sum(int64_t first, int64_t last) const {
    unsigned sum = 0;
    for (int64_t address = first; address <= last; ++address) {
        sum += GetByte(address);
    }
    return static_cast<uint16_t>(sum);
}

uint8_t* clsMotS::MapRange(int64_t address, int64_t n) {
    if (address < 0 || n <= 0 || address + n - 1 > INT_MAX) {
        return nullptr;
    }
    int64_t last = address + n - 1;
    if (lowest_ < 0) {
        if (n > kWindowSize) {
            return nullptr;
        }
        lowest_ = static_cast<int>(address);
        highest_ = static_cast<int>(last);
        base_ = lowest_;
        return window_.get();
    }
    int64_t low = std::min<int64_t>(lowest_, address);
    int64_t high = std::max<int64_t>(highest_, last);
    if (high - low + 1 > kWindowSize) {
        return nullptr;
    }
    lowest_ = static_cast<int>(low);
    highest_ = static_cast<int>(high);
    if (low < base_) {
        MoveWindowTo(low);
    } else if (high > int64_t{base_} + kWindowSize - 1) {
        MoveWindowTo(high - (kWindowSize - 1));
    }
    return window_.get() + (address - base_);
}

// The held span fits the window, so a move is always shorter than the window.
void clsMotS::MoveWindowTo(int64_t newBase) {
    uint8_t* window = window_.get();
    if (newBase < base_) {
        size_t d = static_cast<size_t>(base_ - newBase);
        std::memmove(window + d, window, kWindowSize - d);
        std::memset(window, fill_, d);
    } else {
        size_t d = static_cast<size_t>(newBase - base_);
        std::memmove(window, window + d, kWindowSize - d);
        std::memset(window + kWindowSize - d, fill_, d);
    }
    base_ = static_cast<int>(newBase);
}

void clsMotS::OpenFile(const std::string& name) {
    fileSize_ = 0;
    file_.reset(OpenForReading(name));
    if (file_) {
        std::FILE* file = file_.get();
        if (std::fseek(file, 0, SEEK_END) == 0) {
            fileSize_ = std::max<int64_t>(std::ftell(file), 0);
        }
        std::rewind(file);
    }
    std::fill(std::begin(sectionOpen_), std::end(sectionOpen_), false);
    lastResult_ = 0;
}

int64_t clsMotS::GetFilePosition() const {
    return file_ ? std::max<int64_t>(std::ftell(file_.get()), 0) : 0;
}

int clsMotS::ReadRecord() {
    if (!file_) {
        return kNoFile;
    }
    bool first = lastResult_ < kHeader || lastResult_ > kTerminated;
    int result = kFault;
    if (first) {
        // Only a header may open the file; a data record before it is not stored.
        if (SkipToRecord() && ReadRecordText() && !recordText_.empty() && recordText_[0] == '0' &&
            ParseRecord() == kS0) {
            result = kHeader;
        }
    } else if (ReadRecordText()) {
        result = ApplyRecord(ParseRecord());
    }
    lastResult_ = result;
    if (result >= kEnd) {
        file_.reset();
    }
    return result;
}

bool clsMotS::SkipToRecord() {
    for (;;) {
        int c = std::fgetc(file_.get());
        if (c == EOF) {
            return false;
        }
        if (c == 'S') {
            return true;
        }
    }
}

// The digits after a record's 'S', up to the next 'S' (consumed) or the end of the file.
bool clsMotS::ReadRecordText() {
    recordText_.clear();
    for (int chars = 1;; ++chars) {
        int c = std::fgetc(file_.get());
        if (c == EOF || c == 'S') {
            return true;
        }
        if (chars >= kMaxChars) {
            return false;
        }
        if (c == '\r' || c == '\n') {
            continue;
        }
        int digit = HexDigit(static_cast<char>(c));
        if (digit < 0) {
            return false;
        }
        recordText_ += "0123456789ABCDEF"[digit];
        if (recordText_.size() >= kMaxDigits) {
            return false;
        }
    }
}

int clsMotS::ParseRecord() {
    const std::string& text = recordText_;
    if (text.size() < 9) {
        return kTooShort;
    }
    if (text.size() % 2 == 0) {
        return kEvenLength;
    }
    const RecordType* type = FindRecordType(text[0]);
    if (!type) {
        return kBadType;
    }
    int count = HexByte(text, 1);
    if (count < type->minCount || count > type->maxCount ||
        static_cast<size_t>(count) != (text.size() - 3) / 2) {
        return kBadCount;
    }
    int sum = count;
    for (int i = 0; i < count - 1; ++i) {
        sum += HexByte(text, 3 + 2 * static_cast<size_t>(i));
    }
    if (((sum & 0xFF) ^ 0xFF) != HexByte(text, 1 + 2 * static_cast<size_t>(count))) {
        return kBadChecksum;
    }
    bool isData = type->code >= kS1 && type->code <= kS3;
    int dataLength = count - type->addressBytes - 1;
    if (isData && dataLength > 0) {
        int64_t address = 0;
        for (int i = 0; i < type->addressBytes; ++i) {
            address = address * 256 + HexByte(text, 3 + 2 * static_cast<size_t>(i));
        }
        uint8_t* place = MapRange(address, dataLength);
        if (!place) {
            return kNoRoom;
        }
        size_t dataStart = 3 + 2 * static_cast<size_t>(type->addressBytes);
        for (int i = 0; i < dataLength; ++i) {
            place[i] = static_cast<uint8_t>(HexByte(text, dataStart + 2 * static_cast<size_t>(i)));
        }
    }
    return type->code;
}

int clsMotS::ApplyRecord(int code) {
    switch (code) {
        case kS1:
        case kS2:
        case kS3:
            sectionOpen_[code - kS1] = true;
            return kData;
        case kS5:
        case kS6:
            // Tools write record counts by default; a file that carries one is still whole.
            return kData;
        case kS9:
            return Terminate(0);
        case kS8:
            return Terminate(1);
        case kS7:
            return Terminate(2);
        default:
            return kFault;
    }
}

// S9, S8 and S7 end the S1, S2 and S3 data and every kind above their own, so S9 ends an
// image of any kind. The file ends when a termination leaves no data open.
int clsMotS::Terminate(int kind) {
    bool ended = false;
    for (int k = kind; k < 3; ++k) {
        ended = ended || sectionOpen_[k];
        sectionOpen_[k] = false;
    }
    bool open = sectionOpen_[0] || sectionOpen_[1] || sectionOpen_[2];
    return ended && !open ? kEnd : kTerminated;
}
