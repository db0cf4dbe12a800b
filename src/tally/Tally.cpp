#include "tally/Tally.h"

#include "base/CalculationText.h"
#include "base/CellValue.h"
#include "base/NumberText.h"
#include "tally/ExactSum.h"

#include <cmath>

namespace tally {

namespace {

const QString unitsEachName = QStringLiteral("BW je Stück");
const QString countName = QStringLiteral("Anzahl");

// The number in a cell, or why there is none that keeps the column's rule.
struct Cell {
    double value = 0;
    QString fault;
};

Cell unitsEachOf(const QString& text, const NumberText& numbers)
{
    if (holdsNothing(text)) return {0, calculationText::missing(unitsEachName)};
    if (!numbers.isNumber(text)) return {0, calculationText::notANumber(unitsEachName, text)};
    const double value = numbers.toDouble(text);
    if (!(value > 0)) return {0, QStringLiteral("%1 muss grösser als 0 sein: »%2«").arg(unitsEachName, text)};
    return {value, {}};
}

Cell countOf(const QString& text, const NumberText& numbers)
{
    if (holdsNothing(text)) return {0, calculationText::missing(countName)};
    if (!numbers.isNumber(text)) return {0, calculationText::notANumber(countName, text)};
    const double value = numbers.toDouble(text);
    if (value < 0 || std::trunc(value) != value)
        return {0, QStringLiteral("%1 muss eine ganze Zahl ab 0 sein: »%2«").arg(countName, text)};
    return {value, {}};
}

QString verdictOf(const Summary& s, const NumberText& numbers)
{
    for (std::size_t r = 0; r < s.rows.size(); ++r) {
        const RowCheck& row = s.rows[r];
        if (!row.valid())
            return QStringLiteral("Zeile %1: %2").arg(r + 1).arg(row.unitsEachFault.isEmpty() ? row.countFault : row.unitsEachFault);
    }
    if (!s.valid) return QStringLiteral("Total Belastungswerte zu gross");
    if (!s.largest) return QStringLiteral("Noch keine Entnahmestelle mit Anzahl ab 1");
    if (!s.outcome.accepted())
        return QStringLiteral("Keine Berechnung – ")
               + calculationText::refusalReason(s.outcome, s.total, *s.largest, numbers);
    return QStringLiteral("Formel: ") + calculationText::formulaName(s.outcome.c, numbers);
}

}  // namespace

bool isEmpty(const Row& row)
{
    return holdsNothing(row.name) && holdsNothing(row.unitsEach) && holdsNothing(row.count);
}

Summary summarize(const std::vector<Row>& rows, const NumberText& numbers)
{
    Summary s;
    ExactSum total;
    for (const Row& row : rows) {
        RowCheck check;
        check.blank = isEmpty(row);
        if (!check.blank) {
            const Cell unitsEach = unitsEachOf(row.unitsEach, numbers);
            const Cell count = countOf(row.count, numbers);
            check.unitsEachFault = unitsEach.fault;
            check.countFault = count.fault;
            if (check.valid()) {
                ExactSum units;
                units.add(unitsEach.value, count.value);
                if (const std::optional<double> product = units.value()) {
                    check.unitsEach = unitsEach.value;
                    check.count = count.value;
                    check.units = *product;
                    check.unitsText = numbers.exact(*product);
                    total.add(unitsEach.value, count.value);
                    if (count.value >= 1 && (!s.largest || unitsEach.value > *s.largest)) s.largest = unitsEach.value;
                } else {
                    check.countFault = QStringLiteral("%1 × %2 zu gross").arg(unitsEachName, countName);
                }
            }
        }
        s.valid = s.valid && check.valid();
        s.rows.push_back(std::move(check));
    }
    const std::optional<double> sum = total.value();
    s.valid = s.valid && sum.has_value();
    s.total = sum.value_or(0);
    s.totalText = numbers.exact(s.total);
    if (s.largest) {
        s.largestText = numbers.exact(*s.largest);
        s.outcome = calc::evaluate(s.total, *s.largest);
    }
    s.verdict = verdictOf(s, numbers);
    return s;
}

}  // namespace tally
