#include "pipes/Friction.h"

#include <cmath>

namespace pipes {

double frictionFactor(double reynolds, double relativeRoughness)
{
    if (reynolds < laminarLimit) return 64.0 / reynolds;
    const double rough = relativeRoughness / 3.71;
    const double a = 2.51 / reynolds;
    // x = 1/√λ solves g(x) = x + 2·log10(a·x + rough) = 0. Swamee-Jain's
    // explicit λ (within 2 %) is the start; Newton's steps, with
    // g'(x) = 1 + (2/ln 10)·a/(a·x + rough), reach 1e-12 in two or three.
    constexpr double twoOverLn10 = 0.86858896380650365530;  // 2/ln(10)
    const double start = 0.25 / std::pow(std::log10(rough + 5.74 / std::pow(reynolds, 0.9)), 2);
    double x = 1.0 / std::sqrt(start);
    for (int step = 0; step < 50; ++step) {
        const double inner = a * x + rough;
        const double next = x - (x + 2.0 * std::log10(inner)) / (1.0 + twoOverLn10 * a / inner);
        const bool settled = std::abs(next - x) <= 1e-13 * next;
        x = next;
        if (settled) break;
    }
    return 1.0 / (x * x);
}

}  // namespace pipes
