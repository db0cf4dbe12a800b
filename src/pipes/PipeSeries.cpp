#include "pipes/PipeSeries.h"

#include <algorithm>

namespace pipes {

namespace {

// Wall roughness k in mm: drawn copper and stainless steel 0.0015, plastics
// and multilayer pipes 0.007, galvanised steel 0.15.
PipeSeries made(const char* name, double roughness, std::initializer_list<std::pair<const char*, double>> sizes)
{
    PipeSeries s{QString::fromUtf8(name), roughness, {}};
    for (const auto& [label, di] : sizes) s.sizes.push_back({QString::fromUtf8(label), di});
    return s;
}

}  // namespace

PipeCatalogue PipeCatalogue::builtIn()
{
    PipeCatalogue catalogue;
    catalogue.put(made("Kupfer", 0.0015,
                         {{"12×1", 10.0}, {"15×1", 13.0}, {"18×1", 16.0}, {"22×1", 20.0}, {"28×1,5", 25.0},
                          {"35×1,5", 32.0}, {"42×1,5", 39.0}, {"54×2", 50.0}, {"64×2", 60.0}, {"76,1×2", 72.1},
                          {"88,9×2", 84.9}, {"108×2,5", 103.0}}));
    catalogue.put(made("Edelstahl", 0.0015,
                         {{"15×1", 13.0}, {"18×1", 16.0}, {"22×1,2", 19.6}, {"28×1,2", 25.6}, {"35×1,5", 32.0},
                          {"42×1,5", 39.0}, {"54×1,5", 51.0}, {"76,1×2", 72.1}, {"88,9×2", 84.9}, {"108×2", 104.0}}));
    catalogue.put(made("Stahl verzinkt", 0.15,
                         {{"DN 15", 16.1}, {"DN 20", 21.7}, {"DN 25", 27.3}, {"DN 32", 36.0}, {"DN 40", 41.9},
                          {"DN 50", 53.1}, {"DN 65", 68.9}, {"DN 80", 80.9}}));
    catalogue.put(made("PE-X", 0.007,
                         {{"16×2,2", 11.6}, {"20×2,8", 14.4}, {"25×3,5", 18.0}, {"32×4,4", 23.2}, {"40×5,5", 29.0},
                          {"50×6,9", 36.2}, {"63×8,6", 45.8}}));
    catalogue.put(made("Mehrschichtverbund", 0.007,
                         {{"16×2", 12.0}, {"20×2", 16.0}, {"26×3", 20.0}, {"32×3", 26.0}, {"40×3,5", 33.0},
                          {"50×4", 42.0}, {"63×4,5", 54.0}}));
    return catalogue;
}

const PipeSeries* PipeCatalogue::find(const QString& name) const
{
    const QString wanted = name.trimmed();
    for (const PipeSeries& s : m_series)
        if (s.name.compare(wanted, Qt::CaseInsensitive) == 0) return &s;
    return nullptr;
}

void PipeCatalogue::put(PipeSeries series)
{
    series.name = series.name.trimmed();
    std::stable_sort(series.sizes.begin(), series.sizes.end(),
                     [](const PipeSize& a, const PipeSize& b) { return a.innerDiameter < b.innerDiameter; });
    for (PipeSeries& s : m_series)
        if (s.name.compare(series.name, Qt::CaseInsensitive) == 0) {
            s = std::move(series);
            return;
        }
    m_series.push_back(std::move(series));
}

}  // namespace pipes
