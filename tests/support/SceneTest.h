#pragma once
// Test helpers for the scenes: where each scene's window starts, read from the
// demo's own timeline, and the fixture the call-stream tests draw a scene in.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "app/Timeline.h"
#include "effects/CircleTable.h"
#include "services/Random.h"
#include "services/TextureBank.h"
#include "tests/support/CallStream.h"
#include "tests/support/GLRecorder.h"
#include "tests/support/RecordingBoxes.h"

// The demo time at which window `which` (0: the first) of the scene starts;
// -1 when the timeline has no such window.
inline int SceneStart(EffectId id, int which = 0) {
  for (int i = 0; i < kTimelineRows; ++i)
    if (kTimeline[i].kind == TimelineRow::RenderIn && kTimeline[i].effect == id && which-- == 0)
      return kTimeline[i].start;
  return -1;
}

// The start of the scene's window that holds demo time `now` (both ends
// excluded, as the timeline draws); -1 when none does.
inline int SceneWindowAt(EffectId id, int now) {
  for (int i = 0; i < kTimelineRows; ++i) {
    const TimelineRow& row = kTimeline[i];
    if (row.kind == TimelineRow::RenderIn && row.effect == id && row.start < now && now < row.end) return row.start;
  }
  return -1;
}

// The shared generator's state, put back when this goes: a test that seeds or
// draws leaves the next test the state it found.
class SavedRandom {
 public:
  SavedRandom() : state(Random::State()) {}
  ~SavedRandom() { Random::Seed(state); }
  SavedRandom(const SavedRandom&) = delete;
  SavedRandom& operator=(const SavedRandom&) = delete;

 private:
  const std::uint32_t state;
};

// A scene initialised with a fresh texture bank (its pictures missing, the
// boxes recorded), drawn frame by frame in its first window. The recording is
// empty when a test starts; the generator is as the test found it when it ends.
template <class Scene, EffectId id>
class SceneTest : public ::testing::Test {
 protected:
  enum InitWhen { initInSetUp, initInTest };
  explicit SceneTest(InitWhen when = initInSetUp) : when(when) {}

  void SetUp() override {
    ASSERT_GE(kStart, 0);
    GLRecorder::Clear();
    BeforeInit();
    if (HasFatalFailure() || when == initInTest) return;
    const std::uint32_t before = Random::State();
    scene.Init();
    drawnByInit = Random::State() != before;
    GLRecorder::Clear();
  }
  // What a fixture prepares for the scene's Init: model files, the generator.
  virtual void BeforeInit() {}

  // Draws the frame `elapsed` ms into the first window, with only its calls recorded.
  void Frame(int elapsed) { FrameAt(kStart + elapsed, kStart); }
  // Draws the frame at demo time `now` in the window `start` (by default the
  // scene's window that holds `now`), with only its calls recorded.
  void FrameAt(int now, int start) {
    GLRecorder::Clear();
    scene.Render(now, start);
  }
  void FrameAt(int now) {
    const int start = SceneWindowAt(id, now);
    ASSERT_GE(start, 0) << "no window of the scene holds " << now;
    FrameAt(now, start);
  }

  // The generator as the start-up leaves it for an Init that comes after
  // `earlierDraws` values drawn by the scenes initialised before.
  static void StartUpGenerator(int earlierDraws = 0) {
    Random::Seed(1);
    for (int i = 0; i < earlierDraws; ++i) Random::Next();
  }

  // A slot's texture name, as the recorder logs call arguments (doubles).
  double Id(int slot) const { return bank.entries[slot]->Id(); }
  // The slots were loaded in this order into the fresh bank: named 1, 2, 3, ...
  void ExpectNamedInOrder(std::initializer_list<int> slots) const {
    unsigned name = 1;
    for (int slot : slots) {
      EXPECT_TRUE(bank.entries[slot]->Loaded()) << bank.entries[slot]->Name();
      EXPECT_EQ(bank.entries[slot]->Id(), name++) << bank.entries[slot]->Name();
    }
  }
  // A scene's copy of the circle table holds the table's values.
  static void ExpectCircleTableCopied(const float (*points)[3]) {
    for (int i = 0; i < kCirclePointCount; ++i)
      for (int c = 0; c < 3; ++c) EXPECT_EQ(points[i][c], kCirclePoints[i][c]) << "point " << i;
  }
  // The GL capabilities `on` are enabled and `off` disabled, as the frame left them.
  static ::testing::AssertionResult LeftEnabled(std::initializer_list<GLenum> on,
                                                std::initializer_list<GLenum> off = {}) {
    for (GLenum cap : on)
      if (!glIsEnabled(cap)) return ::testing::AssertionFailure() << "capability " << cap << " is off";
    for (GLenum cap : off)
      if (glIsEnabled(cap)) return ::testing::AssertionFailure() << "capability " << cap << " is on";
    return ::testing::AssertionSuccess();
  }
  // Texturing and blending off, the depth test on: what every scene leaves.
  static ::testing::AssertionResult LeftPictureStateOff() {
    return LeftEnabled({GL_DEPTH_TEST}, {GL_TEXTURE_2D, GL_BLEND});
  }

  SavedRandom savedRandom;  // made first, so it puts the generator back last
  const int kStart = SceneStart(id);
  RecordingBoxes boxes;
  TextureBank bank;
  Scene scene{&bank};
  bool drawnByInit = false;  // the Init in SetUp changed the generator's state

 private:
  const InitWhen when;
};

// A scene that draws pictures only: a frame gives (texture, alpha) of each
// picture in drawing order.
template <class Scene, EffectId id>
class PictureSceneTest : public SceneTest<Scene, id> {
 protected:
  CallStream::Draws Frame(int elapsed) {
    SceneTest<Scene, id>::Frame(elapsed);
    return CallStream::PictureDraws();
  }
  // A value as the GL receives it: rounded to float.
  static double AsFloat(double v) { return static_cast<double>(static_cast<float>(v)); }
  // A Latin line fading in and its Arabic twin fading out, `elapsed` ms into
  // the window (x seconds): alphas x - 0.5 and (1 - x) + 0.5, unclamped, as floats.
  static CallStream::Draws LatinAndArabic(unsigned latin, unsigned arabic, int elapsed) {
    const float x = static_cast<float>(elapsed) / 1000.0f;
    return {{latin, AsFloat(x - 0.5)}, {arabic, AsFloat(static_cast<float>(1 - x) + 0.5)}};
  }
  // Every primitive of the frame is the upright unit picture quad.
  static void ExpectUnitQuadsOnly() {
    for (int i : CallStream::Indices("glBegin")) {
      EXPECT_EQ(CallStream::At(i).args, std::vector<double>{GL_QUADS});
      CallStream::ExpectPictureQuad(i, 1, 1);
    }
  }
  // The frame clears colour and depth to black first and blends by alpha.
  static void ExpectBlackClearAndBlending() {
    const auto& calls = GLRecorder::Calls();
    ASSERT_GE(calls.size(), 2u);
    EXPECT_EQ(calls[0].args, (std::vector<double>{0, 0, 0, 0}));
    EXPECT_EQ(calls[1].args, std::vector<double>{GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT});
    ASSERT_FALSE(GLRecorder::Named("glBlendFunc").empty());
    EXPECT_EQ(GLRecorder::Named("glBlendFunc")[0].args, (std::vector<double>{GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA}));
  }
};
