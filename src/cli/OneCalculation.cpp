#include "cli/OneCalculation.h"

#include "base/CalculationText.h"
#include "base/NumberText.h"
#include "calc/PeakFlow.h"
#include "cli/Console.h"
#include "pipes/SizingText.h"

namespace {

// The sizing's values as typed, by the rule every front shares; the first problem in `reason`.
pipes::Conditions typedConditions(const CommandLine::Sizing& sizing, const NumberText& numbers, QString& reason)
{
    pipes::Conditions conditions;
    const std::pair<pipes::Value, const QString*> typed[] = {
        {pipes::Value::Length, &sizing.length},
        {pipes::Value::LossCoefficients, &sizing.lossCoefficients},
        {pipes::Value::MaximumVelocity, &sizing.maximumVelocity},
        {pipes::Value::Temperature, &sizing.temperature}};
    for (const auto& [which, text] : typed) {
        const std::optional<double> value = pipes::readValue(which, *text, numbers, reason);
        if (!reason.isEmpty()) return conditions;
        if (!value) continue;
        switch (which) {
        case pipes::Value::Length: conditions.length = value; break;
        case pipes::Value::LossCoefficients: conditions.lossCoefficients = value; break;
        case pipes::Value::MaximumVelocity: conditions.maximumVelocity = *value; break;
        case pipes::Value::Temperature: conditions.temperature = *value; break;
        }
    }
    return conditions;
}

}  // namespace

int printCalculation(const QString& total, const QString& largestUnit, const CommandLine::Sizing& sizing,
                     const pipes::PipeCatalogue& catalogue)
{
    const NumberText numbers(QLocale::system());
    QString reason;
    if (!numbers.isNumber(total)) {
        reason = calculationText::notANumber(QStringLiteral("BW"), total);
    } else if (!numbers.isNumber(largestUnit)) {
        reason = calculationText::notANumber(QStringLiteral("Einzel BW"), largestUnit);
    } else {
        const double BW = numbers.toDouble(total);
        const double Einzel = numbers.toDouble(largestUnit);
        const calc::Outcome outcome = calc::evaluate(BW, Einzel);
        if (!outcome.accepted()) {
            reason = calculationText::refusalReason(outcome, BW, Einzel, numbers);
        } else {
            QStringList fields{numbers.format(outcome.flow, NumberText::Pattern::TwoDecimals) + QStringLiteral(" l/s"),
                               numbers.format(outcome.flow * 60, NumberText::Pattern::OneDecimal) + QStringLiteral(" l/min")};
            QString beyond;
            if (!sizing.series.isEmpty()) {
                const pipes::PipeSeries* series = catalogue.find(sizing.series);
                const pipes::Conditions conditions = typedConditions(sizing, numbers, reason);
                if (!series) reason = pipes::unknownSeries(sizing.series);
                if (reason.isEmpty()) {
                    const pipes::SizeFlow flow = pipes::chooseSize(*series, outcome.flow, conditions);
                    reason = pipes::unrepresentable(flow);
                    fields << pipes::sizingWords(*series, flow, numbers);
                    if (!flow.withinLimit) beyond = pipes::beyondLimit(*series, flow, conditions, numbers);
                }
            }
            if (reason.isEmpty()) {
                writeText(stdout, fields.join(QLatin1Char('\t')) + QLatin1Char('\n'));
                if (beyond.isEmpty()) return 0;
                writeText(stderr, QStringLiteral("gipfelfluss: ") + beyond + QLatin1Char('\n'));
                return 1;
            }
        }
    }
    writeText(stderr, QStringLiteral("gipfelfluss: Üngültige Eingabe: ") + reason + QLatin1Char('\n'));
    return 1;
}
