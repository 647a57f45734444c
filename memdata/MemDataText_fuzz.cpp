// Any bytes as a delimited file of a table like the program's (lesson pages, the user list): it
// loads or is refused whole, and what loads is written back and read again without a fault.
#include <unistd.h>
#include <cstdint>
#include "memdata/MemData.h"
#include "platform/rtl/Os.h"
#include "platform/rtl/Streams.h"

namespace {

struct Table {
    TMemData Data{"Fuzz"};
    Table() {
        auto add = [this](TField* field, const char* name, int size) {
            field->SetFieldName(name);
            if (size) field->SetSize(size);
            field->SetDataSet(&Data);
        };
        add(new TStringField(), "char", 20);
        add(new TStringField(), "data", 1000);
        add(new TStringField(), "name", 150);
        add(new TIntegerField(), "lesson", 0);
        add(new TFloatField(), "speed", 0);
        add(new TBooleanField(), "done", 0);
        add(new TDateTimeField(), "when", 0);
        Data.SetSortedField("name");
    }
    String Text() {
        String all;
        for (Data.First(); !Data.Eof(); Data.Next())
            for (int i = 0; i < Data.FieldCount(); ++i) all += Data.Fields(i)->AsString() + "\x1F";
        return all;
    }
};

String TempName(const char* which) { return os::TempDirectory() + "tapwise-fuzz-" + std::to_string(getpid()) + which; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const String in = TempName(".txt"), out = TempName("-out.txt");
    {
        TFileStream f(in, fmCreate);
        f.WriteBuffer(data, int(size));
    }
    Table table;
    table.Data.TextDelimiter = size > 0 && data[0] == ';' ? ';' : ',';
    try {
        table.Data.LoadFromDelimitedFile(in);
    } catch (const Exception&) {
        if (table.Data.Active() && table.Data.RecordCount() != 0) __builtin_trap();   // refused whole
        return 0;
    }
    if (!table.Data.Active()) return 0;   // a file without lines loads nothing
    (void)table.Text();
    table.Data.SaveToDelimitedFile(out);
    Table again;
    again.Data.TextDelimiter = table.Data.TextDelimiter;
    try {
        again.Data.LoadFromDelimitedFile(out);
    } catch (const Exception&) {
        return 0;   // a value the text form cannot carry back (a delimiter or line break in it)
    }
    if (again.Data.Active()) (void)again.Text();
    return 0;
}
