#include "walldesign/ui/infoform.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QVBoxLayout>

namespace wd {

TInfoForm::TInfoForm(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("InfoForm"));
    setWindowTitle(QStringLiteral("Project Info"));

    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit2 = new QLineEdit(this);
    Edit2->setObjectName(QStringLiteral("Edit2"));
    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setTabChangesFocus(true);
    Memo1->setMinimumSize(320, 110);
    connect(Memo1, &QPlainTextEdit::textChanged, this, [this] { Memo1Change(); });

    auto* grid = new QGridLayout;
    auto label = [this](const char* text, QWidget* buddy) {
        auto* l = new QLabel(QString::fromLatin1(text), this);
        l->setBuddy(buddy);
        return l;
    };
    grid->addWidget(label("&Project:", Edit1), 0, 0);
    grid->addWidget(Edit1, 0, 1);
    grid->addWidget(label("&Author:", Edit2), 1, 0);
    grid->addWidget(Edit2, 1, 1);
    grid->addWidget(label("&Comment:", Memo1), 2, 0, Qt::AlignTop);
    grid->addWidget(Memo1, 2, 1);

    Button1 = new QPushButton(QStringLiteral("OK"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setDefault(true);
    Button2 = new QPushButton(QStringLiteral("Cancel"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);

    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addLayout(grid);
    layout->addLayout(buttons);
}

void TInfoForm::SetComment(const QString& comment)
{
    Memo1->setPlainText(comment.left(kMaxCommentLength));
}

QString TInfoForm::Comment() const
{
    return Memo1->toPlainText().left(kMaxCommentLength);
}

void TInfoForm::Memo1Change()
{
    QString text = Memo1->toPlainText();
    if (text.size() <= kMaxCommentLength)
        return;
    // Refuse what goes beyond the limit, keeping the cursor where it was.
    int position = std::min(Memo1->textCursor().position(), kMaxCommentLength);
    Memo1->setPlainText(text.left(kMaxCommentLength));
    QTextCursor cursor = Memo1->textCursor();
    cursor.setPosition(position);
    Memo1->setTextCursor(cursor);
}

} // namespace wd
