#include "walldesign/ui/helpwindow.h"

#include "platform/error.h"

#include <QFile>
#include <QTextBrowser>
#include <QTextDocument>
#include <QUrl>
#include <QVBoxLayout>

namespace wd {

THelpWindow::THelpWindow() : QWidget(nullptr, Qt::Window)
{
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Tavelond Help"));
    setAttribute(Qt::WA_DeleteOnClose);
    Browser = new QTextBrowser(this);
    Browser->setObjectName(QStringLiteral("Browser"));
    Browser->setOpenExternalLinks(false);
    Browser->document()->setDocumentMargin(12);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Browser);
    resize(720, 640);
}

void THelpWindow::ShowContents(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        sps::RaiseFmt("Cannot open the help file %s", path.toStdString().c_str());
    file.close();
    Browser->setSource(QUrl::fromLocalFile(path), QTextDocument::HtmlResource);
    Browser->home();
}

} // namespace wd
