// Finding a calculator's data file: the current folder first, then the user is
// asked to browse for it until a file of that very name is chosen.
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace cf {

struct DataFileLookup {
    QString folder;       // where to look first (the current working folder)
    QString fileName;     // e.g. "WQ KX Data.daa"
    QString question;     // the error dialog's text (Yes: browse, No: end)
    QString filter;       // "Data files only (*.daa)|*.daa"
    QString dialogTitle;  // title of the open dialog
};

// The path of the data file, or nothing when the user declined or cancelled
// (the program then ends without a further message).
std::optional<QString> FindDataFile(const DataFileLookup& lookup);

// The whole file; raises sps::Exception when it cannot be read.
QByteArray ReadWholeFile(const QString& path);

} // namespace cf
