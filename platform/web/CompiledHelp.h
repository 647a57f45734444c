#pragma once
// A compiled help file read through the system's compiled-help storage (the ITS storage of
// itss.dll, on Windows and Wine alike): its files by their inner paths, as bytes.
#include <memory>
#include <optional>
#include <string>
#include <vector>
#include "platform/rtl/String.h"

namespace web {

class TCompiledHelp {
public:
    // nullptr when the file is missing or the storage cannot open it.
    static std::shared_ptr<TCompiledHelp> Open(const WideString& path);
    ~TCompiledHelp();
    TCompiledHelp(const TCompiledHelp&) = delete;
    TCompiledHelp& operator=(const TCompiledHelp&) = delete;

    const WideString& Path() const { return FPath; }
    // A file by its inner path ("/index.htm", "index.htm", "sub/page.htm"); none when missing.
    std::optional<std::string> Read(const WideString& innerPath) const;
    // The inner paths of the files at the top, with a leading '/'.
    std::vector<WideString> TopNames() const;

private:
    TCompiledHelp(WideString path, void* storage) : FPath(std::move(path)), FStorage(storage) {}
    WideString FPath;
    void* FStorage;   // the root IStorage
};

// The URL of a file inside a compiled help file: "ms-its:<path>::/<inner>".
WideString CompiledHelpUrl(const WideString& chmPath, const WideString& innerPath);
// Splits such a URL (also the "mk:@MSITStore:" form); false for any other.
bool SplitCompiledHelpUrl(const WideString& url, WideString& chmPath, WideString& innerPath);

}  // namespace web
