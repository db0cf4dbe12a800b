#pragma once

#include <optional>

// Peak flow of a drinking-water installation from its total of loading units.
// Every case has the form Q = 10^(a * log10(BW) + b) / 10 litres per second.
namespace calc {

enum class Case {
    Large,  // total of 300 loading units or more, any largest single unit
    Two,    // total below 300, largest single loading unit 2
    Three,
    Four,
    Five,
    Eight,
};

struct CaseConstants {
    double minimumTotal;  // loading units; a smaller total is invalid input (0 = no minimum)
    double multiplier;    // a
    double addend;        // b
};

// Totals of this many loading units or more always take Case::Large.
inline constexpr double largeInstallationThreshold = 300.0;

CaseConstants constantsOf(Case c);

// Q in litres per second, unrounded. Evaluated exactly in this order:
// L = ln(BW) / ln(10); p = L * a + b; Q = 10^p / 10.
double peakFlow(Case c, double total);

// The small-installation case for a largest single loading unit of exactly
// 2, 3, 4, 5 or 8; every other value (0, 1, 6, 7, 9, above 9, negative,
// fractional) has none.
std::optional<Case> smallCaseFor(double largestUnit);

// True when the total is below the case's minimum (only the small cases have one).
bool belowMinimum(Case c, double total);

}  // namespace calc
