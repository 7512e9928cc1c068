// The project file: exact layout, round trip, safe saving and refusal of
// damaged files without losing the sections read before.
#include "platform/bytes.h"
#include "platform/error.h"
#include "platform/process.h"
#include "platform/stream.h"
#include "walldesign/calc/calcmodule.h"
#include "walldesign/calc/tests/calc_walls.h"
#include "walldesign/calc/wall.h"
#include "walldesign/files/project.h"
#include "walldesign/report/report.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <functional>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <limits>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <string>
#include <vector>

namespace wd {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

void Append(Bytes& b, std::initializer_list<uint8_t> v)
{
    b.insert(b.end(), v);
}

void AppendStr(Bytes& b, const std::string& s)
{
    b.push_back(static_cast<uint8_t>(s.size()));
    b.insert(b.end(), s.begin(), s.end());
}

TLayer Layer(float tip, float moist)
{
    TLayer l;
    l.Tip = tip;
    l.DensityMoist = moist;
    l.DensitySubmerged = moist - 10.0f;
    l.K = 0.33f;
    l.Phi = 0.52f;
    l.Delta = 0.35f;
    l.Cohesion = 5.0f;
    return l;
}

void FillWall(TWall& w, float shift)
{
    w.PileTop = -1.0f + shift;
    w.AnchorLevel = 0.5f + shift;
    w.Support = spFixed;
    w.Front.SoilLevel = 6.0f + shift;
    w.Front.AutoCoefficients = 1;
    w.Behind.SoilLevel = 0.25f;
    w.Behind.WaterLevel = 2.0f;
    w.Behind.CaquotLoad = 10.0f;
    w.AnchorForce = 80.0f;
    w.AnchorInclination = 0.1f;
    w.AnchorSafety = 1.5f;
    w.FrontLayers = {Layer(20.0f, 19.0f)};
    w.BehindLayers = {Layer(3.0f, 18.0f), Layer(20.0f, 20.0f)};
    w.Forces = {{5.0f, 1.0f, 0.5f}, {7.5f, 0.0f, 1.0f}};
    w.Pressures = {{2.0f, 4.0f, 0.0f, 3.0f}};
    w.Bousqs = {{1.0f, 2.0f, 0.0f, 20.0f}, {4.0f, 2.0f, 0.5f, 10.0f}};
    w.SectionIndex = 6;
    w.SectionArea = 0.01389f;
    w.SectionMass = 109.0f;
    w.SectionInertia = 3.8571e-4f;
    w.SectionModulus = 1.786e-3f;
    w.SectionName = "ZS 18";
    w.GradeIndex = 3;
    w.GradeValue = 355.0f;
    w.RequiredSafety = 1.5f;
    w.GradeName = "S 355 GP";
}

// Three sections: both walls, only a head wall, only an anchor wall.
void BuildRichProject(TProject& p)
{
    p.Author = "Engineer";
    p.Name = "Quay wall";
    p.Comment = std::string(300, 'c'); // a long comment is a 4-byte-length string
    auto* s1 = new TSection(p.Owner);
    s1->Index = 1;
    FillWall(*s1->CreateHeadwall(), 0.0f);
    FillWall(*s1->CreateAnchorwall(), 1.0f);
    auto* s2 = new TSection(p.Owner);
    s2->Index = 200;
    FillWall(*s2->CreateHeadwall(), 2.0f);
    s2->HeadWall->Support = spCantilever;
    auto* s3 = new TSection(p.Owner);
    s3->Index = 5;
    s3->CreateAnchorwall();
}

TEST(ProjectFileTest, GoldenFileOfOneSectionWithAnEmptyHeadWall)
{
    TProjectOwner owner;
    TProject p{&owner, "A", "P", ""};
    auto* section = new TSection(&owner);
    section->Index = 1;
    section->CreateHeadwall();

    Bytes expected = {0x06, 0x01, 'A', 0x06, 0x01, 'P', 0x06, 0x00, 'T', 'P', 'F', '0'};
    AppendStr(expected, "TSection");
    AppendStr(expected, "");
    AppendStr(expected, "HeadWall");
    expected.push_back(0x07);
    AppendStr(expected, "Headwall");
    AppendStr(expected, "Index");
    Append(expected, {0x02, 0x01, 0x00});
    AppendStr(expected, "THeadwall");
    AppendStr(expected, "Headwall");
    AppendStr(expected, "Data");
    Bytes data(88, 0);
    for (int i = 0; i < 5; ++i)
        Append(data, {0x02, 0x00});
    data.resize(182, 0);
    expected.insert(expected.end(), data.begin(), data.end());
    Append(expected, {0x00, 0x00, 0x00});

    Bytes written = WriteProjectBytes(p);
    EXPECT_EQ(written.size(), 259u);
    EXPECT_EQ(written, expected);

    TProjectOwner owner2;
    TProject back{&owner2};
    ReadProjectBytes(written, back, "golden.spc");
    EXPECT_EQ(back.Author, "A");
    EXPECT_EQ(back.Name, "P");
    EXPECT_EQ(back.Comment, "");
    EXPECT_EQ(WriteProjectBytes(back), expected);
}

TEST(ProjectFileTest, ProjectWithoutSectionsIsTheThreeStrings)
{
    TProjectOwner owner;
    TProject p{&owner};
    EXPECT_EQ(WriteProjectBytes(p), (Bytes{6, 0, 6, 0, 6, 0}));

    TProject back{&owner, "x", "y", "z"};
    ReadProjectBytes(Bytes{6, 0, 6, 0, 6, 0}, back, "empty.spc");
    EXPECT_EQ(back.Author, "");
    EXPECT_TRUE(ProjectSections(&owner).empty());
}

TEST(ProjectFileTest, SectionPropertiesAreWrittenOnlyWhenPresent)
{
    TProjectOwner owner;
    TProject p{&owner};
    auto* s = new TSection(&owner);
    s->Index = 200;
    s->CreateAnchorwall();
    Bytes b = WriteProjectBytes(p);
    std::string text(b.begin(), b.end());
    EXPECT_EQ(text.find("HeadWall"), std::string::npos);
    EXPECT_NE(text.find("AnchorWall\x07\x0a" "Anchorwall"), std::string::npos);
    EXPECT_NE(text.find(std::string("Index\x03\xc8\x00", 8)), std::string::npos);

    s->Index = 5;
    b = WriteProjectBytes(p);
    text.assign(b.begin(), b.end());
    EXPECT_NE(text.find(std::string("Index\x02\x05", 7)), std::string::npos);
}

TEST(ProjectFileTest, IndexAndTextsAtTheBoundariesOfTheirEncodings)
{
    const struct {
        int32_t index;
        uint8_t type;
    } indexes[] = {{-129, 3}, {-128, 2}, {127, 2}, {128, 3}, {32767, 3}, {32768, 4}, {-32769, 4}};
    for (const auto& c : indexes) {
        TProjectOwner owner;
        TProject p{&owner, std::string(255, 'a'), std::string(256, 'n'), ""};
        auto* s = new TSection(&owner);
        s->Index = c.index;
        s->CreateHeadwall();
        Bytes b = WriteProjectBytes(p);
        ASSERT_EQ(b[0], 6);
        ASSERT_EQ(b[1], 255);
        ASSERT_EQ(b[257], 12);
        std::string text(b.begin(), b.end());
        size_t at = text.find("\x05Index");
        ASSERT_NE(at, std::string::npos);
        EXPECT_EQ(b[at + 6], c.type) << c.index;

        TProjectOwner owner2;
        TProject back{&owner2};
        ReadProjectBytes(b, back, "b.spc");
        EXPECT_EQ(back.Author, p.Author);
        EXPECT_EQ(back.Name, p.Name);
        ASSERT_EQ(ProjectSections(&owner2).size(), 1u);
        EXPECT_EQ(ProjectSections(&owner2)[0]->Index, c.index);
        EXPECT_EQ(WriteProjectBytes(back), b);
    }
}

TEST(ProjectFileTest, SaveLoadSaveGivesIdenticalBytes)
{
    TProjectOwner owner;
    TProject p{&owner};
    BuildRichProject(p);
    Bytes first = WriteProjectBytes(p);

    TProjectOwner owner2;
    TProject back{&owner2};
    std::vector<TSection*> reported;
    ReadProjectBytes(first, back, "rich.spc", [&](TSection* s) { reported.push_back(s); });
    EXPECT_EQ(WriteProjectBytes(back), first);
    EXPECT_EQ(back.Comment, std::string(300, 'c'));

    std::vector<TSection*> sections = ProjectSections(&owner2);
    ASSERT_EQ(sections.size(), 3u);
    EXPECT_EQ(reported, sections);
    EXPECT_EQ(sections[0]->Index, 1);
    ASSERT_NE(sections[0]->HeadWall, nullptr);
    ASSERT_NE(sections[0]->AnchorWall, nullptr);
    EXPECT_EQ(sections[0]->AnchorWall->PileTop, 0.0f);
    EXPECT_EQ(sections[0]->HeadWall->GradeName, "S 355 GP");
    EXPECT_EQ(sections[1]->Index, 200);
    EXPECT_EQ(sections[1]->AnchorWall, nullptr);
    EXPECT_TRUE(sections[1]->HeadWall->IsCantilever());
    EXPECT_EQ(sections[2]->HeadWall, nullptr);
    ASSERT_NE(sections[2]->AnchorWall, nullptr);

    // Everything read is marked for recalculation, nothing is calculated yet.
    for (TSection* s : sections) {
        EXPECT_TRUE(s->Modified);
        for (TWall* w : {static_cast<TWall*>(s->HeadWall), static_cast<TWall*>(s->AnchorWall)})
            if (w) {
                EXPECT_TRUE(w->Modified);
                EXPECT_EQ(w->Report(), nullptr);
            }
    }
}

TEST(ProjectFileTest, SectionsAreAppendedToAnExistingProject)
{
    TProjectOwner source;
    TProject p{&source};
    BuildRichProject(p);
    Bytes bytes = WriteProjectBytes(p);

    TProjectOwner owner;
    auto* existing = new TSection(&owner);
    existing->CreateHeadwall();
    TProject target{&owner};
    ReadProjectBytes(bytes, target, "x.spc");
    std::vector<TSection*> sections = ProjectSections(&owner);
    ASSERT_EQ(sections.size(), 4u);
    EXPECT_EQ(sections[0], existing);
}

// The names in the test's folder.
std::vector<std::string> Listing(const fs::path& dir)
{
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

class ProjectDiskTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir_ = fs::temp_directory_path() /
               ("twmodel_" + std::to_string(::getpid()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    std::string Path(const std::string& name) const { return (dir_ / name).string(); }
    // Saves the small project p_ as `file` and returns its bytes.
    Bytes SaveFirst(const std::string& file)
    {
        SaveProject(file, p_);
        return sps::ReadFileBytes(file);
    }

    fs::path dir_;
    TProjectOwner owner_;
    TProject p_{&owner_, "A", "P", "first"};
};

TEST_F(ProjectDiskTest, SaveAndLoadThroughTheFile)
{
    TProjectOwner owner;
    TProject p{&owner};
    BuildRichProject(p);
    std::string file = Path("quay.spc");
    SaveProject(file, p);
    EXPECT_EQ(sps::ReadFileBytes(file), WriteProjectBytes(p));

    TProjectOwner owner2;
    TProject back{&owner2};
    LoadProject(file, back);
    EXPECT_EQ(WriteProjectBytes(back), WriteProjectBytes(p));
    EXPECT_EQ(Listing(dir_), std::vector<std::string>{"quay.spc"}); // no temporary file left
}

TEST_F(ProjectDiskTest, FailingSaveKeepsThePreviousFile)
{
    TProjectOwner owner;
    TProject p{&owner, "A", "P", "first"};
    std::string file = Path("keep.spc");
    SaveProject(file, p);
    Bytes before = sps::ReadFileBytes(file);

    // Input that could not be read back is refused before the file is touched.
    auto* s = new TSection(&owner);
    s->CreateHeadwall()->Bousqs.resize(kMaxBousqs + 1);
    EXPECT_THROW(SaveProject(file, p), sps::Exception);
    EXPECT_EQ(sps::ReadFileBytes(file), before);
    delete s;

}

TEST_F(ProjectDiskTest, TheTemporaryFileIsNewAndNeverFollowsALink)
{
    TProjectOwner owner;
    TProject p{&owner, "A", "P", "first"};
    std::string file = Path("quay.spc");
    SaveProject(file, p);

    // Names a former save or another user may have left: a link to an
    // unrelated file, a folder, a plain file.
    std::string victim = Path("victim.txt");
    sps::WriteFileAtomic(victim, Bytes{'v'});
    fs::create_symlink(victim, file + ".tmp~");
    fs::create_directory(Path("quay.spc.tmp"));
    sps::WriteFileAtomic(Path("quay.spc~"), Bytes{'t'});

    p.Comment = "second";
    SaveProject(file, p);
    EXPECT_EQ(sps::ReadFileBytes(file), WriteProjectBytes(p));
    EXPECT_FALSE(fs::is_symlink(file));
    EXPECT_EQ(sps::ReadFileBytes(victim), Bytes{'v'});
    EXPECT_EQ(fs::read_symlink(file + ".tmp~"), victim);
    EXPECT_EQ(Listing(dir_), (std::vector<std::string>{"quay.spc", "quay.spc.tmp", "quay.spc.tmp~", "quay.spc~",
                                                       "victim.txt"}));
}

// Runs `check` in a child process without the right to write into folders
// that others own (root drops to nobody); true when it returned true.
template <typename Check>
void ExpectUnprivileged(Check check)
{
    EXPECT_EXIT(
        {
            if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
                std::_Exit(2);
            std::_Exit(check() ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST_F(ProjectDiskTest, AFolderWithoutWriteAccessIsNamedAndTheFileKept)
{
    TProject& p = p_;
    const std::string file = Path("quay.spc");
    const Bytes before = SaveFirst(file);
    fs::permissions(file, fs::perms::all & ~fs::perms::owner_exec & ~fs::perms::group_exec & ~fs::perms::others_exec);
    fs::permissions(dir_, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                              fs::perms::others_read | fs::perms::others_exec);
    if (::geteuid() != 0)
        fs::permissions(dir_, fs::perms::owner_write, fs::perm_options::remove);
    p.Comment = "second";
    ExpectUnprivileged([&] {
        try {
            SaveProject(file, p);
            std::fprintf(stderr, "no error\n");
            return false;
        } catch (const sps::Exception& e) {
            const std::string expected = "Cannot create a file in folder " + dir_.string() + ": Permission denied";
            if (e.Message() != expected) {
                std::fprintf(stderr, "%s\n", e.Message().c_str());
                return false;
            }
        }
        return sps::ReadFileBytes(file) == before && Listing(dir_) == std::vector<std::string>{"quay.spc"};
    });
    fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add);
    EXPECT_EQ(sps::ReadFileBytes(file), before);
}

TEST_F(ProjectDiskTest, SavingWritesTheFileThatANameStandsFor)
{
    TProjectOwner owner;
    TProject p{&owner, "A", "P", "first"};
    fs::create_directory(dir_ / "sub");
    const std::string real = Path("sub/real.spc");
    SaveProject(real, p);
    fs::create_symlink("sub/real.spc", dir_ / "link.spc"); // relative to the link's folder
    fs::create_symlink(dir_ / "link.spc", dir_ / "chain.spc");
    fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

    // Through a symbolic link, a chain of them and then a hard link: every
    // name shows the new project, the links stay links, the bits stay as they were.
    for (const char* name : {"link.spc", "chain.spc", "hard.spc"}) {
        if (!fs::exists(Path(name)))
            fs::create_hard_link(real, dir_ / name);
        p.Comment = name;
        SaveProject(Path(name), p);
        for (const char* other : {"sub/real.spc", "link.spc", "chain.spc", "hard.spc"}) {
            if (fs::exists(Path(other))) {
                EXPECT_EQ(sps::ReadFileBytes(Path(other)), WriteProjectBytes(p)) << name << " " << other;
            }
        }
        EXPECT_TRUE(fs::is_symlink(dir_ / "link.spc"));
        EXPECT_TRUE(fs::is_symlink(dir_ / "chain.spc"));
        EXPECT_EQ(fs::status(real).permissions(),
                  fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
        EXPECT_EQ(Listing(dir_ / "sub"), std::vector<std::string>{"real.spc"});
    }
    EXPECT_EQ(fs::hard_link_count(real), 2u);

    // A link to a file that does not exist yet creates that file.
    fs::create_symlink("sub/new.spc", dir_ / "dangling.spc");
    SaveProject(Path("dangling.spc"), p);
    EXPECT_EQ(sps::ReadFileBytes(Path("sub/new.spc")), WriteProjectBytes(p));
    EXPECT_TRUE(fs::is_symlink(dir_ / "dangling.spc"));

    // Links in a circle lead nowhere.
    fs::create_symlink("loop2.spc", dir_ / "loop1.spc");
    fs::create_symlink("loop1.spc", dir_ / "loop2.spc");
    EXPECT_THROW(SaveProject(Path("loop1.spc"), p), sps::Exception);
}

TEST_F(ProjectDiskTest, AReadOnlyFileIsRefusedAndKept)
{
    TProject& p = p_;
    const std::string file = Path("quay.spc");
    const Bytes before = SaveFirst(file);
    const fs::perms readOnly = fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
    fs::permissions(file, readOnly);
    p.Comment = "second";
    try {
        SaveProject(file, p);
        ADD_FAILURE() << "no error";
    } catch (const sps::Exception& e) {
        EXPECT_EQ(e.Message(), "Cannot write file \"" + file + "\". The file is read-only.");
    }
    EXPECT_EQ(sps::ReadFileBytes(file), before);
    EXPECT_EQ(fs::status(file).permissions(), readOnly);
    EXPECT_EQ(Listing(dir_), std::vector<std::string>{"quay.spc"});
}

TEST_F(ProjectDiskTest, AFileSizeLimitFailsTheSaveAndKeepsTheFile)
{
    TProject& p = p_;
    const std::string file = Path("quay.spc");
    const Bytes before = SaveFirst(file);
    SaveFirst(Path("other.spc"));
    fs::create_hard_link(Path("other.spc"), dir_ / "hard.spc");
    p.Comment.assign(20000, 'c');
    auto saveOverTheLimit = [&] {
        sps::PrepareProcess();
        rlimit limit{};
        ::getrlimit(RLIMIT_FSIZE, &limit);
        limit.rlim_cur = 10000;
        ::setrlimit(RLIMIT_FSIZE, &limit);
        bool ok = true;
        // Through the temporary file and, for the hard link, in place.
        for (const std::string name : {"quay.spc", "hard.spc"}) {
            try {
                SaveProject(Path(name), p);
                ok = false;
            } catch (const sps::Exception& e) {
                ok = ok && e.Message() == "Cannot write file \"" + Path(name) + "\". File too large";
                std::fprintf(stderr, "%s\n", e.Message().c_str());
            }
        }
        return ok && sps::ReadFileBytes(file) == before && sps::ReadFileBytes(Path("hard.spc")) == before &&
               Listing(dir_) == std::vector<std::string>{"hard.spc", "other.spc", "quay.spc"};
    };
    EXPECT_EXIT(std::_Exit(saveOverTheLimit() ? 0 : 1), ::testing::ExitedWithCode(0), "");
}

TEST_F(ProjectDiskTest, OnlyRegularFilesOfASaneSizeAreRead)
{
    const std::string fifo = Path("fifo.spc");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string big = Path("big.spc");
    sps::WriteFileAtomic(big, Bytes{6, 0, 6, 0, 6, 0});
    fs::resize_file(big, (64u << 20) + 1); // sparse: nothing is written
    const std::string folder = dir_.string();
    auto refused = [&] {
        // A FIFO without a writer would block for ever, /dev/zero never ends.
        ::alarm(20);
        bool ok = true;
        const struct {
            std::string name, reason;
        } cases[] = {{fifo, "It is not a regular file."},
                     {"/dev/zero", "It is not a regular file."},
                     {folder, "It is not a regular file."},
                     {big, "The file is larger than 64 MB."}};
        for (const auto& c : cases) {
            TProjectOwner owner;
            TProject p{&owner};
            try {
                LoadProject(c.name, p);
                ok = false;
            } catch (const sps::Exception& e) {
                std::fprintf(stderr, "%s\n", e.Message().c_str());
                ok = ok && e.Message() == "Cannot open file \"" + c.name + "\". " + c.reason;
            } catch (const std::exception& e) {
                std::fprintf(stderr, "%s\n", e.what());
                ok = false;
            }
        }
        return ok;
    };
    EXPECT_EXIT(std::_Exit(refused() ? 0 : 1), ::testing::ExitedWithCode(0), "");
}

TEST_F(ProjectDiskTest, LoadErrorsNameTheFile)
{
    TProjectOwner owner;
    TProject p{&owner};
    std::string missing = Path("missing.spc");
    try {
        LoadProject(missing, p);
        FAIL() << "no error";
    } catch (const sps::Exception& e) {
        EXPECT_NE(e.Message().find(missing), std::string::npos) << e.Message();
    }

    std::string broken = Path("broken.spc");
    sps::WriteFileAtomic(broken, Bytes{6, 1, 'A', 6});
    try {
        LoadProject(broken, p);
        FAIL() << "no error";
    } catch (const sps::Exception& e) {
        EXPECT_EQ(e.Message(), "Invalid project file " + broken + "\nStream read error\nThe file ends early.");
    }
}

// End offsets of the header and of every section of `bytes`.
std::vector<size_t> Boundaries(const TProject& p)
{
    std::vector<size_t> ends;
    sps::ByteWriter out;
    sps::TWriter header(out);
    header.WriteString(p.Author);
    header.WriteString(p.Name);
    header.WriteString(p.Comment);
    ends.push_back(out.Size());
    for (TSection* s : ProjectSections(p.Owner)) {
        sps::TWriter w(out);
        w.WriteDescendent(s);
        ends.push_back(out.Size());
    }
    return ends;
}

TEST(ProjectFileTest, FileCutAtEveryLengthKeepsTheCompleteSections)
{
    TProjectOwner source;
    TProject p{&source};
    BuildRichProject(p);
    const Bytes bytes = WriteProjectBytes(p);
    const std::vector<size_t> ends = Boundaries(p);
    ASSERT_EQ(ends.back(), bytes.size());

    for (size_t n = 0; n < bytes.size(); ++n) {
        Bytes cut(bytes.begin(), bytes.begin() + static_cast<long>(n));
        TProjectOwner owner;
        TProject back{&owner};
        size_t complete = 0;
        bool boundary = false;
        for (size_t i = 0; i < ends.size(); ++i) {
            if (ends[i] <= n && i > 0)
                ++complete;
            boundary |= ends[i] == n;
        }
        if (boundary) {
            EXPECT_NO_THROW(ReadProjectBytes(cut, back, "cut.spc")) << n;
        } else {
            try {
                ReadProjectBytes(cut, back, "cut.spc");
                ADD_FAILURE() << "no error at length " << n;
            } catch (const sps::Exception& e) {
                EXPECT_EQ(e.Message().rfind("Invalid project file cut.spc\n", 0), 0u) << e.Message();
            }
        }
        EXPECT_EQ(ProjectSections(&owner).size(), complete) << n;
        EXPECT_EQ(owner.ComponentCount(), static_cast<int>(complete)) << n;
    }
}

// Offsets of the five counts of the first wall of the second section.
struct WallOffsets {
    size_t Data;      // first byte after "Data"
    size_t Counts[5];
    size_t PileBlock;
};

WallOffsets FindWall(const Bytes& bytes, size_t from, const TWall& w)
{
    const std::string key("\x04" "Data", 5);
    std::string text(bytes.begin(), bytes.end());
    size_t at = text.find(key, from);
    EXPECT_NE(at, std::string::npos);
    WallOffsets o{};
    o.Data = at + key.size();
    size_t pos = o.Data + 88;
    const size_t sizes[5] = {w.FrontLayers.size() * 56, w.BehindLayers.size() * 56, w.Forces.size() * 12,
                             w.Pressures.size() * 16, w.Bousqs.size() * 16};
    for (int i = 0; i < 5; ++i) {
        o.Counts[i] = pos;
        pos += 2 + sizes[i];
    }
    o.PileBlock = pos;
    return o;
}

TEST(ProjectFileTest, DamagedWallDataDropsOnlyTheSectionBeingRead)
{
    TProjectOwner source;
    TProject p{&source};
    BuildRichProject(p);
    const Bytes good = WriteProjectBytes(p);
    const std::vector<size_t> ends = Boundaries(p);
    TSection* second = ProjectSections(&source)[1];
    const WallOffsets o = FindWall(good, ends[1], *second->HeadWall);

    auto expectDropped = [&](const Bytes& bad, const std::string& why) {
        TProjectOwner owner;
        TProject back{&owner};
        try {
            ReadProjectBytes(bad, back, "damaged.spc");
            ADD_FAILURE() << "no error: " << why;
        } catch (const sps::Exception& e) {
            EXPECT_EQ(e.Message().rfind("Invalid project file damaged.spc\n", 0), 0u) << why << ": " << e.Message();
        }
        std::vector<TSection*> sections = ProjectSections(&owner);
        ASSERT_EQ(sections.size(), 1u) << why;
        EXPECT_EQ(sections[0]->Index, 1) << why;
        EXPECT_NE(sections[0]->HeadWall, nullptr);
        EXPECT_NE(sections[0]->AnchorWall, nullptr);
    };

    for (int i = 0; i < 5; ++i) {
        ASSERT_EQ(good[o.Counts[i]], 2);
        Bytes bad = good;
        bad[o.Counts[i] + 1] = 0x80; // -128
        expectDropped(bad, "negative count " + std::to_string(i));
        bad = good;
        bad[o.Counts[i] + 1] = 0x7F;
        expectDropped(bad, "count past the end " + std::to_string(i));
        bad = good;
        bad[o.Counts[i]] = 4;
        const uint8_t huge[4] = {0x00, 0x00, 0x00, 0x40};
        bad.erase(bad.begin() + static_cast<long>(o.Counts[i]) + 1);
        bad.insert(bad.begin() + static_cast<long>(o.Counts[i]) + 1, huge, huge + 4);
        expectDropped(bad, "huge count " + std::to_string(i));
    }
    {
        Bytes bad = good;
        bad[o.Counts[4] + 1] = 6;
        Bytes strips(4 * 16, 0);
        bad.insert(bad.begin() + static_cast<long>(o.Counts[4]) + 2, strips.begin(), strips.end());
        expectDropped(bad, "six strips");
    }
    Bytes bad = good;
    bad[o.Data + 8] = 7;
    expectDropped(bad, "support 7");
    // The message names the section, the wall and its property.
    TProjectOwner owner;
    TProject back{&owner};
    try {
        ReadProjectBytes(bad, back, "damaged.spc");
    } catch (const sps::Exception& e) {
        EXPECT_EQ(e.Message(), "Invalid project file damaged.spc\nSection 200: Error reading Headwall.Data: "
                               "Invalid earth support 7");
    }
    bad = good;
    bad[o.PileBlock + 24] = 21;
    expectDropped(bad, "section name of 21 characters");
    bad = good;
    bad[o.PileBlock + 48 + 12] = 200;
    expectDropped(bad, "grade name of 200 characters");
}

TEST(ProjectFileTest, NonFiniteSinglesFromTheFileNeverReachTheReport)
{
    // A head wall that calculates, then one single of its stored blocks set
    // to NaN or an infinity in the file.
    TProjectOwner source;
    TProject p{&source};
    auto* s = new TSection(&source);
    s->Index = 1;
    THeadwall* w = s->CreateHeadwall();
    testing::ReferenceInput(*w, 5.0f, spCantilever);
    w->SectionMass = 120.0f;
    w->RequiredSafety = 1.5f;
    w->AnchorSafety = 1.0f;
    const Bytes good = WriteProjectBytes(p);
    const WallOffsets o = FindWall(good, 0, *w);
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    const struct {
        const char* field;
        size_t at;
        float value;
    } cases[] = {
        {"", 0, 0},
        {"RequiredSafety", o.PileBlock + 48 + 8, nan},
        {"RequiredSafety", o.PileBlock + 48 + 8, inf},
        {"SectionMass", o.PileBlock + 8, -inf},
        {"SectionMass", o.PileBlock + 8, nan},
        {"AnchorSafety", o.Data + 84, nan},
    };
    for (const auto& c : cases) {
        Bytes bytes = good;
        if (c.at)
            std::memcpy(&bytes[c.at], &c.value, 4);
        TProjectOwner owner;
        TProject back{&owner};
        ReadProjectBytes(bytes, back, "nan.spc");
        THeadwall* read = ProjectSections(&owner).at(0)->HeadWall;
        if (!c.at) {
            EXPECT_NE(read->GetReport(), nullptr);
            continue;
        }
        try {
            read->GetReport();
            ADD_FAILURE() << c.field << " " << c.value << " reached the report";
        } catch (const sps::Exception& e) {
            EXPECT_EQ(e.Message(), "Invalid numeric input! Check input values.") << c.field;
        }
        EXPECT_EQ(read->Report(), nullptr);
    }
}

// One section stream with the given properties and children.
Bytes SectionStream(const std::vector<std::pair<std::string, std::string>>& refs,
                    const std::vector<std::pair<std::string, std::string>>& children)
{
    Bytes b = {'T', 'P', 'F', '0'};
    AppendStr(b, "TSection");
    AppendStr(b, "");
    for (const auto& [prop, ident] : refs) {
        AppendStr(b, prop);
        b.push_back(0x07);
        AppendStr(b, ident);
    }
    AppendStr(b, "Index");
    Append(b, {0x02, 0x09, 0x00});
    for (const auto& [cls, name] : children) {
        AppendStr(b, cls);
        AppendStr(b, name);
        if (cls != "TSection") {
            AppendStr(b, "Data");
            THeadwall w(nullptr);
            sps::ByteWriter out;
            sps::TWriter writer(out);
            w.WriteData(writer);
            b.insert(b.end(), out.Bytes().begin(), out.Bytes().end());
        } else {
            AppendStr(b, "Index");
            Append(b, {0x02, 0x01});
        }
        Append(b, {0x00, 0x00});
    }
    b.push_back(0x00);
    return b;
}

TEST(ProjectFileTest, SectionsThatThisProgramCannotWriteAreRefusedSayingWhy)
{
    const Bytes header = {6, 0, 6, 0, 6, 0};
    struct Case {
        Bytes stream;
        std::string why;
    };
    // A section property with a value of the wrong type, and one that does not belong.
    Bytes wrongType = {'T', 'P', 'F', '0'};
    AppendStr(wrongType, "TSection");
    AppendStr(wrongType, "");
    AppendStr(wrongType, "HeadWall");
    Append(wrongType, {0x02, 0x01, 0x00, 0x00});
    Bytes foreign = SectionStream({}, {{"THeadwall", "Headwall"}});
    const std::string index("\x05Index", 6);
    auto at = std::search(foreign.begin(), foreign.end(), index.begin(), index.end());
    const Bytes support = {4, 'D', 'a', 't', 'a'};
    foreign.insert(at + 8, support.begin(), support.end()); // "Data" in the section
    const std::vector<Case> cases = {
        {SectionStream({{"HeadWall", "Anchorwall"}}, {{"TAnchorwall", "Anchorwall"}}),
         "Section 9: HeadWall names \"Anchorwall\", which is not a head wall of the section"},
        {SectionStream({{"HeadWall", "Nowall"}}, {{"THeadwall", "Headwall"}}),
         "Section 9: HeadWall names \"Nowall\", which is not a head wall of the section"},
        {SectionStream({{"AnchorWall", "Headwall"}}, {{"THeadwall", "Headwall"}}),
         "Section 9: AnchorWall names \"Headwall\", which is not an anchor wall of the section"},
        {SectionStream({}, {{"THeadwall", "Headwall"}}), "Section 9: the reference HeadWall to its head wall is missing"},
        {SectionStream({{"HeadWall", "Headwall"}}, {{"THeadwall", "Headwall"}, {"TAnchorwall", "Anchorwall"}}),
         "Section 9: the reference AnchorWall to its anchor wall is missing"},
        {SectionStream({{"HeadWall", "Headwall"}}, {{"THeadwall", "Headwall"}, {"THeadwall", "Second"}}),
         "Section 9 holds two head walls"},
        {SectionStream({{"HeadWall", "Wall"}}, {{"THeadwall", "Wall"}, {"TAnchorwall", "Wall"}}),
         "Section 9 holds two walls named Wall"},
        {SectionStream({}, {{"TWall", "Wall"}}), "Section 9: unknown wall class TWall"},
        {SectionStream({}, {{"TSection", ""}}), "Section 9: unknown wall class TSection"},
        {SectionStream({}, {{"TSomething", "X"}}), "Section 9: unknown wall class TSomething"},
        // A section always holds at least one wall.
        {SectionStream({{"HeadWall", "Nowall"}}, {}),
         "Section 9: HeadWall names \"Nowall\", which is not a head wall of the section"},
        {SectionStream({{"AnchorWall", "Anchorwall"}}, {}),
         "Section 9: AnchorWall names \"Anchorwall\", which is not an anchor wall of the section"},
        {SectionStream({}, {}), "Section 9 holds no wall"},
        {wrongType, "Error reading TSection.HeadWall: Invalid property value"},
        {foreign, "Section 9: Error reading TSection.Data: Property Data does not exist"},
    };
    for (const Case& c : cases) {
        Bytes file = c.stream;
        file.insert(file.begin(), header.begin(), header.end());
        TProjectOwner owner;
        TProject back{&owner};
        try {
            ReadProjectBytes(file, back, "odd.spc");
            ADD_FAILURE() << "no error: " << c.why;
        } catch (const sps::Exception& e) {
            EXPECT_EQ(e.Message(), "Invalid project file odd.spc\n" + c.why);
        }
        EXPECT_EQ(owner.ComponentCount(), 0) << c.why;
    }

    // The well-formed variant of the same streams is read.
    Bytes file = SectionStream({{"HeadWall", "Headwall"}, {"AnchorWall", "Anchorwall"}},
                               {{"THeadwall", "Headwall"}, {"TAnchorwall", "Anchorwall"}});
    file.insert(file.begin(), header.begin(), header.end());
    TProjectOwner owner;
    TProject back{&owner};
    ReadProjectBytes(file, back, "ok.spc");
    ASSERT_EQ(owner.ComponentCount(), 1);
}

TEST(ProjectFileTest, AWallTooManyIsRefusedBeforeItIsRead)
{
    // A third child is refused on its class and name alone: what follows it
    // (here nothing, in a crafted file thousands more) is never read.
    Bytes file = SectionStream({{"HeadWall", "Headwall"}, {"AnchorWall", "Anchorwall"}},
                               {{"THeadwall", "Headwall"}, {"TAnchorwall", "Anchorwall"}});
    file.pop_back();
    const Bytes header = {6, 0, 6, 0, 6, 0};
    file.insert(file.begin(), header.begin(), header.end());
    const struct {
        std::string cls, name, message;
    } cases[] = {
        {"THeadwall", "Third", "Section 9 holds two head walls"},
        {"TAnchorwall", "Third", "Section 9 holds two anchor walls"},
        {"TWall", "Wall", "Section 9: unknown wall class TWall"},
    };
    for (const auto& c : cases) {
        Bytes cut = file;
        AppendStr(cut, c.cls);
        AppendStr(cut, c.name);
        TProjectOwner owner;
        TProject back{&owner};
        try {
            ReadProjectBytes(cut, back, "many.spc");
            ADD_FAILURE() << "no error";
        } catch (const sps::Exception& e) {
            EXPECT_EQ(e.Message(), "Invalid project file many.spc\n" + c.message);
        }
        EXPECT_EQ(owner.ComponentCount(), 0);
    }
}

TEST(ProjectFileTest, WrongSignatureAndTrailingBytesAreRefused)
{
    TProjectOwner source;
    TProject p{&source};
    BuildRichProject(p);
    Bytes good = WriteProjectBytes(p);
    const std::vector<size_t> ends = Boundaries(p);

    Bytes bad = good;
    bad[ends[1] + 3] = '1'; // "TPF1" at the start of the second section
    TProjectOwner owner;
    TProject back{&owner};
    EXPECT_THROW(ReadProjectBytes(bad, back, "sig.spc"), sps::Exception);
    EXPECT_EQ(owner.ComponentCount(), 1);

    bad = good;
    bad.push_back(0);
    TProjectOwner owner2;
    TProject back2{&owner2};
    EXPECT_THROW(ReadProjectBytes(bad, back2, "tail.spc"), sps::Exception);
    EXPECT_EQ(owner2.ComponentCount(), 3);
}

// A file of one section whose head wall stores these five counts, each
// followed by its records when `records` is set.
Bytes WallWithCounts(const std::array<int32_t, 5>& counts, bool records)
{
    const size_t recordBytes[5] = {56, 56, 12, 16, 16};
    sps::ByteWriter data;
    sps::TWriter writer(data);
    data.Write(Bytes(88, 0).data(), 88);
    for (int i = 0; i < 5; ++i) {
        writer.WriteInteger(counts[i]);
        if (records)
            data.Write(Bytes(static_cast<size_t>(counts[i]) * recordBytes[i], 0).data(),
                       static_cast<size_t>(counts[i]) * recordBytes[i]);
    }
    data.Write(Bytes(48 + 36, 0).data(), 48 + 36);

    Bytes b = {6, 0, 6, 0, 6, 0, 'T', 'P', 'F', '0'};
    AppendStr(b, "TSection");
    AppendStr(b, "");
    AppendStr(b, "HeadWall");
    b.push_back(0x07);
    AppendStr(b, "Headwall");
    AppendStr(b, "Index");
    Append(b, {0x02, 0x09, 0x00});
    AppendStr(b, "THeadwall");
    AppendStr(b, "Headwall");
    AppendStr(b, "Data");
    b.insert(b.end(), data.Bytes().begin(), data.Bytes().end());
    Append(b, {0x00, 0x00, 0x00});
    return b;
}

TEST(ProjectFileTest, RecordCountsAreBoundedAndAFileThatEndsEarlySaysSo)
{
    const std::string where = "Invalid project file counts.spc\nSection 9: Error reading Headwall.Data: ";
    const struct {
        std::array<int32_t, 5> counts;
        bool records;
        std::string error; // empty: the wall loads
    } cases[] = {
        {{10000, 10000, 10000, 10000, 5}, true, ""},
        {{10001, 0, 0, 0, 0}, true, "Invalid number of soil layers in front (10001)"},
        {{0, 10001, 0, 0, 0}, true, "Invalid number of soil layers behind (10001)"},
        {{0, 0, 10001, 0, 0}, true, "Invalid number of concentrated forces (10001)"},
        {{0, 0, 5000000, 0, 0}, false, "Invalid number of concentrated forces (5000000)"},
        {{0, 0, 0, 10001, 0}, true, "Invalid number of userdefined pressures (10001)"},
        {{0, 0, 0, 0, 6}, true, "Invalid number of Boussinesq strips (6)"},
        {{0, 0, 0, -1, 0}, false, "Invalid number of userdefined pressures (-1)"},
        // A valid count whose records are missing: the file ends early.
        {{3, 0, 0, 0, 0}, false, "Stream read error\nThe file ends early."},
    };
    for (const auto& c : cases) {
        Bytes file = WallWithCounts(c.counts, c.records);
        if (!c.records)
            file.resize(file.size() - (48 + 36 + 3)); // the counts are the last bytes
        TProjectOwner owner;
        TProject back{&owner};
        try {
            ReadProjectBytes(file, back, "counts.spc");
            EXPECT_EQ(c.error, "") << "no error";
            THeadwall* wall = ProjectSections(&owner).at(0)->HeadWall;
            EXPECT_EQ(wall->FrontLayers.size(), 10000u);
            EXPECT_EQ(wall->Bousqs.size(), 5u);
            EXPECT_EQ(WriteProjectBytes(back), file);
        } catch (const sps::Exception& e) {
            EXPECT_EQ(e.Message(), where + c.error);
        }
    }

    // What could not be read back is not written either.
    TProjectOwner owner;
    TProject p{&owner};
    auto* s = new TSection(&owner);
    s->CreateHeadwall()->Forces.resize(10001);
    try {
        WriteProjectBytes(p);
        ADD_FAILURE() << "no error";
    } catch (const sps::Exception& e) {
        EXPECT_EQ(e.Message(), "Invalid number of concentrated forces (10001)");
    }
}

TEST_F(ProjectDiskTest, AProjectTooLargeToOpenAgainIsNotSaved)
{
    const std::string file = Path("quay.spc");
    const Bytes before = SaveFirst(file);
    p_.Comment.assign((kMaxProjectFileMegabytes << 20) + 1, 'c');
    try {
        SaveProject(file, p_);
        ADD_FAILURE() << "no error";
    } catch (const sps::Exception& e) {
        EXPECT_EQ(e.Message(), "Cannot write file \"" + file + "\". The project is larger than 64 MB.");
    }
    EXPECT_EQ(sps::ReadFileBytes(file), before);
}

// Runs `work` (a save) in a child process whose writes of a file past `limit`
// bytes end it: the kernel kills it (SIGXFSZ), or, given `whileStopped`, it
// stops there once, `whileStopped` runs, and it goes on (its save failing).
// True when the child was killed or stopped.
bool SaveInChild(rlim_t limit, const std::function<void()>& work, const std::function<void()>& whileStopped = {})
{
    pid_t child = ::fork();
    if (child == 0) {
        if (whileStopped) {
            std::signal(SIGXFSZ, [](int) {
                static bool stopped = false;
                if (!stopped) {
                    stopped = true;
                    ::raise(SIGSTOP);
                }
            });
        } else {
            std::signal(SIGXFSZ, SIG_DFL);
        }
        rlimit none{0, 0};
        ::setrlimit(RLIMIT_CORE, &none);
        rlimit size{};
        ::getrlimit(RLIMIT_FSIZE, &size);
        size.rlim_cur = limit;
        ::setrlimit(RLIMIT_FSIZE, &size);
        try {
            work();
        } catch (const sps::Exception&) {
            std::_Exit(whileStopped ? 0 : 3);
        }
        std::_Exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, WUNTRACED);
    if (WIFSTOPPED(status)) {
        whileStopped();
        ::kill(child, SIGCONT);
        ::waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
        return true;
    }
    EXPECT_TRUE((WIFSIGNALED(status) && WTERMSIG(status) == SIGXFSZ) || (WIFEXITED(status) && WEXITSTATUS(status) == 0))
        << status;
    return WIFSIGNALED(status);
}

TEST_F(ProjectDiskTest, AKillDuringASaveLeavesTheProjectAndItsBackupEachOneWholeVersion)
{
    const std::string file = Path("quay.spc");
    const std::string backup = Path("quay.bak");
    p_.Comment = "backup";
    const Bytes oldBackup = SaveFirst(backup);
    p_.Comment.assign(3000, 'o');
    const Bytes oldProject = WriteProjectBytes(p_);
    p_.Comment.assign(6000, 'n');
    const Bytes newProject = WriteProjectBytes(p_);

    // Killed while the backup is written, while the project is written, and not at all.
    int kills = 0;
    for (rlim_t limit = 1; limit < newProject.size() + 1000; limit += 700) {
        sps::WriteFileAtomic(file, oldProject);
        sps::WriteFileAtomic(backup, oldBackup);
        kills += SaveInChild(limit, [&] { SaveProjectWithBackup(file, p_, backup); });
        const Bytes project = sps::ReadFileBytes(file);
        const Bytes bak = sps::ReadFileBytes(backup);
        EXPECT_TRUE(project == oldProject || project == newProject) << limit;
        EXPECT_TRUE(bak == oldBackup || bak == oldProject) << limit;
        if (project == newProject) {
            EXPECT_EQ(bak, oldProject) << limit;
        }
        if (limit < oldProject.size()) {
            EXPECT_EQ(bak, oldBackup) << limit;
        } else if (limit < newProject.size()) {
            EXPECT_EQ(std::make_pair(project, bak), std::make_pair(oldProject, oldProject)) << limit;
        }
    }
    EXPECT_EQ(kills, static_cast<int>(newProject.size() / 700) + 1);
}

TEST_F(ProjectDiskTest, StaleTemporaryFilesGoAtTheNextSaveOrOpenAndNothingElse)
{
    const std::string file = Path("quay.spc");
    SaveFirst(file);
    p_.Comment.assign(5000, 'c');
    auto save = [&] { SaveProject(file, p_); };
    // Two saves killed while writing their temporary files, and one such file
    // of a save killed long ago.
    for (int i = 0; i < 2; ++i)
        EXPECT_TRUE(SaveInChild(1000, save));
    sps::WriteFileAtomic(Path("quay.spc.0123wxyz.tmp~"), Bytes{'s'});
    // Files that are not stale temporary files of this project.
    std::vector<std::string> kept = {
        "keep.txt", "other.spc.abcdefgh.tmp~", "quay.spc", "quay.spc.ABCDEFGH.tmp~", "quay.spc.abcdefg.tmp~",
        "quay.spc.hard0000.tmp~", "quay.spc.link0000.tmp~", "quay.spc.tmp~",
    };
    for (const char* name :
         {"keep.txt", "other.spc.abcdefgh.tmp~", "quay.spc.ABCDEFGH.tmp~", "quay.spc.abcdefg.tmp~", "quay.spc.tmp~"})
        sps::WriteFileAtomic(Path(name), Bytes{'k'});
    fs::create_hard_link(Path("keep.txt"), Path("quay.spc.hard0000.tmp~"));
    fs::create_symlink(Path("keep.txt"), Path("quay.spc.link0000.tmp~"));
    if (::geteuid() == 0) {
        // Another user's file.
        sps::WriteFileAtomic(Path("quay.spc.nobody00.tmp~"), Bytes{'n'});
        ASSERT_EQ(::chown(Path("quay.spc.nobody00.tmp~").c_str(), 65534, 65534), 0);
        kept.push_back("quay.spc.nobody00.tmp~");
        std::sort(kept.begin(), kept.end());
    }
    EXPECT_EQ(Listing(dir_).size(), kept.size() + 3);

    // A save that runs (stopped while it writes) keeps its file while this
    // process saves and opens the project; the stale ones go.
    EXPECT_TRUE(SaveInChild(1000, save, [&] {
        SaveProject(file, p_);
        TProjectOwner owner;
        TProject back{&owner};
        LoadProject(file, back);
        EXPECT_EQ(Listing(dir_).size(), kept.size() + 1);
    }));
    EXPECT_EQ(Listing(dir_), kept);

    // Opening the project clears away what a save killed since left.
    EXPECT_TRUE(SaveInChild(1000, save));
    EXPECT_EQ(Listing(dir_).size(), kept.size() + 1);
    TProjectOwner owner;
    TProject back{&owner};
    LoadProject(file, back);
    EXPECT_EQ(Listing(dir_), kept);
}

} // namespace
} // namespace wd
