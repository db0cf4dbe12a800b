// A section list as a tree: the refusals of its names, the sums towards the
// supply, and the pressure along every path, against values worked out by
// hand and against a search of every path written apart from the product.
#include "base/NumberText.h"
#include "network/Pressure.h"
#include "network/SectionTree.h"
#include "network/UnitSums.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace {

QString q(const char* text) { return QString::fromUtf8(text); }

}  // namespace

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& text, std::ostream* out) { *out << text.toStdString(); }
QT_END_NAMESPACE

namespace {

std::vector<network::Link> links(std::initializer_list<std::pair<const char*, const char*>> rows)
{
    std::vector<network::Link> result;
    for (const auto& [name, feeder] : rows) result.push_back({q(name), q(feeder), int(result.size()) + 2});
    return result;
}

std::vector<QString> labelsOf(const std::vector<network::Link>& links)
{
    std::vector<QString> labels;
    for (const network::Link& l : links) labels.push_back(network::sectionLabel(l));
    return labels;
}

struct TreeCase {
    const char* what;
    std::vector<network::Link> links;
    std::vector<int> feeders;             // -1: the supply
    std::vector<const char*> refusals;    // by row, empty for none
};

TEST(SectionTree, PlacesEachSectionBelowItsFeederOrSaysWhyNot)
{
    const TreeCase cases[] = {
        {"rows in any order, names trimmed and in any case",
         links({{"Bad", " strang "}, {"Strang", "verteilung"}, {" Verteilung ", ""}, {"Küche", "Strang"}}),
         {1, 2, -1, 1}, {"", "", "", ""}},
        {"a name twice, and what it feeds",
         links({{"A", ""}, {"B", "A"}, {"b", "A"}, {"C", "B"}, {"D", "A"}}),
         {-1, 0, 0, -1, 0},
         {"", "Teilstrecke „B“ steht zweimal in der Liste (Zeilen 3 und 4)",
          "Teilstrecke „b“ steht zweimal in der Liste (Zeilen 3 und 4)",
          "Zuleitung „B“ steht zweimal in der Liste (Zeilen 3 und 4)", ""}},
        {"a name three times", links({{"X", ""}, {"X", ""}, {"x ", ""}}), {-1, -1, -1},
         {"Teilstrecke „X“ steht dreimal in der Liste (Zeilen 2, 3 und 4)",
          "Teilstrecke „X“ steht dreimal in der Liste (Zeilen 2, 3 und 4)",
          "Teilstrecke „x“ steht dreimal in der Liste (Zeilen 2, 3 und 4)"}},
        {"a Zuleitung that names no section, and an empty name",
         links({{"A", "Keller"}, {"B", "A"}, {"  ", "A"}}), {-1, 0, 0},
         {"Zuleitung „Keller“ steht nicht in der Liste", "", "Teilstrecke fehlt"}},
        {"a cycle of three, told from its first row in the flow's direction, and what hangs below it",
         links({{"Z", ""}, {"B", "A"}, {"C", "B"}, {"A", "C"}, {"D", "C"}}), {-1, -1, -1, -1, 2},
         {"", "Kreis: B → C → A → B", "Kreis: B → C → A → B", "Kreis: B → C → A → B", ""}},
        {"a section that feeds itself", links({{"A", "a"}}), {-1}, {"Kreis: A → A"}},
    };
    for (const TreeCase& c : cases) {
        SCOPED_TRACE(c.what);
        const network::SectionTree tree(c.links);
        ASSERT_EQ(tree.size(), int(c.links.size()));
        for (int s = 0; s < tree.size(); ++s) {
            EXPECT_EQ(tree.refusal(s), q(c.refusals[std::size_t(s)])) << "row " << s;
            EXPECT_EQ(tree.feeder(s), c.feeders[std::size_t(s)]) << "row " << s;
        }
        // Every section once, each after all it feeds.
        std::vector<int> seen(static_cast<std::size_t>(tree.size()), -1);
        for (std::size_t i = 0; i < tree.upward().size(); ++i) seen[std::size_t(tree.upward()[i])] = int(i);
        for (int s = 0; s < tree.size(); ++s) {
            ASSERT_GE(seen[std::size_t(s)], 0);
            if (tree.feeder(s) >= 0) EXPECT_LT(seen[std::size_t(s)], seen[std::size_t(tree.feeder(s))]);
        }
    }
}

TEST(SectionTree, AChainOfAHundredThousandSectionsNeedsNoDeepStack)
{
    // Listed from the tap to the supply: each row feeds the one before.
    constexpr int n = 100000;
    std::vector<network::Link> chain;
    for (int i = 0; i < n; ++i)
        chain.push_back({QString::number(i), i + 1 < n ? QString::number(i + 1) : QString(), i + 2});
    const network::SectionTree tree(chain);
    std::vector<network::OwnUnits> own(n);
    own[0].statedTotal = 2;
    own[0].statedLargest = 2;
    const NumberText numbers(QLocale::c());
    const std::vector<network::SectionUnits> units = network::sumUnits(tree, own, labelsOf(chain), false, numbers);
    EXPECT_EQ(units[n - 1].total, 2.0);
    std::vector<network::SectionLosses> losses(n, network::SectionLosses{1.0, {}, {}});
    losses[0].minimum = 1000;
    losses[n - 1].supply = 50000;
    const network::NetworkPressure p = network::checkPressure(tree, losses, labelsOf(chain), true);
    EXPECT_EQ(p.sections[n - 1].required, 1000.0 + n);
    EXPECT_EQ(p.sections[0].start, 50000.0 - (n - 1));
    EXPECT_EQ(p.path.size(), std::size_t(n));
}

struct SumCase {
    const char* what;
    std::vector<network::Link> links;
    std::vector<network::OwnUnits> own;
    // by row: total, largest (-1: unknown), single point, reason
    std::vector<std::tuple<double, double, bool, const char*>> expected;
};

network::OwnUnits counted(double total, double largest, double points)
{
    network::OwnUnits o;
    o.countedTotal = total;
    o.countedLargest = largest;
    o.points = points;
    return o;
}

network::OwnUnits stated(std::optional<double> total, std::optional<double> largest)
{
    network::OwnUnits o;
    o.statedTotal = total;
    o.statedLargest = largest;
    return o;
}

TEST(UnitSums, TotalsTowardsTheSupplyOrWhyNot)
{
    network::OwnUnits refused;
    refused.problem = q("Dusche ist keine Zahl: »x«");
    network::OwnUnits statedAbove = counted(0, 0, 0);
    statedAbove.statedTotal = 30;
    const SumCase cases[] = {
        {"decimal sums, the largest unit from below, one point alone",
         links({{"V", ""}, {"A", "V"}, {"B", "V"}, {"C", "A"}}),
         {counted(0.1, 0.1, 1), counted(0.2, 0.1, 2), stated(8, 4), counted(2, 2, 1)},
         // 0,1 + 0,2 + 8 + 2 = 10,3 exactly; C's lone shower is a single point
         {{10.3, 4, false, ""}, {2.2, 2, false, ""}, {8, 4, false, ""}, {2, 2, true, ""}}},
        {"two points or a count of 2 are not a single point",
         links({{"A", ""}, {"B", ""}}), {counted(3, 2, 2), counted(4, 2, 2)},
         {{3, 2, false, ""}, {4, 2, false, ""}}},
        {"stated numbers that disagree with the sums",
         links({{"V", ""}, {"A", "V"}, {"B", ""}}), {statedAbove, counted(24, 4, 12), [] {
              network::OwnUnits o = counted(6, 2, 3);
              o.statedLargest = 4;
              return o;
          }()},
         {{-1, -1, false, "BW 30 laut Spalte, 24 aus den Teilstrecken und Entnahmestellen"},
          {24, 4, false, ""},
          {-1, -1, false, "Einzel BW 4 laut Spalte, 2 aus den Entnahmestellen"}}},
        {"what waits for a refused section, and a leaf that gives nothing",
         links({{"V", ""}, {"A", "V"}, {"B", "A"}, {"C", "V"}}), {counted(0, 0, 0), counted(1, 1, 1), refused, stated(5, {})},
         // Each names the section refused, however far below.
         {{-1, -1, false, "BW unbekannt: Teilstrecke „B“ abgewiesen"},
          {-1, -1, false, "BW unbekannt: Teilstrecke „B“ abgewiesen"},
          {-1, -1, false, "Dusche ist keine Zahl: »x«"},
          {-1, -1, false, "Einzel BW fehlt"}}},
        {"a section without a name, named by its row",
         links({{"V", ""}, {"", "V"}}), {counted(0, 0, 0), counted(1, 1, 1)},
         {{-1, -1, false, "BW unbekannt: Teilstrecke in Zeile 3 abgewiesen"}, {-1, -1, false, "Teilstrecke fehlt"}}},
    };
    const NumberText numbers(QLocale(q("de_DE")));
    for (const SumCase& c : cases) {
        SCOPED_TRACE(c.what);
        const network::SectionTree tree(c.links);
        const auto units = network::sumUnits(tree, c.own, labelsOf(c.links), true, numbers);
        for (std::size_t s = 0; s < units.size(); ++s) {
            const auto& [total, largest, single, reason] = c.expected[s];
            EXPECT_EQ(units[s].total.value_or(-1), total) << "row " << s;
            EXPECT_EQ(units[s].largest.value_or(-1), largest) << "row " << s;
            EXPECT_EQ(units[s].singlePoint, single) << "row " << s;
            EXPECT_EQ(units[s].reason, q(reason)) << "row " << s;
        }
    }
    // A counting list's leaf without points or stated units.
    const auto tree = network::SectionTree(links({{"A", ""}}));
    EXPECT_EQ(network::sumUnits(tree, {counted(0, 0, 0)}, {q("Teilstrecke „A“")}, true, numbers)[0].reason,
              q("keine Entnahmestellen"));
}

// The pressure a section needs, by trying every path below it: the largest
// sum of losses from the section down to a section with a minimum of its
// own, plus that minimum. Written from the rule, not from the product.
std::optional<double> neededBySearch(int s, const std::vector<int>& feeder, const std::vector<network::SectionLosses>& l)
{
    std::optional<double> best;
    for (int end = 0; end < int(feeder.size()); ++end) {
        double losses = 0;
        int at = end;
        for (; at != -1 && at != s; at = feeder[std::size_t(at)]) losses += *l[std::size_t(at)].loss;
        if (at != s || !l[std::size_t(end)].minimum) continue;
        const double need = losses + *l[std::size_t(s)].loss + *l[std::size_t(end)].minimum;
        if (!best || need > *best) best = need;
    }
    return best;
}

TEST(Pressure, AgreesWithASearchOfEveryPathOnRandomTrees)
{
    std::mt19937 rng(29);
    for (int round = 0; round < 200; ++round) {
        const int n = 2 + int(rng() % 14);
        std::vector<network::Link> tree_links;
        std::vector<int> feeder;
        std::vector<network::SectionLosses> l(static_cast<std::size_t>(n));
        for (int s = 0; s < n; ++s) {
            const int f = s == 0 || rng() % 4 == 0 ? -1 : int(rng() % unsigned(s));
            feeder.push_back(f);
            tree_links.push_back({QString::number(s), f < 0 ? QString() : QString::number(f), s + 2});
            l[std::size_t(s)].loss = double(rng() % 4000) / 8;
            l[std::size_t(s)].supply = 1000 + double(rng() % 4000);
        }
        for (int s = 0; s < n; ++s) {
            const bool leaf = std::find(feeder.begin(), feeder.end(), s) == feeder.end();
            if (leaf || rng() % 3 == 0) l[std::size_t(s)].minimum = 500 + double(rng() % 8) * 100;
        }
        const network::SectionTree tree(tree_links);
        const auto p = network::checkPressure(tree, l, labelsOf(tree_links), true);
        double worstReserve = 1e300;
        for (int s = 0; s < n; ++s) {
            ASSERT_EQ(p.sections[std::size_t(s)].required, neededBySearch(s, feeder, l)) << "round " << round << " section " << s;
            double start = 0;
            int root = s;
            for (int at = feeder[std::size_t(s)]; at != -1; root = at, at = feeder[std::size_t(at)]) start -= *l[std::size_t(at)].loss;
            start += *l[std::size_t(root)].supply;
            EXPECT_DOUBLE_EQ(*p.sections[std::size_t(s)].start, start);
            worstReserve = std::min(worstReserve, start - *neededBySearch(s, feeder, l));
        }
        // The path runs from the supply down to a section whose own minimum
        // decides, each step into the section that decides its feeder, and
        // keeps the smallest reserve of all.
        ASSERT_FALSE(p.path.empty());
        EXPECT_EQ(feeder[std::size_t(p.path.front())], -1);
        for (std::size_t i = 1; i < p.path.size(); ++i) EXPECT_EQ(feeder[std::size_t(p.path[i])], p.path[i - 1]);
        for (const int s : p.path) EXPECT_DOUBLE_EQ(*p.sections[std::size_t(s)].reserve, worstReserve);
        EXPECT_TRUE(l[std::size_t(p.path.back())].minimum);
    }
}

TEST(Pressure, TiesAndWhatCannotBeKnown)
{
    using L = network::SectionLosses;
    struct Case {
        const char* what;
        std::vector<network::Link> links;
        std::vector<L> losses;
        bool withSupply;
        std::vector<int> path;
        std::vector<const char*> reasons;
        const char* unknown;
    };
    const Case cases[] = {
        {"a tie between fed sections: the first row; between a fed one and its own minimum: its own",
         links({{"V", ""}, {"A", "V"}, {"B", "V"}, {"C", "A"}}),
         {L{100, {}, 3000}, L{100, 1100, {}}, L{200, 1000, {}}, L{100, 1000, {}}},
         true, {0, 1}, {"", "", "", ""}, ""},
        {"without a supply pressure: the largest p erf. among the supply's sections",
         links({{"A", ""}, {"B", ""}}), {L{10, 1000, {}}, L{20, 1000, {}}}, false, {1}, {"", ""}, ""},
        {"a refused section, a leaf without minimum, a supply section without pressure",
         links({{"V", ""}, {"A", "V"}, {"B", "V"}, {"W", ""}, {"C", "W"}}),
         {L{100, {}, 3000}, L{{}, 1000, {}}, L{100, {}, {}}, L{100, {}, {}}, L{100, 1000, {}}},
         true, {},
         {"Druck unbekannt: Teilstrecke „A“ abgewiesen", "", "kein Mindestfliessdruck", "Versorgungsdruck fehlt",
          "Druck unbekannt: Teilstrecke „W“ ohne Versorgungsdruck"},
         "Druck unbekannt: Teilstrecke „A“ abgewiesen"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const network::SectionTree tree(c.links);
        const auto p = network::checkPressure(tree, c.losses, labelsOf(c.links), c.withSupply);
        EXPECT_EQ(p.path, c.path);
        for (std::size_t s = 0; s < c.reasons.size(); ++s) EXPECT_EQ(p.sections[s].reason, q(c.reasons[s])) << "row " << s;
        EXPECT_EQ(p.unknown, q(c.unknown));
    }
}

}  // namespace
