#pragma once
// TNotebook: a stack of named pages (TPage) of which only the active one is shown. Pages is the
// list of page names; adding a name makes a page, deleting one frees it with its controls.
#include <memory>
#include <vector>
#include "platform/rtl/Classes.h"
#include "platform/ui/TCustomControl.h"

class TPage : public TCustomControl {
public:
    explicit TPage(TComponent* owner);
protected:
    void Paint() override;
};

class TNotebook : public TCustomControl {
public:
    explicit TNotebook(TComponent* owner);
    ~TNotebook() override;

    TStrings* Pages() const { return FPages.get(); }
    void SetPages(const TStrings& value) { FPages->Assign(value); }
    int PageCount() const { return static_cast<int>(FPageList.size()); }
    TPage* Page(int index) const;          // EListError out of range
    int PageIndex() const { return FPageIndex; }
    void SetPageIndex(int value);          // out of range: no change
    String ActivePage() const;
    void SetActivePage(const String& value);   // by name, ignoring case; an unknown name does nothing

    TNotifyEvent OnPageChanged;

protected:
    void CreateParams(TCreateParams& params) override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    class TPageNames;
    friend class TPageNames;
    TPage* InsertPage(int index, const String& name);
    void DeletePage(int index);

    std::vector<TPage*> FPageList;
    std::unique_ptr<TStrings> FPages;
    int FPageIndex = -1;
};
