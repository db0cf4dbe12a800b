#include "sections/SectionNetwork.h"

#include "base/CalculationText.h"
#include "base/CellText.h"
#include "base/NumberText.h"
#include "network/Pressure.h"
#include "network/SectionTree.h"
#include "pipes/SizingText.h"
#include "pipes/Water.h"
#include "sections/SectionList.h"

#include <cmath>

namespace {

const QString feederHeading = QStringLiteral("Zuleitung");

// A number of the summary with one decimal, and the minus sign of the
// typeset text before a negative one.
QString pressureText(double hPa, const NumberText& numbers)
{
    const QString shown = numbers.format(std::fabs(hPa), pipes::lossPattern) + QStringLiteral(" hPa");
    return hPa < 0 ? QStringLiteral("−") + shown : shown;
}

void addHint(QString& hint, const QString& text)
{
    if (!text.isEmpty()) hint = hint.isEmpty() ? text : hint + QStringLiteral("; ") + text;
}

}  // namespace

QStringList NetworkSummary::lines(const NumberText& numbers) const
{
    QStringList lines;
    if (!pressure) return lines;
    if (path.isEmpty()) {
        if (!unknown.isEmpty()) lines << QStringLiteral("Ungünstigster Fliessweg unbekannt (%1)").arg(unknown);
        return lines;
    }
    lines << QStringLiteral("Ungünstigster Fliessweg: ") + path.join(QStringLiteral(" → "))
          << QStringLiteral("Erforderlicher Versorgungsdruck: ") + pressureText(*required, numbers);
    if (!withSupply || !reserve) return lines;
    if (*reserve < 0)
        lines << QStringLiteral("Der Versorgungsdruck reicht nicht: Reserve %1 an „%2“").arg(pressureText(*reserve, numbers), path.last());
    else
        lines << QStringLiteral("Reserve: ") + pressureText(*reserve, numbers);
    return lines;
}

QStringList SectionNetwork::resultHeadings(bool withSupply) const
{
    QStringList headings;
    if (hasHeight()) headings << QStringLiteral("Δp geo hPa");
    headings << QStringLiteral("p erf. hPa");
    if (withSupply) headings << QStringLiteral("p Anfang hPa") << QStringLiteral("Reserve hPa");
    return headings << QStringLiteral("Fliessweg");
}

bool SectionNetwork::takeHeading(const QString& heading, int column)
{
    const auto matches = [&](const char* wanted) { return heading.compare(QString::fromUtf8(wanted), Qt::CaseInsensitive) == 0; };
    int* taken = matches("Zuleitung")            ? &m_columns.feeder
                 : matches("Höhe")               ? &m_columns.height
                 : matches("Apparate")           ? &m_columns.apparatus
                 : matches("Mindestfliessdruck") ? &m_columns.minimum
                 : matches("Versorgungsdruck")   ? &m_columns.supply
                                                 : nullptr;
    if (!taken || *taken >= 0) return false;
    *taken = column;
    return true;
}

std::vector<SectionResult> SectionNetwork::calculate(const SectionList& list, std::vector<NetworkRow>& rows,
                                                     NetworkSummary& summary) const
{
    const NumberText& numbers = list.numbers();
    const std::size_t n = rows.size();
    const auto cellOf = [](const std::vector<CellValue>& cells, int column) {
        return column >= 0 && std::size_t(column) < cells.size() ? cells[std::size_t(column)] : CellValue();
    };

    std::vector<SectionResult> results;
    results.reserve(n);
    std::vector<network::Link> links(n);
    std::vector<QString> names(n);
    std::vector<network::OwnUnits> own(n);
    for (std::size_t s = 0; s < n; ++s) {
        const std::vector<CellValue>& cells = rows[s].cells;
        results.push_back(list.startResult(cells, int(s) + 1));
        names[s] = cellText(cellOf(cells, list.nameColumn()), numbers).trimmed();
        links[s] = {names[s], cellText(cellOf(cells, m_columns.feeder), numbers), rows[s].row};
        own[s] = list.ownUnits(cells, results[s].counted);
    }
    const network::SectionTree tree(links);
    links.clear();
    const std::vector<network::SectionUnits> units = network::sumUnits(tree, own, names, list.counting(), numbers);
    own.clear();

    for (std::size_t s = 0; s < n; ++s) {
        SectionResult& r = results[s];
        const network::SectionUnits& u = units[s];
        if (!u.total) {
            r.hint = u.reason;
            continue;
        }
        r.total = u.total;
        r.largest = u.largest;
        r.singlePoint = u.singlePoint;
        // The result's "BW" and "Einzel BW" are the totals through the section.
        if (list.totalColumn() >= 0) r.cells[std::size_t(list.totalColumn())] = *u.total;
        if (list.largestColumn() >= 0) r.cells[std::size_t(list.largestColumn())] = *u.largest;
        list.settle(r, rows[s].cells, *u.total, *u.largest);
    }

    if (list.pressure()) {
        const bool withSupply = list.withSupply();
        std::vector<network::SectionLosses> losses(n);
        for (std::size_t s = 0; s < n; ++s) {
            SectionResult& r = results[s];
            const std::vector<CellValue>& cells = rows[s].cells;
            QStringList problems;
            const auto value = [&](int column, pipes::Value which) -> std::optional<double> {
                const CellValue cell = cellOf(cells, column);
                if (holdsNothing(cell)) return std::nullopt;
                const std::optional<double> number = cellNumber(cell, numbers);
                QString problem = number ? pipes::valueProblem(which, *number, numbers)
                                         : calculationText::notANumber(pipes::valueName(which), cellText(cell, numbers).trimmed());
                if (problem.isEmpty()) return number;
                problems << problem;
                return std::nullopt;
            };
            const std::optional<double> height = value(m_columns.height, pipes::Value::Height);
            const std::optional<double> apparatus = value(m_columns.apparatus, pipes::Value::Apparatus);
            const std::optional<double> minimum = value(m_columns.minimum, pipes::Value::MinimumFlowPressure);
            const std::optional<double> supply = value(m_columns.supply, pipes::Value::SupplyPressure);
            network::SectionLosses& l = losses[s];
            l.minimum = minimum ? minimum : r.counted ? r.counted->minimumFlowPressure : std::nullopt;
            if (tree.feeder(int(s)) == network::SectionTree::supply) l.supply = supply ? supply : list.options().supplyPressure;
            else if (supply) addHint(r.hint, QStringLiteral("Versorgungsdruck nicht übernommen: die Teilstrecke hat eine Zuleitung"));
            if (!r.accepted() || tree.refused(int(s))) continue;
            if (!r.sizing->flow.pressureLoss) problems << QStringLiteral("Länge oder Zeta fehlt für den Druckverlust");
            if (!problems.isEmpty()) {
                addHint(r.hint, problems.join(QStringLiteral("; ")));
                r.unknown = true;
                continue;
            }
            if (hasHeight()) r.pressure.staticLoss = pipes::staticPressure(height.value_or(0.0), r.sizing->temperature);
            l.loss = *r.sizing->flow.pressureLoss + r.pressure.staticLoss.value_or(0.0) + apparatus.value_or(0.0);
        }
        const network::NetworkPressure pressure = network::checkPressure(tree, losses, names, withSupply);
        for (std::size_t s = 0; s < n; ++s) {
            SectionResult& r = results[s];
            const network::SectionPressure& p = pressure.sections[s];
            r.pressure.required = p.required;
            r.pressure.start = p.start;
            r.pressure.reserve = p.reserve;
            r.pressure.onPath = p.onPath;
            if (!p.reason.isEmpty() && r.accepted()) {
                addHint(r.hint, p.reason);
                r.unknown = true;
            }
        }
        summary.pressure = true;
        summary.withSupply = withSupply;
        for (const int s : pressure.path) summary.path << names[std::size_t(s)];
        if (!pressure.path.empty()) {
            summary.required = pressure.sections[std::size_t(pressure.path.front())].required;
            summary.reserve = pressure.sections[std::size_t(pressure.path.front())].reserve;
        }
        summary.unknown = pressure.unknown;
    }

    for (std::size_t s = 0; s < n; ++s) list.noteDropped(results[s], rows[s].cells);
    return results;
}
