// Test helpers that drive a calculator's form as a person would: focus,
// typed keys, combo box choices and clicks on list lines.
#pragma once

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QStringList>
#include <QTest>

namespace cf::test {

// Gives the field the focus as a click or a Tab would.
inline void Enter(QWidget* w) { w->setFocus(Qt::TabFocusReason); }

// Selects the whole text of the field and types `keys` over it.
inline void Type(QLineEdit* e, const QString& keys)
{
    Enter(e);
    e->selectAll();
    QTest::keyClick(e, Qt::Key_Backspace);
    QTest::keyClicks(e, keys);
}

// The user chooses item `index` of a combo box.
inline void Choose(QComboBox* box, int index)
{
    box->setCurrentIndex(index);
    emit box->activated(index);
}

// The first item that begins with `prefix`, or -1.
inline int FindItem(const QComboBox* box, const QString& prefix)
{
    for (int i = 0; i < box->count(); ++i)
        if (box->itemText(i).startsWith(prefix))
            return i;
    return -1;
}

// Clicks line `line` of a list.
inline void ClickLine(QListWidget* list, int line)
{
    list->scrollToItem(list->item(line));
    const QRect r = list->visualItemRect(list->item(line));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, r.center());
}

inline QStringList Lines(const QListWidget* list)
{
    QStringList l;
    for (int i = 0; i < list->count(); ++i)
        l << list->item(i)->text();
    return l;
}

} // namespace cf::test
