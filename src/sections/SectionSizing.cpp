#include "sections/SectionSizing.h"

#include "base/CalculationText.h"
#include "base/CellText.h"
#include "pipes/SizingText.h"

#include <numbers>

const QStringList SectionSizing::resultHeadings = {
    QStringLiteral("Rohr"),    QStringLiteral("di mm"), QStringLiteral("v m/s"), QStringLiteral("R hPa/m"),
    QStringLiteral("R·l hPa"), QStringLiteral("Z hPa"), QStringLiteral("Δp hPa")};
const QString SectionSizing::contentHeading = QStringLiteral("Inhalt l");
const QString SectionSizing::byVelocityHeading = QStringLiteral("Rohr nach v max");

std::optional<double> SectionSized::content() const
{
    if (!length) return std::nullopt;
    const double di = diameter() / 1000.0;  // m
    return std::numbers::pi / 4.0 * di * di * *length * 1000.0;  // m³ to l
}

bool SectionSizing::takeHeading(const QString& heading, int column)
{
    const auto matches = [&](const char* wanted) {
        return heading.compare(QString::fromUtf8(wanted), Qt::CaseInsensitive) == 0;
    };
    int* taken = matches("Rohrserie")                  ? &m_columns.series
                 : matches("Länge")                    ? &m_columns.length
                 : matches("Zeta") || matches("Σζ")    ? &m_columns.lossCoefficients
                 : matches("v max")                    ? &m_columns.maximumVelocity
                 : matches("Temperatur")               ? &m_columns.temperature
                 : matches("Rohr vorgegeben")          ? &m_columns.fixed
                                                       : nullptr;
    if (!taken || *taken >= 0) return false;
    *taken = column;
    return true;
}

std::optional<double> SectionSizing::value(const std::vector<CellValue>& cells, int column, pipes::Value which,
                                           QStringList& problems) const
{
    if (column < 0 || std::size_t(column) >= cells.size() || holdsNothing(cells[std::size_t(column)])) return std::nullopt;
    const CellValue& cell = cells[std::size_t(column)];
    const std::optional<double> number = cellNumber(cell, m_numbers);
    if (!number) {
        problems << calculationText::notANumber(pipes::valueName(which), cellText(cell, m_numbers).trimmed());
        return std::nullopt;
    }
    if (const QString problem = pipes::valueProblem(which, *number, m_numbers); !problem.isEmpty()) {
        problems << problem;
        return std::nullopt;
    }
    return number;
}

const pipes::PipeSeries* SectionSizing::seriesNamed(const QString& name) const
{
    if (name != m_lastName || !m_lastSeries) {
        m_lastName = name;
        m_lastSeries = m_options.catalogue.find(name);
    }
    return m_lastSeries;
}

std::optional<SectionSizing::Row> SectionSizing::readRow(const std::vector<CellValue>& cells, QString& problem) const
{
    QStringList problems;
    const auto cellAt = [&](int column) {
        return column >= 0 && std::size_t(column) < cells.size() ? cells[std::size_t(column)] : CellValue();
    };
    QString name = m_options.series;
    if (!holdsNothing(cellAt(m_columns.series))) name = cellText(cellAt(m_columns.series), m_numbers);
    Row row;
    if (holdsNothing(name)) problems << calculationText::missing(QStringLiteral("Rohrserie"));
    else if (!(row.series = seriesNamed(name))) problems << pipes::unknownSeries(name);

    row.conditions = m_options.defaults;
    row.conditions.length = value(cells, m_columns.length, pipes::Value::Length, problems);
    row.conditions.lossCoefficients = value(cells, m_columns.lossCoefficients, pipes::Value::LossCoefficients, problems);
    if (const auto v = value(cells, m_columns.maximumVelocity, pipes::Value::MaximumVelocity, problems))
        row.conditions.maximumVelocity = *v;
    if (const auto t = value(cells, m_columns.temperature, pipes::Value::Temperature, problems)) row.conditions.temperature = *t;

    if (const CellValue fixed = cellAt(m_columns.fixed); row.series && !holdsNothing(fixed)) {
        // The size as the series labels it, with or without the series' name before it.
        QString label = cellText(fixed, m_numbers).trimmed();
        if (label.startsWith(row.series->name + QLatin1Char(' '), Qt::CaseInsensitive)) label = label.mid(row.series->name.size()).trimmed();
        QStringList labels;
        for (std::size_t k = 0; k < row.series->sizes.size(); ++k) {
            labels << row.series->sizes[k].label;
            if (row.series->sizes[k].label.compare(label, Qt::CaseInsensitive) == 0) row.fixed = k;
        }
        if (!row.fixed)
            problems << QStringLiteral("Rohr »%1« gibt es in %2 nicht, nur %3")
                            .arg(cellText(fixed, m_numbers).trimmed(), row.series->name, labels.join(QStringLiteral(", ")));
    }
    if (!problems.isEmpty()) {
        problem = problems.join(QStringLiteral("; "));
        return std::nullopt;
    }
    return row;
}

std::optional<SectionSized> SectionSizing::size(const std::vector<CellValue>& cells, double flow, QString& problem, QString& note,
                                                std::optional<std::size_t> chosen) const
{
    const std::optional<Row> row = readRow(cells, problem);
    if (!row) return std::nullopt;
    const pipes::SizeFlow byVelocity = pipes::chooseSize(*row->series, flow, row->conditions);
    const std::optional<std::size_t> taken = row->fixed ? row->fixed : chosen;
    const pipes::SizeFlow sized = taken ? pipes::flowIn(*row->series, *taken, flow, row->conditions) : byVelocity;
    if (const QString unfit = pipes::unrepresentable(sized); !unfit.isEmpty()) {
        problem = unfit;
        return std::nullopt;
    }
    if (!sized.withinLimit) {
        if (row->fixed)
            note = QStringLiteral("v %1 m/s über v max %2 m/s")
                       .arg(m_numbers.format(sized.velocity, pipes::velocityPattern),
                            pipes::limitText(row->conditions.maximumVelocity, m_numbers));
        else
            problem = pipes::beyondLimit(*row->series, sized, row->conditions, m_numbers);
    }
    return SectionSized{row->series, sized, row->conditions.temperature, row->conditions.length, bool(row->fixed),
                        byVelocity.size};
}

std::vector<pipes::SizeFlow> SectionSizing::sizesAllowed(const std::vector<CellValue>& cells, double flow) const
{
    QString problem;
    const std::optional<Row> row = readRow(cells, problem);
    std::vector<pipes::SizeFlow> sizes;
    if (!row) return sizes;
    for (std::size_t k = row->fixed.value_or(0); k < row->series->sizes.size(); ++k) {
        const pipes::SizeFlow f = pipes::flowIn(*row->series, k, flow, row->conditions);
        if ((f.withinLimit || row->fixed) && pipes::unrepresentable(f).isEmpty()) sizes.push_back(f);
        if (row->fixed) break;
    }
    return sizes;
}
