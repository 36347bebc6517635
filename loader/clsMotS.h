#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

// A ROM image store: a 256 KB window of bytes over a sparse address space. Every address
// outside the held range (or outside the window) reads as the fill byte. It also reads a ROM
// image from a Motorola S-record file, one record per ReadRecord call.
class clsMotS {
public:
    static constexpr int kWindowSize = 0x40000;

    // ReadRecord results.
    static constexpr int kHeader = 1;
    static constexpr int kData = 2;
    static constexpr int kTerminated = 3;
    static constexpr int kEnd = 4;
    static constexpr int kNoFile = 5;
    static constexpr int kFault = 6;

    clsMotS();
    ~clsMotS();
    clsMotS(const clsMotS&) = delete;
    clsMotS& operator=(const clsMotS&) = delete;

    void Clear(uint8_t value);
    int GetLowest() const { return lowest_; }
    int GetHighest() const { return highest_; }
    int GetSize() const { return lowest_ < 0 ? 0 : highest_ - lowest_ + 1; }
    uint8_t GetByte(int64_t address) const;
    bool IsBlank(int64_t address, int n) const;
    int ReadBlock(int64_t address, int n, uint8_t* buffer) const;
    uint16_t Sum(int64_t first, int64_t last) const;
    // Room for n bytes at address, moving the window as needed; nullptr when the held span
    // would exceed the window, the address is negative or the block ends past INT_MAX.
    // A refused block leaves the store as it was.
    uint8_t* MapRange(int64_t address, int64_t n);

    void OpenFile(const std::string& name);
    int ReadRecord();
    // 64-bit, so a caller's position x 255 / size cannot overflow.
    int64_t GetFileSize() const { return fileSize_; }
    int64_t GetFilePosition() const;

private:
    struct FileCloser {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };

    void MoveWindowTo(int64_t newBase);
    bool ReadRecordText();
    bool SkipToRecord();
    int ParseRecord();
    int Terminate(int kind);
    int ApplyRecord(int code);

    std::unique_ptr<uint8_t[]> window_;
    int base_ = 0;
    uint8_t fill_ = 0xFF;
    int lowest_ = -1;
    int highest_ = -1;
    std::unique_ptr<std::FILE, FileCloser> file_;
    int lastResult_ = 0;
    std::string recordText_;
    int64_t fileSize_ = 0;
    // Data of kind S1, S2, S3 seen and not yet terminated.
    bool sectionOpen_[3] = {false, false, false};
};
