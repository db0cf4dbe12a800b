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

// The whole rule of one calculation, as a "Berechnen" press applies it to
// two numbers: 300 and more take Case::Large whatever the largest single
// unit; below that the largest single unit chooses the case, and the total
// must not be below the case's minimum. Everything that calculates outside
// the window (the tally, section lists, the command line) asks this.
struct Outcome {
    enum class Refusal {
        None,
        LargestUnit,   // total below 300 and a largest single unit without a formula
        BelowMinimum,  // total below the minimum of the case its largest single unit chose
    };
    Refusal refusal = Refusal::None;
    Case c = Case::Large;  // the case that served, or the one that refused the total
    double flow = 0.0;     // Q in litres per second, unrounded; 0 when refused

    bool accepted() const { return refusal == Refusal::None; }
};
Outcome evaluate(double total, double largestUnit);

}  // namespace calc
