#pragma once

#include <cstdint>
#include <memory>

// One memory image of the radio: a size and an owned byte array. Byte access is bounds-checked
// (fatal outside the image); block access does nothing unless the whole block lies inside.
class cmcEeprom {
public:
    cmcEeprom();
    ~cmcEeprom();
    cmcEeprom(const cmcEeprom&) = delete;
    cmcEeprom& operator=(const cmcEeprom&) = delete;

    // A different size reallocates; any size above 0 then clears every byte.
    void Resize(int n);
    int GetSize() const { return size_; }
    void Fill(uint8_t value);
    void Assign(const cmcEeprom& other);
    bool IsEqual(const cmcEeprom& other) const;
    bool IsDifferent(const cmcEeprom& other) const { return !IsEqual(other); }
    bool IsValidAddress(int address) const { return address >= 0 && address < size_; }

    void SetByte(int address, uint8_t value);
    uint8_t GetByte(int address) const;
    void WriteBlock(int address, const uint8_t* source, int length);
    void ReadBlock(int address, uint8_t* destination, int length) const;

    // The bytes themselves, for record views and packing; null when the image is empty.
    uint8_t* GetData() { return data_.get(); }
    const uint8_t* GetData() const { return data_.get(); }

private:
    bool HoldsBlock(int address, int length) const;

    int size_ = 0;
    std::unique_ptr<uint8_t[]> data_;
};
