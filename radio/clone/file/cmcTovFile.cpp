#include "radio/clone/file/cmcTovFile.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "common/DecimalNumber.h"
#include "common/TextHelpers.h"
#include "platform/MessageBox.h"
#include "platform/ReplaceFile.h"
#include "platform/TextFile.h"
#include "radio/image/cmcEeprom.h"

namespace {

// Clone files are written with the line end of the platform they come from.
constexpr char kLineEnd[] = "\r\n";
constexpr char kCommentName[] = "Comment=";
constexpr char kMapRevName[] = "MapRev=";
// Room of one line read, its line end and the terminating NUL included.
constexpr int kLineBufferSize = 768;
constexpr int kHeaderLength = 9;   // eight digits and the line end
constexpr int kMapRevValueAt = 8;  // directly after "#MapRev="
constexpr int kRecordHead = 6;     // address and count digits
constexpr int kMinRecordLength = 8;
constexpr int kMaxRecordLength = kRecordHead + 2 * 255;
// The longest comment whose line the reader takes as one line.
constexpr size_t kMaxCommentLength = kLineBufferSize - 3 - (sizeof(kCommentName) - 1);

// The value of n hexadecimal digits already known to be valid.
int HexNumber(const char* digits, int n) {
    int value = 0;
    for (int i = 0; i < n; ++i) {
        value = value * 16 + HexDigit(digits[i]);
    }
    return value;
}

// The comment kept on its one line: a line break in it would start a record on reading.
std::string OneLine(const std::string& text) {
    std::string line = text.substr(0, kMaxCommentLength);
    std::replace_if(
        line.begin(), line.end(), [](char c) { return c == '\r' || c == '\n' || c == '\0'; }, ' ');
    return line;
}

void AppendHex(std::string& text, unsigned value, int digits) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%0*X", digits, value);
    text += buffer;
}

}  // namespace

cmcTovFile::cmcTovFile() = default;

cmcTovFile::~cmcTovFile() = default;

void cmcTovFile::SetImage(cmcEeprom* image) {
    image_ = image;
    int size = image ? image->GetSize() : 0;
    requiredBitmap_.assign(static_cast<size_t>(size + 7) / 8, 0);
    loadedBitmap_.assign(requiredBitmap_.size(), 0);
    Mark(requiredBitmap_, 0, size - 1);
}

int cmcTovFile::Write(const std::string& path, const AddressRangeList& ranges) {
    int result = TOV_Ok;
    switch (platform::ReplaceFile(path, FormatFile(ranges), &systemError_)) {
        case platform::ReplaceResult::Ok:
            break;
        case platform::ReplaceResult::CannotCreate:
            result = TOV_FileOpen;
            break;
        case platform::ReplaceResult::WriteFailed:
            result = TOV_FileAccess;
            break;
    }
    ShowCloneFileResult(result, systemError_);
    return result;
}

std::string cmcTovFile::FormatFile(const AddressRangeList& ranges) const {
    std::string text;
    AppendHex(text, static_cast<unsigned>(modelId_), 4);
    AppendHex(text, static_cast<unsigned>(extraId_), 4);
    text += kLineEnd;
    text += std::string("#") + kCommentName + OneLine(comment_) + kLineEnd;
    text += std::string("#") + kMapRevName + std::to_string(mapRev_) + kLineEnd;
    int count = CountImageRanges(ranges);
    for (int i = 0; i < count; ++i) {
        AppendRecords(text, ranges[i].first, ranges[i].last);
    }
    return text;
}

// The first record runs to the end of its block of bytesPerLine_, the others hold whole blocks.
void cmcTovFile::AppendRecords(std::string& text, int first, int last) const {
    for (int address = first; address <= last;) {
        int count = std::min(bytesPerLine_ - address % bytesPerLine_, last - address + 1);
        AppendHex(text, static_cast<unsigned>(address), 4);
        AppendHex(text, static_cast<unsigned>(count), 2);
        for (int k = 0; k < count; ++k) {
            AppendHex(text, Image().GetByte(address + k), 2);
        }
        text += kLineEnd;
        address += count;
    }
}

int cmcTovFile::Read(const std::string& path, const AddressRangeList* ranges) {
    cmcEeprom& image = Image();
    cmcEeprom backup;
    backup.Assign(image);
    std::fill(loadedBitmap_.begin(), loadedBitmap_.end(), 0);
    systemError_ = 0;
    int result = ReadLines(path);
    if (result == TOV_Ok && ranges) {
        result = CheckCoverage(*ranges);
    }
    if (result != TOV_Ok) {
        image.Assign(backup);
    }
    ShowCloneFileResult(result, systemError_);
    return result;
}

int cmcTovFile::ReadLines(const std::string& path) {
    platform::TextFile file;
    if (!file.Open(path)) {
        systemError_ = file.Error();
        return TOV_FileOpen;
    }
    int result = ReadContent(file);
    // A read that failed is no end of the file: whatever it cut off is not the file's fault.
    if (file.Error() != 0) {
        systemError_ = file.Error();
        return TOV_FileOpen;
    }
    return result;
}

int cmcTovFile::ReadContent(platform::TextFile& file) {
    char line[kLineBufferSize];
    if (!file.ReadLine(line, kLineBufferSize)) {
        return TOV_Format;
    }
    int result = CheckHeader(line);
    bool mapRevAccepted = false;
    while (result == TOV_Ok && file.ReadLine(line, kLineBufferSize)) {
        if (line[0] == '#') {
            ReadNamedLine(line);
            continue;
        }
        if (!mapRevAccepted && !(mapRevHandler_ && mapRevHandler_(mapRev_))) {
            return TOV_MapRev;
        }
        mapRevAccepted = true;
        result = StoreRecord(line);
    }
    return result;
}

// Eight decimal digits, read four by four as hexadecimal ids, then the line end.
int cmcTovFile::CheckHeader(const char* line) {
    if (std::strlen(line) != kHeaderLength || line[kHeaderLength - 1] != '\n') {
        return TOV_Format;
    }
    int ids[2] = {0, 0};
    for (int i = 0; i < kHeaderLength - 1; ++i) {
        if (line[i] < '0' || line[i] > '9') {
            return TOV_Format;
        }
        ids[i / 4] = ids[i / 4] * 16 + (line[i] - '0');
    }
    int result = TOV_Ok;
    if (headerHandler_ && headerHandler_(ids[0], ids[1], &result)) {
        return TOV_Ok;
    }
    // A refusal must not pass for success, nor may a file be read without judging its ids.
    return result != TOV_Ok ? result : TOV_Model;
}

// Of the named lines only the map revision is read back.
void cmcTovFile::ReadNamedLine(const char* line) {
    if (std::strstr(line + 1, kMapRevName)) {
        mapRev_ = ReadDecimal(line + kMapRevValueAt).value;
    }
}

int cmcTovFile::StoreRecord(char* line) {
    size_t length = std::strlen(line);
    if (length == 0) {
        return TOV_Format;
    }
    line[--length] = '\0';  // the line end, or whatever stands last
    if (length < kMinRecordLength || length > kMaxRecordLength) {
        return TOV_Format;
    }
    if (!std::all_of(line, line + length, [](char c) { return HexDigit(c) >= 0; })) {
        return TOV_Format;
    }
    int address = HexNumber(line, 4);
    int count = HexNumber(line + 4, 2);
    if (length != static_cast<size_t>(kRecordHead + 2 * count)) {
        return TOV_Format;
    }
    cmcEeprom& image = Image();
    if (!image.IsValidAddress(address) || !image.IsValidAddress(address + count - 1)) {
        return TOV_Data;
    }
    for (int k = 0; k < count; ++k) {
        image.SetByte(address + k, static_cast<uint8_t>(HexNumber(line + kRecordHead + 2 * k, 2)));
        Mark(loadedBitmap_, address + k, address + k);
    }
    return TOV_Ok;
}

int cmcTovFile::CheckCoverage(const AddressRangeList& ranges) {
    if (CountRanges(ranges) == 0 || loadedBitmap_.empty()) {
        return TOV_Coverage;
    }
    std::fill(requiredBitmap_.begin(), requiredBitmap_.end(), 0);
    int count = CountImageRanges(ranges);
    for (int i = 0; i < count; ++i) {
        Mark(requiredBitmap_, ranges[i].first, ranges[i].last);
    }
    if (loadedBitmap_ == requiredBitmap_) {
        return TOV_Ok;
    }
    for (size_t i = 0; i < loadedBitmap_.size(); ++i) {
        if (loadedBitmap_[i] & ~requiredBitmap_[i]) {
            return TOV_Data;
        }
    }
    return TOV_Coverage;
}

int cmcTovFile::CountImageRanges(const AddressRangeList& ranges) const {
    int limit = CountRanges(ranges);
    int count = 0;
    while (count < limit && Image().IsValidAddress(ranges[count].first) &&
           Image().IsValidAddress(ranges[count].last)) {
        ++count;
    }
    return count;
}

// Least significant bit first; a mark reaching past the bitmap is not made.
void cmcTovFile::Mark(std::vector<uint8_t>& bitmap, int first, int last) {
    if (first < 0 || first > last || static_cast<size_t>(last / 8) >= bitmap.size()) {
        return;
    }
    for (int address = first; address <= last; ++address) {
        bitmap[address / 8] |= static_cast<uint8_t>(1u << (address % 8));
    }
}

cmcEeprom& cmcTovFile::Image() const {
    if (!image_) {
        platform::Fatal("Clone file without an image.");
    }
    return *image_;
}
