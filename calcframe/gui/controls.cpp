#include "calcframe/gui/controls.h"

#include "calcframe/gui/radiogroup.h"

#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>

namespace cf {

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, int x, int y, int w, int h)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setGeometry(x, y, w, h);
    l->setTextFormat(Qt::PlainText);
    return l;
}

QLabel* MakeResult(QWidget* parent, const char* name, int x, int y, int w, int h)
{
    QLabel* l = MakeLabel(parent, name, QString(), x, y, w, h);
    l->setFrameShape(QFrame::Panel);
    l->setFrameShadow(QFrame::Sunken);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return l;
}

QLineEdit* MakeEdit(QWidget* parent, const char* name, const QString& text, int x, int y, int w, int h)
{
    auto* e = new QLineEdit(text, parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setGeometry(x, y, w, h);
    e->setAlignment(Qt::AlignRight);
    return e;
}

QComboBox* MakeCombo(QWidget* parent, const char* name, int x, int y, int w, int h)
{
    auto* c = new QComboBox(parent);
    c->setObjectName(QString::fromLatin1(name));
    c->setGeometry(x, y, w, h);
    return c;
}

QGroupBox* MakeGroup(QWidget* parent, const char* name, const QString& caption, int x, int y, int w, int h)
{
    auto* g = new QGroupBox(caption, parent);
    g->setObjectName(QString::fromLatin1(name));
    g->setGeometry(x, y, w, h);
    return g;
}

TRadioGroup* MakeRadio(QWidget* parent, const char* name, const QString& caption, const QStringList& items, int x,
                       int y, int w, int h)
{
    auto* r = new TRadioGroup(QString::fromLatin1(name), caption, parent);
    r->setGeometry(x, y, w, h);
    r->SetItems(items);
    r->SetItemIndex(0);
    return r;
}

QAction* MakeAction(QMenu* menu, const char* name, const QString& caption, bool checkable)
{
    QAction* a = menu->addAction(caption);
    a->setObjectName(QString::fromLatin1(name));
    a->setCheckable(checkable);
    return a;
}

void MakeRadioItems(QAction* first, QAction* second, bool checkFirst)
{
    auto* group = new QActionGroup(first->parent());
    group->addAction(first);
    group->addAction(second);
    if (checkFirst)
        first->setChecked(true);
}

FileMenu AddFileMenu(QMenuBar* bar)
{
    FileMenu m;
    m.menu = bar->addMenu(QStringLiteral("&File"));
    m.menu->setObjectName(QStringLiteral("MenuFile"));
    m.print = MakeAction(m.menu, "MenuPrint", QStringLiteral("&Print ..."));
    m.print->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    m.printToFile = MakeAction(m.menu, "MenuPrintToFile", QStringLiteral("P&rint To File ..."));
    m.menu->addSeparator()->setObjectName(QStringLiteral("MenuSeparator"));
    m.close = MakeAction(m.menu, "MenuClose", QStringLiteral("&Close"));
    return m;
}

UnitsMenu AddUnitsMenu(QMenuBar* bar)
{
    UnitsMenu m;
    m.menu = bar->addMenu(QStringLiteral("&Units"));
    m.menu->setObjectName(QStringLiteral("MenuUnits"));
    m.metric = MakeAction(m.menu, "MenuMetric", QStringLiteral("&Metric"), true);
    m.metric->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_M));
    m.imperial = MakeAction(m.menu, "MenuImperial", QStringLiteral("&Imperial"), true);
    m.imperial->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_I));
    MakeRadioItems(m.metric, m.imperial);
    return m;
}

HelpMenu AddHelpMenu(QMenuBar* bar)
{
    HelpMenu m;
    m.menu = bar->addMenu(QStringLiteral("Hel&p"));
    m.menu->setObjectName(QStringLiteral("MenuHelp"));
    m.about = MakeAction(m.menu, "MenuAbout", QStringLiteral("&About ..."));
    return m;
}

} // namespace cf
