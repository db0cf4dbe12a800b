#pragma once

#include "app/window/ModalPresenter.h"

#include <QFileDialog>
#include <QStringList>

// The save dialog: the typed name becomes the final name (finalFileName:
// "Ergebnis" -> "Ergebnis.xlsx", "x.xls" -> "x.xlsx") and, when a file of
// that name exists, the user is asked whether to replace it, before anything
// is written. Qt's own dialog does so before it closes, and "No" keeps it
// open; the platform's own (Windows') closes first, so settle() does it
// after, and "No" means choosing again. The question runs through the
// presenter like every other modal box.
class SaveFileDialog : public QFileDialog {
public:
    SaveFileDialog(QWidget* parent, ModalPresenter presenter, QString suffix, QStringList replaced);

    void accept() override;

    // The file to write, once the dialog was accepted with `chosen`: its
    // final name, new or to be replaced as the user said; empty when the
    // user does not want it replaced.
    QString settle(const QString& chosen);

private:
    // Whether `path` may be written: it is new, or the user says to replace it.
    bool mayReplace(const QString& path);

    ModalPresenter m_present;
    bool m_settled = false;  // by accept(), in Qt's own dialog
    QString m_suffix;
    QStringList m_replaced;
};
