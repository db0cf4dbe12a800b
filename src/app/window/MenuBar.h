#pragma once

class QAction;
class QMenuBar;

// The commands of the menu bar, named as the window's menu items.
struct MenuActions {
    QAction* mnuexcel1 = nullptr;  // "Einlesen von MS Excel"
    QAction* mnuexcel2 = nullptr;  // "Ausgeben nach MS Excel"
    QAction* mnuteilstrecken = nullptr;  // "Teilstrecken berechnen…"
    QAction* mnuprotokoll = nullptr;  // "Protokoll als PDF speichern…"
    QAction* mnudrucken = nullptr;    // "Protokoll drucken…", Ctrl+P
    QAction* mnuend = nullptr;     // "Beenden"
    QAction* mnubelastung = nullptr;  // "Belastungswerte zusammenzählen…"
    QAction* mnurohrweite = nullptr;  // "Rohrweite bemessen…", enabled while a result is shown
    QAction* mnunachdruck = nullptr;  // "Rohrweite nach Druck", checkable
    QAction* mnuhilfe = nullptr;   // "Hilfe"
    QAction* mnuinfo = nullptr;    // "Info"
};

// Fills the menu bar with "&Datei" and "&Extras". Only printing has a
// shortcut (the platform's print key, Ctrl+P); the access keys D and E open
// the two menus.
MenuActions createMenus(QMenuBar& bar);
