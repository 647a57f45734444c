#pragma once
#include <initializer_list>
#include "platform/rtl/SysUtils.h"

class EDatabaseError : public Exception { using Exception::Exception; };

// Raises EDatabaseError; with a named component the message reads "Name: message".
[[noreturn]] void DatabaseError(const String& message, const String& componentName = String());
[[noreturn]] void DatabaseErrorFmt(const String& pattern, std::initializer_list<FormatArg> args,
                                   const String& componentName = String());
