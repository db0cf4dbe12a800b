#pragma once

#include "pipes/PipeSeries.h"

#include <optional>

// The size a pipe section needs for its peak flow, and the pressure it loses.
namespace pipes {

// What the sizing of one section goes by besides its flow.
struct Conditions {
    double maximumVelocity = 2.0;  // v max, m/s; 2 m/s is the usual limit for distribution, rising and floor pipes
    double temperature = 10.0;     // °C; 10 for cold drinking water, 60 for warm water
    std::optional<double> length;  // l, m
    std::optional<double> lossCoefficients;  // Σζ of the section's fittings
};

// The flow through one size of a series.
struct SizeFlow {
    std::size_t size = 0;  // in the series' sizes
    double velocity = 0;   // v, m/s
    double reynolds = 0;   // Re = v·di/ν
    double friction = 0;   // λ (Darcy)
    double gradient = 0;   // R = λ/di · ρv²/2, hPa/m
    std::optional<double> frictionLoss;  // R·l, hPa; with a length
    std::optional<double> fittingsLoss;  // Z = Σζ · ρv²/2, hPa; with Σζ
    std::optional<double> pressureLoss;  // Δp = R·l + Z, hPa; with either
    bool withinLimit = false;            // v ≤ v max
};

// The flow `flow` (l/s, > 0) through the series' size `size`, under
// `conditions` (checked before: conditionsProblem in SizingText.h).
SizeFlow flowIn(const PipeSeries& series, std::size_t size, double flow, const Conditions& conditions);

// The smallest size (least inner diameter) whose velocity stays within v max;
// when none does, the largest, with withinLimit false. The series has at least one size.
SizeFlow chooseSize(const PipeSeries& series, double flow, const Conditions& conditions);

}  // namespace pipes
