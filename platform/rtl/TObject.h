#pragma once
// The root of the class library's objects. Free() runs BeforeDestruction while the whole object
// still exists, so a form's OnDestroy can reach its derived members; delete skips that step.
#include <functional>

class TObject {
public:
    TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;
    virtual ~TObject() = default;

    virtual void AfterConstruction() {}
    virtual void BeforeDestruction() {}
    void Free() { BeforeDestruction(); delete this; }
};

// Assign copies another object's content into this one; classes override it for what they accept.
class TPersistent : public TObject {
public:
    virtual void Assign(TPersistent* source);
};

using TNotifyEvent = std::function<void(TObject* sender)>;
