#pragma once

// The effects of the demo, in QuorixSystem's member order (which is also the
// order of construction and of the Init calls).
enum class EffectId {
  letterbox, fadeIn, fadeOut,
  groupLogo, presentsCaption, desertDunes, nightOcean, flickeringLamp, wishingLamp, flower, ball,
  memberCredits, industrialGears, fogTunnel, photoCylinder, spaceFlight, greetingsSpiral, closingCredits,
  Count
};

// One row of the fixed schedule that DrawFrame performs every frame.
struct TimelineRow {
  enum Kind { SetParam, RenderIn, ResetProjection };
  Kind kind;
  EffectId effect;  // SetParam, RenderIn
  int start, end;   // RenderIn, ResetProjection: demo ms, both ends excluded
  int which;        // SetParam: FaderEffect::Duration (ms) or FaderEffect::Grey
  float value;
};

extern const TimelineRow kTimeline[];
extern const int kTimelineRows;

// The demo's length: the first frame after this time ends the main loop.
constexpr int kDemoEndMs = 195000;

bool IsScene(EffectId id);
// Whether the letterbox row draws the bars in the frame at `now`.
bool BarsDrawnAt(int now);
const char* EffectName(EffectId id);  // the member's name, from the effects table in QuorixSystem.cpp
