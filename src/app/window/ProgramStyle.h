#pragma once

#include <QProxyStyle>

// The desktop's own style (or the one asked for with -style), drawing exactly
// as that style does. Only the menu bar's overflow arrows differ in when they
// are read: every menu bar asks for them when it is built, and reading that
// first image makes Qt load each of its image-format plugins (GIF, JPEG, ...),
// which costs the start about a millisecond. Here the arrow is read from the
// desktop style the first time it is drawn, which happens only when the menus
// do not fit into the window's width.
class ProgramStyle : public QProxyStyle {
public:
    ProgramStyle() = default;

    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option, const QWidget* widget) const override;
};
