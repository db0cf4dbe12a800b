#pragma once

#include "network/SectionTree.h"

#include <QString>

#include <optional>
#include <vector>

class NumberText;

// Loading units summed towards the supply: a section carries its own draw-off
// points (those at its end) and everything it feeds.
namespace network {

// What a section gives of its own.
struct OwnUnits {
    QString problem;              // its own cells cannot be read: why; it is then refused
    double countedTotal = 0;      // BW of its counted points
    double countedLargest = 0;    // the largest BW je Stück among its points counted at least once
    double points = 0;            // how many points it counts (the sum of its counts)
    std::optional<double> statedTotal, statedLargest;  // its "BW" and "Einzel BW" cells, where they hold a number
};

struct SectionUnits {
    std::optional<double> total, largest;  // BW and Einzel BW through the section; none when unknown
    bool singlePoint = false;  // its one point is a single draw-off point: one count of 1, feeding nothing
    QString reason;            // why the units are unknown; empty when known
    int origin = -1;           // the section whose refusal they wait for: itself, or one below it
};

// The units of every section, by the tree. A section that feeds nothing and
// counts no points states its own "BW" and "Einzel BW" (an apartment taken
// as a whole); every other section's are the sums, and stated numbers must
// equal them: "BW 30 laut Spalte, 24 aus den Teilstrecken und Entnahmestellen".
// `counting`: the list has counting columns ("keine Entnahmestellen" for a
// section that feeds nothing and has neither points nor stated units).
// `labels`: how the messages name each section (sectionLabel()).
// Sums are exact: whole units in doubles below 2^53, otherwise decimally.
std::vector<SectionUnits> sumUnits(const SectionTree& tree, const std::vector<OwnUnits>& own,
                                   const std::vector<QString>& labels, bool counting, const NumberText& numbers);

}  // namespace network
