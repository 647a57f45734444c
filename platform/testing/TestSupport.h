#pragma once
// Helpers for the tests of every area: fixture paths and temporary folders.
#include "platform/rtl/String.h"

namespace testing_support {

// A file beside the sources (the test's working folder is its area's source folder).
String SourcePath(const String& relative);

// Copies a folder with everything in it; existing files in the target are overwritten.
void CopyTree(const String& from, const String& to);

// A file's bytes; empty for a missing file.
std::string ReadFileBytes(const String& path);
// Writes the bytes, making the folders on the way.
void WriteFileBytes(const String& path, const std::string& bytes);

// A fresh folder under the system's temporary folder, removed with its content at the end.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const String& Path() const { return FPath; }      // without the trailing separator
    String File(const String& name) const { return FPath + "\\" + name; }
    void Write(const String& name, const std::string& bytes) const;
    std::string Read(const String& name) const;
private:
    String FPath;
};

}  // namespace testing_support
