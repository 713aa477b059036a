// Measures the browser version, served as scripts/web.sh serves it (the compressed copies beside
// the files): what a player downloads, the time from loading the page to its first frame in each
// engine on this machine, and in Chromium as a new and a returning player on a slow link, and
// what presenting a whole frame costs. It prints the table of docs/measurements.md, and with
// --write puts it there, between its two marker lines.
// With --choice, the folder of the computer player's timed choices (bench/choice_web.cpp), it
// gives that time in Chromium too, as on this machine and on a phone's slower processor.
// node bench/web_bench.mjs --dist D --chromium B --firefox F [--choice C] [--write]
import {execFileSync, spawn} from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import {parseArgs} from 'node:util';
import * as web from '../tests/web/helper.mjs';

const {values: args} = parseArgs({options: {...Object.fromEntries(['dist', 'chromium', 'firefox', 'choice']
  .map(name => [name, {type: 'string'}])), write: {type: 'boolean'}}});
const LOADS = 20;
const SLOW_LOADS = 8;
const REDRAWS = 40;
// A phone's slow link, as Chrome's DevTools emulate it: 1.6 Mbit/s down, 0.75 up, 150 ms.
const SLOW_LINK = {download: 1.6e6 / 8, upload: 0.75e6 / 8, latency: 150};

const median = values => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
const kib = bytes => `${(bytes / 1024).toFixed(1)} KiB`;
const seconds = times => `${(median(times) / 1000).toFixed(2)} s (median of ${times.length}; ` +
  `${(Math.min(...times) / 1000).toFixed(2)} to ${(Math.max(...times) / 1000).toFixed(2)})`;
// The build names most files by their content (brimzo.0123abcd.js): the name without it.
const plain = name => name.replace(/\.[0-9a-f]{8}(\.[a-z]+)$/, '$1');
const size = name => fs.statSync(path.join(args.dist, name)).size;
const sent = name => fs.existsSync(path.join(args.dist, `${name}.br`)) ? size(`${name}.br`) : size(name);
const total = (files, measure) => files.reduce((sum, name) => sum + measure(name), 0);
const rows = [];

// The page, its script modules and style sheet, and the game's code; then everything a player
// may fetch (all but the help page and the compressed copies).
function sizes() {
  const files = fs.readdirSync(args.dist).filter(name => !/\.(br|gz)$/.test(name));
  const code = files.filter(name => /\.(html|js|css|wasm)$/.test(name) && !/^(help|service-worker)\./.test(name));
  const wasm = files.filter(name => name.endsWith('.wasm'));
  rows.push(['the code a player downloads: the page, its script modules and style sheet, ' +
    '`brimzo-core.js`, `brimzo-core.wasm`', `${kib(total(code, size))}; ${kib(total(code, sent))} ` +
    `as sent, Brotli-compressed (the wasm ${kib(total(wasm, size))}, ${kib(total(wasm, sent))} as sent)`]);
  const all = files.filter(name => name !== 'help.html');
  rows.push(['with the skins, sounds, icons, cursor, manifest and service worker (the whole folder but ' +
    '`help.html` and the compressed copies)', `${kib(total(all, size))}; ${kib(total(all, sent))} as sent`]);
}

// The folder served as web.sh serves it.
async function serve(folder = args.dist) {
  const server = spawn('python3', [new URL('../scripts/web_serve.py', import.meta.url).pathname,
    folder, '0'], {stdio: ['ignore', 'pipe', 'ignore']});
  const port = await new Promise(resolve => server.stdout.on('data', text => {
    const found = /port (\d+)/.exec(text);
    if (found) resolve(found[1]);
  }));
  return {url: `http://127.0.0.1:${port}/`, stop: () => server.kill()};
}

// From the start of navigation, one load after another in one browser: the first from the
// server, the rest from what the game's service worker kept.
async function firstFrames(browser, url) {
  const times = [];
  const page = await browser.newPage();
  for (let load = 0; load < LOADS; load++) {
    await page.goto(url);
    await web.waitForFirstFrame(page);
    times.push(await page.evaluate(() => window.brimzo.firstFrameAt));
    await page.goto('about:blank');
  }
  await page.close();
  return times;
}

// A new player, each in a browser profile of their own, on the slow link; then the same player
// again, from what the browser kept of the first visit (the game's service worker). Then what
// the first frame waited for: the files that came before it, and their bytes as sent.
async function slowFirstFrames(browser, url) {
  const [fresh, again] = [[], []];
  let waited;
  const visit = async (context, times) => {
    const page = await context.newPage();
    await page.emulateNetworkConditions(SLOW_LINK);
    await page.goto(url);
    await web.waitForFirstFrame(page);
    times.push(await page.evaluate(() => window.brimzo.firstFrameAt));
    const files = await page.evaluate(() => performance.getEntriesByType('navigation')
      .concat(performance.getEntriesByType('resource'))
      .filter(file => file.responseEnd <= window.brimzo.firstFrameAt)
      .map(file => [new URL(file.name).pathname.slice(1) || 'index.html', file.encodedBodySize]));
    await page.evaluate(() => window.brimzo.allFiles());
    await page.evaluate(() => navigator.serviceWorker.ready);
    await page.close();
    return files;
  };
  for (let load = 0; load < SLOW_LOADS; load++) {
    const context = await browser.createBrowserContext();
    waited = await visit(context, fresh);
    await visit(context, again);
    await context.close();
  }
  const bytes = new Map(); // a file the page asked for twice came once
  for (const [name, encoded] of waited) bytes.set(name, Math.max(encoded, bytes.get(name) ?? 0));
  const names = [...bytes.keys()];
  rows.push([`what a new player's first frame waits for: ${names.map(plain).join(', ')}`,
    `${kib(total(names, size))}; ${kib([...bytes.values()].reduce((sum, sent) => sum + sent, 0))} as sent`]);
  rows.push(['a new player\'s load to the first frame on a slow link (1.6 Mbit/s, 150 ms latency, ' +
    'DevTools\' emulation), headless Chromium', seconds(fresh)]);
  rows.push(['the same player\'s next load on that link, from the service worker\'s set', seconds(again)]);
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
  rows.push(['presenting a whole 640 x 480 frame (the game\'s rows into the canvas\'s pixels), Chromium',
    `${median(times).toFixed(2)} ms (median of ${times.length})`]);
}

// The choice behind a hint, in the WebAssembly as Chromium runs it: as fast as this machine
// goes, and with the processor slowed four times, as DevTools emulate a phone's.
const PHONE_SLOWDOWN = 4;
async function choices(browser) {
  const folder = await serve(args.choice);
  try {
    const timed = [];
    for (const slowdown of [1, PHONE_SLOWDOWN]) {
      const page = await browser.newPage();
      await page.emulateCPUThrottling(slowdown);
      const lines = [];
      page.on('console', message => /^choice /.test(message.text()) && lines.push(message.text()));
      await page.goto(folder.url);
      await web.eventually(async () => lines.length === 3, 'the choices of three modes timed', 120000);
      timed.push(lines.map(line => /^choice (\w+) median ([\d.]+) p99 ([\d.]+)/.exec(line))
        .map(([, mode, median, p99]) => `${mode} ${median} ms (99th percentile ${p99})`).join(', '));
      await page.close();
    }
    rows.push(['the computer player\'s choice, as a hint makes it, in the WebAssembly in Chromium ' +
      '(400 choices in games of each mode)', timed[0]]);
    rows.push([`the same with the processor slowed ${PHONE_SLOWDOWN} times, as DevTools emulate a phone`,
      timed[1]]);
  } finally {
    folder.stop();
  }
}

// Between the page's two marker lines of this table, by the one writer of the page's tables.
function write(table) {
  execFileSync('python3', [new URL('../scripts/measurements.py', import.meta.url).pathname, 'put', 'web'],
    {input: table});
}

sizes();
const server = await serve();
try {
  const frames = [];
  for (const engine of ['chromium', 'firefox', 'webkit']) {
    await web.withBrowser({...args, engine}, async ({browser}) => {
      const times = await firstFrames(browser, server.url);
      frames.push(`${{chromium: 'Chromium', firefox: 'Firefox', webkit: 'WebKit'}[engine]} ${seconds(times)}`);
      if (engine !== 'chromium') return;
      await slowFirstFrames(browser, server.url);
      await presents(browser, server.url);
      if (args.choice) await choices(browser);
    });
  }
  rows.splice(3, 0, ['page load to the first frame from 127.0.0.1, each engine (the first load from ' +
    'the server, the rest from the service worker\'s set)', frames.join('; ')]);
} finally {
  server.stop();
}
const table = ['| what | measured |', '|---|---|', ...rows.map(([what, measured]) => `| ${what} | ${measured} |`)]
  .join('\n') + '\n';
process.stdout.write(table);
if (args.write) write(table);
