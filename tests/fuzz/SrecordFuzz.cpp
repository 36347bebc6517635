// The loader's S-record reader on any file: reads records until the end or a fault.
#include "loader/clsMotS.h"
#include "tests/fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static clsMotS store;
    store.Clear(0xFF);
    store.OpenFile(fuzz::WriteScratchFile(data, size, ".mot"));
    int result = 0;
    for (int n = 0; n < 100000 && result < clsMotS::kEnd; ++n) {
        result = store.ReadRecord();
    }
    store.Sum(0, 0x3FFFF);
    return 0;
}
