// Finding a data file: the folder first, then the question and the open
// dialog until a file of the very name is chosen.
#include "calcframe/gui/datafile.h"
#include "platform/error.h"
#include "platform/gui/fakes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const char* kName = "WQ KX Data.daa";

cf::DataFileLookup Lookup(const QString& folder)
{
    cf::DataFileLookup l;
    l.folder = folder;
    l.fileName = QString::fromLatin1(kName);
    l.question = QStringLiteral("Unable to find the file.");
    l.filter = QStringLiteral("Data files only (*.daa)|*.daa");
    return l;
}

void Touch(const QString& path)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("x");
}

TEST(DataFile, FoundInTheFolderWithoutAnyDialog)
{
    sps::FakePlatform platform;
    QTemporaryDir dir;
    Touch(dir.filePath(kName));
    auto path = cf::FindDataFile(Lookup(dir.path()));
    ASSERT_TRUE(path);
    EXPECT_EQ(*path, dir.filePath(kName));
    EXPECT_TRUE(platform.messages->calls.empty());
    EXPECT_TRUE(platform.files->calls.empty());
}

TEST(DataFile, BrowsingAsksAgainUntilTheNameFits)
{
    sps::FakePlatform platform;
    QTemporaryDir work, other;
    Touch(other.filePath(QStringLiteral("other.daa")));
    Touch(other.filePath(QStringLiteral("wq kx data.daa")));
    Touch(other.filePath(kName));
    platform.messages->answers = {sps::TMsgResult::Yes, sps::TMsgResult::Yes, sps::TMsgResult::Yes};
    platform.files->answers = {other.filePath(QStringLiteral("other.daa")).toStdString(),
                               other.filePath(QStringLiteral("wq kx data.daa")).toStdString(),
                               other.filePath(kName).toStdString()};
    auto path = cf::FindDataFile(Lookup(work.path()));
    ASSERT_TRUE(path);
    EXPECT_EQ(*path, other.filePath(kName));
    ASSERT_EQ(platform.messages->calls.size(), 3u);
    EXPECT_EQ(platform.messages->calls[0].kind, sps::TMsgKind::Error);
    EXPECT_EQ(platform.messages->calls[0].buttons, sps::TMsgButtons::YesNo);
    ASSERT_EQ(platform.files->calls.size(), 3u);
    const sps::TFileDialogParams& p = platform.files->calls[0].params;
    EXPECT_FALSE(platform.files->calls[0].save);
    EXPECT_EQ(p.initialDir, work.path().toStdString());
    EXPECT_EQ(p.fileName, kName);
    EXPECT_EQ(p.filter, "Data files only (*.daa)|*.daa");
}

TEST(DataFile, NoOrCancelEndsTheSearch)
{
    sps::FakePlatform platform;
    QTemporaryDir work;
    platform.messages->answers = {sps::TMsgResult::No};
    EXPECT_FALSE(cf::FindDataFile(Lookup(work.path())));
    EXPECT_TRUE(platform.files->calls.empty());

    platform.messages->answers = {sps::TMsgResult::Yes};
    EXPECT_FALSE(cf::FindDataFile(Lookup(work.path()))); // the dialog is cancelled
    EXPECT_EQ(platform.files->calls.size(), 1u);
}

TEST(DataFile, AFolderOfTheNameIsNoFile)
{
    sps::FakePlatform platform;
    QTemporaryDir work;
    ASSERT_TRUE(QDir(work.path()).mkdir(kName));
    platform.messages->answers = {sps::TMsgResult::No};
    EXPECT_FALSE(cf::FindDataFile(Lookup(work.path())));
    EXPECT_EQ(platform.messages->calls.size(), 1u);
}

TEST(DataFile, ReadWholeFileRaisesForAMissingFile)
{
    QTemporaryDir work;
    EXPECT_THROW(cf::ReadWholeFile(work.filePath(QStringLiteral("none"))), sps::Exception);
    Touch(work.filePath(QStringLiteral("one")));
    EXPECT_EQ(cf::ReadWholeFile(work.filePath(QStringLiteral("one"))), QByteArray("x"));
}

} // namespace
