// The page people use, in headless Chromium and in real time: the start
// screen and its keys, the closing screen and "Play again", the demo's keys
// (and none of the browser's actions for them), the sound in step with the
// demo clock, a broken picture's message box, the 4:3 picture in a wide
// window. The site is served from a subfolder and gzip-compressed, as a host
// may serve it. Usage: node use_test.js SITE_DIR [SHOTS_DIR]
'use strict';
const assert = require('assert');
const fs = require('fs');
const http = require('http');
const path = require('path');
const zlib = require('zlib');
const {launch, watchedPage, decodePngs} = require('./harness');

const site = path.resolve(process.argv[2] || path.join(__dirname, '../../build-web/site'));
const shots = process.argv[3] || '';
const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));
// A quick tap: down and up within one animation frame still counts.
const press = (page, key) => page.keyboard.press(key);
const TYPES = {'.html': 'text/html; charset=utf-8', '.js': 'text/javascript', '.wasm': 'application/wasm',
  '.css': 'text/css', '.png': 'image/png'};
const kBase = '/a/sub/folder/';

// The site under kBase, gzip-compressed for a client that asks for it; what
// went out compressed is counted by file.
function serveCompressed(root) {
  const compressed = new Set();
  const server = http.createServer((req, res) => {
    const url = new URL(req.url, 'http://x');
    if (!url.pathname.startsWith(kBase)) return res.writeHead(404).end();
    const file = path.join(root, path.normalize(decodeURIComponent(url.pathname.slice(kBase.length)) || 'index.html'));
    if (!file.startsWith(root) || !fs.existsSync(file) || fs.statSync(file).isDirectory()) return res.writeHead(404).end();
    const body = fs.readFileSync(file);
    const headers = {'Content-Type': TYPES[path.extname(file)] || 'application/octet-stream'};
    if (/\bgzip\b/.test(req.headers['accept-encoding'] || '')) {
      headers['Content-Encoding'] = 'gzip';
      compressed.add(path.basename(file));
      res.writeHead(200, headers).end(zlib.gzipSync(body, {level: 6}));
    } else {
      res.writeHead(200, headers).end(body);
    }
  });
  return new Promise((resolve) => server.listen(0, '127.0.0.1', () =>
    resolve({server, compressed, origin: `http://127.0.0.1:${server.address().port}`})));
}

const demoMs = (page) => page.evaluate(() => Module._lumivane_demo_ms());
const visible = (page, id) => page.evaluate((i) => !document.getElementById(i).hidden, id);
const waitVisible = (page, id, timeout = 60000) =>
  page.waitForFunction((i) => !document.getElementById(i).hidden, {timeout, polling: 50}, id);
const waitDemo = (page, ms) => page.waitForFunction((t) => window.lumivanePage.state === 'running' &&
  Module._lumivane_demo_ms() >= t, {timeout: 120000, polling: 50}, ms);

async function open(browser, origin, {width = 800, height = 600} = {}) {
  const page = await watchedPage(browser, origin, {width, height});
  page.navigations = 0;
  page.on('framenavigated', (frame) => { if (frame === page.mainFrame()) page.navigations++; });
  const started = Date.now();
  await page.goto(origin + kBase);
  await page.waitForFunction(() => window.lumivanePage && window.lumivanePage.ready, {timeout: 120000});
  page.loadMs = Date.now() - started;
  return page;
}

async function shot(page, name) {
  if (shots) await page.screenshot({path: path.join(shots, name)});
}

// The picture as the screen shows it, as raw RGB.
async function screen(page) {
  const png = await page.screenshot({encoding: 'base64'});
  return (await decodePngs(page, ['data:image/png;base64,' + png]))[0];
}

// Start screen, mouse and keyboard; Quit; the closing screen; Play again; a
// 1280x720 window with the picture in its middle.
async function startScreenAndWindow(browser, origin) {
  const page = await open(browser, origin, {width: 1280, height: 720});
  assert.ok(await visible(page, 'setup'), 'the start screen shows');
  assert.strictEqual(await page.evaluate(() => document.activeElement.id), 'start', 'focus on Start');
  // Tab follows the dialog's order: Start, Quit, No Sound, the resolutions, Fullscreen.
  const order = [];
  for (let i = 0; i < 5; ++i) {
    await page.keyboard.press('Tab');
    order.push(await page.evaluate(() => document.activeElement.id || document.activeElement.name));
  }
  assert.deepStrictEqual(order, ['quit', 'nosound', 'size', 'fullscreen', 'start']);
  await shot(page, 'start-screen.png');
  await page.click('#start');
  await waitDemo(page, 3000);
  // 1280x720: the 960x720 picture in the middle, black at both sides.
  const box = await page.evaluate(() => document.getElementById('canvas').getBoundingClientRect().toJSON());
  assert.deepStrictEqual([box.x, box.y, box.width, box.height], [160, 0, 960, 720]);
  const picture = await screen(page);
  const at = (x, y) => Array.from(picture.rgb.subarray((y * picture.width + x) * 3, (y * picture.width + x) * 3 + 3));
  let lit = 0, sides = 0;
  for (let y = 0; y < 720; y += 8) {
    for (const x of [0, 80, 159, 1120, 1200, 1279]) sides = Math.max(sides, ...at(x, y));
    for (let x = 160; x < 1120; x += 8) lit += at(x, y).some((v) => v > 24) ? 1 : 0;
  }
  assert.strictEqual(sides, 0, 'black left and right of the picture');
  assert.ok(lit > 500, `the dunes are drawn in the middle (${lit} lit samples)`);
  await shot(page, 'scene-1280x720.png');
  await press(page, 'Escape');
  await waitVisible(page, 'closing', 5000);
  await shot(page, 'closing-screen.png');
  await page.click('#again');  // the same choices again, from the start
  await waitDemo(page, 500);
  await press(page, 'Escape');
  await waitVisible(page, 'closing', 5000);
  // Escape in the form is Quit.
  await page.reload();
  await page.waitForFunction(() => window.lumivanePage && window.lumivanePage.ready, {timeout: 120000});
  await press(page, 'Escape');
  await waitVisible(page, 'closing', 5000);
  assert.ok(!(await visible(page, 'setup')));
  await page.close();
  return {page, loadMs: page.loadMs};
}

// The keys in real time, started from the keyboard without sound: F8 holds
// the picture, F5 goes on, F6 starts again, Escape ends; nothing reloads.
async function keys(browser, origin) {
  const page = await open(browser, origin);
  await page.evaluate(() => { window.notReloaded = true; });
  await page.focus('input[name=nosound]');
  await page.keyboard.press('Space');
  await page.keyboard.press('Enter');  // Enter on a control is Start
  await waitDemo(page, 2500);
  await press(page, 'F8');
  await sleep(300);
  const paused = await demoMs(page);
  const first = await screen(page);
  await sleep(1000);
  const second = await screen(page);
  assert.ok(first.rgb.equals(second.rgb), 'F8: two frames a second apart are identical');
  await press(page, 'F5');
  await sleep(700);
  const resumed = await demoMs(page);
  assert.ok(resumed >= paused + 400 && paused <= 3500, `F5 goes on from where F8 stopped (${paused} -> ${resumed} ms)`);
  await press(page, 'F6');
  // The demo time when the restart is first seen (one more round trip could
  // take long on a loaded machine); + 1 so that 0 counts as seen.
  const seen = await page.waitForFunction((t) => { const ms = Module._lumivane_demo_ms(); return ms < t && ms + 1; },
                                          {timeout: 5000, polling: 20}, resumed);
  const restarted = (await seen.jsonValue()) - 1;
  assert.ok(restarted < 500, `F6 starts again near 0 (${restarted} ms)`);
  // F1: fullscreen through the page; Escape there only leaves fullscreen.
  const fullscreen = () => page.evaluate(() => !!document.fullscreenElement);
  await press(page, 'F1');
  await page.waitForFunction(() => !!document.fullscreenElement, {timeout: 5000});
  await press(page, 'Escape');
  await page.waitForFunction(() => !document.fullscreenElement, {timeout: 5000});
  // Past the half second in which the page takes an Escape the browser passes
  // on after leaving fullscreen as part of leaving it.
  await sleep(700);
  assert.ok(!(await fullscreen()) && (await visible(page, 'stage')) && !(await visible(page, 'closing')),
    'the first Escape in fullscreen leaves fullscreen, the demo goes on');
  await press(page, 'Escape');
  await waitVisible(page, 'closing', 5000);
  assert.ok(await page.evaluate(() => window.notReloaded === true) && page.navigations === 1, 'F5 did not reload');
  await page.close();
  return {page, paused, resumed, restarted};
}

// A phone that blocks the sound: the music warning, then the demo plays
// silent; the canvas draws at the device's pixel ratio up to the cap; a tap
// pauses and resumes, the bar's Restart starts again.
async function touch(browser, origin) {
  const page = await watchedPage(browser, origin);
  await page.setViewport({width: 640, height: 480, deviceScaleFactor: 3, hasTouch: true, isMobile: true});
  // A browser that keeps the sound from starting: the context never runs.
  await page.evaluateOnNewDocument(() => { AudioContext.prototype.resume = () => Promise.resolve(); });
  await page.goto(origin + kBase);
  await page.waitForFunction(() => window.lumivanePage && window.lumivanePage.ready, {timeout: 120000});
  await page.tap('#start');
  await waitVisible(page, 'message');
  assert.strictEqual(await page.evaluate(() => document.getElementById('message-caption').textContent), 'QuorixSystem',
    'blocked sound: the music warning');
  await page.tap('#message-ok');
  await waitDemo(page, 1500);
  const size = await page.evaluate(() => [canvas.width, canvas.height, canvas.getBoundingClientRect().width]);
  assert.deepStrictEqual(size, [1280, 960, 640], 'twice the CSS pixels (the cap), not three times');
  assert.ok(await visible(page, 'touchbar'), 'the touch bar shows');
  await page.touchscreen.tap(320, 200);
  await sleep(400);
  const paused = await demoMs(page);
  await sleep(600);
  assert.strictEqual(await demoMs(page), paused, 'a tap pauses');
  await page.touchscreen.tap(320, 200);
  await page.waitForFunction((t) => Module._lumivane_demo_ms() > t + 200, {timeout: 5000, polling: 50}, paused);
  await page.tap('#touch-restart');
  await page.waitForFunction(() => Module._lumivane_demo_ms() < 500, {timeout: 5000, polling: 20});
  await page.close();
  return {page, canvas: size.slice(0, 2)};
}

// The audio context runs after Start, the tune heard stays with the demo
// clock over 10 s, an F8/F5 pause and an F6 restart, and F8 suspends it.
async function sound(browser, origin) {
  const page = await open(browser, origin);
  await page.click('#start');
  await waitDemo(page, 1000);
  assert.strictEqual(await page.evaluate(() => Module.lumivaneAudio.context.state), 'running');
  // Where the tune is heard against the demo clock, at one instant.
  const sample = () => page.evaluate(() => {
    const heard = Module.lumivaneAudio.clock();
    return heard === null ? null : heard * 1000 - Module._lumivane_demo_ms();
  });
  const offsets = [];
  const began = Date.now();
  let pausedState = '', paused = false, restarted = false;
  while (Date.now() < began + 10000) {
    const offset = await sample();
    if (offset !== null) offsets.push(offset);
    if (!paused && Date.now() > began + 3000) {
      paused = true;
      await press(page, 'F8');
      await sleep(500);
      pausedState = await page.evaluate(() => Module.lumivaneAudio.context.state);
      await sleep(500);
      await press(page, 'F5');
      await sleep(300);
    }
    if (!restarted && Date.now() > began + 7000) {
      restarted = true;
      await press(page, 'F6');  // the tune starts again with the clock
      await sleep(300);
    }
    await sleep(250);
  }
  assert.strictEqual(pausedState, 'suspended', 'F8 suspends the audio context');
  assert.strictEqual((await page.evaluate(() => Module.lumivaneAudio.stats)).restarts, 1, 'F6 restarted the tune');
  const drift = offsets;
  const worst = Math.max(...drift.map(Math.abs));
  assert.ok(offsets.length >= 15, `${offsets.length} samples`);
  const stats = await page.evaluate(() => Module.lumivaneAudio.stats);
  assert.ok(worst <= 20, `audio clock within 20 ms of the demo clock (worst ${worst.toFixed(1)} ms): ` +
    drift.map((d) => d.toFixed(0)).join(' ') + ' ' + JSON.stringify(stats));
  await press(page, 'Escape');
  await waitVisible(page, 'closing', 5000);
  await page.close();
  return {page, samples: offsets.length, worstMs: Number(worst.toFixed(1)), offsets: offsets.map(Math.round), stats};
}

// No Web Audio and a picture of random bytes: the music warning and the
// texture bank's box in the page, with their captions; after OK the demo goes
// on, silent.
async function brokenPicture(browser, origin) {
  const page = await watchedPage(browser, origin);
  const script = fs.readFileSync(path.join(site, 'index.js'), 'utf8');
  const entry = /"filename":\s*"\/data\/sand\.png",\s*"start":\s*(\d+),\s*"end":\s*(\d+)/.exec(script);
  assert.ok(entry, 'sand.png is in the data package');
  const [start, end] = [Number(entry[1]), Number(entry[2])];
  // A browser without Web Audio: the program's music warning comes first.
  await page.evaluateOnNewDocument(() => { delete window.AudioContext; delete window.webkitAudioContext; });
  await page.setRequestInterception(true);
  page.on('request', (request) => {
    if (!request.url().endsWith('/index.data')) return request.continue();
    const data = fs.readFileSync(path.join(site, 'index.data'));
    let seed = 12345;
    for (let i = start; i < end; ++i) data[i] = (seed = (seed * 1103515245 + 12345) >>> 0) >>> 24;
    request.respond({status: 200, contentType: 'application/octet-stream', body: data});
  });
  await page.goto(origin + kBase);
  await page.waitForFunction(() => window.lumivanePage && window.lumivanePage.ready, {timeout: 120000});
  await page.click('#start');
  const boxes = [];
  for (let i = 0; i < 2; ++i) {
    await waitVisible(page, 'message');
    boxes.push(await page.evaluate(() => ({
      caption: document.getElementById('message-caption').textContent,
      text: document.getElementById('message-text').textContent,
    })));
    if (i === 0) await page.click('#message-ok');
  }
  assert.deepStrictEqual(boxes[0], {caption: 'QuorixSystem', text: 'Error while trying to load the tune \nor setting up the sound.'});
  const box = await page.evaluate(() => ({
    caption: document.getElementById('message-caption').textContent,
    text: document.getElementById('message-text').textContent,
  }));
  assert.strictEqual(box.caption, 'QuorixSys: error message');
  assert.ok(/sand\.png/.test(box.text), `the box names the picture: ${box.text}`);
  await sleep(500);
  await shot(page, 'message.png');
  const before = await demoMs(page);
  await page.click('#message-ok');
  await waitDemo(page, Math.max(before, 0) + 1000);
  assert.ok(await page.evaluate(() => document.getElementById('message').hidden));
  // The console says why; nothing else went wrong.
  const problems = page.problems.filter((p) => !/index\.data/.test(p));
  await page.close();
  return {page, boxes, problems};
}

(async () => {
  const {server, compressed, origin} = await serveCompressed(site);
  const browser = await launch();
  let failed = false;
  try {
    const only = process.env.LUMIVANE_PAGE_TEST;
    for (const [name, test] of [['start screen, closing screen, 1280x720', startScreenAndWindow],
      ['keys', keys], ['touch', touch], ['sound', sound], ['broken picture', brokenPicture]]) {
      if (only && !name.startsWith(only)) continue;
      const began = Date.now();
      const {page, problems = page.problems, ...facts} = await test(browser, origin);
      assert.deepStrictEqual(problems, [], `${name}: no console error, no request outside the site`);
      console.log(`ok ${name} (${((Date.now() - began) / 1000).toFixed(1)} s) ${JSON.stringify(facts)}`);
    }
    for (const file of only ? [] : ['index.html', 'index.js', 'index.wasm', 'index.data']) {
      assert.ok(compressed.has(file), `${file} went out compressed`);
    }
  } catch (error) {
    failed = true;
    console.error(error.stack || error);
  } finally {
    await browser.close();
    server.close();
  }
  process.exit(failed ? 1 : 0);
})();
