#pragma once
// Streams with the class library's semantics: TStream and its memory, file and string streams.
#include <cstdint>
#include <functional>
#include <vector>
#include "Os.h"
#include "String.h"
#include "SysUtils.h"

class EFilerError : public EStreamError { using EStreamError::EStreamError; };
class EReadError : public EFilerError { using EFilerError::EFilerError; };     // "Stream read error"
class EWriteError : public EFilerError { using EFilerError::EFilerError; };    // "Stream write error"

enum TSeekOrigin : unsigned short { soFromBeginning = 0, soFromCurrent = 1, soFromEnd = 2 };

class TStream {
public:
    virtual ~TStream() = default;
    // Both move at most count bytes and return how many moved.
    virtual int Read(void* buffer, int count) = 0;
    virtual int Write(const void* buffer, int count) = 0;
    virtual std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) = 0;
    virtual void SetSize(std::int64_t newSize);

    std::int64_t Position() { return Seek(0, soFromCurrent); }
    void SetPosition(std::int64_t value) { Seek(value, soFromBeginning); }
    virtual std::int64_t Size();

    void ReadBuffer(void* buffer, int count);         // all or EReadError
    void WriteBuffer(const void* buffer, int count);  // all or EWriteError
    // Copies count bytes from source's position; count 0 copies the whole of source from its start.
    std::int64_t CopyFrom(TStream& source, std::int64_t count);
};

class TMemoryStream : public TStream {
public:
    int Read(void* buffer, int count) override;
    int Write(const void* buffer, int count) override;
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
    void SetSize(std::int64_t newSize) override;
    std::int64_t Size() override { return std::int64_t(FData.size()); }

    void* Memory() { return FData.data(); }
    const void* Memory() const { return FData.data(); }
    void Clear();
    void LoadFromStream(TStream& stream);   // the whole of stream, position 0 afterwards
    void LoadFromFile(const String& fileName);
    void SaveToStream(TStream& stream);     // the whole content
    void SaveToFile(const String& fileName);   // replaces the file only once it is fully written

private:
    std::vector<char> FData;
    std::int64_t FPosition = 0;
};

// File modes of TFileStream: one access mode combined with one share mode, or fmCreate.
enum : unsigned {
    fmOpenRead = 0x0000,
    fmOpenWrite = 0x0001,
    fmOpenReadWrite = 0x0002,
    fmShareCompat = 0x0000,      // no sharing, as exclusive
    fmShareExclusive = 0x0010,
    fmShareDenyWrite = 0x0020,
    fmShareDenyRead = 0x0030,
    fmShareDenyNone = 0x0040,
    fmCreate = 0xFF00,           // creates or truncates; may be combined with a share mode
};

class TFileStream : public TStream {
public:
    // EFOpenError / EFCreateError "Cannot open file "name". reason" when the system refuses.
    TFileStream(const String& fileName, unsigned mode);
    ~TFileStream() override;
    TFileStream(const TFileStream&) = delete;
    TFileStream& operator=(const TFileStream&) = delete;

    int Read(void* buffer, int count) override;
    int Write(const void* buffer, int count) override;
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
    void SetSize(std::int64_t newSize) override;

    const String& FileName() const { return FFileName; }
    bool Flush();   // to the disk; false when the system could not

private:
    String FFileName;
    os::FileHandle FHandle = os::InvalidFile;
};

class TStringStream : public TStream {
public:
    explicit TStringStream(String data = String()) : FDataString(std::move(data)) {}
    int Read(void* buffer, int count) override;
    int Write(const void* buffer, int count) override;
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
    void SetSize(std::int64_t newSize) override;
    std::int64_t Size() override { return std::int64_t(FDataString.size()); }

    const String& DataString() const { return FDataString; }
    String ReadString(int count);
    void WriteString(const String& s) { Write(s.data(), int(s.size())); }

private:
    String FDataString;
    std::int64_t FPosition = 0;
};

// Writes a file through a temporary file beside it that then replaces it, so a failure part way
// leaves the old content whole. EFCreateError names fileName and the system's reason.
void ReplaceFileContent(const String& fileName, const std::function<void(TStream&)>& write);
