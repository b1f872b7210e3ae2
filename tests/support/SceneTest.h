#pragma once
// Test helpers for the scenes: where each scene's window starts, read from the
// demo's own timeline, and the fixture the call-stream tests draw a scene in.
#include <gtest/gtest.h>

#include "app/Timeline.h"
#include "services/TextureBank.h"
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

// A scene initialised with a fresh texture bank (its pictures missing, the
// boxes recorded), drawn frame by frame in its first window.
template <class Scene, EffectId id>
class SceneTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_GE(kStart, 0);
    GLRecorder::Clear();
    scene.Init();
  }
  // Draws the frame `elapsed` ms into the window, with only its calls recorded.
  void Frame(int elapsed) {
    GLRecorder::Clear();
    scene.Render(kStart + elapsed, kStart);
  }
  // A slot's texture name, as the recorder logs call arguments (doubles).
  double Id(int slot) const { return bank.entries[slot]->Id(); }

  const int kStart = SceneStart(id);
  RecordingBoxes boxes;
  TextureBank bank;
  Scene scene{&bank};
};
