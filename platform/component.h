// Component base: owner, name, owned children in order, removal notification,
// the after-loading hook and the hooks that the component stream uses.
//
// Ownership: an owned component must be created with new; its owner deletes it
// (DestroyComponents, last first). Inserting or removing a component sends
// Notification(component, opInsert / opRemove) to its owner only. A component
// that keeps a pointer to one it does not own asks for NotifyWhenFreed(it) and
// hears Notification(it, opRemove) when it is freed. Both cost the same however
// many components an owner holds, so reading or freeing n components is linear.
//
// Destruction order: ~TComponent runs after the derived destructors, so a
// Notification reaching a component inside ~TComponent is the base one. A
// derived class that must see the removal of its own children (to clear its
// pointers while it still exists as itself) calls Destroying() and
// DestroyComponents() in its own destructor. A component freed by
// DestroyComponents is detached first: its destructor sees Owner() == nullptr.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace sps {

class TWriter;
class TReader;

enum class TOperation { opInsert, opRemove };

class TComponent {
public:
    explicit TComponent(TComponent* owner = nullptr);
    virtual ~TComponent();
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    // The registered class name, e.g. "TSection".
    virtual std::string ClassName() const = 0;

    TComponent* Owner() const { return owner_; }
    const std::string& Name() const { return name_; }
    void SetName(const std::string& name) { name_ = name; }

    int ComponentCount() const { return static_cast<int>(components_.size()); }
    TComponent* Components(int index) const { return components_.at(static_cast<size_t>(index)); }
    // Owned component by name (case-insensitive), or nullptr.
    TComponent* FindComponent(const std::string& name) const;

    // Takes `component` into this component's list, after removing it from a
    // previous owner; sends opInsert. Raises when `component` is this one or
    // one of its owners (an ownership cycle).
    void InsertComponent(TComponent* component);
    // Notifies (opRemove) and drops `component` from the list without freeing it.
    void RemoveComponent(TComponent* component);
    // Frees every owned component, last first.
    void DestroyComponents();

    bool IsDestroying() const { return destroying_; }
    bool IsLoading() const { return loading_; }
    void SetLoading(bool loading) { loading_ = loading; }

    // Called on the owner when a component is inserted or removed, and on every
    // component that asked for it when `component` is freed. The base does nothing.
    virtual void Notification(TComponent* component, TOperation operation);
    // This component hears Notification(component, opRemove) when `component`
    // is freed. The request ends with either of the two, or with CancelNotifyWhenFreed.
    void NotifyWhenFreed(TComponent* component);
    void CancelNotifyWhenFreed(TComponent* component);
    // Called after a component stream has been read completely.
    virtual void Loaded();
    // Hands the components to stream as children of this one (default: none).
    virtual void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root);
    // Owner of children read back from a stream (default: none, meaning the root).
    virtual TComponent* GetChildOwner();
    // Called by the stream reader on the owner-to-be before it creates a child
    // of class `className` named `name`; raises to refuse it. The base accepts all.
    virtual void ValidateChild(const std::string& className, const std::string& name);

    // Writes the streamed properties in order: name, then value.
    virtual void WriteProperties(TWriter& writer);
    // Reads the value of property `name`; false when this class has no such property.
    virtual bool ReadProperty(const std::string& name, TReader& reader);

protected:
    // Sets the destroying flag; derived destructors call it before tearing down.
    void Destroying() { destroying_ = true; }

private:
    TComponent* owner_ = nullptr;
    std::string name_;
    std::vector<TComponent*> components_;
    std::vector<TComponent*> watchers_; // told when this one is freed
    std::vector<TComponent*> watched_;  // those this one asked to hear of
    bool destroying_ = false;
    bool loading_ = false;
};

// ASCII case-insensitive comparison, as class, component and property names compare.
bool SameText(std::string_view a, std::string_view b);

// Class registry: maps class names in streams to factories. A factory creates
// the component with the given owner. Registering a name again replaces it.
using TComponentFactory = std::function<TComponent*(TComponent* owner)>;
void RegisterClass(const std::string& className, TComponentFactory factory);
// The factory for `className` (case-insensitive), or an empty function.
TComponentFactory FindClass(const std::string& className);

} // namespace sps
