// Reads arbitrary bytes as a component stream whose root holds child items.
#include "platform/component.h"
#include "platform/error.h"
#include "platform/stream.h"

#include <cstddef>
#include <cstdint>

namespace {

class TFuzzItem : public sps::TComponent {
public:
    using TComponent::TComponent;
    std::string ClassName() const override { return "TFuzzItem"; }
    int32_t Value = 0;
    std::string Text;
    uint8_t Block[12] = {};
    TComponent* GetChildOwner() override { return this; }
    void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override
    {
        for (int i = 0; i < ComponentCount(); ++i)
            proc(Components(i));
    }
    bool ReadProperty(const std::string& name, sps::TReader& reader) override
    {
        if (sps::SameText(name, "Value"))
            Value = reader.ReadInteger();
        else if (sps::SameText(name, "Text"))
            Text = reader.ReadString();
        else if (sps::SameText(name, "Block"))
            reader.Read(Block, sizeof Block);
        else
            return false;
        return true;
    }
};

class TFuzzRoot : public sps::TComponent {
public:
    TFuzzRoot() : TComponent(nullptr) {}
    ~TFuzzRoot() override
    {
        Destroying();
        DestroyComponents();
    }
    std::string ClassName() const override { return "TFuzzRoot"; }
    TFuzzItem* Ref = nullptr;
    int32_t Index = 0;
    void Notification(TComponent* component, sps::TOperation operation) override
    {
        TComponent::Notification(component, operation);
        if (operation == sps::TOperation::opRemove && component == Ref)
            Ref = nullptr;
    }
    void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override
    {
        for (int i = 0; i < ComponentCount(); ++i)
            proc(Components(i));
    }
    TComponent* GetChildOwner() override { return this; }
    bool ReadProperty(const std::string& name, sps::TReader& reader) override
    {
        if (sps::SameText(name, "Ref")) {
            std::string ident = reader.ReadIdent();
            reader.AddFixup([this, ident] { Ref = dynamic_cast<TFuzzItem*>(FindComponent(ident)); });
        } else if (sps::SameText(name, "Index")) {
            Index = reader.ReadInteger();
        } else {
            return false;
        }
        return true;
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool registered = [] {
        sps::RegisterClass("TFuzzItem", [](sps::TComponent* owner) { return new TFuzzItem(owner); });
        return true;
    }();
    (void)registered;
    sps::ByteReader in(data, size);
    sps::TReader reader(in);
    // Several roots one after another, as a project file holds them.
    for (int n = 0; n < 64 && !in.AtEnd(); ++n) {
        TFuzzRoot root;
        try {
            reader.ReadRootComponent(&root);
        } catch (const sps::Exception&) {
            break;
        }
        // A tree read back must write again.
        sps::ByteWriter out;
        sps::TWriter writer(out);
        writer.WriteDescendent(&root);
    }
    return 0;
}
