#include "calc/PeakFlow.h"

#include <cmath>

namespace calc {

CaseConstants constantsOf(Case c)
{
    switch (c) {
    case Case::Large: return {0.0, 0.582679, -0.214837};
    case Case::Two: return {2.0, 0.4256, 0.1724};
    case Case::Three: return {3.0, 0.3816, 0.293};
    case Case::Four: return {4.0, 0.3316, 0.4065};
    case Case::Five: return {5.0, 0.3026, 0.4863};
    case Case::Eight: return {8.0, 0.1968, 0.7272};
    }
    return {0.0, 0.0, 0.0};
}

double peakFlow(Case c, double total)
{
    const CaseConstants k = constantsOf(c);
    const double L = std::log(total) / std::log(10.0);
    const double p = L * k.multiplier + k.addend;
    return std::pow(10.0, p) / 10.0;
}

std::optional<Case> smallCaseFor(double largestUnit)
{
    if (largestUnit == 2.0) return Case::Two;
    if (largestUnit == 3.0) return Case::Three;
    if (largestUnit == 4.0) return Case::Four;
    if (largestUnit == 5.0) return Case::Five;
    if (largestUnit == 8.0) return Case::Eight;
    return std::nullopt;
}

bool belowMinimum(Case c, double total)
{
    return c != Case::Large && total < constantsOf(c).minimumTotal;
}

Outcome evaluate(double total, double largestUnit)
{
    Outcome outcome;
    if (total < largeInstallationThreshold) {
        const std::optional<Case> small = smallCaseFor(largestUnit);
        if (!small) {
            outcome.refusal = Outcome::Refusal::LargestUnit;
            return outcome;
        }
        outcome.c = *small;
        if (belowMinimum(outcome.c, total)) {
            outcome.refusal = Outcome::Refusal::BelowMinimum;
            return outcome;
        }
    }
    outcome.flow = peakFlow(outcome.c, total);
    return outcome;
}

}  // namespace calc
