#include "radio/clone/file/cmcTovFile.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "radio/clone/file/CloneFileRules.h"
#include "radio/image/ImageLayout.h"
#include "radio/image/cmcEeprom.h"
#include "tests/support/FileContent.h"
#include "tests/support/ReadOnlyFolder.h"
#include "tests/support/RecordingBoxes.h"
#include "tests/support/ScopedInstall.h"

namespace {

namespace fs = std::filesystem;

// Each message names its code, so a box shows which result it reports.
const char* const kTable[] = {
    "#GI_Sys_AppTitle",
    "Tarnwick",
    "#GI_Mess_FileErr_Headline",
    "Headline",
    "#GI_Mess_FileErr_FileOpen",
    "FileOpen",
    "#GI_Mess_FileErr_FileAccess",
    "FileAccess",
    "#GI_Mess_FileErr_Model",
    "Model",
    "#GI_Mess_FileErr_Extra",
    "Extra",
    "#GI_Mess_FileErr_MapRev",
    "MapRev",
    "#GI_Mess_FileErr_Format",
    "Format",
    "#GI_Mess_FileErr_Coverage",
    "Coverage",
    "#GI_Mess_FileErr_Data",
    "Data",
    "#GI_Mess_FileErr_Newer",
    "Newer",
    "#GI_Mess_FileErr_System",
    "System: %s",
    "#GI_Mess_FileErr_NotAFile",
    "Not a file",
    "#End_Of_Ovl",
};
const char* const kCodeNames[] = {"Ok",     "FileOpen", "FileAccess", "Model", "Extra",
                                  "MapRev", "Format",   "Coverage",   "Data",  "Newer"};

constexpr int kModelCode = 0x2726;
const AddressRangeList kRadioPart = {{0, layout::kRadioPartLast}, {1, 0}};
const AddressRangeList kFirst32 = {{0, 31}, {1, 0}};

uint8_t Pattern(int address) {
    return static_cast<uint8_t>(address * 37 + 11);
}

void WriteFile(const fs::path& path, const std::string& content) {
    std::ofstream(path, std::ios::binary) << content;
}

std::vector<std::string> SplitCrLf(const std::string& text) {
    std::vector<std::string> lines;
    for (size_t at = 0; at < text.size();) {
        size_t end = text.find("\r\n", at);
        lines.push_back(text.substr(at, end - at));
        at = end == std::string::npos ? text.size() : end + 2;
    }
    return lines;
}

// A record line of the bytes 0x40 + k from the address on.
std::string Record(int address, int count) {
    char text[8];
    std::snprintf(text, sizeof text, "%04X%02X", address, count);
    std::string line = text;
    for (int k = 0; k < count; ++k) {
        std::snprintf(text, sizeof text, "%02X", 0x40 + k);
        line += text;
    }
    return line;
}

const std::string kHead = "27260000\n#Comment=Shop 7\n#MapRev=4\n";
const std::string kRecords = Record(0, 16) + "\n" + Record(16, 16) + "\n";

class TovFile : public ::testing::Test {
protected:
    TovFile() {
        table_.SetLines(kTable);
        dir_ = fs::temp_directory_path() / ("merrow-tov-test-" + std::to_string(getpid()));
        fs::create_directories(dir_);
        source_.Resize(layout::kImageSize);
        for (int a = 0; a < layout::kImageSize; ++a) {
            source_.SetByte(a, a <= layout::kRadioPartLast ? Pattern(a) : 0xEE);
        }
    }
    ~TovFile() override { fs::remove_all(dir_); }

    // Set up as the application object does for saving.
    void PrepareWrite(cmcTovFile& file) {
        file.SetImage(&source_);
        file.SetModelId(kModelCode);
        file.SetExtraId(0);
        file.SetMapRev(4);
        file.SetComment("Shop 7");
    }
    // Set up as the application object does for loading, with its handlers: its model, extra
    // ids 0 or 0x0100, and map revision 4 only.
    static void PrepareRead(cmcTovFile& file, cmcEeprom& image) {
        file.SetImage(&image);
        file.SetModelId(kModelCode);
        file.SetExtraId(0);
        file.SetMapRevHandler(clonefile::AcceptMapRevision);
        file.SetHeaderHandler(clonefile::AcceptIds);
    }
    int ReadInto(cmcEeprom& image, const fs::path& path, const AddressRangeList* ranges) {
        cmcTovFile file;
        PrepareRead(file, image);
        return file.Read(path, ranges);
    }
    // The one warning box of a failure, or none for success; with the system's reason when the
    // system refused the file.
    void ExpectBoxFor(int code, int systemError = 0) {
        if (code == TOV_Ok) {
            EXPECT_TRUE(boxes_.boxes.empty());
            return;
        }
        ASSERT_EQ(boxes_.boxes.size(), 1u);
        const std::string reason =
            systemError ? std::string("\n\nSystem: ") + std::strerror(systemError) : "";
        EXPECT_EQ(boxes_.boxes[0].text, std::string("Headline\n\n") + kCodeNames[code] + reason);
        EXPECT_EQ(boxes_.boxes[0].caption, "Tarnwick");
        EXPECT_EQ(boxes_.boxes[0].icon, platform::BoxIcon::Warning);
        EXPECT_EQ(boxes_.boxes[0].buttons, platform::BoxButtons::Ok);
    }
    std::vector<std::string> FolderEntries() {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir_)) {
            names.push_back(entry.path().filename());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    testsupport::RecordingBoxes boxes_;
    cmcGTex table_;
    testsupport::ScopedMainGTex tableInstalled_{&table_};
    fs::path dir_;
    cmcEeprom source_;
};

TEST_F(TovFile, RadioPartRoundTripsThroughACrLfFile) {
    const fs::path path = dir_ / "radio.tov";
    cmcTovFile writer;
    PrepareWrite(writer);
    EXPECT_EQ(writer.Write(path, kRadioPart), TOV_Ok);

    const std::string text = testsupport::FileContent(path);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'),
              std::count(text.begin(), text.end(), '\r'));
    const std::vector<std::string> lines = SplitCrLf(text);
    ASSERT_EQ(lines.size(), 3u + layout::kRadioPartSize / 16);
    EXPECT_EQ(lines[0], "27260000");
    EXPECT_EQ(lines[1], "#Comment=Shop 7");
    EXPECT_EQ(lines[2], "#MapRev=4");
    EXPECT_EQ(lines[3].substr(0, 8), "0000100B");
    EXPECT_EQ(lines.back().substr(0, 6), "7FD010");
    for (size_t i = 3; i < lines.size(); ++i) {
        ASSERT_EQ(lines[i].size(), 38u) << i;
    }

    cmcEeprom target;
    target.Resize(layout::kImageSize);
    cmcTovFile reader;
    PrepareRead(reader, target);
    EXPECT_EQ(reader.Read(path, &kRadioPart), TOV_Ok);
    EXPECT_EQ(reader.GetMapRev(), 4);
    for (int a = 0; a < layout::kImageSize; ++a) {
        ASSERT_EQ(target.GetByte(a), a <= layout::kRadioPartLast ? Pattern(a) : 0) << a;
    }
    ExpectBoxFor(TOV_Ok);
}

TEST_F(TovFile, RecordsFollowTheRangesInBlocksOfSixteen) {
    struct Case {
        AddressRangeList ranges;
        std::vector<std::string> heads;
    };
    const Case cases[] = {
        {{{5, 40}, {1, 0}}, {"00050B", "001010", "002009"}},
        {{{5, 7}, {16, 16}, {1, 0}}, {"000503", "001001"}},
        // A range outside the image ends the list, as does the end marker.
        {{{0, 3}, {50000, 50001}, {8, 9}, {1, 0}}, {"000004"}},
        {{{8, 9}, {1, 0}, {20, 21}}, {"000802"}},
    };
    const fs::path path = dir_ / "ranges.tov";
    for (const Case& c : cases) {
        cmcTovFile writer;
        PrepareWrite(writer);
        ASSERT_EQ(writer.Write(path, c.ranges), TOV_Ok);
        const std::vector<std::string> lines = SplitCrLf(testsupport::FileContent(path));
        ASSERT_EQ(lines.size(), 3 + c.heads.size());
        for (size_t i = 0; i < c.heads.size(); ++i) {
            const std::string& line = lines[3 + i];
            EXPECT_EQ(line.substr(0, 6), c.heads[i]);
            const int address = std::stoi(line.substr(0, 4), nullptr, 16);
            const int count = std::stoi(line.substr(4, 2), nullptr, 16);
            ASSERT_EQ(line.size(), 6u + 2 * count);
            for (int k = 0; k < count; ++k) {
                EXPECT_EQ(std::stoi(line.substr(6 + 2 * k, 2), nullptr, 16), Pattern(address + k));
            }
        }
    }
}

TEST_F(TovFile, EachReadOutcomeHasItsCodeAndAFailureLeavesTheImage) {
    struct Case {
        const char* name;
        std::string content;
        int code;
    };
    std::string lowerCase = kRecords;
    std::transform(lowerCase.begin(), lowerCase.end(), lowerCase.begin(), ::tolower);
    std::string crLf;
    for (char c : kHead + kRecords) {
        crLf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    }
    const std::string noMapRev = "27260000\n#Comment=Shop 7\n";
    const Case cases[] = {
        {"LF line ends", kHead + kRecords, TOV_Ok},
        {"CR LF line ends", crLf, TOV_Ok},
        {"lower-case digits", kHead + lowerCase, TOV_Ok},
        {"extra id 0x0100", "27260100\n#MapRev=4\n" + kRecords, TOV_Ok},
        {"map revision again after a comment holding MapRev=",
         "27260000\n#Comment=MapRev=7\n#MapRev=4\n" + kRecords, TOV_Ok},
        {"empty file", "", TOV_Format},
        {"header with a letter", "2726000A\n#MapRev=4\n" + kRecords, TOV_Format},
        {"header too long", "272600000\n#MapRev=4\n" + kRecords, TOV_Format},
        {"header alone without line end", "27260000", TOV_Format},
        {"other model", "27250000\n#MapRev=4\n" + kRecords, TOV_Model},
        {"other extra id", "27260001\n#MapRev=4\n" + kRecords, TOV_Extra},
        {"no map revision", noMapRev + kRecords, TOV_MapRev},
        {"map revision 5", "27260000\n#MapRev=5\n" + kRecords, TOV_MapRev},
        {"map revision out of range", "27260000\n#MapRev=99999999999999999999\n" + kRecords,
         TOV_MapRev},
        {"comment holding MapRev= only", "27260000\n#Comment=MapRev=4\n" + kRecords, TOV_MapRev},
        {"empty line among records", kHead + Record(0, 16) + "\n\n" + Record(16, 16) + "\n",
         TOV_Format},
        {"last line without line end", kHead + Record(0, 16) + "\n" + Record(16, 16), TOV_Format},
        {"record of no bytes", kHead + kRecords + "000000\n", TOV_Format},
        {"count and length disagree", kHead + Record(0, 16) + "AB\n" + Record(16, 16) + "\n",
         TOV_Format},
        {"digit that is not hexadecimal", kHead + "000002G1\n" + kRecords, TOV_Format},
        {"line longer than any record", kHead + kRecords + std::string(3000, 'A') + "\n",
         TOV_Format},
        {"NUL at the start of a line", kHead + std::string(1, '\0') + "00000140\n", TOV_Format},
        {"binary garbage", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16), TOV_Format},
        {"record past the end of the image", kHead + Record(0xBEEA, 16) + "\n", TOV_Data},
        {"bytes outside the ranges", kHead + kRecords + Record(0x40, 1) + "\n", TOV_Data},
        {"bytes missing", kHead + Record(0, 16) + "\n", TOV_Coverage},
        {"no records", kHead, TOV_Coverage},
    };
    const fs::path path = dir_ / "case.tov";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteFile(path, c.content);
        cmcEeprom image;
        image.Assign(source_);
        boxes_.boxes.clear();
        EXPECT_EQ(ReadInto(image, path, &kFirst32), c.code);
        ExpectBoxFor(c.code);
        for (int a = 0; a < layout::kImageSize; ++a) {
            const uint8_t expected = c.code == TOV_Ok && a < 32
                                         ? static_cast<uint8_t>(0x40 + a % 16)
                                         : source_.GetByte(a);
            ASSERT_EQ(image.GetByte(a), expected) << a;
        }
    }
}

TEST_F(TovFile, MissingFileCannotBeOpened) {
    cmcEeprom image;
    image.Assign(source_);
    EXPECT_EQ(ReadInto(image, dir_ / "absent.tov", &kFirst32), TOV_FileOpen);
    ExpectBoxFor(TOV_FileOpen, ENOENT);
    EXPECT_TRUE(image.IsEqual(source_));
}

TEST_F(TovFile, TruncatedFileNeverLoads) {
    const fs::path whole = dir_ / "whole.tov";
    cmcTovFile writer;
    PrepareWrite(writer);
    ASSERT_EQ(writer.Write(whole, kRadioPart), TOV_Ok);
    const std::string text = testsupport::FileContent(whole);
    const size_t recordStart = text.find("\r\n0010") + 2;  // the second record
    struct Cut {
        size_t length;
        int code;
    };
    const Cut cuts[] = {
        {0, TOV_Format},
        {4, TOV_Format},
        {recordStart, TOV_Coverage},
        {recordStart + 17, TOV_Format},
        {text.size() - 2, TOV_Format},
        {text.size() / 2, TOV_Format},
    };
    const fs::path path = dir_ / "cut.tov";
    for (const Cut& cut : cuts) {
        SCOPED_TRACE(cut.length);
        WriteFile(path, text.substr(0, cut.length));
        cmcEeprom image;
        image.Resize(layout::kImageSize);
        image.Fill(0x77);
        EXPECT_EQ(ReadInto(image, path, &kRadioPart), cut.code);
        EXPECT_EQ(std::count(image.GetData(), image.GetData() + image.GetSize(), 0x77),
                  layout::kImageSize);
    }
}

TEST_F(TovFile, ReadWithoutRangesLeavesTheCoverageToTheCaller) {
    const fs::path path = dir_ / "open.tov";
    WriteFile(path, kHead + kRecords + Record(0x40, 1) + "\n");
    cmcEeprom image;
    image.Resize(layout::kImageSize);
    cmcTovFile file;
    PrepareRead(file, image);
    EXPECT_EQ(file.Read(path, nullptr), TOV_Ok);
    EXPECT_EQ(image.GetByte(0x40), 0x40);
    EXPECT_EQ(file.CheckCoverage(kFirst32), TOV_Data);
    EXPECT_EQ(file.CheckCoverage({{0, 0x40}, {1, 0}}), TOV_Coverage);
    EXPECT_EQ(file.CheckCoverage({{0, 31}, {0x40, 0x40}, {1, 0}}), TOV_Ok);
    EXPECT_EQ(file.CheckCoverage({}), TOV_Coverage);
    EXPECT_EQ(file.CheckCoverage({{1, 0}, {0, 31}}), TOV_Coverage);

    cmcTovFile unbound;
    EXPECT_EQ(unbound.CheckCoverage(kFirst32), TOV_Coverage);
    EXPECT_THROW(unbound.Read(path, nullptr), platform::FatalError);
}

TEST_F(TovFile, CommentStaysOnItsLine) {
    const fs::path path = dir_ / "comment.tov";
    cmcTovFile writer;
    PrepareWrite(writer);
    writer.SetComment("two\r\nlines " + std::string(2000, 'x'));
    ASSERT_EQ(writer.Write(path, kFirst32), TOV_Ok);
    cmcEeprom image;
    image.Resize(layout::kImageSize);
    EXPECT_EQ(ReadInto(image, path, &kFirst32), TOV_Ok);
    EXPECT_EQ(image.GetByte(31), Pattern(31));
}

// Writes are cut off after this many bytes while it lives.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, oldHandler_);
    }

private:
    rlimit saved_;
    void (*oldHandler_)(int);
};

TEST_F(TovFile, FailedSaveKeepsTheOriginal) {
    const fs::path path = dir_ / "mine.tov";
    WriteFile(path, "the user's file\r\n");
    {
        FileSizeLimit limit(4096);
        cmcTovFile writer;
        PrepareWrite(writer);
        EXPECT_EQ(writer.Write(path, kRadioPart), TOV_FileAccess);
    }
    ExpectBoxFor(TOV_FileAccess, EFBIG);
    EXPECT_EQ(testsupport::FileContent(path), "the user's file\r\n");
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{"mine.tov"});

    // A folder or a pipe in the way cannot be opened as a file, and stays.
    boxes_.boxes.clear();
    fs::create_directory(dir_ / "folder.tov");
    cmcTovFile writer;
    PrepareWrite(writer);
    EXPECT_EQ(writer.Write(dir_ / "folder.tov", kRadioPart), TOV_FileOpen);
    ExpectBoxFor(TOV_FileOpen, EISDIR);
    EXPECT_TRUE(fs::is_directory(dir_ / "folder.tov"));
    boxes_.boxes.clear();
    ASSERT_EQ(mkfifo((dir_ / "pipe.tov").c_str(), 0600), 0);
    EXPECT_EQ(writer.Write(dir_ / "pipe.tov", kRadioPart), TOV_FileOpen);
    ASSERT_EQ(boxes_.boxes.size(), 1u);
    EXPECT_EQ(boxes_.boxes[0].text, "Headline\n\nFileOpen\n\nNot a file");
    EXPECT_TRUE(fs::is_fifo(dir_ / "pipe.tov"));
    fs::remove(dir_ / "pipe.tov");
    EXPECT_EQ(FolderEntries(), (std::vector<std::string>{"folder.tov", "mine.tov"}));

    boxes_.boxes.clear();
    EXPECT_EQ(writer.Write(dir_ / "absent" / "new.tov", kRadioPart), TOV_FileOpen);
    ExpectBoxFor(TOV_FileOpen, ENOENT);

    // A folder the user may not write to keeps the file there as it was.
    boxes_.boxes.clear();
    {
        const testsupport::ReadOnlyFolder readOnly(dir_);
        EXPECT_EQ(writer.Write(path, kRadioPart), TOV_FileOpen);
    }
    ExpectBoxFor(TOV_FileOpen, EACCES);
    EXPECT_EQ(testsupport::FileContent(path), "the user's file\r\n");
    EXPECT_EQ(FolderEntries(), (std::vector<std::string>{"folder.tov", "mine.tov"}));
}

TEST_F(TovFile, SaveReplacesAnExistingFileAndKeepsItsPermissions) {
    const fs::path path = dir_ / "mine.tov";
    WriteFile(path, "old\r\n");
    ASSERT_EQ(chmod(path.c_str(), 0640), 0);
    cmcTovFile writer;
    PrepareWrite(writer);
    EXPECT_EQ(writer.Write(path, kFirst32), TOV_Ok);
    EXPECT_EQ(testsupport::FileContent(path).substr(0, 10), "27260000\r\n");
    struct stat status;
    ASSERT_EQ(stat(path.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0640u);
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{"mine.tov"});
}

TEST_F(TovFile, ResultBoxShowsOnlyTheCodesOfTheTable) {
    for (int code : {-1, 0, 10}) {
        ShowCloneFileResult(code);
    }
    EXPECT_TRUE(boxes_.boxes.empty());
    ShowCloneFileResult(TOV_Newer);
    ExpectBoxFor(TOV_Newer);

    cmcGTex partial;
    const char* const lines[] = {"#GI_Sys_AppTitle", "Tarnwick", "#End_Of_Ovl"};
    partial.SetLines(lines);
    const testsupport::ScopedMainGTex installed(&partial);
    EXPECT_THROW(ShowCloneFileResult(TOV_Data), platform::FatalError);
}

TEST(TovFileTexts, ProgramTableHoldsEveryMessage) {
    testsupport::RecordingBoxes boxes;
    cmcGTex table;
    table.SetFileName(MERROW_DATA_DIR "/Tarnwick.OVL");
    {
        const testsupport::ScopedMainGTex installed(&table);
        for (int code = TOV_FileOpen; code <= TOV_Newer; ++code) {
            ShowCloneFileResult(code);
        }
    }
    ASSERT_EQ(boxes.boxes.size(), 9u);
    EXPECT_EQ(boxes.boxes[0].caption, "Tarnwick");
    EXPECT_TRUE(boxes.fatals.empty());
}

}  // namespace
