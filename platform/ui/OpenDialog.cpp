#include "platform/ui/OpenDialog.h"
#include "platform/rtl/SysUtils.h"

WideString FilterToSystem(const String& filter) {
    if (filter.empty()) return WideString();
    WideString w = ToWide(filter);
    for (wchar_t& c : w)
        if (c == L'|') c = L'\0';
    w.push_back(L'\0');
    w.push_back(L'\0');
    return w;
}

TOpenDialog::TOpenDialog(TComponent* owner) : TCommonDialog(owner) { FHookIsChild = true; }

bool TOpenDialog::CallDialog(OPENFILENAMEW& ofn) {
    return Run([](void* d) { return GetOpenFileNameW(static_cast<OPENFILENAMEW*>(d)); }, &ofn);
}

bool TSaveDialog::CallDialog(OPENFILENAMEW& ofn) {
    return Run([](void* d) { return GetSaveFileNameW(static_cast<OPENFILENAMEW*>(d)); }, &ofn);
}

bool TOpenDialog::Execute() {
    // room for many names when several may be chosen
    WideString buffer(Options & ofAllowMultiSelect ? 65536 : MAX_PATH * 4, L'\0');
    WideString name = ToWide(FileName);
    if (name.size() >= buffer.size()) throw EInvalidOperation("File name too long");
    name.copy(buffer.data(), name.size());
    WideString filter = FilterToSystem(Filter);
    WideString initial = ToWide(InitialDir), ext = ToWide(DefaultExt), title = ToWide(Title);
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = OwnerWindow();
    ofn.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
    ofn.nFilterIndex = static_cast<DWORD>(FilterIndex);
    ofn.lpstrFile = buffer.data();
    ofn.nMaxFile = static_cast<DWORD>(buffer.size());
    ofn.lpstrInitialDir = initial.empty() ? nullptr : initial.c_str();
    ofn.lpstrTitle = title.empty() ? nullptr : title.c_str();
    ofn.lpstrDefExt = ext.empty() ? nullptr : ext.c_str();
    ofn.Flags = OFN_EXPLORER | OFN_ENABLEHOOK | OFN_ENABLESIZING;
    struct Map { TOpenOptions option; DWORD flag; };
    for (Map m : {Map{ofReadOnly, OFN_READONLY}, {ofOverwritePrompt, OFN_OVERWRITEPROMPT}, {ofHideReadOnly, OFN_HIDEREADONLY},
                  {ofNoChangeDir, OFN_NOCHANGEDIR}, {ofShowHelp, OFN_SHOWHELP}, {ofNoValidate, OFN_NOVALIDATE},
                  {ofAllowMultiSelect, OFN_ALLOWMULTISELECT}, {ofPathMustExist, OFN_PATHMUSTEXIST},
                  {ofFileMustExist, OFN_FILEMUSTEXIST}, {ofCreatePrompt, OFN_CREATEPROMPT}, {ofShareAware, OFN_SHAREAWARE},
                  {ofNoReadOnlyReturn, OFN_NOREADONLYRETURN}, {ofNoTestFileCreate, OFN_NOTESTFILECREATE},
                  {ofNoDereferenceLinks, OFN_NODEREFERENCELINKS}})
        if (Options & m.option) ofn.Flags |= m.flag;
    ofn.lpfnHook = HookProc;
    if (!CallDialog(ofn)) return false;
    FFiles.clear();
    // several names: the folder, then each name, each ended by NUL
    const wchar_t* p = buffer.c_str();
    WideString first = p;
    p += first.size() + 1;
    if ((Options & ofAllowMultiSelect) && *p) {
        String folder = FromWide(first);
        for (; *p; p += wcslen(p) + 1) FFiles.push_back(IncludeTrailingPathDelimiter(folder) + FromWide(p));
    } else {
        FFiles.push_back(FromWide(first));
    }
    FileName = FFiles.front();
    FilterIndex = static_cast<int>(ofn.nFilterIndex);
    if ((ofn.Flags & OFN_EXTENSIONDIFFERENT)) Options |= ofExtensionDifferent; else Options &= ~ofExtensionDifferent;
    return true;
}
