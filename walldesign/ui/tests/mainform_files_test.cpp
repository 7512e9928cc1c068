// The main window with large projects and with project files that another
// program changes: the tree is built and cleared at once, a save asks before
// it replaces a changed file.
#include "walldesign/ui/tests/tavelond_fixture.h"

#include "platform/bytes.h"
#include "platform/error.h"

#include <QAbstractItemModel>
#include <QFile>
#include <QMdiArea>
#include <QStatusBar>

#include <fcntl.h>
#include <sys/stat.h>

#include <tuple>

namespace wdtest {
namespace {

using sps::TMsgResult;

std::vector<uint8_t> Bytes(const QString& path) { return sps::ReadFileBytes(path.toStdString()); }

// The example's section `count` times as a project file.
QString ManySections(const Tavelond& t, int count)
{
    std::vector<uint8_t> example = Bytes(Tavelond::ExamplePath());
    TProjectOwner owner;
    TProject project(&owner);
    for (int i = 1; i <= count; i++) {
        ReadProjectBytes(example, project, kExample);
        ProjectSections(&owner).back()->Index = i;
    }
    SaveProject(t.Path("many.spc").toStdString(), project);
    return t.Path("many.spc");
}

TEST(MainForm, TheTreeIsBuiltInOneInsertionAndClearedInOneReset)
{
    Tavelond t;
    TMainForm& f = *t.form;
    const std::string many = ManySections(t, 30).toStdString();
    QAbstractItemModel* model = f.TreeView->model();
    int inserted = 0;
    int removed = 0;
    int resets = 0;
    QObject::connect(model, &QAbstractItemModel::rowsAboutToBeInserted, [&](const QModelIndex& parent) {
        inserted += parent.isValid() ? 100 : 1;
    });
    QObject::connect(model, &QAbstractItemModel::rowsAboutToBeRemoved, [&] { removed++; });
    QObject::connect(model, &QAbstractItemModel::modelAboutToBeReset, [&] { resets++; });

    f.OpenProject(many);
    EXPECT_EQ(std::make_tuple(inserted, removed, resets), std::make_tuple(1, 0, 1));
    ASSERT_EQ(f.TreeView->topLevelItemCount(), 30);
    // Every node with children is expanded; each section as a new one is.
    int expanded = 0;
    std::function<void(QTreeWidgetItem*)> walk = [&](QTreeWidgetItem* node) {
        EXPECT_EQ(node->isExpanded(), node->childCount() > 0);
        expanded += node->isExpanded();
        for (int i = 0; i < node->childCount(); i++)
            walk(node->child(i));
    };
    for (int i = 0; i < 30; i++)
        walk(f.TreeView->topLevelItem(i));
    EXPECT_EQ(expanded, 30 * 7);
    EXPECT_EQ(t.Node({"Section 30", "Anchorwall", "Results", "Diagram"})->childCount(), 0);

    // File, New and opening another project free every section and its
    // windows in one reset of the tree.
    t.DoubleClick({"Section 30", "Headwall", "Results", "Table"});
    EXPECT_EQ(f.ClientArea->subWindowList().size(), 1);
    inserted = resets = 0;
    f.NewItemClick();
    EXPECT_EQ(std::make_tuple(inserted, removed, resets), std::make_tuple(0, 0, 1));
    EXPECT_TRUE(f.SectionList().empty());
    EXPECT_TRUE(f.ClientArea->subWindowList().isEmpty());
    f.OpenProject(many);
    f.OpenProject(Tavelond::ExamplePath().toStdString());
    EXPECT_EQ(std::make_tuple(inserted, removed, resets), std::make_tuple(2, 0, 3));
    EXPECT_EQ(f.SectionList().size(), 1u);
}

TEST(MainForm, SaveAsksBeforeReplacingAFileThatAnotherProgramChanged)
{
    Tavelond t;
    TMainForm& f = *t.form;
    const QString quay = t.Path("quay.spc");
    const std::string file = quay.toStdString();
    QFile::copy(Tavelond::ExamplePath(), quay);
    f.OpenProject(file);
    const std::string question =
        "The file " + file + " was changed by another program since it was opened. Overwrite it?";
    auto questions = [&t] {
        int n = 0;
        for (const auto& call : t.fake.messages->calls)
            n += call.caption == "Confirmation" && call.buttons == sps::TMsgButtons::YesNo;
        return n;
    };

    // A second instance saves the same project first.
    {
        std::unique_ptr<TMainForm> second =
            BuildMainWindow(TMainFormPaths{QDir::currentPath(), t.SettingsPath()}, nullptr);
        second->OpenProject(file);
        second->ProjectName = "Second";
        second->SaveItemClick();
        second->StartupFailed = true;
    }
    const std::vector<uint8_t> theirs = Bytes(quay);
    f.ProjectName = "First";
    f.Modified = true;
    t.fake.messages->answers = {TMsgResult::No};
    f.SaveItemClick();
    ASSERT_EQ(questions(), 1);
    EXPECT_EQ(t.fake.messages->calls.back().text, question);
    EXPECT_EQ(t.fake.messages->calls.back().kind, sps::TMsgKind::Question);
    EXPECT_EQ(Bytes(quay), theirs);
    EXPECT_TRUE(f.Modified);
    // Closing saves through the same question: No keeps the program open.
    f.show();
    t.fake.messages->answers = {TMsgResult::Yes, TMsgResult::No};
    EXPECT_FALSE(f.close());
    EXPECT_EQ(questions(), 2);
    t.fake.messages->answers = {TMsgResult::Yes};
    f.SaveItemClick();
    EXPECT_FALSE(f.Modified);
    EXPECT_NE(Bytes(quay), theirs);
    EXPECT_EQ(Bytes(t.Path("quay.bak")), theirs);
    f.SaveItemClick(); // its own version: no question
    EXPECT_EQ(questions(), 3);

    // Another program replaces the file (by one of the same size and time),
    // appends to it (keeping its time), or only touches it.
    auto setTime = [&file](int64_t seconds, int64_t nanoseconds) {
        timespec times[2] = {{0, UTIME_OMIT}, {static_cast<time_t>(seconds), static_cast<long>(nanoseconds)}};
        ASSERT_EQ(::utimensat(AT_FDCWD, file.c_str(), times, 0), 0);
    };
    using Change = std::function<void()>;
    const std::pair<const char*, Change> changes[] = {
        {"replaced", [&] {
             const sps::TFileStamp before = sps::FileStamp(file);
             sps::WriteFileAtomic(file, Bytes(quay));
             setTime(before.ModifiedSeconds, before.ModifiedNanoseconds);
         }},
        {"grown", [&] {
             const sps::TFileStamp before = sps::FileStamp(file);
             {
                 QFile out(quay);
                 ASSERT_TRUE(out.open(QIODevice::Append));
                 out.write("x");
             }
             setTime(before.ModifiedSeconds, before.ModifiedNanoseconds);
         }},
        {"touched", [&] {
             const sps::TFileStamp before = sps::FileStamp(file);
             setTime(before.ModifiedSeconds - 1, before.ModifiedNanoseconds);
         }},
    };
    for (const auto& [how, change] : changes) {
        change();
        const std::vector<uint8_t> changed = Bytes(quay);
        const sps::TFileStamp stamp = sps::FileStamp(file);
        const int asked = questions();
        f.Modified = true;
        t.fake.messages->answers = {TMsgResult::No};
        f.SaveItemClick();
        EXPECT_EQ(questions(), asked + 1) << how;
        EXPECT_EQ(sps::FileStamp(file), stamp) << how;
        EXPECT_TRUE(f.Modified) << how;
        t.fake.messages->answers = {TMsgResult::Yes};
        f.SaveItemClick();
        EXPECT_EQ(questions(), asked + 2) << how;
        EXPECT_NE(sps::FileStamp(file), stamp) << how;
        EXPECT_EQ(Bytes(t.Path("quay.bak")), changed) << how;
        EXPECT_FALSE(f.Modified) << how;
    }

    // Auto-save writes its copy without asking while it is the one this
    // instance wrote last, and asks once another program has changed it.
    const int asked = questions();
    f.Modified = true;
    f.TimerTimer();
    EXPECT_EQ(questions(), asked);
    EXPECT_EQ(f.StatusText(), "File auto-saved");
    const QString copy = QString::fromStdString(f.AutoSaveFileName());
    const std::vector<uint8_t> empty = {6, 0, 6, 0, 6, 0};
    sps::WriteFileAtomic(copy.toStdString(), empty);
    f.statusBar()->clearMessage();
    t.fake.messages->answers = {TMsgResult::No};
    f.TimerTimer();
    EXPECT_EQ(questions(), asked + 1);
    EXPECT_EQ(t.fake.messages->calls.back().text,
              "The file " + copy.toStdString() + " was changed by another program since it was opened. Overwrite it?");
    EXPECT_EQ(Bytes(copy), empty);
    EXPECT_EQ(f.StatusText(), "");
    t.fake.messages->answers = {TMsgResult::Yes};
    f.TimerTimer();
    EXPECT_EQ(Bytes(copy), Bytes(quay));
    EXPECT_TRUE(t.ErrorTexts().empty());
}

} // namespace
} // namespace wdtest
