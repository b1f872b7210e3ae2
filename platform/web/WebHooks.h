#pragma once
// The browser page's hooks into the demo (the web build only).
//
// Called by the page (exported C functions):
//   lumivane_start(width, height, fullscreen, sound): starts a run with these
//     setup choices (width = height = 0: fit the window), with the native
//     start-up (setup, loading screen) and then one main-loop pass per
//     animation frame. Callable again after a run has ended. Returns 0 when
//     the run started, 1 when a run is going or the start failed.
//   lumivane_render(width, height, fps, from, at): the frame mode; steps the
//     demo clock as lumivane-render --size WxH --fps N --from MS --at LIST does, drawing
//     every frame, and hands each chosen frame to Module.lumivaneFrame(index,
//     pixels, width, height) (RGBA rows bottom-up, valid during the call),
//     then calls Module.lumivaneFramesDone(). `at` is "MS,MS,...".
// Called by the demo when the page defines them (on Module):
//   lumivaneMessage(caption, text, style): every message box (style: the MB
//     flags); without it the text goes to console.log.
//   lumivaneEnded(reason): a run ended ("demo-over", "escape",
//     "window-closed", "toggle-failed", "setup-failed") after it released its
//     GL objects.
extern "C" {
int lumivane_start(int width, int height, int fullscreen, int sound);
int lumivane_render(int width, int height, int fps, int from, const char* at);
}
