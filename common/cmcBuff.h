#pragma once

#include <cstdint>
#include <memory>

// Growable byte buffer that also serves as a queue: bytes are appended at the end and
// popped from the front, which only moves the head until 4 KB of dead room lie before it.
class cmcBuff {
public:
    cmcBuff();
    cmcBuff(const cmcBuff& other);
    cmcBuff& operator=(const cmcBuff& other);
    virtual ~cmcBuff();

    int SetLength(int n);
    int Resize(int n) { return SetLength(n); }
    int GetLength() const { return length_; }
    int Size() const { return length_; }
    uint8_t* GetData() { return head(); }
    const uint8_t* GetData() const { return head(); }

    void Assign(const cmcBuff& other);
    void Append(const cmcBuff& other);
    void AppendByte(uint8_t byte);
    void AddByte(int value) { AppendByte(static_cast<uint8_t>(value)); }
    void AppendBytes(const uint8_t* bytes, int n);
    void AppendFill(uint8_t value, int count);
    // The source may lie inside this buffer.
    void SetBytes(const uint8_t* bytes, int n);
    // Byte i; fatal when i is negative or not below the length.
    uint8_t* At(int i);
    // The first byte as 0..255, or -1 when empty.
    int PopFront();
    void Clear();
    void Compact();

private:
    uint8_t* head() const { return allocation_.get() + headOffset_; }
    int capacity() const { return allocationSize_ - headOffset_; }
    bool Holds(const uint8_t* p) const;

    std::unique_ptr<uint8_t[]> allocation_;
    int allocationSize_ = 0;
    int headOffset_ = 0;
    int length_ = 0;
    uint8_t fill_ = 0;
};
