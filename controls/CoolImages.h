#pragma once
// TCoolImages: a numbered collection of bitmaps that several skinned controls take their
// wallpapers from, by index. A change of any picture tells every registered link at once;
// adding, deleting or moving items tells nobody (clients see the new indexes when they repaint).
#include <memory>
#include <vector>
#include "platform/graphics/Bitmap.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/TComponent.h"

class TCoolImages;

// A client's registration with one collection; Sender names it, or nothing.
class TCoolChangeLink : public TObject {
public:
    ~TCoolChangeLink() override;
    TCoolImages* Sender = nullptr;
    TNotifyEvent OnChange;        // called with Sender
    void Change();
};

class TBitmapItem : public TCollectionItem {
public:
    explicit TBitmapItem(TCollection* collection);
    ~TBitmapItem() override;
    TBitmap* Bitmap() const { return FBitmap.get(); }
    void SetBitmap(TBitmap* value) { FBitmap->Assign(value); }   // copies; the item keeps its own
    void Assign(const TBitmapItem& source) { SetBitmap(source.Bitmap()); }
private:
    std::unique_ptr<TBitmap> FBitmap;
};

class TBitmaps : public TCollection {
public:
    explicit TBitmaps(TCoolImages* owner);
    TBitmapItem* Items(int index) const { return static_cast<TBitmapItem*>(TCollection::Items(index)); }
    TBitmapItem* Add() { return static_cast<TBitmapItem*>(TCollection::Add()); }
    TCoolImages* ImagesOwner() const { return FImagesOwner; }
private:
    TCoolImages* FImagesOwner;
};

class TCoolImages : public TComponent {
public:
    explicit TCoolImages(TComponent* owner);
    ~TCoolImages() override;

    TBitmaps* Bitmaps() const { return FBitmaps.get(); }
    // The bitmap of item index when the index is valid and the picture is not empty.
    TBitmap* UsableBitmap(int index) const;

    void RegisterChanges(TCoolChangeLink* link);
    void UnRegisterChanges(TCoolChangeLink* link);   // a link not registered is ignored

protected:
    friend class TBitmapItem;
    virtual void Change();        // every registered link, in registration order

private:
    std::vector<TCoolChangeLink*> FClients;
    std::unique_ptr<TBitmaps> FBitmaps;
};
