#pragma once

#include <QDateTime>
#include <QString>

#include <variant>

// An error value of a cell as the spreadsheet shows it, e.g. "#DIV/0!".
struct CellError {
    QString code;
    bool operator==(const CellError&) const = default;
};

// The value of one worksheet cell as a spreadsheet hands it out: nothing, a
// number, a text, a truth value, a point in time or an error value.
// A date without time of day has the time 00:00; a time of day without a date
// has the date 1899-12-30, day 0 of the spreadsheets' day count.
using CellValue = std::variant<std::monostate, double, QString, bool, QDateTime, CellError>;
