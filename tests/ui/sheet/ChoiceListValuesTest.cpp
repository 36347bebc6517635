// The values a radio can hold in a listed field, painted through the real rows on the sheets of
// the program's own table: every value the memory map defines has its caption, so a radio's
// setting never shows "error". The fields whose lists once stopped short: the scan modes, the
// conventional key functions and the CTCSS tone index.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "radio/cells/CellCodes.h"
#include "radio/image/RecordKind.h"
#include "radio/records/datCh.h"
#include "tests/ui/support/SettingSheetRig.h"

namespace {

using testsupport::SettingSheetRig;
using CellKey = SettingSheetRig::CellKey;

std::vector<int> Range(int first, int last) {
    std::vector<int> values;
    for (int value = first; value <= last; ++value) {
        values.push_back(value);
    }
    return values;
}

void StoreScanMode(cmcEeprom& image, int list, int mode) {
    datCh record(&image);
    record.Load(RK_Scan, list);
    record.setting = mode;
    record.Store();
}

void StoreReceiveTone(cmcEeprom& image, int pair, int toneIndex) {
    datCh record(&image);
    record.Load(RK_CTone, pair);
    record.tone1 = {.on = 1, .toneIndex = toneIndex};
    record.Store();
}

void StoreKeyFunction(cmcEeprom& image, int key, int function) {
    image.SetByte(416 + key, static_cast<uint8_t>(function));
}

struct ListCase {
    const char* what;
    std::vector<ModelType> models;
    const char* sheet;
    int places;  // records (or keys) of the sheet that take one value each
    std::function<void(cmcEeprom&, int place, int value)> store;
    std::function<CellKey(int place)> cell;
    std::vector<int> values;
    std::vector<std::pair<int, std::string>> captions;  // some values with their text
};

const std::vector<ModelType> kAllModels = {MT_Lmr, MT_Pmr, MT_VaskPmr, MT_MdcLmr, MT_MdcPmr};

std::vector<int> ScanModes() {
    std::vector<int> modes = Range(0, 15);
    const std::vector<int> priority = Range(32, 47);
    modes.insert(modes.end(), priority.begin(), priority.end());
    return modes;
}

TEST(ChoiceListValues, EveryValueTheFieldDefinesPaintsItsCaption) {
    const ListCase cases[] = {
        {"scan mode",
         {MT_Pmr},
         "GI_Sheet_Scan_List",
         10,
         StoreScanMode,
         [](int list) {
             return CellKey{CL_ScanList_ScanMode, list};
         },
         ScanModes(),
         {{3, "Seek"},
          {4, "Mode 4"},
          {32, "Off, Priority"},
          {35, "Seek, Priority"},
          {47, "Mode 15, Priority"}}},
        {"conventional key function",
         kAllModels,
         "GI_Sheet_KDisp_Keys",
         8,
         StoreKeyFunction,
         [](int key) {
             return CellKey{CL_KDisp_Key_Conv_RightUp + key, 0};
         },
         Range('0', ';'),
         {{'0', "OPT1 Toggle /L"},
          {'6', "OPT4 Toggle /L"},
          {'8', "OPT6 Toggle /L"},
          {'9', "OPT4 Momentary /L"},
          {';', "OPT6 Momentary /L"}}},
        {"CTCSS tone",
         kAllModels,
         "GI_Sheet_Common_ToneTable",
         9,
         StoreReceiveTone,
         [](int pair) {
             return CellKey{CL_CTone_RX, pair};
         },
         Range(0, 51),
         {{0, "67.0"}, {49, "254.1"}, {50, "User"}, {51, "Tone 52"}}},
    };
    for (const ListCase& c : cases) {
        for (const ModelType model : c.models) {
            SCOPED_TRACE(std::string(c.what) + " on model type " + std::to_string(model));
            SettingSheetRig sheets(model);
            for (std::size_t first = 0; first < c.values.size(); first += c.places) {
                for (int place = 0; place < c.places && first + place < c.values.size(); ++place) {
                    c.store(sheets.rig.shell.image, place, c.values[first + place]);
                }
                sheets.Open(c.sheet);
                for (int place = 0; place < c.places && first + place < c.values.size(); ++place) {
                    const int value = c.values[first + place];
                    const std::string& text = sheets.painted[c.cell(place)].text;
                    EXPECT_FALSE(text.empty()) << value;
                    EXPECT_EQ(text.find("error"), std::string::npos) << value << ": " << text;
                    for (const auto& [known, caption] : c.captions) {
                        if (known == value) {
                            EXPECT_EQ(text, caption);
                        }
                    }
                }
            }
        }
    }
}

// A value the memory map does not define keeps "error", so a damaged setting stays visible.
TEST(ChoiceListValues, AValueTheFieldDoesNotDefineStillShowsError) {
    SettingSheetRig sheets(MT_Pmr);
    StoreReceiveTone(sheets.rig.shell.image, 0, 54);
    StoreKeyFunction(sheets.rig.shell.image, 0, '<');
    sheets.Open("GI_Sheet_Common_ToneTable");
    EXPECT_EQ(sheets.At(CL_CTone_RX, 0).text, "error");
    sheets.Open("GI_Sheet_KDisp_Keys");
    EXPECT_EQ(sheets.At(CL_KDisp_Key_Conv_RightUp).text, "error");
}

}  // namespace
