// Plays the whole demo with sound in headless Chromium and reports how far
// the tune heard was from the demo clock (every half second, against the
// browser's output timestamps), the page's load and start times, and what
// ten presses of F3 did to the loudness. A measurement, not a test.
// Usage (after ./web.sh --build-only): node tools/web-sound-drift.js build-web/site
'use strict';
const path = require('path');
const {serve, launch, watchedPage} = require(path.join(__dirname, '../tests/web/harness'));

const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

(async () => {
  const {server, origin} = await serve(process.argv[2] || 'build-web/site');
  const browser = await launch();
  try {
    const page = await watchedPage(browser, origin, {width: 800, height: 600});
    const loading = Date.now();
    await page.goto(origin + '/');
    await page.waitForFunction(() => window.lumivanePage && window.lumivanePage.ready, {timeout: 120000});
    const readyMs = Date.now() - loading;
    await page.click('#start');
    const starting = Date.now();
    await page.waitForFunction(() => Module._lumivane_demo_ms() >= 0, {timeout: 60000, polling: 10});
    const startMs = Date.now() - starting;
    // The loudest sample of what is laid out last.
    const peak = () => page.evaluate(() => {
      let most = 0;
      for (const b of Module.lumivaneAudio.laid.slice(-4)) for (const v of b.node.buffer.getChannelData(0)) most = Math.max(most, Math.abs(v));
      return most;
    });
    const offsets = [];
    let volume = null;
    for (;;) {
      const s = await page.evaluate(() => ({
        heard: Module.lumivaneAudio.clock(), demo: Module._lumivane_demo_ms(), state: window.lumivanePage.state,
      }));
      if (s.state !== 'running') break;
      if (s.heard !== null && s.demo >= 0) offsets.push(s.heard * 1000 - s.demo);
      if (!volume && s.demo > 20000) {
        const before = await peak();
        for (let i = 0; i < 10; ++i) await page.keyboard.press('F3', {delay: 50});
        await sleep(1200);
        volume = {before, after: await peak()};
        for (let i = 0; i < 10; ++i) await page.keyboard.press('F4', {delay: 50});
      }
      await sleep(500);
    }
    const worst = Math.max(...offsets.map(Math.abs));
    const mean = offsets.reduce((sum, o) => sum + o, 0) / offsets.length;
    const stats = await page.evaluate(() => Module.lumivaneAudio.stats);
    console.log(`page ready ${readyMs} ms after it was opened; Start to the demo clock's start ${startMs} ms`);
    console.log(`tune heard - demo clock over ${offsets.length} samples: mean ${mean.toFixed(2)} ms, ` +
      `worst ${worst.toFixed(2)} ms`);
    console.log(`buffers laid out ${stats.buffers}, laid out again ${stats.relaid}, gaps ${stats.underruns}`);
    if (volume) console.log(`loudest sample before 10 x F3 ${volume.before.toFixed(3)}, after ${volume.after.toFixed(3)}`);
    console.log(page.problems.length ? page.problems.join('\n') : 'no console error, no request outside the site');
  } finally {
    await browser.close();
    server.close();
  }
})();
