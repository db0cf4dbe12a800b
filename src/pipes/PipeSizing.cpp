#include "pipes/PipeSizing.h"

#include "pipes/Friction.h"
#include "pipes/Water.h"

#include <numbers>

namespace pipes {

namespace {

// A velocity that exceeds v max by no more than the rounding of its own
// computation (a few units in the last place) counts as within it: a flow
// worked out as exactly v max times the pipe's area keeps that pipe.
constexpr double limitTolerance = 1e-12;

constexpr double hectopascal = 100.0;  // Pa

}  // namespace

SizeFlow flowIn(const PipeSeries& series, std::size_t size, double flow, const Conditions& conditions)
{
    const Water water = waterAt(conditions.temperature);
    const double di = series.sizes.at(size).innerDiameter / 1000.0;  // m
    const double area = std::numbers::pi / 4.0 * di * di;             // m²
    SizeFlow f;
    f.size = size;
    f.velocity = flow / 1000.0 / area;
    f.reynolds = f.velocity * di / water.viscosity;
    f.friction = frictionFactor(f.reynolds, series.roughness / series.sizes[size].innerDiameter);
    const double dynamic = water.density * f.velocity * f.velocity / 2.0;  // ρv²/2, Pa
    f.gradient = f.friction / di * dynamic / hectopascal;
    if (conditions.length) f.frictionLoss = f.gradient * *conditions.length;
    if (conditions.lossCoefficients) f.fittingsLoss = *conditions.lossCoefficients * dynamic / hectopascal;
    if (f.frictionLoss || f.fittingsLoss) f.pressureLoss = f.frictionLoss.value_or(0.0) + f.fittingsLoss.value_or(0.0);
    f.withinLimit = f.velocity <= conditions.maximumVelocity * (1.0 + limitTolerance);
    return f;
}

SizeFlow chooseSize(const PipeSeries& series, double flow, const Conditions& conditions)
{
    // The velocity falls as the diameter grows: the first size within the limit is the smallest.
    for (std::size_t size = 0; size + 1 < series.sizes.size(); ++size) {
        const SizeFlow f = flowIn(series, size, flow, conditions);
        if (f.withinLimit) return f;
    }
    return flowIn(series, series.sizes.size() - 1, flow, conditions);
}

}  // namespace pipes
