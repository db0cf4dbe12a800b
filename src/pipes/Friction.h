#pragma once

// The Darcy friction factor λ of water flowing full through a round pipe.
namespace pipes {

// Below this Reynolds number the flow is taken as laminar (λ = 64/Re); from
// it on as turbulent, the transition region included, as sizing practice for
// drinking-water pipes does. So λ jumps at 2320.
inline constexpr double laminarLimit = 2320.0;

// λ for a Reynolds number Re = v·di/ν (> 0) and a relative roughness k/di
// (≥ 0): 64/Re below laminarLimit, otherwise Colebrook-White,
//   1/√λ = −2·log10(2.51/(Re·√λ) + (k/di)/3.71),
// solved to a relative 1e-12 (Colebrook, Proc. ICE 11 (1939) 133).
double frictionFactor(double reynolds, double relativeRoughness);

}  // namespace pipes
