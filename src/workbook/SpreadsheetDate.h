#pragma once

#include <QDateTime>
#include <QString>

#include <optional>

// Spreadsheets keep a date as a number of days (the serial), with the time of
// day as its fraction, shown as a date only through the cell's number format.
namespace spreadsheetDate {

// The two day counts: day 1 is 1900-01-01 (counting the 29th of February 1900
// that never was, as Excel does), or day 0 is 1904-01-01.
enum class System { From1900, From1904 };

// The point in time of a serial, to the second; none for serials outside
// 0 (1899-12-30 or 1904-01-01) to 9999-12-31.
std::optional<QDateTime> fromSerial(double serial, System system);

// Whether a number format shows its number as a date or time: the built-in
// date and time formats by number (14 to 22, 27 to 36, 45 to 47, 50 to 58), or
// a format code with day, month, year, hour or second fields outside quoted
// text, escaped characters and colour or locale brackets.
bool isDateFormat(int builtInId, const QString& formatCode);

}  // namespace spreadsheetDate
