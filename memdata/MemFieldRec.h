#pragma once
#include <cstring>
#include <memory>

// One stored value: a block of exactly the column's data size, and whether the field has a
// value in that record. Without a source the block is zeros and the value is null.
class TMemFieldRec {
public:
    TMemFieldRec(const void* source, int size)
        : FData(new char[static_cast<std::size_t>(size)]), HasValue(source != nullptr) {
        if (source) std::memcpy(FData.get(), source, static_cast<std::size_t>(size));
        else std::memset(FData.get(), 0, static_cast<std::size_t>(size));
    }
    char* Data() { return FData.get(); }
    const char* Data() const { return FData.get(); }

private:
    std::unique_ptr<char[]> FData;

public:
    bool HasValue;
};
