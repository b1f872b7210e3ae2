// The browser's side of the demo's audio device (platform/web/WebAudioOut.cpp).
//
// The page makes the AudioContext inside the Start click, the user gesture a
// browser wants before it plays sound, and suspends it at once: it runs from
// the moment the sound layer starts the device, together with the demo clock,
// and is suspended while the demo is paused.
//
// The page's thread pulls interleaved 16-bit stereo from the sound layer in
// wasm, the pull the native program's audio thread makes, a little ahead of
// time, and lays it out in short buffers at exact times of the context's
// clock (AudioBufferSourceNode). So the moment each frame of the tune is heard
// is known, and it is the moment the demo clock reaches it: the tune's frame f
// is heard when the demo clock shows f / 44100 s. When the two part by more
// than a few milliseconds (the context resumes a moment late, or runs on a
// moment after it is told to suspend), what is laid out is stopped and laid
// out again from the right frame, taken from the last seconds of the tune
// kept here. The demo clock going back means a restart (F6): the sound layer
// starts the tune again in the same pass. Volume changes are heard once the
// buffers laid out before them have played: one and a half times the longest
// wait between two turns of the page's thread in the last ten seconds, from
// 0.15 s (a fast machine) up to 1 s (software rendering on a busy one), so
// that a slow frame leaves no gap.
(function () {
  'use strict';
  const kChunkFrames = 1024;   // 23 ms a buffer
  const kMinAheadS = 0.15, kMaxAheadS = 1.0;
  const kToleranceS = 0.008;   // the tune and the demo clock part by no more than this
  const kKeptFrames = 44100 * 2;  // the last two seconds of the tune, to lay out again

  const audio = {
    context: null,
    rate: 0,
    pull: null,          // function(frameCount) -> Int16Array view of that many stereo frames
    demoMs: null,        // function() -> the demo clock in ms, -1 before it runs
    started: false,
    held: false,
    blocked: false,      // the browser would not let the context run
    timer: 0,
    // The tune pulled so far: frames [keptFrom, pulledTo) are kept in `left`/`right` (a ring).
    left: null, right: null, keptFrom: 0, pulledTo: 0,
    // What is laid out: {node, at (context s), from, to (tune frames)}, contiguous.
    laid: [],
    lastDemo: -1,
    turns: [],           // {at, wait} (page ms) of the last ten seconds of calls to feed
    stats: { buffers: 0, relaid: 0, underruns: 0, restarts: 0 },

    // In the Start click: a context of the browser's own, suspended until the
    // demo starts. False when the browser has no Web Audio.
    prepare() {
      this.release();
      const Context = window.AudioContext || window.webkitAudioContext;
      if (!Context) return false;
      try {
        this.context = new Context({ sampleRate: 44100, latencyHint: 'playback' });
      } catch (e) {
        try { this.context = new Context(); } catch (e2) { this.context = null; return false; }
      }
      // resume() inside the gesture unlocks the context; it is suspended again
      // straight after, so its clock waits for the demo.
      this.context.resume().catch(() => {});
      this.context.suspend().catch(() => {});
      return true;
    },

    // From WebAudioOut::Open: false when there is no context, so the program
    // shows its music warning and plays silent.
    open(rate, pull, demoMs) {
      if (!this.context || this.context.state === 'closed' || this.context.sampleRate !== rate) return false;
      this.close();
      this.rate = rate;
      this.pull = pull;
      this.demoMs = demoMs;
      this.started = false;
      this.held = false;
      this.blocked = false;
      this.left = new Float32Array(kKeptFrames);
      this.right = new Float32Array(kKeptFrames);
      this.keptFrom = this.pulledTo = 0;
      this.laid = [];
      this.lastDemo = -1;
      this.turns = [];
      this.stats = { buffers: 0, relaid: 0, underruns: 0, restarts: 0 };
      return true;
    },

    start() {
      if (!this.pull || this.started) return;
      this.started = true;
      // The first frames of a run are the slowest; until the page's thread has
      // shown its pace, lay out half a second ahead.
      this.turns = [{ at: performance.now(), wait: 333 }];
      // Laid out between the demo's frames as well as after each.
      this.timer = setInterval(() => this.feed(), 20);
      const frame = () => { if (this.started) { this.feed(); requestAnimationFrame(frame); } };
      requestAnimationFrame(frame);
      if (!this.held) this.run();
    },

    // Pause (true) and resume (false) of the demo's one channel.
    hold(held) {
      if (!this.pull) return;
      this.held = held;
      if (!this.started) return;
      if (held) {
        this.stopLaid(this.context.currentTime);  // silent at once, not once the context has stopped
        this.context.suspend().catch(() => {});
      } else {
        this.run();
      }
    },

    run() {
      const context = this.context;
      context.resume().then(() => this.feed()).catch(() => {});
      // A context that stays suspended was blocked by the autoplay policy.
      setTimeout(() => {
        if (this.context === context && this.started && !this.held && context.state !== 'running' && !this.blocked) {
          this.blocked = true;
          if (this.onBlocked) this.onBlocked();
        }
      }, 1000);
    },

    close() {
      if (this.timer) clearInterval(this.timer);
      this.timer = 0;
      if (this.context) this.stopLaid(0);
      this.pull = null;
      this.started = false;
    },

    release() {
      this.close();
      if (this.context) this.context.close().catch(() => {});
      this.context = null;
    },

    // The context's time of what is heard now, and the page's clock (ms) of
    // a context time.
    timing() {
      const context = this.context;
      const stamp = context.getOutputTimestamp ? context.getOutputTimestamp() : null;
      const now = performance.now();
      if (!stamp || !stamp.performanceTime) {
        return { heard: context.currentTime, toContext: (ms) => context.currentTime + (ms - now) / 1000 };
      }
      const running = context.state === 'running';
      return {
        heard: running ? stamp.contextTime + (now - stamp.performanceTime) / 1000 : stamp.contextTime,
        toContext: (ms) => stamp.contextTime + (ms - stamp.performanceTime) / 1000,
      };
    },

    // Seconds into the tune of what is heard now; null when nothing plays.
    clock() {
      if (!this.context || !this.started || this.context.state !== 'running') return null;
      const heard = this.timing().heard;
      for (const b of this.laid) {
        if (b.at <= heard && heard < b.at + (b.to - b.from) / this.rate) return b.from / this.rate + (heard - b.at);
      }
      return null;
    },

    // Everything laid out falls silent at context time `when` (0: at once).
    stopLaid(when) {
      for (const b of this.laid) {
        try { b.node.stop(when); } catch (e) { /* already stopped */ }
        if (when === 0 || b.at >= when) b.node.disconnect();
        else b.to = Math.min(b.to, b.from + Math.round((when - b.at) * this.rate));
      }
      this.laid = this.laid.filter((b) => b.at < when && when !== 0);
    },

    // The tune up to frame `to` pulled from the sound layer and kept.
    pullTo(to) {
      while (this.pulledTo < to) {
        const count = Math.min(to - this.pulledTo, kChunkFrames);
        const pcm = this.pull(count);
        for (let i = 0; i < count; i++) {
          const at = (this.pulledTo + i) % kKeptFrames;
          this.left[at] = pcm[2 * i] / 32768;
          this.right[at] = pcm[2 * i + 1] / 32768;
        }
        this.pulledTo += count;
      }
      this.keptFrom = Math.max(this.keptFrom, this.pulledTo - kKeptFrames);
    },

    layOut(at, from, to) {
      const buffer = this.context.createBuffer(2, to - from, this.rate);
      const left = buffer.getChannelData(0), right = buffer.getChannelData(1);
      for (let f = from; f < to; f++) {
        if (f < this.keptFrom) continue;  // older than what is kept: silence
        left[f - from] = this.left[f % kKeptFrames];
        right[f - from] = this.right[f % kKeptFrames];
      }
      const node = this.context.createBufferSource();
      node.buffer = buffer;
      node.connect(this.context.destination);
      node.start(at);
      this.laid.push({ node, at, from, to });
      this.stats.buffers++;
    },

    // How far ahead to lay out: the page's thread must come back before it has played.
    ahead() {
      const now = performance.now();
      const last = this.turns.length ? this.turns[this.turns.length - 1].at : now;
      this.turns.push({ at: now, wait: now - last });
      while (this.turns[0].at < now - 10000) this.turns.shift();
      const longest = Math.max(...this.turns.map((t) => t.wait)) / 1000;
      return Math.min(kMaxAheadS, Math.max(kMinAheadS, 1.5 * longest));
    },

    feed() {
      if (!this.pull || !this.started || this.held || this.context.state !== 'running') {
        // A pause is no slow frame: the next wait counts from now.
        if (this.turns.length) this.turns[this.turns.length - 1].at = performance.now();
        return;
      }
      const ahead = this.ahead();
      const demo = this.demoMs();
      if (demo < 0) return;
      const rate = this.rate;
      const time = this.timing();
      if (demo < this.lastDemo) {
        // F6: the sound layer gives the tune from its first frame again.
        this.stats.restarts++;
        this.keptFrom = this.pulledTo = 0;
        this.stopLaid(time.heard + 0.01);
        this.laid = [];
      }
      this.lastDemo = demo;
      // The context time at which the tune's frame 0 is to be heard: the demo
      // clock read now, at the page's time now.
      const zero = time.toContext(performance.now()) - demo / 1000;
      const heard = time.heard;
      this.laid = this.laid.filter((b) => b.at + (b.to - b.from) / rate > heard - 1);
      const last = this.laid[this.laid.length - 1];
      const lastEnd = last ? last.at + (last.to - last.from) / rate : 0;
      let at, from;
      if (last && lastEnd > heard && Math.abs(last.at - last.from / rate - zero) <= kToleranceS) {
        at = lastEnd;
        from = last.to;
      } else {
        // Nothing laid out, or laid out off the clock: again from a moment
        // ahead, at the frame the clock will show then.
        if (last && lastEnd <= heard) this.stats.underruns++;
        else if (last) this.stats.relaid++;
        at = Math.max(heard, this.context.currentTime) + 0.02;
        this.stopLaid(at);
        from = Math.max(0, Math.round((at - zero) * rate));
        at = zero + from / rate;
      }
      while (at < heard + ahead) {
        const to = from + kChunkFrames;
        this.pullTo(to);
        this.layOut(at, from, to);
        at += kChunkFrames / rate;
        from = to;
      }
    },
  };

  window.Module = window.Module || {};
  window.Module.lumivaneAudio = audio;
})();
