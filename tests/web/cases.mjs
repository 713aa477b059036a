// The browser version in headless Chromium: what only the browser shows. Run one case:
// node cases.mjs NAME --dist D --assets A --compose C --chromium B --model M
import assert from 'node:assert/strict';
import {execFileSync} from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import * as web from './helper.mjs';

const args = web.options();

function savedGame(text) {
  return web.model(args, 'model.decode_saved_game(first, second)', {
    first: web.iniValue(text, 'GAME', 'SaveData1'),
    second: web.iniValue(text, 'GAME', 'SaveData2'),
  });
}

function savedGameIni(mode, state, score, board, next, extra = '') {
  const [first, second] = web.model(args, 'model.encode_saved_game(*game)',
    {game: [mode, state, score, board, next]});
  return `[GAME]\r\nSaveData1=${first}\r\nSaveData2=${second}\r\n${extra}`;
}

const cases = {
  // The deal from random state 0 on the canvas, pixel for pixel the frame the Windows program
  // draws (composed by the same core natively); a second tab does not start a second game.
  async first_start({browser, url, scratch}) {
    const page = await web.openGame(browser, url);
    const frame = path.join(scratch, 'start.png');
    execFileSync(args.compose, [path.join(args.assets, 'brimzo.png'), frame, 'start']);
    const want = await web.pngPixels(page, frame);
    const shown = await web.canvasPixels(page);
    assert.equal(want.width, 640);
    const differ = shown.findIndex((value, i) => value !== want.pixels[i]);
    assert.equal(differ, -1, `first differing pixel: ${Math.floor(differ / 3) % 640}, ${Math.floor(differ / 1920)}`);

    const second = await browser.newPage();
    await second.goto(url);
    await second.waitForSelector('#notice:not([hidden])');
    assert.match(await second.$eval('#notice-text', p => p.textContent), /open in another tab/);
    assert.equal(await second.evaluate(() => window.brimzo.firstFrameAt), null);
  },
};

await web.withBrowser(args, environment => cases[args.name](environment));
console.log(`${args.name}: passed`);
