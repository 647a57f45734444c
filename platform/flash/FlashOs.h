#pragma once
// The movie player's one system call: reading a movie file (FlashOs.cpp).
#include <string>
#include "platform/rtl/String.h"

namespace flash_os {

enum class ReadResult { Ok, Unreadable, TooLarge };

// The whole file; a missing or unreadable file is Unreadable, one above maxBytes TooLarge.
ReadResult ReadWholeFile(const WideString& path, std::size_t maxBytes, std::string& bytes);

}  // namespace flash_os
