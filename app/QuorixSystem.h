#pragma once
#include <cstdint>

#include "app/Timeline.h"
#include "platform/Platform.h"

class GLWindow;
class DemoTimer;
class MusicPlayer;
class TextureBank;
class Effect;
class LetterboxEffect;
class FadeInEffect;
class FadeOutEffect;
class GroupLogoEffect;
class PresentsEffect;
class DesertDunesEffect;
class NightOceanEffect;
class FlickeringLampEffect;
class WishingLampEffect;
class FlowerEffect;
class BallEffect;
class MemberCreditsEffect;
class IndustrialGearsEffect;
class FogTunnelEffect;
class PhotoCylinderEffect;
class SpaceFlightEffect;
class GreetingsSpiralEffect;
class ClosingCreditsEffect;

// The demo application: start-up, the main loop with its control keys, and
// one frame of the timeline per pass.
class QuorixSystem {
 public:
  enum class Ending { NotEnded, DemoOver, Escape, WindowClosed, ToggleFailed };

  explicit QuorixSystem(const Platform& platform);
  ~QuorixSystem();
  QuorixSystem(const QuorixSystem&) = delete;
  QuorixSystem& operator=(const QuorixSystem&) = delete;

  bool Setup();        // false when the dialog was cancelled or the window failed
  void InitEffects();
  void Run();
  bool DrawFrame();    // one frame for the current demo time; nothing while paused

  Effect* EffectFor(EffectId id) const;

  GLWindow* window;
  DemoTimer* timer = nullptr;
  MusicPlayer* music = nullptr;  // null when sound is off
  std::int32_t now = 0;          // demo time of the latest frame, ms
  bool paused = false;
  TextureBank* textures = nullptr;
  LetterboxEffect* letterbox = nullptr;
  FadeInEffect* fadeIn = nullptr;
  FadeOutEffect* fadeOut = nullptr;
  GroupLogoEffect* groupLogo = nullptr;
  PresentsEffect* presentsCaption = nullptr;
  DesertDunesEffect* desertDunes = nullptr;
  NightOceanEffect* nightOcean = nullptr;
  FlickeringLampEffect* flickeringLamp = nullptr;
  WishingLampEffect* wishingLamp = nullptr;
  FlowerEffect* flower = nullptr;
  BallEffect* ball = nullptr;
  MemberCreditsEffect* memberCredits = nullptr;
  IndustrialGearsEffect* industrialGears = nullptr;
  FogTunnelEffect* fogTunnel = nullptr;
  PhotoCylinderEffect* photoCylinder = nullptr;
  SpaceFlightEffect* spaceFlight = nullptr;
  GreetingsSpiralEffect* greetingsSpiral = nullptr;
  ClosingCreditsEffect* closingCredits = nullptr;

  // For the summary line at exit.
  std::int64_t framesDrawn = 0;
  Ending ending = Ending::NotEnded;

 private:
  void HandleKeys();  // returns with ending set when the F1 toggle failed
  void ToggleFullscreen();

  Platform platform;
};
