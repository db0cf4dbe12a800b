#include "cli/OneCalculation.h"

#include "base/CalculationText.h"
#include "base/NumberText.h"
#include "calc/PeakFlow.h"
#include "cli/Console.h"
#include "pipes/SizingSheet.h"
#include "pipes/SizingText.h"

namespace {

// The sizing's values as typed, by the rule the dialog shares; the first problem in `reason`.
pipes::Conditions typedConditions(const CommandLine::Sizing& sizing, const NumberText& numbers, QString& reason)
{
    std::array<QString, pipes::SizingSheet::BoxCount> problems;
    const pipes::Conditions conditions = pipes::readConditions(
        {sizing.series, sizing.maximumVelocity, sizing.length, sizing.lossCoefficients, sizing.temperature}, numbers, problems);
    // The command line names them in the order of its help: length, Σζ, v max, temperature.
    for (const auto box : {pipes::SizingSheet::Length, pipes::SizingSheet::LossCoefficients,
                           pipes::SizingSheet::MaximumVelocity, pipes::SizingSheet::Temperature})
        if (reason.isEmpty()) reason = problems[box];
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
