// Measures the browser version in headless Chromium: what a player downloads, the time from
// loading the page to its first frame (on this machine, and as a new and a returning player
// on a slow link), and what presenting a whole frame costs.
// node bench/web_bench.mjs --dist D --chromium B
import {spawn} from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import zlib from 'node:zlib';
import * as web from '../tests/web/helper.mjs';

const args = web.options();
const LOADS = 20;
const SLOW_LOADS = 8;
const REDRAWS = 40;
// A phone's slow link, as Chrome's DevTools emulate it: 1.6 Mbit/s down, 0.75 up, 150 ms.
const SLOW_LINK = {download: 1.6e6 / 8, upload: 0.75e6 / 8, latency: 150};

const median = values => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
const kib = bytes => `${(bytes / 1024).toFixed(1)} KiB`;
const range = times => `median of ${times.length}, ${Math.min(...times).toFixed(0)} to ` +
  `${Math.max(...times).toFixed(0)}`;
// The build names most files by their content (brimzo.0123abcd.js): the name without it.
const plain = name => name.replace(/\.[0-9a-f]{8}(\.[a-z]+)$/, '$1');
const CODE = ['index.html', 'brimzo.js', 'brimzo.css', 'brimzo-core.js', 'brimzo-core.wasm'];

function line(label, files) {
  const sizes = files.map(name => fs.readFileSync(path.join(args.dist, name)));
  const raw = sizes.reduce((sum, data) => sum + data.length, 0);
  const packed = sizes.reduce((sum, data) => sum + zlib.gzipSync(data, {level: 9}).length, 0);
  console.log(`${label.padEnd(28)} ${kib(raw).padStart(10)} ${kib(packed).padStart(10)} gzip`);
}

// The code first, in its order, then the rest by name.
function sizes() {
  const rank = name => CODE.includes(plain(name)) ? CODE.indexOf(plain(name)) : CODE.length;
  const files = fs.readdirSync(args.dist).sort((a, b) => rank(a) - rank(b) || a.localeCompare(b));
  for (const name of files) line(name, [name]);
  line('code', files.filter(name => CODE.includes(plain(name))));
  line('everything but help', files.filter(name => name !== 'help.html'));
}

// From the start of navigation; the browser's cache is off, so every load fetches every file.
async function firstFrames(browser, url) {
  const times = [];
  for (let load = 0; load < LOADS; load++) {
    const page = await browser.newPage();
    await page.setCacheEnabled(false);
    await page.goto(url);
    await web.waitForFirstFrame(page);
    times.push(await page.evaluate(() => window.brimzo.firstFrameAt));
    await page.close();
  }
  console.log(`first frame after ${median(times).toFixed(1)} ms (${range(times)})`);
}

// The folder served as the README says a player may serve it, by Python's own web server.
async function pythonServer() {
  const server = spawn('python3', ['-m', 'http.server', '--bind', '127.0.0.1', '0'],
    {cwd: args.dist, stdio: ['ignore', 'pipe', 'ignore']});
  const port = await new Promise(resolve => server.stdout.on('data', text => {
    const found = /port (\d+)/.exec(text);
    if (found) resolve(found[1]);
  }));
  return {url: `http://127.0.0.1:${port}/`, stop: () => server.kill()};
}

// A new player, each in a browser profile of their own, on the slow link; then the same player
// again, from what the browser kept of the first visit (its cache, or the game's service worker
// where there is one). Then what the first frame waited for: the files that came before it.
async function slowFirstFrames(browser, url) {
  const [fresh, again] = [[], []];
  let waited;
  const visit = async (context, times) => {
    const page = await context.newPage();
    await page.emulateNetworkConditions(SLOW_LINK);
    await page.goto(url);
    await web.waitForFirstFrame(page);
    times.push(await page.evaluate(() => window.brimzo.firstFrameAt));
    const files = await page.evaluate(() => performance.getEntriesByType('resource')
      .filter(file => file.responseEnd <= window.brimzo.firstFrameAt)
      .map(file => new URL(file.name).pathname.slice(1)));
    await page.waitForNetworkIdle();
    await page.evaluate(async () => {
      if (await navigator.serviceWorker?.getRegistration()) await navigator.serviceWorker.ready;
    });
    await page.close();
    return files;
  };
  for (let load = 0; load < SLOW_LOADS; load++) {
    const context = await browser.createBrowserContext();
    waited = await visit(context, fresh);
    await visit(context, again);
    await context.close();
  }
  console.log(`slow link, a new player: first frame after ${median(fresh).toFixed(0)} ms (${range(fresh)})`);
  console.log(`slow link, the same player again: ${median(again).toFixed(0)} ms (${range(again)})`);
  const needed = ['index.html', ...new Set(waited)];
  console.log(`in before the first frame: ${needed.map(plain).join(', ')}`);
  line('that is', needed);
}

// Stepping the skin in Options redraws the whole screen, which the page presents in one piece.
async function presents(browser, url) {
  const page = await web.openGame(browser, url);
  await page.evaluate(() => {
    const present = window.brimzo.present;
    window.presentTimes = [];
    window.brimzo.present = (...frame) => {
      const start = performance.now();
      present(...frame);
      if (frame[5] * frame[6] === 640 * 480) window.presentTimes.push(performance.now() - start);
    };
  });
  await web.click(page, 630, 30);
  await page.waitForSelector('#dialog-1000[open]');
  for (let step = 0; step < REDRAWS; step++) {
    await page.click(`#dialog-1000 [data-id="${step % 2 ? 601 : 602}"]`);
    await page.waitForFunction(count => window.presentTimes.length > count, {}, step);
  }
  const times = await page.evaluate(() => window.presentTimes);
  console.log(`a whole frame presented in ${median(times).toFixed(2)} ms (median of ${times.length})`);
}

sizes();
await web.withBrowser(args, async ({browser, url}) => {
  await firstFrames(browser, url);
  const python = await pythonServer();
  try {
    await slowFirstFrames(browser, python.url);
  } finally {
    python.stop();
  }
  await presents(browser, url);
});
