#pragma once
// TIniFile: settings files of sections and "key=value" lines. Our own reader and writer rather than
// the system's profile functions, since those write Arabic in the machine's ANSI code page (or as
// '?'), while the program's files are code page 1256 on every locale. Semantics follow the
// profile functions: section and key names without regard to case, blanks around names and
// values ignored, one pair of enclosing quotes stripped, the first match wins, a missing file or
// key gives the default, a bare file name lives in the Windows directory. A file is written through
// a temporary file, so a failed write loses nothing.
#include <functional>
#include "Classes.h"
#include "String.h"
#include "SysUtils.h"

class EIniFileException : public Exception { using Exception::Exception; };   // "Unable to write to %s"

// What the settings classes share: the reading, searching and editing of the lines. Where the
// lines come from and when they go back to the disk is the concern of each form below.
class TCustomIniFile {
public:
    explicit TCustomIniFile(const String& fileName) : FFileName(fileName) {}
    virtual ~TCustomIniFile() = default;

    const String& FileName() const { return FFileName; }

    virtual String ReadString(const String& section, const String& ident, const String& fallback) const;
    virtual void WriteString(const String& section, const String& ident, const String& value);
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
    virtual void UpdateFile() = 0;

protected:
    String Path() const;
    bool LoadLines(TStringList& lines) const;   // false when there is no readable file
    void SaveLines(TStringList& lines);
    // The lines to read: in scratch, or held by the object; null when there is no readable file.
    virtual const TStringList* Lines(TStringList& scratch) const = 0;
    // Changes the lines; edit answers whether it changed anything.
    virtual void Change(const std::function<bool(TStringList&)>& edit) = 0;

private:
    String FFileName;
};

// Every write goes to the disk at once.
class TIniFile : public TCustomIniFile {
public:
    using TCustomIniFile::TCustomIniFile;
    void UpdateFile() override {}   // writes are never held back

protected:
    const TStringList* Lines(TStringList& scratch) const override;
    void Change(const std::function<bool(TStringList&)>& edit) override;
};

// Reads the file once, at its creation, and holds reads and writes in memory; UpdateFile writes
// them back in one replacement, so that an update of many keys leaves on the disk the old file
// or the new one, never a mix. Changes not yet written are lost with the object, as in the class
// library. A file that exists but cannot be read reads as empty and is never written over.
class TMemIniFile : public TCustomIniFile {
public:
    explicit TMemIniFile(const String& fileName);
    void UpdateFile() override;   // nothing when nothing changed

protected:
    const TStringList* Lines(TStringList& scratch) const override;
    void Change(const std::function<bool(TStringList&)>& edit) override;

private:
    TStringList FLines;
    bool FUnreadable = false;
    bool FModified = false;
};
