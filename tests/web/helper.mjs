// Serves the browser version from its build folder on 127.0.0.1, opens it in one of three
// engines, each in a fresh profile (Debian's Chromium and Firefox ESR, headless, through
// puppeteer-core; WebKitGTK through WebKitWebDriver, webdriver.mjs), and reads back what the
// page shows and keeps. The game rules the cases predict with come from tests/e2e/model.py.
// The folder is served at two paths, / and /second/, as two copies of the game on one host;
// every name under .test reaches the server too, as a plain-HTTP host (no secure context),
// and localhost does as a host whose site data the browser blocks. The server notes every
// path asked of it, a case may put another folder in place of the first, and cut the network
// (the server then answers nothing).
import assert from 'node:assert/strict';
import {execFileSync} from 'node:child_process';
import fs from 'node:fs';
import http from 'node:http';
import os from 'node:os';
import path from 'node:path';
import {parseArgs} from 'node:util';
import {pathToFileURL} from 'node:url';
import puppeteer from 'puppeteer-core';
import {launchWebKit} from './webdriver.mjs';

export function options() {
  const {values, positionals} = parseArgs({
    allowPositionals: true,
    options: Object.fromEntries(['dist', 'stage', 'assets', 'compose', 'chromium', 'firefox',
      'engine', 'model', 'out'].map(name => [name, {type: 'string'}])),
  });
  return {name: positionals[0], ...values};
}

const TYPES = {'.html': 'text/html', '.js': 'text/javascript', '.css': 'text/css',
  '.wasm': 'application/wasm', '.png': 'image/png', '.wav': 'audio/wav',
  '.webmanifest': 'application/manifest+json', '.webp': 'image/webp'};

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
    if (server.cut) {
      request.socket.destroy();
      return;
    }
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

// What an engine's driver cannot do, and so the steps it skips, each with one line saying why.
const CANNOT = {
  firefox: {installability: 'only Chromium judges whether a page is installable'},
  webkit: {
    installability: 'only Chromium judges whether a page is installable',
    download: 'WebKitWebDriver saves no download',
    secondWindow: 'WebKitWebDriver cannot open a second window',
    phone: 'WebKitWebDriver cannot emulate a phone\'s pixel ratio or a size under 447 px',
    blocking: 'WebKitWebDriver cannot block one site\'s data',
    hostNames: 'WebKit resolves no made-up host name here',
    clipboard: 'WebKitWebDriver cannot let a page read the clipboard',
  },
};
let engine = 'chromium';
export function can(what, step) {
  const why = CANNOT[engine]?.[what];
  if (why) console.log(`${engine}: skipped ${step}: ${why}`);
  return !why;
}

// Firefox as the cases need it: brimzo.test found on this machine, a plain-HTTP host;
// localhost's site data blocked; downloads saved without asking; the clipboard read.
let downloads = null;
function firefoxPreferences(scratch, port) {
  downloads = path.join(scratch, 'downloads');
  const permissions = path.join(scratch, 'permissions.txt');
  fs.writeFileSync(permissions, `origin\tcookie\t2\thttp://localhost:${port}\n`);
  return {
    'network.dns.localDomains': 'brimzo.test',
    'permissions.manager.defaultsUrl': pathToFileURL(permissions).href,
    'browser.download.dir': downloads,
    'browser.download.folderList': 2,
    'browser.download.useDownloadDir': true,
    'browser.download.always_ask_before_handling_new_types': false,
    'dom.events.testing.asyncClipboard': true,
    'full-screen-api.warning.timeout': 0,
    'media.cubeb.force_mock_context': true,
  };
}

// Chromium with a profile of its own: localhost's site data blocked, *.test found here.
function chromiumProfile(scratch) {
  const profile = path.join(scratch, 'profile');
  fs.mkdirSync(path.join(profile, 'Default'), {recursive: true});
  fs.writeFileSync(path.join(profile, 'Default', 'Preferences'), JSON.stringify({profile: {
    content_settings: {exceptions: {cookies: {'http://localhost:*,*': {setting: 2}}}}}}));
  return profile;
}

function launch(args, scratch, port) {
  if (engine === 'webkit') return launchWebKit();
  if (engine === 'firefox') {
    return puppeteer.launch({browser: 'firefox', executablePath: args.firefox, headless: true,
      extraPrefsFirefox: firefoxPreferences(scratch, port)});
  }
  return puppeteer.launch({
    executablePath: args.chromium,
    headless: true,
    userDataDir: chromiumProfile(scratch),
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync',
      '--host-resolver-rules=MAP *.test 127.0.0.1, MAP localhost 127.0.0.1'],
  });
}

// One run: a server, a browser of the engine asked for and a scratch folder, all gone when the
// case ends.
export async function withBrowser(args, body) {
  engine = args.engine ?? 'chromium';
  const server = await serve(args.dist);
  const scratch = fs.mkdtempSync(path.join(os.tmpdir(), 'brimzo-web-'));
  const browser = await launch(args, scratch, server.address().port);
  try {
    const url = `http://127.0.0.1:${server.address().port}/`;
    if (engine === 'chromium') {
      await browser.defaultBrowserContext().overridePermissions(url, ['clipboard-read', 'clipboard-sanitized-write']);
    }
    await body({browser, url, scratch, server});
    await new Promise(resolve => setTimeout(resolve, 200)); // for a report still on its way
    assert.deepEqual(server.violations, [], 'the pages\' policy kept');
  } finally {
    await browser.close();
    server.close();
    server.closeAllConnections();
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

// The file a click on the page downloads, once the browser says it is complete (Chromium), or
// once it is in the downloads folder under a name of its own (Firefox writes it under another
// first, and names each file of the same name anew).
export async function download(browser, page, selector, folder) {
  if (engine === 'firefox') {
    const before = fs.existsSync(downloads) ? fs.readdirSync(downloads) : [];
    await page.click(selector);
    let saved;
    await eventually(() => {
      const now = fs.existsSync(downloads) ? fs.readdirSync(downloads) : [];
      saved = now.filter(name => !before.includes(name));
      return saved.length === 1 && !saved[0].endsWith('.part');
    }, 'the download saved');
    return fs.readFileSync(path.join(downloads, saved[0]));
  }
  const session = await browser.target().createCDPSession();
  await session.send('Browser.setDownloadBehavior',
    {behavior: 'allow', downloadPath: folder, eventsEnabled: true});
  const done = new Promise(resolve => session.on('Browser.downloadProgress', event => {
    if (event.state === 'completed') resolve();
  }));
  await page.click(selector);
  await done;
  return fs.readFileSync(path.join(folder, 'brimzo.ini'));
}

// A click on Export; the file it saves, where the driver saves one.
export async function exportFile(browser, page, folder) {
  if (can('download', 'the exported file')) return download(browser, page, '#export', folder);
  await page.click('#export');
  return null;
}

// Another player, in a browser of their own: a new profile where the driver has one, else the
// same window with nothing left of the first player's site data.
export async function anotherPlayer(browser, page) {
  if (can('secondWindow', 'another profile')) return (await browser.createBrowserContext()).newPage();
  await page.evaluate(async () => {
    localStorage.clear();
    await Promise.all((await navigator.serviceWorker.getRegistrations()).map(worker => worker.unregister()));
    await Promise.all((await caches.keys()).map(name => caches.delete(name)));
  });
  return page;
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

// The canvas as rows of red, green and blue; a PNG file decoded by the browser the same way. The
// page hands the bytes over as Base64 text, which every driver carries quickly.
const RGB_BASE64 = `data => {
  let text = '';
  for (let i = 0; i < data.length; i += 4) text += String.fromCharCode(data[i], data[i + 1], data[i + 2]);
  return btoa(text);
}`;
const rgb = base64 => Array.from(Buffer.from(base64, 'base64'));

export async function canvasPixels(page) {
  return rgb(await page.evaluate(`(() => {
    const canvas = document.getElementById('screen');
    return (${RGB_BASE64})(canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data);
  })()`));
}

export async function pngPixels(page, file) {
  const [width, pixels] = await page.evaluate(`(async base64 => {
    const bytes = Uint8Array.from(atob(base64), char => char.charCodeAt(0));
    const bitmap = await createImageBitmap(new Blob([bytes]),
      {colorSpaceConversion: 'none', premultiplyAlpha: 'none'});
    const canvas = new OffscreenCanvas(bitmap.width, bitmap.height);
    const context = canvas.getContext('2d');
    context.drawImage(bitmap, 0, 0);
    return [bitmap.width, (${RGB_BASE64})(context.getImageData(0, 0, bitmap.width, bitmap.height).data)];
  })(${JSON.stringify(fs.readFileSync(file).toString('base64'))})`);
  return {width, pixels: rgb(pixels)};
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
