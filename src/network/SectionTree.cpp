#include "network/SectionTree.h"

#include "base/CalculationText.h"

#include <QHash>
#include <QStringList>

#include <algorithm>

namespace network {

namespace {

// "zweimal" and "(Zeilen 4 und 9)" of a name that several rows hold.
QString standsMoreThanOnce(const QString& what, const QString& name, const std::vector<int>& holders,
                           const std::vector<Link>& links)
{
    static const char* const times[] = {"", "", "zweimal", "dreimal", "viermal", "fünfmal"};
    const std::size_t n = holders.size();
    const QString count = n < std::size(times) ? QString::fromUtf8(times[n]) : QStringLiteral("%1-mal").arg(n);
    QStringList rows;
    for (const int h : holders) rows << QString::number(links[std::size_t(h)].row);
    const QString last = rows.takeLast();
    return QStringLiteral("%1 „%2“ steht %3 in der Liste (Zeilen %4 und %5)")
        .arg(what, name, count, rows.join(QStringLiteral(", ")), last);
}


}  // namespace

QString sectionLabel(const Link& link)
{
    const QString name = link.name.trimmed();
    return name.isEmpty() ? QStringLiteral("Teilstrecke in Zeile %1").arg(link.row) : QStringLiteral("Teilstrecke „%1“").arg(name);
}

SectionTree::SectionTree(const std::vector<Link>& links)
{
    const int n = int(links.size());
    m_feeder.assign(std::size_t(n), supply);
    m_refusal.assign(std::size_t(n), QString());

    // Every row of each name, by its folded text.
    QHash<QString, std::vector<int>> holders;
    holders.reserve(n);
    std::vector<QString> keys(static_cast<std::size_t>(n));
    for (int s = 0; s < n; ++s) {
        keys[std::size_t(s)] = links[std::size_t(s)].name.trimmed().toCaseFolded();
        if (keys[std::size_t(s)].isEmpty()) calculationText::addReason(m_refusal[std::size_t(s)], QStringLiteral("Teilstrecke fehlt"));
        else holders[keys[std::size_t(s)]].push_back(s);
    }
    for (int s = 0; s < n; ++s) {
        const Link& link = links[std::size_t(s)];
        if (const auto it = holders.constFind(keys[std::size_t(s)]); it != holders.cend() && it->size() > 1)
            calculationText::addReason(m_refusal[std::size_t(s)],
                      standsMoreThanOnce(QStringLiteral("Teilstrecke"), link.name.trimmed(), *it, links));
        const QString feeder = link.feeder.trimmed();
        if (feeder.isEmpty()) continue;
        const auto it = holders.constFind(feeder.toCaseFolded());
        if (it == holders.cend())
            calculationText::addReason(m_refusal[std::size_t(s)], QStringLiteral("Zuleitung „%1“ steht nicht in der Liste").arg(feeder));
        else if (it->size() > 1)
            calculationText::addReason(m_refusal[std::size_t(s)], standsMoreThanOnce(QStringLiteral("Zuleitung"), feeder, *it, links));
        else
            m_feeder[std::size_t(s)] = it->front();
    }

    // Cycles: each walk goes up the feeders until it reaches the supply, a
    // section walked before, or a section of its own walk, which closes a cycle.
    std::vector<int> walkOf(static_cast<std::size_t>(n), -1);
    std::vector<int> walk;
    for (int start = 0; start < n; ++start) {
        walk.clear();
        int s = start;
        while (s != supply && walkOf[std::size_t(s)] < 0) {
            walkOf[std::size_t(s)] = start;
            walk.push_back(s);
            s = m_feeder[std::size_t(s)];
        }
        if (s == supply || walkOf[std::size_t(s)] != start) continue;
        // The cycle in the direction of the flow (a feeder before the section
        // it feeds), from its first section in the list.
        std::vector<int> cycle(std::find(walk.begin(), walk.end(), s), walk.end());
        std::reverse(cycle.begin(), cycle.end());
        std::rotate(cycle.begin(), std::min_element(cycle.begin(), cycle.end()), cycle.end());
        QStringList names;
        for (const int c : cycle) names << links[std::size_t(c)].name.trimmed();
        names << names.front();
        const QString text = QStringLiteral("Kreis: ") + names.join(QStringLiteral(" → "));
        for (const int c : cycle) {
            calculationText::addReason(m_refusal[std::size_t(c)], text);
            m_feeder[std::size_t(c)] = supply;  // cut, so that what it feeds hangs below it
        }
    }

    // The fed sections of each, in the list's order.
    m_fedStart.assign(std::size_t(n) + 1, 0);
    for (int s = 0; s < n; ++s)
        if (m_feeder[std::size_t(s)] != supply) ++m_fedStart[std::size_t(m_feeder[std::size_t(s)]) + 1];
    for (int s = 0; s < n; ++s) m_fedStart[std::size_t(s) + 1] += m_fedStart[std::size_t(s)];
    m_fed.resize(std::size_t(m_fedStart[std::size_t(n)]));
    std::vector<int> next(m_fedStart.begin(), m_fedStart.end() - 1);
    for (int s = 0; s < n; ++s)
        if (const int f = m_feeder[std::size_t(s)]; f != supply) m_fed[std::size_t(next[std::size_t(f)]++)] = s;

    // Away from the supply, breadth first, then reversed.
    m_upward.reserve(std::size_t(n));
    for (int s = 0; s < n; ++s)
        if (m_feeder[std::size_t(s)] == supply) m_upward.push_back(s);
    for (std::size_t i = 0; i < m_upward.size(); ++i)
        for (const int f : fed(m_upward[i])) m_upward.push_back(f);
    std::reverse(m_upward.begin(), m_upward.end());
}

}  // namespace network
