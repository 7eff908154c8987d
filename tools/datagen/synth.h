// Small synthesiser toolkit for the sound effects and the tune: band-limited oscillators, noise,
// filters and envelopes, all deterministic.
#pragma once
#include <cmath>
#include <cstdint>
#include <vector>

namespace datagen {

constexpr int kSampleRate = 22050;

inline double NoteHz(double midi) { return 440.0 * std::pow(2.0, (midi - 69.0) / 12.0); }

// Phase-accumulating oscillator with PolyBLEP edges, so saws and squares do not alias harshly at
// this low sample rate.
class Osc {
 public:
  void Reset(double phase = 0) { phase_ = phase; }
  double Sine(double hz);
  double Triangle(double hz);
  double Saw(double hz);
  double Pulse(double hz, double duty);

 private:
  double Advance(double hz);  // returns the phase before the step, and the step in dt_
  double phase_ = 0, dt_ = 0;
};

// White noise in [-1, 1] from a fixed seed.
class Noise {
 public:
  explicit Noise(uint32_t seed) : state_(seed) {}
  double Next();

 private:
  uint32_t state_;
};

// One-pole low-pass; cutoff may change every sample.
class LowPass {
 public:
  double Run(double x, double cutoffHz);

 private:
  double y_ = 0;
};

// One-pole high-pass (the input minus its low-passed copy).
class HighPass {
 public:
  double Run(double x, double cutoffHz) { return x - lp_.Run(x, cutoffHz); }

 private:
  LowPass lp_;
};

// Exponential decay with a short linear attack, 1 at the end of the attack.
double DecayEnv(double t, double attack, double tau);

// Scales the buffer so its largest magnitude is `peak`, and ramps the last few samples to silence
// so the effect never ends on a step.
void Normalise(std::vector<float>& s, double peak);
void FadeTail(std::vector<float>& s, int samples);

}  // namespace datagen
