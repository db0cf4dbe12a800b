#pragma once

#include <QString>

#include <span>
#include <vector>

// The sections of a list as the tree of an installation: each section is fed
// by the one its "Zuleitung" names, or by the supply (after the water meter)
// when that is empty. Kept as plain arrays indexed by the section's place in
// the list, built once from the names by a hash table, and walked by loops,
// never by recursion, so that a chain of 100,000 sections needs no deep stack.
namespace network {

// A section as the list names it.
struct Link {
    QString name;    // "Teilstrecke", as written
    QString feeder;  // "Zuleitung", as written; empty: fed by the supply
    int row = 0;     // the list's row (from 1, as a spreadsheet numbers it), for messages
};

// How a message names a section: "Teilstrecke „Bad 2“", or by its row
// where it has no name: "Teilstrecke in Zeile 7".
QString sectionLabel(const Link& link);

class SectionTree {
public:
    static constexpr int supply = -1;

    // Names are compared as their trimmed texts, case-insensitive. A section
    // has no place in the tree (refusal() says why) when its name is empty or
    // stands twice, when its Zuleitung names no section or one that stands
    // twice, or when it lies on a cycle. Such a section feeds no one, but the
    // sections it would feed keep their places below it.
    explicit SectionTree(const std::vector<Link>& links);

    int size() const { return int(m_feeder.size()); }
    // The section that feeds `s`, or supply: also for a section refused for
    // its own Zuleitung.
    int feeder(int s) const { return m_feeder[std::size_t(s)]; }
    // The sections `s` feeds, in the list's order.
    std::span<const int> fed(int s) const
    {
        return {m_fed.data() + m_fedStart[std::size_t(s)], m_fed.data() + m_fedStart[std::size_t(s) + 1]};
    }
    // Empty for a section with its place in the tree.
    const QString& refusal(int s) const { return m_refusal[std::size_t(s)]; }
    bool refused(int s) const { return !m_refusal[std::size_t(s)].isEmpty(); }
    // Every section, each after every section it feeds: the order of a pass
    // towards the supply. Its reverse is the order of a pass away from it.
    const std::vector<int>& upward() const { return m_upward; }

private:
    std::vector<int> m_feeder;
    std::vector<QString> m_refusal;
    std::vector<int> m_fedStart, m_fed;  // the fed sections of s are m_fed[m_fedStart[s] .. m_fedStart[s + 1])
    std::vector<int> m_upward;
};

}  // namespace network
