// The help window: the program's help contents, an HTML file beside it.
#pragma once

#include <QString>
#include <QWidget>

class QTextBrowser;

namespace wd {

inline constexpr const char* kHelpFile = "Tavelond.hlp";

class THelpWindow : public QWidget {
public:
    THelpWindow();

    QTextBrowser* Browser;

    // Shows the contents of the help file; raises when it cannot be read.
    void ShowContents(const QString& path);
};

} // namespace wd
