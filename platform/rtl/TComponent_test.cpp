#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "platform/rtl/TComponent.h"
#include "platform/rtl/Errors.h"

namespace {

std::vector<std::string> Log;

class TLogged : public TComponent {
public:
    TLogged(TComponent* owner, std::string tag) : TComponent(owner), FTag(std::move(tag)) {}
    ~TLogged() override { Log.push_back("free " + FTag); }
    void Notification(TComponent* c, TOperation op) override {
        TComponent::Notification(c, op);
        if (op == opRemove && c == Watched) Watched = nullptr;
    }
    TComponent* Watched = nullptr;
    int LoadedCount = 0;
protected:
    void Loaded() override { TComponent::Loaded(); ++LoadedCount; }
private:
    std::string FTag;
};

}  // namespace

TEST(TComponent, OwnerFreesItsComponentsLastCreatedFirst) {
    Log.clear();
    auto* owner = new TLogged(nullptr, "owner");
    new TLogged(owner, "a");
    auto* b = new TLogged(owner, "b");
    new TLogged(b, "b1");
    new TLogged(owner, "c");
    EXPECT_EQ(owner->ComponentCount(), 3);
    EXPECT_EQ(b->Owner(), owner);
    owner->Free();
    EXPECT_EQ(Log, (std::vector<std::string>{"free owner", "free c", "free b", "free b1", "free a"}));
}

TEST(TComponent, FreedComponentLeavesItsOwner) {
    Log.clear();
    auto* owner = new TLogged(nullptr, "owner");
    auto* a = new TLogged(owner, "a");
    auto* b = new TLogged(owner, "b");
    a->Free();
    EXPECT_EQ(owner->ComponentCount(), 1);
    EXPECT_EQ(owner->Components(0), b);
    owner->Free();
}

TEST(TComponent, FreeNotificationClearsReferenceAcrossOwners) {
    auto* ownerA = new TLogged(nullptr, "A");
    auto* ownerB = new TLogged(nullptr, "B");
    auto* watcher = new TLogged(ownerA, "watcher");
    auto* target = new TLogged(ownerB, "target");
    watcher->Watched = target;
    target->FreeNotification(watcher);
    target->Free();
    EXPECT_EQ(watcher->Watched, nullptr);
    // the registration went with the target: freeing the watcher later touches nothing freed
    ownerA->Free();
    ownerB->Free();
}

TEST(TComponent, SiblingsHearOfRemovalThroughTheOwner) {
    auto* owner = new TLogged(nullptr, "owner");
    auto* watcher = new TLogged(owner, "watcher");
    auto* target = new TLogged(owner, "target");
    watcher->Watched = target;
    target->Free();
    EXPECT_EQ(watcher->Watched, nullptr);
    owner->Free();
}

TEST(TComponent, ComponentStateDuringDestructionAndLoading) {
    struct TProbe : TComponent {
        using TComponent::TComponent;
        TComponentState* Seen = nullptr;
        ~TProbe() override { if (Seen) *Seen = ComponentState(); }
    };
    auto* owner = new TLogged(nullptr, "owner");
    auto* probe = new TProbe(owner);
    TComponentState seen = 0;
    probe->Seen = &seen;
    auto* child = new TLogged(owner, "child");
    owner->BeginLoading();
    EXPECT_TRUE(child->ComponentState() & csLoading);
    owner->EndLoading();
    EXPECT_FALSE(child->ComponentState() & csLoading);
    EXPECT_EQ(child->LoadedCount, 1);
    EXPECT_EQ(owner->LoadedCount, 1);
    owner->Free();
    EXPECT_TRUE(seen & csDestroying);
}

TEST(TComponent, NamesAreIdentifiersUniqueWithinTheOwner) {
    auto* owner = new TLogged(nullptr, "owner");
    auto* a = new TLogged(owner, "a");
    auto* b = new TLogged(owner, "b");
    a->SetName("Button1");
    EXPECT_EQ(owner->FindComponent("button1"), a);
    EXPECT_THROW(b->SetName("BUTTON1"), EComponentError);
    EXPECT_THROW(b->SetName("1abc"), EComponentError);
    b->SetName("Button2");
    EXPECT_EQ(b->Name(), "Button2");
    owner->Free();
}
