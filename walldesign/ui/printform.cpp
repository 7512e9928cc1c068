#include "walldesign/ui/printform.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

namespace wd {

TPrintForm::TPrintForm(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("PrintForm"));
    setWindowTitle(QStringLiteral("Print"));

    auto* caption = new QLabel(QStringLiteral("Chapters to print:"), this);
    CheckListBox = new QListWidget(this);
    CheckListBox->setObjectName(QStringLiteral("CheckListBox"));
    CheckListBox->setMinimumSize(300, 340);
    CheckListBox->setContextMenuPolicy(Qt::CustomContextMenu);
    caption->setBuddy(CheckListBox);

    PopupMenu = new QMenu(this);
    PopupMenu->setObjectName(QStringLiteral("PopupMenu"));
    SelectAllItem = PopupMenu->addAction(QStringLiteral("&Select All"));
    SelectAllItem->setObjectName(QStringLiteral("SelectAllItem"));
    ClearAllItem = PopupMenu->addAction(QStringLiteral("&Clear All"));
    ClearAllItem->setObjectName(QStringLiteral("ClearAllItem"));
    connect(SelectAllItem, &QAction::triggered, this, [this] { SelectAllItemClick(); });
    connect(ClearAllItem, &QAction::triggered, this, [this] { ClearAllItemClick(); });
    connect(CheckListBox, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { PopupMenu->popup(CheckListBox->viewport()->mapToGlobal(at)); });

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
    layout->addWidget(caption);
    layout->addWidget(CheckListBox);
    layout->addLayout(buttons);
}

void TPrintForm::SetLines(const std::vector<std::string>& captions, const std::vector<bool>& checked)
{
    CheckListBox->clear();
    for (size_t i = 0; i < captions.size(); i++) {
        auto* item = new QListWidgetItem(QString::fromStdString(captions[i]), CheckListBox);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(i < checked.size() && checked[i] ? Qt::Checked : Qt::Unchecked);
    }
    if (CheckListBox->count() > 0)
        CheckListBox->setCurrentRow(0);
}

int TPrintForm::LineCount() const { return CheckListBox->count(); }

bool TPrintForm::Checked(int line) const
{
    QListWidgetItem* item = CheckListBox->item(line);
    return item && item->checkState() == Qt::Checked;
}

void TPrintForm::SetChecked(int line, bool checked)
{
    if (QListWidgetItem* item = CheckListBox->item(line))
        item->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
}

void TPrintForm::SelectAllItemClick()
{
    for (int i = 0; i < LineCount(); i++)
        SetChecked(i, true);
}

void TPrintForm::ClearAllItemClick()
{
    for (int i = 0; i < LineCount(); i++)
        SetChecked(i, false);
}

} // namespace wd
