#include "walldesign/ui/settingsform.h"

#include "platform/gui/canvas.h"
#include "platform/gui/services.h"

#include <QCheckBox>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace wd {

TColorPanel::TColorPanel(const QString& name, QWidget* parent) : QFrame(parent)
{
    setObjectName(name);
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Sunken);
    setAutoFillBackground(true);
    setFixedSize(64, 22);
    setCursor(Qt::PointingHandCursor);
    SetColor(0);
}

void TColorPanel::SetColor(sps::TColor color)
{
    color_ = color;
    QPalette p = palette();
    p.setColor(QPalette::Window, sps::ToQColor(color));
    setPalette(p);
}

void TColorPanel::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && OnClick)
        sps::RunGuarded(OnClick);
    QFrame::mousePressEvent(event);
}

TSettingsForm::TSettingsForm(const QString& programDir, QWidget* parent)
    : QDialog(parent), programDir_(programDir)
{
    setObjectName(QStringLiteral("SettingsForm"));
    setWindowTitle(QStringLiteral("General Settings"));

    PageControl = new QTabWidget(this);
    PageControl->setObjectName(QStringLiteral("PageControl"));

    // Backup.
    auto* backup = new QWidget;
    backup->setObjectName(QStringLiteral("BackupSheet"));
    CheckBox1 = new QCheckBox(QStringLiteral("Make &backup on save"), backup);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    CheckBox2 = new QCheckBox(QStringLiteral("&Auto-save:"), backup);
    CheckBox2->setObjectName(QStringLiteral("CheckBox2"));
    Edit1 = new QLineEdit(backup);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setMaxLength(4);
    Edit1->setFixedWidth(48);
    auto* minutes = new QLabel(QStringLiteral("minutes"), backup);
    auto* folderCaption = new QLabel(QStringLiteral("Folder of the auto-save copies:"), backup);
    Label1 = new QLabel(backup);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFrameShape(QFrame::StyledPanel);
    Label1->setMinimumWidth(300);
    Label1->setTextInteractionFlags(Qt::TextSelectableByMouse);
    Button3 = new QPushButton(QStringLiteral("Select &Directory..."), backup);
    Button3->setObjectName(QStringLiteral("Button3"));
    connect(Button3, &QPushButton::clicked, this, [this] { sps::RunGuarded([this] { Button3Click(); }); });
    auto* autoRow = new QHBoxLayout;
    autoRow->addWidget(CheckBox2);
    autoRow->addWidget(Edit1);
    autoRow->addWidget(minutes);
    autoRow->addStretch();
    auto* backupLayout = new QVBoxLayout(backup);
    backupLayout->addWidget(CheckBox1);
    backupLayout->addLayout(autoRow);
    backupLayout->addSpacing(8);
    backupLayout->addWidget(folderCaption);
    backupLayout->addWidget(Label1);
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addWidget(Button3);
    buttonRow->addStretch();
    backupLayout->addLayout(buttonRow);
    backupLayout->addStretch();
    PageControl->addTab(backup, QStringLiteral("Backup"));

    // Start-up.
    auto* startup = new QWidget;
    startup->setObjectName(QStringLiteral("StartUpSheet"));
    CheckBox3 = new QCheckBox(QStringLiteral("&Open last project"), startup);
    CheckBox3->setObjectName(QStringLiteral("CheckBox3"));
    RadioGroup1 = new QGroupBox(QStringLiteral("Unit System"), startup);
    RadioGroup1->setObjectName(QStringLiteral("RadioGroup1"));
    MetricButton = new QRadioButton(QStringLiteral("&Metric-System"), RadioGroup1);
    MetricButton->setObjectName(QStringLiteral("MetricButton"));
    ImperialButton = new QRadioButton(QStringLiteral("&Imperial-System"), RadioGroup1);
    ImperialButton->setObjectName(QStringLiteral("ImperialButton"));
    auto* radios = new QVBoxLayout(RadioGroup1);
    radios->addWidget(MetricButton);
    radios->addWidget(ImperialButton);
    auto* startupLayout = new QVBoxLayout(startup);
    startupLayout->addWidget(CheckBox3);
    startupLayout->addWidget(RadioGroup1);
    startupLayout->addStretch();
    PageControl->addTab(startup, QStringLiteral("Start-Up"));

    // Defaults.
    auto* defaults = new QWidget;
    defaults->setObjectName(QStringLiteral("DefaultsSheet"));
    Edit2 = new QLineEdit(defaults);
    Edit2->setObjectName(QStringLiteral("Edit2"));
    Edit3 = new QLineEdit(defaults);
    Edit3->setObjectName(QStringLiteral("Edit3"));
    auto* companyLabel = new QLabel(QStringLiteral("&Company:"), defaults);
    companyLabel->setBuddy(Edit2);
    auto* authorLabel = new QLabel(QStringLiteral("&Author:"), defaults);
    authorLabel->setBuddy(Edit3);
    auto* defaultsGrid = new QGridLayout(defaults);
    defaultsGrid->addWidget(companyLabel, 0, 0);
    defaultsGrid->addWidget(Edit2, 0, 1);
    defaultsGrid->addWidget(authorLabel, 1, 0);
    defaultsGrid->addWidget(Edit3, 1, 1);
    defaultsGrid->setRowStretch(2, 1);
    PageControl->addTab(defaults, QStringLiteral("Defaults"));

    // Colors.
    auto* colors = new QWidget;
    colors->setObjectName(QStringLiteral("ColorsSheet"));
    auto* colorGrid = new QGridLayout(colors);
    const char* names[8] = {"Water", "Ground", "Sheet Pile", "Text", "Background", "Vector", "Anchor", "Axis"};
    TColorPanel** panels[8] = {&Panel1, &Panel2, &Panel3, &Panel4, &Panel5, &Panel6, &Panel7, &Panel8};
    for (int i = 0; i < 8; i++) {
        auto* panel = new TColorPanel(QStringLiteral("Panel%1").arg(i + 1), colors);
        panel->setToolTip(QStringLiteral("Click to choose the colour"));
        panel->OnClick = [this, panel] { Panel1Click(panel); };
        *panels[i] = panel;
        int row = i % 4;
        int col = (i / 4) * 2;
        colorGrid->addWidget(new QLabel(QString::fromLatin1(names[i]), colors), row, col);
        colorGrid->addWidget(panel, row, col + 1);
    }
    colorGrid->setColumnMinimumWidth(2, 90);
    colorGrid->setRowStretch(4, 1);
    PageControl->addTab(colors, QStringLiteral("Colors"));

    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setDefault(true);
    CancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKButton);
    buttons->addWidget(CancelButton);

    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(PageControl);
    layout->addLayout(buttons);

    FormCreate();
}

void TSettingsForm::FormCreate()
{
    SetBackupPath(programDir_);
}

void TSettingsForm::SetBackupPath(const QString& path)
{
    backupPath_ = path;
    if (path.isEmpty()) {
        Label1->setText(QStringLiteral("(the folder of the project file)"));
        Label1->setToolTip(QString());
        return;
    }
    QString shown = QDir::toNativeSeparators(path);
    Label1->setText(Label1->fontMetrics().elidedText(shown, Qt::ElideMiddle, Label1->minimumWidth() - 8));
    Label1->setToolTip(shown);
}

void TSettingsForm::SetUnitIndex(int index)
{
    (index == 0 ? MetricButton : ImperialButton)->setChecked(true);
}

int TSettingsForm::UnitIndex() const
{
    return MetricButton->isChecked() ? 0 : 1;
}

void TSettingsForm::Button3Click()
{
    std::string folder = sps::SelectFolderDialog("Select Directory.", backupPath_.toStdString());
    if (!folder.empty())
        SetBackupPath(QString::fromStdString(folder));
}

void TSettingsForm::Panel1Click(TColorPanel* panel)
{
    sps::TColor color = panel->Color();
    if (sps::ChooseColorDialog(color))
        panel->SetColor(color);
}

} // namespace wd
