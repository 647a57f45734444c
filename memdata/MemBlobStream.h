#pragma once
#include "platform/db/BlobStream.h"
#include "platform/db/DBTypes.h"
#include "platform/rtl/String.h"

class TMemData;

// Reads and writes one blob value of a TMemData record. Writing works on the record buffer
// being edited (Cached); reading the buffer of another state reads the stored value of the
// current record. The data set's CreateBlobStream makes it.
class TMemBlobStream : public TBlobStream {
public:
    TMemBlobStream(TField* field, TBlobStreamMode mode);
    // A written stream marks its field modified and tells the data set the field changed.
    ~TMemBlobStream() override;
    TMemBlobStream(const TMemBlobStream&) = delete;
    TMemBlobStream& operator=(const TMemBlobStream&) = delete;

    int Read(void* buffer, int count) override;
    int Write(const void* buffer, int count) override;
    int Seek(int offset, int origin) override;
    int Size() override;
    void Truncate();

private:
    const String& Value() const;
    String* Slot() const;

    TField* FField;
    TMemData* FDataSet;
    TRecordBuffer FBuffer = nullptr;
    TBlobStreamMode FMode;
    bool FOpened = false;
    bool FModified = false;
    int FPosition = 0;
    bool FCached = false;
};
