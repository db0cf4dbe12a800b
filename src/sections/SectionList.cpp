#include "sections/SectionList.h"

#include "base/CalculationText.h"
#include "base/CellText.h"
#include "base/RuntimeError.h"

const QStringList SectionList::resultHeadings = {QStringLiteral("Formel"), QStringLiteral("l/sec"),
                                                 QStringLiteral("l/min")};
const QString SectionList::hintHeading = QStringLiteral("Hinweis");

const SizingOptions& SectionList::noSizing()
{
    static const SizingOptions none;
    return none;
}

namespace {

const QString nameHeading = QStringLiteral("Teilstrecke");
const QString totalHeading = QStringLiteral("BW");
const QString largestHeading = QStringLiteral("Einzel BW");

}  // namespace

void SectionList::setHeadings(const std::vector<CellValue>& cells, Source source)
{
    m_source = source;
    m_headings.clear();
    m_name = m_total = m_largest = -1;
    m_sizing.clear();
    m_counts.clear();
    m_network.clear();
    for (std::size_t c = 0; c < cells.size(); ++c) {
        const QString heading = cellText(cells[c], m_numbers);
        m_headings << heading;
        // The first column of each heading counts; case and blanks around it do not.
        const QString key = heading.trimmed();
        const auto matches = [&](const QString& wanted) { return key.compare(wanted, Qt::CaseInsensitive) == 0; };
        if (matches(nameHeading) && m_name < 0) m_name = int(c);
        else if (matches(totalHeading) && m_total < 0) m_total = int(c);
        else if (matches(largestHeading) && m_largest < 0) m_largest = int(c);
        else if (!m_sizing.takeHeading(key, int(c)) && !m_network.takeHeading(key, int(c))) m_counts.takeHeading(key, int(c));
    }
    if (m_network.active() && m_name < 0)
        throw RuntimeError(QStringLiteral("Der Liste der Teilstrecken fehlt die Spalte „%1“ (gesucht in der ersten Zeile); "
                                          "mit der Spalte „Zuleitung“ braucht jede Teilstrecke einen Namen.")
                               .arg(nameHeading));
    if (m_counts.active() || m_network.active()) return;
    QStringList missing;
    if (m_total < 0) missing << QStringLiteral("„%1“").arg(totalHeading);
    if (m_largest < 0) missing << QStringLiteral("„%1“").arg(largestHeading);
    if (!missing.isEmpty())
        throw RuntimeError(QStringLiteral("Der Liste der Teilstrecken fehlt die Spalte %1 (gesucht in der ersten Zeile).")
                               .arg(missing.join(QStringLiteral(" und die Spalte "))));
}

QStringList SectionList::headings() const
{
    QStringList all;
    if (numbered()) all << nameHeading;
    all << m_headings;
    if (addsUnits()) {
        if (m_total < 0) all << totalHeading;
        if (m_largest < 0) all << largestHeading;
    }
    all << resultHeadings;
    if (sized()) all << SectionSizing::resultHeadings;
    if (sized() && network()) all << SectionSizing::contentHeading;
    if (byPressure()) all << SectionSizing::byVelocityHeading;
    if (pressure()) all << m_network.resultHeadings(withSupply());
    return all << hintHeading;
}

std::optional<double> SectionList::numberIn(const std::vector<CellValue>& cells, int column, const QString& heading,
                                            QString& reason) const
{
    const CellValue value = std::size_t(column) < cells.size() ? cells[std::size_t(column)] : CellValue();
    if (const std::optional<double> number = cellNumber(value, m_numbers)) return number;
    const QString text = cellText(value, m_numbers);
    reason = holdsNothing(text) ? calculationText::missing(heading) : calculationText::notANumber(heading, text);
    return std::nullopt;
}

SectionResult SectionList::startResult(std::vector<CellValue> cells, int number) const
{
    SectionResult result;
    result.number = number;
    result.cells = std::move(cells);
    result.cells.resize(std::size_t(m_headings.size()));
    return result;
}

SectionResult SectionList::calculate(const std::vector<CellValue>& cells)
{
    SectionResult result = startResult(
        std::vector<CellValue>(cells.begin(), cells.begin() + qsizetype(std::min(cells.size(), std::size_t(m_headings.size())))),
        ++m_count);

    // Both values are read before anything is decided, as a "Berechnen" press
    // reads both boxes, also when the total alone would choose the formula.
    QStringList reasons;
    std::optional<double> total, largest;
    QString reason;
    if (m_total >= 0 && !(total = numberIn(cells, m_total, totalHeading, reason))) reasons << reason;
    if (m_largest >= 0 && !(largest = numberIn(cells, m_largest, largestHeading, reason))) reasons << reason;
    if (m_counts.active()) {
        // A column that is there holds; counts that give another number refuse the section.
        result.counted = m_counts.count(cells, reason);
        if (result.counted && result.counted->points == 0) {
            result.counted.reset();
            reason = QStringLiteral("keine Entnahmestellen");
        }
        if (!result.counted) {
            reasons << reason;
        } else {
            const auto agree = [&](std::optional<double>& stated, int column, double counted, const QString& heading) {
                if (column < 0) stated = counted;
                else if (stated && *stated != counted)
                    reasons << QStringLiteral("%1 %2 laut Spalte, %3 aus den Entnahmestellen")
                                   .arg(heading, m_numbers.exact(*stated), m_numbers.exact(counted));
            };
            agree(total, m_total, result.counted->total, totalHeading);
            agree(largest, m_largest, result.counted->largest, largestHeading);
        }
    }
    if (!reasons.isEmpty()) result.hint = reasons.join(QStringLiteral("; "));
    else settle(result, cells, *total, *largest);
    noteDropped(result, cells.size());
    return result;
}

network::OwnUnits SectionList::ownUnits(const std::vector<CellValue>& cells, std::optional<SectionCounted>& counted) const
{
    network::OwnUnits own;
    QStringList problems;
    QString reason;
    // In a network a cell that holds nothing states nothing.
    const auto stated = [&](int column, const QString& heading) -> std::optional<double> {
        if (column < 0 || std::size_t(column) >= cells.size() || holdsNothing(cells[std::size_t(column)])) return std::nullopt;
        const std::optional<double> number = numberIn(cells, column, heading, reason);
        if (!number) problems << reason;
        return number;
    };
    own.statedTotal = stated(m_total, totalHeading);
    own.statedLargest = stated(m_largest, largestHeading);
    if (m_counts.active()) {
        counted = m_counts.count(cells, reason);
        if (!counted) {
            problems << reason;
        } else {
            own.countedTotal = counted->total;
            own.countedLargest = counted->largest;
            own.points = counted->points;
        }
    }
    own.problem = problems.join(QStringLiteral("; "));
    return own;
}

void SectionList::settle(SectionResult& result, const std::vector<CellValue>& cells, double total, double largest,
                         std::optional<std::size_t> chosen) const
{
    if (result.singlePoint) {
        // One draw-off point carries its own design flow (EN 806-3, table 2:
        // 1 BW stands for 0.1 l/s), as its connection pipe does.
        result.flow = total / 10.0;
    } else {
        const calc::Outcome outcome = calc::evaluate(total, largest);
        if (!outcome.accepted()) {
            result.hint = calculationText::refusalReason(outcome, total, largest, m_numbers);
            return;
        }
        result.formula = outcome.c;
        result.flow = outcome.flow;
    }
    if (sized()) {
        QString note;
        result.sizing = m_sizing.size(cells, result.flow, result.hint, note, chosen);
        result.sizingRefused = !result.hint.isEmpty();
        if (!note.isEmpty()) result.hint = note;
    }
}

void SectionList::noteDropped(SectionResult& result, std::size_t given) const
{
    if (given <= result.cells.size()) return;
    // A cell right of the last heading has no column in the result.
    const QString dropped = QStringLiteral("Werte rechts der letzten Überschrift (ab Spalte %1) nicht übernommen")
                                .arg(m_headings.size() + 1);
    calculationText::addReason(result.hint, dropped);
}

CellValue SectionList::workbookCell(const SectionResult& result, std::size_t column) const
{
    const CellValue& cell = result.cells.at(column);
    if (m_source == Source::SeparatedText && int(column) != m_name && int(column) != m_sizing.seriesColumn())
        if (const QString* text = std::get_if<QString>(&cell))
            if (const std::optional<double> number = m_numbers.fileNumber(*text)) return *number;
    return cell;
}

std::vector<std::optional<double>> SectionList::countedCells(const SectionResult& result) const
{
    std::vector<std::optional<double>> values;
    if (m_network.active()) {
        if (m_total < 0) values.push_back(result.total);
        if (m_largest < 0) values.push_back(result.largest);
        return values;
    }
    if (!m_counts.active()) return values;
    if (m_total < 0) values.push_back(result.counted ? std::optional(result.counted->total) : std::nullopt);
    if (m_largest < 0) values.push_back(result.counted ? std::optional(result.counted->largest) : std::nullopt);
    return values;
}

QString SectionList::formulaText(const SectionResult& result) const
{
    if (result.singlePoint) return QStringLiteral("eine Entnahmestelle");
    return result.formula ? calculationText::formulaName(*result.formula, m_numbers) : QString();
}
