#pragma once

#include <QString>

#include <stdexcept>

// A run-time error of the program: text that is no number, a cell outside the
// grid, an unreadable file. The "Berechnen" handler is the one place that
// catches it during a calculation; elsewhere it reaches the caller that reports it.
// Its text is the German reason, in UTF-8.
class RuntimeError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
    explicit RuntimeError(const QString& reason) : std::runtime_error(reason.toStdString()) {}
};
