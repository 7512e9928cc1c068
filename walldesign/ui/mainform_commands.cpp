// The commands of the main window: files, auto-save, sections and walls,
// printing, units, settings, project info, windows and help.
#include "walldesign/ui/mainform.h"

#include "platform/commatext.h"
#include "platform/error.h"
#include "platform/gui/printdialog.h"
#include "platform/gui/services.h"
#include "walldesign/calc/calcmodule.h"
#include "walldesign/calc/units.h"
#include "walldesign/calc/wall.h"
#include "walldesign/files/project.h"
#include "walldesign/report/colors.h"
#include "walldesign/report/report.h"
#include "walldesign/ui/aboutform.h"
#include "walldesign/ui/helpwindow.h"
#include "walldesign/ui/infoform.h"
#include "walldesign/ui/modal.h"
#include "walldesign/ui/printform.h"
#include "walldesign/ui/resultforms.h"
#include "walldesign/ui/settingsform.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QStatusBar>
#include <QTreeWidget>

#include <memory>

namespace wd {

namespace {

constexpr const char* kProjectFilter = "Sheetpile Calculation|*.spc|All files|*.*";

QString Q(const std::string& s) { return QString::fromStdString(s); }

// The file name with its extension replaced (or added).
std::string ChangeFileExt(const std::string& fileName, const std::string& ext)
{
    size_t slash = fileName.find_last_of('/');
    size_t dot = fileName.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return fileName + ext;
    return fileName.substr(0, dot) + ext;
}

bool SameFile(const std::string& a, const std::string& b)
{
    QFileInfo fa(Q(a));
    QFileInfo fb(Q(b));
    if (fa.exists() && fb.exists())
        return fa.canonicalFilePath() == fb.canonicalFilePath();
    return QDir::cleanPath(fa.absoluteFilePath()) == QDir::cleanPath(fb.absoluteFilePath());
}

// The name under which a file's stamp is remembered.
std::string FileKey(const std::string& fileName)
{
    return QDir::cleanPath(QFileInfo(Q(fileName)).absoluteFilePath()).toStdString();
}

// Stops the auto-save timer for as long as it lives.
class TTimerPause {
public:
    explicit TTimerPause(sps::ITimer& timer) : timer_(timer), enabled_(timer.Enabled()) { timer_.SetEnabled(false); }
    ~TTimerPause() { timer_.SetEnabled(enabled_); }
    TTimerPause(const TTimerPause&) = delete;
    TTimerPause& operator=(const TTimerPause&) = delete;

private:
    sps::ITimer& timer_;
    bool enabled_;
};

// The report prints on the chosen device only while it lives.
class TDeviceUse {
public:
    TDeviceUse(TReport& report, sps::TPrinter* device) : report_(report) { report_.Printer->Device = device; }
    ~TDeviceUse() { report_.Printer->Device = nullptr; }
    TDeviceUse(const TDeviceUse&) = delete;
    TDeviceUse& operator=(const TDeviceUse&) = delete;

private:
    TReport& report_;
};

std::string NameOf(const TWall& wall)
{
    TSection* section = wall.Section();
    return wall.GetName() + " - " + (section ? section->GetName() : std::string());
}

} // namespace

// ---------------------------------------------------------------- saving and opening

bool TMainForm::QuerySave()
{
    if (!Modified)
        return true;
    sps::TMsgResult answer = sps::ShowMessageBox("Confirmation", "The project has modified.\nDo you want to save it ?",
                                                 sps::TMsgKind::Question, sps::TMsgButtons::YesNoCancel);
    switch (answer) {
    case sps::TMsgResult::Yes:
        // A failed save shows its error; the project stays.
        sps::RunGuarded([this] { SaveItemClick(); });
        return !Modified;
    case sps::TMsgResult::No:
        return true;
    default:
        return false;
    }
}

void TMainForm::NewItemClick()
{
    if (!QuerySave())
        return;
    ClearTree();
    diskFiles_.clear();
    ProjectName.clear();
    Comment.clear();
    Author = DefaultAuthor;
    Company = DefaultCompany;
    FileName = kNoname;
    Modified = false;
    UpdateCaption();
    UpdateActions();
}

void TMainForm::OpenItemClick()
{
    sps::TFileDialogParams params;
    params.title = "Open Project";
    params.filter = kProjectFilter;
    params.defaultExt = "spc";
    params.initialDir = paths_.programDir.toStdString();
    params.fileName = kNoname;
    std::string chosen = sps::OpenFileDialog(params);
    if (chosen.empty() || !QuerySave())
        return;
    OpenProject(chosen);
}

void TMainForm::OpenProject(const std::string& fileName)
{
    // No notice of the project before stays up, whatever the opening gives.
    statusBar()->clearMessage();
    FileName = fileName;
    UpdateCaption();
    ClearTree();
    diskFiles_.clear();
    Company = DefaultCompany;
    LoadProjectFile(fileName);
    statusBar()->showMessage(QStringLiteral("File loaded"));
    Modified = false;
}

void TMainForm::LoadProjectFile(const std::string& fileName)
{
    TProject project(project_.get(), Author, ProjectName, Comment);
    auto takeTexts = [this, &project] {
        Author = project.Author;
        ProjectName = project.Name;
        Comment = project.Comment;
    };
    // The tree takes the sections read at once, also when reading fails.
    std::vector<TSection*> read;
    try {
        RememberFile(fileName, LoadProject(fileName, project, [&read](TSection* section) { read.push_back(section); }));
    } catch (...) {
        AddSectionNodes(read);
        // The sections read stay; the project has no file any more, so that
        // a save cannot replace the file with the part that was read.
        takeTexts();
        FileName = kNoname;
        Modified = false;
        UpdateCaption();
        UpdateActions();
        throw;
    }
    AddSectionNodes(read);
    takeTexts();
    UpdateActions();
}

sps::TFileStamp TMainForm::SaveProjectFile(const std::string& fileName)
{
    return SaveProject(fileName, TProject(project_.get(), Author, ProjectName, Comment));
}

void TMainForm::RememberFile(const std::string& fileName, const sps::TFileStamp& stamp)
{
    diskFiles_[FileKey(fileName)] = stamp;
}

bool TMainForm::MayOverwrite(const std::string& fileName)
{
    sps::TFileStamp now = sps::FileStamp(fileName);
    auto known = diskFiles_.find(FileKey(fileName));
    if (!now.Exists || known == diskFiles_.end() || known->second == now)
        return true;
    return sps::ShowMessageBox("Confirmation",
                               "The file " + fileName +
                                   " was changed by another program since it was opened. Overwrite it?",
                               sps::TMsgKind::Question, sps::TMsgButtons::YesNo) == sps::TMsgResult::Yes;
}

void TMainForm::SaveItemClick()
{
    if (FileName == kNoname) {
        SaveAsItemClick();
        return;
    }
    TTimerPause pause(*Timer);
    // No keeps the project unsaved.
    if (!MayOverwrite(FileName))
        return;
    std::string backup = ChangeFileExt(FileName, ".bak");
    if (MakeBackup && !SameFile(backup, FileName)) {
        // The previous file goes to the backup as every file is written, so
        // that a complete backup exists at every moment.
        TSavedProject saved =
            SaveProjectWithBackup(FileName, TProject(project_.get(), Author, ProjectName, Comment), backup);
        if (saved.Backup.Exists)
            RememberFile(backup, saved.Backup);
        RememberFile(FileName, saved.Project);
    } else {
        RememberFile(FileName, SaveProjectFile(FileName));
    }
    statusBar()->showMessage(QStringLiteral("File saved"));
    Modified = false;
}

void TMainForm::SaveAsItemClick()
{
    TTimerPause pause(*Timer);
    sps::TFileDialogParams params;
    params.title = "Save Project";
    params.filter = kProjectFilter;
    params.defaultExt = "spc";
    params.fileName = FileName;
    if (FileName == kNoname)
        params.initialDir = QDir::homePath().toStdString();
    std::string chosen = sps::SaveFileDialog(params);
    if (chosen.empty())
        return;
    FileName = chosen;
    UpdateCaption();
    SaveItemClick();
}

std::string TMainForm::AutoSaveFileName() const
{
    QFileInfo project(Q(FileName));
    QString folder = BackupPath.empty() ? project.absolutePath() : Q(BackupPath);
    QString name = Q(ChangeFileExt(project.fileName().toStdString(), ".bak"));
    std::string target = QDir(folder).filePath(name).toStdString();
    // Never the project file itself (a project named *.bak).
    if (SameFile(target, FileName))
        target = FileName + ".bak";
    return target;
}

void TMainForm::TimerTimer()
{
    if (!Modified || FileName == kNoname)
        return;
    TTimerPause pause(*Timer);
    std::string target = AutoSaveFileName();
    bool saved = false;
    sps::RunGuarded([this, &target, &saved] {
        if (!MayOverwrite(target))
            return;
        RememberFile(target, SaveProjectFile(target));
        saved = true;
    });
    if (saved)
        statusBar()->showMessage(QStringLiteral("File auto-saved"));
}

void TMainForm::CloseItemClick() { close(); }

// ---------------------------------------------------------------- sections and walls

bool TMainForm::EditWall(TWall* wall, int page)
{
    CreateDialogs();
    return wall->Edit(page);
}

void TMainForm::NewWallItemClick(QAction* sender)
{
    auto section = std::make_unique<TSection>(nullptr);
    section->Index = NextSectionNumber();
    TWall* wall = sender == NewAnchorwallItem ? static_cast<TWall*>(section->CreateAnchorwall())
                                              : static_cast<TWall*>(section->CreateHeadwall());
    // Cancelled or failed: the section goes again.
    if (!EditWall(wall, 0))
        return;
    TSection* added = section.release();
    project_->InsertComponent(added);
    Modified = true;
    QTreeWidgetItem* node = AddSectionNode(added);
    TreeView->setCurrentItem(node);
    UpdateActions();
}

void TMainForm::AddAnchorwallItemClick()
{
    TSection* section = SelectedSection();
    if (!section)
        return;
    if (section->AnchorWall)
        sps::RaiseFmt("%s already has an anchorwall", section->GetName().c_str());
    if (!section->HeadWall || section->HeadWall->IsCantilever())
        sps::RaiseFmt("%s has no anchored headwall", section->GetName().c_str());
    std::unique_ptr<TWall> wall(section->CreateAnchorwall());
    if (!EditWall(wall.get(), 0))
        return;
    TWall* added = wall.release();
    Modified = true;
    QTreeWidgetItem* sectionNode = NodeOf(section);
    if (sectionNode)
        TreeView->setCurrentItem(AddWallNode(sectionNode, added));
    UpdateActions();
}

void TMainForm::RemoveSectionItemClick()
{
    QTreeWidgetItem* node = NodeAtLevel(tlSection);
    if (!node)
        return;
    DeleteNode(node);
    Modified = true;
    UpdateActions();
}

void TMainForm::RemoveAnchorwallItemClick()
{
    TSection* section = SelectedSection();
    if (!section || !section->AnchorWall || !section->HeadWall)
        return;
    TWall* wall = section->AnchorWall;
    delete NodeOf(static_cast<TCalculationModule*>(wall));
    delete wall;
    Modified = true;
    UpdateActions();
}

void TMainForm::TreeViewDblClick(QTreeWidgetItem* node)
{
    if (!node || !node->parent() || !node->parent()->parent() || !node->parent()->parent()->parent())
        return;
    TreeView->setCurrentItem(node);
    QTreeWidgetItem* group = node->parent();
    int groupIndex = group->parent()->indexOfChild(group);
    int index = group->indexOfChild(node);
    TWall* wall = SelectedWall();
    if (!wall)
        return;
    if (groupIndex == 0) {
        if (EditWall(wall, index)) {
            Modified = true;
            UpdateActions();
        }
        return;
    }
    statusBar()->clearMessage();
    if (index == 0)
        ShowResultTables(wall, ClientArea);
    else if (index == 1)
        ShowResultDiagrams(wall, ClientArea);
}

// ---------------------------------------------------------------- printing

void TMainForm::PrintItemClick()
{
    TWall* wall = SelectedWall();
    if (!wall)
        return;
    TReport* report = wall->GetReport();
    if (!report)
        sps::RaiseFmt("%s has no results to print: its last calculation failed", NameOf(*wall).c_str());

    CreateDialogs();
    std::vector<std::string> captions;
    std::vector<bool> printed;
    for (int i = 0; i < report->Paragraphs.Count(); i++) {
        captions.push_back(report->Paragraphs.Paragraph(i)->Caption);
        printed.push_back(report->Paragraphs.Paragraph(i)->Printed);
    }
    PrintForm->SetLines(captions, printed);
    PrintForm->setWindowTitle(Q("Print of " + NameOf(*wall)));
    if (ExecModal(*PrintForm) != QDialog::Accepted)
        return;
    for (int i = 0; i < report->Paragraphs.Count() && i < PrintForm->LineCount(); i++)
        report->Paragraphs.Paragraph(i)->Printed = PrintForm->Checked(i);

    std::string title = ProjectName + " - " + NameOf(*wall);
    sps::TPrintDialogParams params;
    // An untitled project's document is named after the wall alone.
    params.documentName = ProjectName.empty() ? NameOf(*wall) : title;
    std::unique_ptr<sps::TPrinter> printer = sps::ExecutePrintDialog(this, params);
    if (!printer)
        return;
    TDeviceUse use(*report, printer.get());
    report->Title = title;
    report->Footnote = "Tavelond";
    if (report->Paragraphs.Count() > 0) {
        TParagraph* cover = report->Paragraphs.Paragraph(0);
        if (CoverImage && AboutForm && cover->Objects.Count() > 0)
            if (auto* picture = dynamic_cast<TGraphicContainer*>(cover->Objects.ReportObject(0))) {
                picture->SetOwnedGraphic(nullptr);
                picture->Graphic = const_cast<sps::TBitmap*>(&AboutForm->Picture());
                picture->OwnsGraphic = false;
                picture->MarginPercent = 10;
            }
        if (cover->Objects.Count() > 1)
            if (auto* table = dynamic_cast<TTable*>(cover->Objects.ReportObject(1))) {
                // The report builds the cover table empty: these rows replace
                // those of an earlier print.
                table->Lines = false;
                table->Rows = {
                    sps::JoinQuotedCommaText({"Project Name:", ProjectName}),
                    sps::JoinQuotedCommaText({"Date:", printer->ShortDate()}),
                    sps::JoinQuotedCommaText({"Author:", Author}),
                    sps::JoinQuotedCommaText({"Company:", Company}),
                    sps::JoinQuotedCommaText({"Comment:", Comment}),
                };
            }
    }
    report->Print();
}

void TMainForm::PrintSetupItemClick() { sps::ExecutePrinterSetup(this); }

// ---------------------------------------------------------------- units, project, settings

void TMainForm::UnitItemClick(QAction* sender)
{
    UnitSystem = sender == MetricItem ? kMetric : kImperial;
    ApplyUnitSystem();
}

void TMainForm::ProjectItemClick()
{
    CreateDialogs();
    InfoForm->Edit1->setText(Q(ProjectName));
    InfoForm->Edit2->setText(Q(Author));
    InfoForm->SetComment(Q(Comment));
    if (ExecModal(*InfoForm) != QDialog::Accepted)
        return;
    ProjectName = InfoForm->Edit1->text().toStdString();
    Author = InfoForm->Edit2->text().toStdString();
    Comment = InfoForm->Comment().toStdString();
    Modified = true;
}

void TMainForm::SettingsItemClick()
{
    CreateDialogs();
    TSettingsForm& f = *SettingsForm;
    f.CheckBox1->setChecked(MakeBackup);
    f.CheckBox2->setChecked(AutoSave);
    f.Edit1->setText(QString::number(AutoSavePeriod));
    f.SetBackupPath(Q(BackupPath));
    f.CheckBox3->setChecked(OpenLastFile);
    f.SetUnitIndex(UnitSystem == kMetric ? 0 : 1);
    f.Edit2->setText(Q(DefaultCompany));
    f.Edit3->setText(Q(DefaultAuthor));
    TColorPanel* panels[8] = {f.Panel1, f.Panel2, f.Panel3, f.Panel4, f.Panel5, f.Panel6, f.Panel7, f.Panel8};
    TDrawingColors& colors = DrawingColors();
    for (int i = 0; i < 8; i++)
        panels[i]->SetColor(colors.*kDrawingColorKeys[i].Field);
    if (ExecModal(f) != QDialog::Accepted)
        return;

    MakeBackup = f.CheckBox1->isChecked();
    AutoSave = f.CheckBox2->isChecked();
    AutoSavePeriod = AutoSavePeriodFromText(f.Edit1->text().toStdString());
    BackupPath = f.BackupPath().toStdString();
    OpenLastFile = f.CheckBox3->isChecked();
    DefaultCompany = f.Edit2->text().toStdString();
    DefaultAuthor = f.Edit3->text().toStdString();
    for (int i = 0; i < 8; i++)
        colors.*kDrawingColorKeys[i].Field = panels[i]->Color();
    ApplyTimer();
    UnitSystem = f.UnitIndex() == 0 ? kMetric : kImperial;
    ApplyUnitSystem();
}

// ---------------------------------------------------------------- windows and help

void TMainForm::ProjectExplorerItemClick()
{
    bool visible = !TreeView->isVisibleTo(this);
    ProjectExplorerItem->setChecked(visible);
    TreeView->setVisible(visible);
}

void TMainForm::CascadeItemClick() { ClientArea->cascadeSubWindows(); }

void TMainForm::TileItemClick() { ClientArea->tileSubWindows(); }

void TMainForm::ArrangeIconsItemClick()
{
    // The minimised windows in a row along the bottom of the area.
    int x = 0;
    int bottom = ClientArea->viewport()->height();
    for (QMdiSubWindow* window : ClientArea->subWindowList()) {
        if (!window->isMinimized())
            continue;
        QSize size = window->size();
        if (x > 0 && x + size.width() > ClientArea->viewport()->width())
            x = 0, bottom -= size.height();
        window->move(x, bottom - size.height());
        x += size.width();
    }
}

void TMainForm::CloseallItemClick()
{
    QList<QMdiSubWindow*> windows = ClientArea->subWindowList();
    for (auto it = windows.rbegin(); it != windows.rend(); ++it)
        (*it)->close();
}

void TMainForm::ContentsItemClick()
{
    if (!helpWindow_) {
        helpWindow_ = new THelpWindow;
        // Beside the project tree, over the result windows.
        QRect frame = frameGeometry();
        helpWindow_->move(frame.right() - helpWindow_->width() - 40, frame.top() + 80);
    }
    helpWindow_->ShowContents(QDir(paths_.programDir).filePath(QString::fromLatin1(kHelpFile)));
    helpWindow_->show();
    helpWindow_->raise();
    helpWindow_->activateWindow();
}

void TMainForm::AboutItemClick()
{
    CreateAboutForm();
    ExecModal(*AboutForm);
}

} // namespace wd
