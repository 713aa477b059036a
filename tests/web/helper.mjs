// Serves the browser version from its build folder on 127.0.0.1, opens it in Debian's Chromium
// (headless, a fresh profile each time) through puppeteer-core, and reads back what the page
// shows and keeps. The game rules the cases predict with come from tests/e2e/model.py.
// The folder is served at two paths, / and /second/, as two copies of the game on one host;
// every name under .test reaches the server too, as a plain-HTTP host (no secure context),
// and localhost does as a host whose site data the browser blocks. The server notes every
// path asked of it, and a case may put another folder in place of the first.
import assert from 'node:assert/strict';
import {execFileSync} from 'node:child_process';
import fs from 'node:fs';
import http from 'node:http';
import os from 'node:os';
import path from 'node:path';
import {parseArgs} from 'node:util';
import puppeteer from 'puppeteer-core';

export function options() {
  const {values, positionals} = parseArgs({
    allowPositionals: true,
    options: Object.fromEntries(['dist', 'stage', 'assets', 'compose', 'chromium', 'model', 'out']
      .map(name => [name, {type: 'string'}])),
  });
  return {name: positionals[0], ...values};
}

const TYPES = {'.html': 'text/html', '.js': 'text/javascript', '.css': 'text/css',
  '.wasm': 'application/wasm', '.png': 'image/png', '.wav': 'audio/wav',
  '.webmanifest': 'application/manifest+json'};

// Each page carries its own Content-Security-Policy; the server sends it again, to report
// only, with an address for the reports, so that whatever breaks it in any engine reaches the
// case. A page without one counts as a violation too.
const POLICY = /<meta http-equiv="Content-Security-Policy" content="([^"]*)">/;
const REPORTS = '/policy-reports';

function headers(name, data) {
  const fields = {'Content-Type': TYPES[path.extname(name)] || 'application/octet-stream'};
  const policy = name.endsWith('.html') && POLICY.exec(data.toString());
  if (policy) fields['Content-Security-Policy-Report-Only'] = `${policy[1]}; report-uri ${REPORTS}`;
  return [fields, name.endsWith('.html') && !policy];
}

function serve(folder) {
  const server = http.createServer((request, response) => {
    const pathname = new URL(request.url, 'http://x').pathname.replace(/^\/second\//, '/');
    if (pathname === REPORTS) {
      request.on('data', report => server.violations.push(report.toString()));
      request.on('end', () => response.end());
      return;
    }
    server.asked.push(pathname);
    const asked = path.join(server.folder, path.normalize(pathname));
    const name = asked.endsWith(path.sep) ? path.join(asked, 'index.html') : asked;
    fs.readFile(name, (error, data) => {
      if (error) {
        response.writeHead(404).end();
        return;
      }
      const [fields, unguarded] = headers(name, data);
      if (unguarded) server.violations.push(`${pathname} has no policy`);
      response.writeHead(200, fields).end(data);
    });
  });
  Object.assign(server, {folder, asked: [], violations: []});
  return new Promise(resolve => server.listen(0, '127.0.0.1', () => resolve(server)));
}

// One run: a server, a browser and a scratch folder, all gone when the case ends.
export async function withBrowser(args, body) {
  const server = await serve(args.dist);
  const scratch = fs.mkdtempSync(path.join(os.tmpdir(), 'brimzo-web-'));
  const profile = path.join(scratch, 'profile');
  fs.mkdirSync(path.join(profile, 'Default'), {recursive: true});
  fs.writeFileSync(path.join(profile, 'Default', 'Preferences'), JSON.stringify({profile: {
    content_settings: {exceptions: {cookies: {'http://localhost:*,*': {setting: 2}}}}}}));
  const browser = await puppeteer.launch({
    executablePath: args.chromium,
    headless: true,
    userDataDir: profile,
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync',
      '--host-resolver-rules=MAP *.test 127.0.0.1, MAP localhost 127.0.0.1'],
  });
  try {
    const url = `http://127.0.0.1:${server.address().port}/`;
    await body({browser, url, scratch, server});
    await new Promise(resolve => setTimeout(resolve, 200)); // for a report still on its way
    assert.deepEqual(server.violations, [], 'the pages\' policy kept');
  } finally {
    await browser.close();
    server.close();
    fs.rmSync(scratch, {recursive: true, force: true});
  }
}

// The game's page, with brimzo.ini's text in local storage first when one is given.
export async function openGame(browser, url, ini, viewport = {width: 800, height: 600}) {
  const page = await browser.newPage();
  await page.setViewport(viewport);
  if (ini !== undefined) {
    await page.goto(`${url}help.html`);
    await page.evaluate((key, text) => localStorage.setItem(key, text), await storageKey(page), ini);
  }
  await page.goto(url);
  await waitForFirstFrame(page);
  return page;
}

export const waitForFirstFrame = page =>
  page.waitForFunction(() => window.brimzo && window.brimzo.firstFrameAt !== null);

export async function eventually(condition, what, timeout = 10000) {
  const deadline = Date.now() + timeout;
  for (;;) {
    if (await condition()) return;
    if (Date.now() > deadline) throw new Error(`never happened: ${what}`);
    await new Promise(resolve => setTimeout(resolve, 50));
  }
}

// The file a click on the page downloads, into a folder of its own.
export async function download(browser, page, selector, folder) {
  const session = await browser.target().createCDPSession();
  await session.send('Browser.setDownloadBehavior',
    {behavior: 'allow', downloadPath: folder, eventsEnabled: true});
  // the file can be there before all of it is: read it once the browser says it is done
  const done = new Promise(resolve => session.on('Browser.downloadProgress', event => {
    if (event.state === 'completed') resolve();
  }));
  await page.click(selector);
  await done;
  return fs.readFileSync(path.join(folder, 'brimzo.ini'));
}

// The picture's place and size on the page: left, top, width and height in page pixels.
export const pictureBox = page => page.$eval('#screen', canvas => {
  const {left, top, width, height} = canvas.getBoundingClientRect();
  return [left, top, width, height];
});

// Where a pixel of the game's 640 x 480 picture is on the page, however large it shows it.
export async function pagePoint(page, x, y) {
  const [left, top, width] = await pictureBox(page);
  const scale = width / 640;
  return [left + (x + 0.5) * scale, top + (y + 0.5) * scale];
}

export const click = async (page, x, y) => page.mouse.click(...await pagePoint(page, x, y));

export const clickCell = (page, column, row) => click(page, 27 + 45 * column, 27 + 45 * row);

export const tapCell = async (page, column, row) =>
  page.touchscreen.tap(...await pagePoint(page, 27 + 45 * column, 27 + 45 * row));

// Each copy of the game keeps brimzo.ini under the path of its own folder.
const storageKey = page => page.evaluate(() => `${location.pathname.replace(/[^/]*$/, '')}brimzo.ini`);

export const storedText = async page =>
  page.evaluate(key => localStorage.getItem(key), await storageKey(page));

// A value as the profile reader finds it: the first section of the name, blanks dropped.
export function iniValue(text, section, key) {
  let inSection = false;
  for (const line of text.split('\n').map(line => line.trim())) {
    if (line.startsWith('[')) {
      inSection = line.slice(1, line.indexOf(']')).toLowerCase() === section.toLowerCase();
    } else if (inSection && line.includes('=')) {
      const at = line.indexOf('=');
      if (line.slice(0, at).trim().toLowerCase() === key.toLowerCase()) return line.slice(at + 1).trim();
    }
  }
  return undefined;
}

// The canvas as rows of red, green and blue; a PNG file decoded by the browser the same way.
export function canvasPixels(page) {
  return page.evaluate(() => {
    const canvas = document.getElementById('screen');
    const {data} = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height);
    return Array.from(data.filter((_, i) => i % 4 !== 3));
  });
}

export function pngPixels(page, file) {
  return page.evaluate(async base64 => {
    const bytes = Uint8Array.from(atob(base64), char => char.charCodeAt(0));
    const bitmap = await createImageBitmap(new Blob([bytes]),
      {colorSpaceConversion: 'none', premultiplyAlpha: 'none'});
    const canvas = new OffscreenCanvas(bitmap.width, bitmap.height);
    const context = canvas.getContext('2d');
    context.drawImage(bitmap, 0, 0);
    const {data} = context.getImageData(0, 0, bitmap.width, bitmap.height);
    return {width: bitmap.width, pixels: Array.from(data.filter((_, i) => i % 4 !== 3))};
  }, fs.readFileSync(file).toString('base64'));
}

// A block of a picture of the given width, as one list of red, green and blue.
export function block(pixels, width, x, y, w, h) {
  const rows = [];
  for (let row = y; row < y + h; row++) rows.push(...pixels.slice(3 * (row * width + x), 3 * (row * width + x + w)));
  return rows;
}

// Evaluates a Python expression over tests/e2e/model.py, with the given values as variables.
export function model(args, expression, values = {}) {
  const code = ['import json, sys', `sys.path.insert(0, ${JSON.stringify(args.model)})`,
    'import model', 'globals().update(json.loads(sys.argv[1]))',
    `print(json.dumps(${expression}))`].join('\n');
  return JSON.parse(execFileSync('python3', ['-c', code, JSON.stringify(values)]));
}
