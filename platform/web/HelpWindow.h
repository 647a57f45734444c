#pragma once
// The help of the engine-less road: a window of our own over a compiled help file, read through
// the system's compiled-help storage. Its contents tree and its index (from the file's contents
// and index files) stand beside a page view of our renderer, in the interface language and on
// the side that language reads from. Where the system has an HTML engine, its own help viewer
// shows the file instead.
#include <windows.h>
#include <commctrl.h>
#include <memory>
#include <vector>
#include "platform/graphics/GdiObject.h"
#include "platform/rtl/String.h"

namespace web {

class TPageBrowser;
class TCompiledHelp;

struct THelpTopic {
    WideString Name;
    WideString Local;   // the page's path inside the help file; empty for a heading
    int Level = 0;      // depth in the contents tree
};

// The entries of a contents (.hhc) or index (.hhk) file, in order.
std::vector<THelpTopic> ReadHelpTopics(const std::string& bytes);

class THelpWindow {
public:
    // Shows the help file's window (one at a time: a second call brings it up, on the new file
    // when that differs); false when the file cannot be read as compiled help.
    static bool Show(const WideString& chmPath, bool arabic);
    // The window now open, or nullptr.
    static THelpWindow* Current();
    static void CloseCurrent();

    HWND Handle() const { return FWindow; }
    HWND Contents() const { return FTree; }
    HWND IndexEdit() const { return FIndexEdit; }
    HWND IndexList() const { return FIndexList; }
    TPageBrowser* Page() const { return FPage.get(); }
    const std::vector<THelpTopic>& Topics() const { return FTopics; }
    const std::vector<THelpTopic>& Index() const { return FIndex; }
    // Shows a topic of the contents, or an entry of the index, as a click on it would.
    void ShowTopic(std::size_t index);
    void ShowIndexEntry(std::size_t index);
    // Shows the contents (0) or the index (1), as a click on its tab does.
    void ShowTab(int tab);

private:
    THelpWindow(std::shared_ptr<TCompiledHelp> help, bool arabic);
    ~THelpWindow();
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void Load(std::shared_ptr<TCompiledHelp> help, bool arabic);
    void FillContents();
    void FillIndex();
    void DrawIndexEntry(const DRAWITEMSTRUCT& item) const;
    void Arrange();
    void PageShown(const WideString& url);
    void FindInIndex();

    HWND FWindow = nullptr;
    HWND FTabs = nullptr;
    HWND FTree = nullptr;
    HWND FIndexEdit = nullptr;
    HWND FIndexList = nullptr;
    TGdiObject<HFONT> FFont;
    std::unique_ptr<TPageBrowser> FPage;
    std::shared_ptr<TCompiledHelp> FHelp;
    bool FArabic = false;
    std::vector<THelpTopic> FTopics;
    std::vector<HTREEITEM> FItems;
    std::vector<THelpTopic> FIndex;
    bool FSyncing = false;
};

// The help command: the system's viewer with an HTML engine, our window without one. False when
// neither could open the file.
bool ShowCompiledHelp(const String& chmPath, bool arabic);

}  // namespace web
