#pragma once
// Test helpers for the lamp scenes and the member credits: an independent
// copy of the generator's formula, the start-up tables it fills, the expected
// GL call stream of a frame, and a comparison that names the first differing
// call.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "effects/LampScene.h"
#include "services/Random.h"
#include "services/TextureBank.h"
#include "tests/support/GLRecorder.h"
#include "tests/support/RecordingBoxes.h"
#include "tests/support/SceneTest.h"

namespace lamptest {

// The generator worked out from its formula, independent of services/Random.
struct Lcg {
  std::uint32_t state = 1;
  int Next() {
    state = state * 214013u + 2531011u;
    return static_cast<int>((state >> 16) & 0x7FFFu);
  }
  void Skip(int n) {
    for (int i = 0; i < n; ++i) Next();
  }
};

// Number of draws that take the generator from `before` to `after`; -1 when
// more than `limit`.
inline int DrawsBetween(std::uint32_t before, std::uint32_t after, int limit = 16) {
  Lcg g{before};
  for (int n = 0; n <= limit; ++n) {
    if (g.state == after) return n;
    g.Next();
  }
  return -1;
}

// The float nearest to tenths / 10, read from its decimal text.
inline float Tenths(int tenths) {
  char text[32];
  std::snprintf(text, sizeof text, "%d.%d", tenths / 10, tenths % 10);
  return std::strtof(text, nullptr);
}

// A start-up table of `count` arc sprites, four draws from `g` each: alpha
// (value % 10) / 12 (0 to 0.75), angle value % `angles`, radius
// (value % 100) / `radiusDivisor`, size (value % 10 + `sizeBase`) tenths and
// speed a fiftieth of the size.
inline void ExpectArcTable(const ArcSprite* sprites, int count, Lcg& g, int angles, double radiusDivisor,
                           int sizeBase) {
  for (int i = 0; i < count; ++i) {
    SCOPED_TRACE(i);
    const int a = g.Next() % 10, angle = g.Next() % angles, radius = g.Next() % 100, size = g.Next() % 10;
    const ArcSprite& c = sprites[i];
    EXPECT_EQ(c.alpha, static_cast<float>(a / 12.0));
    EXPECT_EQ(c.angle, static_cast<float>(angle));
    EXPECT_EQ(c.radius, static_cast<float>(radius / radiusDivisor));
    EXPECT_EQ(c.size, Tenths(size + sizeBase));
    EXPECT_EQ(c.speed, static_cast<float>(Tenths(size + sizeBase) / 50.0));
  }
}

// The sine alphas: argument in float, sine in double, passed as float.
inline float SineAlpha(float argument) { return static_cast<float>(std::sin(static_cast<double>(argument))); }

// Builds the calls a frame must make.
struct Stream {
  std::vector<GLCall> calls;
  Stream& Add(const char* name, std::vector<double> args = {}) {
    calls.push_back({name, std::move(args)});
    return *this;
  }
  Stream& Identity() { return Add("glLoadIdentity"); }
  Stream& Translate(float x, float y, float z) { return Add("glTranslatef", {x, y, z}); }
  Stream& Rotate(float a, float x, float y, float z) { return Add("glRotatef", {a, x, y, z}); }
  Stream& Scale(float x, float y, float z) { return Add("glScalef", {x, y, z}); }
  Stream& Colour(float r, float g, float b, float a) { return Add("glColor4f", {r, g, b, a}); }
  Stream& Bind(double id) { return Add("glBindTexture", {double(GL_TEXTURE_2D), id}); }
  Stream& Push() { return Add("glPushMatrix"); }
  Stream& Pop() { return Add("glPopMatrix"); }
  // The picture quad of half-size (w, h).
  Stream& Quad(float w, float h) {
    Add("glBegin", {double(GL_QUADS)});
    Add("glTexCoord2f", {1, 1}).Add("glVertex3f", {w, -h, 0});
    Add("glTexCoord2f", {1, 0}).Add("glVertex3f", {w, h, 0});
    Add("glTexCoord2f", {0, 0}).Add("glVertex3f", {-w, h, 0});
    Add("glTexCoord2f", {0, 1}).Add("glVertex3f", {-w, -h, 0});
    return Add("glEnd");
  }
  // Clear colour, clear, texturing and blending on, depth test off.
  Stream& Opening(float grey) {
    Identity();
    Add("glClearColor", {grey, grey, grey, 0});
    Add("glClear", {double(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT)});
    Add("glEnable", {double(GL_TEXTURE_2D)}).Add("glEnable", {double(GL_BLEND)});
    Add("glDisable", {double(GL_DEPTH_TEST)});
    return Add("glBlendFunc", {double(GL_SRC_ALPHA), double(GL_ONE_MINUS_SRC_ALPHA)});
  }
  // Arc sprites at depth -40, the texture bound: sprite i turned by
  // (baseAngle - angle_i) about z, baseRadius + radius_i out, as they were
  // before the frame.
  Stream& Arcs(const ArcSprite* sprites, int count, float baseAngle, float baseRadius) {
    for (int i = 0; i < count; ++i) {
      const ArcSprite& c = sprites[i];
      Push().Rotate(baseAngle - c.angle, 0, 0, 1).Translate(baseRadius + c.radius, 0, -40);
      Scale(c.size, c.size, 0).Colour(1, 1, 1, c.alpha).Quad(1, 1).Pop();
    }
    return *this;
  }
  Stream& Closing() {
    Add("glDisable", {double(GL_TEXTURE_2D)}).Add("glDisable", {double(GL_BLEND)});
    return Add("glEnable", {double(GL_DEPTH_TEST)});
  }
};

inline std::string Describe(const GLCall& c) {
  std::ostringstream out;
  out.precision(9);
  out << c.name << "(";
  for (size_t i = 0; i < c.args.size(); ++i) out << (i ? ", " : "") << c.args[i];
  return out.str() + ")";
}

// Same calls in the same order, arguments equal to 1e-6 (relative for large
// values). Reports the first difference.
inline ::testing::AssertionResult SameStream(const std::vector<GLCall>& actual, const std::vector<GLCall>& expected) {
  const size_t n = std::min(actual.size(), expected.size());
  for (size_t i = 0; i < n; ++i) {
    const GLCall& a = actual[i];
    const GLCall& e = expected[i];
    bool same = a.name == e.name && a.args.size() == e.args.size();
    for (size_t k = 0; same && k < a.args.size(); ++k)
      same = std::fabs(a.args[k] - e.args[k]) <= 1e-6 * std::max(1.0, std::fabs(e.args[k]));
    if (!same)
      return ::testing::AssertionFailure() << "call " << i << ": got " << Describe(a) << ", expected " << Describe(e);
  }
  if (actual.size() != expected.size())
    return ::testing::AssertionFailure() << "got " << actual.size() << " calls, expected " << expected.size();
  return ::testing::AssertionSuccess();
}

// Index of the glBindTexture call that binds `id`, or -1.
inline int BindIndex(double id) {
  const auto& calls = GLRecorder::Calls();
  for (size_t i = 0; i < calls.size(); ++i)
    if (calls[i].name == "glBindTexture" && calls[i].args[1] == id) return static_cast<int>(i);
  return -1;
}

// The colour set last before call `index`.
inline std::vector<double> ColourBefore(int index) {
  const auto& calls = GLRecorder::Calls();
  for (int i = index; i >= 0; --i)
    if (calls[i].name == "glColor4f") return calls[i].args;
  return {};
}

// What tells the two lamp scenes apart; everything else of a frame is common.
struct LampLayout {
  bool backgroundTurns;  // -x degrees about z
  float circleBase;      // arc angle = circleBase - angle
  float lampX;
  float ringX, ringDx;   // first column, offset of the second
  bool lyricDriftsRight;
  double background, circle, lamp, ring, lyric;  // texture names, as the recorder logs them
};

// The calls of a lamp frame at `elapsed`, given the circles as they were
// before the frame and the flicker scale the frame must use.
inline Stream LampFrame(const LampLayout& l, int elapsed, const ArcSprite* circles, float flicker) {
  const float pi = 3.14159274f;
  const float x = static_cast<float>(elapsed) / 1000.0f;
  Stream s;
  s.Opening(1.0f);
  s.Identity().Translate(0, 0, -1.5f);
  if (l.backgroundTurns) s.Rotate(-x, 0, 0, 1);
  s.Colour(1, 1, 1, 1).Bind(l.background).Quad(1, 1);
  s.Identity().Translate(-15, 10, 0).Bind(l.circle).Arcs(circles, 80, l.circleBase, 24);
  s.Identity().Translate(l.lampX, 0, -2).Rotate(5 * x - 20, 0, 1, 0).Scale(flicker, flicker, flicker);
  s.Colour(1, 1, 1, 1).Bind(l.lamp).Quad(1, 1);
  s.Identity().Translate(l.ringX, 0, -30).Colour(1, 1, 1, 1).Bind(l.ring);
  for (int i = 0; i < 50; ++i)
    s.Push().Translate(0, -80 + x + 2 * i, 0).Quad(1, 1).Translate(l.ringDx, 0, 5).Quad(1, 1).Pop();
  if (elapsed > 0 && elapsed < 10000) {
    s.Identity().Translate(l.lyricDriftsRight ? x / 5 - 2 : 3 - x / 5, -2, -10);
    s.Colour(1, 1, 1, SineAlpha(x * pi / 10)).Bind(l.lyric).Quad(4, 1);
  }
  return s.Closing();
}

// The four flicker slots, as the tests know them.
inline bool InFlickerSlot(int elapsed) {
  for (int begin : {2000, 4600, 7100, 9800})
    if (elapsed >= begin && elapsed <= begin + 199) return true;
  return false;
}

// The flicker scale the generator's next draw gives: 0.60 to 1.09.
inline float NextFlicker() {
  Lcg g{Random::State()};
  return static_cast<float>(g.Next() % 50 + 60) / 100.0f;
}

// Each sprite's angle `frames` steps on from `start`, its alpha unchanged.
inline void ExpectStepped(const ArcSprite* sprites, const std::vector<ArcSprite>& start, int frames) {
  for (std::size_t i = 0; i < start.size(); ++i) {
    float angle = start[i].angle;
    for (int f = 0; f < frames; ++f) angle = angle + start[i].speed;
    EXPECT_EQ(sprites[i].angle, angle) << i;
    EXPECT_EQ(sprites[i].alpha, start[i].alpha) << i;
  }
}

// The recorded tests of these scenes: a fresh recording and the generator at
// the program's start state before each; each test runs the Inits it needs,
// in the program's order.
template <class Scene, EffectId id>
class LampSceneTest : public SceneTest<Scene, id> {
 protected:
  LampSceneTest() : SceneTest<Scene, id>(SceneTest<Scene, id>::initInTest) {}
  void BeforeInit() override { SceneTest<Scene, id>::StartUpGenerator(); }

  // Whether the latest frame drew the picture `slot`.
  bool Shows(int slot) const { return BindIndex(this->Id(slot)) != -1; }
  // Alpha of the picture `slot` in the latest frame; -1 when it is not drawn.
  double AlphaOf(int slot) const {
    const int bind = BindIndex(this->Id(slot));
    return bind < 0 ? -1.0 : ColourBefore(bind)[3];
  }
  // Draws the frame at `elapsed` and checks its flicker: one fresh draw inside
  // the flicker slots, none outside. Returns the scale the frame must use.
  float FlickerFrame(int elapsed) {
    const std::uint32_t before = Random::State();
    const float expected = InFlickerSlot(elapsed) ? NextFlicker() : 1.0f;
    this->Frame(elapsed);
    EXPECT_EQ(DrawsBetween(before, Random::State()), InFlickerSlot(elapsed) ? 1 : 0);
    EXPECT_EQ(this->scene.flickerScale, expected);
    return expected;
  }
  // Draws the frame at `elapsed`; the number of values it drew.
  int DrawsInFrame(int elapsed) {
    const std::uint32_t before = Random::State();
    this->Frame(elapsed);
    return DrawsBetween(before, Random::State());
  }
  // The lamp scenes' light circles as they are now.
  std::vector<ArcSprite> Circles() const { return {this->scene.lightCircles, this->scene.lightCircles + 80}; }
  // Picture state off, depth test on, every pushed matrix popped.
  void ExpectLeftClean() const {
    EXPECT_TRUE(this->LeftPictureStateOff());
    EXPECT_EQ(GLRecorder::Count("glPushMatrix"), GLRecorder::Count("glPopMatrix"));
  }
};

}  // namespace lamptest
