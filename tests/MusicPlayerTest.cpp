#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "services/MusicPlayer.h"
#include "tests/support/FakeAudioOut.h"
#include "tests/support/PngBytes.h"
#include "tests/support/SineOgg.h"
#include "tests/support/TempFolder.h"

namespace {

bool Silent(const Samples& s) {
  for (std::int16_t v : s)
    if (v != 0) return false;
  return true;
}

class MusicPlayerTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    folder = new TempFolder;
    dir = folder->path;
    ASSERT_FALSE(dir.empty());
    ASSERT_TRUE(SineOgg::Write(dir + "/tune.ogg", 44100, 2, 1.0));
    ASSERT_TRUE(SineOgg::Write(dir + "/mono.ogg", 44100, 1, 0.5));
    tune = SineOgg::DecodeStereo(dir + "/tune.ogg");
    ASSERT_GE(tune.size(), 44100u * 2);
  }
  static void TearDownTestSuite() { delete folder; }

  static std::string Path(const char* name) { return dir + "/" + name; }

  static TempFolder* folder;  // one for the suite: the tunes are written once
  static std::string dir;
  static Samples tune;
  FakeAudioOut device;
};

TempFolder* MusicPlayerTest::folder = nullptr;
std::string MusicPlayerTest::dir;
Samples MusicPlayerTest::tune;

}  // namespace

TEST_F(MusicPlayerTest, ConstructionTouchesNoDevice) {
  { MusicPlayer player(&device); }
  EXPECT_EQ(device.opens, 0);
  EXPECT_EQ(device.closes, 0);
}

TEST_F(MusicPlayerTest, OpenSetsUpAt44100AndDoesNotStart) {
  MusicPlayer player(&device);
  ASSERT_TRUE(player.Open(Path("tune.ogg").c_str()));
  EXPECT_EQ(device.opens, 1);
  EXPECT_EQ(device.rate, 44100);
  EXPECT_EQ(device.starts, 0);
  EXPECT_NE(player.stream, nullptr);
  EXPECT_EQ(player.channel, 0);
}

TEST_F(MusicPlayerTest, PlayGivesTheTuneFromItsFirstSample) {
  MusicPlayer player(&device);
  ASSERT_TRUE(player.Open(Path("tune.ogg").c_str()));
  player.Play();
  EXPECT_EQ(device.starts, 1);
  EXPECT_EQ(device.Play(1000), Slice(tune, 0, 1000));
  EXPECT_EQ(device.Play(3000), Slice(tune, 1000, 3000));  // more than one decoder packet at once
}

TEST_F(MusicPlayerTest, PlayAgainRestartsWhilePlayingAndWhilePaused) {
  MusicPlayer player(&device);
  ASSERT_TRUE(player.Open(Path("tune.ogg").c_str()));
  player.Play();
  device.Play(5000);
  player.Play();
  EXPECT_EQ(device.Play(1500), Slice(tune, 0, 1500));
  player.Pause();
  player.Play();  // restarts and unpauses in one step
  EXPECT_EQ(device.Play(1500), Slice(tune, 0, 1500));
  EXPECT_EQ(device.starts, 1);  // the device keeps running
  EXPECT_EQ(device.pauses, (std::vector<bool>{true, false}));  // and its clock goes on with the tune
}

TEST_F(MusicPlayerTest, PauseGivesSilenceAndResumeGoesOnWhereItStopped) {
  MusicPlayer player(&device);
  ASSERT_TRUE(player.Open(Path("tune.ogg").c_str()));
  player.Play();
  EXPECT_EQ(device.Play(700), Slice(tune, 0, 700));
  player.Pause();
  EXPECT_TRUE(Silent(device.Play(2000)));
  player.Pause();  // twice: still paused
  EXPECT_TRUE(Silent(device.Play(10)));
  player.Resume();
  EXPECT_EQ(device.Play(700), Slice(tune, 700, 700));
  player.Resume();  // without a pause: nothing happens
  EXPECT_EQ(device.Play(100), Slice(tune, 1400, 100));
  // The device's clock stands still exactly while the channel is paused.
  EXPECT_EQ(device.pauses, (std::vector<bool>{true, false}));
}

TEST_F(MusicPlayerTest, VolumeStepsScaleTheAmplitude) {
  MusicPlayer player(&device);
  ASSERT_TRUE(player.Open(Path("tune.ogg").c_str()));
  player.Play();
  player.ChangeVolume(false, 10);
  EXPECT_EQ(device.Play(500), Slice(tune, 0, 500, 245));
  for (int i = 0; i < 12; ++i) player.ChangeVolume(false, 10);
  EXPECT_EQ(device.Play(500), Slice(tune, 500, 500, 125));
  player.ChangeVolume(true, 10);
  EXPECT_EQ(device.Play(500), Slice(tune, 1000, 500, 135));
}

TEST_F(MusicPlayerTest, TheLayerKeepsTheVolumeBetween0And255) {
  MusicPlayer player(&device);
  ASSERT_TRUE(player.Open(Path("tune.ogg").c_str()));
  player.Play();
  for (int i = 0; i < 5; ++i) player.ChangeVolume(true, 10);  // above the top: stays at 255
  EXPECT_EQ(device.Play(500), Slice(tune, 0, 500));
  player.ChangeVolume(false, 10);
  EXPECT_EQ(device.Play(500), Slice(tune, 500, 500, 245));
  for (int i = 0; i < 40; ++i) player.ChangeVolume(false, 10);  // below 0: silent, and stays at 0
  EXPECT_TRUE(Silent(device.Play(500)));
  player.ChangeVolume(true, 10);  // one step up from 0, not from -155
  EXPECT_EQ(device.Play(500), Slice(tune, 1500, 500, 10));
  player.ChangeVolume(true, 2147483647);  // no overflow on the way
  EXPECT_EQ(device.Play(500), Slice(tune, 2000, 500));
}

TEST_F(MusicPlayerTest, RestartKeepsTheVolume) {
  MusicPlayer player(&device);
  ASSERT_TRUE(player.Open(Path("tune.ogg").c_str()));
  player.Play();
  player.ChangeVolume(false, 10);
  device.Play(100);
  player.Play();
  EXPECT_EQ(device.Play(500), Slice(tune, 0, 500, 245));
}

TEST_F(MusicPlayerTest, AfterTheEndItIsSilentUntilPlayedAgain) {
  MusicPlayer player(&device);
  ASSERT_TRUE(player.Open(Path("tune.ogg").c_str()));
  player.Play();
  const int frames = static_cast<int>(tune.size() / 2);
  device.Play(frames - 300);
  const Samples end = device.Play(1000);
  EXPECT_EQ(Samples(end.begin(), end.begin() + 600), Slice(tune, frames - 300, 300));
  EXPECT_TRUE(Silent(Samples(end.begin() + 600, end.end())));
  player.Pause();
  player.Resume();
  EXPECT_TRUE(Silent(device.Play(1000)));
  player.Play();
  EXPECT_EQ(device.Play(200), Slice(tune, 0, 200));
}

TEST_F(MusicPlayerTest, MonoPlaysOnBothSides) {
  MusicPlayer player(&device);
  ASSERT_TRUE(player.Open(Path("mono.ogg").c_str()));
  player.Play();
  const Samples reference = SineOgg::DecodeStereo(Path("mono.ogg"));
  const Samples out = device.Play(3000);
  EXPECT_EQ(out, Slice(reference, 0, 3000));
  bool sound = false;
  for (std::size_t i = 0; i < out.size(); i += 2) sound = sound || out[i] != 0;
  EXPECT_TRUE(sound);
}

namespace {

// Frequency (from the rising zero crossings) and amplitude (from the RMS) of
// one side of a played tone.
struct Tone {
  double hz = 0, amplitude = 0;
};
Tone Measure(const Samples& out, int side) {
  Tone tone;
  int crossings = 0, first = -1, last = -1;
  double sum = 0;
  const int frames = static_cast<int>(out.size() / 2);
  for (int i = 1; i < frames; ++i) {
    const double v = out[2 * i + side];
    sum += v * v;
    if (out[2 * (i - 1) + side] < 0 && v >= 0) {
      if (first < 0) first = i;
      last = i;
      ++crossings;
    }
  }
  if (crossings > 1) tone.hz = 44100.0 * (crossings - 1) / (last - first);
  tone.amplitude = std::sqrt(2 * sum / frames) / 32768;
  return tone;
}

}  // namespace

// Other rates and channel counts reach the device as 44.1 kHz stereo with the
// tone's pitch and level; surround is down-mixed so a tone on every channel
// keeps its level.
TEST_F(MusicPlayerTest, AnyRateAndChannelCountPlaysAs44100Stereo) {
  struct Case {
    const char* name;
    long rate;
    int channels;
  };
  for (const Case& c : {Case{"mono22.ogg", 22050, 1}, Case{"stereo48.ogg", 48000, 2}, Case{"surround48.ogg", 48000, 6},
                        Case{"eight96.ogg", 96000, 8}}) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(SineOgg::Write(Path(c.name), c.rate, c.channels, 1.0, 441.0, 0.5, true));
    FakeAudioOut out;
    MusicPlayer player(&out);
    ASSERT_TRUE(player.Open(Path(c.name).c_str()));
    EXPECT_EQ(out.rate, 44100);
    player.Play();
    out.Play(4410);  // past the encoder's start-up
    const Samples played = out.Play(22050);
    for (int side = 0; side < 2; ++side) {
      const Tone tone = Measure(played, side);
      EXPECT_NEAR(tone.hz, 441.0, 1.0);
      EXPECT_NEAR(tone.amplitude, 0.5, 0.03);
    }
  }
}

// Restart, pause and resume on a converted stream give exactly the samples of
// an uninterrupted play from the start.
TEST_F(MusicPlayerTest, ConvertedStreamRestartsPausesAndResumesExactly) {
  ASSERT_TRUE(SineOgg::Write(Path("keys48.ogg"), 48000, 2, 1.0));
  FakeAudioOut first;
  MusicPlayer reference(&first);
  ASSERT_TRUE(reference.Open(Path("keys48.ogg").c_str()));
  reference.Play();
  const Samples whole = first.Play(30000);

  MusicPlayer player(&device);
  ASSERT_TRUE(player.Open(Path("keys48.ogg").c_str()));
  player.Play();
  device.Play(12345);
  player.Play();  // F6
  EXPECT_EQ(device.Play(10000), Slice(whole, 0, 10000));
  player.Pause();  // F8
  EXPECT_TRUE(Silent(device.Play(3000)));
  player.Resume();  // F5
  EXPECT_EQ(device.Play(20000), Slice(whole, 10000, 20000));
}

// A chained file whose links differ in rate and channels plays every link,
// each at its own pitch, one after the other.
TEST_F(MusicPlayerTest, ChainedLinksOfDifferentFormatsPlayInTurn) {
  const std::string path = Path("chained.ogg");
  ASSERT_TRUE(SineOgg::Write(path, 22050, 1, 0.5, 441.0, 0.5, true, false, 1));
  ASSERT_TRUE(SineOgg::Write(path, 44100, 2, 0.5, 882.0, 0.5, true, true, 2));
  ASSERT_TRUE(SineOgg::Write(path, 48000, 6, 0.5, 441.0, 0.5, true, true, 3));
  MusicPlayer player(&device);
  ASSERT_TRUE(player.Open(path.c_str()));
  player.Play();
  const Samples out = device.Play(3 * 22050 + 4000);
  auto part = [&](double from, double to) {
    return Samples(out.begin() + static_cast<long>(from * 44100) * 2, out.begin() + static_cast<long>(to * 44100) * 2);
  };
  EXPECT_NEAR(Measure(part(0.1, 0.4), 0).hz, 441.0, 2.0);
  EXPECT_NEAR(Measure(part(0.6, 0.9), 1).hz, 882.0, 2.0);
  EXPECT_NEAR(Measure(part(1.1, 1.4), 0).hz, 441.0, 2.0);
  EXPECT_NEAR(Measure(part(1.1, 1.4), 1).amplitude, 0.5, 0.03);
  // The links follow each other: 1.5 s of tune, then silence.
  EXPECT_FALSE(Silent(part(1.45, 1.49)));
  EXPECT_TRUE(Silent(part(1.52, 1.58)));
}

TEST_F(MusicPlayerTest, MissingOrBrokenFileFailsAndEveryCallThenDoesNothing) {
  const std::string text = "OggS but not really";
  ASSERT_TRUE(PngWriter::WriteBytes(Path("text.ogg"), std::vector<unsigned char>(text.begin(), text.end())));
  ASSERT_TRUE(PngWriter::WriteBytes(Path("empty.ogg"), {}));
  std::vector<unsigned char> half = PngWriter::ReadBytes(Path("tune.ogg"));
  half.resize(200);  // inside the headers
  ASSERT_TRUE(PngWriter::WriteBytes(Path("cut.ogg"), half));
  for (const char* name : {"nothing.ogg", "text.ogg", "empty.ogg", "cut.ogg"}) {
    SCOPED_TRACE(name);
    FakeAudioOut out;
    {
      MusicPlayer player(&out);
      EXPECT_FALSE(player.Open(Path(name).c_str()));
      EXPECT_EQ(player.stream, nullptr);
      player.Play();
      player.Pause();
      player.Resume();
      player.ChangeVolume(true, 10);
      player.ChangeVolume(false, 10);
      EXPECT_EQ(out.starts, 0);
      EXPECT_TRUE(Silent(out.Play(100)));
    }
    EXPECT_EQ(out.closes, 1);  // the destructor let go of the device
  }
}

TEST_F(MusicPlayerTest, NoDeviceMeansOpenFails) {
  device.refuse = true;
  MusicPlayer refused(&device);
  EXPECT_FALSE(refused.Open(Path("tune.ogg").c_str()));
  EXPECT_EQ(device.opens, 1);
  refused.Play();
  refused.ChangeVolume(false, 10);
  refused.Close();
  EXPECT_EQ(device.starts, 0);
  EXPECT_EQ(device.closes, 0);  // nothing was opened

  MusicPlayer none(nullptr);
  EXPECT_FALSE(none.Open(Path("tune.ogg").c_str()));
  none.Play();
  none.Pause();
  none.Resume();
  none.ChangeVolume(true, 10);
}

TEST_F(MusicPlayerTest, CloseStopsAndReleasesOnceAndTheDestructorCloses) {
  {
    MusicPlayer player(&device);
    ASSERT_TRUE(player.Open(Path("tune.ogg").c_str()));
    player.Play();
    device.Play(100);
    player.Close();
    EXPECT_EQ(device.closes, 1);
    EXPECT_EQ(device.pull, nullptr);
    EXPECT_EQ(player.stream, nullptr);
    player.Play();  // a closed player holds no tune
    player.Close();
    EXPECT_EQ(device.closes, 1);
  }
  EXPECT_EQ(device.closes, 1);
  {
    MusicPlayer player(&device);
    ASSERT_TRUE(player.Open(Path("tune.ogg").c_str()));
    player.Play();
  }
  EXPECT_EQ(device.closes, 2);
}

// The device thread pulls all the time while the main thread plays, pauses,
// resumes and steps the volume: no crash (also under the sanitizers), every
// buffer filled to its end, and the player still exact afterwards.
TEST_F(MusicPlayerTest, CallsWhileTheDeviceThreadPulls) {
  MusicPlayer player(&device);
  ASSERT_TRUE(player.Open(Path("tune.ogg").c_str()));
  player.Play();
  std::atomic<bool> stop{false};
  std::atomic<int> buffers{0}, bad{0};
  std::thread pulling([&] {
    while (!stop) {
      const Samples out = device.Play(256);
      ++buffers;
      if (out[0] == 0x5A5A || out.back() == 0x5A5A) ++bad;
    }
  });
  for (int i = 0; i < 300; ++i) {
    switch (i % 5) {
      case 0: player.Play(); break;
      case 1: player.Pause(); break;
      case 2: player.Resume(); break;
      case 3: player.ChangeVolume(false, 10); break;
      case 4: player.ChangeVolume(true, 10); break;
    }
    if (i % 50 == 0) std::this_thread::yield();
  }
  while (buffers < 50) std::this_thread::yield();
  stop = true;
  pulling.join();
  EXPECT_EQ(bad, 0);
  player.Play();
  EXPECT_EQ(device.Play(400), Slice(tune, 0, 400));
}
