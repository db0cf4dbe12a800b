#include "pipes/Friction.h"

#include <cmath>

namespace pipes {

double frictionFactor(double reynolds, double relativeRoughness)
{
    if (reynolds < laminarLimit) return 64.0 / reynolds;
    const double rough = relativeRoughness / 3.71;
    // x = 1/√λ. Swamee-Jain's explicit λ (within 2 %) is the start; the
    // fixed-point step x = −2·log10(2.51·x/Re + rough) contracts by about
    // 0.87/x ≤ 0.2 a step here, so a dozen steps reach 1e-12.
    const double start = 0.25 / std::pow(std::log10(rough + 5.74 / std::pow(reynolds, 0.9)), 2);
    double x = 1.0 / std::sqrt(start);
    for (int step = 0; step < 100; ++step) {
        const double next = -2.0 * std::log10(2.51 * x / reynolds + rough);
        const bool settled = std::abs(next - x) <= 1e-13 * next;
        x = next;
        if (settled) break;
    }
    return 1.0 / (x * x);
}

}  // namespace pipes
