#include "ModalWatchdog.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>

#include <gtest/gtest.h>

ModalWatchdog::ModalWatchdog(Report report)
{
    setReport(std::move(report));
    m_timer.setInterval(20);
    connect(&m_timer, &QTimer::timeout, this, &ModalWatchdog::check);
    m_timer.start();
}

void ModalWatchdog::setReport(Report report)
{
    m_report = std::move(report);
    if (!m_report)
        m_report = [](const QString& description) {
            ADD_FAILURE() << "unexpected modal dialog: " << description.toStdString();
        };
}

QString ModalWatchdog::describe(const QWidget& modal)
{
    QString description = modal.metaObject()->className() + QStringLiteral(" \"") + modal.windowTitle() + QLatin1Char('"');
    if (const auto* box = qobject_cast<const QMessageBox*>(&modal)) description += QStringLiteral(": ") + box->text();
    return description;
}

void ModalWatchdog::check()
{
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal) return;
    m_report(describe(*modal));
    if (auto* dialog = qobject_cast<QDialog*>(modal))
        dialog->reject();
    else
        modal->close();
}
