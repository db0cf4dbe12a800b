#pragma once

#include "base/CellValue.h"
#include "base/NumberText.h"

#include <QString>
#include <QStringList>

#include <initializer_list>
#include <optional>
#include <vector>

// What the readers of the user's catalogue files (pipe series, draw-off
// points) share: headings found by name in the first row, the numbers a row
// must give, and the one answer made of what the file did wrong. A file is
// taken whole or not at all, so every refused row is reported.
namespace catalogueFile {

// The column of each heading in the first row, letter case and blanks
// around it aside (the first of equal ones); -1 for a heading not there.
std::vector<int> headingColumns(const std::vector<CellValue>& cells, const NumberText& numbers,
                                std::initializer_list<QString> headings);

// "Es fehlt die Spalte „A“, die Spalte „B“ (gesucht in der ersten Zeile).",
// or empty when every heading has its column.
QString missingHeadings(const std::vector<int>& columns, std::initializer_list<QString> headings);

// The number a row must give under `heading`; without one, the reason (no
// value, or a text that is no number) is added to `wrong`.
std::optional<double> requiredNumber(const CellValue& cell, const QString& heading, const NumberText& numbers,
                                     QStringList& wrong);

// The refused rows: the first twelve named with their reasons, the rest counted.
class Refusals {
public:
    void add(int row, const QString& why);
    int count() const { return m_count; }
    // One line a named row, then "und N weitere Zeilen".
    QString lines() const;

private:
    QStringList m_named;
    int m_count = 0;
};

// What a reader found, for its answer.
struct Outcome {
    QString reading;          // the file could not be read: why
    QString missingHeadings;  // from missingHeadings()
    bool headed = false;      // a first row was read
    const Refusals& refused;
    bool foundAny = false;
};

// The answer of a reader of `entries` ("Die Rohrserien") in `fileName`:
// empty when the file is taken, else the message naming what was wrong;
// `none` is said of a file without one entry ("Die Datei enthält keine Rohrserie.").
QString answer(const QString& entries, const QString& fileName, const Outcome& outcome, const QString& none);

}  // namespace catalogueFile
