// Measures the browser version in headless Chromium: what a player downloads, the time from
// loading the page to its first frame, and what presenting a whole frame costs.
// node bench/web_bench.mjs --dist D --chromium B
import fs from 'node:fs';
import path from 'node:path';
import zlib from 'node:zlib';
import * as web from '../tests/web/helper.mjs';

const args = web.options();
const LOADS = 20;
const REDRAWS = 40;

const median = values => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
const kib = bytes => `${(bytes / 1024).toFixed(1)} KiB`;

function sizes() {
  const code = ['index.html', 'brimzo.js', 'brimzo.css', 'brimzo-core.js', 'brimzo-core.wasm'];
  const files = fs.readdirSync(args.dist).filter(name => name !== 'help.html');
  let raw = 0;
  let packed = 0;
  for (const name of [...code, ...files.filter(name => !code.includes(name))]) {
    const data = fs.readFileSync(path.join(args.dist, name));
    const gzip = zlib.gzipSync(data, {level: 9}).length;
    console.log(`${name.padEnd(18)} ${kib(data.length).padStart(10)} ${kib(gzip).padStart(10)} gzip`);
    raw += data.length;
    packed += gzip;
    if (name === code[code.length - 1]) console.log(`${'code'.padEnd(18)} ${kib(raw).padStart(10)} ${kib(packed).padStart(10)} gzip`);
  }
  console.log(`${'everything'.padEnd(18)} ${kib(raw).padStart(10)} ${kib(packed).padStart(10)} gzip`);
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
  console.log(`first frame after ${median(times).toFixed(1)} ms (median of ${LOADS} loads, ` +
    `${Math.min(...times).toFixed(1)} to ${Math.max(...times).toFixed(1)})`);
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
  await presents(browser, url);
});
