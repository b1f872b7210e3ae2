#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "app/CommandLine.h"
#include "app/QuorixSystem.h"
#include "effects/Effect.h"
#include "platform/SdlAudioOut.h"
#include "platform/SdlPlatform.h"
#include "platform/VirtualKeys.h"
#include "services/MusicPlayer.h"
#include "tests/support/FakeAudioOut.h"
#include "tests/support/PngBytes.h"
#include "tests/support/RecordingBoxes.h"
#include "tests/support/SineOgg.h"
#include "tests/support/TempFolder.h"
#include "window/GLWindow.h"

namespace {

void Wait(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

// The music over a real SDL device, SDL's disk driver: every frame that the
// device plays is appended to a file, in real time.
class DiskAudioTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(dir.empty());
    output = dir + "/played.raw";
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", output.c_str(), 1);
    ASSERT_TRUE(SineOgg::Write(dir + "/tune.ogg", 44100, 2, 4.0));
    tune = SineOgg::DecodeStereo(dir + "/tune.ogg");
  }

  Samples Played() const {
    const std::vector<unsigned char> bytes = PngWriter::ReadBytes(output);
    Samples out(bytes.size() / 2);
    for (std::size_t i = 0; i < out.size(); ++i)
      out[i] = static_cast<std::int16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
    return out;
  }

  // Frames from `at` on that equal the tune from frame `from` at `volume`.
  int Matching(const Samples& out, int at, int from, int volume) const {
    const Samples reference = Slice(tune, from, static_cast<int>(tune.size() / 2) - from, volume);
    int n = 0;
    while ((at + n) * 2 + 1 < static_cast<int>(out.size()) && (n * 2 + 1) < static_cast<int>(reference.size()) &&
           out[(at + n) * 2] == reference[n * 2] && out[(at + n) * 2 + 1] == reference[n * 2 + 1])
      ++n;
    return n;
  }

  static int Zeros(const Samples& out, int at) {
    int n = 0;
    while ((at + n) * 2 + 1 < static_cast<int>(out.size()) && out[(at + n) * 2] == 0 && out[(at + n) * 2 + 1] == 0)
      ++n;
    return n;
  }

  TempFolder folder;
  const std::string dir = folder.path;
  std::string output;
  Samples tune;
};

}  // namespace

TEST_F(DiskAudioTest, PlayPauseResumeVolumeAndRestartAsWritten) {
  {
    SdlAudioOut device;
    MusicPlayer player(&device);
    ASSERT_TRUE(player.Open((dir + "/tune.ogg").c_str()));
    EXPECT_EQ(device.BufferFrames(), SdlAudioOut::kBufferFrames);
    Wait(150);
    player.Play();
    Wait(350);
    player.Pause();
    Wait(350);
    player.Resume();
    Wait(350);
    player.ChangeVolume(false, 10);
    Wait(350);
    player.Play();
    Wait(350);
    player.Close();
  }
  const Samples out = Played();
  const int frames = static_cast<int>(out.size() / 2);
  ASSERT_GT(frames, 44100);
  const int buffer = SdlAudioOut::kBufferFrames;

  int at = Zeros(out, 0);  // the open device plays silence until Play
  const int first = Matching(out, at, 0, 255);
  EXPECT_GE(first, buffer) << "the tune from its first sample";
  at += first;
  const int paused = Zeros(out, at);
  EXPECT_GE(paused, buffer) << "silence while paused";
  at += paused;
  const int resumed = Matching(out, at, first, 255);
  EXPECT_GE(resumed, buffer) << "on from where it paused";
  at += resumed;
  const int quieter = Matching(out, at, first + resumed, 245);
  EXPECT_GE(quieter, buffer) << "one step down";
  at += quieter;
  const int again = Matching(out, at, 0, 245);
  EXPECT_GE(again, buffer) << "from the first sample again, at the same volume";
  at += again;
  EXPECT_EQ(at, frames) << "nothing after Close";
}

TEST_F(DiskAudioTest, OpenAloneStartsNothing) {
  {
    SdlAudioOut device;
    MusicPlayer player(&device);
    ASSERT_TRUE(player.Open((dir + "/tune.ogg").c_str()));
    Wait(300);
  }
  const Samples out = Played();
  EXPECT_EQ(Zeros(out, 0), static_cast<int>(out.size() / 2));
}

TEST_F(DiskAudioTest, MissingFileFailsAndThePlayerStaysQuiet) {
  {
    SdlAudioOut device;
    MusicPlayer player(&device);
    EXPECT_FALSE(player.Open((dir + "/missing.ogg").c_str()));
    player.Play();
    player.ChangeVolume(true, 10);
    Wait(200);
  }
  const Samples out = Played();
  EXPECT_EQ(Zeros(out, 0), static_cast<int>(out.size() / 2));
}

TEST_F(DiskAudioTest, NoAudioDriverMeansOpenFails) {
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  SdlAudioOut device;
  MusicPlayer player(&device);
  EXPECT_FALSE(player.Open((dir + "/tune.ogg").c_str()));
  player.Play();
  player.Pause();
  player.Resume();
  player.ChangeVolume(false, 10);
}

namespace {

// The demo's own start-up and main loop around the music: a real window on the
// virtual display, a device driven by hand, and a folder that the test fills.
class QuorixMusicTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(dir.empty());
    std::filesystem::create_directory(dir + "/data");
    controls.res640 = true;
    controls.bits32 = true;
    platform.boxes = &boxes;
    platform.clock = &clock;
    platform.display = &display;
    platform.audio = &device;
    platform.dialog = &dialog;
  }

  QuorixSystem* Start(bool sound) {
    controls.noSound = !sound;
    dialog = FixedSetupDialog(controls);
    QuorixSystem* system = new QuorixSystem(platform);
    EXPECT_TRUE(system->Setup());
    return system;
  }

  // One pass of the main loop with these keys held, then Escape ends it.
  static void RunWithKeys(QuorixSystem* system, std::initializer_list<int> keys) {
    for (int key : keys) system->window->keyDown[key] = true;
    system->window->keyDown[VK::ESCAPE] = true;
    system->Run();
    EXPECT_EQ(system->ending, QuorixSystem::Ending::Escape);
  }

  const RecordingBoxes::Box* TuneWarning() const {
    for (const RecordingBoxes::Box& box : boxes.boxes)
      if (box.caption == "QuorixSystem") return &box;
    return nullptr;
  }

  TempFolder folder{true};  // the demo runs inside it
  const std::string dir = folder.path;
  RecordingBoxes boxes;
  SdlClock clock;
  SdlDisplay display;
  FakeAudioOut device;
  SetupControls controls;
  FixedSetupDialog dialog{controls};
  Platform platform;
};

}  // namespace

TEST_F(QuorixMusicTest, SoundOffMakesNoPlayerAndTouchesNoDevice) {
  QuorixSystem* system = Start(false);
  EXPECT_EQ(system->music, nullptr);
  RunWithKeys(system, {VK::F3, VK::F4, VK::F8, VK::F5, VK::F6});
  delete system;
  EXPECT_EQ(device.opens, 0);
  EXPECT_EQ(TuneWarning(), nullptr);
}

TEST_F(QuorixMusicTest, MissingTuneWarnsOnceAndTheDemoGoesOn) {
  QuorixSystem* system = Start(true);
  ASSERT_NE(system->music, nullptr);
  const RecordingBoxes::Box* warning = TuneWarning();
  ASSERT_NE(warning, nullptr);
  EXPECT_EQ(warning->text, "Error while trying to load the tune \nor setting up the sound.");
  EXPECT_EQ(warning->style, 0x30u);
  EXPECT_EQ(&boxes.boxes[0], warning);  // before the loading screen's and the textures' boxes
  RunWithKeys(system, {VK::F3, VK::F8, VK::F5, VK::F6, VK::F4});
  EXPECT_GT(system->framesDrawn, 0);
  EXPECT_EQ(device.starts, 0);
  delete system;
  EXPECT_EQ(device.closes, 1);
}

TEST_F(QuorixMusicTest, NoDeviceWarnsTheSameWay) {
  device.refuse = true;
  ASSERT_TRUE(SineOgg::Write("data/Drevko - Lumivane.ogg", 44100, 2, 0.5));
  QuorixSystem* system = Start(true);
  const RecordingBoxes::Box* warning = TuneWarning();
  ASSERT_NE(warning, nullptr);
  EXPECT_TRUE(system->window->sound);
  RunWithKeys(system, {VK::F4});
  delete system;
}

// No audio driver at all: the warning, and the demo plays, silent, to its end
// (a clock that runs two seconds a reading takes it there quickly).
TEST_F(QuorixMusicTest, NoAudioDriverWarnsAndTheDemoPlaysToItsEnd) {
  class FastClock : public Clock {
   public:
    std::int64_t Frequency() override { return 1000; }
    std::int64_t Counter() override { return now += 2000; }
    std::int64_t now = 0;
  } fast;
  ASSERT_TRUE(SineOgg::Write("data/Drevko - Lumivane.ogg", 44100, 2, 0.5));
  setenv("SDL_AUDIODRIVER", "nonexistent", 1);
  SdlAudioOut none;
  platform.audio = &none;
  platform.clock = &fast;
  QuorixSystem* system = Start(true);
  ASSERT_NE(TuneWarning(), nullptr);
  system->Run();
  EXPECT_EQ(system->ending, QuorixSystem::Ending::DemoOver);
  EXPECT_GT(system->framesDrawn, 10);
  delete system;
  setenv("SDL_AUDIODRIVER", "dummy", 1);
}

TEST_F(QuorixMusicTest, TuneStartsWithTheLoopAndFollowsTheKeys) {
  ASSERT_TRUE(SineOgg::Write("data/Drevko - Lumivane.ogg", 44100, 2, 0.5));
  const Samples tune = SineOgg::DecodeStereo("data/Drevko - Lumivane.ogg");
  QuorixSystem* system = Start(true);
  EXPECT_EQ(TuneWarning(), nullptr);
  EXPECT_EQ(device.rate, 44100);
  EXPECT_EQ(device.starts, 0);  // opened during start-up, not started

  RunWithKeys(system, {VK::F3});  // Run plays it; F3 one step down
  EXPECT_EQ(device.starts, 1);
  EXPECT_EQ(device.Play(300), Slice(tune, 0, 300, 245));

  RunWithKeys(system, {VK::F8});  // Run restarts it; F8 pauses
  EXPECT_TRUE(system->paused);
  const Samples quiet = device.Play(300);
  EXPECT_EQ(quiet, Samples(quiet.size(), 0));

  system->paused = false;  // a fresh Run: F4 back up, F6 from the start
  system->window->keyDown[VK::F4] = true;
  RunWithKeys(system, {VK::F6});
  EXPECT_EQ(device.Play(300), Slice(tune, 0, 300));
  delete system;
  EXPECT_EQ(device.closes, 1);
}
