#pragma once
// TWallPaper holds the shell's active-desktop object, through which a program can set the
// desktop wallpaper, with the Windows folder beside it. It sits on the main menu and is only
// made and freed with it; on a system without the object the reference stays empty.
#include <memory>
#include "platform/ui/TControl.h"

struct IActiveDesktop;

enum class TWallPaperStyle { wpsCenter, wpsTile, wpsStretch };
using enum TWallPaperStyle;

class TWallPaper : public TControl {
public:
    explicit TWallPaper(TComponent* owner);
    ~TWallPaper() override;

    TWallPaperStyle Style() const { return FStyle; }
    void SetStyle(TWallPaperStyle value) { FStyle = value; }
    const String& WindowsDir() const { return FWindowsDir; }
    IActiveDesktop* ActiveDesktop() const { return FActiveDesktop; }   // null when the system has none

private:
    struct TTaskMemFree {
        void operator()(void* block) const;
    };

    String FWindowsDir;
    std::unique_ptr<char, TTaskMemFree> FPathBuffer;   // MAX_PATH bytes from the COM task allocator
    TWallPaperStyle FStyle = wpsCenter;
    IActiveDesktop* FActiveDesktop = nullptr;
};
