#pragma once
#include <cstdint>
#include <memory>

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

  bool Setup();        // Open, then Load; false when the dialog was cancelled or the window failed
  // Setup in two halves, for a host that must show the loading screen before
  // the loading (a browser shows a frame only between two calls): Open runs
  // the dialog, makes the window and the music and shows the loading screen;
  // Load makes the pictures and the effects.
  bool Open();
  void Load();
  void InitEffects();
  // Draws each scene's first frame once, unseen and without a trace in the
  // demo, so that the GL driver compiles its shaders before the demo starts
  // (and again for the new context of a fullscreen toggle).
  void WarmUp();
  void Run();           // Start, then Pass until it returns false
  // The main loop in two halves, for a host that calls one pass per frame (a
  // browser's animation frames): Start starts the clock and the music; Pass
  // handles one window event or the keys, draws one frame and returns false
  // once the run is over (ending says why).
  void Start();
  bool Pass();
  bool DrawFrame();    // one frame for the current demo time; nothing while paused

  Effect* EffectFor(EffectId id) const;  // null before Setup made the effects
  std::unique_ptr<Effect> CopyOf(EffectId id) const;  // a copy in its current state; null before Setup

  // Made once at start-up and kept until the destructor, in this order
  // (the order of construction and of the Init calls).
  std::unique_ptr<GLWindow> window;
  std::unique_ptr<DemoTimer> timer;
  std::unique_ptr<MusicPlayer> music;  // null when sound is off
  std::int32_t now = 0;                // demo time of the latest frame, ms
  bool paused = false;
  std::unique_ptr<TextureBank> textures;
  std::unique_ptr<LetterboxEffect> letterbox;
  std::unique_ptr<FadeInEffect> fadeIn;
  std::unique_ptr<FadeOutEffect> fadeOut;
  std::unique_ptr<GroupLogoEffect> groupLogo;
  std::unique_ptr<PresentsEffect> presentsCaption;
  std::unique_ptr<DesertDunesEffect> desertDunes;
  std::unique_ptr<NightOceanEffect> nightOcean;
  std::unique_ptr<FlickeringLampEffect> flickeringLamp;
  std::unique_ptr<WishingLampEffect> wishingLamp;
  std::unique_ptr<FlowerEffect> flower;
  std::unique_ptr<BallEffect> ball;
  std::unique_ptr<MemberCreditsEffect> memberCredits;
  std::unique_ptr<IndustrialGearsEffect> industrialGears;
  std::unique_ptr<FogTunnelEffect> fogTunnel;
  std::unique_ptr<PhotoCylinderEffect> photoCylinder;
  std::unique_ptr<SpaceFlightEffect> spaceFlight;
  std::unique_ptr<GreetingsSpiralEffect> greetingsSpiral;
  std::unique_ptr<ClosingCreditsEffect> closingCredits;

  // For the summary line at exit.
  std::int64_t framesDrawn = 0;
  Ending ending = Ending::NotEnded;

 private:
  void HandleKeys();  // returns with ending set when the F1 toggle failed
  void ToggleFullscreen();

  Platform platform;
  bool setUp = false;  // Setup returned true
  bool warmedUp = false;  // WarmUp ran for the first context
  bool quit = false;   // Escape or the window closed: Pass draws this frame and ends
};
