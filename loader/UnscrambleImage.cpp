#include "loader/UnscrambleImage.h"

#include "loader/ImageKey.h"
#include "loader/LoaderImage.h"

void UnscrambleImage(uint8_t* bytes, size_t count) {
    ApplyImageKey(bytes, count, EmbeddedImageKey());
}
