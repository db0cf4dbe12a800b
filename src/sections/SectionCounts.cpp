#include "sections/SectionCounts.h"

#include "base/CalculationText.h"
#include "base/CellText.h"
#include "tally/ExactSum.h"

#include <cmath>

bool SectionCounts::takeHeading(const QString& heading, int column)
{
    const tally::DrawOffPoint* point = m_catalogue.find(heading);
    if (!point) return false;
    for (const Column& c : m_columns)
        if (c.point == point) return false;
    m_columns.push_back({column, heading.trimmed(), point});
    return true;
}

std::optional<SectionCounted> SectionCounts::count(const std::vector<CellValue>& cells, QString& problem) const
{
    QStringList problems;
    std::optional<double> largest, minimum;
    double points = 0;
    // Whole loading units times whole counts, added in doubles while every
    // product and the sum stay below 2^53, where each whole number is a
    // double: the exact sum without GMP. Any other term: ExactSum of all.
    constexpr double wholeLimit = 9007199254740992.0;  // 2^53
    double wholeSum = 0;
    bool whole = true;
    m_terms.clear();
    for (const Column& c : m_columns) {
        if (std::size_t(c.column) >= cells.size() || holdsNothing(cells[std::size_t(c.column)])) continue;
        const CellValue& cell = cells[std::size_t(c.column)];
        const std::optional<double> count = cellNumber(cell, m_numbers);
        if (!count) {
            problems << calculationText::notANumber(c.heading, cellText(cell, m_numbers).trimmed());
            continue;
        }
        if (!(*count >= 0) || !std::isfinite(*count) || std::trunc(*count) != *count) {
            problems << QStringLiteral("%1 muss eine ganze Zahl ab 0 sein: »%2«").arg(c.heading, cellText(cell, m_numbers).trimmed());
            continue;
        }
        if (*count == 0) continue;
        const double units = c.point->unitsEach;
        m_terms.emplace_back(units, *count);
        whole = whole && std::trunc(units) == units && units * *count < wholeLimit && wholeSum + units * *count < wholeLimit;
        if (whole) wholeSum += units * *count;
        if (!largest || c.point->unitsEach > *largest) largest = c.point->unitsEach;
        if (c.point->minimumFlowPressure && (!minimum || *c.point->minimumFlowPressure > *minimum))
            minimum = c.point->minimumFlowPressure;
        points += *count;
    }
    if (!problems.isEmpty()) {
        problem = problems.join(QStringLiteral("; "));
        return std::nullopt;
    }
    if (!largest) return SectionCounted{};
    if (whole) return SectionCounted{wholeSum, *largest, points, minimum};
    tally::ExactSum total;
    for (const auto& [units, count] : m_terms) total.add(units, count);
    const std::optional<double> sum = total.value();
    if (!sum) {
        problem = QStringLiteral("BW aus den Entnahmestellen zu gross");
        return std::nullopt;
    }
    return SectionCounted{*sum, *largest, points, minimum};
}
