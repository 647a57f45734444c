#include <gtest/gtest.h>
#include "platform/ui/Printers.h"
#include "platform/rtl/Errors.h"

TEST(PrintersTest, ListAndIndexAgreeAndABadIndexIsRefused) {
    TPrinter* printer = Printer();
    int count = printer->Printers()->Count();
    // the default printer is selected when there is any
    EXPECT_EQ(printer->PrinterIndex() >= 0, count > 0);
    EXPECT_LT(printer->PrinterIndex(), count);
    EXPECT_THROW(printer->SetPrinterIndex(count), EListError);
    EXPECT_THROW(printer->SetPrinterIndex(-2), EListError);
    String before = printer->Printers()->Text();
    printer->Refresh();
    EXPECT_EQ(printer->Printers()->Text(), before);
    printer->SetPrinterIndex(-1);
    EXPECT_EQ(printer->PrinterIndex() >= 0, count > 0);
}

TEST(PrintersTest, AReplacedSourceListsItsPrintersAndTheSystemComesBack) {
    String system = Printer()->Printers()->Text();
    SetPrinterSource([] { return std::vector<String>{"Laser", "Ink"}; });
    EXPECT_EQ(Printer()->Printers()->Text(), "Laser\r\nInk\r\n");
    EXPECT_EQ(Printer()->PrinterIndex(), 0);
    SetPrinterSource(nullptr);
    EXPECT_EQ(Printer()->Printers()->Text(), system);
}
