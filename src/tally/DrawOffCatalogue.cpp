#include "tally/DrawOffCatalogue.h"

namespace tally {

DrawOffCatalogue DrawOffCatalogue::builtIn()
{
    // Loading units of one point (EN 806-3, table 2): 1 BW stands for 0.1 l/s.
    static const std::pair<const char*, double> table[] = {
        {"Waschtisch", 1},  {"Handwaschbecken", 1}, {"Bidet", 1},          {"WC-Spülkasten", 1},
        {"Küchenspüle", 2}, {"Spülbecken", 2},      {"Waschmaschine", 2},  {"Geschirrspüler", 2},
        {"Dusche", 2},      {"Urinal-Druckspüler", 3}, {"Badewanne", 4},   {"Gartenventil", 5},
        {"Spültisch gewerblich DN 20", 8}, {"Badewanne gewerblich", 8},    {"Druckspüler DN 20", 15},
    };
    DrawOffCatalogue catalogue;
    for (const auto& [name, units] : table) catalogue.m_points.push_back({QString::fromUtf8(name), units});
    return catalogue;
}

const DrawOffPoint* DrawOffCatalogue::find(const QString& name) const
{
    const QString wanted = name.trimmed();
    for (const DrawOffPoint& point : m_points)
        if (point.name.compare(wanted, Qt::CaseInsensitive) == 0) return &point;
    return nullptr;
}

void DrawOffCatalogue::put(DrawOffPoint point)
{
    point.name = point.name.trimmed();
    for (DrawOffPoint& p : m_points)
        if (p.name.compare(point.name, Qt::CaseInsensitive) == 0) {
            p = std::move(point);
            return;
        }
    m_points.push_back(std::move(point));
}

}  // namespace tally
