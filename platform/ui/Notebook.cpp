#include "platform/ui/Notebook.h"
#include <algorithm>

TPage::TPage(TComponent* owner) : TCustomControl(owner) {
    ControlStyle |= csAcceptsControls;
    SetVisible(false);
    SetAlign(alClient);
}

void TPage::Paint() {
    Canvas()->Brush()->SetColor(Color());
    Canvas()->FillRect(ClientRect());
}

class TNotebook::TPageNames : public TStrings {
public:
    explicit TPageNames(TNotebook* notebook) : FNotebook(notebook) {}
    void Clear() override {
        BeginUpdate();
        while (FNotebook->PageCount() > 0) FNotebook->DeletePage(FNotebook->PageCount() - 1);
        EndUpdate();
    }
    void Delete(int index) override { FNotebook->DeletePage(index); }
    void Insert(int index, const String& s) override { FNotebook->InsertPage(index, s); }
    void Put(int index, const String& s) override { FNotebook->Page(index)->SetCaption(s); }
protected:
    String Get(int index) const override { return FNotebook->Page(index)->Caption(); }
    int GetCount() const override { return FNotebook->PageCount(); }
    TObject* GetObjectAt(int index) const override { return FNotebook->Page(index); }
private:
    TNotebook* FNotebook;
};

TNotebook::TNotebook(TComponent* owner) : TCustomControl(owner), FPages(std::make_unique<TPageNames>(this)) {
    ControlStyle |= csAcceptsControls;
    SetBounds(0, 0, 150, 150);
    FPages->Add("Default");
    SetPageIndex(0);
}

// The pages go as children before the names list that reaches them.
TNotebook::~TNotebook() {
    Destroying();
    for (TPage* p : std::vector<TPage*>(FPageList)) p->Free();
}

void TNotebook::CreateParams(TCreateParams& p) {
    TCustomControl::CreateParams(p);
    p.Style |= WS_CLIPCHILDREN;
}

TPage* TNotebook::Page(int index) const {
    if (index < 0 || index >= PageCount()) throw EListError("List index out of bounds (" + IntToStr(index) + ")");
    return FPageList[static_cast<std::size_t>(index)];
}

TPage* TNotebook::InsertPage(int index, const String& name) {
    if (index < 0 || index > PageCount()) throw EListError("List index out of bounds (" + IntToStr(index) + ")");
    auto* page = new TPage(this);
    page->SetCaption(name);
    FPageList.insert(FPageList.begin() + index, page);
    page->SetParent(this);
    if (FPageIndex >= index) ++FPageIndex;
    if (FPageIndex < 0) SetPageIndex(index);   // a notebook with pages always shows one
    return page;
}

void TNotebook::DeletePage(int index) {
    TPage* page = Page(index);
    bool wasActive = index == FPageIndex;
    FPageList.erase(FPageList.begin() + index);
    if (index < FPageIndex) --FPageIndex;
    page->Free();
    if (wasActive) {
        FPageIndex = -1;
        if (PageCount() > 0) SetPageIndex(std::min(index, PageCount() - 1));
    }
}

void TNotebook::Notification(TComponent* component, TOperation operation) {
    TCustomControl::Notification(component, operation);
    if (operation != opRemove) return;
    auto it = std::find(FPageList.begin(), FPageList.end(), component);
    if (it == FPageList.end()) return;
    int index = static_cast<int>(it - FPageList.begin());
    FPageList.erase(it);
    if (index < FPageIndex) --FPageIndex;
    else if (index == FPageIndex) FPageIndex = -1;
}

void TNotebook::SetPageIndex(int value) {
    if (value < 0 || value >= PageCount() || value == FPageIndex) return;
    TPage* next = FPageList[static_cast<std::size_t>(value)];
    next->BringToFront();
    next->SetVisible(true);
    for (TPage* p : FPageList)
        if (p != next) p->SetVisible(false);
    FPageIndex = value;
    if (OnPageChanged && !(ComponentState() & csDestroying)) OnPageChanged(this);
}

String TNotebook::ActivePage() const {
    return FPageIndex >= 0 ? FPageList[static_cast<std::size_t>(FPageIndex)]->Caption() : String();
}

void TNotebook::SetActivePage(const String& value) {
    int index = FPages->IndexOf(value);
    if (index >= 0) SetPageIndex(index);
}
