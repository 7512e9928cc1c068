#include "calcframe/gui/datafile.h"

#include "calcframe/gui/services.h"
#include "platform/error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace cf {

namespace {
bool IsFile(const QString& path)
{
    QFileInfo fi(path);
    return fi.exists() && fi.isFile();
}
} // namespace

std::optional<QString> FindDataFile(const DataFileLookup& lookup)
{
    QString path = QDir(lookup.folder).filePath(lookup.fileName);
    if (IsFile(path))
        return path;
    // Each round needs an answer of the user; it ends with No or Cancel.
    while (!(path.endsWith(lookup.fileName, Qt::CaseSensitive) &&
             QFileInfo(path).fileName() == lookup.fileName && IsFile(path))) {
        if (!AskYesNoError(lookup.question))
            return std::nullopt;
        OpenFileOptions o;
        o.title = lookup.dialogTitle;
        o.initialDir = lookup.folder;
        o.fileName = lookup.fileName;
        o.filter = lookup.filter;
        QString chosen = OpenFile(o);
        if (chosen.isEmpty())
            return std::nullopt;
        path = chosen;
    }
    return path;
}

QByteArray ReadWholeFile(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        sps::Raise("Cannot open file \"" + path.toStdString() + "\". " + f.errorString().toStdString());
    QByteArray data = f.readAll();
    if (f.error() != QFileDevice::NoError)
        sps::Raise("Read error on \"" + path.toStdString() + "\". " + f.errorString().toStdString());
    return data;
}

} // namespace cf
