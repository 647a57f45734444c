#pragma once
// What the data set hands out for reading and writing one blob value (CreateBlobStream).
// The caller owns the stream; a descendant signals the field change when a written stream goes.
#include <cstdint>

class TBlobStream {
public:
    virtual ~TBlobStream() = default;
    virtual int Read(void* buffer, int count) = 0;
    virtual int Write(const void* buffer, int count) = 0;
    // origin: 0 from the beginning, 1 from the current position, 2 from the end
    virtual int Seek(int offset, int origin) = 0;
    virtual int Size() = 0;
};
