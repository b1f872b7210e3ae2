// The browser's side of the demo's audio device (platform/web/WebAudioOut.cpp).
//
// The page makes the AudioContext inside the Start click, the user gesture a
// browser wants before it plays sound, and suspends it at once: the context's
// clock stands still until the sound layer starts the device together with
// the demo clock. A ScriptProcessorNode pulls interleaved 16-bit stereo from
// the sound layer in wasm, on the page's thread, the same pull the native
// program's audio thread makes. Pausing the demo suspends the context, so the
// context's clock stops with the demo clock and what sits in the node's buffer
// plays on where it stopped.
//
// The node fills a buffer ahead of the one playing. Each buffer comes with the
// context time it will be played at; when the page's thread was too busy to
// fill one in time, the tune would fall behind the context's clock, so the
// pull catches up by the frames that were missed.
(function () {
  'use strict';
  const kBufferFrames = 2048;  // 46 ms at 44100 Hz, as the native device

  const audio = {
    context: null,
    node: null,
    rate: 0,
    pull: null,          // function(frameCount) -> Int16Array view of that many stereo frames
    started: false,
    held: false,
    blocked: false,      // the browser would not let the context run
    framesPulled: 0,     // since start, counting the ones dropped to catch up
    startTime: 0,        // context time when the device started
    firstPlayback: 0,    // context time the first pulled buffer plays at
    stats: { buffers: 0, late: 0, droppedFrames: 0 },

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
    open(rate, pull) {
      if (!this.context || this.context.state === 'closed') return false;
      this.rate = rate;
      this.pull = pull;
      this.started = false;
      this.held = false;
      this.blocked = false;
      this.framesPulled = 0;
      this.stats = { buffers: 0, late: 0, droppedFrames: 0 };
      const node = this.context.createScriptProcessor(kBufferFrames, 0, 2);
      node.onaudioprocess = (event) => this.process(event);
      node.connect(this.context.destination);
      this.node = node;
      return true;
    },

    start() {
      if (!this.node || this.started) return;
      this.started = true;
      this.startTime = this.context.currentTime;
      this.framesPulled = 0;
      if (!this.held) this.run();
    },

    // Pause (true) and resume (false) of the demo's one channel.
    hold(held) {
      if (!this.node) return;
      this.held = held;
      if (!this.started) return;
      if (held) this.context.suspend().catch(() => {});
      else this.run();
    },

    run() {
      const context = this.context;
      context.resume().catch(() => {});
      // A context that stays suspended was blocked by the autoplay policy.
      setTimeout(() => {
        if (this.context === context && this.started && !this.held && context.state !== 'running' && !this.blocked) {
          this.blocked = true;
          if (this.onBlocked) this.onBlocked();
        }
      }, 1000);
    },

    close() {
      if (this.node) {
        this.node.onaudioprocess = null;
        this.node.disconnect();
        this.node = null;
      }
      this.pull = null;
      this.started = false;
    },

    release() {
      this.close();
      if (this.context) this.context.close().catch(() => {});
      this.context = null;
    },

    // Seconds of tune the device has played since start, on the context's clock.
    clock() {
      if (!this.context || !this.started) return 0;
      return this.context.currentTime - this.startTime;
    },

    process(event) {
      const out = event.outputBuffer;
      const left = out.getChannelData(0), right = out.getChannelData(1);
      const frames = out.length;
      if (!this.pull || !this.started || this.held) {
        left.fill(0);
        right.fill(0);
        return;
      }
      if (this.stats.buffers++ === 0) this.firstPlayback = event.playbackTime;
      // Where this buffer sits on the context's clock, in frames after the first.
      const due = Math.round((event.playbackTime - this.firstPlayback) * this.rate);
      const missed = due - this.framesPulled;
      if (missed >= frames) {
        // Buffers went by unfilled: drop the tune they should have played.
        this.stats.late++;
        let skip = missed - (missed % frames);
        this.stats.droppedFrames += skip;
        this.framesPulled += skip;
        while (skip > 0) {
          const n = Math.min(skip, frames);
          this.pull(n);
          skip -= n;
        }
      }
      const pcm = this.pull(frames);
      this.framesPulled += frames;
      for (let i = 0; i < frames; i++) {
        left[i] = pcm[2 * i] / 32768;
        right[i] = pcm[2 * i + 1] / 32768;
      }
    },
  };

  window.Module = window.Module || {};
  window.Module.lumivaneAudio = audio;
})();
