// Sizes chosen by pressure against a search of every choice, written from
// the rule apart from the product: on random networks of 3 to 12 sections
// (random series, flows, lengths, Σζ, heights, draw-off points and supply
// pressures, some too low for any choice), the same least water content and
// every reserve at least 0; where no choice suffices, the tree is named.
#include "network/PressureSizing.h"
#include "pipes/PipeSeries.h"
#include "pipes/PipeSizing.h"
#include "pipes/Water.h"

#include <gtest/gtest.h>

#include <functional>
#include <numbers>
#include <random>

namespace {

struct Random {
    std::mt19937 engine{30};
    double between(double low, double high) { return std::uniform_real_distribution<double>(low, high)(engine); }
    int below(int n) { return int(engine() % unsigned(n)); }
};

// The pressure section s needs at its start with the sizes `size`, as the rule
// says: its loss plus the larger of its own minimum and what every section it
// feeds needs; none where no draw-off point below it has a minimum.
std::optional<double> needed(int s, const std::vector<int>& feeder, const std::vector<network::SectionOptions>& o,
                             const std::vector<int>& size)
{
    std::optional<double> most = o[std::size_t(s)].minimum;
    for (int f = 0; f < int(feeder.size()); ++f)
        if (feeder[std::size_t(f)] == s)
            if (const auto n = needed(f, feeder, o, size); n && (!most || *n > *most)) most = n;
    if (!most) return std::nullopt;
    return o[std::size_t(s)].sizes[std::size_t(size[std::size_t(s)])].loss + *most;
}

TEST(PressureSizing, FindsTheLeastWaterContentThatEveryChoiceCouldGive)
{
    Random random;
    const pipes::PipeCatalogue catalogue = pipes::PipeCatalogue::builtIn();
    int infeasible = 0, enlarged = 0;
    for (int round = 0; round < 200; ++round) {
        SCOPED_TRACE(round);
        const int n = 3 + random.below(10);
        std::vector<int> feeder;
        std::vector<network::Link> links;
        for (int s = 0; s < n; ++s) {
            feeder.push_back(s == 0 || random.below(5) == 0 ? -1 : random.below(s));
            links.push_back({QString::number(s), feeder.back() < 0 ? QString() : QString::number(feeder.back()), s + 2});
        }
        std::vector<network::SectionOptions> options(static_cast<std::size_t>(n));
        for (int s = 0; s < n; ++s) {
            network::SectionOptions& o = options[std::size_t(s)];
            const pipes::PipeSeries& series = catalogue.series()[std::size_t(random.below(int(catalogue.series().size())))];
            pipes::Conditions c;
            c.length = random.between(0.5, 25);
            c.lossCoefficients = random.between(0, 8);
            c.temperature = random.below(2) ? 10 : 60;
            const double flow = random.between(0.1, 2.5);
            const double rise = random.between(-3, 4);
            const double apparatus = s == 0 ? random.between(0, 700) : 0;
            // Up to three sizes from the smallest within v max.
            for (std::size_t k = 0; k < series.sizes.size() && o.sizes.size() < std::size_t(1 + random.below(3)); ++k) {
                const pipes::SizeFlow f = pipes::flowIn(series, k, flow, c);
                if (!f.withinLimit) continue;
                const double di = series.sizes[k].innerDiameter;
                o.sizes.push_back({*f.pressureLoss + pipes::staticPressure(rise, c.temperature) + apparatus,
                                   std::numbers::pi / 4 * di * di * *c.length / 1000});
            }
            if (o.sizes.empty()) o.sizes.push_back({100, 1});
            const bool leaf = std::find(feeder.begin(), feeder.end(), s) == feeder.end();
            if (leaf || random.below(4) == 0) o.minimum = std::vector<double>{500, 1000, 1200}[std::size_t(random.below(3))];
            if (feeder[std::size_t(s)] < 0) o.supply = random.between(1000, 4000);
        }
        const network::SectionTree tree(links);
        const network::PressureChoice chosen = network::chooseByPressure(tree, options, 1u << 20);

        // Every choice, as a number whose digits are the sections' sizes.
        std::vector<int> size(std::size_t(n), 0);
        std::optional<double> least;
        std::function<void(int)> tryAll = [&](int s) {
            if (s == n) {
                double content = 0;
                for (int t = 0; t < n; ++t) {
                    content += options[std::size_t(t)].sizes[std::size_t(size[std::size_t(t)])].content;
                    if (feeder[std::size_t(t)] < 0 && *needed(t, feeder, options, size) > *options[std::size_t(t)].supply) return;
                }
                if (!least || content < *least) least = content;
                return;
            }
            for (int k = 0; k < int(options[std::size_t(s)].sizes.size()); ++k) {
                size[std::size_t(s)] = k;
                tryAll(s + 1);
            }
        };
        tryAll(0);

        double content = 0;
        bool allSmallest = true;
        for (int s = 0; s < n; ++s) {
            ASSERT_GE(chosen.size[std::size_t(s)], 0);
            allSmallest = allSmallest && chosen.size[std::size_t(s)] == 0;
            content += options[std::size_t(s)].sizes[std::size_t(chosen.size[std::size_t(s)])].content;
        }
        if (!least) {
            ++infeasible;
            EXPECT_FALSE(chosen.shortTrees.empty());
            continue;
        }
        enlarged += !allSmallest;
        EXPECT_TRUE(chosen.shortTrees.empty());
        EXPECT_NEAR(content, *least, 1e-9);
        for (int s = 0; s < n; ++s)
            if (feeder[std::size_t(s)] < 0)
                EXPECT_LE(*needed(s, feeder, options, chosen.size), *options[std::size_t(s)].supply) << "section " << s;
    }
    // The rounds cover both kinds and choices beyond v max's sizes.
    EXPECT_GT(infeasible, 10);
    EXPECT_GT(enlarged, 10);
}

}  // namespace
