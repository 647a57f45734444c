#include "platform/web/PageResources.h"
#include <windows.h>
#include <cwctype>
#include <map>
#include <memory>
#include <vector>
#include "platform/web/CompiledHelp.h"

namespace web {

namespace {

bool StartsWithNoCase(const WideString& s, const wchar_t* prefix) {
    std::size_t n = wcslen(prefix);
    return s.size() >= n && _wcsnicmp(s.c_str(), prefix, n) == 0;
}

bool IsDrivePath(const WideString& s) {
    return s.size() >= 2 && std::iswalpha(s[0]) && s[1] == L':';
}

int HexDigit(wchar_t c) {
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    return -1;
}

WideString PercentDecoded(const WideString& s) {
    WideString out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == L'%' && i + 2 < s.size() && HexDigit(s[i + 1]) >= 0 && HexDigit(s[i + 2]) >= 0) {
            out.push_back(wchar_t(HexDigit(s[i + 1]) * 16 + HexDigit(s[i + 2])));
            i += 2;
        } else {
            out.push_back(s[i]);
        }
    }
    return out;
}

// "a\b\..\c\.\d" to "a\c\d"; the root part (drive, UNC server) is kept.
WideString Normalized(const WideString& path, wchar_t sep) {
    std::vector<WideString> parts;
    WideString cur;
    for (wchar_t c : path) {
        if (c == L'\\' || c == L'/') {
            parts.push_back(cur);
            cur.clear();
        } else {
            cur.push_back(c);
        }
    }
    parts.push_back(cur);
    std::vector<WideString> out;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const WideString& p = parts[i];
        bool last = i + 1 == parts.size();
        if (p == L"." && !out.empty()) {
            if (last) out.push_back(L"");
            continue;
        }
        if (p == L".." && out.size() > 1) {
            out.pop_back();
            if (last) out.push_back(L"");
            continue;
        }
        if (p.empty() && !out.empty() && !last && !(i == 1 && parts[0].empty())) continue;
        out.push_back(p);
    }
    WideString joined;
    for (std::size_t i = 0; i < out.size(); ++i) {
        if (i) joined.push_back(sep);
        joined += out[i];
    }
    return joined;
}

WideString FolderOf(const WideString& url) {
    std::size_t cut = url.find_first_of(L"#?");
    WideString u = cut == WideString::npos ? url : url.substr(0, cut);
    std::size_t sep = u.find_last_of(L"\\/");
    if (UrlKind(u) == TUrlKind::CompiledHelp) {
        std::size_t inner = u.find(L"::");
        if (inner != WideString::npos && (sep == WideString::npos || sep < inner)) return u + L"::/";
    }
    return sep == WideString::npos ? WideString() : u.substr(0, sep + 1);
}

std::map<WideString, std::shared_ptr<TCompiledHelp>>& OpenHelpFiles() {
    static std::map<WideString, std::shared_ptr<TCompiledHelp>> files;
    return files;
}

}  // namespace

TUrlKind UrlKind(const WideString& url) {
    if (url.empty()) return TUrlKind::Empty;
    if (url[0] == L'#') return TUrlKind::Fragment;
    if (StartsWithNoCase(url, L"about:")) return TUrlKind::About;
    if (StartsWithNoCase(url, L"ms-its:") || StartsWithNoCase(url, L"mk:@msitstore:")) return TUrlKind::CompiledHelp;
    if (StartsWithNoCase(url, L"file:") || IsDrivePath(url) || url[0] == L'\\' || url[0] == L'/') return TUrlKind::File;
    std::size_t colon = url.find(L':');
    std::size_t slash = url.find_first_of(L"/\\");
    if (colon != WideString::npos && colon > 1 && (slash == WideString::npos || colon < slash)) return TUrlKind::Elsewhere;
    return TUrlKind::File;   // relative
}

WideString FilePathOf(const WideString& url) {
    if (UrlKind(url) != TUrlKind::File) return WideString();
    WideString p = url;
    if (StartsWithNoCase(p, L"file:")) {
        p = PercentDecoded(p.substr(5));
        auto slash = [&](std::size_t i) { return i < p.size() && (p[i] == L'/' || p[i] == L'\\'); };
        if (slash(0) && slash(1) && slash(2)) {
            p.erase(0, 3);
        } else if (slash(0) && slash(1)) {
            p.erase(0, 2);
            if (!IsDrivePath(p)) p = L"\\\\" + p;   // file://server/share
        } else if (slash(0) && IsDrivePath(p.substr(1))) {
            p.erase(0, 1);
        }
    }
    std::size_t cut = p.find_first_of(L"#?");
    if (cut != WideString::npos) p.resize(cut);
    for (wchar_t& c : p)
        if (c == L'/') c = L'\\';
    return p;
}

WideString BaseFolder(const WideString& href) {
    if (href.empty()) return href;
    wchar_t last = href.back();
    if (last == L'/' || last == L'\\') return href;
    if (UrlKind(href) == TUrlKind::File) {
        DWORD attributes = GetFileAttributesW(FilePathOf(href).c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) return href + L"\\";
    }
    return href;
}

WideString ResolveUrl(const WideString& base, const WideString& reference) {
    WideString ref = reference;
    while (!ref.empty() && std::iswspace(ref.front())) ref.erase(0, 1);
    while (!ref.empty() && std::iswspace(ref.back())) ref.pop_back();
    TUrlKind kind = UrlKind(ref);
    if (kind == TUrlKind::Empty) return base;
    if (kind == TUrlKind::Fragment) {
        std::size_t cut = base.find(L'#');
        return (cut == WideString::npos ? base : base.substr(0, cut)) + ref;
    }
    if (kind == TUrlKind::About || kind == TUrlKind::CompiledHelp || kind == TUrlKind::Elsewhere) return ref;
    if (StartsWithNoCase(ref, L"file:")) return FilePathOf(ref);
    if (IsDrivePath(ref) || (ref.size() > 1 && (ref[0] == L'\\' || ref[0] == L'/') && (ref[1] == L'\\' || ref[1] == L'/')))
        return Normalized(ref, L'\\');
    const TUrlKind baseKind = UrlKind(base);
    if (baseKind == TUrlKind::CompiledHelp) {
        WideString chm, inner;
        SplitCompiledHelpUrl(base, chm, inner);
        WideString folder = ref[0] == L'/' || ref[0] == L'\\' ? WideString(L"/") : FolderOf(inner);
        if (folder.empty()) folder = L"/";
        return CompiledHelpUrl(chm, Normalized(folder + ref, L'/'));
    }
    if (baseKind != TUrlKind::File) return Normalized(ref, L'\\');
    WideString path = FilePathOf(base);
    if (ref[0] == L'/' || ref[0] == L'\\') return Normalized(path.substr(0, IsDrivePath(path) ? 2 : 0) + ref, L'\\');
    return Normalized(FolderOf(path) + ref, L'\\');
}

WideString UrlFileName(const WideString& url) {
    std::size_t cut = url.find_first_of(L"#?");
    WideString u = cut == WideString::npos ? url : url.substr(0, cut);
    std::size_t sep = u.find_last_of(L"\\/:");
    return sep == WideString::npos ? u : u.substr(sep + 1);
}

std::optional<std::string> ReadUrl(const WideString& url) {
    switch (UrlKind(url)) {
    case TUrlKind::About: {
        WideString text = url.substr(6);
        if (text == L"blank") text.clear();
        // an about: page is text, kept in UTF-8 for the decoder
        int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0, nullptr, nullptr);
        std::string bytes(std::size_t(std::max(n, 0)), '\0');
        if (n > 0) WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), bytes.data(), n, nullptr, nullptr);
        return "\xEF\xBB\xBF" + bytes;
    }
    case TUrlKind::CompiledHelp: {
        WideString chm, inner;
        if (!SplitCompiledHelpUrl(url, chm, inner)) return std::nullopt;
        auto& files = OpenHelpFiles();
        auto it = files.find(chm);
        if (it == files.end()) it = files.emplace(chm, TCompiledHelp::Open(chm)).first;
        if (!it->second) {
            files.erase(it);
            return std::nullopt;
        }
        return it->second->Read(inner);
    }
    case TUrlKind::File: {
        WideString path = FilePathOf(url);
        HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) return std::nullopt;
        std::string bytes;
        char buffer[65536];
        DWORD read = 0;
        while (bytes.size() < MaxPageBytes && ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0)
            bytes.append(buffer, read);
        CloseHandle(file);
        if (bytes.size() > MaxPageBytes) bytes.resize(MaxPageBytes);
        return bytes;
    }
    default: return std::nullopt;
    }
}

}  // namespace web
