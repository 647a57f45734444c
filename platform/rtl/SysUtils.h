#pragma once
// The runtime functions the screens use, with the class library's semantics: 1-based positions,
// code-page-1256 bytes, the platform's exception classes and messages.
#include <cstdint>
#include <functional>
#include <stdexcept>
#include "String.h"

class Exception : public std::exception {
public:
    explicit Exception(String message) : FMessage(std::move(message)) {}
    const String& Message() const { return FMessage; }
    void SetMessage(String m) { FMessage = std::move(m); }
    const char* what() const noexcept override { return FMessage.c_str(); }
private:
    String FMessage;
};

class EConvertError : public Exception { using Exception::Exception; };
class EInvalidOperation : public Exception { using Exception::Exception; };
class EInOutError : public Exception { using Exception::Exception; };
class EStreamError : public Exception { using Exception::Exception; };
class EFOpenError : public EStreamError { using EStreamError::EStreamError; };
class EFCreateError : public EStreamError { using EStreamError::EStreamError; };
class EListError : public Exception { using Exception::Exception; };
class EStringListError : public EListError { using EListError::EListError; };

// Integers and text
String IntToStr(long long value);
String IntToHex(unsigned long long value, int digits);
int StrToInt(const String& s);                 // EConvertError "'x' is not a valid integer value"
int StrToIntDef(const String& s, int fallback);
bool TryStrToInt(const String& s, int& value);
String FloatToStr(double value);
double StrToFloat(const String& s);            // EConvertError "'x' is not a valid floating point value"
bool TryStrToFloat(const String& s, double& value);

// Rounding half to even on extended precision, as the platform's Round does.
long long Round(long double value);
long long Trunc(long double value);

// Blanks and case
String Trim(const String& s);                  // cuts bytes <= ' ' at both ends
String TrimLeft(const String& s);
String TrimRight(const String& s);
String UpperCase(const String& s);             // ASCII letters only
String LowerCase(const String& s);
String AnsiUpperCase(const String& s);         // letters of the code page as well
String AnsiLowerCase(const String& s);
int CompareText(const String& a, const String& b);     // ASCII case-insensitive, <0 0 >0
bool SameText(const String& a, const String& b);
int AnsiCompareText(const String& a, const String& b);
int AnsiCompareStr(const String& a, const String& b);
bool SameStr(const String& a, const String& b);

// Substrings, 1-based as the platform counts; 0 means not found.
int Pos(const String& sub, const String& s);
int PosEx(const String& sub, const String& s, int offset);
String Copy(const String& s, int index, int count);
void Insert(const String& source, String& s, int index);
void Delete(String& s, int index, int count);
String StringOfChar(char c, int count);

enum TReplaceFlag : unsigned { rfReplaceAll = 1, rfIgnoreCase = 2 };
String StringReplace(const String& s, const String& oldPattern, const String& newPattern, unsigned flags);

// %d, %s, %x, %u, %%, with optional width and '-' ('%.2f' too); each argument a text or a number.
struct FormatArg {
    FormatArg(const String& s) : text(s), isText(true) {}
    FormatArg(const char* s) : text(s), isText(true) {}
    FormatArg(long long v) : number(v) {}
    FormatArg(int v) : number(v) {}
    FormatArg(unsigned v) : number(v) {}
    FormatArg(long v) : number(v) {}
    FormatArg(double v) : real(v), isReal(true) {}
    String text;
    long long number = 0;
    double real = 0;
    bool isText = false;
    bool isReal = false;
};
String Format(const String& pattern, std::initializer_list<FormatArg> args);

// Files and folders. Names are code-page-1256 bytes.
bool FileExists(const String& name);
bool DirectoryExists(const String& name);
bool RemoveFile(const String& name);           // the system's DeleteFile
bool RenameFile(const String& oldName, const String& newName);
bool CreateDir(const String& name);
bool ForceDirectories(const String& name);
bool RemoveDir(const String& name);
String GetCurrentDir();
String ExtractFilePath(const String& name);    // with the trailing separator
String ExtractFileDir(const String& name);     // without it
String ExtractFileName(const String& name);
String ExtractFileExt(const String& name);     // with the dot
String ChangeFileExt(const String& name, const String& ext);
String IncludeTrailingPathDelimiter(const String& s);
String ExcludeTrailingPathDelimiter(const String& s);
String GetTempDirectory();                      // with the trailing separator

// The program's command line: ParamStr(0) the program, 1 to ParamCount() its arguments, empty
// past the end.
int ParamCount();
String ParamStr(int index);

// Folder searches. An entry is found when it carries no special attribute (hidden, system,
// volume, directory) outside attr, so plain files always come; the search ends with FindClose.
constexpr int faReadOnly = 0x01, faHidden = 0x02, faSysFile = 0x04, faVolumeID = 0x08, faDirectory = 0x10,
              faArchive = 0x20, faAnyFile = 0x3F;
struct TSearchRec {
    String Name;
    int Attr = 0;
    std::int64_t Size = 0;
    int ExcludeAttr = 0;
    std::intptr_t FindHandle = -1;
};
int FindFirst(const String& path, int attr, TSearchRec& f);   // 0 when found, else the system's error
int FindNext(TSearchRec& f);                                   // 0 when found, else the system's error
void FindClose(TSearchRec& f);

// Time, through a seam that tests can drive.
// In a namespace of their own, since the system's functions of these names are always in scope.
namespace rtl {
using TTickSource = std::function<std::uint32_t()>;
std::uint32_t GetTickCount();
void Sleep(std::uint32_t ms);
// Replaces the tick source (and Sleep advances a driven clock); an empty function restores the system's.
void SetTickSource(TTickSource source, std::function<void(std::uint32_t)> sleeper = {});
}  // namespace rtl
