// Tavelond's main window: the project tree of sections and walls beside the
// MDI area of result windows, the menus and tool bar with every command, the
// settings file, auto-save, printing of a wall's report and the help window.
#pragma once

#include "platform/bytes.h"
#include "walldesign/files/settings.h"
#include "walldesign/ui/helpwindow.h"

#include <QIcon>
#include <QMainWindow>
#include <QPointer>
#include <QString>

#include <map>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QActionGroup;
class QMdiArea;
class QMenu;
class QSplitter;
class QToolBar;
class QTreeWidget;
class QTreeWidgetItem;

namespace sps {
class ITimer;
class TComponent;
}

namespace wd {

class TAboutForm;
class TInfoForm;
class TInputForm;
class TPrintForm;
class TProjectOwner;
class TSection;
class TSettingsForm;
class TWall;

// Where the main window finds its files.
struct TMainFormPaths {
    QString programDir;   // the catalogue files, the help file, the open dialog's folder
    QString settingsPath; // the settings file ("Tavelond.ini" beside the program)
};

// The paths of the running program.
TMainFormPaths ProgramPaths();

// Levels of the project tree.
enum TTreeLevel { tlSection = 0, tlWall = 1, tlGroup = 2, tlPage = 3 };

class TMainForm : public QMainWindow {
public:
    explicit TMainForm(const TMainFormPaths& paths, QWidget* parent = nullptr);
    ~TMainForm() override;

    // --- components -------------------------------------------------------
    QSplitter* Splitter;
    QTreeWidget* TreeView;
    QMdiArea* ClientArea;
    QToolBar* ToolBar;
    QAction* NewButton;
    QAction* OpenButton;
    QAction* SaveButton;
    QAction* PrintButton;
    QAction* BuildButton;
    QAction* RemoveButton;

    QMenu* FileMenu;
    QAction* NewItem;
    QAction* OpenItem;
    QAction* SaveItem;
    QAction* SaveAsItem;
    QAction* PrintItem;
    QAction* PrintSetupItem;
    QAction* CloseItem;
    QMenu* ProjectMenu;
    QAction* Project1;
    QAction* NewHeadwallItem;
    QAction* NewAnchorwallItem;
    QAction* AddAnchorwallItem;
    QAction* RemoveSectionItem;
    QAction* RemoveAnchorwallItem;
    QMenu* OptionsMenu;
    QAction* MetricItem;
    QAction* ImperialItem;
    QAction* SettingsItem;
    QAction* ProjectExplorerItem;
    QMenu* WindowMenu;
    QAction* CascadeItem;
    QAction* TileItem;
    QAction* ArrangeIconsItem;
    QAction* CloseallItem;
    QMenu* HelpMenu;
    QAction* ContentsItem;
    QAction* AboutItem;
    std::unique_ptr<sps::ITimer> Timer;

    // Dialogs created at start-up (owned by this window).
    TAboutForm* AboutForm = nullptr;
    TInfoForm* InfoForm = nullptr;
    TSettingsForm* SettingsForm = nullptr;
    TPrintForm* PrintForm = nullptr;
    // The wall input dialog that TWall::Edit shows.
    TInputForm* InputForm = nullptr;

    // --- project and settings ---------------------------------------------
    bool Modified = false;
    std::string FileName = kNoname;
    std::string ProjectName;
    std::string Comment;
    std::string Author;
    std::string DefaultAuthor;
    std::string Company;
    std::string DefaultCompany;
    bool AutoSave = false;
    bool MakeBackup = true;
    int AutoSavePeriod = kDefaultAutoSavePeriod;
    bool OpenLastFile = false;
    std::string BackupPath;
    bool CoverImage = false;

    // The component that owns the project's sections.
    sps::TComponent* Sections() const;
    std::vector<TSection*> SectionList() const;

    // --- start-up and close -------------------------------------------------
    // Reads the settings, may reopen the last project, sets the timer.
    void FormCreate();
    // The about box (the splash window), then the other dialogs; the input
    // dialog reads the catalogue files and raises when one cannot be read.
    void CreateAboutForm();
    void CreateDialogs();
    // Closes the help window and writes the settings file (unless start-up
    // failed: then nothing is written).
    void FormDestroy();
    bool StartupFailed = false;
    static void ShowErrorBox(const std::string& message);
    void ApplyUnitSystem();
    QString StatusText() const;

    // --- project tree ---------------------------------------------------------
    QTreeWidgetItem* NodeAtLevel(int level) const;
    TSection* SelectedSection() const;
    TWall* SelectedWall() const;
    int NextSectionNumber() const;
    QTreeWidgetItem* AddSectionNode(TSection* section);
    // The nodes of many sections, entered into the tree at once.
    std::vector<QTreeWidgetItem*> AddSectionNodes(const std::vector<TSection*>& sections);
    QTreeWidgetItem* AddWallNode(QTreeWidgetItem* sectionNode, TWall* wall);
    // Deletes a node; a section node frees its section.
    void DeleteNode(QTreeWidgetItem* node);
    // Frees every section and empties the tree.
    void ClearTree();
    void UpdateActions();
    // True when the project may be dropped: it is not modified, the user
    // discarded it, or it has just been saved.
    bool QuerySave();

    // --- commands --------------------------------------------------------------
    void NewItemClick();
    void OpenItemClick();
    void SaveItemClick();
    void SaveAsItemClick();
    void PrintItemClick();
    void PrintSetupItemClick();
    void CloseItemClick();
    void UnitItemClick(QAction* sender);
    void ProjectItemClick();
    void SettingsItemClick();
    void ProjectExplorerItemClick();
    void CascadeItemClick();
    void TileItemClick();
    void ArrangeIconsItemClick();
    void CloseallItemClick();
    void ContentsItemClick();
    void AboutItemClick();
    void NewWallItemClick(QAction* sender);
    void AddAnchorwallItemClick();
    void RemoveSectionItemClick();
    void RemoveAnchorwallItemClick();
    void TreeViewDblClick(QTreeWidgetItem* node);
    void TreeViewChange();
    void TimerTimer();
    void FileMenuClick();

    // Opens a project file as the Open command does, after its dialog.
    void OpenProject(const std::string& fileName);
    // The file of the auto-save copy of the current project.
    std::string AutoSaveFileName() const;
    THelpWindow* HelpWindow() const { return helpWindow_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateActions();
    void CreateMenus();
    void UpdateCaption();
    void ApplyTimer();
    void LoadProjectFile(const std::string& fileName);
    sps::TFileStamp SaveProjectFile(const std::string& fileName);
    // True when a save may replace `fileName`: it does not exist, or it is the
    // version this instance last read or wrote (or one it never saw), or the
    // user confirms replacing what another program changed.
    bool MayOverwrite(const std::string& fileName);
    void RememberFile(const std::string& fileName, const sps::TFileStamp& stamp);
    bool EditWall(TWall* wall, int page);
    void FillWindowMenu();
    void UpdateNodeImage(QTreeWidgetItem* node);
    // A wall's node with its groups and pages, outside the tree.
    QTreeWidgetItem* WallBranch(TWall* wall);
    // Expands the node and its descendants that have children.
    void ExpandBranch(QTreeWidgetItem* node);
    QTreeWidgetItem* NodeOf(const void* module) const;

    TMainFormPaths paths_;
    std::unique_ptr<TProjectOwner> project_;
    QPointer<THelpWindow> helpWindow_;
    std::vector<QAction*> windowListActions_;
    // The tree's images: closed and open nodes with children, nodes without.
    std::vector<QIcon> nodeImages_;
    bool formDestroyed_ = false;
    // The project's files (project, backup, auto-save copy) as this instance
    // last read or wrote them, by absolute path.
    std::map<std::string, sps::TFileStamp> diskFiles_;
};

} // namespace wd
