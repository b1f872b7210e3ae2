#include <gtest/gtest.h>

#include "platform/SdlPlatform.h"
#include "platform/VirtualKeys.h"
#include "window/GLWindow.h"

TEST(KeyMap, SdlKeysBecomeWindowsVirtualKeyCodes) {
  EXPECT_EQ(SdlDisplay::VirtualKey(SDLK_F1), 0x70);
  EXPECT_EQ(SdlDisplay::VirtualKey(SDLK_F3), 0x72);
  EXPECT_EQ(SdlDisplay::VirtualKey(SDLK_F4), 0x73);
  EXPECT_EQ(SdlDisplay::VirtualKey(SDLK_F5), 0x74);
  EXPECT_EQ(SdlDisplay::VirtualKey(SDLK_F6), 0x75);
  EXPECT_EQ(SdlDisplay::VirtualKey(SDLK_F8), 0x77);
  EXPECT_EQ(SdlDisplay::VirtualKey(SDLK_F12), 0x7B);
  EXPECT_EQ(SdlDisplay::VirtualKey(SDLK_ESCAPE), 0x1B);
  EXPECT_EQ(SdlDisplay::VirtualKey(SDLK_a), 'A');
  EXPECT_EQ(SdlDisplay::VirtualKey(SDLK_z), 'Z');
  EXPECT_EQ(SdlDisplay::VirtualKey(SDLK_0), '0');
  EXPECT_EQ(SdlDisplay::VirtualKey(SDLK_9), '9');
  EXPECT_EQ(SdlDisplay::VirtualKey(SDLK_LEFT), 0x25);
  EXPECT_EQ(SdlDisplay::VirtualKey(SDLK_DOWN), 0x28);
}

TEST(KeyMap, KeysWithoutACodeAreIgnoredSafely) {
  EXPECT_EQ(SdlDisplay::VirtualKey(SDLK_VOLUMEUP), 0);
  EXPECT_EQ(SdlDisplay::VirtualKey(SDLK_UNKNOWN), 0);
  SdlDisplay display;
  GLWindow window(&display, nullptr);
  WindowEvent event;
  event.kind = WindowEvent::KeyDown;
  event.key = 0;
  window.HandleEvent(event);
  event.key = 300;  // out of range: never written
  window.HandleEvent(event);
  for (bool down : window.keyDown) EXPECT_FALSE(down);
  event.key = VK::F8;
  window.HandleEvent(event);
  EXPECT_TRUE(window.keyDown[VK::F8]);
  event.kind = WindowEvent::KeyUp;
  window.HandleEvent(event);
  EXPECT_FALSE(window.keyDown[VK::F8]);
}

TEST(KeyMap, ActivationFollowsTheMinimisedFlagOnly) {
  SdlDisplay display;
  GLWindow window(&display, nullptr);
  WindowEvent event;
  event.kind = WindowEvent::Activate;
  event.minimized = false;  // another window clicked: still active
  window.HandleEvent(event);
  EXPECT_TRUE(window.active);
  event.minimized = true;
  window.HandleEvent(event);
  EXPECT_FALSE(window.active);
  event.minimized = false;
  window.HandleEvent(event);
  EXPECT_TRUE(window.active);
}
