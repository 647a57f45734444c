#include "platform/ui/Printers.h"
#include <windows.h>
#include <winspool.h>
#include <vector>
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/Errors.h"

namespace {
TPrinterSource Source;
}

TPrinter* Printer() {
    static TPrinter printer;
    return &printer;
}

void SetPrinterSource(TPrinterSource source) {
    Source = std::move(source);
    Printer()->Refresh();
}

void TPrinter::Read() {
    FPrinters.Clear();
    FPrinterIndex = -1;
    FRead = true;
    if (Source) {
        for (const String& name : Source()) FPrinters.Add(name);
        if (FPrinters.Count() > 0) FPrinterIndex = 0;
        return;
    }
    DWORD flags = PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS;
    DWORD needed = 0, count = 0;
    EnumPrintersW(flags, nullptr, 4, nullptr, 0, &needed, &count);
    if (needed == 0) return;   // no printers, or no print service
    std::vector<BYTE> buffer(needed);
    if (!EnumPrintersW(flags, nullptr, 4, buffer.data(), needed, &needed, &count)) return;
    auto* info = reinterpret_cast<PRINTER_INFO_4W*>(buffer.data());
    for (DWORD i = 0; i < count; ++i)
        if (info[i].pPrinterName) FPrinters.Add(FromWide(info[i].pPrinterName));
    wchar_t name[512];
    DWORD size = 512;
    if (GetDefaultPrinterW(name, &size)) FPrinterIndex = FPrinters.IndexOf(FromWide(name));
    if (FPrinterIndex < 0 && FPrinters.Count() > 0) FPrinterIndex = 0;
}

TStrings* TPrinter::Printers() {
    if (!FRead) Read();
    return &FPrinters;
}

int TPrinter::PrinterIndex() {
    if (!FRead) Read();
    return FPrinterIndex;
}

void TPrinter::SetPrinterIndex(int value) {
    if (!FRead) Read();
    if (value == -1) { Read(); return; }
    if (value < 0 || value >= FPrinters.Count()) throw EListError("Printer selected is not valid");
    FPrinterIndex = value;
}

void TPrinter::Refresh() { Read(); }
