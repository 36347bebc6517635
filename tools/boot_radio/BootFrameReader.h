#pragma once

#include <cstdint>
#include <vector>

// Collects the loader's frames from the byte stream: FE FE, the type, the escaped payload
// (FF n stands for 0xF0 + n), FD. Bytes outside a frame are ignored.
class BootFrameReader {
public:
    enum class Result { Pending, Frame, Faulty };

    // Takes one byte; Frame when it completed a well-formed frame, Faulty for a broken one.
    Result Take(uint8_t byte);
    uint8_t Type() const { return type_; }
    const std::vector<uint8_t>& Payload() const { return payload_; }

private:
    enum class Where { Idle, FirstFE, Type, Payload, Escape };

    Result TakePayload(uint8_t byte);

    Where where_ = Where::Idle;
    uint8_t type_ = 0;
    std::vector<uint8_t> payload_;
};
