#include "platform/component.h"

#include "platform/error.h"

#include <algorithm>
#include <exception>
#include <map>
#include <mutex>

namespace sps {

namespace {

char LowerAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string LowerText(std::string_view s)
{
    std::string out(s);
    for (char& c : out)
        c = LowerAscii(c);
    return out;
}

struct Registry {
    std::mutex mutex;
    std::map<std::string, TComponentFactory> classes; // key: lower-case class name
};

Registry& TheRegistry()
{
    static Registry registry;
    return registry;
}

} // namespace

bool SameText(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (LowerAscii(a[i]) != LowerAscii(b[i]))
            return false;
    return true;
}

TComponent::TComponent(TComponent* owner)
{
    if (owner)
        owner->InsertComponent(this);
}

namespace {

// Drops one entry, searching from the end, where the entries that go first lie.
void Unlist(std::vector<TComponent*>& list, TComponent* component)
{
    for (size_t i = list.size(); i > 0; --i)
        if (list[i - 1] == component) {
            list.erase(list.begin() + static_cast<long>(i - 1));
            return;
        }
}

} // namespace

TComponent::~TComponent()
{
    destroying_ = true;
    // Notification handlers are user code: nothing may leave a destructor.
    try {
        DestroyComponents();
    } catch (...) {
    }
    for (TComponent* target : watched_)
        Unlist(target->watchers_, this);
    watched_.clear();
    // Each watcher leaves the list before it hears of us, so a handler that
    // frees other watchers or asks for more leaves the walk sound.
    while (!watchers_.empty()) {
        TComponent* watcher = watchers_.back();
        watchers_.pop_back();
        Unlist(watcher->watched_, this);
        try {
            watcher->Notification(this, TOperation::opRemove);
        } catch (...) {
        }
    }
    if (owner_) {
        try {
            owner_->RemoveComponent(this);
        } catch (...) {
        }
        // RemoveComponent drops us even when a handler raised; make sure.
        if (owner_) {
            Unlist(owner_->components_, this);
            owner_ = nullptr;
        }
    }
}

TComponent* TComponent::FindComponent(const std::string& name) const
{
    if (name.empty())
        return nullptr;
    for (TComponent* c : components_)
        if (SameText(c->name_, name))
            return c;
    return nullptr;
}

void TComponent::InsertComponent(TComponent* component)
{
    if (!component || component->owner_ == this)
        return;
    for (TComponent* o = this; o; o = o->owner_)
        if (o == component)
            Raise("A component cannot own itself");
    if (component->owner_)
        component->owner_->RemoveComponent(component);
    components_.push_back(component);
    component->owner_ = this;
    Notification(component, TOperation::opInsert);
}

void TComponent::RemoveComponent(TComponent* component)
{
    if (!component || component->owner_ != this)
        return;
    // The list entry goes whatever a handler does.
    struct Drop {
        TComponent* self;
        TComponent* component;
        ~Drop()
        {
            Unlist(self->components_, component);
            component->owner_ = nullptr;
        }
    } drop{this, component};
    Notification(component, TOperation::opRemove);
}

void TComponent::DestroyComponents()
{
    // Every component is freed even when a notification handler raises; the
    // first error is passed on afterwards.
    std::exception_ptr error;
    while (!components_.empty()) {
        TComponent* last = components_.back();
        try {
            RemoveComponent(last);
        } catch (...) {
            if (!error)
                error = std::current_exception();
        }
        delete last;
    }
    if (error)
        std::rethrow_exception(error);
}

void TComponent::Notification(TComponent* component, TOperation operation)
{
}

void TComponent::NotifyWhenFreed(TComponent* component)
{
    if (!component || component == this)
        return;
    for (TComponent* c : watched_)
        if (c == component)
            return;
    watched_.push_back(component);
    component->watchers_.push_back(this);
}

void TComponent::CancelNotifyWhenFreed(TComponent* component)
{
    if (!component)
        return;
    for (TComponent* c : watched_)
        if (c == component) {
            Unlist(watched_, component);
            Unlist(component->watchers_, this);
            return;
        }
}

void TComponent::Loaded()
{
    loading_ = false;
}

void TComponent::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root)
{
}

TComponent* TComponent::GetChildOwner()
{
    return nullptr;
}

void TComponent::ValidateChild(const std::string& className, const std::string& name)
{
}

void TComponent::WriteProperties(TWriter& writer)
{
}

bool TComponent::ReadProperty(const std::string& name, TReader& reader)
{
    return false;
}

void RegisterClass(const std::string& className, TComponentFactory factory)
{
    Registry& r = TheRegistry();
    std::lock_guard<std::mutex> lock(r.mutex);
    if (factory)
        r.classes[LowerText(className)] = std::move(factory);
    else
        r.classes.erase(LowerText(className));
}

TComponentFactory FindClass(const std::string& className)
{
    Registry& r = TheRegistry();
    std::lock_guard<std::mutex> lock(r.mutex);
    auto it = r.classes.find(LowerText(className));
    return it == r.classes.end() ? TComponentFactory() : it->second;
}

} // namespace sps
