#pragma once

#include "base/CellValue.h"
#include "base/NumberText.h"
#include "tally/DrawOffCatalogue.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// A section list that counts draw-off points instead of stating loading
// units: columns headed by names of the catalogue ("Waschtisch", "Dusche")
// hold how many of each a section supplies, a whole number from 0 (an empty
// cell is 0). A section's total is the exact sum of count × BW je Stück (as
// the tally adds: 3 × 0,1 is 0,3), its largest single unit the largest BW je
// Stück among the counts of at least 1.

// What a section's counts give.
struct SectionCounted {
    double total = 0;    // BW
    double largest = 0;  // Einzel BW; 0 without points
    double points = 0;   // how many points: the sum of the counts
    std::optional<double> minimumFlowPressure;  // hPa: the largest among the points counted, where they have one
};

class SectionCounts {
public:
    SectionCounts(const tally::DrawOffCatalogue& catalogue, const NumberText& numbers)
        : m_catalogue(catalogue), m_numbers(numbers)
    {
    }

    // Forgets the columns of an earlier heading row.
    void clear() { m_columns.clear(); }
    // Takes the heading (as written) of column `column` when it names a
    // point of the catalogue that no earlier column counts; true when it took it.
    bool takeHeading(const QString& heading, int column);
    // Whether the list counts draw-off points.
    bool active() const { return !m_columns.empty(); }

    // The total and largest single unit of a section's counts; none with the
    // reason in `problem` when a count is not a whole number from 0 (each
    // such column named with its text), or when the total is beyond the
    // largest number. Every count 0 or empty gives no points.
    std::optional<SectionCounted> count(const std::vector<CellValue>& cells, QString& problem) const;

private:
    struct Column {
        int column;
        QString heading;   // as written, trimmed
        const tally::DrawOffPoint* point;  // in the catalogue
    };

    const tally::DrawOffCatalogue& m_catalogue;
    const NumberText& m_numbers;
    std::vector<Column> m_columns;
    mutable std::vector<std::pair<double, double>> m_terms;  // a section's units and counts, kept for their room
};
