// The print dialog of a wall report: one check line per paragraph.
#pragma once

#include <QDialog>

#include <string>
#include <vector>

class QAction;
class QListWidget;
class QMenu;
class QPushButton;

namespace wd {

class TPrintForm : public QDialog {
public:
    explicit TPrintForm(QWidget* parent = nullptr);

    QListWidget* CheckListBox;
    QMenu* PopupMenu;
    QAction* SelectAllItem;
    QAction* ClearAllItem;
    QPushButton* OKButton;
    QPushButton* CancelButton;

    // One line per paragraph: its caption, checked when it is printed.
    void SetLines(const std::vector<std::string>& captions, const std::vector<bool>& checked);
    int LineCount() const;
    bool Checked(int line) const;
    void SetChecked(int line, bool checked);

    void SelectAllItemClick();
    void ClearAllItemClick();
};

} // namespace wd
