#include "platform/graphics/ImageList.h"
#include <algorithm>
#include "platform/graphics/GdiObject.h"
#include "platform/rtl/Errors.h"

void TChangeLink::Change() { if (OnChange) OnChange(Sender); }

TChangeLink::~TChangeLink() {
    if (Sender) Sender->UnRegisterChanges(this);
}

TCustomImageList::TCustomImageList(TComponent* owner) : TComponent(owner) {}

TCustomImageList::~TCustomImageList() {
    for (TChangeLink* link : FLinks) link->Sender = nullptr;
    FLinks.clear();
    FreeHandle();
}

void TCustomImageList::FreeHandle() {
    if (FHandle) {
        ImageList_Destroy(FHandle);
        gdi::Counted(-1);
        FHandle = nullptr;
    }
}

HIMAGELIST TCustomImageList::Handle() {
    if (!FHandle) {
        FHandle = ImageList_Create(FWidth, FHeight, ILC_COLOR24 | ILC_MASK, 4, 4);
        if (!FHandle) throw EOutOfResources("Cannot create the image list");
        gdi::Counted(1);
    }
    return FHandle;
}

void TCustomImageList::SetSize(int width, int height) {
    if (width == FWidth && height == FHeight) return;
    if (width <= 0 || height <= 0) throw EInvalidOperation("Invalid image size");
    FWidth = width;
    FHeight = height;
    FreeHandle();
    Change();
}

int TCustomImageList::Count() const { return FHandle ? ImageList_GetImageCount(FHandle) : 0; }

void TCustomImageList::CheckIndex(int index) const {
    if (index < 0 || index >= Count()) throw EInvalidOperation("Image list index out of bounds (" + IntToStr(index) + ")");
}

int TCustomImageList::Add(TBitmap* image, TBitmap* mask) {
    if (!image || image->Empty()) return -1;
    image->FreeContext();
    if (mask) mask->FreeContext();
    int i = ImageList_Add(Handle(), image->Handle(), mask ? mask->Handle() : nullptr);
    if (i < 0) throw EInvalidOperation("Failed to add the image to the list");
    Change();
    return i;
}

int TCustomImageList::AddMasked(TBitmap* image, TColor maskColor) {
    if (!image || image->Empty()) return -1;
    image->FreeContext();
    int i = ImageList_AddMasked(Handle(), image->Handle(), ColorToRGB(maskColor));
    if (i < 0) throw EInvalidOperation("Failed to add the image to the list");
    Change();
    return i;
}

int TCustomImageList::AddIcon(TIcon* icon) {
    if (!icon || icon->Empty()) return -1;
    int i = ImageList_ReplaceIcon(Handle(), -1, icon->Handle());
    if (i < 0) throw EInvalidOperation("Failed to add the icon to the list");
    Change();
    return i;
}

void TCustomImageList::Delete(int index) {
    CheckIndex(index);
    ImageList_Remove(FHandle, index);
    Change();
}

void TCustomImageList::Clear() {
    if (FHandle) ImageList_Remove(FHandle, -1);
    Change();
}

void TCustomImageList::Draw(TCanvas* canvas, int x, int y, int index, bool enabled) {
    CheckIndex(index);
    UINT style = ILD_NORMAL | (enabled ? 0 : ILD_BLEND50);
    ImageList_DrawEx(FHandle, index, canvas->Handle(), x, y, 0, 0, CLR_NONE, CLR_DEFAULT, style);
}

void TCustomImageList::GetBitmap(int index, TBitmap* image) {
    CheckIndex(index);
    image->SetSize(FWidth, FHeight);
    TCanvas* c = image->Canvas();
    c->FillRect(Rect(0, 0, FWidth, FHeight));
    Draw(c, 0, 0, index);
}

void TCustomImageList::GetIcon(int index, TIcon* icon) {
    CheckIndex(index);
    icon->SetHandle(ImageList_GetIcon(FHandle, index, ILD_NORMAL));
}

void TCustomImageList::RegisterChanges(TChangeLink* link) {
    if (!link) return;
    if (link->Sender && link->Sender != this) link->Sender->UnRegisterChanges(link);
    link->Sender = this;
    if (std::find(FLinks.begin(), FLinks.end(), link) == FLinks.end()) FLinks.push_back(link);
}

void TCustomImageList::UnRegisterChanges(TChangeLink* link) {
    FLinks.erase(std::remove(FLinks.begin(), FLinks.end(), link), FLinks.end());
    if (link && link->Sender == this) link->Sender = nullptr;
}

void TCustomImageList::Change() {
    for (TChangeLink* link : std::vector<TChangeLink*>(FLinks)) link->Change();
    if (OnChange) OnChange(this);
}
