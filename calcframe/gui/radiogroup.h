// A radio group: a captioned box of radio buttons in columns with one item
// index. Its click handler runs only when the user clicks a button (or a
// button's click() is called), never when the index is set from code.
#pragma once

#include <QGroupBox>
#include <QStringList>
#include <functional>

class QButtonGroup;
class QGridLayout;
class QRadioButton;

namespace cf {

class TRadioGroup : public QGroupBox {
public:
    TRadioGroup(const QString& objectName, const QString& caption, QWidget* parent = nullptr);

    void SetItems(const QStringList& items);
    // Changes the text of one item.
    void SetItemText(int index, const QString& text);
    QStringList Items() const { return items_; }
    int Count() const { return static_cast<int>(items_.size()); }
    // -1 when no item is selected.
    int ItemIndex() const;
    void SetItemIndex(int index);
    // Text of the selected item, empty when none.
    QString SelectedText() const;
    void SetColumns(int columns);
    int Columns() const { return columns_; }
    QRadioButton* Button(int index) const;

    // The handler of user clicks (OnClick).
    void SetOnClick(std::function<void()> fn) { onClick_ = std::move(fn); }
    // Handlers of the focus entering the group (any of its buttons).
    void AddOnEnter(std::function<void()> fn);

private:
    void Rebuild();

    QStringList items_;
    int columns_ = 1;
    QButtonGroup* group_;
    QGridLayout* grid_;
    std::function<void()> onClick_;
    std::vector<std::function<void()>> onEnter_;
};

} // namespace cf
