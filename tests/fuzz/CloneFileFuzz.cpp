// The clone-file reader on any file, with and without ranges to cover.
#include "common/MainGTex.h"
#include "common/cmcGTex.h"
#include "radio/clone/file/CloneFileResult.h"
#include "radio/clone/file/cmcTovFile.h"
#include "radio/image/cmcEeprom.h"
#include "tests/fuzz/FuzzSupport.h"

namespace {

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
    // The result box reads its messages from the program's own table.
    static const bool bound = [] {
        table.SetFileName(MERROW_DATA_DIR "/Tarnwick.OVL");
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
