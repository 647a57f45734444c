#pragma once
// TPrinter: what the program knows of the installed printers. Printers lists their names in the
// system's order (read on first use and by Refresh); PrinterIndex is the default printer's
// place, -1 with no printers.
#include <functional>
#include <vector>
#include "platform/rtl/Classes.h"

class TPrinter {
public:
    TStrings* Printers();
    int PrinterIndex();
    void SetPrinterIndex(int value);   // -1 returns to the default printer; EListError out of range
    void Refresh();
private:
    void Read();
    TStringList FPrinters;
    bool FRead = false;
    int FPrinterIndex = -1;
};

TPrinter* Printer();

// Replaces the system's list of printers (Wine installs none); the first name is then the
// default. An empty function returns to the system's list. The printer object reads it anew.
using TPrinterSource = std::function<std::vector<String>()>;
void SetPrinterSource(TPrinterSource source);
