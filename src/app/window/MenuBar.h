#pragma once

class QAction;
class QMenuBar;

// The commands of the menu bar, named as the window's menu items.
struct MenuActions {
    QAction* mnuexcel1 = nullptr;  // "Einlesen von MS Excel"
    QAction* mnuexcel2 = nullptr;  // "Ausgeben nach MS Excel"
    QAction* mnuend = nullptr;     // "Beenden"
    QAction* mnuhilfe = nullptr;   // "Hilfe"
    QAction* mnuinfo = nullptr;    // "Info"
};

// Fills the menu bar with "&Datei" and "&Extras". No item has a shortcut; the
// access keys D and E open the two menus.
MenuActions createMenus(QMenuBar& bar);
