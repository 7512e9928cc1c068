// The main window's components, start-up and close, settings and the
// project tree. The commands are in mainform_commands.cpp.
#include "walldesign/ui/mainform.h"

#include "platform/error.h"
#include "platform/gui/services.h"
#include "platform/inifile.h"
#include "walldesign/calc/calcmodule.h"
#include "walldesign/calc/units.h"
#include "walldesign/calc/wall.h"
#include "walldesign/files/project.h"
#include "walldesign/report/colors.h"
#include "walldesign/ui/aboutform.h"
#include "walldesign/ui/helpwindow.h"
#include "walldesign/ui/infoform.h"
#include "walldesign/ui/inputform.h"
#include "walldesign/ui/printform.h"
#include "walldesign/ui/settingsform.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPainter>
#include <QPainterPath>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QTreeWidget>

#include <algorithm>
#include <exception>
#include <functional>

namespace wd {

namespace {

const char* const kInputPages[6] = {"Geodata",    "Soil Layers", "Concentrated Forces", "Userdefined Pressures",
                                    "Boussinesq", "Sheet Pile section"};
const char* const kResultPages[2] = {"Table", "Diagram"};

QString Q(const std::string& s) { return QString::fromStdString(s); }

// Runs a handler behind the one guard of every GUI handler.
template <class F> auto Guarded(F f)
{
    return [f] { sps::RunGuarded(f); };
}

// The tool bar pictures, drawn rather than loaded.
enum class TToolIcon { Program, New, Open, Save, Print, Build, Remove };

QIcon ToolIcon(TToolIcon kind)
{
    QPixmap pixmap(24, 24);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QPen outline(QColor(60, 60, 60), 1.2);
    auto page = [&p, &outline] {
        QPainterPath path;
        path.moveTo(5, 2.5);
        path.lineTo(14, 2.5);
        path.lineTo(19.5, 8);
        path.lineTo(19.5, 21.5);
        path.lineTo(5, 21.5);
        path.closeSubpath();
        p.setPen(outline);
        p.setBrush(Qt::white);
        p.drawPath(path);
        p.drawLine(QPointF(14, 2.5), QPointF(14, 8));
        p.drawLine(QPointF(14, 8), QPointF(19.5, 8));
    };
    auto sheetPile = [&p](QColor color) {
        QPainterPath path;
        path.moveTo(2, 16);
        path.lineTo(5, 16);
        path.lineTo(8, 8);
        path.lineTo(12, 8);
        path.lineTo(15, 16);
        path.lineTo(18, 16);
        p.setPen(QPen(color, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(path);
    };
    switch (kind) {
    case TToolIcon::Program:
        p.fillRect(QRectF(1, 12, 22, 11), QColor(150, 110, 50));
        sheetPile(QColor(50, 80, 160));
        break;
    case TToolIcon::New:
        page();
        break;
    case TToolIcon::Open: {
        p.setPen(outline);
        p.setBrush(QColor(232, 190, 80));
        p.drawRect(QRectF(2.5, 6.5, 17, 13));
        p.drawRect(QRectF(2.5, 4.5, 7, 2));
        p.setBrush(QColor(250, 216, 120));
        QPolygonF front;
        front << QPointF(5, 10.5) << QPointF(22, 10.5) << QPointF(19.5, 19.5) << QPointF(2.5, 19.5);
        p.drawPolygon(front);
        break;
    }
    case TToolIcon::Save:
        p.setPen(outline);
        p.setBrush(QColor(70, 110, 190));
        p.drawRoundedRect(QRectF(3.5, 3.5, 17, 17), 1.5, 1.5);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(7, 4, 10, 6));
        p.setBrush(QColor(200, 200, 200));
        p.drawRect(QRectF(7, 14, 10, 6));
        break;
    case TToolIcon::Print:
        p.setPen(outline);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(7, 3.5, 10, 7));
        p.setBrush(QColor(170, 170, 170));
        p.drawRoundedRect(QRectF(3, 9.5, 18, 8), 1.5, 1.5);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(7, 14.5, 10, 6));
        break;
    case TToolIcon::Build:
        sheetPile(QColor(50, 80, 160));
        p.setPen(QPen(QColor(30, 140, 40), 2.4));
        p.drawLine(QPointF(18, 2.5), QPointF(18, 10.5));
        p.drawLine(QPointF(14, 6.5), QPointF(22, 6.5));
        break;
    case TToolIcon::Remove:
        sheetPile(QColor(50, 80, 160));
        p.setPen(QPen(QColor(200, 30, 30), 2.4));
        p.drawLine(QPointF(14, 3), QPointF(21, 10));
        p.drawLine(QPointF(21, 3), QPointF(14, 10));
        break;
    }
    return QIcon(pixmap);
}

TCalculationModule* ModuleOf(const QTreeWidgetItem* node)
{
    if (!node)
        return nullptr;
    return reinterpret_cast<TCalculationModule*>(node->data(0, Qt::UserRole).value<quintptr>());
}

int LevelOf(const QTreeWidgetItem* node)
{
    int level = -1;
    for (; node; node = node->parent())
        ++level;
    return level;
}

// A node under `parent`, or one outside the tree when `parent` is none.
QTreeWidgetItem* AddNode(QTreeWidgetItem* parent, const QString& text, const void* data = nullptr)
{
    auto* node = parent ? new QTreeWidgetItem(parent, QStringList{text}) : new QTreeWidgetItem(QStringList{text});
    if (data)
        node->setData(0, Qt::UserRole, QVariant::fromValue(reinterpret_cast<quintptr>(data)));
    return node;
}

} // namespace

TMainFormPaths ProgramPaths()
{
    TMainFormPaths paths;
    paths.programDir = QCoreApplication::applicationDirPath();
    paths.settingsPath = Q(SettingsFileFor(QCoreApplication::applicationFilePath().toStdString()));
    return paths;
}

// ---------------------------------------------------------------- components

TMainForm::TMainForm(const TMainFormPaths& paths, QWidget* parent)
    : QMainWindow(parent), paths_(paths), project_(std::make_unique<TProjectOwner>())
{
    setObjectName(QStringLiteral("MainForm"));
    resize(1024, 720);
    QApplication::setWindowIcon(ToolIcon(TToolIcon::Program));

    Splitter = new QSplitter(Qt::Horizontal, this);
    Splitter->setObjectName(QStringLiteral("Splitter"));
    Splitter->setChildrenCollapsible(false);
    TreeView = new QTreeWidget(Splitter);
    TreeView->setObjectName(QStringLiteral("TreeView"));
    TreeView->setHeaderHidden(true);
    TreeView->setColumnCount(1);
    TreeView->setExpandsOnDoubleClick(true);
    TreeView->setMinimumWidth(120);
    ClientArea = new QMdiArea(Splitter);
    ClientArea->setObjectName(QStringLiteral("ClientArea"));
    ClientArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    ClientArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    Splitter->addWidget(TreeView);
    Splitter->addWidget(ClientArea);
    Splitter->setStretchFactor(0, 0);
    Splitter->setStretchFactor(1, 1);
    Splitter->setSizes({290, 800});
    setCentralWidget(Splitter);

    CreateActions();
    CreateMenus();
    statusBar()->setObjectName(QStringLiteral("StatusBar"));
    statusBar()->setSizeGripEnabled(true);

    connect(TreeView, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem* node) { sps::RunGuarded([this, node] { TreeViewDblClick(node); }); });
    TreeView->installEventFilter(this);
    connect(TreeView, &QTreeWidget::currentItemChanged, this, Guarded([this] { TreeViewChange(); }));
    connect(TreeView, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* node) { UpdateNodeImage(node); });
    connect(TreeView, &QTreeWidget::itemCollapsed, this, [this](QTreeWidgetItem* node) { UpdateNodeImage(node); });

    Timer = sps::CreateTimer();
    Timer->OnTimer = [this] { TimerTimer(); };

    UpdateCaption();
    UpdateActions();
}

TMainForm::~TMainForm()
{
    if (!formDestroyed_)
        sps::RunGuarded([this] { FormDestroy(); });
    Timer.reset();
    if (InputForm && InputDialog() == InputForm)
        SetInputDialog(nullptr);
    // The sections go first: their walls close their result windows.
    sps::RunGuarded([this] { ClearTree(); });
    project_.reset();
}

void TMainForm::CreateActions()
{
    auto action = [this](const char* name, const char* caption, const char* hint) {
        auto* a = new QAction(QString::fromLatin1(caption), this);
        a->setObjectName(QString::fromLatin1(name));
        a->setStatusTip(QString::fromLatin1(hint));
        return a;
    };

    NewItem = action("NewItem", "&New", "Start a new project");
    OpenItem = action("OpenItem", "&Open...", "Open a project file");
    OpenItem->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    SaveItem = action("SaveItem", "&Save", "Save the project");
    SaveItem->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    SaveAsItem = action("SaveAsItem", "Save &as...", "Save the project under a new name");
    PrintItem = action("PrintItem", "&Print...", "Print the report of the selected wall");
    PrintSetupItem = action("PrintSetupItem", "P&rinter Setup...", "Choose paper and orientation");
    CloseItem = action("CloseItem", "&Close", "Close the program");

    Project1 = action("Project1", "&Project Info...", "Name, author and comment of the project");
    NewHeadwallItem = action("NewHeadwallItem", "New &Headwall Section...", "A new section with a head wall");
    NewAnchorwallItem =
        action("NewAnchorwallItem", "New &Anchorwall Section...", "A new section with an anchor wall only");
    AddAnchorwallItem =
        action("AddAnchorwallItem", "Add Anchor&wall...", "An anchor wall for the head wall of the selected section");
    RemoveSectionItem = action("RemoveSectionItem", "&Remove Section", "Remove the selected section");
    RemoveAnchorwallItem =
        action("RemoveAnchorwallItem", "Remove Anchorwa&ll", "Remove the anchor wall of the selected section");

    MetricItem = action("MetricItem", "&Metric Units", "Show values in metric units");
    ImperialItem = action("ImperialItem", "&Imperial Units", "Show values in imperial units");
    MetricItem->setCheckable(true);
    ImperialItem->setCheckable(true);
    auto* units = new QActionGroup(this);
    units->addAction(MetricItem);
    units->addAction(ImperialItem);
    SettingsItem = action("SettingsItem", "&General Settings...", "Backup, start-up, defaults and colours");
    ProjectExplorerItem = action("ProjectExplorerItem", "Project &Explorer", "Show or hide the project tree");
    ProjectExplorerItem->setCheckable(true);
    ProjectExplorerItem->setChecked(true);

    CascadeItem = action("CascadeItem", "&Cascade", "Arrange the windows overlapping");
    TileItem = action("TileItem", "&Tile", "Arrange the windows side by side");
    ArrangeIconsItem = action("ArrangeIconsItem", "&Arrange Icons", "Line up the minimised windows");
    CloseallItem = action("CloseallItem", "C&lose All", "Close every result window");

    ContentsItem = action("ContentsItem", "&Contents", "How to use the program");
    AboutItem = action("AboutItem", "&About...", "Version of the program");

    NewButton = action("NewButton", "New", "Start a new project");
    NewButton->setIcon(ToolIcon(TToolIcon::New));
    OpenButton = action("OpenButton", "Open", "Open a project file");
    OpenButton->setIcon(ToolIcon(TToolIcon::Open));
    SaveButton = action("SaveButton", "Save", "Save the project");
    SaveButton->setIcon(ToolIcon(TToolIcon::Save));
    PrintButton = action("PrintButton", "Print", "Print the report of the selected wall");
    PrintButton->setIcon(ToolIcon(TToolIcon::Print));
    BuildButton = action("BuildButton", "New Section", "A new section with a head wall");
    BuildButton->setIcon(ToolIcon(TToolIcon::Build));
    RemoveButton = action("RemoveButton", "Remove Section", "Remove the selected section");
    RemoveButton->setIcon(ToolIcon(TToolIcon::Remove));

    auto bind = [this](QAction* a, std::function<void()> handler) {
        connect(a, &QAction::triggered, this, [handler] { sps::RunGuarded(handler); });
    };
    bind(NewItem, [this] { NewItemClick(); });
    bind(NewButton, [this] { NewItemClick(); });
    bind(OpenItem, [this] { OpenItemClick(); });
    bind(OpenButton, [this] { OpenItemClick(); });
    bind(SaveItem, [this] { SaveItemClick(); });
    bind(SaveButton, [this] { SaveItemClick(); });
    bind(SaveAsItem, [this] { SaveAsItemClick(); });
    bind(PrintItem, [this] { PrintItemClick(); });
    bind(PrintButton, [this] { PrintItemClick(); });
    bind(PrintSetupItem, [this] { PrintSetupItemClick(); });
    bind(CloseItem, [this] { CloseItemClick(); });
    bind(MetricItem, [this] { UnitItemClick(MetricItem); });
    bind(ImperialItem, [this] { UnitItemClick(ImperialItem); });
    bind(Project1, [this] { ProjectItemClick(); });
    bind(SettingsItem, [this] { SettingsItemClick(); });
    bind(ProjectExplorerItem, [this] { ProjectExplorerItemClick(); });
    bind(CascadeItem, [this] { CascadeItemClick(); });
    bind(TileItem, [this] { TileItemClick(); });
    bind(ArrangeIconsItem, [this] { ArrangeIconsItemClick(); });
    bind(CloseallItem, [this] { CloseallItemClick(); });
    bind(ContentsItem, [this] { ContentsItemClick(); });
    bind(AboutItem, [this] { AboutItemClick(); });
    bind(BuildButton, [this] { NewWallItemClick(BuildButton); });
    bind(NewHeadwallItem, [this] { NewWallItemClick(NewHeadwallItem); });
    bind(NewAnchorwallItem, [this] { NewWallItemClick(NewAnchorwallItem); });
    bind(AddAnchorwallItem, [this] { AddAnchorwallItemClick(); });
    bind(RemoveSectionItem, [this] { RemoveSectionItemClick(); });
    bind(RemoveButton, [this] { RemoveSectionItemClick(); });
    bind(RemoveAnchorwallItem, [this] { RemoveAnchorwallItemClick(); });
}

void TMainForm::CreateMenus()
{
    FileMenu = menuBar()->addMenu(QStringLiteral("&File"));
    FileMenu->setObjectName(QStringLiteral("FileMenu"));
    FileMenu->addAction(NewItem);
    FileMenu->addAction(OpenItem);
    FileMenu->addAction(SaveItem);
    FileMenu->addAction(SaveAsItem);
    FileMenu->addSeparator();
    FileMenu->addAction(PrintItem);
    FileMenu->addAction(PrintSetupItem);
    FileMenu->addSeparator();
    FileMenu->addAction(CloseItem);
    connect(FileMenu, &QMenu::aboutToShow, this, Guarded([this] { FileMenuClick(); }));

    ProjectMenu = menuBar()->addMenu(QStringLiteral("&Project"));
    ProjectMenu->setObjectName(QStringLiteral("ProjectMenu"));
    ProjectMenu->addAction(Project1);
    ProjectMenu->addSeparator();
    ProjectMenu->addAction(NewHeadwallItem);
    ProjectMenu->addAction(NewAnchorwallItem);
    ProjectMenu->addAction(AddAnchorwallItem);
    ProjectMenu->addSeparator();
    ProjectMenu->addAction(RemoveSectionItem);
    ProjectMenu->addAction(RemoveAnchorwallItem);

    OptionsMenu = menuBar()->addMenu(QStringLiteral("&Options"));
    OptionsMenu->setObjectName(QStringLiteral("OptionsMenu"));
    OptionsMenu->addAction(MetricItem);
    OptionsMenu->addAction(ImperialItem);
    OptionsMenu->addSeparator();
    OptionsMenu->addAction(SettingsItem);
    OptionsMenu->addAction(ProjectExplorerItem);

    WindowMenu = menuBar()->addMenu(QStringLiteral("&Window"));
    WindowMenu->setObjectName(QStringLiteral("WindowMenu"));
    WindowMenu->addAction(CascadeItem);
    WindowMenu->addAction(TileItem);
    WindowMenu->addAction(ArrangeIconsItem);
    WindowMenu->addAction(CloseallItem);
    connect(WindowMenu, &QMenu::aboutToShow, this, [this] { FillWindowMenu(); });

    HelpMenu = menuBar()->addMenu(QStringLiteral("&Help"));
    HelpMenu->setObjectName(QStringLiteral("HelpMenu"));
    HelpMenu->addAction(ContentsItem);
    HelpMenu->addSeparator();
    HelpMenu->addAction(AboutItem);

    ToolBar = addToolBar(QStringLiteral("Tool Bar"));
    ToolBar->setObjectName(QStringLiteral("ToolBar"));
    ToolBar->setMovable(false);
    ToolBar->setIconSize(QSize(24, 24));
    ToolBar->addAction(NewButton);
    ToolBar->addAction(OpenButton);
    ToolBar->addAction(SaveButton);
    ToolBar->addSeparator();
    ToolBar->addAction(PrintButton);
    ToolBar->addSeparator();
    ToolBar->addAction(BuildButton);
    ToolBar->addAction(RemoveButton);
}

void TMainForm::FillWindowMenu()
{
    for (QAction* a : windowListActions_) {
        WindowMenu->removeAction(a);
        a->deleteLater();
    }
    windowListActions_.clear();
    QList<QMdiSubWindow*> windows = ClientArea->subWindowList();
    if (windows.isEmpty())
        return;
    windowListActions_.push_back(WindowMenu->addSeparator());
    int number = 1;
    for (QMdiSubWindow* window : windows) {
        QString caption = window->windowTitle();
        caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QString text = number <= 9 ? QStringLiteral("&%1 %2").arg(number).arg(caption)
                                   : QStringLiteral("%1 %2").arg(number).arg(caption);
        QAction* a = WindowMenu->addAction(text);
        a->setCheckable(true);
        a->setChecked(window == ClientArea->activeSubWindow());
        QPointer<QMdiSubWindow> target = window;
        connect(a, &QAction::triggered, this, [this, target] {
            if (!target)
                return;
            if (target->isMinimized())
                target->showNormal();
            ClientArea->setActiveSubWindow(target);
        });
        windowListActions_.push_back(a);
        ++number;
    }
}

// ---------------------------------------------------------------- start-up and close

void TMainForm::FormCreate()
{
    sps::CurrentPlatform().showError = &TMainForm::ShowErrorBox;

    sps::TIniFile ini(paths_.settingsPath.toStdString());
    TPreferences p = ReadPreferences(ini);
    MakeBackup = p.MakeBackup;
    AutoSave = p.AutoSave;
    AutoSavePeriod = p.AutoSavePeriod;
    BackupPath = p.BackupPath;
    UnitSystem = p.Units;
    DefaultCompany = p.Company;
    DefaultAuthor = p.Author;
    OpenLastFile = p.OpenLastFile;
    FileName = p.LastFile;
    CoverImage = p.CoverImage;
    DrawingColors() = p.Colors;

    // The company is not stored in the project: it is the default one also
    // for a project reopened at start-up.
    Company = DefaultCompany;
    QFileInfo last(Q(FileName));
    if (OpenLastFile && FileName != kNoname && last.exists() && !last.isDir()) {
        // A failure is reported and the program starts with what was read,
        // untitled.
        if (sps::RunGuarded([this] { LoadProjectFile(FileName); }))
            statusBar()->showMessage(QStringLiteral("File loaded"));
    } else {
        Author = DefaultAuthor;
        FileName = kNoname;
    }
    ApplyTimer();
    UpdateCaption();
    UpdateActions();
}

void TMainForm::CreateAboutForm()
{
    if (!AboutForm)
        AboutForm = new TAboutForm(this);
}

void TMainForm::CreateDialogs()
{
    if (!InfoForm)
        InfoForm = new TInfoForm(this);
    if (!SettingsForm)
        SettingsForm = new TSettingsForm(paths_.programDir, this);
    if (!InputForm) {
        InputForm = new TInputForm(this, paths_.programDir.toStdString());
        SetInputDialog(InputForm);
    }
    if (!PrintForm)
        PrintForm = new TPrintForm(this);
}

void TMainForm::FormDestroy()
{
    formDestroyed_ = true;
    delete helpWindow_.data();
    if (StartupFailed)
        return;
    sps::TIniFile ini(paths_.settingsPath.toStdString());
    TPreferences p;
    p.MakeBackup = MakeBackup;
    p.AutoSave = AutoSave;
    p.AutoSavePeriod = AutoSavePeriod;
    p.BackupPath = BackupPath;
    p.Units = UnitSystem == kMetric ? 0 : 1;
    p.Company = DefaultCompany;
    p.Author = DefaultAuthor;
    p.OpenLastFile = OpenLastFile;
    p.LastFile = FileName;
    p.Colors = DrawingColors();
    WritePreferences(ini, p);
    ini.UpdateFile();
}

void TMainForm::ShowErrorBox(const std::string& message)
{
    sps::ShowMessageBox("Error!", message, sps::TMsgKind::Error, sps::TMsgButtons::OK);
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event)
{
    // Enter on a tree node does what a double click does.
    if (watched == TreeView && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        bool activate = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter || key->key() == Qt::Key_Select;
        if (activate && (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
            if (QTreeWidgetItem* node = TreeView->currentItem()) {
                if (node->childCount() > 0)
                    node->setExpanded(!node->isExpanded());
                else
                    sps::RunGuarded([this, node] { TreeViewDblClick(node); });
            }
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void TMainForm::closeEvent(QCloseEvent* event)
{
    bool close = false;
    sps::RunGuarded([this, &close] { close = QuerySave(); });
    if (close) {
        ClientArea->closeAllSubWindows();
        if (helpWindow_)
            helpWindow_->close();
        event->accept();
    } else {
        event->ignore();
    }
}

void TMainForm::ApplyUnitSystem()
{
    (UnitSystem == kMetric ? MetricItem : ImperialItem)->setChecked(true);
    if (InputForm)
        InputForm->TranslateUnitLabels();
    // Every section is refreshed; the first error is passed on afterwards.
    std::exception_ptr error;
    for (TSection* section : SectionList()) {
        try {
            section->RefreshViews();
        } catch (...) {
            if (!error)
                error = std::current_exception();
        }
    }
    if (error)
        std::rethrow_exception(error);
}

QString TMainForm::StatusText() const
{
    return statusBar()->currentMessage();
}

void TMainForm::UpdateCaption()
{
    setWindowTitle(QStringLiteral("Tavelond - ") + Q(FileName));
}

void TMainForm::ApplyTimer()
{
    Timer->SetInterval(AutoSavePeriod * 60 * 1000);
    Timer->SetEnabled(AutoSave);
}

// ---------------------------------------------------------------- project tree

sps::TComponent* TMainForm::Sections() const { return project_.get(); }

std::vector<TSection*> TMainForm::SectionList() const { return ProjectSections(project_.get()); }

QTreeWidgetItem* TMainForm::NodeAtLevel(int level) const
{
    QTreeWidgetItem* node = TreeView->currentItem();
    if (!node)
        return nullptr;
    while (node && LevelOf(node) > level)
        node = node->parent();
    while (node && LevelOf(node) < level)
        node = node->childCount() > 0 ? node->child(0) : nullptr;
    return node;
}

TSection* TMainForm::SelectedSection() const
{
    return dynamic_cast<TSection*>(ModuleOf(NodeAtLevel(tlSection)));
}

TWall* TMainForm::SelectedWall() const
{
    return dynamic_cast<TWall*>(ModuleOf(NodeAtLevel(tlWall)));
}

int TMainForm::NextSectionNumber() const
{
    int64_t highest = 0;
    for (TSection* section : SectionList())
        highest = std::max<int64_t>(highest, section->Index);
    if (highest >= INT32_MAX)
        sps::Raise("No section number is left above the highest one of the project");
    return static_cast<int>(highest + 1);
}

QTreeWidgetItem* TMainForm::AddSectionNode(TSection* section)
{
    return AddSectionNodes({section}).front();
}

std::vector<QTreeWidgetItem*> TMainForm::AddSectionNodes(const std::vector<TSection*>& sections)
{
    // The branches are built outside the tree and enter it in one insertion:
    // each node inserted on its own makes the view walk all its persistent
    // indexes (one per expanded node), which is quadratic in the sections.
    QList<QTreeWidgetItem*> nodes;
    nodes.reserve(static_cast<qsizetype>(sections.size()));
    for (TSection* section : sections) {
        QTreeWidgetItem* node = AddNode(nullptr, Q(section->GetName()), static_cast<TCalculationModule*>(section));
        for (TWall* wall : {static_cast<TWall*>(section->HeadWall), static_cast<TWall*>(section->AnchorWall)})
            if (wall)
                node->addChild(WallBranch(wall));
        nodes.append(node);
    }
    TreeView->addTopLevelItems(nodes);
    for (QTreeWidgetItem* node : nodes)
        ExpandBranch(node);
    return {nodes.begin(), nodes.end()};
}

QTreeWidgetItem* TMainForm::AddWallNode(QTreeWidgetItem* sectionNode, TWall* wall)
{
    QTreeWidgetItem* wallNode = WallBranch(wall);
    sectionNode->addChild(wallNode);
    ExpandBranch(wallNode);
    sectionNode->setExpanded(true);
    UpdateNodeImage(sectionNode);
    return wallNode;
}

QTreeWidgetItem* TMainForm::WallBranch(TWall* wall)
{
    QTreeWidgetItem* wallNode = AddNode(nullptr, Q(wall->GetName()), static_cast<TCalculationModule*>(wall));
    QTreeWidgetItem* input = AddNode(wallNode, QStringLiteral("Input"));
    for (const char* page : kInputPages)
        UpdateNodeImage(AddNode(input, QString::fromLatin1(page)));
    QTreeWidgetItem* results = AddNode(wallNode, QStringLiteral("Results"));
    for (const char* page : kResultPages)
        UpdateNodeImage(AddNode(results, QString::fromLatin1(page)));
    return wallNode;
}

void TMainForm::ExpandBranch(QTreeWidgetItem* node)
{
    if (node->childCount() == 0)
        return;
    node->setExpanded(true);
    UpdateNodeImage(node);
    for (int i = 0; i < node->childCount(); i++)
        ExpandBranch(node->child(i));
}

void TMainForm::UpdateNodeImage(QTreeWidgetItem* node)
{
    if (nodeImages_.empty()) {
        QStyle* s = style();
        nodeImages_ = {s->standardIcon(QStyle::SP_DirClosedIcon), s->standardIcon(QStyle::SP_DirOpenIcon),
                       s->standardIcon(QStyle::SP_FileIcon)};
    }
    int image = node->childCount() == 0 ? 2 : node->isExpanded() ? 1 : 0;
    node->setIcon(0, nodeImages_[static_cast<size_t>(image)]);
}

QTreeWidgetItem* TMainForm::NodeOf(const void* module) const
{
    for (int i = 0; i < TreeView->topLevelItemCount(); i++) {
        QTreeWidgetItem* sectionNode = TreeView->topLevelItem(i);
        if (ModuleOf(sectionNode) == module)
            return sectionNode;
        for (int j = 0; j < sectionNode->childCount(); j++)
            if (ModuleOf(sectionNode->child(j)) == module)
                return sectionNode->child(j);
    }
    return nullptr;
}

void TMainForm::DeleteNode(QTreeWidgetItem* node)
{
    if (!node)
        return;
    TSection* section = LevelOf(node) == tlSection ? dynamic_cast<TSection*>(ModuleOf(node)) : nullptr;
    delete node;
    delete section;
}

void TMainForm::ClearTree()
{
    // The nodes go in one reset of the view (deleted one by one, each would
    // walk the view's persistent indexes), then the sections with their walls.
    TreeView->clear();
    project_->DestroyComponents();
}

void TMainForm::UpdateActions()
{
    TSection* section = SelectedSection();
    bool wall = SelectedWall() != nullptr;
    PrintItem->setEnabled(wall);
    PrintButton->setEnabled(wall);
    RemoveButton->setEnabled(section != nullptr);
    RemoveSectionItem->setEnabled(section != nullptr);
    AddAnchorwallItem->setEnabled(section && !section->AnchorWall && section->HeadWall &&
                                  !section->HeadWall->IsCantilever());
    RemoveAnchorwallItem->setEnabled(RemoveButton->isEnabled() && section->AnchorWall && section->HeadWall);
}

void TMainForm::TreeViewChange() { UpdateActions(); }

void TMainForm::FileMenuClick() { PrintItem->setEnabled(SelectedWall() != nullptr); }

} // namespace wd
