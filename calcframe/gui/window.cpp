#include "calcframe/gui/window.h"

#include "calcframe/gui/datafile.h"
#include "calcframe/gui/events.h"
#include "calcframe/gui/services.h"
#include "calcframe/gui/startup.h"
#include "calcframe/blockreader.h"

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QListWidget>
#include <QScreen>
#include <QTabWidget>
#include <exception>
#include <optional>

namespace cf {

QString DefaultSettingsPath()
{
    QFileInfo fi(QCoreApplication::applicationFilePath());
    return QDir(fi.path()).filePath(fi.completeBaseName() + QStringLiteral(".INI"));
}

Qt::WindowFlags MainFormFlags()
{
    return Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
           Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint;
}

void CentreOnScreen(QWidget* w)
{
    if (QScreen* screen = QGuiApplication::primaryScreen())
        w->move(screen->availableGeometry().center() - QPoint(w->width() / 2, w->height() / 2));
}

void LoadDataFile(const QString& folder, const char* fileName, const char* question,
                  const std::function<void(const std::string& path)>& read)
{
    DataFileLookup lookup;
    lookup.folder = folder;
    lookup.fileName = QString::fromLatin1(fileName);
    lookup.question = QString::fromLatin1(question);
    lookup.filter = QStringLiteral("Data files only (*.daa)|*.daa");
    std::optional<QString> path = FindDataFile(lookup);
    if (!path)
        throw ProgramEnd(0);
    try {
        read(path->toStdString());
    } catch (const std::exception&) {
        ShowFatalError(QString::fromStdString(CorruptedFileMessage(fileName)));
        throw ProgramEnd(1);
    }
}

namespace {

// Remembers the selected line when the mouse is pressed on the list, so that
// a click on that same line can be told from one that selects another.
class ListClick : public QObject {
public:
    ListClick(QListWidget* list, std::function<void()> onClick) : QObject(list), list_(list), onClick_(std::move(onClick))
    {
        list->viewport()->installEventFilter(this);
        connect(list, &QListWidget::currentRowChanged, this, [this] { Guard(onClick_); });
        connect(list, &QListWidget::itemClicked, this, [this] {
            if (list_->currentRow() == pressRow_)
                Guard(onClick_);
        });
    }

protected:
    bool eventFilter(QObject* obj, QEvent* ev) override
    {
        if (ev->type() == QEvent::MouseButtonPress)
            pressRow_ = list_->currentRow();
        return QObject::eventFilter(obj, ev);
    }

private:
    QListWidget* list_;
    std::function<void()> onClick_;
    int pressRow_ = -1;
};

} // namespace

void BindListClick(QListWidget* list, std::function<void()> onClick) { new ListClick(list, std::move(onClick)); }

PageSwitch::PageSwitch(QTabWidget* pages, std::function<void(QWidget* page)> leave,
                       std::function<void(QWidget* page)> show, std::function<void()> change)
    : QObject(pages), pages_(pages), shown_(pages->currentWidget())
{
    connect(pages, &QTabWidget::currentChanged, this, [this, leave, show, change] {
        Guard([&] {
            QWidget* left = shown_;
            shown_ = pages_->currentWidget();
            if (left && left != shown_)
                leave(left);
            show(shown_);
            if (!fromCode_)
                change();
        });
    });
}

void PageSwitch::Show(QWidget* page)
{
    fromCode_ = true;
    pages_->setCurrentWidget(page);
    fromCode_ = false;
}

} // namespace cf
