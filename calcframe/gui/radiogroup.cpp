#include "calcframe/gui/radiogroup.h"

#include "calcframe/gui/events.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>

namespace cf {

TRadioGroup::TRadioGroup(const QString& objectName, const QString& caption, QWidget* parent) : QGroupBox(caption, parent)
{
    setObjectName(objectName);
    group_ = new QButtonGroup(this);
    group_->setExclusive(true);
    grid_ = new QGridLayout(this);
    grid_->setContentsMargins(6, 2, 6, 2);
    grid_->setSpacing(0);
    connect(group_, &QButtonGroup::idClicked, this, [this](int) {
        if (onClick_)
            Guard(onClick_);
    });
}

void TRadioGroup::SetItems(const QStringList& items)
{
    items_ = items;
    Rebuild();
}

void TRadioGroup::SetItemText(int index, const QString& text)
{
    if (index < 0 || index >= Count())
        return;
    items_[index] = text;
    group_->button(index)->setText(text);
}

void TRadioGroup::SetColumns(int columns)
{
    columns_ = columns < 1 ? 1 : columns;
    Rebuild();
}

int TRadioGroup::ItemIndex() const { return group_->checkedId(); }

void TRadioGroup::SetItemIndex(int index)
{
    if (index < 0 || index >= Count()) {
        if (QAbstractButton* b = group_->checkedButton()) {
            group_->setExclusive(false);
            b->setChecked(false);
            group_->setExclusive(true);
        }
        return;
    }
    group_->button(index)->setChecked(true);
}

QString TRadioGroup::SelectedText() const
{
    int i = ItemIndex();
    return i >= 0 && i < Count() ? items_[i] : QString();
}

QRadioButton* TRadioGroup::Button(int index) const
{
    return qobject_cast<QRadioButton*>(group_->button(index));
}

void TRadioGroup::AddOnEnter(std::function<void()> fn)
{
    onEnter_.push_back(fn);
    for (QAbstractButton* b : group_->buttons())
        OnEnter(b, fn);
}

void TRadioGroup::Rebuild()
{
    int keep = ItemIndex();
    for (QAbstractButton* b : group_->buttons()) {
        group_->removeButton(b);
        delete b;
    }
    int n = Count();
    int rows = (n + columns_ - 1) / columns_;
    for (int i = 0; i < n; ++i) {
        auto* b = new QRadioButton(items_[i], this);
        b->setObjectName(objectName() + QStringLiteral("_%1").arg(i));
        group_->addButton(b, i);
        grid_->addWidget(b, rows > 0 ? i % rows : 0, rows > 0 ? i / rows : 0);
        for (auto& fn : onEnter_)
            OnEnter(b, fn);
    }
    if (keep >= 0 && keep < n)
        group_->button(keep)->setChecked(true);
}

} // namespace cf
