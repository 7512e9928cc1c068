// The grid's Qt view driven by keys: row keys through the view and through an
// open editor, the title row, hidden rows, the pick list.
#include "walldesign/ui/enhgridview.h"

#include <QApplication>
#include <QDialog>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace wd {
namespace {

// Types into whatever has the focus (the first key opens the editor).
void Type(const char* text)
{
    for (const char* c = text; *c; c++)
        QTest::keyClick(QApplication::focusWidget(), *c);
}

// A dialog with a grid between two line edits; the grid has one fixed column,
// no fixed row, columns with titles and every row key.
struct GridDialog {
    QDialog dialog;
    QLineEdit* before = new QLineEdit(&dialog);
    TEnhGridView* view = new TEnhGridView(&dialog);
    QLineEdit* after = new QLineEdit(&dialog);
    QPushButton* ok = new QPushButton("OK", &dialog);
    TEnhGrid& g = view->Grid();

    explicit GridDialog(int rows)
    {
        auto* layout = new QVBoxLayout(&dialog);
        layout->addWidget(before);
        layout->addWidget(view);
        layout->addWidget(after);
        layout->addWidget(ok);
        ok->setDefault(true);
        QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
        g.SetColCount(3);
        g.SetFixedRows(0);
        g.SetRowCount(rows);
        g.SetOptions(g.Options() | goTabs);
        g.EnhancedOptions = dgoAppendRow | dgoInsertRow | dgoDeleteRow;
        g.Columns()[1].Title().SetCaption("Tip [m]");
        g.Columns()[2].Title().SetCaption("Load [kN/m]");
        dialog.resize(400, 300);
        dialog.show();
        view->setFocus();
        QApplication::processEvents();
    }
};

TEST(EnhGridView, TitleRowAndCurrentCell)
{
    GridDialog d(2);
    EXPECT_FALSE(d.view->horizontalHeader()->isHidden());
    EXPECT_EQ(d.view->model()->rowCount(), 2);
    EXPECT_EQ(d.view->model()->headerData(2, Qt::Horizontal).toString(), "Load [kN/m]");
    EXPECT_EQ(d.view->currentIndex(), d.view->IndexOf(d.g.Col(), d.g.Row()));
    // A click on the fixed column leaves the current cell.
    QTest::mouseClick(d.view->viewport(), Qt::LeftButton, {}, d.view->visualRect(d.view->IndexOf(0, 1)).center());
    EXPECT_EQ(d.g.Col(), 1);
    QTest::mouseClick(d.view->viewport(), Qt::LeftButton, {}, d.view->visualRect(d.view->IndexOf(2, 1)).center());
    EXPECT_EQ(d.g.Col(), 2);
    EXPECT_EQ(d.g.Row(), 1);
    // A fixed row becomes the title row.
    d.g.SetCell(2, 0, "Title");
    d.g.SetFixedRows(1);
    EXPECT_EQ(d.view->model()->rowCount(), 1);
    EXPECT_EQ(d.view->model()->headerData(2, Qt::Horizontal).toString(), "Load [kN/m]");
    d.g.Columns()[2].Title().SetCaption("");
    EXPECT_EQ(d.view->model()->headerData(2, Qt::Horizontal).toString(), "Title");
}

TEST(EnhGridView, TabAndDownAppendRowsAndTabLeavesAtTheBound)
{
    GridDialog d(2);
    d.g.SetCurrent(2, 1);
    QTest::keyClick(d.view, Qt::Key_Tab);
    EXPECT_EQ(d.g.RowCount(), 3);
    EXPECT_EQ(d.g.Row(), 2);
    EXPECT_EQ(d.g.Col(), 1);
    EXPECT_TRUE(d.view->hasFocus());
    EXPECT_EQ(d.view->currentIndex(), d.view->IndexOf(1, 2));
    QTest::keyClick(d.view, Qt::Key_Down);
    EXPECT_EQ(d.g.RowCount(), 4);
    EXPECT_EQ(d.g.Row(), 3);

    d.g.SetMaxRowCount(4);
    d.g.SetCurrent(2, 3);
    QTest::keyClick(d.view, Qt::Key_Tab);
    EXPECT_EQ(d.g.RowCount(), 4);
    EXPECT_TRUE(d.after->hasFocus());
    d.view->setFocus();
    d.g.SetCurrent(1, 0);
    QTest::keyClick(d.view, Qt::Key_Backtab);
    EXPECT_TRUE(d.before->hasFocus());
}

TEST(EnhGridView, CtrlInsertAndCtrlDelete)
{
    GridDialog d(3);
    for (int r = 0; r < 3; r++)
        d.g.SetCell(1, r, std::to_string(r));
    d.g.SetCurrent(1, 1);
    QTest::keyClick(d.view, Qt::Key_Insert, Qt::ControlModifier);
    ASSERT_EQ(d.g.RowCount(), 4);
    EXPECT_EQ(d.g.Cell(1, 1), "");
    EXPECT_EQ(d.g.Cell(1, 2), "1");
    EXPECT_EQ(d.view->model()->index(2, 1).data().toString(), "1");
    QTest::keyClick(d.view, Qt::Key_Delete, Qt::ControlModifier);
    QTest::keyClick(d.view, Qt::Key_Delete, Qt::ControlModifier);
    ASSERT_EQ(d.g.RowCount(), 2);
    EXPECT_EQ(d.g.Cell(1, 1), "2");
    QTest::keyClick(d.view, Qt::Key_Delete); // without Ctrl: nothing
    EXPECT_EQ(d.g.RowCount(), 2);
}

TEST(EnhGridView, EditorWritesTheCellAndHandsRowKeysToTheGrid)
{
    GridDialog d(1);
    int changed = 0;
    d.g.OnGridChanged = [&] { changed++; };
    d.g.SetCurrent(2, 0);
    Type("12");
    ASSERT_NE(d.view->Editor(), nullptr);
    EXPECT_EQ(d.g.Cell(2, 0), "12");
    // Tab in the editor at the last cell: validated, a row appended, editor closed.
    QTest::keyClick(d.view->Editor(), Qt::Key_Tab);
    QApplication::processEvents();
    EXPECT_EQ(changed, 1);
    EXPECT_EQ(d.g.RowCount(), 2);
    EXPECT_EQ(d.g.Row(), 1);
    EXPECT_EQ(d.view->Editor(), nullptr);
    EXPECT_TRUE(d.view->hasFocus());

    // Esc puts the text back; Ctrl+Delete from the editor deletes the row.
    d.g.SetCurrent(1, 0);
    d.g.SetCell(1, 0, "old");
    Type("new");
    EXPECT_EQ(d.g.Cell(1, 0), "new");
    QTest::keyClick(d.view->Editor(), Qt::Key_Escape);
    EXPECT_EQ(d.g.Cell(1, 0), "old");
    EXPECT_TRUE(d.dialog.isVisible());
    Type("x");
    QTest::keyClick(d.view->Editor(), Qt::Key_Delete, Qt::ControlModifier);
    QApplication::processEvents();
    EXPECT_EQ(d.g.RowCount(), 1);
    EXPECT_EQ(d.g.Cell(2, 0), "");

    // Enter selects the editor's text or removes the selection and never
    // reaches the default button; on the grid it opens the editor.
    Type("7");
    TEnhGridInplaceEdit* e = d.view->Editor();
    QTest::keyClick(e, Qt::Key_Return);
    EXPECT_EQ(e->selectedText(), "7");
    QTest::keyClick(e, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_FALSE(e->hasSelectedText());
    EXPECT_EQ(d.g.Cell(1, 0), "7");
    d.view->CommitEdit();
    QTest::keyClick(d.view, Qt::Key_Return);
    EXPECT_NE(d.view->Editor(), nullptr);
    EXPECT_TRUE(d.dialog.isVisible());
    EXPECT_NE(d.dialog.result(), QDialog::Accepted);
}

TEST(EnhGridView, HiddenFirstRowIsNeverCurrent)
{
    GridDialog d(1);
    d.g.SetRowHeight(0, -1);
    EXPECT_TRUE(d.view->isRowHidden(0));
    EXPECT_FALSE(d.view->currentIndex().isValid());
    QTest::keyClick(d.view, Qt::Key_Down);
    EXPECT_EQ(d.g.RowCount(), 2);
    EXPECT_EQ(d.g.Row(), 1);
    EXPECT_EQ(d.view->currentIndex(), d.view->IndexOf(1, 1));
    QTest::keyClick(d.view, Qt::Key_Up);
    EXPECT_EQ(d.g.Row(), 1);
    QTest::keyClick(d.view, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(d.g.RowCount(), 1);
    EXPECT_FALSE(d.view->currentIndex().isValid());
}

TEST(EnhGridView, PickListAndEllipsis)
{
    GridDialog d(1);
    TColumn& c = d.g.Columns()[1];
    c.SetPickList({"Sand", "Silt", "Clay"});
    c.LimitToList = true;
    int clicks = 0;
    d.g.OnEditButtonClick = [&] { clicks++; };
    d.g.SetCurrent(1, 0);
    QTest::keyClick(d.view, Qt::Key_F2);
    TEnhGridInplaceEdit* e = d.view->Editor();
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->EditStyle, 2);
    EXPECT_TRUE(e->isReadOnly());
    QTest::keyClick(e, Qt::Key_C);
    EXPECT_EQ(d.g.Cell(1, 0), "Clay");
    QTest::keyClick(e, Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(e->ListVisible);
    EXPECT_EQ(e->PickListBox->currentRow(), 2);
    QTest::keyClick(e, Qt::Key_Up);
    QTest::keyClick(e, Qt::Key_Return);
    EXPECT_FALSE(e->ListVisible);
    EXPECT_EQ(d.g.Cell(1, 0), "Silt");

    d.view->CommitEdit();
    d.g.Columns()[2].SetButtonStyle(cbsEllipsis);
    d.g.SetCurrent(2, 0);
    d.view->ShowEditor();
    ASSERT_NE(d.view->Editor(), nullptr);
    QTest::keyClick(d.view->Editor(), Qt::Key_Return, Qt::ControlModifier);
    QTest::mouseClick(d.view->Editor(), Qt::LeftButton, {}, d.view->Editor()->ButtonRect().center());
    EXPECT_EQ(clicks, 2);
}

} // namespace
} // namespace wd
