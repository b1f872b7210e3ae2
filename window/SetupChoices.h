#pragma once
#include "platform/Platform.h"

class GLWindow;

// The dialog's initial choices: fullscreen, 800 x 600, 32 bit, sound on.
SetupControls InitialSetupControls();

// Writes the checked controls into the window's settings, in the dialog's
// order: No Sound, Fullscreen, 640, 800, 1024, 16 bit, 32 bit; then a size of
// the caller's own and the kind of fullscreen.
void ApplySetupControls(const SetupControls& controls, GLWindow& window);
