#include "tally/DrawOffFile.h"

#include "base/CalculationText.h"
#include "base/CatalogueFile.h"
#include "base/CellText.h"
#include "base/SheetLimits.h"
#include "pipes/SizingText.h"
#include "workbook/WorkbookFiles.h"

#include <QDir>
#include <QFileInfo>

#include <cmath>
#include <map>

namespace tally {

QString readDrawOffFile(const WorkbookFiles& files, const QString& path, const NumberText& numbers,
                        DrawOffCatalogue& catalogue)
{
    const auto headings = {pointHeading, unitsEachHeading};  // required
    bool headed = false;
    std::vector<int> columns;
    QString missingHeadings;
    std::vector<DrawOffPoint> found;
    std::map<QString, int> rows;  // folded name → the row that gave it
    catalogueFile::Refusals refused;

    const QString reading = files.readRows(path, maxSheetRows, [&](int row, const std::vector<CellValue>& cells) {
        if (holdsNothing(cells)) return true;
        if (!headed) {
            headed = true;
            columns = catalogueFile::headingColumns(cells, numbers, headings);
            missingHeadings = catalogueFile::missingHeadings(columns, headings);
            columns.push_back(catalogueFile::headingColumns(cells, numbers, {minimumPressureHeading}).front());
            return missingHeadings.isEmpty();
        }
        const auto cell = [&](int column) { return std::size_t(column) < cells.size() ? cells[std::size_t(column)] : CellValue(); };
        const QString name = cellText(cell(columns[0]), numbers).trimmed();
        QStringList wrong;
        if (name.isEmpty()) wrong << calculationText::missing(pointHeading);
        const std::optional<double> units = catalogueFile::requiredNumber(cell(columns[1]), unitsEachHeading, numbers, wrong);
        if (units && (!(*units > 0) || !std::isfinite(*units)))
            wrong << QStringLiteral("%1 %2: nur grösser als 0").arg(unitsEachHeading, numbers.plain(*units));
        std::optional<double> minimum;
        if (columns[2] >= 0 && !holdsNothing(cell(columns[2]))) {
            const CellValue& given = cell(columns[2]);
            const pipes::Value which = pipes::Value::MinimumFlowPressure;
            if (!(minimum = cellNumber(given, numbers)))
                wrong << calculationText::notANumber(minimumPressureHeading, cellText(given, numbers).trimmed());
            else if (const QString problem = pipes::valueProblem(which, *minimum, numbers); !problem.isEmpty())
                wrong << problem;
        }
        if (wrong.isEmpty()) {
            const auto [earlier, fresh] = rows.try_emplace(name.toCaseFolded(), row);
            if (!fresh) wrong << QStringLiteral("Entnahmestelle »%1« schon in Zeile %2").arg(name).arg(earlier->second);
        }
        if (!wrong.isEmpty()) {
            refused.add(row, wrong.join(QStringLiteral("; ")));
            return true;
        }
        found.push_back({name, *units, minimum});
        return true;
    });

    const QString answer = catalogueFile::answer(QStringLiteral("Die Entnahmestellen"),
                                                 QDir::toNativeSeparators(QFileInfo(path).fileName()),
                                                 {reading, missingHeadings, headed, refused, !found.empty()},
                                                 QStringLiteral("Die Datei enthält keine Entnahmestelle."));
    if (!answer.isEmpty()) return answer;
    for (DrawOffPoint& point : found) catalogue.put(std::move(point));
    return {};
}

}  // namespace tally
