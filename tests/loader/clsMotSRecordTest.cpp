#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "loader/clsMotS.h"

namespace {

using Bytes = std::vector<uint8_t>;
namespace fs = std::filesystem;

std::string Hex(unsigned value, int digits) {
    char text[16];
    std::snprintf(text, sizeof text, "%0*X", digits, value);
    return text;
}

// One record with its count and checksum: S<type>, address of addressBytes, data.
std::string Record(char type, unsigned address, int addressBytes, const Bytes& data = {}) {
    unsigned count = static_cast<unsigned>(addressBytes + data.size() + 1);
    unsigned sum = count;
    std::string body = Hex(address, 2 * addressBytes);
    for (int i = 0; i < addressBytes; ++i) {
        sum += (address >> (8 * i)) & 0xFF;
    }
    for (uint8_t byte : data) {
        body += Hex(byte, 2);
        sum += byte;
    }
    return std::string("S") + type + Hex(count, 2) + body + Hex(~sum & 0xFF, 2) + "\n";
}

const std::string kHeader = Record('0', 0, 2, {'R', 'O', 'M'});

class SRecordTest : public ::testing::Test {
protected:
    SRecordTest() {
        dir_ = fs::path(::testing::TempDir()) /
               ("srec-" + std::to_string(getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir_);
    }
    ~SRecordTest() override { fs::remove_all(dir_); }

    std::string Write(const std::string& name, const std::string& content) {
        std::string path = (dir_ / name).string();
        std::ofstream(path, std::ios::binary) << content;
        return path;
    }

    // Every result until the store closes the file (a bound keeps a faulty reader from looping).
    std::vector<int> ReadAll(const std::string& path) {
        store.Clear(0xFF);
        store.OpenFile(path);
        std::vector<int> results;
        for (int i = 0; i < 1000000; ++i) {
            results.push_back(store.ReadRecord());
            if (results.back() >= clsMotS::kEnd) {
                break;
            }
        }
        return results;
    }

    fs::path dir_;
    clsMotS store;
};

TEST_F(SRecordTest, EachDataKindReadsToItsEnd) {
    struct Case {
        const char* name;
        std::string content;
        std::vector<int> results;
        int lowest;
    };
    const Bytes data = {0x01, 0xFA, 0xFF, 0x00};
    const Case cases[] = {
        {"S1 S9",
         kHeader + Record('1', 0x7000, 2, data) + Record('9', 0x7000, 2),
         {1, 2, 4},
         0x7000},
        {"S2 S8", kHeader + Record('2', 0x17000, 3, data) + Record('8', 0, 3), {1, 2, 4}, 0x17000},
        {"S3 S7", kHeader + Record('3', 0x27000, 4, data) + Record('7', 0, 4), {1, 2, 4}, 0x27000},
        // S9 ends data of every kind.
        {"S2 S9", kHeader + Record('2', 0x17000, 3, data) + Record('9', 0, 2), {1, 2, 4}, 0x17000},
        {"S1 S8 S9",
         kHeader + Record('1', 0x7000, 2, data) + Record('8', 0, 3) + Record('9', 0, 2),
         {1, 2, 3, 4},
         0x7000},
        {"S1 S2 S8 S9",
         kHeader + Record('1', 0x7000, 2, data) + Record('2', 0x7004, 3, data) + Record('8', 0, 3) +
             Record('9', 0, 2),
         {1, 2, 2, 3, 4},
         0x7000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ReadAll(Write("image.mot", c.content)), c.results);
        EXPECT_EQ(store.GetLowest(), c.lowest);
        Bytes read(data.size());
        store.ReadBlock(c.lowest, static_cast<int>(read.size()), read.data());
        EXPECT_EQ(read, data);
        EXPECT_EQ(store.ReadRecord(), clsMotS::kNoFile);  // the end closed the file
    }
}

TEST_F(SRecordTest, LowerCaseDigitsAndWindowsLineEndsReadTheSame) {
    std::string upper =
        kHeader + Record('1', 0xABCD, 2, {0xDE, 0xAD, 0xBE, 0xEF}) + Record('9', 0xABCD, 2);
    std::string lower;
    for (char c : upper) {
        lower += c == '\n' ? std::string("\r\n")
                           : std::string(1, c == 'S' ? c
                                                     : static_cast<char>(std::tolower(
                                                           static_cast<unsigned char>(c))));
    }
    EXPECT_EQ(ReadAll(Write("lower.mot", lower)), (std::vector<int>{1, 2, 4}));
    EXPECT_EQ(store.GetLowest(), 0xABCD);
    EXPECT_EQ(store.GetByte(0xABD0), 0xEF);
}

TEST_F(SRecordTest, RecordCountRecordsAreReadOver) {
    std::string good = Record('1', 0x7000, 2, {0x10, 0x20});
    EXPECT_EQ(ReadAll(Write("s5.mot", kHeader + good + Record('5', 1, 2) + Record('9', 0, 2))),
              (std::vector<int>{1, 2, 2, 4}));
    EXPECT_EQ(ReadAll(Write("s6.mot", kHeader + good + Record('6', 1, 3) + Record('9', 0, 2))),
              (std::vector<int>{1, 2, 2, 4}));
    EXPECT_EQ(ReadAll(Write("bad5.mot", kHeader + good + Record('5', 1, 3) + Record('9', 0, 2))),
              (std::vector<int>{1, 2, 6}));
}

TEST_F(SRecordTest, FaultyFilesEndWithAFaultAndKeepWhatCameBefore) {
    const Bytes data = {0x10, 0x20};
    std::string good = Record('1', 0x7000, 2, data);
    std::string badSum = good;
    badSum[badSum.size() - 2] = badSum[badSum.size() - 2] == '0' ? '1' : '0';
    std::string badCount = "S1060000102036\n";  // count 6 for a record of 5 bytes
    // Count 5 for a record of 6 bytes, with the checksum of the 5 where the count ends.
    std::string shortCount = "S10500001020CAFF\n";
    struct Case {
        const char* name;
        std::string content;
        std::vector<int> results;
    };
    const Case cases[] = {
        {"no header", good + Record('9', 0, 2), {6}},
        {"second header", kHeader + kHeader, {1, 6}},
        {"bad checksum", kHeader + good + badSum, {1, 2, 6}},
        {"bad count", kHeader + good + badCount, {1, 2, 6}},
        {"count short of the text", kHeader + good + shortCount, {1, 2, 6}},
        {"blank in a record", kHeader + good + "S1 0500001020CA\n", {1, 2, 6}},
        {"other character", kHeader + good + "S105000010G0CA\n", {1, 2, 6}},
        {"even length", kHeader + good + "S10500001020CA0\n", {1, 2, 6}},
        {"too short", kHeader + good + "S1030000\n", {1, 2, 6}},
        {"end of file before the end", kHeader + good, {1, 2, 6}},
        {"end matching no data", kHeader + good + Record('7', 0, 4), {1, 2, 3, 6}},
        {"block out of reach", kHeader + good + Record('2', 0x48000, 3, data), {1, 2, 6}},
        {"empty file", "", {6}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ReadAll(Write("bad.mot", c.content)), c.results);
        EXPECT_EQ(store.ReadRecord(), clsMotS::kNoFile);
        if (c.results.size() > 2) {
            EXPECT_EQ(store.GetLowest(), 0x7000);
            EXPECT_EQ(store.GetHighest(), 0x7001);
        }
    }
}

TEST_F(SRecordTest, OverlongRecordIsFaulty) {
    std::string digits(600, '0');
    EXPECT_EQ(ReadAll(Write("long.mot", kHeader + "S1" + digits + "\n")), (std::vector<int>{1, 6}));
    std::string lineEnds(1100, '\n');
    EXPECT_EQ(ReadAll(Write("ends.mot", kHeader + "S1" + lineEnds + "0500001020CA\n")),
              (std::vector<int>{1, 6}));
}

// A folder, a pipe (which would wait for a writer) and a device are no file, at once.
TEST_F(SRecordTest, WhatIsNoRegularFileReportsNoFile) {
    const fs::path fifo = dir_ / "pipe.mot";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    for (const fs::path& name : {dir_ / "missing.mot", dir_, fifo, fs::path("/dev/zero")}) {
        SCOPED_TRACE(name.string());
        store.OpenFile(name.string());
        EXPECT_EQ(store.GetFileSize(), 0);
        EXPECT_EQ(store.GetFilePosition(), 0);
        EXPECT_EQ(store.ReadRecord(), clsMotS::kNoFile);
    }
}

TEST_F(SRecordTest, FilePositionAdvancesThroughTheFile) {
    std::string content = kHeader + Record('1', 0x7000, 2, {1, 2, 3}) + Record('9', 0, 2);
    store.OpenFile(Write("pos.mot", content));
    EXPECT_EQ(store.GetFileSize(), static_cast<int64_t>(content.size()));
    EXPECT_EQ(store.GetFilePosition(), 0);
    EXPECT_EQ(store.ReadRecord(), clsMotS::kHeader);
    // The header's text ends where the next record's 'S' was consumed.
    EXPECT_EQ(store.GetFilePosition(), static_cast<int64_t>(kHeader.size() + 1));
    EXPECT_EQ(store.ReadRecord(), clsMotS::kData);
    EXPECT_EQ(store.ReadRecord(), clsMotS::kEnd);
    EXPECT_EQ(store.GetFilePosition(), 0);
}

// Records written by tools no one here wrote must read back byte for byte.
class ToolSRecordTest : public SRecordTest {
protected:
    static Bytes TestImage(size_t n) {
        Bytes image(n);
        uint32_t seed = 12345;
        for (size_t i = 0; i < n; ++i) {
            seed = seed * 1103515245 + 12345;
            image[i] = static_cast<uint8_t>(seed >> 16);
        }
        return image;
    }

    void ExpectReadsBack(const std::string& command, const std::string& srec, const Bytes& image,
                         int offset) {
        ASSERT_EQ(std::system(command.c_str()), 0)
            << command << "\n(the tools come from scripts/setup.sh)";
        std::vector<int> results = ReadAll(srec);
        ASSERT_FALSE(results.empty());
        EXPECT_EQ(results.front(), clsMotS::kHeader);
        EXPECT_EQ(results.back(), clsMotS::kEnd) << command;
        EXPECT_EQ(store.GetLowest(), offset);
        EXPECT_EQ(store.GetSize(), static_cast<int>(image.size()));
        Bytes read(image.size());
        store.ReadBlock(offset, static_cast<int>(read.size()), read.data());
        EXPECT_TRUE(read == image) << command;
    }
};

TEST_F(ToolSRecordTest, ObjcopyRecordsReadBack) {
    struct Case {
        const char* options;
        int offset;
        size_t size;
    };
    const Case cases[] = {
        {"", 0x7000, 0x2000},                  // S1 and S9
        {"", 0x20000, 0x1F000},                // S2 and S8
        {"--srec-forceS3", 0x7000, 0x38FFF},   // S3 and S7
        {"--srec-len=250", 0x30000, 0x10000},  // the longest records
    };
    for (const Case& c : cases) {
        Bytes image = TestImage(c.size);
        std::string bin = Write("image.bin", std::string(image.begin(), image.end()));
        std::string srec = (dir_ / "image.srec").string();
        std::string command = "objcopy -I binary -O srec --change-addresses " +
                              std::to_string(c.offset) + " " + c.options + " " + bin + " " + srec;
        ExpectReadsBack(command, srec, image, c.offset);
    }
}

TEST_F(ToolSRecordTest, SrecCatRecordsReadBack) {
    struct Case {
        int addressLength;
        int lineLength;
        int offset;
        size_t size;
    };
    const Case cases[] = {
        {2, 46, 0x7000, 0x8000},
        {3, 80, 0x7000, 0x39000},
        {4, 250, 0x123000, 0x3000},
    };
    for (const Case& c : cases) {
        Bytes image = TestImage(c.size);
        std::string bin = Write("image.bin", std::string(image.begin(), image.end()));
        std::string srec = (dir_ / "image.srec").string();
        std::string command = "srec_cat " + bin + " -binary -offset " + std::to_string(c.offset) +
                              " -o " + srec + " -motorola" +
                              " -execution-start-address=" + std::to_string(c.offset) +
                              " -address-length=" + std::to_string(c.addressLength) +
                              " -line-length=" + std::to_string(c.lineLength);
        ExpectReadsBack(command, srec, image, c.offset);
    }
}

}  // namespace
