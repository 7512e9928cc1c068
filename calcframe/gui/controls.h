// Components of the calculators' forms, made with their object names and
// design-time places (pixels in the parent).
#pragma once

#include <QString>
#include <QStringList>

class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QWidget;

namespace cf {

class TRadioGroup;

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, int x, int y, int w, int h = 17);
// A sunken, right-aligned label that shows a result.
QLabel* MakeResult(QWidget* parent, const char* name, int x, int y, int w, int h = 19);
// A right-aligned edit field.
QLineEdit* MakeEdit(QWidget* parent, const char* name, const QString& text, int x, int y, int w, int h = 23);
QComboBox* MakeCombo(QWidget* parent, const char* name, int x, int y, int w, int h = 24);
QGroupBox* MakeGroup(QWidget* parent, const char* name, const QString& caption, int x, int y, int w, int h);
// A radio group with its items, item 0 selected.
TRadioGroup* MakeRadio(QWidget* parent, const char* name, const QString& caption, const QStringList& items, int x,
                       int y, int w, int h);
QAction* MakeAction(QMenu* menu, const char* name, const QString& caption, bool checkable = false);
// Two checkable items that exclude each other; `first` checked when asked.
void MakeRadioItems(QAction* first, QAction* second, bool checkFirst = true);

// The menus both calculators have, with their object names, captions and
// shortcuts: "&File" (print, print to file, close), "&Units" (metric and
// imperial radio items, metric checked) and "Hel&p" (about).
struct FileMenu {
    QMenu* menu;
    QAction* print;
    QAction* printToFile;
    QAction* close;
};
FileMenu AddFileMenu(QMenuBar* bar);
struct UnitsMenu {
    QMenu* menu;
    QAction* metric;
    QAction* imperial;
};
UnitsMenu AddUnitsMenu(QMenuBar* bar);
struct HelpMenu {
    QMenu* menu;
    QAction* about;
};
HelpMenu AddHelpMenu(QMenuBar* bar);

} // namespace cf
