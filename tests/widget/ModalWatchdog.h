#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>

// Fails a test fast instead of letting it hang on a modal dialog that nobody
// answers: while it lives it looks for an open modal window every few
// milliseconds, reports it and closes it.
class ModalWatchdog : public QObject {
    Q_OBJECT

public:
    using Report = std::function<void(const QString& description)>;

    // Without a report every unexpected dialog fails the running test.
    explicit ModalWatchdog(Report report = {});

    void setReport(Report report);

    static QString describe(const QWidget& modal);

private:
    void check();

    Report m_report;
    QTimer m_timer;
};
