// The soundtrack: format, length, level, and hits on the scenes' beats.
#include <gtest/gtest.h>

#include <cmath>

#include "DataFolder.h"
#include "Soundtrack.h"
#include "TestData.h"

namespace {

const OggSound& Sound() {
  static const OggSound sound = [] {
    OggSound s;
    EXPECT_TRUE(ReadOgg(GeneratedFolder() + "/" + kSoundtrackFile, s));
    return s;
  }();
  return sound;
}

// RMS in dBFS of both channels between two times in seconds.
double LevelDb(double from, double to) {
  const OggSound& s = Sound();
  const size_t a = size_t(from * s.rate), b = std::min(s.left.size(), size_t(to * s.rate));
  double sum = 0;
  for (size_t i = a; i < b; ++i) sum += double(s.left[i]) * s.left[i] + double(s.right[i]) * s.right[i];
  return 10.0 * std::log10(sum / (2.0 * std::max<size_t>(1, b - a)) + 1e-20);
}

// The moments the pictures react to, in absolute ms.
std::vector<int> BeatMoments() {
  const std::pair<int, std::vector<int>> groups[] = {
      {43500, {2000, 4600, 7100, 9800}},
      {54000, {2000, 4600, 7100, 9800}},
      {65000, {1700, 4400, 7100, 9800}},
      {75000, {2550, 5250, 7850}},
      {102000, {1500, 4200, 6800, 9400}},
      {113000, {1200, 3800, 6500, 9100}},
      {123000, {1800, 4500, 7200, 9800, 12500, 15200, 17800, 20500}},
      {145000, {1000, 2400, 3800, 5100, 6400, 7800, 9100}},
      {155000, {1200, 3900, 6600, 9300, 12000, 14500, 17100, 19900}},
  };
  std::vector<int> moments;
  for (const auto& [start, offsets] : groups)
    for (int o : offsets) moments.push_back(start + o);
  return moments;
}

}  // namespace

TEST(Soundtrack, IsStereoAt44100AndLastsAtLeast200Seconds) {
  EXPECT_EQ(Sound().rate, 44100);
  EXPECT_EQ(Sound().channels, 2);
  EXPECT_GE(Sound().seconds, 200.0);
  EXPECT_GE(Sound().left.size(), size_t(200 * 44100));
}

TEST(Soundtrack, PeaksAtAboutMinusOneDbfsWithoutClipping) {
  float peak = 0;
  for (size_t i = 0; i < Sound().left.size(); ++i)
    peak = std::max({peak, std::fabs(Sound().left[i]), std::fabs(Sound().right[i])});
  EXPECT_LT(peak, 0.95f);  // below -0.45 dBFS once decoded
  EXPECT_GT(peak, 0.84f);  // and normalised, not left quiet
  const double level = LevelDb(15.0, 190.0);
  EXPECT_GT(level, -22.0);
  EXPECT_LT(level, -12.0);
}

TEST(Soundtrack, AccentTableHoldsEveryBeatMomentOfTheScenes) {
  std::vector<int> table;
  for (const Accent& a : Accents()) table.push_back(a.ms);
  EXPECT_EQ(table, BeatMoments());
  for (const Accent& a : Accents()) {
    bool inside = false;
    for (const Section& s : Sections()) inside |= s.startMs < a.ms && a.ms < s.endMs;
    EXPECT_TRUE(inside) << a.ms << " ms lies in no scene";
  }
}

TEST(Soundtrack, AHitSoundsOnEveryBeatMoment) {
  for (int ms : BeatMoments()) {
    const double t = ms / 1000.0;
    const double before = LevelDb(t - 0.12, t - 0.01), after = LevelDb(t, t + 0.06);
    EXPECT_GT(after - before, 4.0) << "no clear hit at " << ms << " ms (" << before << " -> " << after << " dB)";
  }
}

TEST(Soundtrack, CalmScenesAreQuieterThanTheirNeighbours) {
  EXPECT_LT(LevelDb(88, 100), LevelDb(76, 85) - 2.0);    // member credits after the ball
  EXPECT_LT(LevelDb(33, 43), LevelDb(17, 32) - 1.5);     // night ocean after the dunes
  EXPECT_LT(LevelDb(179, 192), LevelDb(156, 176) - 2.0);  // closing credits after the greetings
}

TEST(Soundtrack, FadesToSilenceBy200Seconds) {
  EXPECT_GT(LevelDb(190, 193), -30.0);  // still playing when the credits roll
  EXPECT_LT(LevelDb(200, 201), -60.0);
}
