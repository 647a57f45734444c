#pragma once
// TImageList over the system image list (comctl32). Controls that show its images register a
// TChangeLink and hear of every change; a link whose list goes away has its Sender cleared.
#include <windows.h>
#include <commctrl.h>
#include <vector>
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Icon.h"
#include "platform/rtl/TComponent.h"

class TCustomImageList;

class TChangeLink : public TObject {
public:
    ~TChangeLink() override;
    TCustomImageList* Sender = nullptr;
    TNotifyEvent OnChange;
    void Change();
};

class TCustomImageList : public TComponent {
public:
    explicit TCustomImageList(TComponent* owner);
    ~TCustomImageList() override;

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    void SetWidth(int value) { SetSize(value, FHeight); }
    void SetHeight(int value) { SetSize(FWidth, value); }
    void SetSize(int width, int height);       // a new size empties the list
    int Count() const;
    HIMAGELIST Handle();

    int Add(TBitmap* image, TBitmap* mask);     // the mask may be nullptr
    int AddMasked(TBitmap* image, TColor maskColor);
    int AddIcon(TIcon* icon);
    void Delete(int index);
    void Clear();
    void Draw(TCanvas* canvas, int x, int y, int index, bool enabled = true);
    void GetBitmap(int index, TBitmap* image);
    void GetIcon(int index, TIcon* icon);

    void RegisterChanges(TChangeLink* link);
    void UnRegisterChanges(TChangeLink* link);
    TNotifyEvent OnChange;

protected:
    virtual void Change();

private:
    void CheckIndex(int index) const;
    void FreeHandle();
    HIMAGELIST FHandle = nullptr;
    int FWidth = 16, FHeight = 16;
    std::vector<TChangeLink*> FLinks;
};

class TImageList : public TCustomImageList {
public:
    using TCustomImageList::TCustomImageList;
};
