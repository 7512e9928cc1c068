#include "platform/component.h"

#include "platform/error.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace sps;

namespace {

std::vector<std::string>* g_log = nullptr;

void Log(const std::string& s)
{
    if (g_log)
        g_log->push_back(s);
}

class TNode : public TComponent {
public:
    explicit TNode(TComponent* owner, const std::string& name = "") : TComponent(owner) { SetName(name); }
    ~TNode() override { Log("free " + Name()); }
    std::string ClassName() const override { return "TNode"; }

    TNode* Buddy = nullptr;
    void Notification(TComponent* component, TOperation operation) override
    {
        TComponent::Notification(component, operation);
        Log((operation == TOperation::opRemove ? "remove " : "insert ") + component->Name() + " @" + Name());
        if (operation == TOperation::opRemove && component == Buddy)
            Buddy = nullptr;
    }
};

// Clears its pointers to its own children in its destructor, while it is still itself.
class TContainer : public TNode {
public:
    using TNode::TNode;
    ~TContainer() override
    {
        Destroying();
        DestroyComponents();
    }
    TNode* First = nullptr;
    int removals = 0;
    void Notification(TComponent* component, TOperation operation) override
    {
        TNode::Notification(component, operation);
        if (operation == TOperation::opRemove) {
            ++removals;
            if (component == First)
                First = nullptr;
        }
    }
};

struct LogScope {
    std::vector<std::string> entries;
    LogScope() { g_log = &entries; }
    ~LogScope() { g_log = nullptr; }
};

} // namespace

TEST(Component, OwnerKeepsChildrenInOrderAndFreesLastFirst)
{
    LogScope log;
    auto* root = new TNode(nullptr, "root");
    new TNode(root, "a");
    new TNode(root, "b");
    new TNode(root, "c");
    ASSERT_EQ(root->ComponentCount(), 3);
    EXPECT_EQ(root->Components(0)->Name(), "a");
    EXPECT_EQ(root->Components(2)->Name(), "c");
    EXPECT_EQ(root->Components(1)->Owner(), root);
    EXPECT_EQ(root->FindComponent("B"), root->Components(1));
    EXPECT_EQ(root->FindComponent("x"), nullptr);
    EXPECT_EQ(root->FindComponent(""), nullptr);
    EXPECT_THROW(root->Components(3), std::out_of_range);
    log.entries.clear();
    delete root;
    std::vector<std::string> frees;
    for (auto& e : log.entries)
        if (e.rfind("free ", 0) == 0)
            frees.push_back(e);
    EXPECT_EQ(frees, (std::vector<std::string>{"free root", "free c", "free b", "free a"}));
}

TEST(Component, FreeingAComponentNotifiesOwnerAndWatchers)
{
    LogScope log;
    TNode root(nullptr, "root");
    auto* head = new TNode(&root, "head");
    auto* anchor = new TNode(&root, "anchor");
    anchor->Buddy = head;
    anchor->NotifyWhenFreed(head);
    root.Buddy = head;
    log.entries.clear();
    delete head;
    EXPECT_EQ(root.ComponentCount(), 1);
    EXPECT_EQ(root.Buddy, nullptr);
    EXPECT_EQ(anchor->Buddy, nullptr);
    // The watchers hear it first, the owner last.
    ASSERT_EQ(log.entries.size(), 3u);
    EXPECT_EQ(log.entries[0], "free head");
    EXPECT_NE(std::find(log.entries.begin(), log.entries.end(), "remove head @anchor"), log.entries.end());
    EXPECT_EQ(log.entries.back(), "remove head @root");
}

TEST(Component, DerivedOwnerSeesRemovalOfItsChildrenWhenItDestroysThemItself)
{
    auto* box = new TContainer(nullptr, "box");
    box->First = new TNode(box, "first");
    auto* other = new TNode(box, "other");
    other->Buddy = box->First;
    other->NotifyWhenFreed(box->First);
    delete box->First;
    EXPECT_EQ(box->First, nullptr);
    EXPECT_EQ(other->Buddy, nullptr);
    box->First = new TNode(box, "again");
    delete box; // runs the derived Notification while freeing the children: no crash, no leak
}

TEST(Component, NotificationsCostTheSameHoweverManySiblingsThereAre)
{
    // Every insert and removal reaches the owner once and no sibling: reading
    // or freeing n components sends 2n notifications, not n squared.
    struct TCounter : TComponent {
        using TComponent::TComponent;
        ~TCounter() override
        {
            Destroying();
            DestroyComponents();
        }
        std::string ClassName() const override { return "TCounter"; }
        long* calls = nullptr;
        void Notification(TComponent* component, TOperation operation) override
        {
            TComponent::Notification(component, operation);
            ++*calls;
        }
    };
    long ownerCalls = 0;
    long childCalls = 0;
    auto* owner = new TCounter(nullptr);
    owner->calls = &ownerCalls;
    for (int i = 0; i < 2000; ++i)
        (new TCounter(owner))->calls = &childCalls;
    delete owner->Components(700);
    delete owner;
    EXPECT_EQ(ownerCalls, 2000 + 2000);
    EXPECT_EQ(childCalls, 0);
}

TEST(Component, WatchersComeAndGoSafely)
{
    LogScope log;
    TNode root(nullptr, "root");
    auto* target = new TNode(&root, "target");
    auto* early = new TNode(&root, "early");
    auto* cancelled = new TNode(nullptr, "cancelled");
    early->NotifyWhenFreed(target);
    early->NotifyWhenFreed(target); // asked once, told once
    cancelled->NotifyWhenFreed(target);
    cancelled->CancelNotifyWhenFreed(target);
    delete early; // a watcher freed first leaves nothing behind
    delete cancelled;

    // A handler that frees another watcher of the same component.
    struct TKiller : TNode {
        using TNode::TNode;
        TComponent* victim = nullptr;
        void Notification(TComponent* component, TOperation operation) override
        {
            TNode::Notification(component, operation);
            delete victim;
            victim = nullptr;
        }
    };
    auto* victim = new TNode(nullptr, "victim");
    auto* killer = new TKiller(nullptr, "killer");
    killer->victim = victim;
    victim->NotifyWhenFreed(target);
    killer->NotifyWhenFreed(target);
    log.entries.clear();
    delete target;
    EXPECT_EQ(log.entries, (std::vector<std::string>{"free target", "remove target @killer", "free victim",
                                                     "remove target @root"}));
    delete killer;
}

TEST(Component, ChildFreedByOwnerIsDetachedFirst)
{
    struct TProbe : TNode {
        using TNode::TNode;
        TComponent** seen = nullptr;
        ~TProbe() override { *seen = Owner(); }
    };
    TComponent* seenOwner = reinterpret_cast<TComponent*>(1);
    auto* root = new TNode(nullptr, "root");
    auto* probe = new TProbe(root, "p");
    probe->seen = &seenOwner;
    delete root;
    EXPECT_EQ(seenOwner, nullptr);
}

TEST(Component, InsertRemoveAndCycles)
{
    TNode a(nullptr, "a");
    TNode b(nullptr, "b");
    auto* child = new TNode(&a, "child");
    b.InsertComponent(child); // moves it
    EXPECT_EQ(a.ComponentCount(), 0);
    EXPECT_EQ(b.ComponentCount(), 1);
    EXPECT_EQ(child->Owner(), &b);
    EXPECT_THROW(child->InsertComponent(&b), Exception); // b owns child
    EXPECT_THROW(b.InsertComponent(&b), Exception);
    b.RemoveComponent(child);
    EXPECT_EQ(child->Owner(), nullptr);
    EXPECT_EQ(b.ComponentCount(), 0);
    b.RemoveComponent(child); // not owned: nothing happens
    a.InsertComponent(nullptr);
    delete child;
}

TEST(Component, DestroyComponentsFreesEverythingEvenWhenAHandlerRaises)
{
    struct TRaiser : TNode {
        using TNode::TNode;
        void Notification(TComponent* component, TOperation operation) override
        {
            TNode::Notification(component, operation);
            if (operation == TOperation::opRemove)
                Raise("handler failed");
        }
    };
    LogScope log;
    TRaiser root(nullptr, "root");
    new TNode(&root, "a");
    new TNode(&root, "b");
    EXPECT_THROW(root.DestroyComponents(), Exception);
    EXPECT_EQ(root.ComponentCount(), 0);
    EXPECT_NE(std::find(log.entries.begin(), log.entries.end(), "free a"), log.entries.end());
    EXPECT_NE(std::find(log.entries.begin(), log.entries.end(), "free b"), log.entries.end());
}

TEST(Component, RegistryIsCaseInsensitive)
{
    RegisterClass("TRegistryProbe", [](TComponent* owner) { return new TNode(owner, "made"); });
    auto factory = FindClass("tregistryPROBE");
    ASSERT_TRUE(factory);
    TNode owner(nullptr, "owner");
    TComponent* made = factory(&owner);
    EXPECT_EQ(made->Owner(), &owner);
    EXPECT_FALSE(FindClass("TNoSuchClass"));
    EXPECT_TRUE(SameText("HeadWall", "headwall"));
    EXPECT_FALSE(SameText("Head", "Headwall"));
}

TEST(Component, LoadedClearsTheLoadingFlag)
{
    TNode n(nullptr);
    n.SetLoading(true);
    EXPECT_TRUE(n.IsLoading());
    n.Loaded();
    EXPECT_FALSE(n.IsLoading());
    EXPECT_FALSE(n.IsDestroying());
}
