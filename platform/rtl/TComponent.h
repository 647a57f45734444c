#pragma once
// TComponent: ownership and free notification. An owner frees what it owns, last created first;
// a component that keeps a pointer to one it does not own asks for FreeNotification and clears
// the pointer in Notification(c, opRemove).
#include <cstdint>
#include <vector>
#include "platform/rtl/String.h"
#include "platform/rtl/TObject.h"

enum class TOperation { opInsert, opRemove };
using enum TOperation;

using TComponentState = unsigned;
constexpr TComponentState csLoading = 1 << 0;
constexpr TComponentState csReading = 1 << 1;
constexpr TComponentState csWriting = 1 << 2;
constexpr TComponentState csDestroying = 1 << 3;
constexpr TComponentState csDesigning = 1 << 4;

class TComponent : public TPersistent {
public:
    explicit TComponent(TComponent* owner);
    ~TComponent() override;

    TComponent* Owner() const { return FOwner; }
    const String& Name() const { return FName; }
    virtual void SetName(const String& value);
    std::intptr_t Tag = 0;

    int ComponentCount() const { return static_cast<int>(FComponents.size()); }
    TComponent* Components(int index) const;
    int ComponentIndex() const;
    TComponent* FindComponent(const String& name) const;

    TComponentState ComponentState() const { return FComponentState; }
    // Loading runs between BeginLoading and EndLoading, which calls Loaded on this component
    // and on everything it owns.
    void BeginLoading();
    void EndLoading();
    void SetDesigning(bool value);

    void InsertComponent(TComponent* component);
    void RemoveComponent(TComponent* component);
    void FreeNotification(TComponent* component);
    void RemoveFreeNotification(TComponent* component);
    void DestroyComponents();
    void Destroying();

    virtual void Notification(TComponent* component, TOperation operation);

protected:
    virtual void Loaded();
    TComponentState FComponentState = 0;

private:
    void NotifyAll(TComponent* component, TOperation operation);

    TComponent* FOwner = nullptr;
    String FName;
    std::vector<TComponent*> FComponents;
    std::vector<TComponent*> FFreeNotifies;
};
