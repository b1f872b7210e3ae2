// A benchmark, not a test: frames per second of each scene window in the
// frame mode (every frame drawn as fast as the browser draws it, from the
// window's start, 120 frames) at the given sizes, and the time from page load
// to the first demo frame. Headless Chromium with SwiftShader (software).
// Usage: node bench.js SITE_DIR [WxH ...]   (default 640x480 1024x768; "start": the start-up only)
'use strict';
const path = require('path');
const h = require('./harness');

const SCENES = [
  [0, 'desert dunes'], [8500, 'group logo'], [12000, 'presents'], [32500, 'night ocean'],
  [43500, 'flickering lamp'], [54000, 'wishing lamp'], [65000, 'flower'], [75000, 'ball'],
  [86000, 'member credits'], [102000, 'industrial gears'], [113000, 'fog tunnel'], [123000, 'photo cylinder'],
  [145000, 'space flight'], [155000, 'greetings spiral'], [177000, 'closing credits'],
];
const FRAMES = 120;

async function main() {
  const site = path.resolve(process.argv[2] || '');
  // "start" alone measures only the start-up.
  const args = process.argv.slice(3);
  const sizes = args.length === 0 ? ['640x480', '1024x768'] : args.filter((a) => a !== 'start');
  const {server, origin} = await h.serve(site);
  const browser = await h.launch();
  try {
    for (const size of sizes) {
      const [width, height] = size.split('x').map(Number);
      console.log(`== ${size}: frames per second (${FRAMES} frames from each window's start)`);
      for (const [from, name] of SCENES) {
        const page = await h.watchedPage(browser, origin, {width, height});
        // Timed from the first frame on: the page's start-up is left out.
        await page.evaluateOnNewDocument(() => {
          const raf = window.requestAnimationFrame.bind(window);
          window.requestAnimationFrame = (cb) => raf((t) => {
            if (window.firstFrameAt === undefined) window.firstFrameAt = performance.now();
            cb(t);
          });
        });
        await h.renderFrames(page, origin, {width, height, fps: 60, from, at: [from + Math.round(FRAMES * 1000 / 60)]});
        const ms = await page.evaluate(() => performance.now() - window.firstFrameAt);
        console.log(`${name.padEnd(18)} ${(FRAMES / (ms / 1000)).toFixed(1).padStart(6)}`);
        await page.close();
      }
    }
    // Page load to the loading picture and to the first demo frame (black:
    // the demo fades in from black), as the canvas shows them at the start
    // of each animation frame.
    const page = await h.watchedPage(browser, origin, {width: 800, height: 600});
    await page.evaluateOnNewDocument(() => {
      const getContext = HTMLCanvasElement.prototype.getContext;
      HTMLCanvasElement.prototype.getContext = function (type, attributes) {
        return getContext.call(this, type, Object.assign({}, attributes, {preserveDrawingBuffer: true}));
      };
      window.shown = [];
      const probe = document.createElement('canvas');
      probe.width = probe.height = 1;
      const g = probe.getContext('2d', {willReadFrequently: true});
      const raf = window.requestAnimationFrame.bind(window);
      window.requestAnimationFrame = (cb) => raf((t) => {
        const canvas = document.getElementById('canvas');
        if (canvas && canvas.width > 16) {
          g.drawImage(canvas, canvas.width / 2, canvas.height / 2, 1, 1, 0, 0, 1, 1);
          const d = g.getImageData(0, 0, 1, 1).data;
          window.shown.push({at: performance.now(), centre: d[0] + d[1] + d[2]});
        }
        cb(t);
      });
    });
    await page.goto(`${origin}/`);
    await page.click('#start');  // the start screen's Start, at once
    await page.waitForFunction(() => {
      const lit = window.shown.findIndex((f) => f.centre > 60);
      return lit >= 0 && window.shown.slice(lit).some((f) => f.centre < 30);
    }, {timeout: 120000, polling: 50});
    const shown = await page.evaluate(() => window.shown);
    const lit = shown.findIndex((f) => f.centre > 60);
    const first = shown.slice(lit).find((f) => f.centre < 30);
    console.log(`page load to the loading picture shown: ${(shown[lit].at / 1000).toFixed(2)} s, ` +
      `to the first demo frame shown: ${(first.at / 1000).toFixed(2)} s`);
  } finally {
    await browser.close();
    server.close();
  }
}

main().catch((e) => {
  console.error(e);
  process.exit(1);
});
