// The web build's frames against the native renderer's: one frame in every
// scene window, fades, the letterbox bars and beat slots, at 320x240 and 60
// frames a second, drawn in the frame mode and by lumivane-render at the same
// demo times. Each must reach MIN_PSNR dB; the table is printed.
// Usage: node frames_test.js SITE_DIR LUMIVANE_RENDER DATA_DIR [--sheet OUT.png]
'use strict';
const {execFile} = require('child_process');
const fs = require('fs');
const os = require('os');
const path = require('path');
const h = require('./harness');

const MIN_PSNR = 30;
const WIDTH = 320, HEIGHT = 240, FPS = 60;
// Multiples of 50 ms are frame times at 60 frames a second.
const FRAMES = [
  [3000, 'dunes, zooming out'], [7950, 'dunes, fade to black'], [10000, 'group logo'],
  [13500, 'presents'], [20000, 'dunes, title'], [32000, 'dunes, fade to white'],
  [38000, 'night ocean'], [45600, 'flickering lamp, flicker'], [60000, 'wishing lamp'],
  [66750, 'flower, burst'], [70000, 'flower'], [77600, 'ball, swelling'], [82000, 'ball'],
  [95000, 'member credits'], [107000, 'industrial gears'], [118000, 'fog tunnel'],
  [135000, 'photo cylinder'], [150000, 'space flight'], [165000, 'greetings spiral'],
  [185000, 'closing credits'], [193000, 'closing credits, last fade'],
];

async function main() {
  const [site, render, data] = process.argv.slice(2, 5).map((p) => p && path.resolve(p));
  const sheetAt = process.argv.indexOf('--sheet');
  const sheet = sheetAt > 0 ? process.argv[sheetAt + 1] : null;
  if (!site || !render || !data) throw new Error('usage: frames_test.js SITE_DIR LUMIVANE_RENDER DATA_DIR [--sheet OUT.png]');
  const at = FRAMES.map((f) => f[0]);

  // Native frames, in a folder of their own, drawn while the browser draws its own.
  const work = fs.mkdtempSync(path.join(os.tmpdir(), 'lumivane-web-frames-'));
  const started = Date.now();
  let nativeMs = 0;
  const nativeDone = new Promise((resolve, reject) => {
    const child = execFile(render, ['--size', `${WIDTH}x${HEIGHT}`, '--fps', `${FPS}`, '--until', `${Math.max(...at)}`,
      '--at', at.join(','), '--out', path.join(work, 'native')], {cwd: path.dirname(data)}, (error) => {
      nativeMs = Date.now() - started;
      if (error) reject(new Error(`lumivane-render failed: ${error.message}`));
      else resolve();
    });
    child.stderr.pipe(process.stderr);
  });
  nativeDone.catch(() => {});  // awaited below

  const {server, origin} = await h.serve(site);
  const browser = await h.launch();
  let failed = false;
  try {
    const page = await h.watchedPage(browser, origin);
    const webStarted = Date.now();
    const web = await h.renderFrames(page, origin, {width: WIDTH, height: HEIGHT, fps: FPS, at});
    const webMs = Date.now() - webStarted;
    await nativeDone;
    const native = at.map((ms) => 'data:image/png;base64,' +
      fs.readFileSync(path.join(work, 'native', `frame_${String(ms).padStart(6, '0')}.png`)).toString('base64'));
    const webImages = await h.decodePngs(page, web);
    const nativeImages = await h.decodePngs(page, native);
    console.log(`${'ms'.padStart(7)}  ${'PSNR dB'.padStart(7)}  frame`);
    FRAMES.forEach(([ms, what], i) => {
      const db = h.psnr(webImages[i], nativeImages[i]);
      const low = !(db >= MIN_PSNR);
      failed = failed || low;
      console.log(`${String(ms).padStart(7)}  ${db === Infinity ? '    inf' : db.toFixed(1).padStart(7)}  ${what}${low ? '  << below ' + MIN_PSNR : ''}`);
    });
    console.log(`frames, drawn side by side: web ${(webMs / 1000).toFixed(1)} s, native ${(nativeMs / 1000).toFixed(1)} s ` +
      `(${Math.round(Math.max(...at) * FPS / 1000)} frames each)`);
    if (page.problems.length) {
      failed = true;
      page.problems.forEach((p) => console.log(p));
    }
    if (sheet) fs.writeFileSync(sheet, await contactSheet(page, web, native, FRAMES.map((f) => `${f[0]} ms ${f[1]}`)));
  } finally {
    await browser.close();
    server.close();
    fs.rmSync(work, {recursive: true, force: true});
  }
  if (failed) {
    console.log(`FAILED: a frame below ${MIN_PSNR} dB or a problem on the page`);
    process.exit(1);
  }
  console.log(`all frames at ${MIN_PSNR} dB or more`);
}

// Web (left) and native (right) side by side, three-quarter size, one pair a
// row in two columns.
async function contactSheet(page, web, native, labels) {
  const url = await page.evaluate(async (web, native, labels, w, h) => {
    const columns = 2, label = 14, pad = 6;
    const rows = Math.ceil(web.length / columns);
    const c = document.createElement('canvas');
    c.width = columns * (2 * w + 3 * pad);
    c.height = rows * (h + label + pad) + pad;
    const g = c.getContext('2d');
    g.fillStyle = '#222';
    g.fillRect(0, 0, c.width, c.height);
    g.font = '11px sans-serif';
    for (let i = 0; i < web.length; ++i) {
      const x = (i % columns) * (2 * w + 3 * pad) + pad, y = Math.floor(i / columns) * (h + label + pad) + pad;
      for (const [k, src] of [[0, web[i]], [1, native[i]]]) {
        const image = new Image();
        image.src = src;
        await image.decode();
        g.drawImage(image, x + k * (w + pad), y + label, w, h);
      }
      g.fillStyle = '#ddd';
      g.fillText(`${labels[i]}  (web | native)`, x, y + 11);
    }
    return c.toDataURL('image/png');
  }, web, native, labels, WIDTH * 3 / 4, HEIGHT * 3 / 4);
  return Buffer.from(url.split(',')[1], 'base64');
}

main().catch((e) => {
  console.error(e);
  process.exit(1);
});
