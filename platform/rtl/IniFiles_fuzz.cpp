// Any bytes as a settings file: every section and key it lists reads back, and a value written
// into it reads back after the file is saved and read again.
#include <unistd.h>
#include <cstdint>
#include "platform/rtl/IniFiles.h"
#include "platform/rtl/Os.h"
#include "platform/rtl/Streams.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const String path = os::TempDirectory() + "tapwise-fuzz-" + std::to_string(getpid()) + ".ini";
    {
        TFileStream f(path, fmCreate);
        f.WriteBuffer(data, int(size));
    }
    TMemIniFile ini(path);
    TStringList sections, values;
    ini.ReadSections(sections);
    for (int i = 0; i < sections.Count(); ++i) {
        ini.ReadSectionValues(sections[i], values);
        for (int k = 0; k < values.Count(); ++k) {
            const String key = values.Names(k);
            if (!ini.ValueExists(sections[i], key)) __builtin_trap();
            (void)ini.ReadInteger(sections[i], key, 0);
            (void)ini.ReadBool(sections[i], key, false);
        }
    }
    if (sections.Count() > 0) {
        ini.DeleteKey(sections[0], "Count");
        ini.EraseSection(sections[sections.Count() - 1]);
    }
    ini.WriteString("Fuzz", "Key", "value");
    if (ini.ReadString("Fuzz", "Key", "") != "value") __builtin_trap();
    ini.UpdateFile();
    if (TIniFile(path).ReadString("fuzz", "KEY", "") != "value") __builtin_trap();
    return 0;
}
