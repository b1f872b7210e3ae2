#include "Synth.h"

#include <algorithm>
#include <cmath>

#include "Soundtrack.h"

namespace {

constexpr double kPi = 3.141592653589793;
constexpr double kRate = kSampleRate;

size_t FrameAt(double t) { return t <= 0 ? 0 : static_cast<size_t>(std::llround(t * kRate)); }

// Zero-delay-feedback state-variable filter.
class Svf {
 public:
  void Tune(double cutoff, double q) {
    cutoff = std::min(std::max(cutoff, 20.0), kRate * 0.45);
    g = std::tan(kPi * cutoff / kRate);
    k = 1.0 / q;
    a1 = 1.0 / (1.0 + g * (g + k));
    a2 = g * a1;
    a3 = g * a2;
  }
  // Returns lowpass; band and high are left in the members.
  double Run(double v0) {
    const double v3 = v0 - ic2;
    const double v1 = a1 * ic1 + a2 * v3;
    const double v2 = ic2 + a2 * ic1 + a3 * v3;
    ic1 = 2 * v1 - ic1;
    ic2 = 2 * v2 - ic2;
    band = v1;
    high = v0 - k * v1 - v2;
    return v2;
  }
  double band = 0, high = 0;

 private:
  double g = 0, k = 1, a1 = 0, a2 = 0, a3 = 0, ic1 = 0, ic2 = 0;
};

// Band-limited sawtooth (polyBLEP) with its own phase.
class Saw {
 public:
  double Next(double freq) {
    const double dt = freq / kRate;
    double value = 2.0 * phase - 1.0;
    if (phase < dt) {
      const double x = phase / dt;
      value -= x + x - x * x - 1.0;
    } else if (phase > 1.0 - dt) {
      const double x = (phase - 1.0) / dt;
      value -= x * x + x + x + 1.0;
    }
    phase += dt;
    if (phase >= 1.0) phase -= 1.0;
    return value;
  }
  double phase = 0;
};

double Noise(Rng& rng) { return rng.Uniform() * 2.0 - 1.0; }

// Attack-decay-sustain-release envelope of a note held for `length` seconds.
double Adsr(double x, double length, double attack, double decay, double sustain, double release) {
  double level;
  if (x < attack)
    level = x / attack;
  else if (x < attack + decay)
    level = 1.0 - (1.0 - sustain) * (x - attack) / decay;
  else
    level = sustain;
  if (x > length) level *= std::max(0.0, 1.0 - (x - length) / release);
  return level;
}

}  // namespace

void Bus::Mix(const Bus& other, double gain) {
  for (size_t i = 0; i < left.size() && i < other.left.size(); ++i) {
    left[i] += static_cast<float>(other.left[i] * gain);
    right[i] += static_cast<float>(other.right[i] * gain);
  }
}

double MidiToHz(double note) { return 440.0 * std::pow(2.0, (note - 69.0) / 12.0); }

namespace voice {

void Kick(Bus& bus, double t, double gain) {
  const size_t start = FrameAt(t), n = FrameAt(0.45);
  double phase = 0;
  for (size_t i = 0; i < n; ++i) {
    const double x = i / kRate;
    const double freq = 48.0 + 110.0 * std::exp(-x * 30.0);
    phase += freq / kRate;
    const double body = std::sin(2 * kPi * phase) * std::exp(-x * 7.0);
    const double click = std::exp(-x * 400.0) * 0.4;
    const double attack = 1.0 - std::exp(-x * 3000.0);  // no step at the start
    bus.Add(start + i, gain * attack * std::tanh(1.5 * (body + click)), 0.0);
  }
}

void Snare(Bus& bus, double t, double gain, Rng& rng) {
  const size_t start = FrameAt(t), n = FrameAt(0.3);
  Svf filter;
  filter.Tune(3500, 0.8);
  for (size_t i = 0; i < n; ++i) {
    const double x = i / kRate;
    filter.Run(Noise(rng));
    const double noise = filter.band * 1.6 * std::exp(-x * 16.0);
    const double tone = std::sin(2 * kPi * 185.0 * x) * std::exp(-x * 25.0) * 0.5;
    bus.Add(start + i, gain * (noise + tone), 0.1);
  }
}

void HiHat(Bus& bus, double t, double gain, bool open, double pan, Rng& rng) {
  const size_t start = FrameAt(t), n = FrameAt(open ? 0.35 : 0.08);
  Svf filter;
  filter.Tune(8000, 0.7);
  const double decay = open ? 9.0 : 55.0;
  for (size_t i = 0; i < n; ++i) {
    filter.Run(Noise(rng));
    bus.Add(start + i, gain * filter.high * std::exp(-(i / kRate) * decay), pan);
  }
}

void Crash(Bus& bus, double t, double gain, Rng& rng) {
  const size_t start = FrameAt(t), n = FrameAt(2.2);
  Svf highL, highR, lowL, lowR;  // a band of noise, 5 to 11 kHz
  highL.Tune(5000, 0.6);
  highR.Tune(5400, 0.6);
  lowL.Tune(11000, 0.7);
  lowR.Tune(11000, 0.7);
  // Metallic shimmer: a few square waves at unrelated frequencies.
  const double partials[6] = {410.0, 563.0, 742.0, 1013.0, 1377.0, 1811.0};
  for (size_t i = 0; i < n; ++i) {
    const double x = i / kRate;
    const double env = std::exp(-x * 2.2) * (1.0 - std::exp(-x * 800.0)) * (1.0 + 0.8 * std::exp(-x * 30.0));
    double metal = 0;
    for (double f : partials) metal += std::sin(2 * kPi * f * x) > 0 ? 1.0 : -1.0;
    highL.Run(Noise(rng) + 0.15 * metal);
    highR.Run(Noise(rng) + 0.15 * metal);
    bus.AddStereo(start + i, gain * lowL.Run(highL.high) * env * 1.2, gain * lowR.Run(highR.high) * env * 1.2);
  }
}

void Boom(Bus& bus, double t, double gain) {
  const size_t start = FrameAt(t), n = FrameAt(1.6);
  double phase = 0;
  for (size_t i = 0; i < n; ++i) {
    const double x = i / kRate;
    const double freq = 36.0 + 90.0 * std::exp(-x * 12.0);
    phase += freq / kRate;
    const double v = std::sin(2 * kPi * phase) * std::exp(-x * 2.5) + std::exp(-x * 300.0) * 0.5;
    const double attack = 1.0 - std::exp(-x * 3000.0);
    bus.Add(start + i, gain * attack * std::tanh(1.8 * v), 0.0);
  }
}

void Clang(Bus& bus, double t, double gain, double pan) {
  const size_t start = FrameAt(t), n = FrameAt(1.2);
  for (size_t i = 0; i < n; ++i) {
    const double x = i / kRate;
    const double index = 6.0 * std::exp(-x * 5.0);
    const double mod = std::sin(2 * kPi * 311.0 * 1.414 * x) * index;
    const double v = std::sin(2 * kPi * 311.0 * x + mod) * std::exp(-x * 4.0);
    bus.Add(start + i, gain * v, pan);
  }
}

void Riser(Bus& bus, double end, double length, double gain, Rng& rng) {
  const size_t start = FrameAt(end - length), n = FrameAt(length);
  Svf filter;
  for (size_t i = 0; i < n; ++i) {
    const double p = double(i) / n;
    if (i % 32 == 0) filter.Tune(300.0 * std::pow(30.0, p), 2.0);
    filter.Run(Noise(rng));
    bus.Add(start + i, gain * filter.band * p * p, std::sin(p * 6.0) * 0.5);
  }
}

void Whoosh(Bus& bus, double t, double gain, Rng& rng) {
  const size_t start = FrameAt(t), n = FrameAt(0.9);
  Svf filter;
  for (size_t i = 0; i < n; ++i) {
    const double x = i / kRate;
    if (i % 32 == 0) filter.Tune(6000.0 * std::exp(-x * 4.0) + 200.0, 1.5);
    filter.Run(Noise(rng));
    bus.Add(start + i, gain * filter.band * std::exp(-x * 4.0) * 1.5, 0.6 * std::cos(x * 7.0));
  }
}

void Bass(Bus& bus, double t, double length, double note, double gain, double brightness) {
  const size_t start = FrameAt(t), n = FrameAt(length + 0.08);
  const double freq = MidiToHz(note);
  Saw saw;
  Svf filter;
  double sub = 0;
  for (size_t i = 0; i < n; ++i) {
    const double x = i / kRate;
    if (i % 16 == 0) filter.Tune(180.0 + brightness * 1600.0 * std::exp(-x * 9.0), 1.2);
    sub += freq / kRate;
    const double v = filter.Run(saw.Next(freq)) * 0.7 + std::sin(2 * kPi * sub) * 0.6;
    bus.Add(start + i, gain * v * Adsr(x, length, 0.004, 0.1, 0.75, 0.06), 0.0);
  }
}

void Pad(Bus& bus, double t, double length, const std::vector<double>& notes, double gain, double brightness) {
  const double attack = 0.5, release = 0.9;
  const size_t start = FrameAt(t), n = FrameAt(length + release);
  const double detune[3] = {0.9965, 1.0, 1.0038};
  const double pans[3] = {-0.6, 0.0, 0.6};
  for (size_t v = 0; v < notes.size(); ++v) {
    const double freq = MidiToHz(notes[v]);
    Saw saws[3];
    for (int k = 0; k < 3; ++k) saws[k].phase = 0.31 * k + 0.17 * v;
    Svf filterL, filterR;
    filterL.Tune(350 + 2200 * brightness, 0.7);
    filterR.Tune(380 + 2300 * brightness, 0.7);
    for (size_t i = 0; i < n; ++i) {
      const double x = i / kRate;
      double l = 0, r = 0;
      for (int k = 0; k < 3; ++k) {
        const double s = saws[k].Next(freq * detune[k]);
        l += s * (1.0 - pans[k]) * 0.5;
        r += s * (1.0 + pans[k]) * 0.5;
      }
      const double env = gain * Adsr(x, length, attack, 0.5, 0.85, release) / notes.size();
      bus.AddStereo(start + i, filterL.Run(l) * env, filterR.Run(r) * env);
    }
  }
}

void Lead(Bus& bus, double t, double length, double note, double gain) {
  const size_t start = FrameAt(t), n = FrameAt(length + 0.2);
  const double freq = MidiToHz(note);
  Saw a, b;
  b.phase = 0.5;
  Svf filter;
  filter.Tune(2600, 0.9);
  for (size_t i = 0; i < n; ++i) {
    const double x = i / kRate;
    const double vibrato = 1.0 + 0.006 * std::sin(2 * kPi * 5.5 * x) * std::min(1.0, x * 3.0);
    const double v = filter.Run(a.Next(freq * vibrato) * 0.6 + b.Next(freq * 2.002 * vibrato) * 0.25);
    bus.Add(start + i, gain * v * Adsr(x, length, 0.012, 0.15, 0.7, 0.18), 0.1);
  }
}

void Pluck(Bus& bus, double t, double note, double gain, double pan) {
  const size_t start = FrameAt(t), n = FrameAt(0.6);
  const double freq = MidiToHz(note);
  Saw saw;
  Svf filter;
  for (size_t i = 0; i < n; ++i) {
    const double x = i / kRate;
    if (i % 16 == 0) filter.Tune(300.0 + 4000.0 * std::exp(-x * 14.0), 1.0);
    bus.Add(start + i, gain * filter.Run(saw.Next(freq)) * std::exp(-x * 6.0), pan);
  }
}

void Bell(Bus& bus, double t, double note, double gain, double pan) {
  const size_t start = FrameAt(t), n = FrameAt(2.5);
  const double freq = MidiToHz(note);
  const double ratios[4] = {1.0, 2.76, 5.40, 8.93}, levels[4] = {1.0, 0.5, 0.25, 0.12}, decays[4] = {1.5, 2.5, 4, 6};
  for (size_t i = 0; i < n; ++i) {
    const double x = i / kRate;
    double v = 0;
    for (int k = 0; k < 4; ++k) v += levels[k] * std::sin(2 * kPi * freq * ratios[k] * x) * std::exp(-x * decays[k]);
    bus.Add(start + i, gain * v * (1.0 - std::exp(-x * 2000.0)) * 0.6, pan);
  }
}

void Wind(Bus& bus, double t, double length, double gain, Rng& rng) {
  const size_t start = FrameAt(t), n = FrameAt(length);
  Svf left, right;
  for (size_t i = 0; i < n; ++i) {
    const double x = i / kRate;
    if (i % 64 == 0) {
      left.Tune(500 + 350 * std::sin(x * 0.7), 3.0);
      right.Tune(520 + 350 * std::sin(x * 0.53 + 1.0), 3.0);
    }
    const double swell = (0.55 + 0.45 * std::sin(x * 0.9)) * std::min(1.0, x / 2.0) * std::min(1.0, (length - x) / 2.0);
    left.Run(Noise(rng));
    right.Run(Noise(rng));
    bus.AddStereo(start + i, gain * left.band * swell, gain * right.band * swell);
  }
}

void Echo(Bus& out, const Bus& send, double delaySeconds, double feedback, double level) {
  const size_t d = FrameAt(delaySeconds);
  std::vector<float> l(send.left), r(send.right);
  // Ping-pong: what comes back on the left feeds the right and the other way.
  for (size_t i = d; i < l.size(); ++i) {
    l[i] += static_cast<float>(r[i - d] * feedback);
    r[i] += static_cast<float>(l[i - d] * feedback);
  }
  for (size_t i = d; i < out.Frames() && i < l.size(); ++i) {
    out.left[i] += static_cast<float>(r[i - d] * level);
    out.right[i] += static_cast<float>(l[i - d] * level);
  }
}

}  // namespace voice
