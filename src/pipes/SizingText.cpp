#include "pipes/SizingText.h"

#include "base/CalculationText.h"
#include "base/CellValue.h"
#include "pipes/Water.h"

#include <cmath>

namespace pipes {

namespace {

constexpr double longestSection = 100000.0;     // m
constexpr double largestLossCoefficients = 10000.0;
constexpr double highestRise = 1000.0;         // m, up or down
constexpr double highestPressure = 100000.0;   // hPa

}  // namespace

QString limitText(double limit, const NumberText& numbers)
{
    const QString rounded = numbers.format(limit, NumberText::Pattern::OneDecimal);
    // Otherwise the shortest text that reads back as it: "1e-300", not 300 digits.
    return numbers.fileNumber(rounded) == limit ? rounded : numbers.plain(limit);
}

QString valueName(Value value)
{
    switch (value) {
    case Value::Length: return QStringLiteral("Länge");
    case Value::LossCoefficients: return QStringLiteral("Σζ");
    case Value::MaximumVelocity: return QStringLiteral("v max");
    case Value::Temperature: return QStringLiteral("Temperatur");
    case Value::Height: return QStringLiteral("Höhe");
    case Value::Apparatus: return QStringLiteral("Apparate");
    case Value::MinimumFlowPressure: return QStringLiteral("Mindestfliessdruck");
    case Value::SupplyPressure: return QStringLiteral("Versorgungsdruck");
    }
    return {};
}

QString valueProblem(Value value, double number, const NumberText& numbers)
{
    // The number's text only for a message: it costs more than the checks.
    const auto shown = [&] { return numbers.plain(number); };
    switch (value) {
    case Value::Length:
        if (number >= 0 && number <= longestSection) return {};
        return QStringLiteral("Länge %1 m: nur 0 bis %2 m").arg(shown(), numbers.exact(longestSection));
    case Value::LossCoefficients:
        if (number >= 0 && number <= largestLossCoefficients) return {};
        return QStringLiteral("Σζ %1: nur 0 bis %2").arg(shown(), numbers.exact(largestLossCoefficients));
    case Value::MaximumVelocity:
        if (number > 0 && std::isfinite(number)) return {};
        return QStringLiteral("v max %1 m/s: nur grösser als 0").arg(shown());
    case Value::Temperature:
        if (number >= lowestTemperature && number <= highestTemperature) return {};
        return QStringLiteral("Temperatur %1 °C: nur %2 bis %3 °C")
            .arg(shown(), numbers.plain(lowestTemperature), numbers.plain(highestTemperature));
    // Heights and pressures as a spreadsheet shows them: 200000, not 2e+05.
    case Value::Height:
        if (number >= -highestRise && number <= highestRise) return {};
        return QStringLiteral("Höhe %1 m: nur %2 bis %3 m")
            .arg(numbers.general(number), numbers.general(-highestRise), numbers.general(highestRise));
    case Value::Apparatus:
    case Value::MinimumFlowPressure:
    case Value::SupplyPressure:
        if (number >= 0 && number <= highestPressure) return {};
        return QStringLiteral("%1 %2 hPa: nur 0 bis %3 hPa").arg(valueName(value), numbers.general(number), numbers.general(highestPressure));
    }
    return {};
}

std::optional<double> readValue(Value value, const QString& text, const NumberText& numbers, QString& problem)
{
    problem.clear();
    if (holdsNothing(text)) return std::nullopt;
    if (!numbers.isNumber(text)) {
        problem = calculationText::notANumber(valueName(value), text.trimmed());
        return std::nullopt;
    }
    const double number = numbers.toDouble(text);
    problem = valueProblem(value, number, numbers);
    if (!problem.isEmpty()) return std::nullopt;
    return number;
}

QString unknownSeries(const QString& name)
{
    return QStringLiteral("Rohrserie »%1« unbekannt").arg(name.trimmed());
}

QString beyondLimit(const PipeSeries& series, const SizeFlow& flow, const Conditions& conditions,
                    const NumberText& numbers)
{
    return QStringLiteral("v %1 m/s über v max %2 m/s auch in %3")
        .arg(numbers.format(flow.velocity, velocityPattern), limitText(conditions.maximumVelocity, numbers),
             series.sizes.at(flow.size).label);
}

QString unrepresentable(const SizeFlow& flow)
{
    const bool finite = std::isfinite(flow.velocity) && std::isfinite(flow.gradient)
                        && std::isfinite(flow.pressureLoss.value_or(0.0)) && std::isfinite(flow.frictionLoss.value_or(0.0))
                        && std::isfinite(flow.fittingsLoss.value_or(0.0));
    return finite ? QString() : QStringLiteral("Gipfelfluss zu gross für eine Bemessung");
}

QStringList sizingWords(const PipeSeries& series, const SizeFlow& flow, const NumberText& numbers)
{
    QStringList words{series.sizeName(flow.size),
                      QStringLiteral("di %1 mm").arg(numbers.format(series.sizes[flow.size].innerDiameter, diameterPattern)),
                      QStringLiteral("v %1 m/s").arg(numbers.format(flow.velocity, velocityPattern)),
                      QStringLiteral("R %1 hPa/m").arg(numbers.format(flow.gradient, lossPattern))};
    if (flow.pressureLoss) words << QStringLiteral("Δp %1 hPa").arg(numbers.format(*flow.pressureLoss, lossPattern));
    return words;
}

}  // namespace pipes
