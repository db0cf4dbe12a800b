#pragma once

#include <QDateTime>
#include <QString>

#include <algorithm>
#include <variant>
#include <vector>

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

// What counts as nothing, wherever rows are skipped or left out (lists,
// tallies, rows read from a sheet): a text of nothing but blanks (spaces,
// tabs, line breaks, also none at all), a cell without a value or with such
// a text, a row all of whose cells hold nothing.
inline bool holdsNothing(const QString& text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.isSpace(); });
}

inline bool holdsNothing(const CellValue& cell)
{
    const QString* text = std::get_if<QString>(&cell);
    return std::holds_alternative<std::monostate>(cell) || (text && holdsNothing(*text));
}

inline bool holdsNothing(const std::vector<CellValue>& cells)
{
    return std::all_of(cells.begin(), cells.end(), [](const CellValue& cell) { return holdsNothing(cell); });
}
