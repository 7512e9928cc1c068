// The project info dialog: project name, author and comment.
#pragma once

#include <QDialog>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace wd {

inline constexpr int kMaxCommentLength = 255;

class TInfoForm : public QDialog {
public:
    explicit TInfoForm(QWidget* parent = nullptr);

    QLineEdit* Edit1;      // project name
    QLineEdit* Edit2;      // author
    QPlainTextEdit* Memo1; // comment, at most 255 characters
    QPushButton* Button1;  // OK
    QPushButton* Button2;  // Cancel

    void SetComment(const QString& comment);
    QString Comment() const;

private:
    void Memo1Change();
};

} // namespace wd
