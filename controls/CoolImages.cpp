#include "controls/CoolImages.h"
#include <algorithm>

TCoolChangeLink::~TCoolChangeLink() {
    if (Sender) Sender->UnRegisterChanges(this);
}

void TCoolChangeLink::Change() {
    if (OnChange) OnChange(Sender);
}

TBitmapItem::TBitmapItem(TCollection* collection)
    : TCollectionItem(collection), FBitmap(std::make_unique<TBitmap>()) {
    FBitmap->OnChange = [this](TObject*) {
        if (auto* bitmaps = dynamic_cast<TBitmaps*>(Collection())) bitmaps->ImagesOwner()->Change();
    };
}

TBitmapItem::~TBitmapItem() { FBitmap->OnChange = nullptr; }

TBitmaps::TBitmaps(TCoolImages* owner)
    : TCollection([](TCollection* c) { return new TBitmapItem(c); }, owner), FImagesOwner(owner) {}

TCoolImages::TCoolImages(TComponent* owner) : TComponent(owner), FBitmaps(std::make_unique<TBitmaps>(this)) {}

TCoolImages::~TCoolImages() {
    while (!FClients.empty()) UnRegisterChanges(FClients.back());
    FBitmaps.reset();
}

TBitmap* TCoolImages::UsableBitmap(int index) const {
    if (index < 0 || index >= FBitmaps->Count()) return nullptr;
    TBitmap* b = FBitmaps->Items(index)->Bitmap();
    return b && !b->Empty() ? b : nullptr;
}

void TCoolImages::RegisterChanges(TCoolChangeLink* link) {
    link->Sender = this;
    FClients.push_back(link);
}

void TCoolImages::UnRegisterChanges(TCoolChangeLink* link) {
    auto it = std::find(FClients.begin(), FClients.end(), link);
    if (it == FClients.end()) return;
    link->Sender = nullptr;
    FClients.erase(it);
}

void TCoolImages::Change() {
    // a client may unregister while it hears of the change
    for (TCoolChangeLink* link : std::vector<TCoolChangeLink*>(FClients))
        if (std::find(FClients.begin(), FClients.end(), link) != FClients.end()) link->Change();
}
