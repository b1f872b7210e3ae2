#include "app/QuorixSystem.h"

#include "effects/BallEffect.h"
#include "effects/ClosingCreditsEffect.h"
#include "effects/DesertDunesEffect.h"
#include "effects/FadeEffects.h"
#include "effects/FlickeringLampEffect.h"
#include "effects/FlowerEffect.h"
#include "effects/FogTunnelEffect.h"
#include "effects/GreetingsSpiralEffect.h"
#include "effects/GroupLogoEffect.h"
#include "effects/IndustrialGearsEffect.h"
#include "effects/LoadingScreen.h"
#include "effects/LetterboxEffect.h"
#include "effects/MemberCreditsEffect.h"
#include "effects/NightOceanEffect.h"
#include "effects/PhotoCylinderEffect.h"
#include "effects/PresentsEffect.h"
#include "effects/SceneClip.h"
#include "effects/SpaceFlightEffect.h"
#include "effects/WishingLampEffect.h"
#include "platform/Report.h"
#include "platform/VirtualKeys.h"
#include "services/DemoTimer.h"
#include "services/MusicPlayer.h"
#include "services/TextureBank.h"
#include "window/GLWindow.h"

namespace {

// One row of the effects table: the effect's id and name, and how it is made
// into and read from its member.
struct EffectRow {
  EffectId id;
  const char* name;
  void (*make)(QuorixSystem& system);
  Effect* (*get)(const QuorixSystem& system);
  std::unique_ptr<Effect> (*copy)(const QuorixSystem& system);  // a copy of the member in its current state
};

template <class T, std::unique_ptr<T> QuorixSystem::*member>
constexpr EffectRow Row(EffectId id, const char* name) {
  return {id, name, [](QuorixSystem& s) { s.*member = std::make_unique<T>(s.textures.get()); },
          [](const QuorixSystem& s) -> Effect* { return (s.*member).get(); },
          [](const QuorixSystem& s) -> std::unique_ptr<Effect> { return std::make_unique<T>(*(s.*member)); }};
}

using Q = QuorixSystem;
using E = EffectId;

// The eighteen effects in member order: the order of construction and of the
// Init calls, which fixes the order of the random draws.
constexpr EffectRow kEffects[] = {
    Row<LetterboxEffect, &Q::letterbox>(E::letterbox, "letterbox"),
    Row<FadeInEffect, &Q::fadeIn>(E::fadeIn, "fadeIn"),
    Row<FadeOutEffect, &Q::fadeOut>(E::fadeOut, "fadeOut"),
    Row<GroupLogoEffect, &Q::groupLogo>(E::groupLogo, "groupLogo"),
    Row<PresentsEffect, &Q::presentsCaption>(E::presentsCaption, "presentsCaption"),
    Row<DesertDunesEffect, &Q::desertDunes>(E::desertDunes, "desertDunes"),
    Row<NightOceanEffect, &Q::nightOcean>(E::nightOcean, "nightOcean"),
    Row<FlickeringLampEffect, &Q::flickeringLamp>(E::flickeringLamp, "flickeringLamp"),
    Row<WishingLampEffect, &Q::wishingLamp>(E::wishingLamp, "wishingLamp"),
    Row<FlowerEffect, &Q::flower>(E::flower, "flower"),
    Row<BallEffect, &Q::ball>(E::ball, "ball"),
    Row<MemberCreditsEffect, &Q::memberCredits>(E::memberCredits, "memberCredits"),
    Row<IndustrialGearsEffect, &Q::industrialGears>(E::industrialGears, "industrialGears"),
    Row<FogTunnelEffect, &Q::fogTunnel>(E::fogTunnel, "fogTunnel"),
    Row<PhotoCylinderEffect, &Q::photoCylinder>(E::photoCylinder, "photoCylinder"),
    Row<SpaceFlightEffect, &Q::spaceFlight>(E::spaceFlight, "spaceFlight"),
    Row<GreetingsSpiralEffect, &Q::greetingsSpiral>(E::greetingsSpiral, "greetingsSpiral"),
    Row<ClosingCreditsEffect, &Q::closingCredits>(E::closingCredits, "closingCredits"),
};
static_assert(sizeof kEffects / sizeof kEffects[0] == static_cast<std::size_t>(EffectId::Count),
              "one row per effect");

constexpr bool RowsInIdOrder() {
  for (std::size_t i = 0; i < sizeof kEffects / sizeof kEffects[0]; ++i)
    if (static_cast<std::size_t>(kEffects[i].id) != i) return false;
  return true;
}
static_assert(RowsInIdOrder(), "the table is indexed by EffectId");

}  // namespace

const char* EffectName(EffectId id) {
  const int i = static_cast<int>(id);
  return i >= 0 && i < static_cast<int>(EffectId::Count) ? kEffects[i].name : "none";
}

QuorixSystem::QuorixSystem(const Platform& platform)
    : window(std::make_unique<GLWindow>(platform.display, platform.dialog)), platform(platform) {}

// After a completed Setup the window goes first, then the timer and the music;
// nothing after that calls GL: the effects and the texture bank hold no GL
// object to release (the textures go with the context). After a failed Setup
// the failing step has taken down what it made: only memory is released.
QuorixSystem::~QuorixSystem() {
  if (!setUp) return;
  if (window->active) window->Destroy();
  timer.reset();
  if (window->sound && music) music.reset();  // Close() on the player
}

bool QuorixSystem::Setup() {
  if (!Open()) return false;
  Load();
  return true;
}

bool QuorixSystem::Open() {
  window->bits = 32;
  window->fullscreen = false;
  window->sound = true;
  window->width = 640;
  window->height = 480;
  if (!window->ShowSetupDialog()) return false;
  if (!window->Create()) return false;

  timer = std::make_unique<DemoTimer>(platform.clock);
  if (window->sound) {
    music = std::make_unique<MusicPlayer>(platform.audio);
    if (!music->Open("data/Drevko - Lumivane.ogg")) {
      ShowMessageBox("Error while trying to load the tune \nor setting up the sound.", "QuorixSystem",
                     MB::ICONEXCLAMATION);
    }
  }
  paused = false;

  DrawLoadingScreen();
  window->Swap();
  return true;
}

void QuorixSystem::Load() {
  textures = std::make_unique<TextureBank>();
  for (const EffectRow& row : kEffects) row.make(*this);
  InitEffects();
  setUp = true;
}

void QuorixSystem::InitEffects() {
  for (const EffectRow& row : kEffects) row.get(*this)->Init();
  fadeIn->SetParam(FaderEffect::Duration, 1000.0f);
  fadeOut->SetParam(FaderEffect::Duration, 1000.0f);
}

std::unique_ptr<Effect> QuorixSystem::CopyOf(EffectId id) const {
  const int i = static_cast<int>(id);
  return setUp && i >= 0 && i < static_cast<int>(EffectId::Count) ? kEffects[i].copy(*this) : nullptr;
}

Effect* QuorixSystem::EffectFor(EffectId id) const {
  const int i = static_cast<int>(id);
  return i >= 0 && i < static_cast<int>(EffectId::Count) ? kEffects[i].get(*this) : nullptr;
}

void QuorixSystem::Run() {
  Start();
  while (Pass()) {
  }
}

void QuorixSystem::Start() {
  timer->Start();
  if (window->sound) music->Play();
  quit = false;
}

bool QuorixSystem::Pass() {
  WindowEvent event;
  if (platform.display->PollEvent(event)) {
    if (event.kind == WindowEvent::Quit) {
      quit = true;
      ending = Ending::WindowClosed;
    } else {
      window->HandleEvent(event);
    }
  } else {
    HandleKeys();
    if (ending == Ending::ToggleFailed) return false;
    if (ending == Ending::Escape) quit = true;
  }
  DrawFrame();
  if (now > kDemoEndMs) {
    if (ending == Ending::NotEnded) ending = Ending::DemoOver;
    return false;
  }
  return !quit;
}

void QuorixSystem::HandleKeys() {
  bool* key = window->keyDown;
  if (key[VK::F1]) {
    key[VK::F1] = false;
    ToggleFullscreen();
    if (ending == Ending::ToggleFailed) return;
  }
  if (key[VK::F5]) {
    key[VK::F5] = false;
    if (paused) {
      paused = false;
      timer->Resume();
      if (window->sound) music->Resume();
    }
  }
  if (key[VK::F6]) {
    key[VK::F6] = false;
    paused = false;
    timer->Start();
    if (window->sound) music->Play();
  }
  if (key[VK::F8]) {
    key[VK::F8] = false;
    if (!paused) {
      paused = true;
      timer->Pause();
      if (window->sound) music->Pause();
    }
  }
  if (key[VK::F3]) {
    key[VK::F3] = false;
    if (window->sound) music->ChangeVolume(false, 10);
  }
  if (key[VK::F4]) {
    key[VK::F4] = false;
    if (window->sound) music->ChangeVolume(true, 10);
  }
  if (key[VK::ESCAPE] && ending == Ending::NotEnded) ending = Ending::Escape;
}

void QuorixSystem::ToggleFullscreen() {
  window->Destroy();
  window->fullscreen = !window->fullscreen;
  if (!window->Create()) {
    ending = Ending::ToggleFailed;
    return;
  }
  // The new context starts empty: give it the pictures back. Its driver
  // compiles anew for every GL state, so it is warmed up under the loading
  // screen when the first one was (the browser's build warms up neither).
  if (textures) textures->Reload();
  DrawLoadingScreen();
  window->Swap();
  if (warmedUp) WarmUp();
}

bool QuorixSystem::DrawFrame() {
  if (paused) return true;
  now = timer->ElapsedMs();
  if (BarsDrawnAt(now)) ClipScenesToBars();
  for (int i = 0; i < kTimelineRows; ++i) {
    const TimelineRow& row = kTimeline[i];
    switch (row.kind) {
      case TimelineRow::SetParam:
        EffectFor(row.effect)->SetParam(row.which, row.value);
        break;
      case TimelineRow::RenderIn:
        if (row.start < now && now < row.end) EffectFor(row.effect)->Render(now, row.start);
        break;
      case TimelineRow::ResetProjection:
        if (row.start < now && now < row.end) GLWindow::Resize(window->clientWidth, window->clientHeight);
        break;
    }
  }
  window->Swap();
  ++framesDrawn;
  return true;
}
