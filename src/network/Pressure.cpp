#include "network/Pressure.h"

#include "base/CalculationText.h"

#include <QStringList>

namespace network {

namespace {

// Why a section's pressure is unknown, as the sections that wait for it say.
enum class Missing { None, Refused, Minimum, Supply };

QString waitsFor(Missing missing, const QString& label)
{
    switch (missing) {
    case Missing::None: break;
    case Missing::Refused: return QStringLiteral("Druck unbekannt: %1 abgewiesen").arg(label);
    case Missing::Minimum: return QStringLiteral("Druck unbekannt: %1 ohne Mindestfliessdruck").arg(label);
    case Missing::Supply: return QStringLiteral("Druck unbekannt: %1 ohne Versorgungsdruck").arg(label);
    }
    return {};
}

// The section a value waits for, and why.
struct Origin {
    int section = -1;
    Missing missing = Missing::None;
};


}  // namespace

NetworkPressure checkPressure(const SectionTree& tree, const std::vector<SectionLosses>& losses,
                              const std::vector<QString>& labels, bool withSupply)
{
    const std::size_t n = losses.size();
    NetworkPressure result;
    std::vector<SectionPressure>& p = result.sections;
    p.resize(n);
    std::vector<Origin> requiredOrigin(n), startOrigin(n);

    for (const int s : tree.upward()) {
        SectionPressure& here = p[std::size_t(s)];
        const SectionLosses& l = losses[std::size_t(s)];
        if (!l.loss) {
            requiredOrigin[std::size_t(s)] = {s, Missing::Refused};
            continue;
        }
        std::optional<double> decisive = l.minimum;
        Origin waiting;
        for (const int f : tree.fed(s)) {
            const std::optional<double>& needed = p[std::size_t(f)].required;
            if (!needed) {
                if (waiting.section < 0) waiting = requiredOrigin[std::size_t(f)];
            } else if (!decisive || *needed > *decisive) {
                decisive = needed;
                here.decidedBy = f;
            }
        }
        if (waiting.section >= 0) {
            requiredOrigin[std::size_t(s)] = waiting;
            here.decidedBy = -1;
            calculationText::addReason(here.reason, waitsFor(waiting.missing, labels[std::size_t(waiting.section)]));
        } else if (!decisive) {
            requiredOrigin[std::size_t(s)] = {s, Missing::Minimum};
            calculationText::addReason(here.reason, QStringLiteral("kein Mindestfliessdruck"));
        } else {
            here.required = *l.loss + *decisive;
        }
    }

    if (withSupply) {
        const std::vector<int>& upward = tree.upward();
        for (auto it = upward.rbegin(); it != upward.rend(); ++it) {
            const int s = *it, feeder = tree.feeder(s);
            SectionPressure& here = p[std::size_t(s)];
            if (feeder == SectionTree::supply) {
                if (tree.refused(s)) {
                    startOrigin[std::size_t(s)] = {s, Missing::Refused};
                } else if (losses[std::size_t(s)].supply) {
                    here.start = losses[std::size_t(s)].supply;
                } else {
                    startOrigin[std::size_t(s)] = {s, Missing::Supply};
                    calculationText::addReason(here.reason, QStringLiteral("Versorgungsdruck fehlt"));
                }
            } else {
                const SectionPressure& above = p[std::size_t(feeder)];
                const std::optional<double>& aboveLoss = losses[std::size_t(feeder)].loss;
                if (above.start && aboveLoss) {
                    here.start = *above.start - *aboveLoss;
                } else {
                    startOrigin[std::size_t(s)] = above.start ? Origin{feeder, Missing::Refused} : startOrigin[std::size_t(feeder)];
                    calculationText::addReason(here.reason, waitsFor(startOrigin[std::size_t(s)].missing,
                                                    labels[std::size_t(startOrigin[std::size_t(s)].section)]));
                }
            }
            if (here.start && here.required) here.reserve = *here.start - *here.required;
        }
    }

    // The path begins at the worst section fed by the supply; every such
    // section must be known to tell which that is.
    int first = -1;
    for (int s = 0; s < int(n); ++s) {
        if (tree.feeder(s) != SectionTree::supply || tree.refused(s)) continue;
        const SectionPressure& here = p[std::size_t(s)];
        const Origin unknownFrom = !here.required ? requiredOrigin[std::size_t(s)]
                                   : withSupply && !here.start ? startOrigin[std::size_t(s)]
                                                               : Origin{};
        if (unknownFrom.section >= 0) {
            result.unknown = waitsFor(unknownFrom.missing, labels[std::size_t(unknownFrom.section)]);
            return result;
        }
        if (first < 0 || (withSupply ? *here.reserve < *p[std::size_t(first)].reserve
                                     : *here.required > *p[std::size_t(first)].required))
            first = s;
    }
    for (int s = first; s >= 0; s = p[std::size_t(s)].decidedBy) {
        result.path.push_back(s);
        p[std::size_t(s)].onPath = true;
    }
    return result;
}

}  // namespace network
