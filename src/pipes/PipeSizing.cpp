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

namespace {

// v = Q / (π di²/4), m/s, of a flow in l/s through an inner diameter in mm.
double velocityOf(double flow, double innerDiameter)
{
    const double di = innerDiameter / 1000.0;  // m
    return flow / 1000.0 / (std::numbers::pi / 4.0 * di * di);
}

}  // namespace

SizeFlow flowIn(const PipeSeries& series, std::size_t size, double flow, const Conditions& conditions)
{
    const Water water = waterAt(conditions.temperature);
    const double di = series.sizes.at(size).innerDiameter / 1000.0;  // m
    SizeFlow f;
    f.size = size;
    f.velocity = velocityOf(flow, series.sizes[size].innerDiameter);
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
    // The velocity falls as the diameter grows: the first size within the
    // limit is the smallest. Only its losses are worked out.
    std::size_t size = 0;
    for (; size + 1 < series.sizes.size(); ++size) {
        if (velocityOf(flow, series.sizes[size].innerDiameter) <= conditions.maximumVelocity * (1.0 + limitTolerance)) break;
    }
    return flowIn(series, size, flow, conditions);
}

}  // namespace pipes
