#include "platform/ui/Menus.h"
#include <algorithm>
#include "platform/ui/Application.h"

namespace {
// Command ids are 16 bits; ids of freed items come back into use.
std::vector<bool>& UsedCommands() {
    static std::vector<bool> used(0x10000, false);
    return used;
}
WORD TakeCommand() {
    auto& used = UsedCommands();
    static WORD next = 1;
    for (int tries = 0; tries < 0xFFFF; ++tries) {
        WORD id = next;
        next = next == 0xFFFF ? 1 : static_cast<WORD>(next + 1);
        if (!used[id]) { used[id] = true; return id; }
    }
    throw EOutOfResources("Too many menu items");
}
}  // namespace

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner), FCommand(TakeCommand()) {}

TMenuItem::~TMenuItem() {
    Destroying();
    Clear();
    if (FParent) FParent->Remove(this);
    UsedCommands()[FCommand] = false;
}

TMenuItem* TMenuItem::Items(int index) const {
    if (index < 0 || index >= Count()) throw EListError("List index out of bounds (" + IntToStr(index) + ")");
    return FItems[static_cast<std::size_t>(index)];
}

void TMenuItem::Add(TMenuItem* item) { Insert(Count(), item); }

void TMenuItem::Insert(int index, TMenuItem* item) {
    if (item->FParent) throw EInvalidOperation("Menu inserted twice");
    if (index < 0 || index > Count()) throw EListError("List index out of bounds (" + IntToStr(index) + ")");
    FItems.insert(FItems.begin() + index, item);
    item->FParent = this;
}

void TMenuItem::Remove(TMenuItem* item) {
    auto it = std::find(FItems.begin(), FItems.end(), item);
    if (it == FItems.end()) throw EListError("Menu item not found");
    FItems.erase(it);
    item->FParent = nullptr;
}

// Sub-items go with their parent item, whoever owns them, as controls with their parent.
void TMenuItem::Clear() {
    while (!FItems.empty()) {
        TMenuItem* item = FItems.back();
        Remove(item);
        item->Free();
    }
}

int TMenuItem::IndexOf(TMenuItem* item) const {
    auto it = std::find(FItems.begin(), FItems.end(), item);
    return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

void TMenuItem::Click() {
    if (FEnabled && OnClick) OnClick(this);
}

TMenuItem* TMenuItem::FindItem(WORD command) {
    if (FCommand == command) return this;
    for (TMenuItem* item : FItems)
        if (TMenuItem* found = item->FindItem(command)) return found;
    return nullptr;
}

HMENU TMenuItem::BuildMenu(bool popup) const {
    HMENU menu = popup ? CreatePopupMenu() : CreateMenu();
    if (!menu) throw EOutOfResources("Out of system resources");
    for (TMenuItem* item : FItems) {
        if (!item->FVisible) continue;
        if (item->IsLine()) { AppendMenuW(menu, MF_SEPARATOR, 0, nullptr); continue; }
        UINT flags = MF_STRING | (item->FChecked ? MF_CHECKED : 0) | (item->FEnabled ? 0 : MF_GRAYED);
        WideString text = ToWide(item->FCaption);
        if (item->Count() > 0) AppendMenuW(menu, flags | MF_POPUP, reinterpret_cast<UINT_PTR>(item->BuildMenu(true)), text.c_str());
        else AppendMenuW(menu, flags, item->FCommand, text.c_str());
        if (item->FDefault) SetMenuDefaultItem(menu, GetMenuItemCount(menu) - 1, TRUE);
    }
    return menu;
}

TPopupMenu::TPopupMenu(TComponent* owner)
    : TComponent(owner), FItems(std::make_unique<TMenuItem>(nullptr)),
      FWindow(std::make_unique<TUtilityWindow>([this](TMessage& m) { WndProc(m); })) {}

TPopupMenu::~TPopupMenu() = default;

void TPopupMenu::Popup(int x, int y) {
    if (OnPopup) OnPopup(this);
    HMENU menu = FItems->BuildMenu(true);
    UINT flags = TPM_RIGHTBUTTON | (FAlignment == paRight ? TPM_RIGHTALIGN : FAlignment == paCenter ? TPM_CENTERALIGN : TPM_LEFTALIGN);
    HWND window = FWindow->Handle();
    // the menu closes when its owner loses the foreground, as the system asks
    SetForegroundWindow(window);
    TrackPopupMenuEx(menu, flags, x, y, window, nullptr);
    PostMessageW(window, WM_NULL, 0, 0);
    DestroyMenu(menu);
}

bool TPopupMenu::DispatchCommand(WORD command) {
    TMenuItem* item = FItems->FindItem(command);
    if (!item || item == FItems.get()) return false;
    item->Click();
    return true;
}

void TPopupMenu::WndProc(TMessage& m) {
    if (m.Msg == WM_COMMAND && HIWORD(m.WParam) == 0 && m.LParam == 0) {
        try {
            DispatchCommand(LOWORD(m.WParam));
        } catch (...) {
            HandleControlException(this);
        }
        m.Result = 0;
        return;
    }
    m.Result = DefWindowProcW(FWindow->Handle(), m.Msg, m.WParam, m.LParam);
}
