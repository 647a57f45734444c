// Any bytes as a page: every road an HTML view takes through the rewriting, with each of its
// settings on or off as the first byte says, ends without a fault.
#include <cstdint>
#include "htmlview/PageRewriter.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const unsigned flags = size > 0 ? data[0] : 0;
    // the file system answers by the name alone, so that both answers occur
    TPageRewriter rewriter([](const String& path) {
        if (path.empty()) return TPathKind::None;
        return path.size() % 3 == 0 ? TPathKind::File : path.size() % 3 == 1 ? TPathKind::Folder : TPathKind::None;
    });
    TPageSettings& s = rewriter.Settings;
    s.BaseDir = "C:/Tapwise/Data/Pages";
    s.BaseParent = "C:/Tapwise/Data";
    s.AgentDir = "C:\\Tapwise\\Data\\Agent\\";
    s.StyleSheetFile = "style.css";
    s.JavaScriptFile = "page.js";
    s.BackGroundImage = flags & 0x80 ? "back.jpg" : "";
    s.PemovePreHeaderText = flags & 0x01;
    s.HideArabicCommands = flags & 0x02;
    s.AddCopyMenu = flags & 0x04;
    s.AddCopyScript = flags & 0x08;
    s.OnContextMenu = flags & 0x10;
    s.WaterMark = flags & 0x20;
    rewriter.BuildCopyScript("(c) Tapwise");

    const String page(reinterpret_cast<const char*>(data), size);
    String shown = page;
    rewriter.PrepareHTML(shown);
    rewriter.BuildBodyPart(shown);
    rewriter.BuildHeadPart(shown);
    String scripted = page;
    rewriter.PrepareHTML(scripted);
    rewriter.ExtractScriptBlock(scripted);
    rewriter.SetDefaultHeadBody();
    (void)rewriter.FullCopyScript();
    return 0;
}
