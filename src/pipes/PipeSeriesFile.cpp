#include "pipes/PipeSeriesFile.h"

#include "base/CalculationText.h"
#include "base/CellText.h"
#include "base/SheetLimits.h"
#include "workbook/WorkbookFiles.h"

#include <QDir>
#include <QFileInfo>

#include <map>

namespace pipes {

namespace {

// Refusals past this many rows are counted, not listed.
constexpr int listedProblems = 12;

struct Columns {
    int series = -1, size = -1, diameter = -1, roughness = -1;
};

Columns findColumns(const std::vector<CellValue>& cells, const NumberText& numbers)
{
    Columns found;
    for (std::size_t c = 0; c < cells.size(); ++c) {
        const QString key = cellText(cells[c], numbers).trimmed();
        const auto take = [&](int& column, const QString& heading) {
            if (column < 0 && key.compare(heading, Qt::CaseInsensitive) == 0) column = int(c);
        };
        take(found.series, seriesHeading);
        take(found.size, sizeHeading);
        take(found.diameter, diameterHeading);
        take(found.roughness, roughnessHeading);
    }
    return found;
}

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
    const QString fileName = QFileInfo(path).fileName();
    std::optional<Columns> columns;
    QString missingHeadings;
    std::map<QString, Collected> found;  // by folded series name
    std::vector<QString> order;          // folded names as they come
    QStringList problems;
    int refused = 0;
    const auto refuse = [&](int row, const QString& why) {
        if (++refused <= listedProblems) problems << QStringLiteral("Zeile %1: %2").arg(row).arg(why);
    };

    const QString reading = files.readRows(path, maxSheetRows, [&](int row, const std::vector<CellValue>& cells) {
        if (!columns) {
            columns = findColumns(cells, numbers);
            QStringList missing;
            for (const auto& [column, heading] : {std::pair{columns->series, seriesHeading}, {columns->size, sizeHeading},
                                                 {columns->diameter, diameterHeading}, {columns->roughness, roughnessHeading}})
                if (column < 0) missing << QStringLiteral("„%1“").arg(heading);
            if (!missing.isEmpty()) {
                missingHeadings = QStringLiteral("Es fehlt die Spalte %1 (gesucht in der ersten Zeile).")
                                      .arg(missing.join(QStringLiteral(", die Spalte ")));
                return false;
            }
            return true;
        }
        const auto cell = [&](int column) { return std::size_t(column) < cells.size() ? cells[std::size_t(column)] : CellValue(); };
        const QString name = cellText(cell(columns->series), numbers).trimmed();
        const QString label = cellText(cell(columns->size), numbers).trimmed();
        const std::optional<double> di = cellNumber(cell(columns->diameter), numbers);
        const std::optional<double> k = cellNumber(cell(columns->roughness), numbers);
        QStringList wrong;
        if (name.isEmpty()) wrong << calculationText::missing(seriesHeading);
        if (label.isEmpty()) wrong << calculationText::missing(sizeHeading);
        if (!di)
            wrong << (holdsNothing(cell(columns->diameter)) ? calculationText::missing(diameterHeading)
                                                           : calculationText::notANumber(diameterHeading, cellText(cell(columns->diameter), numbers)));
        else if (!(*di > 0))
            wrong << QStringLiteral("%1 %2: nur grösser als 0").arg(diameterHeading, numbers.plain(*di));
        if (!k)
            wrong << (holdsNothing(cell(columns->roughness)) ? calculationText::missing(roughnessHeading)
                                                            : calculationText::notANumber(roughnessHeading, cellText(cell(columns->roughness), numbers)));
        else if (!(*k >= 0))
            wrong << QStringLiteral("%1 %2: nur 0 oder mehr").arg(roughnessHeading, numbers.plain(*k));
        if (!wrong.isEmpty()) {
            refuse(row, wrong.join(QStringLiteral("; ")));
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
            refuse(row, QStringLiteral("Rohrserie »%1« mit zweierlei %2: %3 in Zeile %4, hier %5")
                            .arg(name, roughnessHeading, numbers.plain(s.series.roughness))
                            .arg(s.roughnessRow)
                            .arg(numbers.plain(*k)));
            return true;
        }
        const auto [earlier, fresh] = s.labels.try_emplace(label.toCaseFolded(), row);
        if (!fresh) {
            refuse(row, QStringLiteral("Rohr »%1« in »%2« schon in Zeile %3").arg(label, name).arg(earlier->second));
            return true;
        }
        s.series.sizes.push_back({label, *di});
        return true;
    });

    const QString where = QStringLiteral("Die Rohrserien in „%1“ sind nicht lesbar: ").arg(QDir::toNativeSeparators(fileName));
    if (!reading.isEmpty()) return where + reading;
    if (!missingHeadings.isEmpty()) return where + missingHeadings;
    if (!columns) return where + QStringLiteral("Die Datei ist leer.");
    if (refused > 0) {
        if (refused > listedProblems) problems << QStringLiteral("und %1 weitere Zeilen").arg(refused - listedProblems);
        return QStringLiteral("Die Rohrserien in „%1“ werden nicht übernommen:\n").arg(fileName) + problems.join(QLatin1Char('\n'));
    }
    if (order.empty()) return where + QStringLiteral("Die Datei enthält keine Rohrserie.");
    for (const QString& key : order) catalogue.put(std::move(found[key].series));
    return {};
}

}  // namespace pipes
