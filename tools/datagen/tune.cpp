// The game's tune "Linoleum": a 32-bar loop in A minor at about 120 beats per minute with bass,
// arpeggio, pad, lead and drums. Every note is written into the loop modulo its length, so tails
// that run past the end continue at the start and the loop joins without a click.
#include <cmath>
#include <cstdio>
#include <functional>
#include <vector>

#include "ogg.h"
#include "sound.h"
#include "synth.h"

namespace datagen {
namespace {

constexpr int kStep = 2756;  // one sixteenth note: a whole number of samples keeps the loop exact
constexpr int kBars = 32;
constexpr int kLoop = kBars * 16 * kStep;  // 1,411,072 samples, 64 seconds

class Loop {
 public:
  Loop() : left_(kLoop), right_(kLoop), send_(kLoop) {}

  // Renders `seconds` of a voice from `start` (samples), panned 0 (left) .. 1 (right), with an
  // optional share sent to the echo.
  void Play(long start, double seconds, double pan, double gain, double echo,
            const std::function<double(double t)>& voice) {
    const double gl = std::cos(pan * 1.5707963) * gain, gr = std::sin(pan * 1.5707963) * gain;
    const long n = static_cast<long>(seconds * kSampleRate);
    for (long i = 0; i < n; ++i) {
      const double v = voice(static_cast<double>(i) / kSampleRate);
      const long k = (start + i) % kLoop;
      left_[k] += static_cast<float>(v * gl);
      right_[k] += static_cast<float>(v * gr);
      send_[k] += static_cast<float>(v * gain * echo);
    }
  }

  // A ping-pong echo of a dotted eighth, read around the loop so it wraps like everything else.
  void ApplyEcho() {
    const long d = 3 * kStep;
    for (long k = 0; k < kLoop; ++k) {
      left_[k] += 0.55f * send_[(k - d + kLoop) % kLoop] + 0.2f * send_[(k - 3 * d + 3L * kLoop) % kLoop];
      right_[k] += 0.4f * send_[(k - 2 * d + 2L * kLoop) % kLoop];
    }
  }

  void Normalise(double peak) {
    double m = 0;
    for (long k = 0; k < kLoop; ++k) m = std::fmax(m, std::fmax(std::fabs(left_[k]), std::fabs(right_[k])));
    const float g = static_cast<float>(peak / m);
    for (long k = 0; k < kLoop; ++k) {
      left_[k] *= g;
      right_[k] *= g;
    }
  }

  const std::vector<float>& left() const { return left_; }
  const std::vector<float>& right() const { return right_; }

 private:
  std::vector<float> left_, right_, send_;
};

long At(int bar, double step) { return static_cast<long>(bar) * 16 * kStep + static_cast<long>(step * kStep); }
double Seconds(double steps) { return steps * kStep / kSampleRate; }

// Note names such as "C#5" to MIDI numbers.
int N(const char* name) {
  static const int pc[7] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
  int note = pc[name[0] - 'A'];
  int i = 1;
  if (name[i] == '#') {
    ++note;
    ++i;
  }
  return note + 12 * (name[i] - '0' + 1);
}

struct Chord {
  int root;  // bass root, MIDI
  bool minor;
};
const Chord kAm{45, true}, kF{41, false}, kC{48, false}, kG{43, false}, kE{40, false}, kDm{38, true};
const Chord kVerse[8] = {kAm, kF, kC, kG, kAm, kF, kC, kE};
const Chord kBridge[8] = {kDm, kF, kAm, kG, kDm, kF, kE, kE};

Chord ChordAt(int bar) {
  const int i = bar % 8;
  return bar / 8 == 2 ? kBridge[i] : kVerse[i];
}

struct Note {
  int bar;
  double step, length;
  const char* name;
};

// The main theme (verses two and four) and the bridge theme, bar numbers within their section.
const Note kTheme[] = {
    {0, 0, 4, "E5"},  {0, 4, 4, "A5"},  {0, 8, 2, "C6"},  {0, 10, 2, "B5"}, {0, 12, 4, "A5"},
    {1, 0, 2, "F5"},  {1, 2, 2, "A5"},  {1, 4, 6, "C6"},  {1, 10, 2, "A5"}, {1, 12, 4, "G5"},
    {2, 0, 4, "E5"},  {2, 4, 4, "G5"},  {2, 8, 4, "C6"},  {2, 12, 4, "D6"},
    {3, 0, 6, "B5"},  {3, 6, 2, "A5"},  {3, 8, 4, "G5"},  {3, 12, 4, "D5"},
    {4, 0, 4, "E5"},  {4, 4, 4, "A5"},  {4, 8, 2, "C6"},  {4, 10, 2, "D6"}, {4, 12, 4, "E6"},
    {5, 0, 4, "F6"},  {5, 4, 2, "E6"},  {5, 6, 2, "D6"},  {5, 8, 4, "C6"},  {5, 12, 4, "A5"},
    {6, 0, 4, "G5"},  {6, 4, 2, "C6"},  {6, 6, 2, "E6"},  {6, 8, 4, "G6"},  {6, 12, 4, "E6"},
    {7, 0, 4, "G#5"}, {7, 4, 4, "B5"},  {7, 8, 6, "E6"},
};
const Note kBridgeTheme[] = {
    {0, 0, 8, "D6"},  {0, 8, 4, "F6"},  {0, 12, 4, "E6"}, {1, 0, 8, "C6"},  {1, 8, 8, "A5"},
    {2, 0, 4, "C6"},  {2, 4, 4, "B5"},  {2, 8, 4, "A5"},  {2, 12, 4, "E5"},
    {3, 0, 6, "G5"},  {3, 6, 2, "A5"},  {3, 8, 8, "B5"},
    {4, 0, 4, "D6"},  {4, 4, 4, "E6"},  {4, 8, 4, "F6"},  {4, 12, 4, "A6"},
    {5, 0, 6, "G6"},  {5, 6, 2, "F6"},  {5, 8, 4, "E6"},  {5, 12, 4, "C6"},
    {6, 0, 8, "B5"},  {6, 8, 8, "G#5"}, {7, 0, 4, "E5"},  {7, 4, 4, "G#5"}, {7, 8, 4, "B5"}, {7, 12, 4, "D6"},
};

// ---- voices: each returns a sampler of one note, holding its own oscillator and filter state ----

std::function<double(double)> Bass(double hz, double len) {
  return [=, osc = Osc(), sub = Osc(), lp1 = LowPass(), lp2 = LowPass()](double t) mutable {
    const double cutoff = 260 + 1500 * std::exp(-t / 0.07);
    const double raw = 0.7 * osc.Saw(hz) + 0.5 * sub.Sine(hz * 0.5);
    const double env = (0.55 + 0.45 * std::exp(-t / 0.12)) * std::fmin(1.0, t / 0.003) *
                       std::fmin(1.0, std::fmax(0.0, (len - t) / 0.03));
    return lp2.Run(lp1.Run(raw, cutoff), cutoff) * env;
  };
}

std::function<double(double)> Arp(double hz) {
  return [=, osc = Osc(), lp = LowPass()](double t) mutable {
    return lp.Run(osc.Pulse(hz, 0.25), 5000) * DecayEnv(t, 0.002, 0.085);
  };
}

std::function<double(double)> Lead(double hz, double len) {
  return [=, sq = Osc(), tri = Osc(), vib = Osc(), lp = LowPass()](double t) mutable {
    const double depth = t < 0.15 ? 0.0 : std::fmin(1.0, (t - 0.15) / 0.2) * 0.005;
    const double f = hz * (1.0 + depth * vib.Sine(5.6));
    const double env = std::fmin(1.0, t / 0.012) * (0.72 + 0.28 * std::exp(-t / 0.18)) *
                       (t < len ? 1.0 : std::exp(-(t - len) / 0.05));
    return lp.Run(0.55 * sq.Pulse(f, 0.5) + 0.6 * tri.Triangle(f), 3000) * env;
  };
}

std::function<double(double)> Pad(double hz, double len) {
  Osc detuned;
  detuned.Reset(0.37);  // the two saws start apart so they beat gently from the first sample
  return [=, a = Osc(), b = detuned, lp = LowPass()](double t) mutable {
    const double env = std::fmin(1.0, t / 0.35) * (t < len ? 1.0 : std::exp(-(t - len) / 0.25));
    return lp.Run(a.Saw(hz * 0.997) + b.Saw(hz * 1.003), 1100) * env;
  };
}

std::function<double(double)> Kick() {
  return [osc = Osc()](double t) mutable {
    return osc.Sine(44 + 120 * std::exp(-t / 0.028)) * DecayEnv(t, 0.001, 0.13);
  };
}

std::function<double(double)> Snare(uint32_t seed) {
  return [noise = Noise(seed), hp = HighPass(), lp = LowPass(), tone = Osc()](double t) mutable {
    const double n = lp.Run(hp.Run(noise.Next(), 900), 6500) * DecayEnv(t, 0.001, 0.085);
    return 1.6 * n + 0.5 * tone.Triangle(190 * (1 + 0.3 * std::exp(-t / 0.01))) * DecayEnv(t, 0.001, 0.045);
  };
}

std::function<double(double)> Hat(uint32_t seed, double tau) {
  return [=, noise = Noise(seed), hp1 = HighPass(), hp2 = HighPass()](double t) mutable {
    return hp2.Run(hp1.Run(noise.Next(), 6500), 6500) * DecayEnv(t, 0.0005, tau);
  };
}

// ---- arrangement ----

void Compose(Loop& loop) {
  uint32_t seed = 1;
  for (int bar = 0; bar < kBars; ++bar) {
    const int section = bar / 8;  // 0 intro verse, 1 verse with theme, 2 bridge, 3 verse with theme
    const Chord c = ChordAt(bar);
    const int third = c.minor ? 3 : 4;

    // Bass: eighth notes bouncing between the root and its octave; long notes in the bridge.
    if (section == 2) {
      for (int half = 0; half < 2; ++half)
        loop.Play(At(bar, 8 * half), Seconds(8) + 0.05, 0.5, 0.33, 0, Bass(NoteHz(c.root), Seconds(7.6)));
    } else {
      static const int kPattern[8] = {0, 0, 12, 0, 0, 12, 7, 12};
      for (int e = 0; e < 8; ++e)
        loop.Play(At(bar, 2 * e), Seconds(2) + 0.05, 0.5, 0.3, 0,
                  Bass(NoteHz(c.root + kPattern[e]), Seconds(1.7)));
    }

    // Arpeggio: sixteenths through the chord, left and right in turn; an octave up in the finale.
    const int r = c.root + 12 + (section == 3 ? 12 : 0);
    const int tones[5] = {r, r + third, r + 7, r + 12, r + 12 + third};
    static const int kOrder[16] = {0, 1, 2, 3, 2, 1, 0, 1, 2, 3, 4, 3, 2, 1, 2, 3};
    for (int s = 0; s < 16; ++s)
      loop.Play(At(bar, s), 0.35, s % 2 ? 0.68 : 0.32, section == 3 ? 0.10 : 0.13, 0.6,
                Arp(NoteHz(tones[kOrder[s]])));

    // Pad: the triad held through the bar in the intro and the bridge.
    if (section == 0 || section == 2)
      for (int k : {0, third, 7})
        loop.Play(At(bar, 0), Seconds(16) + 0.6, 0.5, 0.035, 0.3, Pad(NoteHz(c.root + 12 + k), Seconds(16)));

    // Drums.
    const bool full = section == 1 || section == 3 || bar >= 4;
    for (int s = 0; s < 16; ++s) {
      const bool kick = section == 2 ? (s == 0 || s == 10) : (s % 4 == 0 || (section == 3 && s == 14));
      const bool snare = section == 2 ? s == 8 : (s == 4 || s == 12);
      if (kick && (bar >= 4 || section > 0)) loop.Play(At(bar, s), 0.4, 0.5, 0.5, 0, Kick());
      if (snare && full && (section > 0 || bar >= 6)) loop.Play(At(bar, s), 0.35, 0.45, 0.22, 0.15, Snare(++seed));
      const bool open = section == 3 && s % 4 == 2;
      if (s % 2 == 0 || section != 0)
        loop.Play(At(bar, s), open ? 0.3 : 0.12, 0.62, s % 4 == 2 ? 0.12 : 0.08, 0, Hat(++seed, open ? 0.07 : 0.022));
    }
    // A snare roll into the next section.
    if (bar % 8 == 7)
      for (int s = 12; s < 16; ++s) loop.Play(At(bar, s), 0.3, 0.45, 0.1 + 0.04 * (s - 12), 0.1, Snare(++seed));
  }

  // Lead themes.
  for (int section : {1, 3})
    for (const Note& n : kTheme) {
      const double hz = NoteHz(N(n.name));
      loop.Play(At(8 * section + n.bar, n.step), Seconds(n.length) + 0.4, 0.5, 0.16, 0.5, Lead(hz, Seconds(n.length) - 0.02));
      if (section == 3)  // the finale doubles the theme an octave down
        loop.Play(At(8 * section + n.bar, n.step), Seconds(n.length) + 0.4, 0.4, 0.08, 0.3,
                  Lead(hz * 0.5, Seconds(n.length) - 0.02));
    }
  for (const Note& n : kBridgeTheme)
    loop.Play(At(16 + n.bar, n.step), Seconds(n.length) + 0.4, 0.55, 0.15, 0.6,
              Lead(NoteHz(N(n.name)), Seconds(n.length) - 0.02));
}

}  // namespace

bool MakeTune(const std::string& outDir) {
  Loop loop;
  Compose(loop);
  loop.ApplyEcho();
  loop.Normalise(0.85);  // headroom for the codec's overshoot
  const std::string path = outDir + "/sfx/Linoleum.ogg";
  if (WriteOggVorbis(path, loop.left(), loop.right(), kSampleRate, 0.3f, "Linoleum")) return true;
  std::fprintf(stderr, "datagen: cannot write %s\n", path.c_str());
  return false;
}

}  // namespace datagen
