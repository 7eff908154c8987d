// Small synthesiser toolkit (see synth.h).
#include "synth.h"

#include <algorithm>

namespace datagen {
namespace {

constexpr double kTwoPi = 6.283185307179586;

// PolyBLEP residual: smooths a unit step at phase 0 over one sample on each side.
double Blep(double t, double dt) {
  if (t < dt) {
    t /= dt;
    return t + t - t * t - 1.0;
  }
  if (t > 1.0 - dt) {
    t = (t - 1.0) / dt;
    return t * t + t + t + 1.0;
  }
  return 0.0;
}

}  // namespace

double Osc::Advance(double hz) {
  const double p = phase_;
  dt_ = hz / kSampleRate;
  phase_ += dt_;
  phase_ -= std::floor(phase_);
  return p;
}

double Osc::Sine(double hz) { return std::sin(kTwoPi * Advance(hz)); }

double Osc::Triangle(double hz) {
  const double p = Advance(hz);
  return p < 0.5 ? 4.0 * p - 1.0 : 3.0 - 4.0 * p;
}

double Osc::Saw(double hz) {
  const double p = Advance(hz);
  return 2.0 * p - 1.0 - Blep(p, dt_);
}

double Osc::Pulse(double hz, double duty) {
  const double p = Advance(hz);
  double v = p < duty ? 1.0 : -1.0;
  v += Blep(p, dt_);
  double q = p - duty;
  if (q < 0) q += 1.0;
  v -= Blep(q, dt_);
  return v - (2.0 * duty - 1.0);  // remove the offset of uneven duty cycles
}

double Noise::Next() {
  state_ ^= state_ << 13;
  state_ ^= state_ >> 17;
  state_ ^= state_ << 5;
  return state_ * (2.0 / 4294967295.0) - 1.0;
}

double LowPass::Run(double x, double cutoffHz) {
  const double a = 1.0 - std::exp(-kTwoPi * std::min(cutoffHz, kSampleRate * 0.45) / kSampleRate);
  y_ += a * (x - y_);
  return y_;
}

double DecayEnv(double t, double attack, double tau) {
  if (t < 0) return 0;
  if (t < attack) return t / attack;
  return std::exp(-(t - attack) / tau);
}

void Normalise(std::vector<float>& s, double peak) {
  double m = 0;
  for (float v : s) m = std::max(m, static_cast<double>(std::fabs(v)));
  if (m <= 0) return;
  const double k = peak / m;
  for (float& v : s) v = static_cast<float>(v * k);
}

void FadeTail(std::vector<float>& s, int samples) {
  const int n = static_cast<int>(s.size());
  for (int i = 0; i < samples && i < n; ++i) s[n - 1 - i] *= static_cast<float>(i) / samples;
}

}  // namespace datagen
