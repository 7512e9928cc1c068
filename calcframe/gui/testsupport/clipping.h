// Test helper: the texts of a form that its controls cut off. A calculator's
// controls have fixed places and sizes; a text that does not fit them, or a
// control that sits on the caption line of its group box, is reported with
// the control's object name.
#pragma once

#include <QAbstractButton>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QString>
#include <QStringList>
#include <QTableWidget>
#include <QStyle>
#include <QWidget>

#include <algorithm>

namespace cf::test {

// Displayed text of a caption that may carry "&" mnemonics.
inline QString WithoutMnemonics(QString text)
{
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QStringLiteral("\x01"), QStringLiteral("&"));
    return text;
}

// Room a table cell leaves for its text: the style's margin on either side
// and the grid line.
inline constexpr int kCellTextMargins = 2 * 3 + 1;
// Room a push button keeps on either side of its caption.
inline constexpr int kButtonTextMargin = 6;

inline QString Describe(const QWidget* w, const QString& what)
{
    return w->objectName() + QStringLiteral(": ") + what;
}

// Every visible control under `root` (root included) whose text is cut.
inline QStringList ClippedTexts(const QWidget* root)
{
    QStringList found;
    QList<const QWidget*> widgets{root};
    for (const QWidget* w : root->findChildren<const QWidget*>())
        widgets << w;
    for (const QWidget* w : widgets) {
        if (!w->isVisibleTo(root) && w != root)
            continue;
        const QFontMetrics fm = w->fontMetrics();
        if (auto* label = qobject_cast<const QLabel*>(w)) {
            if (label->text().isEmpty())
                continue;
            const QString text = label->textFormat() == Qt::PlainText ? label->text() : WithoutMnemonics(label->text());
            const QRect room = label->contentsRect().marginsRemoved(
                QMargins(label->margin(), label->margin(), label->margin(), label->margin()));
            if (label->wordWrap()) {
                const QRect used =
                    fm.boundingRect(QRect(0, 0, room.width(), 0), Qt::TextWordWrap | label->alignment(), text);
                if (used.height() > room.height() || used.width() > room.width())
                    found << Describe(w, QStringLiteral("wrapped text larger than its label"));
                continue;
            }
            if (fm.horizontalAdvance(text) > room.width())
                found << Describe(w, QStringLiteral("\"%1\" wider than its label").arg(text));
            if (fm.height() > room.height() + 2)
                found << Describe(w, QStringLiteral("\"%1\" higher than its label").arg(text));
        } else if (auto* box = qobject_cast<const QGroupBox*>(w)) {
            const QString title = WithoutMnemonics(box->title());
            if (fm.horizontalAdvance(title) > box->width())
                found << Describe(w, QStringLiteral("caption \"%1\" wider than the box").arg(title));
            const QRect inside = box->contentsRect();
            for (const QWidget* child : box->findChildren<const QWidget*>(Qt::FindDirectChildrenOnly)) {
                if (child->isWindow() || !child->isVisibleTo(box))
                    continue;
                if (!inside.contains(child->geometry()))
                    found << Describe(child, QStringLiteral("outside the inner area of %1").arg(box->objectName()));
            }
        } else if (auto* button = qobject_cast<const QAbstractButton*>(w)) {
            // A push button's size hint holds a minimum width of the style;
            // radio buttons and check boxes need their mark beside the text,
            // and the height of the mark and of the text.
            const QString text = WithoutMnemonics(button->text());
            const bool push = qobject_cast<const QPushButton*>(w) != nullptr;
            const int needed = push ? fm.horizontalAdvance(text) + 2 * kButtonTextMargin : button->sizeHint().width();
            if (!text.isEmpty() && needed > button->width())
                found << Describe(w, QStringLiteral("\"%1\" wider than its button").arg(text));
            if (!push) {
                const auto mark = qobject_cast<const QRadioButton*>(w) ? QStyle::PM_ExclusiveIndicatorHeight
                                                                       : QStyle::PM_IndicatorHeight;
                const int high = std::max(button->style()->pixelMetric(mark, nullptr, button), fm.height());
                if (high > button->height())
                    found << Describe(w, QStringLiteral("\"%1\" higher than its button").arg(text));
            }
        } else if (auto* edit = qobject_cast<const QLineEdit*>(w)) {
            const int room = edit->width() - 2 * 4 - (edit->hasFrame() ? 4 : 0);
            if (fm.horizontalAdvance(edit->text()) > room)
                found << Describe(w, QStringLiteral("\"%1\" wider than its field").arg(edit->text()));
        } else if (auto* table = qobject_cast<const QTableWidget*>(w)) {
            for (int row = 0; row < table->rowCount(); ++row) {
                for (int col = 0; col < table->columnCount(); ++col) {
                    const QTableWidgetItem* item = table->item(row, col);
                    if (!item || item->text().isEmpty())
                        continue;
                    const QFontMetrics cellFm(item->data(Qt::FontRole).isValid() ? item->font() : table->font());
                    if (cellFm.horizontalAdvance(item->text()) + kCellTextMargins > table->columnWidth(col))
                        found << Describe(w, QStringLiteral("cell (%1, %2) \"%3\" wider than its column")
                                                 .arg(col)
                                                 .arg(row)
                                                 .arg(item->text()));
                    if (cellFm.height() + 2 > table->rowHeight(row))
                        found << Describe(w, QStringLiteral("cell (%1, %2) higher than its row").arg(col).arg(row));
                }
            }
        }
    }
    return found;
}

} // namespace cf::test
