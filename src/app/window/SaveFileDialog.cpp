#include "app/window/SaveFileDialog.h"

#include "base/SaveFile.h"

#include <QDir>
#include <QFileInfo>
#include <QMessageBox>

SaveFileDialog::SaveFileDialog(QWidget* parent, ModalPresenter presenter, QString suffix, QStringList replaced)
    : QFileDialog(parent), m_present(std::move(presenter)), m_suffix(std::move(suffix)), m_replaced(std::move(replaced))
{
    setAcceptMode(QFileDialog::AcceptSave);
    setFileMode(QFileDialog::AnyFile);
    // Qt's own dialog is titled so by itself; Windows' leaves the title empty,
    // and the question below would carry the executable's name.
    setWindowTitle(QFileDialog::tr("Save As"));
    // The question below is about the final name; Qt's own would be about the
    // name as typed.
    setOption(QFileDialog::DontConfirmOverwrite);
}

void SaveFileDialog::accept()
{
    const QStringList typed = selectedFiles();
    // A typed folder name opens that folder, as in every save dialog.
    if (typed.size() != 1 || QFileInfo(typed.first()).isDir()) {
        QFileDialog::accept();
        return;
    }
    const QString path = finalFileName(typed.first(), m_suffix, m_replaced);
    if (path != typed.first()) {
        // The file name box takes a selected name only while it has no focus,
        // and it has the focus while the user types into it.
        if (QWidget* typing = focusWidget()) typing->clearFocus();
        selectFile(path);
    }
    if (!mayReplace(path)) return;
    m_settled = true;
    QFileDialog::accept();
}

QString SaveFileDialog::settle(const QString& chosen)
{
    if (m_settled) return chosen;
    const QString path = finalFileName(chosen, m_suffix, m_replaced);
    return mayReplace(path) ? path : QString();
}

bool SaveFileDialog::mayReplace(const QString& path)
{
    if (!QFileInfo::exists(path)) return true;
    QMessageBox question(QMessageBox::Warning, windowTitle(),
                         QStringLiteral("„%1“ ist bereits vorhanden.\nSoll die Datei ersetzt werden?")
                             .arg(QDir::toNativeSeparators(path)),
                         QMessageBox::Yes | QMessageBox::No, this);
    question.setDefaultButton(QMessageBox::No);
    question.setWindowModality(Qt::ApplicationModal);
    return m_present(question) == QMessageBox::Yes;
}
