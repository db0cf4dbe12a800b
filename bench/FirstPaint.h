#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QObject>

#include <sys/resource.h>

#include <cstdio>
#include <unistd.h>

// Reports the first paint of a widget on standard output with the process's
// peak resident memory, then ends the process at once: the start-up driver
// times from starting the process to reading that line.
class FirstPaint : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            // Let the widget paint first, then report.
            watched->removeEventFilter(this);
            QCoreApplication::sendEvent(watched, event);
            rusage usage{};
            getrusage(RUSAGE_SELF, &usage);
            std::printf("painted %ld\n", usage.ru_maxrss);  // KiB
            std::fflush(stdout);
            _exit(0);
        }
        return false;
    }
};
