#include "tally/DrawOffFile.h"

#include "base/CalculationText.h"
#include "base/CellText.h"
#include "base/SheetLimits.h"
#include "workbook/WorkbookFiles.h"

#include <QDir>
#include <QFileInfo>

#include <cmath>
#include <map>

namespace tally {

namespace {

// Refusals past this many rows are counted, not listed.
constexpr int listedProblems = 12;

}  // namespace

QString readDrawOffFile(const WorkbookFiles& files, const QString& path, const NumberText& numbers,
                        DrawOffCatalogue& catalogue)
{
    const QString fileName = QDir::toNativeSeparators(QFileInfo(path).fileName());
    bool headed = false;
    int nameColumn = -1, unitsColumn = -1;
    QString missingHeadings;
    std::vector<DrawOffPoint> found;
    std::map<QString, int> rows;  // folded name → the row that gave it
    QStringList problems;
    int refused = 0;

    const QString reading = files.readRows(path, maxSheetRows, [&](int row, const std::vector<CellValue>& cells) {
        if (holdsNothing(cells)) return true;
        if (!headed) {
            headed = true;
            for (std::size_t c = 0; c < cells.size(); ++c) {
                const QString key = cellText(cells[c], numbers).trimmed();
                if (nameColumn < 0 && key.compare(pointHeading, Qt::CaseInsensitive) == 0) nameColumn = int(c);
                else if (unitsColumn < 0 && key.compare(unitsEachHeading, Qt::CaseInsensitive) == 0) unitsColumn = int(c);
            }
            QStringList missing;
            if (nameColumn < 0) missing << QStringLiteral("„%1“").arg(pointHeading);
            if (unitsColumn < 0) missing << QStringLiteral("„%1“").arg(unitsEachHeading);
            if (missing.isEmpty()) return true;
            missingHeadings = QStringLiteral("Es fehlt die Spalte %1 (gesucht in der ersten Zeile).")
                                  .arg(missing.join(QStringLiteral(", die Spalte ")));
            return false;
        }
        const auto cell = [&](int column) { return std::size_t(column) < cells.size() ? cells[std::size_t(column)] : CellValue(); };
        const QString name = cellText(cell(nameColumn), numbers).trimmed();
        const CellValue unitsCell = cell(unitsColumn);
        const std::optional<double> units = cellNumber(unitsCell, numbers);
        QStringList wrong;
        if (name.isEmpty()) wrong << calculationText::missing(pointHeading);
        if (!units)
            wrong << (holdsNothing(unitsCell) ? calculationText::missing(unitsEachHeading)
                                              : calculationText::notANumber(unitsEachHeading, cellText(unitsCell, numbers)));
        else if (!(*units > 0) || !std::isfinite(*units))
            wrong << QStringLiteral("%1 %2: nur grösser als 0").arg(unitsEachHeading, numbers.plain(*units));
        if (wrong.isEmpty()) {
            const auto [earlier, fresh] = rows.try_emplace(name.toCaseFolded(), row);
            if (!fresh) wrong << QStringLiteral("Entnahmestelle »%1« schon in Zeile %2").arg(name).arg(earlier->second);
        }
        if (!wrong.isEmpty()) {
            if (++refused <= listedProblems) problems << QStringLiteral("Zeile %1: %2").arg(row).arg(wrong.join(QStringLiteral("; ")));
            return true;
        }
        found.push_back({name, *units});
        return true;
    });

    const QString where = QStringLiteral("Die Entnahmestellen in „%1“ sind nicht lesbar: ").arg(fileName);
    if (!reading.isEmpty()) return where + reading;
    if (!missingHeadings.isEmpty()) return where + missingHeadings;
    if (!headed) return where + QStringLiteral("Die Datei ist leer.");
    if (refused > 0) {
        if (refused > listedProblems) problems << QStringLiteral("und %1 weitere Zeilen").arg(refused - listedProblems);
        return QStringLiteral("Die Entnahmestellen in „%1“ werden nicht übernommen:\n").arg(fileName) + problems.join(QLatin1Char('\n'));
    }
    if (found.empty()) return where + QStringLiteral("Die Datei enthält keine Entnahmestelle.");
    for (DrawOffPoint& point : found) catalogue.put(std::move(point));
    return {};
}

}  // namespace tally
