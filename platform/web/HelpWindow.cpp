#include "platform/web/HelpWindow.h"
#include <commctrl.h>
#include <algorithm>
#include <cwctype>
#include "platform/graphics/GdiObject.h"
#include "platform/graphics/TextShaping.h"
#include "platform/web/CompiledHelp.h"
#include "platform/web/HtmlParser.h"
#include "platform/web/OleWebBrowser.h"
#include "platform/web/PageBrowser.h"
#include "platform/web/PageEncoding.h"
#include "platform/web/PageResources.h"
#include "platform/win/HtmlHelp.h"

namespace web {

namespace {

const wchar_t* const ClassName = L"Tapwise.Help";
constexpr int NavigationWidth = 310;
constexpr int Gap = 4;
constexpr int IdTabs = 101, IdTree = 102, IdIndexEdit = 103, IdIndexList = 104;

THelpWindow* TheWindow = nullptr;

WideString Lower(WideString s) {
    for (wchar_t& c : s) c = wchar_t(std::towlower(c));
    return s;
}

void CollectTopics(const THtmlNode& list, int level, std::vector<THelpTopic>& out) {
    for (const auto& child : list.Children) {
        if (!child->IsElement()) continue;
        if (child->Is(L"li")) {
            for (const auto& part : child->Children) {
                if (part->Is(L"object")) {
                    THelpTopic topic;
                    topic.Level = level;
                    for (const auto& p : part->Children) {
                        if (!p->Is(L"param")) continue;
                        WideString name = Lower(p->Attribute(L"name"));
                        if (name == L"name" && topic.Name.empty()) topic.Name = p->Attribute(L"value");
                        else if (name == L"local" && topic.Local.empty()) topic.Local = p->Attribute(L"value");
                    }
                    if (!topic.Name.empty()) out.push_back(topic);
                } else if (part->Is(L"ul")) {
                    CollectTopics(*part, level + 1, out);
                }
            }
        } else if (child->Is(L"ul")) {
            CollectTopics(*child, level + 1, out);
        }
    }
}

// The inner path of a file of the help that ends in this extension, else the usual name.
WideString FindFile(const TCompiledHelp& help, const wchar_t* extension, const wchar_t* usual) {
    for (const WideString& name : help.TopNames()) {
        WideString lower = Lower(name);
        if (lower.size() > 4 && lower.compare(lower.size() - 4, 4, extension) == 0) return name;
    }
    return usual;
}

void RegisterClassOnce() {
    static const bool registered = [] {
        INITCOMMONCONTROLSEX icc{sizeof icc, ICC_TREEVIEW_CLASSES | ICC_TAB_CLASSES};
        InitCommonControlsEx(&icc);
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.hIcon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1));
        wc.lpszClassName = ClassName;
        return RegisterClassExW(&wc) != 0;
    }();
    (void)registered;
}

}  // namespace

std::vector<THelpTopic> ReadHelpTopics(const std::string& bytes) {
    std::vector<THelpTopic> topics;
    THtmlNodePtr doc = ParseHtml(DecodePage(bytes));
    if (THtmlNode* body = doc->Find(L"body")) {
        for (const auto& child : body->Children)
            if (child->Is(L"ul")) CollectTopics(*child, 0, topics);
    }
    return topics;
}

THelpWindow* THelpWindow::Current() { return TheWindow; }

void THelpWindow::CloseCurrent() {
    if (TheWindow) DestroyWindow(TheWindow->FWindow);
}

bool THelpWindow::Show(const WideString& chmPath, bool arabic) {
    auto help = TCompiledHelp::Open(chmPath);
    if (!help) return false;
    if (TheWindow) {
        if (TheWindow->FHelp->Path() != chmPath || TheWindow->FArabic != arabic) TheWindow->Load(help, arabic);
        ShowWindow(TheWindow->FWindow, SW_RESTORE);
        SetForegroundWindow(TheWindow->FWindow);
        return true;
    }
    TheWindow = new THelpWindow(std::move(help), arabic);
    return true;
}

THelpWindow::THelpWindow(std::shared_ptr<TCompiledHelp> help, bool arabic) {
    RegisterClassOnce();
    const int width = 960, height = 640;
    RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    FWindow = CreateWindowExW(WS_EX_APPWINDOW, ClassName, L"", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                              work.left + std::max(0, int(work.right - work.left - width) / 2),
                              work.top + std::max(0, int(work.bottom - work.top - height) / 2), width, height, nullptr,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(FWindow, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrW(FWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&THelpWindow::WindowProc));
    FFont.Reset(CreateFontW(-15, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                            CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH, L"Tahoma"));
    FPage = std::make_unique<TPageBrowser>(FWindow);
    FPage->OnDocumentComplete = [this](const WideString& url) { PageShown(url); };
    Load(std::move(help), arabic);
    ShowWindow(FWindow, SW_SHOWNORMAL);
    UpdateWindow(FWindow);
}

THelpWindow::~THelpWindow() = default;

// The controls are made again for each file, so that they read from the side of its language.
void THelpWindow::Load(std::shared_ptr<TCompiledHelp> help, bool arabic) {
    FHelp = std::move(help);
    FArabic = arabic;
    for (HWND* control : {&FTabs, &FTree, &FIndexEdit, &FIndexList}) {
        if (*control) DestroyWindow(*control);
        *control = nullptr;
    }
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    const DWORD mirrored = arabic ? WS_EX_LAYOUTRTL : 0;
    FTabs = CreateWindowExW(mirrored, WC_TABCONTROLW, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, 10, 10, FWindow,
                            reinterpret_cast<HMENU>(IdTabs), instance, nullptr);
    FTree = CreateWindowExW(WS_EX_CLIENTEDGE | mirrored, WC_TREEVIEWW, L"",
                            WS_CHILD | WS_VISIBLE | WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT |
                                TVS_SHOWSELALWAYS | (arabic ? TVS_RTLREADING : 0),
                            0, 0, 10, 10, FWindow, reinterpret_cast<HMENU>(IdTree), instance, nullptr);
    const DWORD rtlText = arabic ? WS_EX_RTLREADING | WS_EX_RIGHT | WS_EX_LEFTSCROLLBAR : 0;
    FIndexEdit = CreateWindowExW(WS_EX_CLIENTEDGE | rtlText, L"EDIT", L"", WS_CHILD | WS_TABSTOP | ES_AUTOHSCROLL, 0, 0, 10,
                                 10, FWindow, reinterpret_cast<HMENU>(IdIndexEdit), instance, nullptr);
    // drawn here: the system's list box leaves its text on the left whatever the side it reads from
    FIndexList = CreateWindowExW(WS_EX_CLIENTEDGE | rtlText, L"LISTBOX", L"",
                                 WS_CHILD | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT |
                                     LBS_OWNERDRAWFIXED | LBS_HASSTRINGS,
                                 0, 0, 10, 10, FWindow,
                                 reinterpret_cast<HMENU>(IdIndexList), instance, nullptr);
    for (HWND control : {FTabs, FTree, FIndexEdit, FIndexList}) SendMessageW(control, WM_SETFONT, WPARAM(FFont.Get()), TRUE);
    const wchar_t* names[] = {arabic ? L"\u0627\u0644\u0645\u062d\u062a\u0648\u064a\u0627\u062a" : L"Contents",
                              arabic ? L"\u0627\u0644\u0641\u0647\u0631\u0633" : L"Index"};
    for (int i = 0; i < 2; ++i) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<wchar_t*>(names[i]);
        SendMessageW(FTabs, TCM_INSERTITEMW, i, LPARAM(&item));
    }
    auto contents = FHelp->Read(FindFile(*FHelp, L".hhc", L"/toc.hhc"));
    FTopics = contents ? ReadHelpTopics(*contents) : std::vector<THelpTopic>{};
    auto index = FHelp->Read(FindFile(*FHelp, L".hhk", L"/index.hhk"));
    FIndex = index ? ReadHelpTopics(*index) : std::vector<THelpTopic>{};
    FillContents();
    FillIndex();
    ShowTab(0);
    Arrange();
    // the first page of the contents, else the help's own start page
    auto first = std::find_if(FTopics.begin(), FTopics.end(), [](const THelpTopic& t) { return !t.Local.empty(); });
    if (first != FTopics.end()) ShowTopic(std::size_t(first - FTopics.begin()));
    else FPage->Navigate2(CompiledHelpUrl(FHelp->Path(), L"/index.htm"), 0);
}

void THelpWindow::FillContents() {
    FItems.clear();
    std::vector<HTREEITEM> parents;
    for (std::size_t i = 0; i < FTopics.size(); ++i) {
        const THelpTopic& t = FTopics[i];
        int level = std::min<int>(t.Level, int(parents.size()));
        parents.resize(std::size_t(level));
        TVINSERTSTRUCTW insert{};
        insert.hParent = parents.empty() ? TVI_ROOT : parents.back();
        insert.hInsertAfter = TVI_LAST;
        insert.item.mask = TVIF_TEXT | TVIF_PARAM;
        insert.item.pszText = const_cast<wchar_t*>(t.Name.c_str());
        insert.item.lParam = LPARAM(i);
        HTREEITEM item = reinterpret_cast<HTREEITEM>(SendMessageW(FTree, TVM_INSERTITEMW, 0, LPARAM(&insert)));
        FItems.push_back(item);
        parents.push_back(item);
    }
    for (HTREEITEM item : FItems) SendMessageW(FTree, TVM_EXPAND, TVE_EXPAND, LPARAM(item));
}

// An entry of the index on the side of the help's language, as the contents tree shows its topics.
void THelpWindow::DrawIndexEntry(const DRAWITEMSTRUCT& item) const {
    if (item.itemID >= FIndex.size()) return;
    const bool selected = item.itemState & ODS_SELECTED;
    RECT box = item.rcItem;
    FillRect(item.hDC, &box, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    const HGDIOBJ font = SelectObject(item.hDC, FFont.Get());
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    RECT text = box;
    InflateRect(&text, -3, 0);
    const WideString& name = FIndex[item.itemID].Name;
    DrawTextShaped(item.hDC, name, text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | (FArabic ? DT_RIGHT | DT_RTLREADING : DT_LEFT));
    SelectObject(item.hDC, font);
    if (item.itemState & ODS_FOCUS) DrawFocusRect(item.hDC, &box);
}

void THelpWindow::FillIndex() {
    SendMessageW(FIndexList, LB_RESETCONTENT, 0, 0);
    for (const THelpTopic& t : FIndex) SendMessageW(FIndexList, LB_ADDSTRING, 0, LPARAM(t.Name.c_str()));
}

// The navigation beside the page: on the right for Arabic, on the left for English.
void THelpWindow::Arrange() {
    RECT client{};
    GetClientRect(FWindow, &client);
    const int w = client.right, h = client.bottom;
    const int nav = std::min(NavigationWidth, w / 2);
    const int navLeft = FArabic ? w - nav - Gap : Gap;
    const int pageLeft = FArabic ? Gap : nav + 2 * Gap;
    MoveWindow(FTabs, navLeft, Gap, nav, h - 2 * Gap, TRUE);
    RECT inner{0, 0, nav, h - 2 * Gap};
    SendMessageW(FTabs, TCM_ADJUSTRECT, FALSE, LPARAM(&inner));
    const int top = Gap + inner.top + 2;
    const int height = std::max(0, int(inner.bottom - inner.top) - 4);
    const int left = navLeft + 4, width = nav - 8;
    MoveWindow(FTree, left, top, width, height, TRUE);
    MoveWindow(FIndexEdit, left, top, width, 26, TRUE);
    MoveWindow(FIndexList, left, top + 30, width, std::max(0, height - 30), TRUE);
    SetWindowPos(FTabs, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    FPage->SetBounds({pageLeft, Gap, pageLeft + std::max(0, w - nav - 3 * Gap), h - Gap});
}

void THelpWindow::ShowTab(int tab) {
    SendMessageW(FTabs, TCM_SETCURSEL, tab, 0);
    ShowWindow(FTree, tab == 0 ? SW_SHOW : SW_HIDE);
    ShowWindow(FIndexEdit, tab == 1 ? SW_SHOW : SW_HIDE);
    ShowWindow(FIndexList, tab == 1 ? SW_SHOW : SW_HIDE);
}

void THelpWindow::ShowTopic(std::size_t index) {
    if (index >= FTopics.size() || FTopics[index].Local.empty()) return;
    FPage->Navigate2(CompiledHelpUrl(FHelp->Path(), FTopics[index].Local), 0);
}

void THelpWindow::ShowIndexEntry(std::size_t index) {
    if (index >= FIndex.size() || FIndex[index].Local.empty()) return;
    FPage->Navigate2(CompiledHelpUrl(FHelp->Path(), FIndex[index].Local), 0);
}

// A page reached by a link selects its topic in the contents and names the window.
void THelpWindow::PageShown(const WideString& url) {
    WideString chm, inner;
    SplitCompiledHelpUrl(url, chm, inner);
    const WideString page = Lower(UrlFileName(inner));
    for (std::size_t i = 0; i < FTopics.size() && i < FItems.size(); ++i) {
        if (Lower(UrlFileName(FTopics[i].Local)) != page) continue;
        FSyncing = true;
        SendMessageW(FTree, TVM_SELECTITEM, TVGN_CARET, LPARAM(FItems[i]));
        FSyncing = false;
        break;
    }
    const WideString help = FArabic ? L"\u062a\u0639\u0644\u064a\u0645\u0627\u062a Tapwise" : L"Tapwise Help";
    const WideString title = FPage->Document()->Title();
    SetWindowTextW(FWindow, (title.empty() ? help : help + L" - " + title).c_str());
}

void THelpWindow::FindInIndex() {
    wchar_t buffer[256] = {};
    GetWindowTextW(FIndexEdit, buffer, 256);
    const WideString typed = Lower(buffer);
    for (std::size_t i = 0; i < FIndex.size(); ++i) {
        if (Lower(FIndex[i].Name).rfind(typed, 0) == 0) {
            SendMessageW(FIndexList, LB_SETCURSEL, i, 0);
            return;
        }
    }
}

LRESULT CALLBACK THelpWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<THelpWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self) return DefWindowProcW(window, message, wParam, lParam);
    return self->Handle(message, wParam, lParam);
}

LRESULT THelpWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SIZE: Arrange(); return 0;
    case WM_GETMINMAXINFO: {
        auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
        info->ptMinTrackSize = {520, 360};
        return 0;
    }
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (header->hwndFrom == FTabs && header->code == TCN_SELCHANGE) {
            ShowTab(int(SendMessageW(FTabs, TCM_GETCURSEL, 0, 0)));
        } else if (header->hwndFrom == FTree && header->code == TVN_SELCHANGEDW && !FSyncing) {
            auto* change = reinterpret_cast<NMTREEVIEWW*>(lParam);
            ShowTopic(std::size_t(change->itemNew.lParam));
        }
        return 0;
    }
    case WM_MEASUREITEM: {
        // the entries as high as the text of the window's font
        auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        if (item->CtlType != ODT_LISTBOX) break;
        item->itemHeight = UINT(FontLineHeight(FFont.Get()) + 2);
        return TRUE;
    }
    case WM_DRAWITEM: {
        auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        if (item->CtlType != ODT_LISTBOX) break;
        DrawIndexEntry(*item);
        return TRUE;
    }
    case WM_COMMAND:
        if (HWND(lParam) == FIndexEdit && HIWORD(wParam) == EN_CHANGE) {
            FindInIndex();
        } else if (HWND(lParam) == FIndexList && (HIWORD(wParam) == LBN_SELCHANGE || HIWORD(wParam) == LBN_DBLCLK)) {
            LRESULT selected = SendMessageW(FIndexList, LB_GETCURSEL, 0, 0);
            if (selected != LB_ERR) ShowIndexEntry(std::size_t(selected));
        }
        return 0;
    case WM_DESTROY: {
        FPage.reset();
        SetWindowLongPtrW(FWindow, GWLP_USERDATA, 0);
        if (TheWindow == this) TheWindow = nullptr;
        delete this;
        return 0;
    }
    default: break;
    }
    return DefWindowProcW(FWindow, message, wParam, lParam);
}

bool ShowCompiledHelp(const String& chmPath, bool arabic) {
    if (HtmlEngineAvailable()) return ShowHtmlHelp(GetDesktopWindow(), chmPath);
    return THelpWindow::Show(ToWide(chmPath), arabic);
}

}  // namespace web
