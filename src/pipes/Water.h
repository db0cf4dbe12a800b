#pragma once

// Drinking water at atmospheric pressure, by its temperature.
namespace pipes {

// The temperatures the program sizes for, °C: cold water from 5, warm water
// up to 90 (hot-water circulation runs at 55 to 60).
inline constexpr double lowestTemperature = 5.0;
inline constexpr double highestTemperature = 90.0;

struct Water {
    double density;    // ρ, kg/m³
    double viscosity;  // ν, kinematic, m²/s
};

// Water at `celsius` (lowestTemperature to highestTemperature), interpolated
// linearly between IAPWS-95's values at whole degrees: within 2e-6 of
// IAPWS-95 for the density and 2e-4 for the viscosity.
Water waterAt(double celsius);

// Standard gravity, m/s² (CGPM 1901).
inline constexpr double gravity = 9.80665;

// The pressure a rise of `height` m (negative: a fall) costs water at
// `celsius`: ρ·g·h, in hPa (1 hPa = 100 Pa).
double staticPressure(double height, double celsius);

}  // namespace pipes
