// The binary component stream: "TPF0" signature, tagged values, short names,
// end-of-list markers; a writer over a byte buffer and a reader over bytes.
#pragma once

#include "platform/bytes.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace sps {

class TComponent;

// Value type bytes of the stream.
enum TValueType : uint8_t {
    vaNull = 0,    // end of list
    vaList = 1,
    vaInt8 = 2,
    vaInt16 = 3,
    vaInt32 = 4,
    vaExtended = 5,
    vaString = 6,  // length byte + chars
    vaIdent = 7,   // short name
    vaFalse = 8,
    vaTrue = 9,
    vaBinary = 10,
    vaSet = 11,
    vaLString = 12, // 4-byte length + chars
};

class TWriter {
public:
    explicit TWriter(ByteWriter& out) : out_(out) {}

    ByteWriter& Out() { return out_; }
    void Write(const void* data, size_t count) { out_.Write(data, count); }
    void WriteListEnd() { out_.U8(vaNull); }
    // Tagged integer, shortest form.
    void WriteInteger(int32_t value);
    // Tagged string: vaString up to 255 characters, vaLString beyond.
    void WriteString(const std::string& value);
    // vaIdent and a short name.
    void WriteIdent(const std::string& ident);
    // Length byte and up to 255 characters, no type byte. A longer name
    // raises instead of being cut (it would read back as another name).
    void WriteStr(const std::string& value);
    void WritePropName(const std::string& name) { WriteStr(name); }
    void WriteSignature();
    // The root component: signature, then the component with its children.
    void WriteDescendent(TComponent* root);
    // One component: class name, name, properties, end, children, end.
    void WriteComponent(TComponent* component);

private:
    ByteWriter& out_;
    TComponent* root_ = nullptr;
    int depth_ = 0;
};

// Deepest nesting of child components that the writer and the reader accept.
inline constexpr int kMaxComponentDepth = 32;

class TReader {
public:
    explicit TReader(ByteReader& in) : in_(in) {}

    ByteReader& In() { return in_; }
    void Read(void* data, size_t count) { in_.Read(data, count); }
    TValueType ReadValue();
    TValueType NextValue();      // peek
    bool EndOfList();            // next byte is vaNull
    void ReadListEnd();          // expects vaNull
    int32_t ReadInteger();       // tagged 2/3/4
    std::string ReadString();    // tagged 6/12
    std::string ReadIdent();     // tagged 7
    std::string ReadStr();       // short name
    void ReadSignature();        // "TPF0" or "Invalid stream format"

    // Reads a root component stream into `root`: signature, class and name,
    // properties, children (each offered to its owner's ValidateChild, then
    // created through the class registry with root->GetChildOwner() or root as
    // owner), then runs the fixups and calls
    // Loaded on the root and every component read, in reading order.
    //
    // Errors: "Invalid stream format" (signature, class name other than the
    // root's, nesting deeper than kMaxComponentDepth), "Class X not found",
    // "Error reading X.P: Property P does not exist", "Error reading X.P: "
    // followed by what reading the value raised ("Invalid property value",
    // "Stream read error", ...), "Stream read error", and what ValidateChild
    // and the fixups raise. On an error the component whose reading failed is
    // freed together with what it owns; components read completely before stay
    // with their owners (so freeing the root frees everything), no fixup runs,
    // no Loaded is called and every loading flag is cleared. The caller should
    // discard the root.
    void ReadRootComponent(TComponent* root);

    // Deferred work (resolving references by name) run after the whole tree is
    // read and before Loaded.
    void AddFixup(std::function<void()> fixup) { fixups_.push_back(std::move(fixup)); }

    TComponent* Root() const { return root_; }

private:
    void ReadProperties(TComponent* component);
    void ReadChildren(TComponent* parent);
    void ReadComponent(TComponent* owner);
    void ClearLoading();

    ByteReader& in_;
    TComponent* root_ = nullptr;
    std::vector<TComponent*> loaded_;
    std::vector<std::function<void()>> fixups_;
    int depth_ = 0;
};

} // namespace sps
