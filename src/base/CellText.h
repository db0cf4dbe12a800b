#pragma once

#include "base/CellValue.h"

#include <QString>

#include <optional>

class NumberText;

// A cell value as text, the way a spreadsheet's own conversion gives it:
// - a number as the General format shows it, with the locale's decimal
//   separator and without digit grouping (2.5 is "2,5" in a German locale,
//   100000 is "100000", 1/3 is "0,333333333333333");
// - a text as it is; an empty cell the empty text;
// - a truth value as the German spreadsheet words "WAHR" / "FALSCH";
// - a date in the locale's short date format with a four-digit year, a time
//   of day in its short time format, a date with a time both;
// - an error value as its code, e.g. "#DIV/0!".
QString cellText(const CellValue& value, const NumberText& numbers);

// The number a cell of a data file holds: a number cell's value, or a text
// that NumberText::fileNumber reads; none for anything else.
std::optional<double> cellNumber(const CellValue& value, const NumberText& numbers);
