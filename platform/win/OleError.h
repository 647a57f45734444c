#pragma once
// A failed call of a system COM object, with the HRESULT it answered.
#include <cstdint>
#include "platform/rtl/SysUtils.h"

class EOleSysError : public Exception {
public:
    EOleSysError(String message, std::int32_t errorCode) : Exception(std::move(message)), FErrorCode(errorCode) {}
    std::int32_t ErrorCode() const { return FErrorCode; }
private:
    std::int32_t FErrorCode;
};

// Raises EOleSysError with the system's text for the code when hr reports failure.
void OleCheck(long hr);
