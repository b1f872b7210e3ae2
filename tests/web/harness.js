// Shared by the browser tests: serves a site folder on 127.0.0.1 (a free
// port), starts Debian's Chromium headless with software WebGL, and records
// console errors, page errors and every request that leaves the site.
'use strict';
const fs = require('fs');
const http = require('http');
const os = require('os');
const path = require('path');
const puppeteer = require('puppeteer-core');

const TYPES = {
  '.html': 'text/html; charset=utf-8', '.js': 'text/javascript', '.wasm': 'application/wasm',
  '.data': 'application/octet-stream', '.png': 'image/png', '.css': 'text/css', '.json': 'application/json',
  '.ogg': 'audio/ogg', '.woff2': 'font/woff2', '.svg': 'image/svg+xml',
};

// Resolves to {server, origin}; only files inside `root` are served.
function serve(root) {
  root = path.resolve(root);
  const server = http.createServer((req, res) => {
    const url = new URL(req.url, 'http://x');
    let file = path.normalize(path.join(root, decodeURIComponent(url.pathname)));
    if (file !== root && !file.startsWith(root + path.sep)) {
      res.writeHead(403).end();
      return;
    }
    if (fs.existsSync(file) && fs.statSync(file).isDirectory()) file = path.join(file, 'index.html');
    fs.readFile(file, (error, body) => {
      if (error) {
        res.writeHead(404).end();
        return;
      }
      res.writeHead(200, {'Content-Type': TYPES[path.extname(file)] || 'application/octet-stream'});
      res.end(body);
    });
  });
  return new Promise((resolve) => server.listen(0, '127.0.0.1', () => {
    resolve({server, origin: `http://127.0.0.1:${server.address().port}`});
  }));
}

const CHROMIUM = process.env.LUMIVANE_CHROMIUM || '/usr/bin/chromium';

async function launch(extraArgs = []) {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'lumivane-chromium-'));
  const browser = await puppeteer.launch({
    executablePath: CHROMIUM,
    headless: 'new',
    protocolTimeout: 1800000,
    userDataDir: profile,
    args: ['--use-angle=swiftshader', '--enable-unsafe-swiftshader', '--no-sandbox', '--disable-gpu-sandbox',
      '--no-first-run', '--disable-background-networking', '--disable-component-update', '--disable-sync',
      '--autoplay-policy=no-user-gesture-required', ...extraArgs],
  });
  const close = browser.close.bind(browser);
  browser.close = async () => {
    await close();
    fs.rmSync(profile, {recursive: true, force: true});
  };
  return browser;
}

// A new page that records what went wrong: console errors, uncaught
// exceptions, failed requests and any request outside `origin`.
async function watchedPage(browser, origin, {width = 800, height = 600} = {}) {
  const page = await browser.newPage();
  await page.setViewport({width, height});
  const problems = [];
  page.on('console', (m) => { if (m.type() === 'error') problems.push(`console error: ${m.text()}`); });
  page.on('pageerror', (e) => problems.push(`page error: ${e.message}`));
  page.on('requestfailed', (r) => problems.push(`request failed: ${r.url()}`));
  page.on('request', (r) => {
    const url = r.url();
    if (!url.startsWith(origin + '/') && !url.startsWith('data:') && !url.startsWith('blob:')) {
      problems.push(`request outside the site: ${url}`);
    }
  });
  page.problems = problems;
  return page;
}

// PNG bytes -> {width, height, rgb} through the browser's own decoder.
async function decodePngs(page, dataUrls) {
  return page.evaluate(async (urls) => Promise.all(urls.map(async (url) => {
    const image = new Image();
    image.src = url;
    await image.decode();
    const c = document.createElement('canvas');
    c.width = image.width;
    c.height = image.height;
    const g = c.getContext('2d');
    g.drawImage(image, 0, 0);
    const d = g.getImageData(0, 0, c.width, c.height).data;
    let s = '';
    for (let i = 0; i < d.length; i += 4) s += String.fromCharCode(d[i], d[i + 1], d[i + 2]);
    return {width: c.width, height: c.height, rgb: btoa(s)};
  })), dataUrls).then((list) => list.map((p) => ({width: p.width, height: p.height, rgb: Buffer.from(p.rgb, 'base64')})));
}

// PSNR in dB of two RGB images of the same size (Infinity when identical).
function psnr(a, b) {
  if (a.width !== b.width || a.height !== b.height) return -Infinity;
  let sum = 0;
  for (let i = 0; i < a.rgb.length; ++i) {
    const d = a.rgb[i] - b.rgb[i];
    sum += d * d;
  }
  const mse = sum / a.rgb.length;
  return mse === 0 ? Infinity : 10 * Math.log10((255 * 255) / mse);
}

// The frame mode: resolves to the chosen frames as PNG data URLs.
async function renderFrames(page, origin, {width, height, fps, at, from = 0, timeoutMs = 600000}) {
  await page.goto(`${origin}/index.html?render=${width}x${height}&fps=${fps}&from=${from}&at=${at.join(',')}`);
  await page.waitForFunction(() => document.title === 'done' || document.title.startsWith('error'),
    {timeout: timeoutMs, polling: 500});
  const title = await page.title();
  if (title !== 'done') throw new Error(`frame mode: ${title}`);
  return page.evaluate(() => window.lumivaneFrames);
}

module.exports = {serve, launch, watchedPage, decodePngs, psnr, renderFrames};
