#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "radio/clone/file/CloneFileResult.h"
#include "radio/image/AddressRange.h"

class cmcEeprom;

namespace platform {
class TextFile;
}

// A clone file: the radio part of a memory image as text. One header line with the model id
// and extra id, a comment line, a map-revision line, then records of up to 16 bytes in
// hexadecimal. One object serves one read or one write; every outcome is a TovResult, shown
// in the warning box.
class cmcTovFile {
public:
    // Judges the map revision read from a file (-1 when the file has none before its records).
    using MapRevHandler = std::function<bool(int mapRev)>;
    // Judges the ids of the header; a refusal sets *result to the code to report.
    using HeaderHandler = std::function<bool(int modelId, int extraId, int* result)>;

    cmcTovFile();
    ~cmcTovFile();
    cmcTovFile(const cmcTovFile&) = delete;
    cmcTovFile& operator=(const cmcTovFile&) = delete;

    // Binds the image (not owned); the bitmaps follow its size, all of it required.
    void SetImage(cmcEeprom* image);
    void SetModelId(int id) { modelId_ = id; }
    void SetExtraId(int id) { extraId_ = id; }
    void SetComment(const std::string& text) { comment_ = text; }
    void SetMapRev(int n) { mapRev_ = n; }
    void SetMapRevHandler(MapRevHandler handler) { mapRevHandler_ = std::move(handler); }
    void SetHeaderHandler(HeaderHandler handler) { headerHandler_ = std::move(handler); }
    // The map revision set, or the last one read.
    int GetMapRev() const { return mapRev_; }

    // Writes the bytes of the ranges; an existing file is replaced only by a complete one.
    int Write(const std::string& path, const AddressRangeList& ranges);
    // Reads a file into the image; with ranges the bytes read must cover exactly them. On any
    // failure the image is left as it was.
    int Read(const std::string& path, const AddressRangeList* ranges);
    // Compares the bytes the last read supplied with the ranges: TOV_Ok, TOV_Coverage (bytes
    // missing) or TOV_Data (bytes outside them).
    int CheckCoverage(const AddressRangeList& ranges);

private:
    std::string FormatFile(const AddressRangeList& ranges) const;
    void AppendRecords(std::string& text, int first, int last) const;
    int ReadLines(const std::string& path);
    int ReadContent(platform::TextFile& file);
    int CheckHeader(const char* line);
    void ReadNamedLine(const char* line);
    int StoreRecord(char* line);
    // The ranges in order up to the first one that does not lie inside the image.
    int CountImageRanges(const AddressRangeList& ranges) const;
    static void Mark(std::vector<uint8_t>& bitmap, int first, int last);
    cmcEeprom& Image() const;

    cmcEeprom* image_ = nullptr;
    int modelId_ = 0;
    int extraId_ = 0;
    std::string comment_;
    int bytesPerLine_ = 16;
    int mapRev_ = -1;
    int systemError_ = 0;
    MapRevHandler mapRevHandler_;
    HeaderHandler headerHandler_;
    std::vector<uint8_t> requiredBitmap_;
    std::vector<uint8_t> loadedBitmap_;
};
