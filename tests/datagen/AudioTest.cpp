// The music's building blocks: the tempo map, the voices, and the encoder's
// peak correction.
#include <gtest/gtest.h>

#include <cmath>

#include "Soundtrack.h"
#include "Synth.h"
#include "TestData.h"

namespace {

double Rms(const std::vector<float>& v, double from, double to) {
  const size_t a = size_t(from * kSampleRate), b = std::min(v.size(), size_t(to * kSampleRate));
  double sum = 0;
  for (size_t i = a; i < b; ++i) sum += double(v[i]) * v[i];
  return std::sqrt(sum / std::max<size_t>(1, b - a));
}

}  // namespace

TEST(TempoMap, EveryAccentStartsABarAndTheTempoStaysNear90) {
  const std::vector<Beat> beats = TempoMap();
  ASSERT_FALSE(beats.empty());
  EXPECT_DOUBLE_EQ(beats.front().time, 0.0);
  for (const Accent& a : Accents()) {
    const double t = a.ms / 1000.0;
    bool downbeat = false;
    for (const Beat& b : beats) downbeat |= std::fabs(b.time - t) < 1e-9 && b.inBar == 0;
    EXPECT_TRUE(downbeat) << a.ms << " ms is not a bar line";
  }
  for (size_t i = 0; i + 1 < beats.size(); ++i) {
    EXPECT_NEAR(beats[i].time + beats[i].length, beats[i + 1].time, 1e-9);
    EXPECT_GT(beats[i].length, 0.6) << "beat at " << beats[i].time;  // 100 bpm at most
    EXPECT_LT(beats[i].length, 0.75) << "beat at " << beats[i].time;  // 80 bpm at least
  }
  EXPECT_GE(beats.back().time + beats.back().length, 200.0);
}

TEST(Voices, HitsStartWhereTheyAreToldAndDecay) {
  Bus bus(kSampleRate * 3);
  Rng rng(1);
  voice::Kick(bus, 1.0, 0.8);
  voice::Crash(bus, 1.0, 0.5, rng);
  EXPECT_LT(Rms(bus.left, 0.0, 0.99), 1e-6);  // silence before the hit
  const double hit = Rms(bus.left, 1.0, 1.1), tail = Rms(bus.left, 2.5, 2.9);
  EXPECT_GT(hit, 0.05);
  EXPECT_LT(tail, hit * 0.2);
}

TEST(Voices, NotesPastTheEndOfTheTrackAreDropped) {
  Bus bus(kSampleRate / 2);
  Rng rng(2);
  voice::Pad(bus, 0.4, 2.0, {50, 57}, 0.5, 0.5);
  voice::Wind(bus, 0.3, 3.0, 0.5, rng);
  voice::Crash(bus, 0.45, 0.5, rng);
  // Nothing may pile up on the last sample of the buffer.
  EXPECT_LT(std::fabs(bus.left.back()), 0.5);
  EXPECT_LT(std::fabs(bus.right.back()), 0.5);
}

TEST(Voices, EchoRepeatsALeadNoteLaterAndSofter) {
  Bus dry(kSampleRate * 2), send(kSampleRate * 2);
  voice::Lead(send, 0.0, 0.1, 69, 0.5);
  voice::Echo(dry, send, 0.5, 0.4, 0.35);
  EXPECT_LT(Rms(dry.left, 0.0, 0.45), 1e-6);  // only the repeats are added
  const double first = Rms(dry.left, 0.5, 0.65) + Rms(dry.right, 0.5, 0.65);
  const double second = Rms(dry.left, 1.0, 1.15) + Rms(dry.right, 1.0, 1.15);
  EXPECT_GT(first, 0.01);
  EXPECT_GT(second, 0.0);
  EXPECT_LT(second, first);
}

TEST(OggWriter, KeepsTheDecodedPeakBelowFullScale) {
  // A loud square wave rings above its own peak once lossily coded; the
  // writer measures the decoded file and encodes again, quieter.
  StereoSound sound;
  const size_t frames = kSampleRate * 2;
  for (size_t i = 0; i < frames; ++i) {
    const float v = std::fmod(i * 220.0 / kSampleRate, 1.0) < 0.5 ? 0.891f : -0.891f;
    sound.left.push_back(v);
    sound.right.push_back(-v);
  }
  const std::string path = std::string(DATAGEN_TEST_OUTPUT) + "/square.ogg";
  ASSERT_TRUE(WriteSoundtrackFile(sound, path));
  const double peak = DecodedPeak(path);
  EXPECT_LT(peak, 0.92);
  EXPECT_GT(peak, 0.8);
  OggSound decoded;
  ASSERT_TRUE(ReadOgg(path, decoded));
  EXPECT_EQ(decoded.rate, kSampleRate);
  EXPECT_EQ(decoded.channels, 2);
  EXPECT_NEAR(decoded.seconds, 2.0, 0.01);
}
