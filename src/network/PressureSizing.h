#pragma once

#include "network/SectionTree.h"

#include <optional>
#include <vector>

// Pipe sizes chosen by pressure: of the sizes each section may take (those
// within its v max, or the one the planner fixed), the choice with the least
// water in the pipes for which every draw-off point keeps its minimum flow
// pressure from the supply pressure.
namespace network {

// One size a section may take.
struct SizeOption {
    double loss = 0;     // hPa at peak flow: Δp + Δp geo + Apparate
    double content = 0;  // l: π/4·di²·l, 0 without a length
};

struct SectionOptions {
    // From the smallest size; empty for a section whose loss is unknown.
    std::vector<SizeOption> sizes;
    std::optional<double> minimum;  // its own minimum flow pressure, hPa
    std::optional<double> supply;   // of a section fed by the supply, hPa
};

struct PressureChoice {
    // Per section, the index into its sizes; -1 where nothing is chosen (a
    // section of a tree whose pressure cannot be known keeps its sizes by v max).
    std::vector<int> size;
    // The sections fed by the supply whose tree falls short even with the
    // largest sizes on the paths that fall short.
    std::vector<int> shortTrees;
};

// The least total water content Σ π/4·di²·l for which every reserve is at
// least 0, by a dynamic programme over the tree: at each section, the least
// content of everything from it down as a step function of the pressure at
// its start (a list of (pressure, content) points, neither worse than
// another in both), built towards the supply; then the supply pressure
// chooses the point at the top and the sizes are read off away from it.
// Ties: the least pressure needed (the largest reserve), then the smaller
// size nearer the supply. Exact while no section's list exceeds
// `pointsEach` points; beyond, the list is thinned to points at least
// 1/pointsEach of its pressure range apart, each kept point still exact,
// so that a budget between two kept points takes the one below: never
// infeasible, at most that step in content from the least. Where even the
// largest sizes fall short, every section on a path that falls short takes
// its largest size and the rest of the tree is chosen as above.
PressureChoice chooseByPressure(const SectionTree& tree, const std::vector<SectionOptions>& sections,
                                std::size_t pointsEach);

}  // namespace network
