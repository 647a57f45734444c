#include "WebView.h"

TWebView::TWebView() { BuildCopyScript(); }

void TWebView::SetBaseDir(const String& value) {
    if (value.empty()) return;
    TPageSettings& s = FRewriter.Settings;
    s.BaseDir = value;
    for (char& c : s.BaseDir)
        if (c == '\\') c = '/';
    if (s.BaseDir.back() == '/') s.BaseDir.pop_back();
    std::size_t p = s.BaseDir.find_last_of('/');   // 0-based
    if (p != String::npos && p > 0 && p + 1 < s.BaseDir.size()) s.BaseParent = s.BaseDir.substr(0, p);
    else s.BaseParent = s.BaseDir;
}
