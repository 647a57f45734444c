#include "SysUtils.h"
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include "Os.h"

String IntToStr(long long value) { return std::to_string(value); }

String IntToHex(unsigned long long value, int digits) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%0*llX", digits, value);
    return buf;
}

bool TryStrToInt(const String& s, int& value) {
    // leading and trailing blanks are allowed, as the platform's Val is lenient only there
    String t = Trim(s);
    if (t.empty()) return false;
    const char* p = t.c_str();
    bool neg = false;
    if (*p == '+' || *p == '-') neg = *p++ == '-';
    long long v = 0;
    if (*p == '$' || (p[0] == '0' && (p[1] == 'x' || p[1] == 'X'))) {
        p += *p == '$' ? 1 : 2;
        if (!*p) return false;
        for (; *p; ++p) {
            int d = std::isdigit((unsigned char)*p) ? *p - '0'
                  : (*p >= 'a' && *p <= 'f') ? *p - 'a' + 10
                  : (*p >= 'A' && *p <= 'F') ? *p - 'A' + 10 : -1;
            if (d < 0) return false;
            v = v * 16 + d;
            if (v > 0xFFFFFFFFLL) return false;
        }
        value = static_cast<int>(static_cast<std::uint32_t>(neg ? -v : v));
        return true;
    }
    if (!*p) return false;
    for (; *p; ++p) {
        if (*p < '0' || *p > '9') return false;
        v = v * 10 + (*p - '0');
        if (v > 2147483648LL) return false;
    }
    if (neg) v = -v;
    if (v > 2147483647LL) return false;
    value = static_cast<int>(v);
    return true;
}

int StrToInt(const String& s) {
    int v;
    if (!TryStrToInt(s, v)) throw EConvertError("'" + s + "' is not a valid integer value");
    return v;
}

int StrToIntDef(const String& s, int fallback) {
    int v;
    return TryStrToInt(s, v) ? v : fallback;
}

String FloatToStr(double value) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15g", value);
    return buf;
}

bool TryStrToFloat(const String& s, double& value) {
    String t = Trim(s);
    if (t.empty()) return false;
    char* end = nullptr;
    errno = 0;
    double v = std::strtod(t.c_str(), &end);
    if (*end || errno == ERANGE) return false;
    value = v;
    return true;
}

double StrToFloat(const String& s) {
    double v;
    if (!TryStrToFloat(s, v)) throw EConvertError("'" + s + "' is not a valid floating point value");
    return v;
}

long long Round(long double value) {
    long double fl = std::floor(value);
    long double diff = value - fl;
    long long r = static_cast<long long>(fl);
    if (diff > 0.5L) return r + 1;
    if (diff < 0.5L) return r;
    return (r % 2 == 0) ? r : r + 1;   // exactly half: to the even neighbour
}

long long Trunc(long double value) { return static_cast<long long>(value); }

String TrimLeft(const String& s) {
    std::size_t i = 0;
    while (i < s.size() && static_cast<unsigned char>(s[i]) <= ' ') ++i;
    return s.substr(i);
}

String TrimRight(const String& s) {
    std::size_t n = s.size();
    while (n > 0 && static_cast<unsigned char>(s[n - 1]) <= ' ') --n;
    return s.substr(0, n);
}

String Trim(const String& s) { return TrimLeft(TrimRight(s)); }

String UpperCase(const String& s) {
    String r = s;
    for (char& c : r) if (c >= 'a' && c <= 'z') c = char(c - 32);
    return r;
}

String LowerCase(const String& s) {
    String r = s;
    for (char& c : r) if (c >= 'A' && c <= 'Z') c = char(c + 32);
    return r;
}

namespace {
// Besides ASCII the code page's only letter pair is the oe ligature (0x9C, 0x8C): its accented
// Latin small letters have no capitals in it, and Arabic has no case.
char MapCase(char c, bool upper) {
    unsigned char b = static_cast<unsigned char>(c);
    if (upper) {
        if (c >= 'a' && c <= 'z') return char(c - 32);
        if (b == 0x9C) return char(0x8C);
    } else {
        if (c >= 'A' && c <= 'Z') return char(c + 32);
        if (b == 0x8C) return char(0x9C);
    }
    return c;
}
}  // namespace

String AnsiUpperCase(const String& s) {
    String r = s;
    for (char& c : r) c = MapCase(c, true);
    return r;
}

String AnsiLowerCase(const String& s) {
    String r = s;
    for (char& c : r) c = MapCase(c, false);
    return r;
}

int CompareText(const String& a, const String& b) {
    std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
        if (x >= 'a' && x <= 'z') x -= 32;
        if (y >= 'a' && y <= 'z') y -= 32;
        if (x != y) return int(x) - int(y);
    }
    return int(a.size()) - int(b.size());
}

bool SameText(const String& a, const String& b) { return CompareText(a, b) == 0; }

int AnsiCompareStr(const String& a, const String& b) {
    int c = a.compare(b);
    return c < 0 ? -1 : c > 0 ? 1 : 0;
}

int AnsiCompareText(const String& a, const String& b) {
    return AnsiCompareStr(AnsiLowerCase(a), AnsiLowerCase(b));
}

bool SameStr(const String& a, const String& b) { return a == b; }

int Pos(const String& sub, const String& s) { return PosEx(sub, s, 1); }

int PosEx(const String& sub, const String& s, int offset) {
    if (sub.empty() || offset < 1 || offset > int(s.size())) return 0;
    std::size_t p = s.find(sub, std::size_t(offset - 1));
    return p == String::npos ? 0 : int(p) + 1;
}

String Copy(const String& s, int index, int count) {
    if (index < 1) index = 1;
    if (count <= 0 || index > int(s.size())) return String();
    return s.substr(std::size_t(index - 1), std::size_t(count));
}

void Insert(const String& source, String& s, int index) {
    if (index < 1) index = 1;
    if (index > int(s.size()) + 1) index = int(s.size()) + 1;
    s.insert(std::size_t(index - 1), source);
}

void Delete(String& s, int index, int count) {
    if (index < 1 || index > int(s.size()) || count <= 0) return;
    s.erase(std::size_t(index - 1), std::size_t(count));
}

String StringOfChar(char c, int count) { return count > 0 ? String(std::size_t(count), c) : String(); }

String StringReplace(const String& s, const String& oldPattern, const String& newPattern, unsigned flags) {
    if (oldPattern.empty()) return s;
    const bool ignoreCase = flags & rfIgnoreCase;
    const String hay = ignoreCase ? AnsiUpperCase(s) : s;
    const String needle = ignoreCase ? AnsiUpperCase(oldPattern) : oldPattern;
    String out;
    std::size_t from = 0;
    while (true) {
        std::size_t p = hay.find(needle, from);
        if (p == String::npos) break;
        out.append(s, from, p - from);
        out += newPattern;
        from = p + needle.size();
        if (!(flags & rfReplaceAll)) break;
    }
    out.append(s, from, String::npos);
    return out;
}

String Format(const String& pattern, std::initializer_list<FormatArg> args) {
    String out;
    auto it = args.begin();
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        char c = pattern[i];
        if (c != '%') { out.push_back(c); continue; }
        if (i + 1 < pattern.size() && pattern[i + 1] == '%') { out.push_back('%'); ++i; continue; }
        std::size_t j = i + 1;
        bool left = false;
        if (j < pattern.size() && pattern[j] == '-') { left = true; ++j; }
        int width = 0, precision = -1;
        while (j < pattern.size() && std::isdigit((unsigned char)pattern[j])) width = width * 10 + (pattern[j++] - '0');
        if (j < pattern.size() && pattern[j] == '.') {
            precision = 0;
            ++j;
            while (j < pattern.size() && std::isdigit((unsigned char)pattern[j])) precision = precision * 10 + (pattern[j++] - '0');
        }
        if (j >= pattern.size()) throw EConvertError("Format '" + pattern + "' invalid or incompatible with argument");
        char kind = pattern[j];
        if (it == args.end()) throw EConvertError("Format '" + pattern + "' invalid or incompatible with argument");
        const FormatArg& a = *it++;
        String piece;
        char buf[64];
        switch (kind) {
        case 'd': case 'D':
            if (a.isText || a.isReal) throw EConvertError("Format '" + pattern + "' invalid or incompatible with argument");
            piece = std::to_string(a.number);
            if (precision > 0 && int(piece.size()) < precision) piece.insert(0, std::size_t(precision) - piece.size(), '0');
            break;
        case 'u': case 'U':
            piece = std::to_string(static_cast<unsigned long long>(a.number));
            break;
        case 'x': case 'X':
            std::snprintf(buf, sizeof buf, "%0*llX", precision > 0 ? precision : 1, static_cast<unsigned long long>(a.number));
            piece = buf;
            break;
        case 's': case 'S':
            piece = a.isText ? a.text : a.isReal ? FloatToStr(a.real) : std::to_string(a.number);
            if (precision >= 0 && int(piece.size()) > precision) piece.resize(std::size_t(precision));
            break;
        case 'f': case 'F': case 'n': case 'N':
            std::snprintf(buf, sizeof buf, "%.*f", precision < 0 ? 2 : precision, a.isReal ? a.real : double(a.number));
            piece = buf;
            break;
        default:
            throw EConvertError("Format '" + pattern + "' invalid or incompatible with argument");
        }
        if (int(piece.size()) < width) {
            String pad(std::size_t(width) - piece.size(), ' ');
            piece = left ? piece + pad : pad + piece;
        }
        out += piece;
        i = j;
    }
    return out;
}

bool FileExists(const String& name) { return !name.empty() && os::FileExists(name); }
bool DirectoryExists(const String& name) {
    return !name.empty() && os::DirectoryExists(ExcludeTrailingPathDelimiter(name) + (name.size() == 3 && name[1] == ':' ? "\\" : ""));
}
bool RemoveFile(const String& name) { return os::RemoveFile(name); }
bool RenameFile(const String& a, const String& b) { return os::RenameFile(a, b); }
bool CreateDir(const String& name) { return os::MakeDirectory(name); }
bool RemoveDir(const String& name) { return os::RemoveDirectoryAt(name); }
String GetCurrentDir() { return os::CurrentDirectory(); }
String GetTempDirectory() { return IncludeTrailingPathDelimiter(os::TempDirectory()); }

namespace {
constexpr int faSpecial = faHidden | faSysFile | faVolumeID | faDirectory;

// Reads on from the entry just found to the first one the search wants.
int FindMatching(TSearchRec& f, os::FindEntry& entry) {
    while (static_cast<int>(entry.Attributes) & f.ExcludeAttr)
        if (!os::FindNextEntry(f.FindHandle, entry)) return static_cast<int>(os::LastError());
    f.Name = entry.Name;
    f.Attr = static_cast<int>(entry.Attributes);
    f.Size = entry.Size;
    return 0;
}
}  // namespace

int FindFirst(const String& path, int attr, TSearchRec& f) {
    f.ExcludeAttr = ~attr & faSpecial;
    os::FindEntry entry;
    f.FindHandle = os::FindFirstEntry(path, entry);
    if (f.FindHandle == os::InvalidFind) return static_cast<int>(os::LastError());
    int result = FindMatching(f, entry);
    if (result != 0) FindClose(f);
    return result;
}

int FindNext(TSearchRec& f) {
    os::FindEntry entry;
    if (!os::FindNextEntry(f.FindHandle, entry)) return static_cast<int>(os::LastError());
    return FindMatching(f, entry);
}

void FindClose(TSearchRec& f) {
    os::FindCloseEntry(f.FindHandle);
    f.FindHandle = os::InvalidFind;
}

bool ForceDirectories(const String& name) {
    String dir = ExcludeTrailingPathDelimiter(name);
    if (dir.empty()) return false;
    if (dir.size() <= 2 && dir.back() == ':') return true;   // a drive
    if (DirectoryExists(dir)) return true;
    String parent = ExtractFileDir(dir);
    if (!parent.empty() && parent != dir && !ForceDirectories(parent)) return false;
    return CreateDir(dir) || DirectoryExists(dir);
}

namespace {
bool IsDelimiter(char c) { return c == '\\' || c == '/' || c == ':'; }
std::size_t LastDelimiter(const String& s) {
    for (std::size_t i = s.size(); i > 0; --i)
        if (IsDelimiter(s[i - 1])) return i;   // 1-based, 0 when none
    return 0;
}
}  // namespace

String ExtractFilePath(const String& name) { return name.substr(0, LastDelimiter(name)); }

String ExtractFileDir(const String& name) {
    std::size_t i = LastDelimiter(name);
    // keep the separator of a root ("C:\") and drop it elsewhere
    if (i > 1 && (name[i - 1] == '\\' || name[i - 1] == '/') && !IsDelimiter(name[i - 2])) --i;
    return name.substr(0, i);
}

String ExtractFileName(const String& name) { return name.substr(LastDelimiter(name)); }

String ExtractFileExt(const String& name) {
    for (std::size_t i = name.size(); i > 0; --i) {
        if (IsDelimiter(name[i - 1])) break;
        if (name[i - 1] == '.') return name.substr(i - 1);
    }
    return String();
}

String ChangeFileExt(const String& name, const String& ext) {
    String e = ExtractFileExt(name);
    return name.substr(0, name.size() - e.size()) + ext;
}

String IncludeTrailingPathDelimiter(const String& s) {
    if (!s.empty() && (s.back() == '\\' || s.back() == '/')) return s;
    return s + "\\";
}

String ExcludeTrailingPathDelimiter(const String& s) {
    String r = s;
    if (!r.empty() && (r.back() == '\\' || r.back() == '/')) r.pop_back();
    return r;
}

int ParamCount() {
    int count = static_cast<int>(os::ProgramArguments().size()) - 1;
    return count > 0 ? count : 0;
}

String ParamStr(int index) {
    std::vector<String> arguments = os::ProgramArguments();
    return index >= 0 && index < static_cast<int>(arguments.size()) ? arguments[index] : String();
}

namespace rtl {
namespace {
TTickSource gTicks;
std::function<void(std::uint32_t)> gSleeper;
}  // namespace

std::uint32_t GetTickCount() { return gTicks ? gTicks() : os::TickCount(); }

void Sleep(std::uint32_t ms) {
    if (gSleeper) gSleeper(ms);
    else if (!gTicks) os::SleepMs(ms);
}

void SetTickSource(TTickSource source, std::function<void(std::uint32_t)> sleeper) {
    gTicks = std::move(source);
    gSleeper = std::move(sleeper);
}

}  // namespace rtl
