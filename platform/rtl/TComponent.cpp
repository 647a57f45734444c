#include "platform/rtl/TComponent.h"
#include <algorithm>
#include "platform/rtl/Errors.h"

TComponent::TComponent(TComponent* owner) {
    if (owner) owner->InsertComponent(this);
}

TComponent::~TComponent() {
    Destroying();
    while (!FFreeNotifies.empty()) {
        TComponent* client = FFreeNotifies.back();
        FFreeNotifies.pop_back();
        auto& theirs = client->FFreeNotifies;
        theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
        client->Notification(this, opRemove);
    }
    DestroyComponents();
    if (FOwner) FOwner->RemoveComponent(this);
}

TComponent* TComponent::Components(int index) const {
    if (index < 0 || index >= ComponentCount())
        throw EListError("List index out of bounds (" + IntToStr(index) + ")");
    return FComponents[index];
}

int TComponent::ComponentIndex() const {
    if (!FOwner) return -1;
    auto& list = FOwner->FComponents;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

TComponent* TComponent::FindComponent(const String& name) const {
    if (name.empty()) return nullptr;
    for (TComponent* c : FComponents)
        if (SameText(c->FName, name)) return c;
    return nullptr;
}

static bool IsValidIdent(const String& s) {
    if (s.empty()) return false;
    auto alpha = [](unsigned char c) { return c == '_' || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
    if (!alpha(s[0])) return false;
    return std::all_of(s.begin(), s.end(), [&](unsigned char c) { return alpha(c) || (c >= '0' && c <= '9'); });
}

void TComponent::SetName(const String& value) {
    if (value == FName) return;
    if (!value.empty() && !IsValidIdent(value))
        throw EComponentError("'" + value + "' is not a valid component name");
    if (FOwner && !value.empty()) {
        TComponent* other = FOwner->FindComponent(value);
        if (other && other != this)
            throw EComponentError("A component named " + value + " already exists");
    }
    FName = value;
}

void TComponent::BeginLoading() {
    FComponentState |= csLoading | csReading;
    for (TComponent* c : FComponents) c->BeginLoading();
}

void TComponent::EndLoading() {
    FComponentState &= ~csReading;
    for (TComponent* c : std::vector<TComponent*>(FComponents)) c->EndLoading();
    Loaded();
}

void TComponent::Loaded() { FComponentState &= ~csLoading; }

void TComponent::SetDesigning(bool value) {
    if (value) FComponentState |= csDesigning; else FComponentState &= ~csDesigning;
    for (TComponent* c : FComponents) c->SetDesigning(value);
}

void TComponent::InsertComponent(TComponent* component) {
    if (component->FOwner) component->FOwner->RemoveComponent(component);
    FComponents.push_back(component);
    component->FOwner = this;
    NotifyAll(component, opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
    auto it = std::find(FComponents.begin(), FComponents.end(), component);
    if (it == FComponents.end()) return;
    NotifyAll(component, opRemove);
    FComponents.erase(std::find(FComponents.begin(), FComponents.end(), component));
    component->FOwner = nullptr;
}

// The owner hears of every insertion and removal, and relays it to what it owns.
void TComponent::NotifyAll(TComponent* component, TOperation operation) {
    Notification(component, operation);
}

void TComponent::Notification(TComponent* component, TOperation operation) {
    if (operation == opRemove && component) {
        FFreeNotifies.erase(std::remove(FFreeNotifies.begin(), FFreeNotifies.end(), component), FFreeNotifies.end());
    }
    for (TComponent* c : std::vector<TComponent*>(FComponents))
        if (c != component && std::find(FComponents.begin(), FComponents.end(), c) != FComponents.end())
            c->Notification(component, operation);
}

void TComponent::FreeNotification(TComponent* component) {
    if (!component || component == this) return;
    if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), component) == FFreeNotifies.end())
        FFreeNotifies.push_back(component);
    auto& theirs = component->FFreeNotifies;
    if (std::find(theirs.begin(), theirs.end(), this) == theirs.end()) theirs.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* component) {
    if (!component) return;
    FFreeNotifies.erase(std::remove(FFreeNotifies.begin(), FFreeNotifies.end(), component), FFreeNotifies.end());
    auto& theirs = component->FFreeNotifies;
    theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
}

void TComponent::DestroyComponents() {
    while (!FComponents.empty()) {
        TComponent* last = FComponents.back();
        last->Destroying();
        RemoveComponent(last);
        last->Free();
    }
}

void TComponent::Destroying() {
    if (FComponentState & csDestroying) return;
    FComponentState |= csDestroying;
    for (TComponent* c : FComponents) c->Destroying();
}
