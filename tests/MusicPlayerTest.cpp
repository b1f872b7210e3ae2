#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "services/MusicPlayer.h"
#include "tests/support/FakeAudioOut.h"
#include "tests/support/PngBytes.h"
#include "tests/support/SineOgg.h"

namespace {

bool Silent(const Samples& s) {
  for (std::int16_t v : s)
    if (v != 0) return false;
  return true;
}

class MusicPlayerTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir = SineOgg::TempDir();
    ASSERT_FALSE(dir.empty());
    ASSERT_TRUE(SineOgg::Write(dir + "/tune.ogg", 44100, 2, 1.0));
    ASSERT_TRUE(SineOgg::Write(dir + "/mono.ogg", 44100, 1, 0.5));
    ASSERT_TRUE(SineOgg::Write(dir + "/slow.ogg", 22050, 2, 0.5));
    ASSERT_TRUE(SineOgg::Write(dir + "/five.ogg", 44100, 5, 0.2));
    tune = SineOgg::DecodeStereo(dir + "/tune.ogg");
    ASSERT_GE(tune.size(), 44100u * 2);
  }
  static void TearDownTestSuite() { std::filesystem::remove_all(dir); }

  static std::string Path(const char* name) { return dir + "/" + name; }

  static std::string dir;
  static Samples tune;
  FakeAudioOut device;
};

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

TEST_F(MusicPlayerTest, OtherRatesAndChannelCountsAreRefused) {
  for (const char* name : {"slow.ogg", "five.ogg"}) {
    SCOPED_TRACE(name);
    FakeAudioOut out;
    MusicPlayer player(&out);
    EXPECT_FALSE(player.Open(Path(name).c_str()));
    player.Play();
    EXPECT_EQ(out.starts, 0);
  }
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
