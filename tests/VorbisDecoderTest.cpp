// The one decoder that the player and the capture pull from: where each
// surround channel lands and how loud, seeking to a demo time, and the
// capture's fade at the cut.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <filesystem>
#include <string>
#include <vector>

#include "services/VorbisDecoder.h"
#include "tests/support/SineOgg.h"
#include "tests/support/TempFolder.h"
#include "tools/render/SoundFade.h"

namespace {

class VorbisDecoderTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_FALSE(dir.empty()); }
  std::string Path(const char* name) const { return dir + "/" + name; }

  // Everything the decoder gives from the start (or after `Seek(ms)`).
  static std::vector<std::int16_t> DecodeAll(VorbisDecoder& decoder, std::vector<int>* rates = nullptr) {
    std::vector<std::int16_t> all, piece;
    int rate = 0;
    while (decoder.Next(piece, rate)) {
      all.insert(all.end(), piece.begin(), piece.end());
      if (rates) rates->insert(rates->end(), piece.size() / 2, rate);
    }
    return all;
  }

  TempFolder folder;
  const std::string dir = folder.path;
};

// Amplitude (of full scale) of the tone `hz` on one side of stereo frames
// [from, from + count) at `rate`; `count` holds whole periods of every tone.
double ToneLevel(const std::vector<std::int16_t>& stereo, int side, double hz, int rate, int from, int count) {
  std::complex<double> sum = 0;
  for (int i = 0; i < count; ++i)
    sum += std::polar(static_cast<double>(stereo[2 * (from + i) + side]), -2 * M_PI * hz * i / rate);
  return 2 * std::abs(sum) / count / 32768;
}

}  // namespace

// Each channel of a 5.0, 5.1 and 7.1 file plays its own tone: the fronts land
// on their own side, centre and surrounds on their side at -3 dB (the centre
// on both), the LFE nowhere; each side is scaled by the sum of its gains.
TEST_F(VorbisDecoderTest, EachSurroundChannelLandsOnItsSideAtItsLevel) {
  constexpr double kC = 0.70710678;
  struct Layout {
    const char* name;
    std::vector<double> left, right;  // each channel's gain on the left and the right, in Vorbis order
  };
  const Layout layouts[] = {
      {"5.0", {1, kC, 0, kC, 0}, {0, kC, 1, 0, kC}},                          // FL C FR RL RR
      {"5.1", {1, kC, 0, kC, 0, 0}, {0, kC, 1, 0, kC, 0}},                    // FL C FR RL RR LFE
      {"7.1", {1, kC, 0, kC, 0, kC, 0, 0}, {0, kC, 1, 0, kC, 0, kC, 0}},      // FL C FR SL SR RL RR LFE
  };
  const int rate = 48000;
  const double amplitude = 0.1;
  for (const Layout& layout : layouts) {
    SCOPED_TRACE(layout.name);
    const std::size_t channels = layout.left.size();
    std::vector<double> hz;
    for (std::size_t c = 0; c < channels; ++c) hz.push_back(400.0 + 200.0 * static_cast<double>(c));
    ASSERT_TRUE(SineOgg::WriteTones(Path("surround.ogg"), rate, hz, 1.5, amplitude));
    VorbisDecoder decoder;
    std::string error;
    ASSERT_TRUE(decoder.OpenFile(Path("surround.ogg"), error)) << error;
    EXPECT_EQ(decoder.Channels(), static_cast<int>(channels));
    ASSERT_TRUE(decoder.Rewind());
    const std::vector<std::int16_t> stereo = DecodeAll(decoder);
    ASSERT_GE(stereo.size(), static_cast<std::size_t>(rate * 5 / 4) * 2);
    double leftSum = 0, rightSum = 0;
    for (std::size_t c = 0; c < channels; ++c) leftSum += layout.left[c], rightSum += layout.right[c];
    for (std::size_t c = 0; c < channels; ++c) {
      SCOPED_TRACE("channel " + std::to_string(c));
      const double left = ToneLevel(stereo, 0, hz[c], rate, rate / 4, rate);
      const double right = ToneLevel(stereo, 1, hz[c], rate, rate / 4, rate);
      EXPECT_NEAR(left, amplitude * layout.left[c] / leftSum, 0.002);
      EXPECT_NEAR(right, amplitude * layout.right[c] / rightSum, 0.002);
    }
  }
}

// Seeking gives the samples of a decode from the start at round(ms * rate /
// 1000), also in a later link at another rate; past the end nothing is left.
TEST_F(VorbisDecoderTest, SeekLandsOnTheSamplesOfADecodeFromTheStart) {
  const std::string path = Path("chained.ogg");
  ASSERT_TRUE(SineOgg::Write(path, 44100, 2, 0.5, 441.0, 0.5, false, false, 1));
  ASSERT_TRUE(SineOgg::Write(path, 22050, 1, 0.5, 882.0, 0.5, true, true, 2));
  VorbisDecoder decoder;
  std::string error;
  ASSERT_TRUE(decoder.OpenFile(path, error)) << error;
  EXPECT_EQ(decoder.Rate(), 44100);
  ASSERT_TRUE(decoder.Rewind());
  std::vector<int> rates;
  const std::vector<std::int16_t> whole = DecodeAll(decoder, &rates);
  const std::size_t firstLink = static_cast<std::size_t>(std::count(rates.begin(), rates.end(), 44100));
  ASSERT_EQ(firstLink, 22050u);
  for (const int ms : {0, 123, 250, 499}) {
    SCOPED_TRACE(ms);
    ASSERT_TRUE(decoder.Seek(ms));
    const std::vector<std::int16_t> rest = DecodeAll(decoder);
    const auto from = static_cast<std::ptrdiff_t>(std::llround(ms * 44.1)) * 2;
    EXPECT_TRUE(std::equal(rest.begin(), rest.end(), whole.begin() + from, whole.end()));
    EXPECT_EQ(rest.size(), whole.size() - static_cast<std::size_t>(from));
  }
  ASSERT_TRUE(decoder.Seek(600));  // 100 ms into the second link
  std::vector<int> laterRates;
  const std::vector<std::int16_t> later = DecodeAll(decoder, &laterRates);
  const auto from = static_cast<std::ptrdiff_t>(firstLink + 2205) * 2;
  EXPECT_EQ(later, std::vector<std::int16_t>(whole.begin() + from, whole.end()));
  EXPECT_EQ(laterRates.front(), 22050);
  ASSERT_TRUE(decoder.Seek(5000));
  EXPECT_TRUE(DecodeAll(decoder).empty());
}

// The capture's last 20 ms fall linearly to silence before the cut, also when
// the stretch is handed over in pieces; what comes before is untouched.
TEST(CaptureSound, FadesOutOverTheLastFramesBeforeTheCut) {
  const std::int64_t total = 1000, fade = 882;  // 20 ms at 44100 Hz
  std::vector<float> track;
  for (std::int64_t first = 0; first < total;) {
    const std::int64_t count = std::min<std::int64_t>(333, total - first);
    std::vector<float> piece(static_cast<std::size_t>(count) * 2, 1.0f);
    FadeBeforeCut(piece, 2, first, total, fade);
    track.insert(track.end(), piece.begin(), piece.end());
    first += count;
  }
  for (std::int64_t n = 0; n < total; ++n) {
    const float want = n < total - fade ? 1.0f : static_cast<float>(total - n) / static_cast<float>(fade);
    ASSERT_FLOAT_EQ(track[static_cast<std::size_t>(2 * n)], want) << n;
    ASSERT_FLOAT_EQ(track[static_cast<std::size_t>(2 * n + 1)], want) << n;
  }
  EXPECT_FLOAT_EQ(track[2 * (total - fade - 1)], 1.0f);
  EXPECT_FLOAT_EQ(track.back(), 1.0f / static_cast<float>(fade));
}
