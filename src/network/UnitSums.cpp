#include "network/UnitSums.h"

#include "base/CalculationText.h"
#include "base/NumberText.h"
#include "tally/ExactSum.h"

#include <QStringList>

#include <algorithm>
#include <cmath>

namespace network {

namespace {

const QString totalHeading = QStringLiteral("BW");
const QString largestHeading = QStringLiteral("Einzel BW");

// Whole numbers up to 2^53 are doubles, and so is every sum of them below it.
constexpr double wholeLimit = 9007199254740992.0;  // 2^53

bool whole(double x) { return std::trunc(x) == x && std::fabs(x) < wholeLimit; }

}  // namespace

std::vector<SectionUnits> sumUnits(const SectionTree& tree, const std::vector<OwnUnits>& own,
                                   const std::vector<QString>& labels, bool counting, const NumberText& numbers)
{
    std::vector<SectionUnits> units(own.size());
    for (const int s : tree.upward()) {
        SectionUnits& u = units[std::size_t(s)];
        const OwnUnits& o = own[std::size_t(s)];
        const auto fed = tree.fed(s);
        u.origin = s;
        if (tree.refused(s)) {
            u.reason = tree.refusal(s);
            continue;
        }
        if (!o.problem.isEmpty()) {
            u.reason = o.problem;
            continue;
        }
        const auto waiting = std::find_if(fed.begin(), fed.end(), [&](int f) { return !units[std::size_t(f)].total; });
        if (waiting != fed.end()) {
            u.origin = units[std::size_t(*waiting)].origin;
            u.reason = QStringLiteral("BW unbekannt: %1 abgewiesen").arg(labels[std::size_t(u.origin)]);
            continue;
        }
        if (fed.empty() && o.points == 0) {
            // Stated for itself, as a whole.
            u.total = o.statedTotal;
            u.largest = o.statedLargest;
            if (!u.total && !u.largest && counting) {
                u.reason = QStringLiteral("keine Entnahmestellen");
            } else {
                QStringList missing;
                if (!u.total) missing << calculationText::missing(totalHeading);
                if (!u.largest) missing << calculationText::missing(largestHeading);
                u.reason = missing.join(QStringLiteral("; "));
            }
            if (!u.reason.isEmpty()) u.total = u.largest = std::nullopt;
            continue;
        }

        double total = o.countedTotal;
        double largest = o.points > 0 ? o.countedLargest : 0;
        bool exact = whole(total);
        for (const int f : fed) {
            const double t = *units[std::size_t(f)].total;
            exact = exact && whole(t) && std::fabs(total + t) < wholeLimit;
            total += t;
            largest = std::max(largest, *units[std::size_t(f)].largest);
        }
        if (!exact) {
            // Decimal arithmetic, as the tally adds: 0,1 + 0,2 is 0,3.
            tally::ExactSum sum;
            sum.add(o.countedTotal, 1);
            for (const int f : fed) sum.add(*units[std::size_t(f)].total, 1);
            const std::optional<double> value = sum.value();
            if (!value) {
                u.reason = QStringLiteral("BW aus den Teilstrecken und Entnahmestellen zu gross");
                continue;
            }
            total = *value;
        }
        const QString from = fed.empty() ? QStringLiteral("aus den Entnahmestellen")
                                         : QStringLiteral("aus den Teilstrecken und Entnahmestellen");
        QStringList disagreements;
        const auto agree = [&](const std::optional<double>& stated, double summed, const QString& heading) {
            if (stated && *stated != summed)
                disagreements << QStringLiteral("%1 %2 laut Spalte, %3 %4")
                                     .arg(heading, numbers.exact(*stated), numbers.exact(summed), from);
        };
        agree(o.statedTotal, total, totalHeading);
        agree(o.statedLargest, largest, largestHeading);
        if (!disagreements.isEmpty()) {
            u.reason = disagreements.join(QStringLiteral("; "));
            continue;
        }
        u.total = total;
        u.largest = largest;
        u.singlePoint = fed.empty() && o.points == 1;
    }
    return units;
}

}  // namespace network
