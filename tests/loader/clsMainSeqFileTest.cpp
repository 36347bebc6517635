// Reading an S-record file into the ROM store in place of the embedded image.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "loader/clsMainSeq.h"
#include "tests/loader/LoadRig.h"

namespace {

using Bytes = std::vector<uint8_t>;

// One record with its count and checksum; S1/S9 carry 2 address bytes, S2/S8 three.
std::string Record(char type, uint32_t address, const Bytes& data) {
    const int addressBytes = (type == '2' || type == '8') ? 3 : 2;
    Bytes body;
    body.push_back(static_cast<uint8_t>(addressBytes + data.size() + 1));
    for (int i = addressBytes - 1; i >= 0; --i) {
        body.push_back(static_cast<uint8_t>(address >> (8 * i)));
    }
    body.insert(body.end(), data.begin(), data.end());
    unsigned sum = 0;
    for (uint8_t b : body) {
        sum += b;
    }
    body.push_back(static_cast<uint8_t>(~sum));
    std::string text = std::string("S") + type;
    char hex[3];
    for (uint8_t b : body) {
        std::snprintf(hex, sizeof hex, "%02X", b);
        text += hex;
    }
    return text + "\n";
}

std::string WriteFile(const std::string& name, const std::string& text) {
    const std::string path = ::testing::TempDir() + name;
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

// Records of 32 bytes at address: n of them, of value `value`.
std::string DataRecords(uint32_t address, int n, uint8_t value) {
    std::string text;
    for (int i = 0; i < n; ++i) {
        text += Record('2', address + 32 * i, Bytes(32, value));
    }
    return text;
}

class FileRig : public ::testing::Test {
protected:
    void SetUp() override {
        rig.ReachReady();
        embeddedSum = rig.seq->GetRomStore().Sum(0, 0x3FFFF);
    }
    // From Standby with a file name: the file states, back to Ready; the first error or 0.
    int ReadFile(const std::string& path) {
        rig.seq->Stop();
        rig.seq->SetRomFileName(path);
        rig.seq->Start();
        EXPECT_EQ(rig.seq->GetState(), clsMainSeq::RomFile_Open);
        return rig.RunUntil([&] { return rig.seq->GetState() == clsMainSeq::Ready; }, 100);
    }

    LoadRig rig;
    uint16_t embeddedSum = 0;
};

TEST_F(FileRig, AFileReplacesTheEmbeddedImage) {
    // Data up to a single byte at 0x9000: a block that starts at the highest address.
    const std::string text = Record('0', 0, Bytes{'h', 'i'}) + DataRecords(0x8000, 8, 0x5A) +
                             Record('2', 0x9000, Bytes{0x01}) + Record('8', 0, {});
    ASSERT_EQ(ReadFile(WriteFile("rom_good.mot", text)), 0);
    EXPECT_EQ(rig.seq->GetRomStore().GetLowest(), 0x8000);
    EXPECT_EQ(rig.seq->GetRomStore().GetHighest(), 0x9000);
    ASSERT_EQ(rig.Load(), 0);
    EXPECT_EQ(rig.radio.DataFramesStored(), 3);
    EXPECT_EQ(rig.radio.Flash()[0x9000], 0x01);
    EXPECT_TRUE(rig.radio.SumMatched());
    EXPECT_EQ(rig.maxProgress, 255);  // counted like sent: never beyond 255
}

struct BadFile {
    const char* name;
    std::string text;  // empty: no such file
    clsMainSeq::Error error;
};

void PrintTo(const BadFile& c, std::ostream* os) {
    *os << c.name;
}

class FileRigBad : public FileRig, public ::testing::WithParamInterface<BadFile> {};

TEST_P(FileRigBad, KeepsTheStoreAndForgetsTheFile) {
    const BadFile& c = GetParam();
    const std::string path = c.text.empty() ? ::testing::TempDir() + "no_such_file.mot"
                                            : WriteFile(std::string(c.name) + ".mot", c.text);
    EXPECT_EQ(ReadFile(path), c.error);
    EXPECT_EQ(rig.seq->GetState(), clsMainSeq::Standby);
    EXPECT_EQ(rig.seq->GetRomFileName(), "");
    // The half-read file never became the image that a load writes.
    EXPECT_EQ(rig.seq->GetRomStore().Sum(0, 0x3FFFF), embeddedSum);
    EXPECT_EQ(rig.seq->GetRomStore().GetLowest(), 0x7000);
}

INSTANTIATE_TEST_SUITE_P(
    Files, FileRigBad,
    ::testing::Values(BadFile{"Missing", "", clsMainSeq::Err_RomImage_Open},
                      BadFile{"FaultyRecord",
                              Record('0', 0, {}) + DataRecords(0x8000, 4, 0x11) +
                                  "S2240080800000\n" + Record('8', 0, {}),
                              clsMainSeq::Err_RomImage_Format},
                      BadFile{"NoEndRecord", Record('0', 0, {}) + DataRecords(0x8000, 4, 0x11),
                              clsMainSeq::Err_RomImage_Format},
                      BadFile{"DataBelow4096",
                              Record('0', 0, {}) + Record('1', 0x0F00, Bytes(16, 0x22)) +
                                  DataRecords(0x8000, 2, 0x11) + Record('9', 0, {}),
                              clsMainSeq::Err_RomImage_Format}),
    [](const ::testing::TestParamInfo<BadFile>& tested) { return tested.param.name; });

TEST_F(FileRig, CancelInTheFileStatesForgetsTheFile) {
    rig.seq->Stop();
    rig.seq->SetRomFileName("whatever.mot");
    rig.seq->Start();
    EXPECT_TRUE(rig.seq->CanCancel());
    rig.seq->Cancel();
    EXPECT_EQ(rig.seq->GetState(), clsMainSeq::Standby);
    EXPECT_EQ(rig.seq->GetRomFileName(), "");
}

}  // namespace
