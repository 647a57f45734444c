#pragma once
// TMenuItem and TPopupMenu over system menus. Each item has a command id of its own; the pop-up
// menu's hidden window receives the WM_COMMAND of a chosen item and clicks it.
#include <memory>
#include <vector>
#include "platform/rtl/TComponent.h"
#include "platform/ui/TControl.h"
#include "platform/ui/UtilityWindow.h"

class TMenuItem : public TComponent {
public:
    explicit TMenuItem(TComponent* owner);
    ~TMenuItem() override;

    const String& Caption() const { return FCaption; }   // "-" is a separator line
    void SetCaption(const String& value) { FCaption = value; }
    bool Checked() const { return FChecked; }
    void SetChecked(bool value) { FChecked = value; }
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool value) { FEnabled = value; }
    bool Visible() const { return FVisible; }
    void SetVisible(bool value) { FVisible = value; }
    bool Default() const { return FDefault; }
    void SetDefault(bool value) { FDefault = value; }
    WORD Command() const { return FCommand; }

    int Count() const { return static_cast<int>(FItems.size()); }
    TMenuItem* Items(int index) const;     // EListError out of range
    TMenuItem* Parent() const { return FParent; }
    void Add(TMenuItem* item);
    void Insert(int index, TMenuItem* item);
    void Remove(TMenuItem* item);
    void Delete(int index) { Remove(Items(index)); }
    void Clear();                          // frees the sub-items
    int IndexOf(TMenuItem* item) const;
    bool IsLine() const { return FCaption == "-"; }

    virtual void Click();                  // OnClick when enabled
    TMenuItem* FindItem(WORD command);     // this item or one below it

    TNotifyEvent OnClick;

    // A system menu of the sub-items, owned by the caller.
    HMENU BuildMenu(bool popup) const;

private:
    std::vector<TMenuItem*> FItems;
    TMenuItem* FParent = nullptr;
    String FCaption;
    bool FChecked = false;
    bool FEnabled = true;
    bool FVisible = true;
    bool FDefault = false;
    WORD FCommand = 0;
};

enum class TPopupAlignment { paLeft, paRight, paCenter };
using enum TPopupAlignment;

class TPopupMenu : public TComponent {
public:
    explicit TPopupMenu(TComponent* owner);
    ~TPopupMenu() override;

    TMenuItem* Items() const { return FItems.get(); }
    TPopupAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TPopupAlignment value) { FAlignment = value; }
    TComponent* PopupComponent = nullptr;
    HWND WindowHandle() const { return FWindow->Handle(); }

    // Shows the menu at a screen point and returns when it closes; a chosen item is clicked
    // from the WM_COMMAND that follows.
    virtual void Popup(int x, int y);
    // Clicks the item with this command id; false when no item of the menu has it.
    bool DispatchCommand(WORD command);

    TNotifyEvent OnPopup;

private:
    void WndProc(TMessage& message);

    std::unique_ptr<TMenuItem> FItems;
    std::unique_ptr<TUtilityWindow> FWindow;
    TPopupAlignment FAlignment = paLeft;
};
