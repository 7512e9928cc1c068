#include "calcframe/reporttext.h"

#include "platform/bytes.h"
#include "platform/error.h"
#include "platform/process.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

TEST(TextReportHead, TheVersionLineFillsWhatTheTitleLeavesOfFiftyColumns)
{
    const std::string version = "Beta Version 1.0.3,  October 2004";
    EXPECT_EQ(cf::ReportHeadLine(" Rovandel.   ", version), " Rovandel.   Beta Version 1.0.3,  October 2004    ");
    EXPECT_EQ(cf::ReportHeadLine(" WQ KX Kestrane.   ", version), " WQ KX Kestrane.   Beta Version 1.0.3,  October 20");
    EXPECT_EQ(cf::ReportHeadLine(std::string(60, 't'), version), std::string(60, 't'));
}

// An old report that a failed write must leave as it was: the file and, in
// the folder, nothing else.
class TextReportFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir_ = fs::path(::testing::TempDir()) / ("textreport-" + std::to_string(::getpid()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        old_ = Path("report.txt");
        cf::WriteTextLines(old_, {"old report"});
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string Path(const char* name) const { return (dir_ / name).string(); }
    bool OldReportAlone() const
    {
        size_t files = 0;
        for ([[maybe_unused]] const auto& entry : fs::directory_iterator(dir_))
            ++files;
        const std::vector<uint8_t> bytes = sps::ReadFileBytes(old_);
        return std::string(bytes.begin(), bytes.end()) == "old report\n" && files == extraFiles_ + 1;
    }

    fs::path dir_;
    std::string old_;
    size_t extraFiles_ = 0;
};

TEST_F(TextReportFile, AFullDiskKeepsTheOldReport)
{
    const std::vector<std::string> big(2000, std::string(72, 'x'));
    auto writeOverTheLimit = [&] {
        sps::PrepareProcess();
        rlimit limit{};
        ::getrlimit(RLIMIT_FSIZE, &limit);
        limit.rlim_cur = 10000;
        ::setrlimit(RLIMIT_FSIZE, &limit);
        try {
            cf::WriteTextLines(old_, big);
            return false;
        } catch (const sps::Exception& e) {
            std::fprintf(stderr, "%s\n", e.Message().c_str());
            return e.Message() == "Cannot write file \"" + old_ + "\". File too large" && OldReportAlone();
        }
    };
    EXPECT_EXIT(std::_Exit(writeOverTheLimit() ? 0 : 1), ::testing::ExitedWithCode(0), "File too large");
}

TEST_F(TextReportFile, AFifoIsRefusedAtOnce)
{
    const std::string fifo = Path("pipe.txt");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    extraFiles_ = 1;
    auto refused = [&] {
        ::alarm(20); // a FIFO opened for writing without a reader blocks for ever
        try {
            cf::WriteTextLines(fifo, {"report"});
            return false;
        } catch (const sps::Exception& e) {
            std::fprintf(stderr, "%s\n", e.Message().c_str());
            struct stat st {};
            return e.Message() == "Cannot write file \"" + fifo + "\". It is not a regular file." &&
                   ::lstat(fifo.c_str(), &st) == 0 && S_ISFIFO(st.st_mode) && OldReportAlone();
        }
    };
    EXPECT_EXIT(std::_Exit(refused() ? 0 : 1), ::testing::ExitedWithCode(0), "not a regular file");
}

} // namespace
