// Test helpers that drive a calculator's form as a person would: focus,
// typed and pasted keys, combo box choices and clicks on list lines.
#pragma once

#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
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

// Selects the whole text of the field and pastes `text` over it (Ctrl+V).
inline void Paste(QLineEdit* e, const QString& text)
{
    Enter(e);
    e->selectAll();
    QGuiApplication::clipboard()->setText(text);
    QTest::keyClick(e, Qt::Key_V, Qt::ControlModifier);
}

// Texts that the numeric key filter would not let through, pasted into a
// field: each is an input error.
inline const QStringList& BadPastes()
{
    static const QStringList texts{QStringLiteral("500 kNm"), QStringLiteral("1e3"), QStringLiteral("-500"),
                                   QStringLiteral("1,000"),   QStringLiteral("nan"), QStringLiteral("abc")};
    return texts;
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
