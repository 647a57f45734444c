#include "DatabaseError.h"

void DatabaseError(const String& message, const String& componentName) {
    if (componentName.empty()) throw EDatabaseError(message);
    throw EDatabaseError(componentName + ": " + message);
}

void DatabaseErrorFmt(const String& pattern, std::initializer_list<FormatArg> args, const String& componentName) {
    DatabaseError(Format(pattern, args), componentName);
}
