#pragma once
// TIniFile: settings files of sections and "key=value" lines. Our own reader and writer rather than
// the system's profile functions, since those write Arabic in the machine's ANSI code page (or as
// '?'), while the program's files are code page 1256 on every locale. Semantics follow the
// profile functions: section and key names without regard to case, blanks around names and
// values ignored, one pair of enclosing quotes stripped, the first match wins, a missing file or
// key gives the default, a bare file name lives in the Windows directory. Every write goes to
// the disk at once (through a temporary file, so a failed write loses nothing).
#include "Classes.h"
#include "String.h"
#include "SysUtils.h"

class EIniFileException : public Exception { using Exception::Exception; };   // "Unable to write to %s"

class TIniFile {
public:
    explicit TIniFile(const String& fileName) : FFileName(fileName) {}

    const String& FileName() const { return FFileName; }

    String ReadString(const String& section, const String& ident, const String& fallback) const;
    void WriteString(const String& section, const String& ident, const String& value);
    int ReadInteger(const String& section, const String& ident, int fallback) const;   // "0x" and "$" hex too
    void WriteInteger(const String& section, const String& ident, int value);
    bool ReadBool(const String& section, const String& ident, bool fallback) const;    // true when not 0
    void WriteBool(const String& section, const String& ident, bool value);            // "1" or "0"

    void ReadSection(const String& section, TStrings& keys) const;
    void ReadSections(TStrings& sections) const;
    void ReadSectionValues(const String& section, TStrings& lines) const;   // "key=value"
    bool SectionExists(const String& section) const;   // as the class library: it has a key
    bool ValueExists(const String& section, const String& ident) const;
    void EraseSection(const String& section);
    void DeleteKey(const String& section, const String& ident);
    void UpdateFile() {}   // writes are never held back

private:
    String Path() const;
    bool LoadLines(TStringList& lines) const;   // false when there is no readable file
    void LoadLinesForWrite(TStringList& lines) const;
    void SaveLines(TStringList& lines);

    String FFileName;
};
