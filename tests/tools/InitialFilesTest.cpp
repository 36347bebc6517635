#include <gtest/gtest.h>

#include <bit>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "common/cmcGTex.h"
#include "radio/clone/file/CloneFileResult.h"
#include "radio/clone/file/cmcTovFile.h"
#include "radio/image/ImageWords.h"
#include "radio/image/ModelType.h"
#include "radio/image/cmcEeprom.h"
#include "radio/packing/ImageCheck.h"
#include "radio/packing/ImageFinalise.h"
#include "radio/packing/ImagePacking.h"
#include "radio/records/datCh.h"
#include "tests/radio/support/PackedImage.h"
#include "tests/support/RecordingBoxes.h"
#include "tests/support/ScopedInstall.h"
#include "tools/initial_files/InitialImage.h"
#include "tools/initial_files/InitialSettings.h"

namespace {

using initial::Put;
using initial::Setting;

using radiotest::CopyRadioPart;
using radiotest::kModelTypes;

constexpr int kRadioPart = 32736;
constexpr int kDocument = 48880;

std::string DataPath(const std::string& name) {
    return std::string(MERROW_DATA_DIR) + "/" + name;
}

bool SameRadioPart(const cmcEeprom& a, const cmcEeprom& b) {
    return std::memcmp(a.GetData(), b.GetData(), kRadioPart) == 0;
}

// The initial files beside the program, read as the program reads them.
class InitialFiles : public ::testing::Test {
protected:
    void SetUp() override { table_.SetFileName(DataPath("Tarnwick.OVL")); }

    std::string FileName(ModelType model) { return table_.GetLine("GI_App_InitialFile", model); }

    // The program's header check: its model code, and its second id 0 or the extra id 0x0100;
    // map revision 4 only; exactly the radio part.
    int Load(ModelType model, cmcEeprom& image) {
        image.Resize(kDocument);
        cmcTovFile file;
        file.SetImage(&image);
        file.SetModelId(0x2726);
        file.SetExtraId(0);
        file.SetMapRevHandler([](int mapRev) { return mapRev == 4; });
        file.SetHeaderHandler([](int modelId, int extraId, int* result) {
            *result = modelId != 0x2726                   ? TOV_Model
                      : extraId != 0 && extraId != 0x0100 ? TOV_Extra
                                                          : TOV_Ok;
            return *result == TOV_Ok;
        });
        const AddressRangeList ranges{{0, kRadioPart - 1}};
        return file.Read(DataPath(FileName(model)), &ranges);
    }

    // The default image as the program keeps it (working tables from the templates), and the
    // document File New makes of it (packed).
    void NewDocument(ModelType model, cmcEeprom& defaults, cmcEeprom& document) {
        ASSERT_EQ(Load(model, defaults), TOV_Ok);
        ASSERT_EQ(UnpackImage(defaults, model, UNPACK_Reset), PACK_Ok);
        document.Assign(defaults);
        ASSERT_EQ(PackImage(document, model), PACK_Ok);
    }

    cmcGTex table_;
    testsupport::ScopedMainGTex tableInstalled_{&table_};
    testsupport::RecordingBoxes boxes_;
};

TEST_F(InitialFiles, EachReadsBackWithTheProgramsChecksAsItsOwnModelType) {
    const std::string extension = "." + table_.GetLine("GI_Sys_Dialog_FOpen", 0);
    for (ModelType model : kModelTypes) {
        SCOPED_TRACE(FileName(model));
        EXPECT_TRUE(FileName(model).ends_with(extension));
        cmcEeprom image;
        ASSERT_EQ(Load(model, image), TOV_Ok);
        EXPECT_EQ(CheckImage(image, image, true), 0);
        EXPECT_EQ(ModelTypeFromImage(image), model);
        cmcEeprom expected;
        ASSERT_TRUE(initial::BuildInitialImage(model, expected));
        EXPECT_TRUE(SameRadioPart(image, expected)) << "the file is not what its table says";
    }
    EXPECT_TRUE(boxes_.boxes.empty());
}

// Opened as a clone file or made by File New, saved and read back: the same image.
TEST_F(InitialFiles, UnpackAndPackBackByteForByte) {
    for (ModelType model : kModelTypes) {
        SCOPED_TRACE(FileName(model));
        cmcEeprom defaults, document;
        NewDocument(model, defaults, document);
        EXPECT_EQ(CheckImage(document, document, true), 0);

        cmcEeprom opened;
        ASSERT_EQ(Load(model, opened), TOV_Ok);
        ASSERT_EQ(UnpackImage(opened, model, UNPACK_FromPackedArea), PACK_Ok);
        EXPECT_EQ(
            std::memcmp(opened.GetData() + 41440, defaults.GetData() + 41440, kDocument - 41440), 0)
            << "the packed MDC tables are not the templates";
        ASSERT_EQ(PackImage(opened, model), PACK_Ok);
        EXPECT_TRUE(SameRadioPart(opened, document));

        cmcEeprom saved;
        CopyRadioPart(document, saved);
        ASSERT_EQ(UnpackImage(saved, model, UNPACK_FromPackedArea), PACK_Ok);
        ASSERT_EQ(PackImage(saved, model), PACK_Ok);
        EXPECT_TRUE(SameRadioPart(saved, document));

        // Packing moves only the packed area, its header and the MDC tables' places.
        for (int a = 0; a < 3968; ++a) {
            const bool packing = (a >= 312 && a <= 327) || (a >= 3730 && a <= 3851);
            if (!packing && document.GetData()[a] != defaults.GetData()[a]) {
                ADD_FAILURE() << "packing changed byte " << a;
                break;
            }
        }
    }
}

// Every bit the program reconciles or derives on saving and opening is what it would make.
TEST_F(InitialFiles, ANewDocumentIsInLineWithItsDefaults) {
    for (ModelType model : kModelTypes) {
        SCOPED_TRACE(FileName(model));
        cmcEeprom defaults, document;
        NewDocument(model, defaults, document);
        cmcEeprom out;
        out.Assign(document);
        ASSERT_EQ(FinaliseImage(out, defaults, model, FINALISE_GoingOut), PACK_Ok);
        EXPECT_TRUE(SameRadioPart(out, document)) << "saving a new document changes it";
        cmcEeprom in;
        CopyRadioPart(document, in);
        ASSERT_EQ(FinaliseImage(in, defaults, model, FINALISE_TakenIn), PACK_Ok);
        EXPECT_TRUE(SameRadioPart(in, document)) << "opening a new document changes it";
    }
}

bool FitsMask(int32_t value, uint8_t mask) {
    const int shift = std::countr_zero(mask);
    return value >= 0 && ((static_cast<int64_t>(value) << shift) & ~int64_t{mask}) == 0;
}

// What one record of the setting should hold, byte by byte, with the bits it covers.
std::vector<uint8_t> Expected(const Setting& s, const cmcEeprom& image, int record,
                              std::vector<uint8_t>& masks) {
    const int32_t v = s.ValueOf(record);
    masks.assign(s.Width(), 0xFF);
    switch (s.put) {
        case Put::Bits:
            masks[0] = s.mask;
            return {static_cast<uint8_t>(v << std::countr_zero(s.mask))};
        case Put::Word:
            return {static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v)};
        case Put::Long:
            return {static_cast<uint8_t>(v >> 24), static_cast<uint8_t>(v >> 16),
                    static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v)};
        case Put::Fill:
            return std::vector<uint8_t>(s.length, static_cast<uint8_t>(v));
        case Put::Text:
            return {s.text, s.text + s.length};
        case Put::Copy:
            return {image.GetData() + v, image.GetData() + v + s.length};
    }
    return {};
}

// Each setting of the table stands in the file of every model type it belongs to, and no
// other setting of that type covers any of its bits.
TEST_F(InitialFiles, EverySettingStandsAloneInItsFiles) {
    for (ModelType model : kModelTypes) {
        SCOPED_TRACE(FileName(model));
        cmcEeprom image;
        ASSERT_EQ(Load(model, image), TOV_Ok);
        std::vector<uint8_t> covered(kRadioPart, 0);
        int row = 0;
        for (const Setting& s : initial::InitialSettings()) {
            ++row;
            if (!InGroup(model, s.models)) {
                continue;
            }
            for (int record = 0; record < s.count; ++record) {
                const int at = s.place.At(record);
                if (s.put == Put::Bits) {
                    EXPECT_TRUE(FitsMask(s.ValueOf(record), s.mask)) << "row " << row;
                }
                std::vector<uint8_t> masks;
                const std::vector<uint8_t> bytes = Expected(s, image, record, masks);
                for (int k = 0; k < s.Width(); ++k) {
                    EXPECT_EQ(covered[at + k] & masks[k], 0)
                        << "row " << row << " covers bits of byte " << at + k << " again";
                    covered[at + k] |= masks[k];
                    EXPECT_EQ(image.GetData()[at + k] & masks[k], bytes[k] & masks[k])
                        << "row " << row << ", byte " << at + k;
                }
            }
        }
    }
}

int Byte(const uint8_t* b, int address) {
    return b[address];
}

int Word(const uint8_t* b, int address) {
    return GetBE16(b + address);
}

bool In(int value, int low, int high) {
    return value >= low && value <= high;
}

// The same test for each of count entries of a table.
bool All(int count, const std::function<bool(int)>& test) {
    for (int i = 0; i < count; ++i) {
        if (!test(i)) {
            return false;
        }
    }
    return true;
}

bool BlankText(const uint8_t* b, int address, int length) {
    return All(length, [&](int i) { return b[address + i] == ' '; });
}

struct DefaultCase {
    const char* what;
    ModelGroup models;
    std::function<bool(const uint8_t*)> holds;
};

// A few defaults read as their cells read them, against the ranges of their editors and the
// checks of the warning list.
const DefaultCase kDefaultCases[] = {
    {"IF frequency in 25 kHz steps within 99.975 MHz", ModelGroup::All,
     [](const uint8_t* b) {
         const auto hz = static_cast<int32_t>(GetBE32(b + 16));
         return hz % 25000 == 0 && In(hz, -99975000, 99975000) && hz != 0;
     }},
    {"PLL reference in 25 kHz steps", ModelGroup::All,
     [](const uint8_t* b) {
         const auto hz = static_cast<int32_t>(GetBE32(b + 20));
         return hz % 25000 == 0 && In(hz, 25000, 99975000);
     }},
    {"DTCS decoding 12..23", ModelGroup::All,
     [](const uint8_t* b) { return In(b[35] + 11, 12, 23); }},
    {"time-out timer set", ModelGroup::All,
     [](const uint8_t* b) { return In(Byte(b, 404), 1, 255); }},
    {"beep tones 400..3000 Hz, low below high", ModelGroup::All,
     [](const uint8_t* b) {
         return In(Word(b, 354) / 10, 400, 3000) && In(Word(b, 356) / 10, 400, 3000) &&
                Word(b, 354) < Word(b, 356);
     }},
    {"user CTCSS tone 60.0..300.0 Hz", ModelGroup::All,
     [](const uint8_t* b) { return In(Word(b, 690), 600, 3000); }},
    {"key functions are characters", ModelGroup::All,
     [](const uint8_t* b) { return All(16, [b](int i) { return In(b[416 + i], 0x20, 0x7E); }); }},
    {"names and texts blank", ModelGroup::All,
     [](const uint8_t* b) {
         return BlankText(b, 696, 128) && BlankText(b, 2133, 8) && BlankText(b, 504, 32) &&
                All(10, [b](int j) { return BlankText(b, 860 + 42 * j, 8); }) &&
                All(8, [b](int k) { return BlankText(b, 1280 + 21 * k, 8); });
     }},
    {"no newer data", ModelGroup::All, [](const uint8_t* b) { return Byte(b, 2125) <= 1; }},
    {"MSK timing NA, NM, NR 1..8 and TAC 0.01..2.55 s", ModelGroup::All,
     [](const uint8_t* b) {
         return In(b[2158], 1, 8) && In(b[2159], 1, 8) && In(b[2160], 1, 8) && b[2162] >= 1;
     }},
    {"GPS interval 30..3570 s, beep repeat up to 60 s", ModelGroup::All,
     [](const uint8_t* b) { return In(b[2152], 1, 119) && b[2149] <= 60; }},
    {"MSK killer, fixed base IDs and own group individual; other groups group addresses",
     ModelGroup::All,
     [](const uint8_t* b) {
         const int g = Word(b, 2182);
         return g > 0 && Word(b, 2186) < g && Word(b, 2142) < g && Word(b, 2144) < g &&
                Word(b, 2646) < g &&
                All(7, [&](int i) { return In(Word(b, 2661 + 15 * i), g, 4095); });
     }},
    {"MDC general times within their ranges", ModelGroup::All,
     [](const uint8_t* b) {
         return All(5, [b](int i) {
             const int e = 3332 + 20 * i;
             return Word(b, e + 5) <= 10000 && In(b[e + 8], 0, 40) &&
                    In(Word(b, e + 9), 1000, 30000) && In(Word(b, e + 11), 500, 10000) &&
                    Word(b, e + 13) <= 4500 && Word(b, e + 15) <= 500 && Word(b, e + 17) <= 60000;
         });
     }},
    {"MDC retries 1..15, call-alert retries 1..250", ModelGroup::All,
     [](const uint8_t* b) {
         return All(5, [b](int i) {
             return In(b[3432 + 8 * i] & 0x0F, 1, 15) && In(b[3472 + 8 * i] & 0x0F, 1, 15) &&
                    In(b[3582 + 8 * i] & 0x0F, 1, 15) && In(b[3722 + 10 * i] & 0x0F, 1, 15) &&
                    In(b[3772 + 10 * i] & 0x0F, 1, 15) && In(Word(b, 3514 + 10 * i), 1, 250);
         });
     }},
    {"MDC emergency: open microphone up to 140, cycles up to 250, times up to 60 s",
     ModelGroup::All,
     [](const uint8_t* b) {
         return All(5, [b](int i) {
             const int e = 3622 + 14 * i;
             return b[e + 12] <= 140 && b[e + 13] <= 250 &&
                    All(4, [&](int t) { return Word(b, e + 4 + 2 * t) <= 60000; });
         });
     }},
    {"user tones 400.0..3000.0 Hz inside their windows", ModelGroup::Pmr,
     [](const uint8_t* b) {
         return All(15, [b](int i) {
             const int tone = Word(b, 568 + 2 * i);
             return In(tone, 4000, 30000) && In(Word(b, 598 + 4 * i), 4000, tone) &&
                    In(Word(b, 600 + 4 * i), tone, 30000);
         });
     }},
    {"user-tone no-tone timer 0.02..0.3 s in 0.02 s steps", ModelGroup::Pmr,
     [](const uint8_t* b) { return In(b[686], 2, 30) && b[686] % 2 == 0; }},
    {"two-tone no-tone timer 0.02..0.3 s in 0.02 s steps", ModelGroup::Lmr,
     [](const uint8_t* b) { return In(b[667], 2, 30) && b[667] % 2 == 0; }},
};

TEST_F(InitialFiles, DefaultsLieInTheRangesOfTheirFields) {
    for (ModelType model : kModelTypes) {
        SCOPED_TRACE(FileName(model));
        cmcEeprom image;
        ASSERT_EQ(Load(model, image), TOV_Ok);
        for (const DefaultCase& c : kDefaultCases) {
            if (InGroup(model, c.models)) {
                EXPECT_TRUE(c.holds(image.GetData())) << c.what;
            }
        }
    }
}

// Through the record views: what a new channel, code and list entry starts from.
TEST_F(InitialFiles, NewRecordsStartEmpty) {
    for (ModelType model : kModelTypes) {
        SCOPED_TRACE(FileName(model));
        cmcEeprom defaults, document;
        NewDocument(model, defaults, document);
        datCh channel(&defaults);
        channel.Load(ChannelKindOf(model), 200);
        EXPECT_FALSE(channel.used);
        EXPECT_FALSE(channel.tone1.on);
        EXPECT_FALSE(channel.tone2.on);
        EXPECT_EQ(std::string(channel.name.begin(), channel.name.end()), "        ");
        EXPECT_EQ(channel.nar, 1);
        EXPECT_EQ(channel.mskSig, 0);
        datCh tone(&defaults);
        tone.Load(RK_CTone, 8);
        EXPECT_FALSE(tone.tone1.on || tone.tone2.on);
        datCh call(&defaults);
        call.Load(RK_MskCallList, 31);
        EXPECT_EQ(call.adr, 0);
        EXPECT_EQ(call.sel, 0);
        if (IsPmrType(model)) {
            // A five-tone code without digits begins with the closing nibble.
            EXPECT_EQ(defaults.GetData()[1938 + 17 * 8] >> 4, 15);
            EXPECT_EQ(defaults.GetData()[1490 + 14 * 31 + 8] >> 4, 15);
        } else {
            datCh code(&defaults);
            code.Load(RK_2ToneCode, 10);
            EXPECT_EQ(code.toneA, 0.0);
            EXPECT_EQ(code.lowA, 0);
            EXPECT_TRUE(code.codeType);
        }
    }
}

int RunTool(const std::string& table, const std::string& folder) {
    const std::string command =
        std::string(INITIAL_FILE_TOOL) + " " + table + " " + folder + " 2>/dev/null";
    return WEXITSTATUS(std::system(command.c_str()));
}

TEST(InitialFileTool, NeedsItsTableAndAFolderToWriteInto) {
    const std::string table = DataPath("Tarnwick.OVL");
    const std::string folder = ::testing::TempDir() + "initial_file_tool";
    std::filesystem::create_directories(folder);
    EXPECT_EQ(RunTool(folder + "/no_such_table.OVL", folder), 1);
    EXPECT_EQ(RunTool(table, folder + "/no_such_folder"), 1);
    EXPECT_EQ(RunTool(table, folder), 0);
    EXPECT_TRUE(std::filesystem::exists(folder + "/InitialMdcPmr.tov"));
}

}  // namespace
