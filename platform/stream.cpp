#include "platform/stream.h"

#include "platform/component.h"
#include "platform/error.h"

#include <limits>

namespace sps {

namespace {

const char kSignature[4] = {'T', 'P', 'F', '0'};
const char* const kInvalidStreamFormat = "Invalid stream format";
const char* const kInvalidPropertyValue = "Invalid property value";

} // namespace

// ---------------------------------------------------------------- TWriter

void TWriter::WriteInteger(int32_t value)
{
    if (value >= -128 && value <= 127) {
        out_.U8(vaInt8);
        out_.I8(static_cast<int8_t>(value));
    } else if (value >= -32768 && value <= 32767) {
        out_.U8(vaInt16);
        out_.I16(static_cast<int16_t>(value));
    } else {
        out_.U8(vaInt32);
        out_.I32(value);
    }
}

void TWriter::WriteString(const std::string& value)
{
    if (value.size() <= 255) {
        out_.U8(vaString);
        out_.U8(static_cast<uint8_t>(value.size()));
    } else {
        if (value.size() > static_cast<size_t>(std::numeric_limits<int32_t>::max()))
            Raise("String too long for the stream");
        out_.U8(vaLString);
        out_.U32(static_cast<uint32_t>(value.size()));
    }
    out_.Chars(value);
}

void TWriter::WriteIdent(const std::string& ident)
{
    out_.U8(vaIdent);
    WriteStr(ident);
}

void TWriter::WriteStr(const std::string& value)
{
    if (value.size() > 255)
        RaiseFmt("Name too long for the stream: %s", value.substr(0, 40).c_str());
    out_.U8(static_cast<uint8_t>(value.size()));
    out_.Chars(value);
}

void TWriter::WriteSignature()
{
    out_.Write(kSignature, sizeof kSignature);
}

void TWriter::WriteDescendent(TComponent* root)
{
    root_ = root;
    depth_ = 0;
    WriteSignature();
    WriteComponent(root);
}

void TWriter::WriteComponent(TComponent* component)
{
    if (depth_ > kMaxComponentDepth)
        Raise("Components nested too deeply for the stream");
    WriteStr(component->ClassName());
    WriteStr(component->Name());
    component->WriteProperties(*this);
    WriteListEnd();
    ++depth_;
    struct Leave {
        int& depth;
        ~Leave() { --depth; }
    } leave{depth_};
    component->GetChildren([this](TComponent* child) { WriteComponent(child); }, root_ ? root_ : component);
    WriteListEnd();
}

// ---------------------------------------------------------------- TReader

TValueType TReader::ReadValue()
{
    return static_cast<TValueType>(in_.U8());
}

TValueType TReader::NextValue()
{
    size_t pos = in_.Position();
    TValueType v = ReadValue();
    in_.Seek(pos);
    return v;
}

bool TReader::EndOfList()
{
    return NextValue() == vaNull;
}

void TReader::ReadListEnd()
{
    if (ReadValue() != vaNull)
        Raise(kInvalidPropertyValue);
}

int32_t TReader::ReadInteger()
{
    switch (ReadValue()) {
    case vaInt8:
        return in_.I8();
    case vaInt16:
        return in_.I16();
    case vaInt32:
        return in_.I32();
    default:
        Raise(kInvalidPropertyValue);
    }
}

std::string TReader::ReadString()
{
    switch (ReadValue()) {
    case vaString:
        return in_.Chars(in_.U8());
    case vaLString:
        // Chars checks the length against the bytes that remain before allocating.
        return in_.Chars(in_.U32());
    default:
        Raise(kInvalidPropertyValue);
    }
}

std::string TReader::ReadIdent()
{
    if (ReadValue() != vaIdent)
        Raise(kInvalidPropertyValue);
    return ReadStr();
}

std::string TReader::ReadStr()
{
    return in_.Chars(in_.U8());
}

void TReader::ReadSignature()
{
    char sig[4];
    in_.Read(sig, sizeof sig);
    for (size_t i = 0; i < sizeof sig; ++i)
        if (sig[i] != kSignature[i])
            Raise(kInvalidStreamFormat);
}

void TReader::ClearLoading()
{
    if (root_)
        root_->SetLoading(false);
    for (TComponent* c : loaded_)
        c->SetLoading(false);
}

void TReader::ReadRootComponent(TComponent* root)
{
    if (!root)
        Raise("No component to read the stream into");
    root_ = root;
    loaded_.clear();
    fixups_.clear();
    depth_ = 0;
    try {
        ReadSignature();
        std::string className = ReadStr();
        std::string name = ReadStr();
        if (!SameText(className, root->ClassName()))
            Raise(kInvalidStreamFormat);
        root->SetLoading(true);
        root->SetName(name);
        loaded_.push_back(root);
        ReadProperties(root);
        ReadChildren(root);
        for (auto& fixup : fixups_)
            fixup();
        fixups_.clear();
        for (TComponent* c : loaded_)
            c->Loaded();
        ClearLoading();
        loaded_.clear();
    } catch (...) {
        fixups_.clear();
        ClearLoading();
        loaded_.clear();
        throw;
    }
}

void TReader::ReadProperties(TComponent* component)
{
    while (!EndOfList()) {
        std::string prop = ReadStr();
        const std::string& who = component->Name().empty() ? component->ClassName() : component->Name();
        bool known = false;
        try {
            known = component->ReadProperty(prop, *this);
        } catch (const Exception& e) {
            // Say whose value could not be read.
            RaiseFmt("Error reading %s.%s: %s", who.c_str(), prop.c_str(), e.what());
        }
        if (!known)
            RaiseFmt("Error reading %s.%s: Property %s does not exist", who.c_str(), prop.c_str(), prop.c_str());
    }
    ReadListEnd();
}

void TReader::ReadChildren(TComponent* parent)
{
    if (depth_ > kMaxComponentDepth)
        Raise(kInvalidStreamFormat);
    ++depth_;
    struct Leave {
        int& depth;
        ~Leave() { --depth; }
    } leave{depth_};
    TComponent* owner = parent->GetChildOwner();
    if (!owner)
        owner = root_;
    while (!EndOfList())
        ReadComponent(owner);
    ReadListEnd();
}

namespace {

bool OwnedBy(TComponent* c, TComponent* owner)
{
    // Ownership chains have no cycles (InsertComponent refuses them).
    for (TComponent* o = c->Owner(); o; o = o->Owner())
        if (o == owner)
            return true;
    return false;
}

} // namespace

void TReader::ReadComponent(TComponent* owner)
{
    std::string className = ReadStr();
    std::string name = ReadStr();
    owner->ValidateChild(className, name);
    TComponentFactory factory = FindClass(className);
    if (!factory)
        RaiseFmt("Class %s not found", className.c_str());
    TComponent* c = factory(owner);
    if (!c)
        RaiseFmt("Class %s not found", className.c_str());
    if (c->Owner() != owner)
        owner->InsertComponent(c);
    size_t first = loaded_.size();
    try {
        c->SetLoading(true);
        c->SetName(name);
        loaded_.push_back(c);
        ReadProperties(c);
        ReadChildren(c);
    } catch (...) {
        // Components read while reading this one: those it owns go with it,
        // the others stay with their owners and leave the loading state.
        for (size_t i = first + 1; i < loaded_.size(); ++i)
            if (!OwnedBy(loaded_[i], c))
                loaded_[i]->SetLoading(false);
        loaded_.resize(first);
        delete c;
        throw;
    }
}

} // namespace sps
