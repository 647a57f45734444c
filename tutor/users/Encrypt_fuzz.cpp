// Any bytes as a stored password decode without a fault; any bytes as a password come back
// from their stored form lowered, as the user records keep them.
#include <cstdint>
#include "tutor/users/Encrypt.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const String bytes(reinterpret_cast<const char*>(data), size);
    (void)Encrypt::DecodePassword(bytes);
    (void)HexToWord(bytes);
    if (bytes.find('\xFF') == String::npos) {
        String lowered = bytes;
        for (char& c : lowered)
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
        if (Encrypt::DecodePassword(Encrypt::EncodePassword(bytes)) != lowered) __builtin_trap();
    }
    return 0;
}
