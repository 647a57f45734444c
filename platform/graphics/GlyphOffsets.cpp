#include "platform/graphics/GlyphOffsets.h"
#include <usp10.h>
#include <cstdint>
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"

namespace {

using ScriptTextOutProc = HRESULT(WINAPI*)(HDC, SCRIPT_CACHE*, int, int, UINT, const RECT*, const SCRIPT_ANALYSIS*,
                                           const WCHAR*, int, const WORD*, int, const int*, const int*, const GOFFSET*);

ScriptTextOutProc SystemTextOut() {
    static const auto proc = reinterpret_cast<ScriptTextOutProc>(
        reinterpret_cast<void*>(GetProcAddress(LoadLibraryW(L"usp10.dll"), "ScriptTextOut")));
    return proc;
}

// The first ink row of one glyph drawn at a fixed point with the given vertical offset.
int InkTopOf(TBitmap& picture, SCRIPT_CACHE& cache, WORD glyph, int offset) {
    HDC dc = picture.Canvas()->Handle();
    const int width = picture.Width(), height = picture.Height();
    PatBlt(dc, 0, 0, width, height, WHITENESS);
    SCRIPT_ANALYSIS analysis{};
    int advance = width / 2;
    GOFFSET goffset{0, offset};
    SystemTextOut()(dc, &cache, width / 4, height / 3, 0, nullptr, &analysis, nullptr, 0, &glyph, 1, &advance, nullptr,
                    &goffset);
    GdiFlush();
    for (int y = 0; y < height; ++y) {
        const auto* row = static_cast<const std::uint32_t*>(picture.ScanLine(y));
        for (int x = 0; x < width; ++x)
            if ((row[x] & 0xFFFFFF) != 0xFFFFFF) return y;
    }
    return -1;
}

// A glyph drawn with an offset of d up (Uniscribe's offsets point up) should rise by d; the error
// is how far it lands from there, in multiples of d.
int MeasureOffsetError() {
    if (!SystemTextOut()) return 0;
    constexpr int offset = 8;
    TBitmap picture;
    picture.SetPixelFormat(pf32bit);
    picture.SetSize(48, 96);
    picture.Canvas()->Lock();
    HDC dc = picture.Canvas()->Handle();
    HFONT font = CreateFontW(-32, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_TT_ONLY_PRECIS,
                             CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY, DEFAULT_PITCH, L"Arial");
    int error = 0;
    if (font) {
        HGDIOBJ oldFont = SelectObject(dc, font);
        SCRIPT_CACHE cache = nullptr;
        WORD glyph = 0;
        if (ScriptGetCMap(dc, &cache, L"I", 1, 0, &glyph) == S_OK) {
            const int plain = InkTopOf(picture, cache, glyph, 0);
            const int raised = InkTopOf(picture, cache, glyph, offset);
            if (plain >= 0 && raised >= 0) {
                const int misplaced = raised - (plain - offset);
                error = (misplaced + (misplaced >= 0 ? offset / 2 : -offset / 2)) / offset;
            }
        }
        ScriptFreeCache(&cache);
        SelectObject(dc, oldFont);
        DeleteObject(font);
    }
    picture.Canvas()->Unlock();
    return error;
}

// The system's drawing, the run first moved back by what the system will misplace it. The glyph
// drawn first is the leftmost: in a right-to-left run given in logical order, the last one.
HRESULT WINAPI CorrectedTextOut(HDC dc, SCRIPT_CACHE* cache, int x, int y, UINT options, const RECT* rect,
                                const SCRIPT_ANALYSIS* analysis, const WCHAR* reserved, int reservedCount,
                                const WORD* glyphs, int count, const int* advances, const int* justify,
                                const GOFFSET* offsets) {
    if (offsets && analysis && count > 0) {
        const GOFFSET& first = analysis->fRTL && analysis->fLogicalOrder ? offsets[count - 1] : offsets[0];
        y -= FirstGlyphOffsetError() * first.dv;
    }
    return SystemTextOut()(dc, cache, x, y, options, rect, analysis, reserved, reservedCount, glyphs, count, advances,
                           justify, offsets);
}

// The module's import slots that hold the system's drawing now hold the correction; the slots
// are found by the address they were bound to, whichever library the module names for it.
bool RedirectImports(HMODULE module, void* from, void* to) {
    auto* base = reinterpret_cast<BYTE*>(module);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    if (dos->e_magic != IMAGE_DOS_SIGNATURE) return false;
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (!imports.VirtualAddress) return false;
    bool redirected = false;
    for (auto* library = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
         library->Name; ++library) {
        for (auto* slot = reinterpret_cast<IMAGE_THUNK_DATA*>(base + library->FirstThunk); slot->u1.Function; ++slot) {
            if (slot->u1.Function != reinterpret_cast<ULONG_PTR>(from)) continue;
            DWORD protection = 0;
            if (!VirtualProtect(&slot->u1.Function, sizeof slot->u1.Function, PAGE_READWRITE, &protection)) continue;
            slot->u1.Function = reinterpret_cast<ULONG_PTR>(to);
            VirtualProtect(&slot->u1.Function, sizeof slot->u1.Function, protection, &protection);
            redirected = true;
        }
    }
    return redirected;
}

}  // namespace

int FirstGlyphOffsetError() {
    static const int error = MeasureOffsetError();
    return error;
}

bool CorrectGlyphOffsetsOf(HMODULE module) {
    if (!module || FirstGlyphOffsetError() == 0) return false;
    return RedirectImports(module, reinterpret_cast<void*>(SystemTextOut()), reinterpret_cast<void*>(&CorrectedTextOut));
}
