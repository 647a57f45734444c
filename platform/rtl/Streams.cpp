#include "Streams.h"
#include <algorithm>
#include <cstring>

namespace {
constexpr int kChunk = 1 << 20;

String ReasonText(unsigned code) { return os::SystemErrorText(code); }

String CannotCreate(const String& fileName, const String& reason) {
    return "Cannot create file \"" + fileName + "\". " + reason;
}
}  // namespace

void TStream::SetSize(std::int64_t) {}

std::int64_t TStream::Size() {
    std::int64_t pos = Seek(0, soFromCurrent);
    std::int64_t size = Seek(0, soFromEnd);
    Seek(pos, soFromBeginning);
    return size;
}

void TStream::ReadBuffer(void* buffer, int count) {
    if (count != 0 && Read(buffer, count) != count) throw EReadError("Stream read error");
}

void TStream::WriteBuffer(const void* buffer, int count) {
    if (count != 0 && Write(buffer, count) != count) throw EWriteError("Stream write error");
}

std::int64_t TStream::CopyFrom(TStream& source, std::int64_t count) {
    if (count == 0) {
        source.SetPosition(0);
        count = source.Size();
    }
    std::vector<char> buffer(std::size_t(std::min<std::int64_t>(count, kChunk)));
    for (std::int64_t left = count; left > 0;) {
        int n = int(std::min<std::int64_t>(left, kChunk));
        source.ReadBuffer(buffer.data(), n);
        WriteBuffer(buffer.data(), n);
        left -= n;
    }
    return count;
}

int TMemoryStream::Read(void* buffer, int count) {
    std::int64_t size = Size();
    if (FPosition < 0 || count <= 0 || FPosition >= size) return 0;
    int n = int(std::min<std::int64_t>(count, size - FPosition));
    std::memcpy(buffer, FData.data() + FPosition, std::size_t(n));
    FPosition += n;
    return n;
}

int TMemoryStream::Write(const void* buffer, int count) {
    if (FPosition < 0 || count <= 0) return 0;
    std::int64_t end = FPosition + count;
    if (end > Size()) FData.resize(std::size_t(end));   // a gap after a far seek reads as zeros
    std::memcpy(FData.data() + FPosition, buffer, std::size_t(count));
    FPosition = end;
    return count;
}

std::int64_t TMemoryStream::Seek(std::int64_t offset, TSeekOrigin origin) {
    switch (origin) {
    case soFromBeginning: FPosition = offset; break;
    case soFromCurrent: FPosition += offset; break;
    case soFromEnd: FPosition = Size() + offset; break;
    }
    return FPosition;
}

void TMemoryStream::SetSize(std::int64_t newSize) {
    if (newSize < 0) newSize = 0;
    FData.resize(std::size_t(newSize));
    if (FPosition > newSize) FPosition = newSize;
}

void TMemoryStream::Clear() {
    FData.clear();
    FData.shrink_to_fit();
    FPosition = 0;
}

void TMemoryStream::LoadFromStream(TStream& stream) {
    stream.SetPosition(0);
    std::int64_t count = stream.Size();
    SetSize(count);
    for (std::int64_t done = 0; done < count;) {
        int n = int(std::min<std::int64_t>(count - done, kChunk));
        stream.ReadBuffer(FData.data() + done, n);
        done += n;
    }
    FPosition = 0;
}

void TMemoryStream::LoadFromFile(const String& fileName) {
    TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(file);
}

void TMemoryStream::SaveToStream(TStream& stream) {
    std::int64_t count = Size();
    for (std::int64_t done = 0; done < count;) {
        int n = int(std::min<std::int64_t>(count - done, kChunk));
        stream.WriteBuffer(FData.data() + done, n);
        done += n;
    }
}

void TMemoryStream::SaveToFile(const String& fileName) {
    ReplaceFileContent(fileName, [this](TStream& s) { SaveToStream(s); });
}

namespace {
unsigned ShareOf(unsigned mode) {
    switch ((mode & 0xF0) >> 4) {
    case 2: return os::shareRead;                    // deny write
    case 3: return os::shareWrite;                   // deny read
    case 4: return os::shareRead | os::shareWrite;   // deny none
    default: return os::shareNone;                   // compat and exclusive
    }
}
}  // namespace

TFileStream::TFileStream(const String& fileName, unsigned mode) : FFileName(fileName) {
    if ((mode & 0xFF00) == fmCreate) {
        FHandle = os::FileCreate(fileName, ShareOf(mode));
        if (FHandle == os::InvalidFile) throw EFCreateError(CannotCreate(fileName, ReasonText(os::LastError())));
    } else {
        unsigned access = mode & 3;
        FHandle = os::FileOpen(fileName, access != fmOpenWrite, access != fmOpenRead, ShareOf(mode));
        if (FHandle == os::InvalidFile)
            throw EFOpenError("Cannot open file \"" + fileName + "\". " + ReasonText(os::LastError()));
    }
}

TFileStream::~TFileStream() { os::FileClose(FHandle); }

int TFileStream::Read(void* buffer, int count) { return std::max(0, os::FileRead(FHandle, buffer, count)); }

int TFileStream::Write(const void* buffer, int count) { return std::max(0, os::FileWrite(FHandle, buffer, count)); }

std::int64_t TFileStream::Seek(std::int64_t offset, TSeekOrigin origin) { return os::FileSeek(FHandle, offset, origin); }

void TFileStream::SetSize(std::int64_t newSize) {
    std::int64_t pos = Position();
    if (Seek(newSize, soFromBeginning) != newSize || !os::FileTruncate(FHandle)) {
        unsigned code = os::LastError();
        Seek(pos, soFromBeginning);
        throw EWriteError("Stream write error: " + ReasonText(code));
    }
    Seek(std::min(pos, newSize), soFromBeginning);
}

bool TFileStream::Flush() { return os::FileFlush(FHandle); }

int TStringStream::Read(void* buffer, int count) {
    std::int64_t size = Size();
    if (count <= 0 || FPosition >= size) return 0;
    int n = int(std::min<std::int64_t>(count, size - FPosition));
    std::memcpy(buffer, FDataString.data() + FPosition, std::size_t(n));
    FPosition += n;
    return n;
}

int TStringStream::Write(const void* buffer, int count) {
    if (count <= 0) return 0;
    std::int64_t end = FPosition + count;
    if (end > Size()) FDataString.resize(std::size_t(end));
    std::memcpy(FDataString.data() + FPosition, buffer, std::size_t(count));
    FPosition = end;
    return count;
}

std::int64_t TStringStream::Seek(std::int64_t offset, TSeekOrigin origin) {
    switch (origin) {
    case soFromBeginning: FPosition = offset; break;
    case soFromCurrent: FPosition += offset; break;
    case soFromEnd: FPosition = Size() + offset; break;
    }
    // the string has no gaps: the position stays within it
    FPosition = std::clamp<std::int64_t>(FPosition, 0, Size());
    return FPosition;
}

void TStringStream::SetSize(std::int64_t newSize) {
    FDataString.resize(std::size_t(std::max<std::int64_t>(newSize, 0)));
    if (FPosition > Size()) FPosition = Size();
}

String TStringStream::ReadString(int count) {
    if (count <= 0 || FPosition >= Size()) return String();
    std::size_t n = std::size_t(std::min<std::int64_t>(count, Size() - FPosition));
    String r = FDataString.substr(std::size_t(FPosition), n);
    FPosition += std::int64_t(n);
    return r;
}

void ReplaceFileContent(const String& fileName, const std::function<void(TStream&)>& write) {
    const String temp = fileName + ".~new";
    try {
        TFileStream file(temp, fmCreate);
        write(file);
        if (!file.Flush()) throw EWriteError(ReasonText(os::LastError()));
    } catch (const EFCreateError& e) {
        // the temporary file could not be made: report it under the name the caller knows
        throw EFCreateError(StringReplace(e.Message(), "\"" + temp + "\"", "\"" + fileName + "\"", 0));
    } catch (const EStreamError& e) {
        os::RemoveFile(temp);
        throw EFCreateError(CannotCreate(fileName, e.Message()));
    } catch (...) {
        os::RemoveFile(temp);
        throw;
    }
    if (!os::MoveReplace(temp, fileName)) {
        unsigned code = os::LastError();
        os::RemoveFile(temp);
        throw EFCreateError(CannotCreate(fileName, ReasonText(code)));
    }
}
