#include "window/SetupChoices.h"

#include "window/GLWindow.h"

SetupControls InitialSetupControls() {
  SetupControls controls;
  controls.fullscreen = true;
  controls.res800 = true;
  controls.bits32 = true;
  return controls;
}

void ApplySetupControls(const SetupControls& controls, GLWindow& window) {
  window.sound = !controls.noSound;
  window.fullscreen = controls.fullscreen;
  if (controls.res640) window.width = 640, window.height = 480;
  if (controls.res800) window.width = 800, window.height = 600;
  if (controls.res1024) window.width = 1024, window.height = 768;
  if (controls.bits16) window.bits = 16;
  if (controls.bits32) window.bits = 32;
  if (controls.width > 0 && controls.height > 0) window.width = controls.width, window.height = controls.height;
  window.desktop = controls.desktop;
}
