// The page as a visitor opens it: no console error, no request outside the
// site, the loading picture first, then the dunes.
// Usage: node page_test.js SITE_DIR
'use strict';
const path = require('path');
const h = require('./harness');

// Before the page's own scripts: keep the canvas readable between frames and
// note, at the start of each animation frame, the mean colour of a few
// regions of what the last one left on the canvas.
function recordFrames() {
  const getContext = HTMLCanvasElement.prototype.getContext;
  HTMLCanvasElement.prototype.getContext = function (type, attributes) {
    return getContext.call(this, type, Object.assign({}, attributes, {preserveDrawingBuffer: true}));
  };
  window.shownFrames = [];
  const probe = document.createElement('canvas');
  const raf = window.requestAnimationFrame.bind(window);
  window.requestAnimationFrame = (callback) => raf((t) => {
    const canvas = document.getElementById('canvas');
    if (canvas && canvas.width > 0 && window.shownFrames.length < 2000) {
      probe.width = canvas.width;
      probe.height = canvas.height;
      const g = probe.getContext('2d', {willReadFrequently: true});
      g.drawImage(canvas, 0, 0);
      // Mean RGB of a box given in fractions of the picture.
      const mean = (x0, y0, x1, y1) => {
        const w = canvas.width, hh = canvas.height;
        const d = g.getImageData(Math.floor(x0 * w), Math.floor(y0 * hh), Math.max(1, Math.floor((x1 - x0) * w)),
          Math.max(1, Math.floor((y1 - y0) * hh))).data;
        const sum = [0, 0, 0];
        for (let i = 0; i < d.length; i += 4) for (let k = 0; k < 3; ++k) sum[k] += d[i + k];
        return sum.map((s) => s / (d.length / 4));
      };
      window.shownFrames.push({
        time: performance.now(),
        centre: mean(0.4, 0.4, 0.6, 0.6), corner: mean(0.0, 0.15, 0.1, 0.25),
        sky: mean(0.1, 0.16, 0.9, 0.25), sand: mean(0.1, 0.6, 0.9, 0.8),
      });
    }
    callback(t);
  });
}

const bright = (c) => (c[0] + c[1] + c[2]) / 3;

async function main() {
  const site = path.resolve(process.argv[2] || '');
  const {server, origin} = await h.serve(site);
  const browser = await h.launch();
  const failures = [];
  try {
    const page = await h.watchedPage(browser, origin, {width: 800, height: 600});
    await page.evaluateOnNewDocument(recordFrames);
    await page.goto(`${origin}/`);
    // Start on the start screen, with its choices as they are.
    await page.click('#start');
    // The dunes fade in over the first five seconds of the demo.
    // The dunes (sand below, sky above once the view has zoomed out) fade in
    // over the first five seconds of the demo.
    await page.waitForFunction(() => window.shownFrames.some((f) => f.sand[0] > f.sand[2] + 20 && f.sky[2] > f.sky[0] + 20),
      {timeout: 120000, polling: 250}).catch(() => failures.push('the dunes never showed'));
    const frames = await page.evaluate(() => window.shownFrames);
    // The loading picture: a lit picture in the middle, black around it.
    const loading = frames.findIndex((f) => bright(f.centre) > 40 && bright(f.corner) < 8);
    const dunes = frames.findIndex((f) => f.sand[0] > f.sand[2] + 20 && f.sky[2] > f.sky[0] + 20);
    if (loading < 0) failures.push('no loading picture before the demo');
    else if (dunes >= 0 && loading > dunes) failures.push('the loading picture came after the dunes');
    if (dunes >= 0) {
      const f = frames[dunes];
      console.log(`loading picture in animation frame ${loading}, dunes from frame ${dunes} ` +
        `(${((f.time - frames[0].time) / 1000).toFixed(1)} s after the first frame)`);
    }
    failures.push(...page.problems);
  } finally {
    await browser.close();
    server.close();
  }
  if (failures.length) {
    failures.forEach((f) => console.log('FAILED: ' + f));
    process.exit(1);
  }
  console.log('page: loads without errors or outside requests; loading picture, then the dunes');
}

main().catch((e) => {
  console.error(e);
  process.exit(1);
});
