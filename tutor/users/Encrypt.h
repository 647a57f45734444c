#pragma once
// Byte-wise scrambling of the passwords stored in the user records. It keeps a password from being
// read at a glance in the file; it is not cryptographic protection.
#include <cstdint>
#include "platform/rtl/String.h"

namespace Encrypt {
// Fixed for good: files written with other values decode to other texts.
inline constexpr std::uint16_t StartConstant = 0x3B1D;
inline constexpr std::uint16_t Multiplier = 0x9E37;
inline constexpr std::uint16_t Addend = 0x7F4A;

// Running key at the start of a text of the given length in bytes.
std::uint16_t StartKey(std::size_t length);

// A password as stored: the letters A to Z lowered, scrambled, two upper hexadecimal digits a byte.
String EncodePassword(const String& text);
// Reads the digit pairs back (an odd last digit is ignored) and unscrambles them.
String DecodePassword(const String& hex);
}  // namespace Encrypt

// The first four characters as hexadecimal digits ("0" padded in front); non-digits read as 0.
std::uint16_t HexToWord(const String& s);
String EncryptText(const String& text, std::uint16_t key);
String DecryptText(const String& text, std::uint16_t key);
