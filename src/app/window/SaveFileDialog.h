#pragma once

#include "app/window/ModalPresenter.h"

#include <QFileDialog>
#include <QStringList>

// The save dialog: before it closes, the typed name becomes the final name
// (finalFileName: "Ergebnis" -> "Ergebnis.xlsx", "x.xls" -> "x.xlsx") and,
// when a file of that name exists, the user is asked whether to replace it.
// "No" keeps the dialog open. The question runs through the presenter like
// every other modal box.
class SaveFileDialog : public QFileDialog {
public:
    SaveFileDialog(QWidget* parent, ModalPresenter presenter, QString suffix, QStringList replaced);

    void accept() override;

private:
    ModalPresenter m_present;
    QString m_suffix;
    QStringList m_replaced;
};
