#include "base/CatalogueFile.h"

#include "base/CalculationText.h"
#include "base/CellText.h"

namespace catalogueFile {

namespace {

constexpr int namedRows = 12;

}  // namespace

std::vector<int> headingColumns(const std::vector<CellValue>& cells, const NumberText& numbers,
                                std::initializer_list<QString> headings)
{
    std::vector<int> columns(headings.size(), -1);
    for (std::size_t c = 0; c < cells.size(); ++c) {
        const QString key = cellText(cells[c], numbers).trimmed();
        std::size_t h = 0;
        for (const QString& heading : headings) {
            if (columns[h] < 0 && key.compare(heading, Qt::CaseInsensitive) == 0) {
                columns[h] = int(c);
                break;
            }
            ++h;
        }
    }
    return columns;
}

QString missingHeadings(const std::vector<int>& columns, std::initializer_list<QString> headings)
{
    QStringList missing;
    std::size_t h = 0;
    for (const QString& heading : headings)
        if (columns.at(h++) < 0) missing << QStringLiteral("„%1“").arg(heading);
    if (missing.isEmpty()) return {};
    return QStringLiteral("Es fehlt die Spalte %1 (gesucht in der ersten Zeile).").arg(missing.join(QStringLiteral(", die Spalte ")));
}

std::optional<double> requiredNumber(const CellValue& cell, const QString& heading, const NumberText& numbers,
                                     QStringList& wrong)
{
    const std::optional<double> number = cellNumber(cell, numbers);
    if (!number)
        wrong << (holdsNothing(cell) ? calculationText::missing(heading)
                                     : calculationText::notANumber(heading, cellText(cell, numbers)));
    return number;
}

void Refusals::add(int row, const QString& why)
{
    if (++m_count <= namedRows) m_named << QStringLiteral("Zeile %1: %2").arg(row).arg(why);
}

QString Refusals::lines() const
{
    QStringList all = m_named;
    if (m_count > namedRows) all << QStringLiteral("und %1 weitere Zeilen").arg(m_count - namedRows);
    return all.join(QLatin1Char('\n'));
}

QString answer(const QString& entries, const QString& fileName, const Outcome& outcome, const QString& none)
{
    const QString where = QStringLiteral("%1 in „%2“ sind nicht lesbar: ").arg(entries, fileName);
    if (!outcome.reading.isEmpty()) return where + outcome.reading;
    if (!outcome.missingHeadings.isEmpty()) return where + outcome.missingHeadings;
    if (!outcome.headed) return where + QStringLiteral("Die Datei ist leer.");
    if (outcome.refused.count() > 0)
        return QStringLiteral("%1 in „%2“ werden nicht übernommen:\n").arg(entries, fileName) + outcome.refused.lines();
    if (!outcome.foundAny) return where + none;
    return {};
}

}  // namespace catalogueFile
