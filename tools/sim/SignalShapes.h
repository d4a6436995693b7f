// Building blocks of the simulated instrument's hydraulic signals: step responses of first-
// and second-order systems, damped ringing and a reproducible noise source. Pure functions
// of time (seconds) and of their parameters; they hold no state and draw no random numbers.
#pragma once

#include <cstdint>

namespace vantrel::sim {

/// 0 before `t` = 0, then 1 - e^(-t / tau): a first-order approach to 1 (tau in seconds).
double FirstOrderStep(double t, double tau);

/// 0 before `t` = 0, then the unit step response of a second-order system with natural
/// frequency `hertz` and damping ratio `zeta` (0 < zeta < 1): overshoot and damped
/// oscillation around 1.
double SecondOrderStep(double t, double hertz, double zeta);

/// 0 before `t` = 0, then a pressure spike ringing at `hertz` and decaying with `tau`
/// seconds: e^(-t / tau) sin(2 pi hertz t) with its negative half-waves scaled by
/// `backSwing` (a line cannot ring as far below its base as above).
double DampedRinging(double t, double hertz, double tau, double backSwing);

/// Reproducible noise in [-1, 1): the same (`seed`, `stream`, `index`) gives the same value on
/// every machine.
double Noise(std::uint32_t seed, std::uint32_t stream, std::uint64_t index);

}  // namespace vantrel::sim
