#include "calcframe/blockreader.h"

#include "calcframe/scrambled.h"
#include "platform/bytes.h"
#include "platform/error.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <functional>
#include <limits>

using namespace cf;

namespace {

const char* kName = "Test Data.daa";

std::string Corrupted()
{
    return "\"Test Data.daa\" file seems to be corrupted. Reinstall original file.";
}

void ExpectCorrupted(const std::function<void()>& f)
{
    try {
        f();
        ADD_FAILURE() << "no exception";
    } catch (const sps::Exception& e) {
        EXPECT_EQ(e.Message(), Corrupted());
    }
}

std::vector<uint8_t> Sample()
{
    sps::ByteWriter w;
    w.I16(-2);
    w.I8(-3);
    w.U8(200);
    w.I32(-123456789);
    w.F64(2.5);
    w.I16(300);
    w.I16(-300);
    w.I32(70000);
    w.I32(-1);
    w.F64(-0.125);
    w.F64(1e300);
    w.Write(EncodeScrambledNames({"S 355", "A 690"}, 11, 9).data(), 24);
    return w.Bytes();
}

} // namespace

TEST(BlockReader, ReadsLittleEndianValuesAndColumns)
{
    std::vector<uint8_t> b = Sample();
    BlockReader r(b.data(), b.size(), kName);
    EXPECT_EQ(r.I16(), -2);
    EXPECT_EQ(r.I8(), -3);
    EXPECT_EQ(r.U8(), 200);
    EXPECT_EQ(r.I32(), -123456789);
    EXPECT_EQ(r.F64(), 2.5);
    EXPECT_EQ(r.Int16s(2), (std::vector<int16_t>{300, -300}));
    EXPECT_EQ(r.Int32s(2), (std::vector<int32_t>{70000, -1}));
    EXPECT_EQ(r.FiniteDoubles(2), (std::vector<double>{-0.125, 1e300}));
    EXPECT_EQ(r.Names(2, 11, 9), (std::vector<std::string>{"S 355", "A 690"}));
    EXPECT_EQ(r.Remaining(), 0u);
    EXPECT_EQ(r.Int8s(0).size(), 0u); // an empty column reads nothing
    ExpectCorrupted([&] { r.U8(); });
}

TEST(BlockReader, EveryShortReadIsACorruptedFile)
{
    std::vector<uint8_t> b = Sample();
    // Cut the data before each field: the field's read fails, never reads past the end.
    std::vector<std::function<void(BlockReader&)>> steps = {
        [](BlockReader& r) { r.I16(); },        [](BlockReader& r) { r.I8(); },
        [](BlockReader& r) { r.U8(); },         [](BlockReader& r) { r.I32(); },
        [](BlockReader& r) { r.F64(); },        [](BlockReader& r) { r.Int16s(2); },
        [](BlockReader& r) { r.Int32s(2); },    [](BlockReader& r) { r.FiniteDoubles(2); },
        [](BlockReader& r) { r.Names(2, 11, 9); },
    };
    for (size_t cut = 0; cut < b.size(); ++cut) {
        BlockReader r(b.data(), cut, kName);
        ExpectCorrupted([&] {
            for (auto& s : steps)
                s(r);
        });
        EXPECT_LE(r.Position(), cut);
    }
}

TEST(BlockReader, ChecksCountsBeforeAllocating)
{
    std::vector<uint8_t> b(16, 0);
    BlockReader r(b.data(), b.size(), kName);
    EXPECT_EQ(r.Count(0, 127), 0u);
    EXPECT_EQ(r.Count(127, 127), 127u);
    ExpectCorrupted([&] { r.Count(128, 127); });
    ExpectCorrupted([&] { r.Count(-1, 127); });
    // Huge counts fail on the size check, without an attempt to allocate.
    ExpectCorrupted([&] { r.Doubles(std::numeric_limits<size_t>::max() / 4); });
    ExpectCorrupted([&] { r.Names(std::numeric_limits<size_t>::max() / 8, 11, 0); });
    ExpectCorrupted([&] { r.Int32s(5); });
    EXPECT_EQ(r.Position(), 0u);
    EXPECT_EQ(r.Doubles(2).size(), 2u);
}

TEST(BlockReader, RefusesNonFiniteValuesAndBadNameRecords)
{
    sps::ByteWriter w;
    w.F64(std::numeric_limits<double>::quiet_NaN());
    w.F64(std::numeric_limits<double>::infinity());
    std::vector<uint8_t> b = w.Bytes();
    {
        BlockReader r(b.data(), b.size(), kName);
        EXPECT_TRUE(std::isnan(r.Doubles(1)[0])); // plain columns keep them
        ExpectCorrupted([&] { r.FiniteDoubles(1); });
    }
    std::vector<uint8_t> names = EncodeScrambledNames({"KX 13"}, 5, 3);
    names[0] = 9;
    BlockReader r(names.data(), names.size(), kName);
    ExpectCorrupted([&] { r.Names(1, 5, 3); });
}

TEST(BlockReader, ReadsFilesAndReportsMissingOnesAsCorrupted)
{
    std::string path = testing::TempDir() + "blockreader_test.daa";
    std::vector<uint8_t> b = Sample();
    sps::WriteFileAtomic(path, b);
    {
        BlockReader r(path, kName);
        EXPECT_EQ(r.Remaining(), b.size());
        EXPECT_EQ(r.I16(), -2);
        r.Block(b.size() - 2 - 24);
        EXPECT_EQ(r.Names(2, 11, 9)[1], "A 690");
        ExpectCorrupted([&] { r.I8(); });
    }
    std::remove(path.c_str());
    ExpectCorrupted([&] { BlockReader r(path, kName); });
    ExpectCorrupted([&] { BlockReader r(testing::TempDir(), kName); }); // a folder
    EXPECT_EQ(CorruptedFileMessage("WQ KX Data.daa"),
              "\"WQ KX Data.daa\" file seems to be corrupted. Reinstall original file.");
}
