#pragma once

#include "network/SectionTree.h"

#include <QString>

#include <optional>
#include <vector>

// The pressure along every flow path of a network, in hPa. Upwards: the
// pressure a section needs at its start so that every draw-off point it
// feeds gets its minimum flow pressure. Downwards, from the pressure after
// the water meter: the pressure each section starts with, and its reserve.
namespace network {

// What a section gives the pressure rule.
struct SectionLosses {
    std::optional<double> loss;     // R·l + Z + Δp geo + Apparate at peak flow; none for a refused section
    std::optional<double> minimum;  // the minimum flow pressure needed at its end, its own
    std::optional<double> supply;   // of a section fed by the supply: the pressure after the water meter
};

struct SectionPressure {
    std::optional<double> required;  // p erf.: loss + the larger of its own minimum and every fed section's p erf.
    std::optional<double> start;     // p Anfang: the supply's, or what its feeder ends with
    std::optional<double> reserve;   // p Anfang − p erf.
    int decidedBy = -1;              // the fed section whose p erf. decides this one's; -1: its own minimum
    bool onPath = false;             // on the most unfavourable flow path
    QString reason;                  // why a value is unknown that the section's own refusal does not explain
};

struct NetworkPressure {
    std::vector<SectionPressure> sections;
    // The most unfavourable flow path, from the supply to a draw-off point;
    // empty when a pressure it would compare is unknown.
    std::vector<int> path;
    QString unknown;  // why there is no path: the first section that keeps it unknown
};

// `withSupply`: the list gives pressures after the water meter, so that
// p Anfang and the reserves are asked for. `labels`: how messages name the
// sections (sectionLabel()).
// The path starts at the section fed by the supply with the least reserve
// (without a supply pressure: the largest p erf.; the first in the list's
// order on a tie) and follows at each section the fed section that decides
// its p erf. (the first on a tie), until the section's own minimum decides
// (also on a tie with a fed one).
NetworkPressure checkPressure(const SectionTree& tree, const std::vector<SectionLosses>& losses,
                              const std::vector<QString>& labels, bool withSupply);

}  // namespace network
