#include "tools/loader_images/SrecImage.h"

#include "loader/clsMotS.h"

bool SrecImage::Read(const std::string& path, PlainImage& image, std::string& error) {
    clsMotS store;
    store.Clear(0xFF);
    store.OpenFile(path);
    int result = clsMotS::kHeader;
    while (result < clsMotS::kEnd) {
        result = store.ReadRecord();
    }
    if (result == clsMotS::kNoFile) {
        error = "cannot open " + path;
        return false;
    }
    if (result != clsMotS::kEnd || store.GetSize() == 0) {
        error = path + ": not a complete S-record image with data";
        return false;
    }
    image.first = static_cast<uint32_t>(store.GetLowest());
    image.last = static_cast<uint32_t>(store.GetHighest());
    image.bytes.resize(store.GetSize());
    store.ReadBlock(store.GetLowest(), store.GetSize(), image.bytes.data());
    return true;
}
