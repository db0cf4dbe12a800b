#include "calc/PeakFlow.h"

#include <gtest/gtest.h>
#include <quadmath.h>

#include <cmath>
#include <cstdio>
#include <string>

using calc::Case;

namespace {

// Fixed-point text with a point, as the program's "0.00" and "0.0" give in the C locale.
std::string fixed(double v, int decimals)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, v);
    return buffer;
}

struct FlowCase {
    Case c;
    double total;
    const char* litresPerSecond;
    const char* litresPerMinute;
};

class PeakFlowTexts : public testing::TestWithParam<FlowCase> {};

TEST_P(PeakFlowTexts, RoundsTheUnroundedFlowOfEachUnit)
{
    const FlowCase& f = GetParam();
    const double q = calc::peakFlow(f.c, f.total);
    EXPECT_EQ(fixed(q, 2), f.litresPerSecond) << "total " << f.total;
    EXPECT_EQ(fixed(q * 60, 1), f.litresPerMinute) << "total " << f.total;
}

INSTANTIATE_TEST_SUITE_P(Cases, PeakFlowTexts,
                         testing::Values(FlowCase{Case::Large, 300, "1.69", "101.6"},
                                         FlowCase{Case::Two, 299.5, "1.68", "101.0"},
                                         FlowCase{Case::Eight, 299, "1.64", "98.3"},
                                         FlowCase{Case::Two, 2, "0.20", "12.0"},
                                         // l/min from the unrounded 0.396278, not 60 x 0.40
                                         FlowCase{Case::Two, 10, "0.40", "23.8"},
                                         FlowCase{Case::Three, 3, "0.30", "17.9"},
                                         FlowCase{Case::Four, 4, "0.40", "24.2"},
                                         FlowCase{Case::Five, 5, "0.50", "29.9"},
                                         FlowCase{Case::Eight, 8, "0.80", "48.2"},
                                         FlowCase{Case::Large, 1000, "3.41", "204.8"},
                                         FlowCase{Case::Large, 2500, "5.82", "349.3"},
                                         FlowCase{Case::Two, 2.5, "0.22", "13.2"}));

TEST(PeakFlow, KnownUnroundedFlows)
{
    EXPECT_NEAR(calc::peakFlow(Case::Large, 300), 1.692503, 5e-7);
    EXPECT_NEAR(calc::peakFlow(Case::Two, 2), 0.199765, 5e-7);
    EXPECT_NEAR(calc::peakFlow(Case::Two, 10), 0.396278, 5e-7);
    // The jump at the threshold: no smoothing between 299 (case 8) and 300.
    EXPECT_NEAR(calc::peakFlow(Case::Eight, 299), 1.638, 5e-4);
}

// Q = 10^(a * log10(BW) + b) / 10 with the decimal constants of each case,
// evaluated in python3's decimal module at 50 digits. A slip in any digit of
// a constant moves Q by far more than the 1e-12 allowed.
TEST(PeakFlow, MatchesReferenceValuesOfEveryCase)
{
    const struct {
        Case c;
        double total;
        double q;
    } table[] = {
        {Case::Large, 300, 1.69250334460045259e+0},   {Case::Large, 1000, 3.41350072949311155e+0},
        {Case::Large, 2500, 5.82198773666095487e+0},  {Case::Large, 100000, 4.99525887403768578e+1},
        {Case::Two, 2, 1.99764524634230648e-1},       {Case::Two, 10, 3.96278034255439456e-1},
        {Case::Two, 299.5, 1.68404809122974749e+0},   {Case::Three, 3, 2.98586020617564330e-1},
        {Case::Three, 20, 6.15847306546535359e-1},    {Case::Three, 299, 1.72868604238127186e+0},
        {Case::Four, 4, 4.03778409616857224e-1},      {Case::Four, 50, 9.32993146247106441e-1},
        {Case::Four, 250, 1.59095137710297104e+0},    {Case::Five, 5, 4.98664352433511071e-1},
        {Case::Five, 100, 1.23452531517068991e+0},    {Case::Five, 299, 1.71964222941838593e+0},
        {Case::Eight, 8, 8.03393122194965818e-1},     {Case::Eight, 40, 1.10277117652985065e+0},
        {Case::Eight, 299, 1.63837038784478147e+0},
    };
    for (const auto& r : table)
        EXPECT_NEAR(calc::peakFlow(r.c, r.total), r.q, r.q * 1e-12) << "case " << int(r.c) << ", total " << r.total;
}

TEST(PeakFlow, LargestFiniteTotalStaysFinite)
{
    const double q = calc::peakFlow(Case::Large, 1.7976931348623157e308);
    EXPECT_TRUE(std::isfinite(q));
    EXPECT_GT(q, 1e177);
    EXPECT_LT(q, 1e179);
}

// The formula against an independent evaluation in quadruple precision over a
// few hundred totals of every case: the double result must agree to within a
// few ulps, and so must every text shown, except where the exact value lies
// so close to a rounding boundary that a double cannot decide it.
TEST(PeakFlow, AgreesWithQuadruplePrecision)
{
    const Case cases[] = {Case::Large, Case::Two, Case::Three, Case::Four, Case::Five, Case::Eight};
    int compared = 0;
    for (const Case c : cases) {
        const calc::CaseConstants k = calc::constantsOf(c);
        const double from = c == Case::Large ? 300 : k.minimumTotal;
        const double to = c == Case::Large ? 100000 : 299.9;
        for (int i = 0; i < 250; ++i) {
            const double total = from * std::pow(to / from, i / 249.0);
            const __float128 exact =
                powq(10, log10q(__float128(total)) * __float128(k.multiplier) + __float128(k.addend)) / 10;
            const double q = calc::peakFlow(c, total);
            EXPECT_NEAR(q, double(exact), double(exact) * 1e-14) << "total " << total;
            for (const auto& [value, decimals] : {std::pair{exact, 2}, std::pair{exact * 60, 1}}) {
                const __float128 scaled = value * powq(10, decimals);
                const __float128 distanceToHalf = fabsq(scaled - floorq(scaled) - __float128(0.5));
                if (distanceToHalf < __float128(1e-9)) continue;
                char expected[64];
                quadmath_snprintf(expected, sizeof expected, "%.*Qf", decimals, value);
                const double shown = decimals == 2 ? q : q * 60;
                EXPECT_EQ(fixed(shown, decimals), expected) << "total " << total;
                ++compared;
            }
        }
    }
    EXPECT_GT(compared, 2900);
}

struct Selection {
    double largestUnit;
    std::optional<Case> expected;
};

TEST(SmallCaseSelection, OnlyTwoThreeFourFiveAndEightHaveAFormula)
{
    const Selection table[] = {
        {2, Case::Two},       {3, Case::Three},     {4, Case::Four},      {5, Case::Five},   {8, Case::Eight},
        {2.0000, Case::Two},  {0, std::nullopt},    {1, std::nullopt},    {6, std::nullopt}, {7, std::nullopt},
        {9, std::nullopt},    {9.5, std::nullopt},  {10, std::nullopt},   {100, std::nullopt},
        {2.0001, std::nullopt}, {-1, std::nullopt}, {0.5, std::nullopt},  {2.5, std::nullopt},
        {8.5, std::nullopt},  {-2, std::nullopt},
    };
    for (const Selection& s : table) EXPECT_EQ(calc::smallCaseFor(s.largestUnit), s.expected) << s.largestUnit;
}

TEST(SmallCaseSelection, MinimumTotalEqualsTheLargestSingleUnit)
{
    const std::pair<Case, double> minima[] = {
        {Case::Two, 2}, {Case::Three, 3}, {Case::Four, 4}, {Case::Five, 5}, {Case::Eight, 8}};
    for (const auto& [c, m] : minima) {
        EXPECT_FALSE(calc::belowMinimum(c, m));
        EXPECT_TRUE(calc::belowMinimum(c, std::nextafter(m, 0.0)));
        EXPECT_TRUE(calc::belowMinimum(c, -m));
    }
    EXPECT_FALSE(calc::belowMinimum(Case::Large, 300));
}

}  // namespace
