#include "pipes/Water.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace pipes {

namespace {

struct Degree {
    int celsius;
    double density;    // kg/m³
    double viscosity;  // mm²/s
};

constexpr Degree table[] = {
#include "pipes/WaterTable.inc"
};

static_assert(std::size(table) == 86 && table[0].celsius == 5);

}  // namespace

Water waterAt(double celsius)
{
    // Outside the range (and for nan) the nearest end.
    const double t = celsius >= lowestTemperature ? std::min(celsius, highestTemperature) : lowestTemperature;
    // The degree below t, and the one above it (90 °C is the last).
    const std::size_t below = std::min(std::size_t(std::floor(t)) - std::size_t(table[0].celsius), std::size(table) - 2);
    const Degree& a = table[below];
    const Degree& b = table[below + 1];
    const double f = t - a.celsius;
    return {a.density + f * (b.density - a.density), (a.viscosity + f * (b.viscosity - a.viscosity)) * 1e-6};
}

double staticPressure(double height, double celsius)
{
    return waterAt(celsius).density * gravity * height / 100.0;
}

}  // namespace pipes
