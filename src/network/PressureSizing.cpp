#include "network/PressureSizing.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace network {

namespace {

// A point of a section's list: the pressure needed at its start, the least
// content of everything from it down with that pressure, and its own size.
struct Point {
    double pressure;
    double content;
    int size;
};

// Contents within this of each other (l) are the same: a sum of contents
// added in another order differs in its last digits only.
constexpr double sameContent = 1e-12;

// What a section hands down to those it feeds is its budget less its loss,
// less this (hPa), so that the rounding of the sum its loss and their needs
// make again can never take a reserve below 0.
constexpr double handedDownMargin = 1e-9;

// The points neither of which is worse than another in both pressure and
// content, from points in order of pressure (then content, then size).
void keepBest(std::vector<Point>& points)
{
    std::size_t kept = 0;
    for (const Point& p : points)
        if (kept == 0 || p.content < points[kept - 1].content - sameContent) points[kept++] = p;
    points.resize(kept);
}

// At most about `most` points: first those on the lower convex hull of the
// list (where a little more pressure buys the most content), then others at
// least 1/most of the pressure range apart. A budget between two kept points
// takes the one below.
void thin(std::vector<Point>& points, std::vector<char>& keep, std::size_t most)
{
    if (points.size() <= most) return;
    keep.assign(points.size(), 0);
    std::vector<std::size_t> hull;  // Andrew's monotone chain, lower half
    for (std::size_t i = 0; i < points.size(); ++i) {
        const auto below = [&](std::size_t a, std::size_t b, std::size_t c) {
            return (points[b].pressure - points[a].pressure) * (points[c].content - points[a].content)
                   - (points[b].content - points[a].content) * (points[c].pressure - points[a].pressure) <= 0;
        };
        while (hull.size() >= 2 && below(hull[hull.size() - 2], hull.back(), i)) hull.pop_back();
        hull.push_back(i);
    }
    const std::size_t hullEvery = hull.size() > most / 2 ? (hull.size() + most / 2 - 1) / (most / 2) : 1;
    for (std::size_t h = 0; h < hull.size(); h += hullEvery) keep[hull[h]] = 1;
    keep[hull.back()] = keep.front() = 1;
    const double step = (points.back().pressure - points.front().pressure) / double(most / 2);
    double last = points.front().pressure;
    for (std::size_t i = 1; i < points.size(); ++i) {
        if (keep[i]) last = points[i].pressure;
        else if (points[i].pressure >= last + step) keep[i] = 1, last = points[i].pressure;
    }
    std::size_t kept = 0;
    for (std::size_t i = 0; i < points.size(); ++i)
        if (keep[i]) points[kept++] = points[i];
    points.resize(kept);
}

}  // namespace

PressureChoice chooseByPressure(const SectionTree& tree, const std::vector<SectionOptions>& sections,
                                std::size_t pointsEach)
{
    const std::size_t n = sections.size();
    // Each section's list, kept for reading the sizes off; the contents only
    // until its feeder's list is made.
    std::vector<std::vector<double>> pressures(n), contents(n);
    std::vector<std::vector<std::uint8_t>> sizes(n);
    std::vector<bool> known(n, false);

    std::vector<Point> below, points;
    std::vector<char> keep;
    std::vector<std::pair<double, std::pair<std::size_t, std::size_t>>> events;  // pressure, (which fed section, point)
    for (const int s : tree.upward()) {
        const SectionOptions& here = sections[std::size_t(s)];
        const auto fed = tree.fed(s);
        if (here.sizes.empty() || tree.refused(s)) continue;
        if (!std::all_of(fed.begin(), fed.end(), [&](int f) { return known[std::size_t(f)]; })) continue;

        // What everything below needs: at each pressure, the sum of the least
        // contents of the fed sections' lists at that pressure.
        below.clear();
        if (fed.empty()) {
            if (!here.minimum) continue;  // no minimum flow pressure: nothing to keep
            below.push_back({*here.minimum, 0.0, 0});
        } else {
            events.clear();
            for (std::size_t which = 0; which < fed.size(); ++which)
                for (std::size_t i = 0; i < pressures[std::size_t(fed[which])].size(); ++i)
                    events.push_back({pressures[std::size_t(fed[which])][i], {which, i}});
            std::sort(events.begin(), events.end());
            std::vector<double> current(fed.size(), 0.0);
            std::vector<bool> has(fed.size(), false);
            std::size_t having = 0;
            double sum = 0;
            for (const auto& [pressure, where] : events) {
                const std::size_t which = where.first;
                const double content = contents[std::size_t(fed[which])][where.second];
                if (!has[which]) {
                    has[which] = true;
                    ++having;
                } else {
                    sum -= current[which];
                }
                current[which] = content;
                sum += content;
                if (having < fed.size()) continue;
                if (!below.empty() && below.back().pressure == pressure) below.back().content = sum;
                else below.push_back({pressure, sum, 0});
            }
            if (here.minimum) {
                // Its own minimum comes first where the fed sections need less.
                std::size_t first = 0;
                while (first + 1 < below.size() && below[first + 1].pressure <= *here.minimum) ++first;
                below.erase(below.begin(), below.begin() + std::ptrdiff_t(first));
                below.front().pressure = std::max(below.front().pressure, *here.minimum);
            }
            keepBest(below);
        }
        points.clear();
        for (std::size_t k = 0; k < here.sizes.size(); ++k)
            for (const Point& b : below)
                points.push_back({here.sizes[k].loss + b.pressure, here.sizes[k].content + b.content, int(k)});
        std::sort(points.begin(), points.end(), [](const Point& a, const Point& b) {
            return a.pressure != b.pressure ? a.pressure < b.pressure : a.content != b.content ? a.content < b.content : a.size < b.size;
        });
        keepBest(points);
        thin(points, keep, pointsEach);
        known[std::size_t(s)] = true;
        for (const Point& p : points) {
            pressures[std::size_t(s)].push_back(p.pressure);
            contents[std::size_t(s)].push_back(p.content);
            sizes[std::size_t(s)].push_back(std::uint8_t(p.size));
        }
        for (const int f : fed) contents[std::size_t(f)] = {};
    }

    PressureChoice choice;
    choice.size.assign(n, -1);
    std::vector<std::pair<int, double>> stack;  // section, the pressure at its start
    for (int root = 0; root < int(n); ++root) {
        if (tree.feeder(root) != SectionTree::supply || !known[std::size_t(root)] || !sections[std::size_t(root)].supply)
            continue;
        bool fallsShort = false;
        stack.assign(1, {root, *sections[std::size_t(root)].supply});
        while (!stack.empty()) {
            const auto [s, budget] = stack.back();
            stack.pop_back();
            const std::vector<double>& p = pressures[std::size_t(s)];
            // The point with the least content the budget allows, or the
            // largest size where none does; what is left goes to those it feeds.
            const auto fits = std::upper_bound(p.begin(), p.end(), budget);
            const std::vector<SizeOption>& options = sections[std::size_t(s)].sizes;
            int k;
            double left;
            if (fits != p.begin()) {
                const std::size_t i = std::size_t(fits - p.begin()) - 1;
                k = sizes[std::size_t(s)][i];
                left = budget - options[std::size_t(k)].loss - handedDownMargin;
            } else {
                fallsShort = true;
                k = int(std::min_element(options.begin(), options.end(), [](const SizeOption& a, const SizeOption& b) {
                            return a.loss < b.loss;
                        }) - options.begin());
                left = budget - options[std::size_t(k)].loss;
            }
            choice.size[std::size_t(s)] = k;
            for (const int f : tree.fed(s)) stack.push_back({f, left});
        }
        if (fallsShort) choice.shortTrees.push_back(root);
    }
    return choice;
}

}  // namespace network
