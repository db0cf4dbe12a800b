#include "cli/OneCalculation.h"

#include "base/CalculationText.h"
#include "base/NumberText.h"
#include "calc/PeakFlow.h"
#include "cli/CommandLine.h"
#include "cli/Console.h"

int printCalculation(const QString& total, const QString& largestUnit)
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
        if (outcome.accepted()) {
            writeText(stdout, numbers.format(outcome.flow, NumberText::Pattern::TwoDecimals) + QStringLiteral(" l/s\t")
                                  + numbers.format(outcome.flow * 60, NumberText::Pattern::OneDecimal)
                                  + QStringLiteral(" l/min\n"));
            return 0;
        }
        reason = calculationText::refusalReason(outcome, BW, Einzel, numbers);
    }
    writeText(stderr, QStringLiteral("gipfelfluss: Üngültige Eingabe: ") + reason + QLatin1Char('\n'));
    return 1;
}
