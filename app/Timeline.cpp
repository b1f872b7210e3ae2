#include "app/Timeline.h"

#include "effects/FadeEffects.h"

namespace {

constexpr TimelineRow Param(EffectId effect, int which, float value) {
  return {TimelineRow::SetParam, effect, 0, 0, which, value};
}
constexpr TimelineRow Draw(EffectId effect, int start, int end) {
  return {TimelineRow::RenderIn, effect, start, end, 0, 0.0f};
}
constexpr TimelineRow ResetProjection(int start, int end) {
  return {TimelineRow::ResetProjection, EffectId::letterbox, start, end, 0, 0.0f};
}

using E = EffectId;
constexpr int kDuration = FaderEffect::Duration, kGrey = FaderEffect::Grey;

}  // namespace

// Row by row: a scene, then its fade-in and fade-out cues; the faders'
// duration and grey are set right before the cues that need new values.
const TimelineRow kTimeline[] = {
    Param(E::fadeIn, kGrey, 0.0f),                // 1
    Param(E::fadeIn, kDuration, 1000.0f),         // 2
    Param(E::fadeOut, kGrey, 0.0f),               // 3
    Param(E::fadeOut, kDuration, 1000.0f),        // 4
    Draw(E::desertDunes, 0, 8500),                // 5   opening dunes, zoom out
    Param(E::fadeIn, kDuration, 5000.0f),         // 6
    Draw(E::fadeIn, 0, 5000),                     // 7
    Draw(E::fadeOut, 7500, 8500),                 // 8
    Param(E::fadeIn, kDuration, 1000.0f),         // 9
    Draw(E::groupLogo, 8500, 11500),              // 10
    Draw(E::fadeIn, 8500, 9500),                  // 11
    Draw(E::fadeOut, 10500, 11500),               // 12
    Draw(E::presentsCaption, 12000, 15000),       // 13
    Draw(E::fadeIn, 12000, 13000),                // 14
    Draw(E::fadeOut, 14000, 15000),               // 15
    Param(E::fadeIn, kDuration, 2000.0f),         // 16
    Draw(E::desertDunes, 15750, 32500),           // 17  dunes again, title and waves
    Draw(E::fadeIn, 15750, 17750),                // 18
    Param(E::fadeOut, kGrey, 1.0f),               // 19
    Draw(E::fadeOut, 31500, 32500),               // 20  out to white
    Param(E::fadeIn, kDuration, 500.0f),          // 21
    Param(E::fadeIn, kGrey, 1.0f),                // 22
    Draw(E::nightOcean, 32500, 43500),            // 23
    Draw(E::fadeIn, 32500, 33000),                // 24  in from white
    Draw(E::fadeOut, 42500, 43500),               // 25  out to white
    Param(E::fadeIn, kDuration, 1000.0f),         // 26
    Param(E::fadeIn, kGrey, 0.0f),                // 27
    Param(E::fadeOut, kDuration, 1000.0f),        // 28
    Param(E::fadeOut, kGrey, 0.0f),               // 29
    Draw(E::flickeringLamp, 43500, 54000),        // 30
    Draw(E::fadeIn, 43500, 44500),                // 31
    Draw(E::fadeOut, 53000, 54000),               // 32
    Draw(E::wishingLamp, 54000, 65000),           // 33
    Draw(E::fadeIn, 54000, 55000),                // 34
    Draw(E::fadeOut, 64000, 65000),               // 35
    Draw(E::flower, 65000, 75000),                // 36
    Draw(E::fadeIn, 65000, 66000),                // 37
    Draw(E::fadeOut, 74000, 75000),               // 38
    Draw(E::ball, 75000, 86000),                  // 39
    Draw(E::fadeIn, 75000, 76000),                // 40
    Draw(E::fadeOut, 85000, 86000),               // 41
    Draw(E::memberCredits, 86000, 102000),        // 42
    Draw(E::fadeIn, 86000, 87000),                // 43
    Draw(E::fadeOut, 101000, 102000),             // 44
    Draw(E::industrialGears, 102000, 113000),     // 45
    Draw(E::fadeIn, 102000, 103000),              // 46
    Draw(E::fadeOut, 112000, 113000),             // 47
    Draw(E::fogTunnel, 113000, 123000),           // 48
    Draw(E::fadeIn, 113000, 114000),              // 49
    Draw(E::fadeOut, 122000, 123000),             // 50
    Draw(E::photoCylinder, 123000, 145000),       // 51
    Draw(E::fadeIn, 123000, 124000),              // 52
    Draw(E::fadeOut, 144000, 145000),             // 53
    Draw(E::spaceFlight, 145000, 155000),         // 54
    Draw(E::fadeIn, 145000, 146000),              // 55
    Draw(E::fadeOut, 154000, 155000),             // 56
    ResetProjection(155000, 155100),              // 57  the window's projection back after the flight
    Draw(E::greetingsSpiral, 155000, 177000),     // 58
    Draw(E::fadeIn, 155000, 157000),              // 59  2000 ms window, 1000 ms fade
    Draw(E::fadeOut, 176000, 177000),             // 60
    Param(E::fadeOut, kDuration, 5000.0f),        // 61
    Draw(E::closingCredits, 177000, 195000),      // 62
    Draw(E::fadeIn, 177000, 178000),              // 63
    Draw(E::fadeOut, 190000, 195000),             // 64  the last five seconds to black
    Draw(E::letterbox, 0, 200000),                // 65  bars over every frame, last
};

const int kTimelineRows = sizeof kTimeline / sizeof kTimeline[0];

bool IsScene(EffectId id) {
  return id != EffectId::letterbox && id != EffectId::fadeIn && id != EffectId::fadeOut;
}

bool BarsDrawnAt(int now) {
  for (int i = 0; i < kTimelineRows; ++i) {
    const TimelineRow& row = kTimeline[i];
    if (row.kind == TimelineRow::RenderIn && row.effect == EffectId::letterbox && row.start < now && now < row.end)
      return true;
  }
  return false;
}
