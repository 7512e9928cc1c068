#include "shipped.h"

#include "platform/error.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

using namespace cw;
using namespace cwtest;
namespace fs = std::filesystem;

namespace {

// A copy of the sources in which one line of one file is replaced.
class SourceCopy {
public:
    SourceCopy()
    {
        dir_ = fs::path(testing::TempDir()) / "kestrane_sources";
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        for (const auto& e : fs::directory_iterator(SourceFolder())) {
            if (e.path().extension() == ".csv")
                fs::copy_file(e.path(), dir_ / e.path().filename());
        }
    }
    ~SourceCopy() { fs::remove_all(dir_); }

    void Replace(const std::string& file, const std::string& from, const std::string& to)
    {
        std::ifstream in(dir_ / file);
        std::stringstream s;
        s << in.rdbuf();
        std::string text = s.str();
        size_t at = text.find(from);
        ASSERT_NE(at, std::string::npos) << from;
        text.replace(at, from.size(), to);
        std::ofstream(dir_ / file, std::ios::trunc) << text;
    }

    std::string Error() const
    {
        try {
            ReadCatalogueSources(dir_.string());
        } catch (const sps::Exception& e) {
            return e.Message();
        }
        return "";
    }

private:
    fs::path dir_;
};

} // namespace

TEST(CatalogueSources, TheToolChecksItsInput)
{
    struct Case {
        const char* file;
        const char* from;
        const char* to;
        const char* error;
    };
    const Case cases[] = {
        {"king_piles.csv", "WQ 575 A,193.25,0,1,4", "WQ 575 A,193.25,0,1,7",
         "king_piles.csv:2: \"7\" must lie between 0 and 6"},
        {"king_piles.csv", "WQ 575 A,193.25,0,1,4", "WQ 575 A,193.25,-1,1,4", "king_piles.csv:2:"},
        {"builtup_king_piles.csv", "WQ 575 A-12,287.5,257.5,305.2,", "WQ 575 A-12,287.5,257.5,0,",
         "builtup_king_piles.csv:2: \"0\" must be above 0"},
        {"builtup_king_piles.csv", "195856,510", "195856,0", "builtup_king_piles.csv:2: \"0\" must lie between 1"},
        {"builtup_sheet_piles.csv", "KX 13,303,1300,26391,1340,", "KX 13,303,1300,26391,-5,",
         "builtup_sheet_piles.csv:2:"},
        {"connectors.csv", "NJ 40 W,", "NJ 40 F2,", "connectors.csv:3: name \"NJ 40 F2\" contains the name \"NJ 40 F\""},
        {"sheet_piles.csv", "KX 18,", "KX 1,", "sheet_piles.csv:2: name \"KX 13\" contains the name \"KX 1\""},
        {"sheet_piles.csv", "KX 18,", "KX 180,", "longer than 5 characters"},
        {"grades.csv", "sheet_pile_metric,S 240 GP,240", "sheet_pile_metric,S 240 GP,0", "grades.csv:22:"},
        {"grades.csv", "king_pile_metric,S 390,390", "king_pile_metric,S 3,390", "contains the name \"S 3\""},
        {"grades.csv", "king_pile_metric,S 420,420", "sheet_pile_imperial,S 420,420", "file order"},
        {"combinations.csv", "WQ 575 A-12 / KX 13,KX 13,", "WQ 575 A-12 / KX 13,KX 18,",
         "the groups must follow in the order"},
        {"combinations.csv", "WQ 575 A-12 / KX 13,KX 13,WQ 575 A-12,KX 13",
         "WQ 575 A-12 / KX 13,KX 13,WQ 575 A-14,KX 13", "the name must read \"WQ 575 A-14 / KX 13\""},
        {"combinations.csv", "WQ 575 A-12 / KX 13,KX 13,WQ 575 A-12,KX 13",
         "WQ 575 A-12 / KX 13,KX 13,WQ 575 A-99,KX 13", "no built-up king pile \"WQ 575 A-99\""},
        {"combinations.csv", "WQ 575 A-C1,ALL,WQ 575 A-12,", "WQ 575 A-C1,ALL,WQ 575 A-12,KX 99",
         "no built-up sheet pile"},
        {"combinations.csv", "WQ 575 A-C1,ALL", "WQ 575 A-X1,ALL", "must be a C1 or C23 system"},
        {"combinations.csv", "name,group,", "name,groups,", "combinations.csv:1: the header must read"},
        {"connectors.csv", "NJ 40 W,24.3", "NJ 40 W,24.3,1", "connectors.csv:3: expected 2 fields, found 3"},
        {"connectors.csv", "NJ 40 W,24.3", "NJ 40 W,2x", "\"2x\" is not a number"},
    };
    for (const Case& c : cases) {
        SourceCopy copy;
        copy.Replace(c.file, c.from, c.to);
        std::string error = copy.Error();
        EXPECT_NE(error.find(c.error), std::string::npos) << c.file << ": " << c.to << " gave \"" << error << "\"";
    }
    SourceCopy unchanged;
    EXPECT_EQ(unchanged.Error(), "");
}

TEST(CatalogueSources, DumpRoundTrips)
{
    fs::path dir = fs::path(testing::TempDir()) / "kestrane_dump";
    fs::remove_all(dir);
    fs::create_directories(dir);
    WriteCatalogueCsv(Shipped(), dir.string());
    for (const char* f : {"grades.csv", "king_piles.csv", "connectors.csv", "sheet_piles.csv",
                          "builtup_king_piles.csv", "builtup_sheet_piles.csv"}) {
        EXPECT_EQ(sps::ReadFileBytes((dir / f).string()), sps::ReadFileBytes(SourceFolder() + "/" + f)) << f;
    }
    std::vector<uint8_t> b = sps::ReadFileBytes((dir / "combinations.csv").string());
    std::string text(b.begin(), b.end());
    EXPECT_EQ(text.rfind("name,group,sx_king_pile_system,area,sx_sheet_pile,sx_connectors,b\n"
                         "WQ 575 A-12 / KX 13,KX 13,",
                         0),
              0u);
    EXPECT_NE(text.find("\nWQ 975 D-C23,ALL,"), std::string::npos);
    fs::remove_all(dir);
}
