#pragma once

#include <QString>

class Grid;
class NumberText;

// Saves the results table as a new .xlsx workbook whose first worksheet
// "Gipfelfluss" holds the header row and every row that has text in any
// column, each text in the same place (table row r, column c -> sheet row
// r + 1, column c + 1; "Nr." lands in A1).
// A text that is a number in the user's locale is written as that number,
// with the number format that shows it as the table does: the column's own
// ("0" for "Nr.", "BW" and "Einzel BW", "0.00" for l/sec, "0.0" for l/min)
// when that reproduces the text, otherwise the spreadsheet's general format
// when that does (imported numbers in their shortest form). Any other text,
// and a number text neither format reproduces, is written as text.
// Failures are RuntimeError with a German reason; the table is only read.
void writeResultsWorkbook(const QString& path, const Grid& grid, const NumberText& numbers);
