#pragma once
// Instruments of the soundtrack. Each voice adds one note or hit into a
// stereo bus at a time in seconds; gains are linear, pans -1 (left) to +1.
#include <vector>

#include "Random.h"

struct Bus {
  explicit Bus(size_t frames) : left(frames, 0.0f), right(frames, 0.0f) {}
  size_t Frames() const { return left.size(); }
  // Adds a mono sample panned by `pan`; samples past the end are dropped.
  void Add(size_t i, double value, double pan) {
    AddStereo(i, value * (1.0 - pan) * 0.5 * 1.41421356, value * (1.0 + pan) * 0.5 * 1.41421356);
  }
  void AddStereo(size_t i, double l, double r) {
    if (i >= left.size()) return;
    left[i] += static_cast<float>(l);
    right[i] += static_cast<float>(r);
  }
  void Mix(const Bus& other, double gain);
  std::vector<float> left, right;
};

double MidiToHz(double note);

namespace voice {

// Drums and hits.
void Kick(Bus& bus, double t, double gain);
void Snare(Bus& bus, double t, double gain, Rng& rng);
void HiHat(Bus& bus, double t, double gain, bool open, double pan, Rng& rng);
void Crash(Bus& bus, double t, double gain, Rng& rng);
void Boom(Bus& bus, double t, double gain);
void Clang(Bus& bus, double t, double gain, double pan);
void Riser(Bus& bus, double end, double length, double gain, Rng& rng);
void Whoosh(Bus& bus, double t, double gain, Rng& rng);

// Tonal voices.
void Bass(Bus& bus, double t, double length, double note, double gain, double brightness);
void Pad(Bus& bus, double t, double length, const std::vector<double>& notes, double gain, double brightness);
void Lead(Bus& bus, double t, double length, double note, double gain);
void Pluck(Bus& bus, double t, double note, double gain, double pan);
void Bell(Bus& bus, double t, double note, double gain, double pan);
void Wind(Bus& bus, double t, double length, double gain, Rng& rng);

// Ping-pong echo of `send` added into `out`.
void Echo(Bus& out, const Bus& send, double delaySeconds, double feedback, double level);

}  // namespace voice
