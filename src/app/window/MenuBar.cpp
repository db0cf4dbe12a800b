#include "app/window/MenuBar.h"

#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

namespace {

QMenu* addMenu(QMenuBar& bar, const char* name, const QString& title)
{
    QMenu* menu = bar.addMenu(title);
    menu->setObjectName(QString::fromLatin1(name));
    menu->menuAction()->setObjectName(QString::fromLatin1(name));
    return menu;
}

QAction* addItem(QMenu& menu, const char* name, const QString& text)
{
    QAction* action = menu.addAction(text);
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

void addSeparator(QMenu& menu, const char* name)
{
    menu.addSeparator()->setObjectName(QString::fromLatin1(name));
}

}  // namespace

MenuActions createMenus(QMenuBar& bar)
{
    MenuActions actions;

    QMenu* datei = addMenu(bar, "mnudatei", QStringLiteral("&Datei"));
    actions.mnuexcel1 = addItem(*datei, "mnuexcel1", QStringLiteral("Einlesen von MS Excel"));
    actions.mnuexcel2 = addItem(*datei, "mnuexcel2", QStringLiteral("Ausgeben nach MS Excel"));
    actions.mnuteilstrecken = addItem(*datei, "mnuteilstrecken", QStringLiteral("Teilstrecken berechnen…"));
    actions.mnuprotokoll = addItem(*datei, "mnuprotokoll", QStringLiteral("Protokoll als PDF speichern…"));
    actions.mnudrucken = addItem(*datei, "mnudrucken", QStringLiteral("Protokoll drucken…"));
    actions.mnudrucken->setShortcut(QKeySequence::Print);
    addSeparator(*datei, "mnulinie3");
    actions.mnuend = addItem(*datei, "mnuend", QStringLiteral("Beenden"));

    QMenu* extras = addMenu(bar, "mnuextras", QStringLiteral("&Extras"));
    actions.mnubelastung = addItem(*extras, "mnubelastung", QStringLiteral("Belastungswerte zusammenzählen…"));
    actions.mnurohrweite = addItem(*extras, "mnurohrweite", QStringLiteral("Rohrweite bemessen…"));
    actions.mnunachdruck = addItem(*extras, "mnunachdruck", QStringLiteral("Rohrweite nach Druck"));
    actions.mnunachdruck->setCheckable(true);
    addSeparator(*extras, "mnulinie5");
    actions.mnuhilfe = addItem(*extras, "mnuhilfe", QStringLiteral("Hilfe"));
    addSeparator(*extras, "mnulinie4");
    actions.mnuinfo = addItem(*extras, "mnuinfo", QStringLiteral("Info"));

    return actions;
}
