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
#include "effects/LetterboxEffect.h"
#include "effects/MemberCreditsEffect.h"
#include "effects/NightOceanEffect.h"
#include "effects/PhotoCylinderEffect.h"
#include "effects/PresentsEffect.h"
#include "effects/SpaceFlightEffect.h"
#include "effects/WishingLampEffect.h"
#include "platform/Report.h"
#include "services/DemoTimer.h"
#include "services/MusicPlayer.h"
#include "services/TextureBank.h"
#include "window/GLWindow.h"
#include "window/VirtualKeys.h"

QuorixSystem::QuorixSystem(const Platform& platform)
    : window(new GLWindow(platform.display, platform.dialog)), platform(platform) {}

QuorixSystem::~QuorixSystem() {
  if (window->active) window->Destroy();
  delete timer;
  if (window->sound && music) delete music;
  // The window, the textures and the effects live until the process ends.
}

bool QuorixSystem::Setup() {
  window->bits = 32;
  window->fullscreen = false;
  window->sound = true;
  window->width = 640;
  window->height = 480;
  if (!window->ShowSetupDialog()) return false;
  if (!window->Create()) return false;

  timer = new DemoTimer(platform.clock);
  if (window->sound) {
    music = new MusicPlayer(platform.audio);
    if (!music->Open("data/Drevko - Lumivane.ogg")) {
      ShowMessageBox("Error while trying to load the tune \nor setting up the sound.", "QuorixSystem",
                     MB::ICONEXCLAMATION);
    }
  }
  paused = false;

  DrawLoadingScreen();
  window->Swap();

  textures = new TextureBank();
  letterbox = new LetterboxEffect(textures);
  fadeIn = new FadeInEffect(textures);
  fadeOut = new FadeOutEffect(textures);
  groupLogo = new GroupLogoEffect(textures);
  presentsCaption = new PresentsEffect(textures);
  desertDunes = new DesertDunesEffect(textures);
  nightOcean = new NightOceanEffect(textures);
  flickeringLamp = new FlickeringLampEffect(textures);
  wishingLamp = new WishingLampEffect(textures);
  flower = new FlowerEffect(textures);
  ball = new BallEffect(textures);
  memberCredits = new MemberCreditsEffect(textures);
  industrialGears = new IndustrialGearsEffect(textures);
  fogTunnel = new FogTunnelEffect(textures);
  photoCylinder = new PhotoCylinderEffect(textures);
  spaceFlight = new SpaceFlightEffect(textures);
  greetingsSpiral = new GreetingsSpiralEffect(textures);
  closingCredits = new ClosingCreditsEffect(textures);
  InitEffects();
  return true;
}

void QuorixSystem::InitEffects() {
  for (int i = 0; i < static_cast<int>(EffectId::Count); ++i) EffectFor(static_cast<EffectId>(i))->Init();
  fadeIn->SetParam(1, 1000.0f);
  fadeOut->SetParam(1, 1000.0f);
}

Effect* QuorixSystem::EffectFor(EffectId id) const {
  switch (id) {
    case EffectId::letterbox: return letterbox;
    case EffectId::fadeIn: return fadeIn;
    case EffectId::fadeOut: return fadeOut;
    case EffectId::groupLogo: return groupLogo;
    case EffectId::presentsCaption: return presentsCaption;
    case EffectId::desertDunes: return desertDunes;
    case EffectId::nightOcean: return nightOcean;
    case EffectId::flickeringLamp: return flickeringLamp;
    case EffectId::wishingLamp: return wishingLamp;
    case EffectId::flower: return flower;
    case EffectId::ball: return ball;
    case EffectId::memberCredits: return memberCredits;
    case EffectId::industrialGears: return industrialGears;
    case EffectId::fogTunnel: return fogTunnel;
    case EffectId::photoCylinder: return photoCylinder;
    case EffectId::spaceFlight: return spaceFlight;
    case EffectId::greetingsSpiral: return greetingsSpiral;
    case EffectId::closingCredits: return closingCredits;
    case EffectId::Count: break;
  }
  return nullptr;
}

void QuorixSystem::Run() {
  timer->Start();
  if (window->sound) music->Play();
  bool done = false;
  for (;;) {
    WindowEvent event;
    if (platform.display->PollEvent(event)) {
      if (event.kind == WindowEvent::Quit) {
        done = true;
        ending = Ending::WindowClosed;
      } else {
        window->HandleEvent(event);
      }
    } else {
      HandleKeys();
      if (ending == Ending::ToggleFailed) return;
      if (ending == Ending::Escape) done = true;
    }
    DrawFrame();
    if (now > kDemoEndMs) {
      if (ending == Ending::NotEnded) ending = Ending::DemoOver;
      break;
    }
    if (done) break;
  }
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
  // The new context starts empty: give it the pictures back.
  if (textures) textures->Reload();
}

bool QuorixSystem::DrawFrame() {
  if (paused) return true;
  now = timer->ElapsedMs();
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
