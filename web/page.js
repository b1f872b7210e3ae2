// The page around the demo: the setup dialog as a start screen, the download
// progress, the canvas kept 4:3 at any window size, the keys the browser must
// leave to the demo, fullscreen, the touch bar, the program's message boxes
// and the closing screen. The demo itself is the wasm module (index.js),
// which this script configures through `Module` before it loads; the hooks
// between the two are listed in platform/web/WebHooks.h.
(function () {
  'use strict';
  const $ = (id) => document.getElementById(id);
  const params = new URLSearchParams(location.search);
  // The frame mode (?render=WxH&fps=N&at=...) is a page of its own (frames.js).
  const frameMode = params.has('render');

  const Module = (window.Module = window.Module || {});
  const canvas = $('canvas');
  Module.canvas = canvas;
  Module.print = (text) => console.log(text);
  Module.printErr = (text) => console.warn(text);
  if (frameMode) {
    Module.onRuntimeInitialized = () => window.lumivaneFrameMode(Module);
    return;
  }
  // The demo's keys as Windows virtual-key codes, by KeyboardEvent.key.
  const VK = { F1: 0x70, F3: 0x72, F4: 0x73, F5: 0x74, F6: 0x75, F8: 0x77, Escape: 0x1b };
  // Drawing buffers beyond this many device pixels a side cost more frame
  // rate than the sharpness gives back.
  const kMaxPixelRatio = 2;
  const kMaxBufferHeight = 1440;

  const page = {
    state: 'setup',  // setup | waiting (Start before the data) | running | closing
    ready: false,    // the module is loaded and its data is in
    choice: null,    // {width, height, fullscreen, sound} of the current or last run
    paused: false,   // as the demo has it, for the tap on touch screens
    fullscreenLeftAt: -1e9,  // performance.now() when the browser last left fullscreen
    messages: [],    // message boxes waiting for the one shown to be closed
    ranOnce: false,
  };
  window.lumivanePage = page;  // for the page's tests

  // ---- Screens -------------------------------------------------------------

  function show(state) {
    page.state = state;
    $('setup').hidden = state !== 'setup';
    $('loading').hidden = state !== 'waiting';
    $('closing').hidden = state !== 'closing';
    $('stage').hidden = state !== 'running' && state !== 'waiting';
    $('touchbar').hidden = !(state === 'running' && page.touch);
    document.body.style.cursor = state === 'running' ? 'none' : '';
    if (state === 'setup') $('start').focus();
    if (state === 'closing') $('again').focus();
    if (state === 'running') canvas.focus();
    layout();
  }

  function readChoice() {
    const form = $('setup');
    const [width, height] = form.elements.size.value.split('x').map(Number);
    return {
      width,
      height,
      fullscreen: form.elements.fullscreen.checked,
      sound: !form.elements.nosound.checked,
    };
  }

  function start(choice) {
    page.choice = choice;
    if (choice.fullscreen) enterFullscreen();
    // Inside the click or key press: the one moment a browser lets a page
    // start sound.
    if (choice.sound) Module.lumivaneAudio.prepare();
    else Module.lumivaneAudio.release();
    if (!page.ready) {
      show('waiting');
      return;
    }
    run();
  }

  function run() {
    page.paused = false;
    page.ranOnce = true;
    show('running');
    const c = page.choice;
    Module._lumivane_start(c.width, c.height, c.fullscreen ? 1 : 0, c.sound ? 1 : 0);
  }

  function quit(text) {
    Module.lumivaneAudio.release();
    leaveFullscreen();
    $('closing-text').textContent = text;
    show('closing');
  }

  const kEndings = {
    'demo-over': 'The demo is over. Thanks for watching.',
    'setup-failed': 'The demo could not start in this browser.',
    'toggle-failed': 'The demo lost its picture when it changed to or from fullscreen.',
  };
  Module.lumivaneEnded = function (reason) {
    quit(kEndings[reason] || 'Thanks for watching.');
  };

  $('setup').addEventListener('submit', (event) => {
    event.preventDefault();
    if (page.state === 'setup') start(readChoice());
  });
  $('quit').addEventListener('click', () => page.state === 'setup' && quit('See you next time.'));
  $('setup').addEventListener('keydown', (event) => {
    if (event.key === 'Escape') {
      event.preventDefault();
      quit('See you next time.');
    } else if (event.key === 'Tab') {
      // The dialog's order goes round: after Fullscreen comes Start again.
      const form = $('setup');
      const ends = event.shiftKey ? [$('start'), form.elements.fullscreen] : [form.elements.fullscreen, $('start')];
      if (document.activeElement === ends[0]) {
        event.preventDefault();
        ends[1].focus();
      }
    } else if (event.key === 'Enter' && document.activeElement !== $('quit')) {
      // Enter on any control but Quit is Start, as in the program's dialog.
      event.preventDefault();
      if (page.state === 'setup') start(readChoice());
    }
  });
  $('again').addEventListener('click', () => {
    if (page.ranOnce) start(page.choice);
    else show('setup');
  });

  // ---- Loading -------------------------------------------------------------

  function progress(fraction, text) {
    for (const [bar, label] of [['download-bar', 'download-text'], ['loading-bar', 'loading-text']]) {
      $(bar).value = fraction;
      $(label).textContent = text;
    }
  }

  const megabytes = (bytes) => (bytes / 1048576).toFixed(1);
  Module.setStatus = function (status) {
    // The data package reports "Downloading data... (loaded/total)".
    const m = /\((\d+)\/(\d+)\)/.exec(status || '');
    if (m) {
      const loaded = Number(m[1]), total = Number(m[2]);
      // A compressed transfer may count its bytes against the unpacked size.
      const fraction = total > 0 ? Math.min(1, loaded / total) : 0;
      progress(fraction, `Downloading data… ${megabytes(loaded)} of ${megabytes(total)} MB`);
    }
  };

  function whenReady() {
    page.ready = true;
    progress(1, 'Ready.');
    $('download').hidden = true;
    if (page.state === 'waiting') run();
  }
  const initialised = Module.onRuntimeInitialized;
  Module.onRuntimeInitialized = function () {
    if (initialised) initialised();
    whenReady();
  };

  // ---- The canvas at any window size ---------------------------------------

  // The largest 4:3 box in a w x h area.
  function fit(w, h) {
    const height = Math.min(h, Math.floor((w * 3) / 4));
    return { width: Math.floor((height * 4) / 3), height };
  }

  // Where the canvas goes (CSS pixels) and how many pixels it draws.
  function placement() {
    const c = page.choice;
    const areaW = window.innerWidth, areaH = window.innerHeight;
    if (c && c.width > 0) {
      // A chosen size draws that many pixels and shows them at their own size
      // like a window, smaller when the browser window is; fullscreen fills
      // the screen with them.
      const box = document.fullscreenElement ? fit(areaW, areaH)
                                             : fit(Math.min(areaW, c.width), Math.min(areaH, c.height));
      return {box, buffer: {width: c.width, height: c.height}};
    }
    const box = fit(areaW, areaH);
    const ratio = Math.min(window.devicePixelRatio || 1, kMaxPixelRatio);
    const buffer = fit(Math.round(box.width * ratio), Math.min(kMaxBufferHeight, Math.round(box.height * ratio)));
    return {box, buffer};
  }

  // The demo asks for the pixels when it opens its window and on every resize.
  Module.lumivaneCanvasSize = () => {
    const {buffer} = placement();
    return [Math.max(4, buffer.width), Math.max(3, buffer.height)];
  };

  function layout() {
    const {box} = placement();
    canvas.style.width = box.width + 'px';
    canvas.style.height = box.height + 'px';
  }
  window.addEventListener('resize', layout);
  // A change of the device pixel ratio (zoom, another screen) is no resize.
  (function watchRatio() {
    const query = matchMedia(`(resolution: ${window.devicePixelRatio || 1}dppx)`);
    // The demo follows window resizes; a new ratio is passed on as one.
    query.addEventListener('change', () => { window.dispatchEvent(new Event('resize')); watchRatio(); }, { once: true });
  })();

  // ---- Fullscreen ----------------------------------------------------------

  function enterFullscreen() {
    const root = document.documentElement;
    if (!document.fullscreenElement && root.requestFullscreen)
      root.requestFullscreen({ navigationUI: 'hide' }).catch(() => {});
  }
  function leaveFullscreen() {
    if (document.fullscreenElement) document.exitFullscreen().catch(() => {});
  }
  function toggleFullscreen() {
    if (document.fullscreenElement) leaveFullscreen();
    else enterFullscreen();
  }
  document.addEventListener('fullscreenchange', () => {
    if (!document.fullscreenElement) page.fullscreenLeftAt = performance.now();
    layout();
  });

  // ---- Keys ----------------------------------------------------------------

  function sendKey(vk) {
    if (!Module._lumivane_key) return;
    Module._lumivane_key(vk, 1);
    Module._lumivane_key(vk, 0);
  }

  // Capture phase on the window: this runs before the module's own handlers.
  window.addEventListener('keydown', (event) => {
    if (!$('message').hidden) {
      // A message box takes the keys while it is up: Enter, Space and Escape close it.
      if (event.key === 'Enter' || event.key === 'Escape' || event.key === ' ') $('message-ok').click();
      if (event.key !== 'Tab') event.preventDefault();
      event.stopImmediatePropagation();
      return;
    }
    if (page.state === 'waiting' && event.key === 'Escape') {
      event.preventDefault();
      quit('See you next time.');  // Start is called off: nothing runs once the data is in
      return;
    }
    if (page.state !== 'running' || event.ctrlKey || event.altKey || event.metaKey) return;
    const vk = VK[event.key];
    if (!vk) return;
    // F1 help, F3 find, F5 reload, Escape's stop: none of them while the demo runs.
    event.preventDefault();
    if (event.key === 'Escape' && (document.fullscreenElement || performance.now() - page.fullscreenLeftAt < 500)) {
      // Escape in fullscreen leaves fullscreen, as the browser itself does
      // with it (a browser that does so may or may not pass the key on); the
      // demo goes on in the window, and the next Escape quits.
      leaveFullscreen();
      event.stopImmediatePropagation();
      return;
    }
    if (event.key === 'F1') {
      // Fullscreen needs the key press itself; the demo's window follows the canvas.
      if (!event.repeat) toggleFullscreen();
      event.stopImmediatePropagation();
      return;
    }
    if (event.key === 'F8') page.paused = true;
    if (event.key === 'F5' || event.key === 'F6') page.paused = false;
  }, true);
  window.addEventListener('keyup', (event) => {
    if (page.state === 'running' && VK[event.key]) event.preventDefault();
  }, true);

  // ---- Touch ---------------------------------------------------------------

  page.touch = matchMedia('(pointer: coarse)').matches;
  canvas.addEventListener('pointerdown', (event) => {
    if (event.pointerType !== 'touch' || page.state !== 'running') return;
    if (!page.touch) {
      page.touch = true;
      $('touchbar').hidden = false;
    }
    page.paused = !page.paused;
    sendKey(page.paused ? VK.F8 : VK.F5);
  });
  $('touch-restart').addEventListener('click', () => {
    page.paused = false;
    sendKey(VK.F6);
  });
  $('touch-fullscreen').addEventListener('click', toggleFullscreen);

  // ---- Message boxes -------------------------------------------------------

  // The program's boxes, with its caption and text and an OK button; the
  // demo goes on behind them.
  Module.lumivaneMessage = function (caption, text, style) {
    page.messages.push({ caption, text, style: style >>> 0 });
    if (page.messages.length === 1) showMessage();
  };

  Module.lumivaneMessageOpen = () => page.messages.length > 0;

  function showMessage() {
    const box = page.messages[0];
    if (!box) {
      $('message').hidden = true;
      if (page.state === 'running') canvas.focus();
      return;
    }
    const icon = box.style & 0xf0;
    $('message-caption').textContent = box.caption;
    $('message-text').textContent = box.text;
    $('message-icon').className =
      'icon ' + (icon === 0x10 ? 'stop' : icon === 0x30 ? 'warning' : icon === 0x40 ? 'information' : '');
    $('message').hidden = false;
    $('message-ok').focus();
  }
  $('message-ok').addEventListener('click', () => {
    page.messages.shift();
    showMessage();
  });

  // Sound that the browser will not start: the program's own music warning,
  // and the demo plays on without it.
  Module.lumivaneAudio.onBlocked = () =>
    Module.lumivaneMessage('QuorixSystem', 'Error while trying to load the tune \nor setting up the sound.', 0x30);

  show('setup');
})();
