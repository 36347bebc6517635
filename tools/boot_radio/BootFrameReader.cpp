#include "tools/boot_radio/BootFrameReader.h"

BootFrameReader::Result BootFrameReader::Take(uint8_t byte) {
    switch (where_) {
        case Where::Idle:
            if (byte == 0xFE) {
                where_ = Where::FirstFE;
            }
            return Result::Pending;
        case Where::FirstFE:
            where_ = byte == 0xFE ? Where::Type : Where::Idle;
            return Result::Pending;
        case Where::Type:
            type_ = byte;
            payload_.clear();
            where_ = Where::Payload;
            return Result::Pending;
        case Where::Payload:
            return TakePayload(byte);
        case Where::Escape:
            where_ = Where::Payload;
            if (byte > 0x0F) {
                where_ = Where::Idle;
                return Result::Faulty;
            }
            payload_.push_back(static_cast<uint8_t>(0xF0 | byte));
            return Result::Pending;
    }
    return Result::Pending;
}

BootFrameReader::Result BootFrameReader::TakePayload(uint8_t byte) {
    if (byte == 0xFD) {
        where_ = Where::Idle;
        return Result::Frame;
    }
    if (byte == 0xFF) {
        where_ = Where::Escape;
        return Result::Pending;
    }
    if (byte >= 0xFA) {  // an unescaped marker inside a payload
        where_ = byte == 0xFE ? Where::FirstFE : Where::Idle;
        return Result::Faulty;
    }
    payload_.push_back(byte);
    return Result::Pending;
}
