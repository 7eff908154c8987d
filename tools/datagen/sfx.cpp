// The sound effects, synthesised: explosions, shots, hits, the trail's note, menu blips and the logo
// jingle. Each is mono 16-bit at 22050 Hz, normalised, and ends in silence.
#include <cmath>
#include <cstdio>
#include <functional>
#include <vector>

#include "sound.h"
#include "synth.h"
#include "wav.h"

namespace datagen {
namespace {

using Buffer = std::vector<float>;

Buffer Render(double seconds, const std::function<double(double t)>& sample) {
  Buffer b(static_cast<size_t>(seconds * kSampleRate));
  for (size_t i = 0; i < b.size(); ++i) b[i] = static_cast<float>(sample(static_cast<double>(i) / kSampleRate));
  return b;
}

// The ship blowing up: a rumbling noise burst that darkens, a deep thump and scattered crackle.
Buffer ShipExplosion() {
  Noise noise(101), crackle(202);
  LowPass lp1, lp2;
  Osc thump;
  return Render(1.5, [&](double t) {
    const double cutoff = 200 + 5000 * std::exp(-t / 0.18);
    const double rumble = lp2.Run(lp1.Run(noise.Next(), cutoff), cutoff) * DecayEnv(t, 0.004, 0.38) * 2.2;
    const double boom = thump.Sine(35 + 90 * std::exp(-t / 0.09)) * DecayEnv(t, 0.003, 0.22);
    const double c = crackle.Next();
    const double pop = (c > 0.985 && t < 0.7) ? (c - 0.985) * 40 * std::exp(-t / 0.3) : 0.0;
    return rumble + 0.8 * boom + pop;
  });
}

// An enemy destroyed: a shorter, brighter burst with a falling square-wave zap; three flavours.
Buffer EnemyExplosion(int variant) {
  const double zapFrom[3] = {900, 650, 1200}, zapTo[3] = {90, 70, 120}, tau[3] = {0.14, 0.18, 0.12};
  Noise noise(300 + variant);
  LowPass lp;
  Osc zap, sub;
  return Render(0.75, [&](double t) {
    const double burst = lp.Run(noise.Next(), 300 + 7000 * std::exp(-t / 0.08)) * DecayEnv(t, 0.002, tau[variant]);
    const double f = zapTo[variant] + (zapFrom[variant] - zapTo[variant]) * std::exp(-t / 0.05);
    const double z = zap.Pulse(f, 0.5) * DecayEnv(t, 0.002, 0.06) * 0.35;
    const double s = sub.Sine(60 + 60 * std::exp(-t / 0.06)) * DecayEnv(t, 0.002, 0.12) * 0.6;
    return 1.6 * burst + z + s;
  });
}

// The ship's shot: a quick falling laser chirp (the game plays it at rates 0.5 to 2).
Buffer Shot() {
  Osc a, b;
  Noise noise(505);
  return Render(0.16, [&](double t) {
    const double f = 320 + 1500 * std::exp(-t / 0.028);
    const double v = 0.7 * a.Pulse(f, 0.3) + 0.3 * b.Saw(f * 1.5);
    return (v + 0.15 * noise.Next() * std::exp(-t / 0.01)) * DecayEnv(t, 0.002, 0.045);
  });
}

// An enemy hit: a short metallic tink; four pitches so repeated hits do not drone.
Buffer Hit(int variant) {
  const double base[4] = {1250, 1480, 1100, 1660};
  Osc a, b;
  Noise noise(600 + variant);
  HighPass hp;
  return Render(0.12, [&](double t) {
    const double f = base[variant] * (1 + 0.6 * std::exp(-t / 0.01));
    const double ring = 0.6 * a.Triangle(f) + 0.3 * b.Sine(f * 2.76);
    const double click = hp.Run(noise.Next(), 3000) * std::exp(-t / 0.006);
    return (ring + 0.8 * click) * DecayEnv(t, 0.001, 0.03);
  });
}

// The trail catching a bullet: a bright bell note (A5, with a touch of inharmonic shimmer).
Buffer TrailNote() {
  Osc p[4];
  const double ratio[4] = {1, 2, 3, 4.17}, amp[4] = {1, 0.45, 0.2, 0.12}, tau[4] = {0.28, 0.16, 0.09, 0.05};
  return Render(0.8, [&](double t) {
    double v = 0;
    for (int i = 0; i < 4; ++i) v += amp[i] * p[i].Sine(880 * ratio[i]) * DecayEnv(t, 0.003, tau[i]);
    return v;
  });
}

// A reserve-life icon destroyed: a falling, filtered buzz with a little grit.
Buffer LifeLost() {
  Osc a, b;
  Noise noise(1100);
  LowPass lp;
  return Render(0.65, [&](double t) {
    const double f = 140 + 520 * std::exp(-t / 0.18);
    const double v = 0.6 * a.Saw(f) + 0.4 * b.Saw(f * 1.01) + 0.2 * noise.Next();
    return lp.Run(v, 600 + 3000 * std::exp(-t / 0.15)) * DecayEnv(t, 0.004, 0.2) * 1.5;
  });
}

// Short square-wave notes in sequence: (midi note, start, length) in seconds.
struct Blip {
  double note, start, length;
};
Buffer Blips(const std::vector<Blip>& notes, double seconds, double duty, double tau) {
  std::vector<Osc> osc(notes.size());
  return Render(seconds, [&](double t) {
    double v = 0;
    for (size_t i = 0; i < notes.size(); ++i) {
      const double u = t - notes[i].start;
      if (u < 0 || u > notes[i].length) continue;
      const double release = std::fmin(1.0, (notes[i].length - u) / 0.01);
      v += osc[i].Pulse(NoteHz(notes[i].note), duty) * DecayEnv(u, 0.003, tau) * release;
    }
    return v * 0.5;
  });
}

// The logo jingle: a rising major arpeggio that rings out as a shimmering chord.
Buffer Jingle() {
  const double notes[6] = {72, 76, 79, 84, 88, 91};  // C5 E5 G5 C6 E6 G6
  Osc tone[6], shimmer[6];
  return Render(2.6, [&](double t) {
    double v = 0;
    for (int i = 0; i < 6; ++i) {
      const double u = t - 0.09 * i;
      if (u < 0) continue;
      const double hz = NoteHz(notes[i]);
      const double env = DecayEnv(u, 0.004, 0.55 + 0.1 * i);
      v += env * (0.5 * tone[i].Pulse(hz, 0.25) * std::exp(-u / 0.12) + 0.6 * shimmer[i].Sine(hz * 1.003));
    }
    return v;
  });
}

// The menu click: a tiny, soft tick.
Buffer Click() {
  Osc a;
  Noise noise(9900);
  HighPass hp;
  return Render(0.05, [&](double t) {
    return (0.7 * a.Sine(1900) + 0.5 * hp.Run(noise.Next(), 4000)) * DecayEnv(t, 0.0005, 0.008);
  });
}

bool Save(const std::string& outDir, int number, Buffer b, double peak) {
  Normalise(b, peak);
  FadeTail(b, 64);
  char name[32];
  std::snprintf(name, sizeof name, "/sfx/%03d.wav", number);
  if (WriteWav(outDir + name, b, 1, kSampleRate)) return true;
  std::fprintf(stderr, "datagen: cannot write %s\n", name + 1);
  return false;
}

}  // namespace

bool MakeSoundEffects(const std::string& outDir) {
  bool ok = true;
  ok = Save(outDir, 1, ShipExplosion(), 0.95) && ok;
  for (int v = 0; v < 3; ++v) ok = Save(outDir, 2 + v, EnemyExplosion(v), 0.85) && ok;
  ok = Save(outDir, 5, Shot(), 0.5) && ok;
  for (int v = 0; v < 4; ++v) ok = Save(outDir, 6 + v, Hit(v), 0.55) && ok;
  ok = Save(outDir, 10, TrailNote(), 0.6) && ok;
  ok = Save(outDir, 11, LifeLost(), 0.8) && ok;
  ok = Save(outDir, 95, Blips({{84, 0, 0.06}}, 0.08, 0.5, 0.03), 0.5) && ok;
  ok = Save(outDir, 96, Jingle(), 0.8) && ok;
  ok = Save(outDir, 98, Blips({{76, 0, 0.07}, {83, 0.07, 0.16}}, 0.25, 0.25, 0.08), 0.55) && ok;
  ok = Save(outDir, 99, Click(), 0.5) && ok;
  return ok;
}

}  // namespace datagen
