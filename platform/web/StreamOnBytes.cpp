#include "StreamOnBytes.h"
#include <windows.h>
#include "platform/win/OleError.h"

namespace web {

TComPtr<IStream> StreamOnBytes(const std::string& bytes) {
    TComPtr<IStream> stream;
    OleCheck(CreateStreamOnHGlobal(nullptr, TRUE, stream.Out()));
    ULONG written = 0;
    OleCheck(stream->Write(bytes.data(), ULONG(bytes.size()), &written));
    LARGE_INTEGER start = {};
    OleCheck(stream->Seek(start, STREAM_SEEK_SET, nullptr));
    return stream;
}

}  // namespace web
