#include "platform/stream.h"

#include "platform/component.h"
#include "platform/error.h"

#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <string>
#include <vector>

using namespace sps;

namespace {

std::vector<uint8_t> Bytes(std::initializer_list<int> list)
{
    std::vector<uint8_t> v;
    for (int b : list)
        v.push_back(static_cast<uint8_t>(b));
    return v;
}

void Append(std::vector<uint8_t>& v, const std::string& s)
{
    v.insert(v.end(), s.begin(), s.end());
}

int g_alive = 0; // items alive, to find leaks and double frees

// A child: an integer, a raw block, and children of its own (owned by itself).
class TItem : public TComponent {
public:
    explicit TItem(TComponent* owner) : TComponent(owner) { ++g_alive; }
    ~TItem() override { --g_alive; }
    std::string ClassName() const override { return "TItem"; }

    int32_t Value = 0;
    float Raw[2] = {0, 0};
    int loadedCalls = 0;
    std::vector<std::string>* order = nullptr;

    void Loaded() override
    {
        TComponent::Loaded();
        ++loadedCalls;
    }
    void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override
    {
        for (int i = 0; i < ComponentCount(); ++i)
            proc(Components(i));
    }
    TComponent* GetChildOwner() override { return this; }
    void WriteProperties(TWriter& writer) override
    {
        writer.WritePropName("Value");
        writer.WriteInteger(Value);
        writer.WritePropName("Raw");
        writer.Write(Raw, sizeof Raw);
    }
    bool ReadProperty(const std::string& name, TReader& reader) override
    {
        if (SameText(name, "Value")) {
            Value = reader.ReadInteger();
            return true;
        }
        if (SameText(name, "Raw")) {
            reader.Read(Raw, sizeof Raw);
            return true;
        }
        return false;
    }
};

// The root: a caption, a number and a reference to one of its items by name.
class TBox : public TComponent {
public:
    explicit TBox(TComponent* owner = nullptr) : TComponent(owner) {}
    ~TBox() override
    {
        Destroying();
        DestroyComponents();
    }
    std::string ClassName() const override { return "TBox"; }

    std::string Caption;
    int32_t Number = 0;
    TItem* Selected = nullptr;
    std::vector<std::string> loadOrder;
    bool loadingDuringFixup = false;

    void Notification(TComponent* component, TOperation operation) override
    {
        TComponent::Notification(component, operation);
        if (operation == TOperation::opRemove && component == Selected)
            Selected = nullptr;
    }
    void Loaded() override
    {
        TComponent::Loaded();
        loadOrder.push_back("box");
    }
    void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override
    {
        for (int i = 0; i < ComponentCount(); ++i)
            proc(Components(i));
    }
    TComponent* GetChildOwner() override { return this; }
    void WriteProperties(TWriter& writer) override
    {
        if (Selected) {
            writer.WritePropName("Selected");
            writer.WriteIdent(Selected->Name());
        }
        writer.WritePropName("Caption");
        writer.WriteString(Caption);
        writer.WritePropName("Number");
        writer.WriteInteger(Number);
    }
    bool ReadProperty(const std::string& name, TReader& reader) override
    {
        if (SameText(name, "Selected")) {
            std::string ident = reader.ReadIdent();
            reader.AddFixup([this, ident] {
                loadingDuringFixup = IsLoading();
                Selected = dynamic_cast<TItem*>(FindComponent(ident));
            });
            return true;
        }
        if (SameText(name, "Caption")) {
            Caption = reader.ReadString();
            return true;
        }
        if (SameText(name, "Number")) {
            Number = reader.ReadInteger();
            return true;
        }
        return false;
    }
};

class ComponentStream : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        RegisterClass("TItem", [](TComponent* owner) { return new TItem(owner); });
        RegisterClass("TBox", [](TComponent* owner) { return new TBox(owner); });
    }
    void SetUp() override { g_alive = 0; }
    void TearDown() override { EXPECT_EQ(g_alive, 0); }
};

std::vector<uint8_t> WriteInt(int32_t v)
{
    ByteWriter out;
    TWriter w(out);
    w.WriteInteger(v);
    return out.Bytes();
}

std::string ReadMessage(const std::vector<uint8_t>& bytes)
{
    TBox box;
    ByteReader in(bytes);
    TReader r(in);
    try {
        r.ReadRootComponent(&box);
    } catch (const Exception& e) {
        return e.Message();
    }
    return "";
}

std::vector<uint8_t> SampleStream()
{
    TBox box;
    box.Caption = "Quay wall";
    box.Number = 200;
    auto* a = new TItem(&box);
    a->SetName("Headwall");
    a->Value = -5;
    a->Raw[0] = 1.5f;
    auto* b = new TItem(&box);
    b->SetName("Anchorwall");
    b->Value = 70000;
    auto* nested = new TItem(b);
    nested->SetName("Inner");
    nested->Value = 3;
    box.Selected = b;
    ByteWriter out;
    TWriter w(out);
    w.WriteDescendent(&box);
    return out.Bytes();
}

} // namespace

TEST(StreamValues, IntegersTakeTheShortestForm)
{
    EXPECT_EQ(WriteInt(-129), Bytes({3, 0x7F, 0xFF}));
    EXPECT_EQ(WriteInt(-128), Bytes({2, 0x80}));
    EXPECT_EQ(WriteInt(0), Bytes({2, 0}));
    EXPECT_EQ(WriteInt(127), Bytes({2, 0x7F}));
    EXPECT_EQ(WriteInt(128), Bytes({3, 0x80, 0}));
    EXPECT_EQ(WriteInt(200), Bytes({3, 0xC8, 0}));
    EXPECT_EQ(WriteInt(32767), Bytes({3, 0xFF, 0x7F}));
    EXPECT_EQ(WriteInt(-32768), Bytes({3, 0x00, 0x80}));
    EXPECT_EQ(WriteInt(32768), Bytes({4, 0x00, 0x80, 0, 0}));
    EXPECT_EQ(WriteInt(-32769), Bytes({4, 0xFF, 0x7F, 0xFF, 0xFF}));
    EXPECT_EQ(WriteInt(INT32_MAX), Bytes({4, 0xFF, 0xFF, 0xFF, 0x7F}));
    EXPECT_EQ(WriteInt(INT32_MIN), Bytes({4, 0, 0, 0, 0x80}));
    for (int32_t v : {-129, -128, 127, 128, 32767, 32768, -32768, -32769, INT32_MIN, INT32_MAX}) {
        auto bytes = WriteInt(v);
        ByteReader in(bytes);
        TReader r(in);
        EXPECT_EQ(r.ReadInteger(), v);
        EXPECT_TRUE(in.AtEnd());
    }
}

TEST(StreamValues, StringsIdentsAndNames)
{
    ByteWriter out;
    TWriter w(out);
    w.WriteString("");
    w.WriteString(std::string(255, 'x'));
    w.WriteString(std::string(256, 'y'));
    w.WriteIdent("Headwall");
    w.WriteStr("Data");
    w.WriteListEnd();
    const auto& b = out.Bytes();
    ASSERT_EQ(b.size(), 2u + (2 + 255) + (5 + 256) + 10 + 5 + 1);
    EXPECT_EQ(b[0], 6);
    EXPECT_EQ(b[1], 0);
    EXPECT_EQ(b[2], 6);
    EXPECT_EQ(b[3], 255);
    size_t p = 2 + 2 + 255;
    EXPECT_EQ(std::vector<uint8_t>(b.begin() + p, b.begin() + p + 5), Bytes({12, 0, 1, 0, 0}));
    p += 5 + 256;
    EXPECT_EQ(b[p], 7);
    EXPECT_EQ(b[p + 1], 8);
    EXPECT_EQ(b[p + 10], 4);
    EXPECT_EQ(b.back(), 0);

    ByteReader in(b);
    TReader r(in);
    EXPECT_EQ(r.NextValue(), vaString);
    EXPECT_EQ(r.ReadString(), "");
    EXPECT_EQ(r.ReadString(), std::string(255, 'x'));
    EXPECT_EQ(r.ReadString(), std::string(256, 'y'));
    EXPECT_EQ(r.ReadIdent(), "Headwall");
    EXPECT_EQ(r.ReadStr(), "Data");
    EXPECT_TRUE(r.EndOfList());
    r.ReadListEnd();
    EXPECT_TRUE(in.AtEnd());
    EXPECT_THROW(r.EndOfList(), Exception); // the end of the data is not an end of list

    EXPECT_THROW(w.WriteStr(std::string(256, 'n')), Exception);
}

TEST(StreamValues, WrongValueTypesAreRefused)
{
    auto expectInvalid = [](std::vector<uint8_t> bytes, auto read) {
        ByteReader in(bytes);
        TReader r(in);
        try {
            read(r);
            ADD_FAILURE() << "no error";
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message(), "Invalid property value");
        }
    };
    expectInvalid(Bytes({6, 0}), [](TReader& r) { r.ReadInteger(); });
    expectInvalid(Bytes({5, 0}), [](TReader& r) { r.ReadInteger(); });
    expectInvalid(Bytes({2, 0}), [](TReader& r) { r.ReadString(); });
    expectInvalid(Bytes({6, 1, 'a'}), [](TReader& r) { r.ReadIdent(); });
    expectInvalid(Bytes({2}), [](TReader& r) { r.ReadListEnd(); });
}

TEST(StreamValues, LongStringLengthIsCheckedBeforeAllocating)
{
    auto bytes = Bytes({12, 0xFF, 0xFF, 0xFF, 0x7F, 'a', 'b'});
    ByteReader in(bytes);
    TReader r(in);
    try {
        r.ReadString();
        FAIL();
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "Stream read error");
    }
}

TEST_F(ComponentStream, WritesTheDocumentedLayout)
{
    TBox box;
    box.Number = 5;
    auto* item = new TItem(&box);
    item->SetName("Headwall");
    ByteWriter out;
    TWriter w(out);
    w.WriteDescendent(&box);
    std::vector<uint8_t> expect;
    Append(expect, "TPF0");
    expect.push_back(4);
    Append(expect, "TBox");
    expect.push_back(0); // empty name
    expect.push_back(7);
    Append(expect, "Caption");
    expect.push_back(6);
    expect.push_back(0);
    expect.push_back(6);
    Append(expect, "Number");
    expect.push_back(2);
    expect.push_back(5);
    expect.push_back(0); // end of properties
    expect.push_back(5);
    Append(expect, "TItem");
    expect.push_back(8);
    Append(expect, "Headwall");
    expect.push_back(5);
    Append(expect, "Value");
    expect.push_back(2);
    expect.push_back(0);
    expect.push_back(3);
    Append(expect, "Raw");
    expect.insert(expect.end(), 8, 0);
    expect.push_back(0); // end of the item's properties
    expect.push_back(0); // the item has no children
    expect.push_back(0); // end of the box's children
    EXPECT_EQ(out.Bytes(), expect);
}

TEST_F(ComponentStream, RoundTripRebuildsTheTreeAndResolvesReferences)
{
    auto bytes = SampleStream();
    TBox box;
    ByteReader in(bytes);
    TReader r(in);
    r.ReadRootComponent(&box);
    EXPECT_TRUE(in.AtEnd());
    EXPECT_EQ(box.Caption, "Quay wall");
    EXPECT_EQ(box.Number, 200);
    ASSERT_EQ(box.ComponentCount(), 2);
    auto* a = dynamic_cast<TItem*>(box.Components(0));
    auto* b = dynamic_cast<TItem*>(box.Components(1));
    ASSERT_TRUE(a && b);
    EXPECT_EQ(a->Name(), "Headwall");
    EXPECT_EQ(a->Value, -5);
    EXPECT_EQ(a->Raw[0], 1.5f);
    EXPECT_EQ(b->Name(), "Anchorwall");
    EXPECT_EQ(b->Value, 70000);
    ASSERT_EQ(b->ComponentCount(), 1);
    auto* inner = dynamic_cast<TItem*>(b->Components(0));
    ASSERT_TRUE(inner);
    EXPECT_EQ(inner->Value, 3);
    EXPECT_EQ(box.Selected, b);
    EXPECT_TRUE(box.loadingDuringFixup); // fixups run before Loaded
    EXPECT_EQ(a->loadedCalls, 1);
    EXPECT_EQ(inner->loadedCalls, 1);
    EXPECT_EQ(box.loadOrder, std::vector<std::string>{"box"});
    EXPECT_FALSE(box.IsLoading());
    EXPECT_FALSE(inner->IsLoading());

    // Writing the tree read back gives the same bytes.
    ByteWriter again;
    TWriter w(again);
    w.WriteDescendent(&box);
    EXPECT_EQ(again.Bytes(), bytes);
}

TEST_F(ComponentStream, SeveralRootsFollowOneAnother)
{
    auto one = SampleStream();
    std::vector<uint8_t> file = one;
    file.insert(file.end(), one.begin(), one.end());
    ByteReader in(file);
    TReader r(in);
    int count = 0;
    while (!in.AtEnd()) {
        TBox box;
        r.ReadRootComponent(&box);
        EXPECT_EQ(box.Selected, box.Components(1));
        ++count;
    }
    EXPECT_EQ(count, 2);
}

TEST_F(ComponentStream, LoadedRunsInReadingOrderRootFirst)
{
    std::vector<std::string> order;
    struct TOrdered : TItem {
        using TItem::TItem;
        void Loaded() override
        {
            TItem::Loaded();
            order->push_back(Name());
        }
    };
    RegisterClass("TOrdered", [&order](TComponent* owner) {
        auto* c = new TOrdered(owner);
        c->order = &order;
        return c;
    });
    struct TRoot : TBox {
        std::vector<std::string>* log;
        void Loaded() override
        {
            TBox::Loaded();
            log->push_back("root");
        }
    } root;
    root.log = &order;
    std::vector<uint8_t> s;
    Append(s, "TPF0");
    s.push_back(4);
    Append(s, "tbox"); // class names compare without case
    s.push_back(0);
    s.push_back(0);
    for (const char* name : {"x", "y"}) {
        s.push_back(8);
        Append(s, "TOrdered");
        s.push_back(1);
        Append(s, name);
        s.push_back(0);
        if (std::string(name) == "x") { // x holds z
            s.push_back(8);
            Append(s, "TOrdered");
            s.push_back(1);
            Append(s, "z");
            s.push_back(0);
            s.push_back(0);
        }
        s.push_back(0);
    }
    s.push_back(0);
    ByteReader in(s);
    TReader r(in);
    r.ReadRootComponent(&root);
    EXPECT_EQ(order, (std::vector<std::string>{"root", "x", "z", "y"}));
    RegisterClass("TOrdered", nullptr);
}

TEST_F(ComponentStream, ErrorsHaveTheLibraryMessages)
{
    auto good = SampleStream();

    auto badSig = good;
    badSig[3] = '1';
    EXPECT_EQ(ReadMessage(badSig), "Invalid stream format");
    EXPECT_EQ(ReadMessage(Bytes({'T', 'P'})), "Stream read error");

    // Another class than the root's.
    std::vector<uint8_t> other;
    Append(other, "TPF0");
    other.push_back(5);
    Append(other, "TItem");
    other.push_back(0);
    other.push_back(0);
    other.push_back(0);
    EXPECT_EQ(ReadMessage(other), "Invalid stream format");

    // Unknown child class.
    std::vector<uint8_t> unknown;
    Append(unknown, "TPF0");
    unknown.push_back(4);
    Append(unknown, "TBox");
    unknown.push_back(0);
    unknown.push_back(0);
    unknown.push_back(6);
    Append(unknown, "TGhost");
    unknown.push_back(0);
    unknown.push_back(0);
    unknown.push_back(0);
    unknown.push_back(0);
    EXPECT_EQ(ReadMessage(unknown), "Class TGhost not found");

    // Unknown property of the root and of a named child.
    std::vector<uint8_t> prop;
    Append(prop, "TPF0");
    prop.push_back(4);
    Append(prop, "TBox");
    prop.push_back(0);
    prop.push_back(5);
    Append(prop, "Color");
    prop.push_back(2);
    prop.push_back(1);
    prop.push_back(0);
    prop.push_back(0);
    EXPECT_EQ(ReadMessage(prop), "Error reading TBox.Color: Property Color does not exist");

    std::vector<uint8_t> childProp;
    Append(childProp, "TPF0");
    childProp.push_back(4);
    Append(childProp, "TBox");
    childProp.push_back(0);
    childProp.push_back(0);
    childProp.push_back(5);
    Append(childProp, "TItem");
    childProp.push_back(2);
    Append(childProp, "It");
    childProp.push_back(3);
    Append(childProp, "Bad");
    childProp.push_back(0);
    childProp.push_back(0);
    childProp.push_back(0);
    EXPECT_EQ(ReadMessage(childProp), "Error reading It.Bad: Property Bad does not exist");

    // A value of the wrong type.
    std::vector<uint8_t> value;
    Append(value, "TPF0");
    value.push_back(4);
    Append(value, "TBox");
    value.push_back(0);
    value.push_back(6);
    Append(value, "Number");
    value.push_back(6);
    value.push_back(0);
    value.push_back(0);
    value.push_back(0);
    EXPECT_EQ(ReadMessage(value), "Error reading TBox.Number: Invalid property value");
}

TEST_F(ComponentStream, NestingIsBounded)
{
    auto build = [](int depth) {
        std::vector<uint8_t> s;
        Append(s, "TPF0");
        s.push_back(4);
        Append(s, "TBox");
        s.push_back(0);
        s.push_back(0);
        for (int i = 0; i < depth; ++i) {
            s.push_back(5);
            Append(s, "TItem");
            s.push_back(0);
            s.push_back(0);
        }
        s.insert(s.end(), static_cast<size_t>(depth) + 1, 0);
        return s;
    };
    EXPECT_EQ(ReadMessage(build(kMaxComponentDepth)), "");
    EXPECT_EQ(ReadMessage(build(kMaxComponentDepth + 1)), "Invalid stream format");
    EXPECT_EQ(ReadMessage(build(100000)), "Invalid stream format");
}

TEST_F(ComponentStream, FailedReadLeavesCompletedChildrenOwnedAndNothingLoading)
{
    auto good = SampleStream();
    // The first item ends after its raw block and two end-of-list bytes.
    std::string text(good.begin(), good.end());
    size_t firstEnd = text.find("Raw") + 3 + 8 + 2;
    for (size_t cut = good.size() - 1; cut > 0; --cut) {
        std::vector<uint8_t> part(good.begin(), good.begin() + static_cast<long>(cut));
        auto box = std::make_unique<TBox>();
        ByteReader in(part);
        TReader r(in);
        EXPECT_THROW(r.ReadRootComponent(box.get()), Exception) << cut;
        EXPECT_FALSE(box->IsLoading());
        EXPECT_EQ(box->Selected, nullptr); // fixups never ran
        EXPECT_EQ(box->loadOrder.size(), 0u);
        for (int i = 0; i < box->ComponentCount(); ++i) {
            auto* item = dynamic_cast<TItem*>(box->Components(i));
            ASSERT_TRUE(item);
            EXPECT_FALSE(item->IsLoading());
            EXPECT_EQ(item->loadedCalls, 0);
        }
        // Completed items stay; the one being read when the data ended is gone.
        EXPECT_EQ(box->ComponentCount(), cut == good.size() - 1 ? 2 : cut >= firstEnd ? 1 : 0) << cut;
        box.reset();
        EXPECT_EQ(g_alive, 0) << cut;
    }
}

TEST_F(ComponentStream, EveryCutAndEveryByteFlipIsAnErrorOrAValidTree)
{
    auto good = SampleStream();
    for (size_t cut = 0; cut < good.size(); ++cut) {
        std::vector<uint8_t> part(good.begin(), good.begin() + static_cast<long>(cut));
        EXPECT_NE(ReadMessage(part), "") << cut;
    }
    for (size_t i = 0; i < good.size(); ++i)
        for (int v : {0, 1, 2, 4, 6, 7, 12, 0x7F, 0xFF}) {
            auto bad = good;
            bad[i] = static_cast<uint8_t>(v);
            ReadMessage(bad); // must not crash or leak
        }
    EXPECT_EQ(g_alive, 0);
}
