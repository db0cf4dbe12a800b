#include "sections/SectionSizing.h"

#include "base/CalculationText.h"
#include "base/CellText.h"
#include "pipes/SizingText.h"

const QStringList SectionSizing::resultHeadings = {
    QStringLiteral("Rohr"),    QStringLiteral("di mm"), QStringLiteral("v m/s"), QStringLiteral("R hPa/m"),
    QStringLiteral("R·l hPa"), QStringLiteral("Z hPa"), QStringLiteral("Δp hPa")};

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

std::optional<SectionSized> SectionSizing::size(const std::vector<CellValue>& cells, double flow, QString& problem) const
{
    QStringList problems;
    QString name = m_options.series;
    if (m_columns.series >= 0 && std::size_t(m_columns.series) < cells.size()
        && !holdsNothing(cells[std::size_t(m_columns.series)]))
        name = cellText(cells[std::size_t(m_columns.series)], m_numbers);
    const pipes::PipeSeries* series = nullptr;
    if (holdsNothing(name)) problems << calculationText::missing(QStringLiteral("Rohrserie"));
    else if (!(series = seriesNamed(name))) problems << pipes::unknownSeries(name);

    pipes::Conditions conditions = m_options.defaults;
    conditions.length = value(cells, m_columns.length, pipes::Value::Length, problems);
    conditions.lossCoefficients = value(cells, m_columns.lossCoefficients, pipes::Value::LossCoefficients, problems);
    if (const auto v = value(cells, m_columns.maximumVelocity, pipes::Value::MaximumVelocity, problems))
        conditions.maximumVelocity = *v;
    if (const auto t = value(cells, m_columns.temperature, pipes::Value::Temperature, problems)) conditions.temperature = *t;

    if (problems.isEmpty()) {
        const pipes::SizeFlow sized = pipes::chooseSize(*series, flow, conditions);
        if (const QString unfit = pipes::unrepresentable(sized); !unfit.isEmpty()) {
            problems << unfit;
        } else {
            if (!sized.withinLimit) problem = pipes::beyondLimit(*series, sized, conditions, m_numbers);
            return SectionSized{series, sized, conditions.temperature};
        }
    }
    problem = problems.join(QStringLiteral("; "));
    return std::nullopt;
}
