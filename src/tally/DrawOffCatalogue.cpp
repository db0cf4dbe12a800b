#include "tally/DrawOffCatalogue.h"

namespace tally {

DrawOffCatalogue DrawOffCatalogue::builtIn()
{
    // Loading units of one point (EN 806-3, table 2): 1 BW stands for 0.1 l/s.
    // Minimum flow pressures in hPa (DIN 1988-300's table as the trade's
    // handbooks print it): 1000 for taps and mixers with an aerator and the
    // urinal's flush valve, 500 for cisterns, machines and the garden tap,
    // 1200 for the WC's flush valve DN 20.
    struct Entry {
        const char* name;
        double units;
        double minimum;
    };
    static const Entry table[] = {
        {"Waschtisch", 1, 1000},      {"Handwaschbecken", 1, 1000}, {"Bidet", 1, 1000},
        {"WC-Spülkasten", 1, 500},    {"Küchenspüle", 2, 1000},     {"Spülbecken", 2, 1000},
        {"Waschmaschine", 2, 500},    {"Geschirrspüler", 2, 500},   {"Dusche", 2, 1000},
        {"Urinal-Druckspüler", 3, 1000}, {"Badewanne", 4, 1000},    {"Gartenventil", 5, 500},
        {"Spültisch gewerblich DN 20", 8, 1000}, {"Badewanne gewerblich", 8, 1000}, {"Druckspüler DN 20", 15, 1200},
    };
    DrawOffCatalogue catalogue;
    for (const Entry& e : table) catalogue.m_points.push_back({QString::fromUtf8(e.name), e.units, e.minimum});
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
