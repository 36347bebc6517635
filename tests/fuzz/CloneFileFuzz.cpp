// The clone-file reader on any file, with and without ranges to cover.
#include "common/MainGTex.h"
#include "common/cmcGTex.h"
#include "radio/CloneFileResult.h"
#include "radio/cmcEeprom.h"
#include "radio/cmcTovFile.h"
#include "tests/fuzz/FuzzSupport.h"

namespace {

// The messages the reader's result box reads.
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
    "#End_Of_Ovl",
};

int ReadFile(const std::string& path, const AddressRangeList* ranges) {
    cmcEeprom image;
    image.Resize(48880);
    cmcTovFile file;
    file.SetImage(&image);
    file.SetModelId(0x2726);
    file.SetMapRevHandler([](int mapRev) { return mapRev <= 4; });
    file.SetHeaderHandler([](int id1, int, int* result) {
        *result = id1 == 0x2726 ? TOV_Ok : TOV_Model;
        return *result == TOV_Ok;
    });
    return file.Read(path, ranges);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static fuzz::QuietBoxes boxes;
    static cmcGTex table;
    static const bool bound = [] {
        table.SetLines(kTable);
        InstallMainGTex(&table);
        return true;
    }();
    (void)bound;
    const std::string& path = fuzz::WriteScratchFile(data, size, ".tov");
    const AddressRangeList radioPart = {{0, 32735}, {1, 0}};
    ReadFile(path, &radioPart);
    ReadFile(path, nullptr);
    return 0;
}
