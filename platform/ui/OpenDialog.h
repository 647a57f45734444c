#pragma once
// TOpenDialog over GetOpenFileNameW (TSaveDialog over GetSaveFileNameW). Filter is
// "Description|*.ext|Description|*.ext"; FilterIndex counts from 1. FileName is the full path
// chosen (or the one offered); Files the chosen paths with ofAllowMultiSelect.
#include <vector>
#include "platform/rtl/String.h"
#include "platform/ui/CommonDialog.h"

using TOpenOptions = unsigned;
constexpr TOpenOptions ofReadOnly = 1, ofOverwritePrompt = 2, ofHideReadOnly = 4, ofNoChangeDir = 8,
                       ofShowHelp = 16, ofNoValidate = 32, ofAllowMultiSelect = 64, ofExtensionDifferent = 128,
                       ofPathMustExist = 256, ofFileMustExist = 512, ofCreatePrompt = 1024, ofShareAware = 2048,
                       ofNoReadOnlyReturn = 4096, ofNoTestFileCreate = 8192, ofNoDereferenceLinks = 16384;

class TOpenDialog : public TCommonDialog {
public:
    explicit TOpenDialog(TComponent* owner);
    bool Execute() override;

    String FileName;
    String Filter;
    int FilterIndex = 1;
    String DefaultExt;        // without the dot
    String InitialDir;
    String Title;
    TOpenOptions Options = ofHideReadOnly;
    const std::vector<String>& Files() const { return FFiles; }

protected:
    virtual bool CallDialog(OPENFILENAMEW& ofn);

private:
    std::vector<String> FFiles;
};

class TSaveDialog : public TOpenDialog {
public:
    using TOpenDialog::TOpenDialog;
protected:
    bool CallDialog(OPENFILENAMEW& ofn) override;
};

// "Text|*.txt|All|*.*" as the system wants it: pairs ended by NUL, the list by a second NUL.
WideString FilterToSystem(const String& filter);
