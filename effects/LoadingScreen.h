#pragma once

// Draws the loading picture "data/load.png" as a centred square; the caller swaps.
void DrawLoadingScreen();
