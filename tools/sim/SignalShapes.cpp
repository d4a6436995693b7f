// Step responses, ringing and noise of the simulated hydraulic signals.
#include "SignalShapes.h"

#include <cmath>
#include <numbers>

namespace vantrel::sim {

double FirstOrderStep(double t, double tau) {
  if (t <= 0.0) return 0.0;
  return 1.0 - std::exp(-t / tau);
}

double SecondOrderStep(double t, double hertz, double zeta) {
  if (t <= 0.0) return 0.0;
  const double omega = 2.0 * std::numbers::pi * hertz;
  const double root = std::sqrt(1.0 - zeta * zeta);
  const double damped = omega * root;
  return 1.0 -
         std::exp(-zeta * omega * t) * (std::cos(damped * t) + zeta / root * std::sin(damped * t));
}

double DampedRinging(double t, double hertz, double tau, double backSwing) {
  if (t <= 0.0) return 0.0;
  const double wave = std::sin(2.0 * std::numbers::pi * hertz * t);
  return std::exp(-t / tau) * (wave < 0.0 ? wave * backSwing : wave);
}

double Noise(std::uint32_t seed, std::uint32_t stream, std::uint64_t index) {
  // SplitMix64 over the three inputs: random access by index, no generator state.
  std::uint64_t z = index + 0x9E3779B97F4A7C15ULL * (1 + stream + (std::uint64_t{seed} << 20));
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
  z ^= z >> 31;
  return static_cast<double>(z >> 11) * 0x1.0p-52 - 1.0;
}

}  // namespace vantrel::sim
