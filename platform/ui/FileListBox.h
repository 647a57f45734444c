#pragma once
// TFileListBox: a sorted list box of the files of Directory that match Mask (several patterns
// separated by ';'), read when the window is made and again on each change and Update.
#include "platform/ui/ListBox.h"

using TFileType = unsigned;
constexpr TFileType ftReadOnly = 1 << 0, ftHidden = 1 << 1, ftSystem = 1 << 2, ftVolumeID = 1 << 3,
                    ftDirectory = 1 << 4, ftArchive = 1 << 5, ftNormal = 1 << 6;

class TFileListBox : public TCustomListBox {
public:
    explicit TFileListBox(TComponent* owner);

    const String& Mask() const { return FMask; }
    void SetMask(const String& value);
    const String& Directory() const { return FDirectory; }
    void SetDirectory(const String& value);       // a relative name is taken from the current folder
    TFileType FileType() const { return FFileType; }
    void SetFileType(TFileType value);
    // The selected file with its folder, empty when none; setting it may change the folder and
    // selects the file when listed.
    String FileName();
    void SetFileName(const String& value);
    void Update() override;                        // reads the folder again

    TNotifyEvent OnChange;                         // the selection changed

protected:
    void CreateWnd() override;
    void Click() override;
    virtual void ReadFileNames();

private:
    bool Wanted(DWORD attributes) const;
    String FMask = "*.*";
    String FDirectory;
    TFileType FFileType = ftNormal;
    bool FRead = false;
};
