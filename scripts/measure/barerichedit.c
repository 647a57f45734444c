/* barerichedit.c: the floor of a typing surface built on the rich edit control: one 792x566
 * borderless window (like barekeys.c) holding a version-1 rich edit ("RICHEDIT", riched32.dll)
 * of the typing surface's size, font and colour, 240 lines of text, that types every key by the
 * control's own WM_CHAR handling. X key -> Wine -> WM_KEYDOWN -> TranslateMessage -> WM_CHAR ->
 * the control's insertion, caret and repaint -> surface flush to X.
 * Build: x86_64-w64-mingw32-gcc -O2 -mwindows barerichedit.c -o barerichedit.exe */
#include <windows.h>
#include <richedit.h>
#include <string.h>

typedef struct { const WCHAR *text; size_t size, done; } Feed;

static DWORD CALLBACK feed(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG *done) {
    Feed *f = (Feed *)cookie;
    size_t n = f->size - f->done;
    if (n > (size_t)size) n = size;
    memcpy(buffer, (const char *)f->text + f->done, n);
    f->done += n;
    *done = (LONG)n;
    return 0;
}

static LRESULT CALLBACK WndProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_DESTROY) { PostQuitMessage(0); return 0; }
    return DefWindowProcW(h, m, w, l);
}

int WINAPI WinMain(HINSTANCE inst, HINSTANCE prev, LPSTR cmd, int show) {
    static WCHAR text[16000];
    size_t n = 0;
    LoadLibraryW(L"riched32.dll");
    WNDCLASSW wc = {0};
    wc.lpfnWndProc = WndProc;
    wc.hInstance = inst;
    wc.hCursor = LoadCursor(NULL, IDC_ARROW);
    wc.lpszClassName = L"BareRichEdit";
    RegisterClassW(&wc);
    int x = (GetSystemMetrics(SM_CXSCREEN) - 792) / 2, y = (GetSystemMetrics(SM_CYSCREEN) - 566) / 2;
    HWND form = CreateWindowExW(0, L"BareRichEdit", L"barerichedit", WS_POPUP, x, y, 792, 566, NULL, NULL, inst, NULL);
    HWND edit = CreateWindowExW(WS_EX_CLIENTEDGE, L"RICHEDIT", L"",
                                WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_DISABLENOSCROLL,
                                40, 120, 712, 300, form, NULL, inst, NULL);
    SendMessageW(edit, EM_SETTARGETDEVICE, 0, 1);
    SendMessageW(edit, EM_SETBKGNDCOLOR, 0, RGB(49, 173, 221));
    CHARFORMATA format = {sizeof format};
    format.dwMask = CFM_FACE | CFM_SIZE;
    strcpy(format.szFaceName, "Courier New");
    format.yHeight = 15 * 20;
    SendMessageW(edit, EM_SETCHARFORMAT, SCF_DEFAULT, (LPARAM)&format);
    for (int i = 0; i < 120; i++)
        for (const WCHAR *p = L"the quick brown fox jumps over lazy dog and runs\r\n \r\n"; *p; p++) text[n++] = *p;
    Feed f = {text, n * sizeof(WCHAR), 0};
    EDITSTREAM stream = {(DWORD_PTR)&f, 0, feed};
    SendMessageW(edit, EM_STREAMIN, SF_TEXT | SF_UNICODE, (LPARAM)&stream);
    SendMessageW(edit, EM_SETSEL, 51, 51);
    ShowWindow(form, SW_SHOW);
    UpdateWindow(form);
    SetFocus(edit);
    MSG msg;
    while (GetMessageW(&msg, NULL, 0, 0) > 0) { TranslateMessage(&msg); DispatchMessageW(&msg); }
    return 0;
}
