#pragma once
// An IStream over a copy of some bytes, positioned at the start, for a document to load.
#include <objidl.h>
#include <string>
#include "platform/win/ComPtr.h"

namespace web {
TComPtr<IStream> StreamOnBytes(const std::string& bytes);   // EOleSysError when out of memory
}
