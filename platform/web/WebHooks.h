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
//   lumivane_demo_ms(): the demo time of the run in ms (-1 before its clock
//     started); the page's tests compare the audio clock with it.
//   lumivane_key(vk, down): the key with this Windows virtual-key code goes
//     down (1) or up (0), as from the keyboard (the page's touch bar).
// Called by the demo when the page defines them (on Module):
//   lumivaneMessage(caption, text, style): every message box (style: the MB
//     flags); without it the text goes to console.log.
//   lumivaneMessageOpen(): true while a box is open; the demo's clock and
//     music start only once it is closed, as a native box holds the start-up.
//   lumivaneCanvasSize(): [width, height], the pixels the canvas draws when it
//     fits the window; with it the page also places the canvas (CSS size).
//   lumivaneAudio: the page's Web Audio side of WebAudioOut (web/audio.js).
//   lumivaneEnded(reason): a run ended ("demo-over", "escape",
//     "window-closed", "toggle-failed", "setup-failed") after it released its
//     GL objects.
extern "C" {
int lumivane_start(int width, int height, int fullscreen, int sound);
int lumivane_render(int width, int height, int fps, int from, const char* at);
int lumivane_demo_ms();
void lumivane_key(int key, int down);
}
