#include "platform/rtl/TObject.h"
#include "platform/rtl/SysUtils.h"

void TPersistent::Assign(TPersistent* source) {
    throw EConvertError(String("Cannot assign a ") + (source ? "object" : "nil") + " to this object");
}
