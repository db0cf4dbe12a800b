#include "pipes/PipeSeriesFile.h"

#include "base/CalculationText.h"
#include "base/CatalogueFile.h"
#include "base/CellText.h"
#include "base/SheetLimits.h"
#include "workbook/WorkbookFiles.h"

#include <QDir>
#include <QFileInfo>

#include <map>

namespace pipes {

namespace {

// One series as the file gives it so far.
struct Collected {
    PipeSeries series;
    int roughnessRow = 0;            // where its k was first given
    std::map<QString, int> labels;   // folded label → row
};

}  // namespace

QString readPipeSeriesFile(const WorkbookFiles& files, const QString& path, const NumberText& numbers,
                           PipeCatalogue& catalogue)
{
    const auto headings = {seriesHeading, sizeHeading, diameterHeading, roughnessHeading};
    std::optional<std::vector<int>> columns;
    QString missingHeadings;
    std::map<QString, Collected> found;  // by folded series name
    std::vector<QString> order;          // folded names as they come
    catalogueFile::Refusals refused;

    const QString reading = files.readRows(path, maxSheetRows, [&](int row, const std::vector<CellValue>& cells) {
        if (!columns) {
            columns = catalogueFile::headingColumns(cells, numbers, headings);
            missingHeadings = catalogueFile::missingHeadings(*columns, headings);
            return missingHeadings.isEmpty();
        }
        const auto cell = [&](int column) { return std::size_t(column) < cells.size() ? cells[std::size_t(column)] : CellValue(); };
        const QString name = cellText(cell((*columns)[0]), numbers).trimmed();
        const QString label = cellText(cell((*columns)[1]), numbers).trimmed();
        QStringList wrong;
        if (name.isEmpty()) wrong << calculationText::missing(seriesHeading);
        if (label.isEmpty()) wrong << calculationText::missing(sizeHeading);
        const std::optional<double> di = catalogueFile::requiredNumber(cell((*columns)[2]), diameterHeading, numbers, wrong);
        if (di && !(*di > 0)) wrong << QStringLiteral("%1 %2: nur grösser als 0").arg(diameterHeading, numbers.plain(*di));
        const std::optional<double> k = catalogueFile::requiredNumber(cell((*columns)[3]), roughnessHeading, numbers, wrong);
        if (k && !(*k >= 0)) wrong << QStringLiteral("%1 %2: nur 0 oder mehr").arg(roughnessHeading, numbers.plain(*k));
        if (!wrong.isEmpty()) {
            refused.add(row, wrong.join(QStringLiteral("; ")));
            return true;
        }
        const QString key = name.toCaseFolded();
        auto [entry, added] = found.try_emplace(key);
        Collected& s = entry->second;
        if (added) {
            s.series = {name, *k, {}};
            s.roughnessRow = row;
            order.push_back(key);
        } else if (s.series.roughness != *k) {
            refused.add(row, QStringLiteral("Rohrserie »%1« mit zweierlei %2: %3 in Zeile %4, hier %5")
                            .arg(name, roughnessHeading, numbers.plain(s.series.roughness))
                            .arg(s.roughnessRow)
                            .arg(numbers.plain(*k)));
            return true;
        }
        const auto [earlier, fresh] = s.labels.try_emplace(label.toCaseFolded(), row);
        if (!fresh) {
            refused.add(row, QStringLiteral("Rohr »%1« in »%2« schon in Zeile %3").arg(label, name).arg(earlier->second));
            return true;
        }
        s.series.sizes.push_back({label, *di});
        return true;
    });

    const QString answer = catalogueFile::answer(QStringLiteral("Die Rohrserien"),
                                                 QDir::toNativeSeparators(QFileInfo(path).fileName()),
                                                 {reading, missingHeadings, columns.has_value(), refused, !order.empty()},
                                                 QStringLiteral("Die Datei enthält keine Rohrserie."));
    if (!answer.isEmpty()) return answer;
    for (const QString& key : order) catalogue.put(std::move(found[key].series));
    return {};
}

}  // namespace pipes
