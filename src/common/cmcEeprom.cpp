#include "common/cmcEeprom.h"

#include <cstring>

#include "platform/Fatal.h"

cmcEeprom::~cmcEeprom()
{
    delete[] data_;
}

void cmcEeprom::SetSize(int32_t newSize)
{
    if (newSize != size_) {
        delete[] data_;
        data_ = nullptr;
        size_ = 0;
        if (newSize > 0) {
            data_ = new uint8_t[static_cast<size_t>(newSize)];
            size_ = newSize;
        }
    }
    if (size_ > 0) {
        std::memset(data_, 0, static_cast<size_t>(size_));
    }
}

void cmcEeprom::Fill(uint8_t value)
{
    if (size_ > 0) {
        std::memset(data_, value, static_cast<size_t>(size_));
    }
}

void cmcEeprom::SetByte(int32_t address, uint8_t value)
{
    if (!IsAddress(address)) {
        plat::FatalError("Out of EEPROM image address (SetByte).");
    }
    data_[address] = value;
}

uint8_t cmcEeprom::GetByte(int32_t address) const
{
    if (!IsAddress(address)) {
        plat::FatalError("Out of EEPROM image address (GetByte).");
    }
    return data_[address];
}

bool cmcEeprom::IsBlock(int32_t start, int32_t length) const
{
    return start >= 0 && start < size_ && length > 0 && length <= size_ - start;
}

void cmcEeprom::SetBlock(int32_t start, const uint8_t* source, int32_t length)
{
    if (source == nullptr || !IsBlock(start, length)) {
        return;
    }
    std::memmove(data_ + start, source, static_cast<size_t>(length));
}

void cmcEeprom::GetBlock(int32_t start, uint8_t* destination, int32_t length) const
{
    if (destination == nullptr || !IsBlock(start, length)) {
        return;
    }
    std::memmove(destination, data_ + start, static_cast<size_t>(length));
}

cmcEeprom& cmcEeprom::Assign(const cmcEeprom& other)
{
    if (&other == this) {
        return *this;
    }
    SetSize(other.size_);
    other.GetBlock(0, data_, size_);
    return *this;
}

bool cmcEeprom::Equals(const cmcEeprom& other) const
{
    if (size_ != other.size_) {
        return false;
    }
    for (int32_t i = 0; i < size_; ++i) {
        if (data_[i] != other.data_[i]) {
            return false;
        }
    }
    return true;
}
