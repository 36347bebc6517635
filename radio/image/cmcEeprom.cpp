#include "radio/image/cmcEeprom.h"

#include <cstring>

#include "platform/MessageBox.h"

cmcEeprom::cmcEeprom() = default;

cmcEeprom::~cmcEeprom() = default;

void cmcEeprom::Resize(int n) {
    if (n != size_) {
        data_.reset();
        size_ = 0;
        if (n > 0) {
            data_ = std::make_unique<uint8_t[]>(static_cast<size_t>(n));
            size_ = n;
        }
    }
    Fill(0);
}

void cmcEeprom::Fill(uint8_t value) {
    if (data_) {
        std::memset(data_.get(), value, static_cast<size_t>(size_));
    }
}

void cmcEeprom::Assign(const cmcEeprom& other) {
    // Resizing clears the bytes, so assigning an image to itself must stop here.
    if (&other == this) {
        return;
    }
    Resize(other.GetSize());
    other.ReadBlock(0, data_.get(), size_);
}

bool cmcEeprom::IsEqual(const cmcEeprom& other) const {
    if (size_ != other.size_) {
        return false;
    }
    return size_ == 0 || std::memcmp(data_.get(), other.data_.get(), size_) == 0;
}

void cmcEeprom::SetByte(int address, uint8_t value) {
    if (!IsValidAddress(address)) {
        platform::Fatal("Out of EEPROM image address (SetByte).");
    }
    data_[address] = value;
}

uint8_t cmcEeprom::GetByte(int address) const {
    if (!IsValidAddress(address)) {
        platform::Fatal("Out of EEPROM image address (GetByte).");
    }
    return data_[address];
}

void cmcEeprom::WriteBlock(int address, const uint8_t* source, int length) {
    if (HoldsBlock(address, length)) {
        std::memmove(data_.get() + address, source, static_cast<size_t>(length));
    }
}

void cmcEeprom::ReadBlock(int address, uint8_t* destination, int length) const {
    if (HoldsBlock(address, length)) {
        std::memmove(destination, data_.get() + address, static_cast<size_t>(length));
    }
}

bool cmcEeprom::HoldsBlock(int address, int length) const {
    return IsValidAddress(address) && length > 0 && static_cast<int64_t>(address) + length <= size_;
}
