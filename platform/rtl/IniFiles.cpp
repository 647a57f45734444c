#include "IniFiles.h"
#include "Os.h"
#include "Streams.h"

namespace {

bool SameName(const String& a, const String& b) { return AnsiCompareText(a, b) == 0; }

bool IsSectionHeader(const String& line, String& name) {
    String t = Trim(line);
    if (t.empty() || t[0] != '[') return false;
    std::size_t close = t.find(']');
    name = Trim(t.substr(1, close == String::npos ? String::npos : close - 1));
    return true;
}

bool IsKeyLine(const String& line, String& key, String& value) {
    String t = TrimLeft(line);
    if (t.empty() || t[0] == ';' || t[0] == '[') return false;
    std::size_t eq = t.find('=');
    if (eq == String::npos) return false;
    key = TrimRight(t.substr(0, eq));
    value = Trim(t.substr(eq + 1));
    return true;
}

String StripQuotes(const String& value) {
    if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0])
        return value.substr(1, value.size() - 2);
    return value;
}

// Lines [header + 1, end) are the body of the section whose header is at header.
int SectionEnd(const TStringList& lines, int header) {
    String name;
    int i = header + 1;
    while (i < lines.Count() && !IsSectionHeader(lines[i], name)) ++i;
    return i;
}

int FindSection(const TStringList& lines, const String& section, int from = 0) {
    String name;
    for (int i = from; i < lines.Count(); ++i)
        if (IsSectionHeader(lines[i], name) && SameName(name, section)) return i;
    return -1;
}

int FindKey(const TStringList& lines, int header, const String& ident, String* value = nullptr, String* key = nullptr) {
    String k, v;
    int end = SectionEnd(lines, header);
    for (int i = header + 1; i < end; ++i) {
        if (IsKeyLine(lines[i], k, v) && SameName(k, ident)) {
            if (value) *value = v;
            if (key) *key = k;
            return i;
        }
    }
    return -1;
}

// Names already listed, without regard to case.
class NameSet {
public:
    NameSet() { FNames.SetSorted(true); }
    bool AddNew(const String& name) {
        int before = FNames.Count();
        FNames.Add(name);
        return FNames.Count() > before;
    }
private:
    TStringList FNames;
};

// A line break inside a value would start a line of its own in the file.
String OneLine(const String& s) {
    String r = s;
    for (char& c : r)
        if (c == '\r' || c == '\n') c = ' ';
    return r;
}

}  // namespace

String TCustomIniFile::Path() const {
    if (FFileName.find_first_of("\\/:") == String::npos)
        return IncludeTrailingPathDelimiter(os::WindowsDirectory()) + FFileName;
    return FFileName;
}

bool TCustomIniFile::LoadLines(TStringList& lines) const {
    String path = Path();
    if (!FileExists(path)) return false;
    try {
        lines.LoadFromFile(path);
    } catch (const EStreamError&) {
        return false;   // unreadable reads as missing, as the profile functions answer
    }
    return true;
}

void TCustomIniFile::SaveLines(TStringList& lines) {
    try {
        lines.SaveToFile(Path());
    } catch (const EStreamError&) {
        throw EIniFileException("Unable to write to " + FFileName);
    }
}

const TStringList* TIniFile::Lines(TStringList& scratch) const { return LoadLines(scratch) ? &scratch : nullptr; }

void TIniFile::Change(const std::function<bool(TStringList&)>& edit) {
    TStringList lines;
    // writing over a file that cannot be read would lose its content
    if (FileExists(Path()) && !LoadLines(lines)) throw EIniFileException("Unable to write to " + FileName());
    if (edit(lines)) SaveLines(lines);
}

TMemIniFile::TMemIniFile(const String& fileName) : TCustomIniFile(fileName) {
    FUnreadable = FileExists(Path()) && !LoadLines(FLines);
    if (FUnreadable) FLines.Clear();
}

const TStringList* TMemIniFile::Lines(TStringList&) const { return &FLines; }

void TMemIniFile::Change(const std::function<bool(TStringList&)>& edit) {
    if (edit(FLines)) FModified = true;
}

void TMemIniFile::UpdateFile() {
    if (!FModified) return;
    if (FUnreadable) throw EIniFileException("Unable to write to " + FileName());
    SaveLines(FLines);
    FModified = false;
}

String TCustomIniFile::ReadString(const String& section, const String& ident, const String& fallback) const {
    TStringList scratch;
    const TStringList* lines = Lines(scratch);
    if (!lines) return fallback;
    int header = FindSection(*lines, Trim(section));
    String value;
    if (header < 0 || FindKey(*lines, header, Trim(ident), &value) < 0) return fallback;
    return StripQuotes(value);
}

void TCustomIniFile::WriteString(const String& section, const String& ident, const String& value) {
    const String sec = Trim(section), key = Trim(ident);
    Change([&](TStringList& lines) {
        int header = FindSection(lines, sec);
        if (header < 0) {
            lines.Add("[" + sec + "]");
            lines.Add(key + "=" + OneLine(value));
            return true;
        }
        String spelled;
        int at = FindKey(lines, header, key, nullptr, &spelled);
        if (at >= 0) {
            String line = spelled + "=" + OneLine(value);
            if (lines[at] == line) return false;
            lines.Put(at, line);
        } else {
            // after the section's last line that is not blank
            int end = SectionEnd(lines, header);
            while (end - 1 > header && Trim(lines[end - 1]).empty()) --end;
            lines.Insert(end, key + "=" + OneLine(value));
        }
        return true;
    });
}

int TCustomIniFile::ReadInteger(const String& section, const String& ident, int fallback) const {
    String s = ReadString(section, ident, String());
    if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) s.replace(0, 2, 1, '$');
    return StrToIntDef(s, fallback);
}

void TCustomIniFile::WriteInteger(const String& section, const String& ident, int value) {
    WriteString(section, ident, IntToStr(value));
}

bool TCustomIniFile::ReadBool(const String& section, const String& ident, bool fallback) const {
    return ReadInteger(section, ident, fallback ? 1 : 0) != 0;
}

void TCustomIniFile::WriteBool(const String& section, const String& ident, bool value) {
    WriteString(section, ident, value ? "1" : "0");
}

void TCustomIniFile::ReadSection(const String& section, TStrings& keys) const {
    keys.BeginUpdate();
    keys.Clear();
    TStringList scratch;
    const TStringList* lines = Lines(scratch);
    int header = lines ? FindSection(*lines, Trim(section)) : -1;
    if (header >= 0) {
        String k, v;
        int end = SectionEnd(*lines, header);
        NameSet seen;
        for (int i = header + 1; i < end; ++i)
            if (IsKeyLine((*lines)[i], k, v) && seen.AddNew(k)) keys.Add(k);
    }
    keys.EndUpdate();
}

void TCustomIniFile::ReadSections(TStrings& sections) const {
    sections.BeginUpdate();
    sections.Clear();
    TStringList scratch;
    if (const TStringList* lines = Lines(scratch)) {
        NameSet seen;
        String name;
        for (int i = 0; i < lines->Count(); ++i)
            if (IsSectionHeader((*lines)[i], name) && seen.AddNew(name)) sections.Add(name);
    }
    sections.EndUpdate();
}

void TCustomIniFile::ReadSectionValues(const String& section, TStrings& result) const {
    TStringList keys;
    ReadSection(section, keys);
    TStringList scratch;
    const TStringList* lines = Lines(scratch);
    int header = lines ? FindSection(*lines, Trim(section)) : -1;
    result.BeginUpdate();
    result.Clear();
    for (int i = 0; i < keys.Count(); ++i) {
        String value;
        if (header >= 0) FindKey(*lines, header, keys[i], &value);
        result.Add(keys[i] + "=" + StripQuotes(value));
    }
    result.EndUpdate();
}

bool TCustomIniFile::SectionExists(const String& section) const {
    TStringList keys;
    ReadSection(section, keys);
    return keys.Count() > 0;
}

bool TCustomIniFile::ValueExists(const String& section, const String& ident) const {
    TStringList scratch;
    const TStringList* lines = Lines(scratch);
    if (!lines) return false;
    int header = FindSection(*lines, Trim(section));
    return header >= 0 && FindKey(*lines, header, Trim(ident)) >= 0;
}

void TCustomIniFile::EraseSection(const String& section) {
    Change([&](TStringList& lines) {
        bool changed = false;
        for (int header; (header = FindSection(lines, Trim(section))) >= 0; changed = true) {
            int end = SectionEnd(lines, header);
            lines.BeginUpdate();
            for (int i = end - 1; i >= header; --i) lines.Delete(i);
            lines.EndUpdate();
        }
        return changed;
    });
}

void TCustomIniFile::DeleteKey(const String& section, const String& ident) {
    Change([&](TStringList& lines) {
        bool changed = false;
        for (int header = FindSection(lines, Trim(section)); header >= 0;
             header = FindSection(lines, Trim(section), header + 1)) {
            for (int at; (at = FindKey(lines, header, Trim(ident))) >= 0; changed = true) lines.Delete(at);
        }
        return changed;
    });
}
