#include "sections/SectionNetwork.h"

#include "base/CalculationText.h"
#include "base/CellText.h"
#include "base/NumberText.h"
#include "network/Pressure.h"
#include "network/PressureSizing.h"
#include "network/SectionTree.h"
#include "pipes/SizingText.h"
#include "pipes/Water.h"
#include "sections/SectionList.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

const QString feederHeading = QStringLiteral("Zuleitung");

// A number of the summary with one decimal, and the minus sign of the
// typeset text before a negative one.
QString pressureText(double hPa, const NumberText& numbers)
{
    const QString shown = numbers.format(std::fabs(hPa), pipes::lossPattern) + QStringLiteral(" hPa");
    return hPa < 0 ? QStringLiteral("−") + shown : shown;
}


}  // namespace

QStringList NetworkSummary::lines(const NumberText& numbers) const
{
    QStringList lines;
    if (pressure && path.isEmpty() && !unknown.isEmpty())
        lines << QStringLiteral("Ungünstigster Fliessweg unbekannt (%1)").arg(unknown);
    if (pressure && !path.isEmpty()) {
        // A long path by its ends; the column "Fliessweg" marks all of it.
        constexpr qsizetype ends = 5;
        const QString arrow = QStringLiteral(" → ");
        const QString shown = path.size() <= 3 * ends ? path.join(arrow)
                                                      : path.first(ends).join(arrow) + arrow
                                                            + QStringLiteral("… (%1 weitere) …").arg(path.size() - 2 * ends)
                                                            + arrow + path.last(ends).join(arrow);
        lines << QStringLiteral("Ungünstigster Fliessweg: ") + shown
              << QStringLiteral("Erforderlicher Versorgungsdruck: ") + pressureText(*required, numbers);
        if (withSupply && reserve) {
            if (*reserve >= 0)
                lines << QStringLiteral("Reserve: ") + pressureText(*reserve, numbers);
            else if (evenLargest)
                lines << QStringLiteral("Der Versorgungsdruck reicht auch mit den grössten Rohren nicht: Reserve %1 an „%2“")
                             .arg(pressureText(*reserve, numbers), path.last());
            else
                lines << QStringLiteral("Der Versorgungsdruck reicht nicht: Reserve %1 an „%2“").arg(pressureText(*reserve, numbers), path.last());
        }
    }
    if (content) lines << QStringLiteral("Wasserinhalt: %1 l").arg(numbers.format(*content, NumberText::Pattern::OneDecimal));
    if (byPressure) lines << (enlarged == 1 ? QStringLiteral("Vergrössert: 1 Teilstrecke") : QStringLiteral("Vergrössert: %1 Teilstrecken").arg(enlarged));
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

void SectionNetwork::noteSupply(const std::vector<NetworkRow>& rows)
{
    const auto holds = [](const std::vector<CellValue>& cells, int column) {
        return column >= 0 && std::size_t(column) < cells.size() && !holdsNothing(cells[std::size_t(column)]);
    };
    m_supplyGiven = std::any_of(rows.begin(), rows.end(), [&](const NetworkRow& r) {
        return holds(r.cells, m_columns.supply) && !holds(r.cells, m_columns.feeder);
    });
}

void SectionNetwork::calculate(const SectionList& list, std::vector<NetworkRow>& rows, NetworkSummary& summary,
                               const std::function<void(const SectionResult&)>& hand) const
{
    const NumberText& numbers = list.numbers();
    const std::size_t n = rows.size();
    static const CellValue none;
    const auto cellOf = [](const std::vector<CellValue>& cells, int column) -> const CellValue& {
        return column >= 0 && std::size_t(column) < cells.size() ? cells[std::size_t(column)] : none;
    };

    std::vector<QString> names(n), labels(n);
    std::optional<network::SectionTree> tree;
    std::vector<std::optional<double>> countedMinimum(n);  // hPa, of each section's own points
    std::vector<network::SectionUnits> units;
    {
        std::vector<network::Link> links(n);
        std::vector<network::OwnUnits> own(n);
        for (std::size_t s = 0; s < n; ++s) {
            const std::vector<CellValue>& cells = rows[s].cells;
            names[s] = cellText(cellOf(cells, list.nameColumn()), numbers).trimmed();
            links[s] = {names[s], cellText(cellOf(cells, m_columns.feeder), numbers), rows[s].row};
            labels[s] = network::sectionLabel(links[s]);
            std::optional<SectionCounted> counted;
            own[s] = list.ownUnits(cells, counted);
            if (counted) countedMinimum[s] = counted->minimumFlowPressure;
        }
        tree.emplace(links);
        units = network::sumUnits(*tree, own, labels, list.counting(), numbers);
    }

    // A section's flow, sizing and loss from its sums and cells. Done twice,
    // once for the pressure rule and once for the result, so that no
    // section's result is kept while the others are calculated.
    const bool pressure = list.pressure();
    // `chosen`: the size chosen by pressure, -1 for v max's; `apparatusLoss`:
    // the Apparate of the section settled last.
    std::vector<int> chosen(n, -1);
    double apparatusLoss = 0;
    // A section's loss at peak flow in a size whose Δp is `pipeLoss`.
    const auto lossOf = [&](double pipeLoss, const SectionResult& r) {
        return pipeLoss + r.pressure.staticLoss.value_or(0.0) + apparatusLoss;
    };
    const auto settle = [&](std::size_t s, SectionResult& r, const std::vector<CellValue>& cells, network::SectionLosses& l) {
        const network::SectionUnits& u = units[s];
        if (!u.total) {
            r.hint = u.reason;
            return;
        }
        r.total = u.total;
        r.largest = u.largest;
        r.singlePoint = u.singlePoint;
        list.settle(r, cells, *u.total, *u.largest,
                    chosen[s] < 0 ? std::nullopt : std::optional<std::size_t>(std::size_t(chosen[s])));
        if (!pressure) return;
        QStringList problems;
        const auto value = [&](int column, pipes::Value which) -> std::optional<double> {
            const CellValue& cell = cellOf(cells, column);
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
        l.minimum = minimum ? minimum : countedMinimum[s];
        if (tree->feeder(int(s)) == network::SectionTree::supply) l.supply = supply ? supply : list.options().supplyPressure;
        else if (supply) calculationText::addReason(r.hint, QStringLiteral("Versorgungsdruck nicht übernommen: die Teilstrecke hat eine Zuleitung"));
        if (!r.accepted()) return;
        if (!r.sizing->flow.pressureLoss) problems << QStringLiteral("Länge oder Zeta fehlt für den Druckverlust");
        if (!problems.isEmpty()) {
            calculationText::addReason(r.hint, problems.join(QStringLiteral("; ")));
            r.unknown = true;
            return;
        }
        if (hasHeight()) r.pressure.staticLoss = pipes::staticPressure(height.value_or(0.0), r.sizing->temperature);
        apparatusLoss = apparatus.value_or(0.0);
        l.loss = lossOf(*r.sizing->flow.pressureLoss, r);
    };

    std::optional<network::NetworkPressure> checked;
    if (list.byPressure()) {
        // Every size each section may take, with its loss and content.
        std::vector<network::SectionOptions> options(n);
        std::vector<std::vector<std::uint8_t>> sizeOf(n);  // in the series, of each option
        for (std::size_t s = 0; s < n; ++s) {
            SectionResult r;
            network::SectionLosses l;
            settle(s, r, rows[s].cells, l);
            options[s].minimum = l.minimum;
            options[s].supply = l.supply;
            if (!l.loss) continue;
            for (const pipes::SizeFlow& f : list.sizing().sizesAllowed(rows[s].cells, r.flow)) {
                const SectionSized size{r.sizing->series, f, r.sizing->temperature, r.sizing->length};
                options[s].sizes.push_back(network::SizeOption{lossOf(*f.pressureLoss, r), size.content().value_or(0.0)});
                sizeOf[s].push_back(std::uint8_t(f.size));
            }
        }
        // Exact while each section's list stays within its share of about
        // four million points, at least 64 each.
        const network::PressureChoice choice =
            network::chooseByPressure(*tree, options, std::max<std::size_t>(64, 4000000 / std::max<std::size_t>(n, 1)));
        for (std::size_t s = 0; s < n; ++s)
            if (choice.size[s] >= 0) chosen[s] = sizeOf[s][std::size_t(choice.size[s])];
        summary.evenLargest = !choice.shortTrees.empty();
    }
    if (pressure) {
        std::vector<network::SectionLosses> losses(n);
        for (std::size_t s = 0; s < n; ++s) {
            SectionResult r;
            settle(s, r, rows[s].cells, losses[s]);
        }
        checked = network::checkPressure(*tree, losses, labels, list.withSupply());
        summary.pressure = true;
        summary.withSupply = list.withSupply();
        summary.byPressure = list.byPressure();
        for (const int s : checked->path) summary.path << names[std::size_t(s)];
        if (!checked->path.empty()) {
            summary.required = checked->sections[std::size_t(checked->path.front())].required;
            summary.reserve = checked->sections[std::size_t(checked->path.front())].reserve;
        }
        summary.unknown = checked->unknown;
    }

    for (std::size_t s = 0; s < n; ++s) {
        const std::size_t given = rows[s].cells.size();
        SectionResult r = list.startResult(std::move(rows[s].cells), int(s) + 1);
        network::SectionLosses unused;
        settle(s, r, r.cells, unused);
        if (r.total) {
            // The result's "BW" and "Einzel BW" are the totals through the
            // section; a cell that states them already stays as written.
            for (const auto& [column, value] : {std::pair(list.totalColumn(), *r.total), std::pair(list.largestColumn(), *r.largest)})
                if (column >= 0 && cellNumber(r.cells[std::size_t(column)], numbers) != value) r.cells[std::size_t(column)] = value;
        }
        if (checked) {
            const network::SectionPressure& p = checked->sections[s];
            r.pressure.required = p.required;
            r.pressure.start = p.start;
            r.pressure.reserve = p.reserve;
            r.pressure.onPath = p.onPath;
            if (!p.reason.isEmpty() && r.accepted()) {
                calculationText::addReason(r.hint, p.reason);
                r.unknown = true;
            }
        }
        if (r.sizing && list.sized()) {
            if (const auto content = r.sizing->content()) summary.content = summary.content.value_or(0.0) + *content;
            if (list.byPressure() && r.sizing->flow.size > r.sizing->byVelocity) ++summary.enlarged;
        }
        list.noteDropped(r, given);
        hand(r);
    }
}
