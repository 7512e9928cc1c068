#include "platform/bytes.h"

#include "platform/error.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

using namespace sps;

TEST(Bytes, RoundTripLittleEndian)
{
    ByteWriter w;
    w.U8(0xAB);
    w.I16(-2);
    w.I32(0x01020304);
    w.F32(5.0f);
    w.F64(-1.5);
    w.Chars("TPF0");
    const auto& b = w.Bytes();
    ASSERT_EQ(b.size(), 1u + 2 + 4 + 4 + 8 + 4);
    EXPECT_EQ(b[1], 0xFE);
    EXPECT_EQ(b[2], 0xFF);
    EXPECT_EQ(b[3], 0x04);
    EXPECT_EQ(b[6], 0x01);
    EXPECT_EQ(b[9], 0xA0); // 5.0f = 0x40A00000
    EXPECT_EQ(b[10], 0x40);
    ByteReader r(b);
    EXPECT_EQ(r.U8(), 0xAB);
    EXPECT_EQ(r.I16(), -2);
    EXPECT_EQ(r.I32(), 0x01020304);
    EXPECT_EQ(r.F32(), 5.0f);
    EXPECT_EQ(r.F64(), -1.5);
    EXPECT_EQ(r.Chars(4), "TPF0");
    EXPECT_TRUE(r.AtEnd());
}

TEST(Bytes, ReaderRefusesToReadPastTheEnd)
{
    const uint8_t data[3] = {1, 2, 3};
    ByteReader r(data, 3);
    EXPECT_THROW(r.U32(), Exception);
    EXPECT_EQ(r.Position(), 0u); // nothing consumed by a failed read
    EXPECT_EQ(r.U16(), 0x0201);
    EXPECT_THROW(r.U16(), Exception);
    EXPECT_THROW(r.Skip(2), Exception);
    EXPECT_THROW(r.Chars(SIZE_MAX), Exception);
    EXPECT_EQ(r.U8(), 3);
    try {
        r.U8();
        FAIL();
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "Stream read error");
    }
}

TEST(Bytes, AtomicWriteReplacesOnlyOnSuccess)
{
    auto dir = std::filesystem::temp_directory_path() / "sps_bytes_test";
    std::filesystem::create_directories(dir);
    std::string path = (dir / "f.bin").string();
    WriteFileAtomic(path, {1, 2, 3});
    EXPECT_EQ(ReadFileBytes(path), (std::vector<uint8_t>{1, 2, 3}));
    // A folder that does not exist: the error is raised and nothing is left behind.
    EXPECT_THROW(WriteFileAtomic((dir / "missing" / "f.bin").string(), {1}), Exception);
    EXPECT_THROW(ReadFileBytes((dir / "nope.bin").string()), Exception);
    std::filesystem::remove_all(dir);
}
