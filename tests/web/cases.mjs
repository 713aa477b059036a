// The browser version in a browser: what only the browser shows, each case in every engine
// that can do what it tests. Run one case:
// node cases.mjs NAME --engine chromium|firefox|webkit --dist D --stage S --assets A
//   --compose C --chromium B --firefox F --model M
import assert from 'node:assert/strict';
import {execFileSync} from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import {pathToFileURL} from 'node:url';
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

// Each file chosen under a name of its own, so that the page hears of every choice.
let imports = 0;
async function importFile(page, folder, bytes) {
  const file = path.join(folder, `${imports++}.ini`);
  fs.writeFileSync(file, bytes);
  await (await page.$('#import-file')).uploadFile(file);
}

// Leader tables with Ada on top of Lines, as brimzo.ini's section.
function adaLeaders() {
  const [data, crc] = web.model(args, 'model.encode_leader_tables(tables)', {tables: [
    ['Ada      00412', ...Array(9).fill('Brimzo!  00100')],
    Array(10).fill('Brimzo!  00100'), Array(10).fill('Brimzo!  00100')]});
  return `[LEADERS]\r\nData=${data}\r\nCRC=${crc}\r\n`;
}

// Exports the game in memory, each time into a folder of its own, until it shows what the
// condition looks for.
async function exportUntil(browser, page, folder, condition, what) {
  let count = 0;
  await web.eventually(async () => condition((await web.download(browser, page, '#export',
    path.join(folder, `${count++}`))).toString('latin1')), what);
}

const EMPTY = -1;
const at = (column, row) => column + 9 * row;

// Four balls of colour 1 in row 4 wait for a fifth from (4, 0); (8, 8) has room to move.
const PREPARED_STATE = 123456789;
const PREPARED_NEXT = [[2, 7, 3], [6, 1, 0], [8, 3, 6]];
function preparedBoard() {
  const board = Array(81).fill(EMPTY);
  for (const column of [0, 1, 2, 3]) board[at(column, 4)] = 1;
  board[at(4, 0)] = 1;
  board[at(0, 0)] = 5;
  board[at(8, 8)] = 2;
  return board;
}

// A full board where no two neighbours share a colour, but for the given empty cells.
function shapelessBoard(empty) {
  const board = Array.from({length: 81}, (_, cell) => (cell % 9 + 2 * Math.floor(cell / 9)) % 7);
  for (const [column, row] of empty) board[at(column, row)] = EMPTY;
  return board;
}

// The cells whose keyboard-focus frame the second picture adds to the first, when the frames
// are all that changed: each a band two pixels wide around its cell, every sample moved by half
// its range; otherwise null.
function framedCells(before, after) {
  const cells = new Set();
  let changed = 0;
  for (let y = 0; y < 480; y++) {
    for (let x = 0; x < 640; x++) {
      if (before[3 * (640 * y + x)] === after[3 * (640 * y + x)]) continue;
      changed++;
      const [column, row] = [Math.floor((x - 5) / 45), Math.floor((y - 5) / 45)];
      const [inX, inY] = [x - (5 + 45 * column), y - (5 + 45 * row)];
      if (column < 0 || column > 8 || row < 0 || row > 8 || inX >= 44 || inY >= 44 ||
          (inX >= 2 && inX < 42 && inY >= 2 && inY < 42)) return null;
      cells.add(at(column, row));
    }
  }
  return changed === 336 * cells.size ? [...cells].sort((a, b) => a - b) : null;
}

const cases = {
  // The deal from random state 0 on the canvas, pixel for pixel the frame the Windows program
  // draws (composed by the same core natively); Chromium finds the page installable, and each
  // icon the manifest names is a picture of the size it gives. A second tab does not start a
  // second game, nor does the page opened as a file, which says how to serve it.
  async first_start({browser, url, scratch}) {
    const page = await web.openGame(browser, url);
    const frame = path.join(scratch, 'start.png');
    execFileSync(args.compose, [path.join(args.assets, 'brimzo.png'), frame, 'start']);
    const want = await web.pngPixels(page, frame);
    const shown = await web.canvasPixels(page);
    assert.equal(want.width, 640);
    const differ = shown.findIndex((value, i) => value !== want.pixels[i]);
    assert.equal(differ, -1, `first differing pixel: ${Math.floor(differ / 3) % 640}, ${Math.floor(differ / 1920)}`);

    if (web.can('installability', 'the installability check')) {
      const session = await page.createCDPSession();
      assert.deepEqual((await session.send('Page.getInstallabilityErrors')).installabilityErrors, []);
    }
    const [icons, sizes] = await page.evaluate(async () => {
      const manifest = document.querySelector('link[rel="manifest"]').href;
      const listed = (await (await fetch(manifest)).json()).icons;
      return [listed.map(icon => icon.sizes), await Promise.all(listed.map(async icon => {
        const bitmap = await createImageBitmap(await (await fetch(new URL(icon.src, manifest))).blob());
        return `${bitmap.width}x${bitmap.height}`;
      }))];
    });
    assert.deepEqual(sizes, icons);

    let other = page;
    if (web.can('secondWindow', 'the second tab')) {
      other = await browser.newPage();
      await other.goto(url);
      await other.waitForSelector('#notice:not([hidden])');
      assert.match(await other.$eval('#notice-text', p => p.textContent), /open in another tab/);
      assert.equal(await other.evaluate(() => window.brimzo.firstFrameAt), null);
    }

    await other.goto(pathToFileURL(path.join(args.dist, 'index.html')).href);
    await other.waitForSelector('#notice:not([hidden])');
    assert.match(await other.$eval('#notice-text', p => p.textContent),
      /folder must be served\. In the folder of index\.html, run\npython3 -m http\.server 8000\n/);
    assert.ok(await other.$eval('#import', button => button.disabled), 'nothing to import into');
  },

  // A page button clicked, then clicks on the canvas, which give the keys back to the game, and
  // keys pressed while the line still vanishes: M silences the sounds from then on, the focus
  // shows in the middle, picks up the ball at (8, 8) and sends it to (8, 6). Local storage then
  // holds the game the rules predict, and a reload with the network cut resumes it from the
  // files the service worker kept, asking the server for nothing, still silent; Alt+Enter then
  // switches to full screen and back.
  async saved_game({browser, url, scratch, server}) {
    const board = preparedBoard();
    const page = await web.openGame(browser, url,
      savedGameIni(0, PREPARED_STATE, 40, board, PREPARED_NEXT));
    const played = () => page.evaluate(() => window.played);
    await page.evaluate(() => {
      const start = AudioBufferSourceNode.prototype.start;
      window.played = 0;
      AudioBufferSourceNode.prototype.start = function (...when) {
        window.played++;
        return start.apply(this, when);
      };
    });
    await page.click('#share');
    for (const [column, row] of [[4, 0], [4, 4]]) await web.clickCell(page, column, row);
    await web.eventually(async () => await played() > 0, 'the ball picked up heard');
    await page.keyboard.press('KeyM');
    const heard = await played();
    for (const key of ['ArrowRight', ...Array(4).fill('ArrowRight'), ...Array(4).fill('ArrowDown'),
      'Enter', 'ArrowUp', 'ArrowUp', 'Enter']) await page.keyboard.press(key);
    for (const column of [0, 1, 2, 3, 4]) board[at(column, 4)] = EMPTY;
    board[at(4, 0)] = EMPTY;
    board[at(8, 8)] = EMPTY;
    board[at(8, 6)] = 2;
    for (const [column, row, colour] of PREPARED_NEXT) board[at(column, row)] = colour;
    const [next, state] = web.model(args,
      '(lambda r: (model.choose_next_balls(board, r), r.state))(model.Random(seed))',
      {board, seed: PREPARED_STATE});
    const want = {mode: 0, state, score: 45, board, next};
    await web.eventually(async () => savedGame(await web.storedText(page)).board[at(8, 6)] === 2,
      'the second move saved');
    assert.deepEqual(savedGame(await web.storedText(page)), want);
    assert.equal(await played(), heard);

    // the mouse over the board puts the focus away: its frame left of (8, 6) shows the skin
    await page.mouse.move(...await web.pagePoint(page, 100, 100));
    const sheet = await web.pngPixels(page, path.join(args.assets, 'brimzo.png'));
    const frame = web.block(sheet.pixels, sheet.width, 366, 297 + 280, 1, 1);
    await web.eventually(async () => web.block(await web.canvasPixels(page), 640, 366, 297, 1, 1)
      .every((value, i) => value === frame[i]), 'the focus hidden');
    const shown = await web.canvasPixels(page);
    await page.evaluate(() => navigator.serviceWorker.ready);
    server.cut = true;
    const asked = server.asked.length;
    await page.reload();
    await web.waitForFirstFrame(page);
    assert.deepEqual(server.asked.slice(asked), []);
    server.cut = false;
    assert.equal(await page.$eval('#sound', button => button.textContent), 'Sound: off');
    assert.deepEqual(savedGame(await web.storedText(page)), want);
    assert.ok((await web.canvasPixels(page)).every((value, i) => value === shown[i]),
      'the resumed game looks as it was left');

    for (const full of ['1', '0']) {
      await page.keyboard.down('Alt');
      await page.keyboard.press('Enter');
      await page.keyboard.up('Alt');
      await web.eventually(async () => web.iniValue(await web.storedText(page), 'WINDOW', 'FullScreen') === full,
        `FullScreen=${full} kept`);
      assert.equal(await page.evaluate(() => document.fullscreenElement?.id ?? null), full === '1' ? 'stage' : null);
    }
  },

  // A qualifying game over asks for a name in the page's dialog, centred on the game, until the
  // name passes (a Cyrillic one does not); Escape does not close it. The leader then shows on
  // the canvas (in the standard skin, as the one the file names is missing) and is stored. The
  // next time the page is closed while the name is typed: the score takes its place under that
  // name all the same, and a new game is kept.
  async name_entry({browser, url}) {
    const empty = [[0, 0], [4, 2], [8, 4], [2, 6], [6, 8]];
    const ini = savedGameIni(0, 99, 250, shapelessBoard(empty), [[4, 2, 0], [8, 4, 0], [2, 6, 0]],
      '[OPTIONS]\r\nSkin=gone.png\r\n');
    const gameOver = async () => {
      const page = await web.openGame(browser, url, ini);
      await web.clickCell(page, 1, 0);
      await web.clickCell(page, 0, 0); // the last spawn: the game is over
      await page.waitForSelector('#dialog-1002[open]');
      return page;
    };
    const topLine = text => Buffer.from(web.iniValue(text, 'LEADERS', 'Data'), 'hex').toString('latin1', 0, 14);
    const page = await gameOver();
    const [dialog, game] = await page.$$eval('#dialog-1002, #screen', boxes => boxes.map(box => {
      const {left, top, width, height} = box.getBoundingClientRect();
      return [left + width / 2, top + height / 2];
    }));
    assert.ok(Math.abs(dialog[0] - game[0]) <= 1 && Math.abs(dialog[1] - game[1]) <= 1,
      `centred on the game: ${dialog}, ${game}`);
    for (const [name, warning] of [['ABCDEFGHI', 'Maximum length is 8 characters!'],
      ['Иван', 'Please use only latin letters!']]) {
      await page.$eval('#dialog-1002 input', input => input.select());
      await page.keyboard.type(name);
      await page.keyboard.press('Enter');
      await page.waitForSelector('#dialog-0[open]');
      assert.deepEqual(await page.$$eval('#dialog-0 header, #dialog-0 p', texts => texts.map(t => t.textContent)),
        ['Brimzo! warning', warning]);
      await page.keyboard.press('Enter');
      await page.waitForSelector('#dialog-0:not([open])');
    }
    await page.keyboard.press('Escape');
    await page.$eval('#dialog-1002 input', input => input.select());
    await page.keyboard.type('Zed');
    await page.keyboard.press('Enter');
    await page.waitForSelector('#dialog-1002:not([open])');

    await web.eventually(async () => web.iniValue(await web.storedText(page), 'GAME', 'LastLeaderName') === 'Zed',
      'the name stored');
    const text = await web.storedText(page);
    const line = topLine(text);
    assert.equal(line, 'Zed      00250');
    assert.equal(savedGame(text).score, 0, 'a new game after the game over');
    const sheet = await web.pngPixels(page, path.join(args.assets, 'brimzo.png'));
    const shown = await web.canvasPixels(page);
    [...line].forEach((char, k) => {
      const code = char.charCodeAt(0) - 32;
      assert.deepEqual(web.block(shown, 640, 420 + 15 * k, 155, 15, 25),
        web.block(sheet.pixels, sheet.width, 640 + 15 * (code % 16), 320 + 25 * Math.floor(code / 16), 15, 25),
        `character ${k} of the top line on the canvas`);
    });
    await page.close();

    const closed = await gameOver();
    await closed.keyboard.type('Amy');
    await web.eventually(() => closed.$eval('#dialog-1002 input', input => input.value === 'Amy'),
      'the name typed'); // Firefox may still be typing it
    await closed.close();
    // read where no game starts, which would save its own over the file (Firefox keeps what a
    // closing page saves a moment later)
    const later = await browser.newPage();
    await later.goto(`${url}help.html`);
    await web.eventually(async () => web.iniValue(await web.storedText(later) ?? '', 'GAME', 'LastLeaderName') === 'Amy',
      'the name kept');
    const text2 = await web.storedText(later);
    assert.equal(topLine(text2), 'Amy      00250');
    assert.equal(savedGame(text2).score, 0, 'a new game kept');
  },

  // The page's help controls. Hint frames a ball and an empty cell, and nothing else; the move
  // played and then taken back with Undo leaves the saved game as it was, marked assisted.
  // Watch plays other games on the screen until a click gives the player's game back, as it
  // was and as it is saved.
  async assist({browser, url}) {
    const board = preparedBoard();
    const page = await web.openGame(browser, url, savedGameIni(0, PREPARED_STATE, 40, board, PREPARED_NEXT));
    const stored = await web.storedText(page);
    const start = await web.canvasPixels(page);
    await page.click('#hint');
    let cells = null;
    await web.eventually(async () => (cells = framedCells(start, await web.canvasPixels(page))) !== null &&
      cells.length === 2, 'two cells framed');
    const [ball, target] = board[cells[0]] === EMPTY ? [cells[1], cells[0]] : cells;
    assert.ok(board[ball] !== EMPTY && board[target] === EMPTY, `a ball and an empty cell: ${cells}`);
    await web.clickCell(page, ball % 9, Math.floor(ball / 9));
    await web.clickCell(page, target % 9, Math.floor(target / 9));
    await web.eventually(async () => savedGame(await web.storedText(page)).board[ball] === EMPTY,
      'the move saved');
    await page.click('#undo');
    await web.eventually(async () => web.iniValue(await web.storedText(page), 'GAME', 'Assisted') === '1',
      'the game marked assisted');
    const undone = await web.storedText(page);
    assert.deepEqual(savedGame(undone), savedGame(stored));
    const shown = await web.canvasPixels(page);
    assert.ok(shown.every((value, i) => value === start[i]), 'the board as it was');

    await page.click('#watch');
    const differs = async picture => (await web.canvasPixels(page)).some((value, i) => value !== picture[i]);
    await web.eventually(() => differs(shown), 'the demo on the screen');
    const dealt = await web.canvasPixels(page);
    await web.eventually(() => differs(dealt), 'the demo moves', 15000);
    await web.click(page, 500, 400);
    await web.eventually(async () => !await differs(shown), 'the player\'s game back');
    assert.equal(await web.storedText(page), undone);
  },

  // The share control copies a link to the game. Another player opens it in a browser of their
  // own: the page asks first, then plays that very game, and the code leaves the address. An
  // ordinary link into the page, opened before, does nothing.
  async share({browser, url}) {
    const board = preparedBoard();
    const page = await web.openGame(browser, url, savedGameIni(2, PREPARED_STATE, 40, board, PREPARED_NEXT));
    await page.click('#share');
    await page.waitForSelector('#share-status:not(:empty)');
    const [, words, link] = /^(.*?): (.*)$/.exec(await page.$eval('#share-status', status => status.textContent));
    assert.match(link, new RegExp(`^${url}#[A-Za-z0-9_-]{62}$`));
    assert.equal(words, 'Link copied');
    if (web.can('clipboard', 'reading the clipboard')) {
      assert.equal(await page.evaluate(() => navigator.clipboard.readText()), link);
    }

    const friend = await web.anotherPlayer(browser, page);
    await friend.goto(`${url}#how-to-play`);
    await web.waitForFirstFrame(friend); // its part from '#' went to the game before
    await friend.goto(link); // the game takes the two in turn: a refusal would come first
    await friend.waitForSelector('#dialog-0[open]');
    assert.deepEqual(await friend.$$eval('#dialog-0 header, #dialog-0 p', texts => texts.map(t => t.textContent)),
      ['Brimzo!', 'Play the shared game? Your game in progress ends.']);
    await friend.click('#dialog-0 [data-id="1"]'); // OK
    await web.eventually(async () => savedGame(await web.storedText(friend)).mode === 2, 'the shared game kept');
    assert.deepEqual(savedGame(await web.storedText(friend)),
      {mode: 2, state: PREPARED_STATE, score: 40, board, next: PREPARED_NEXT});
    assert.equal(await friend.evaluate(() => location.href), url);
  },

  // The exported file is what the game keeps, byte for byte. A damaged file is refused, and so
  // is one with LF line ends that would outgrow the game's room once written with CR LF; both
  // change nothing. After another game was dealt, an import asks first: the export with a
  // UTF-8 byte order mark is declined, the same in UTF-16 taken, and it all comes back.
  async export_import({browser, url, scratch}) {
    const page = await web.openGame(browser, url, savedGameIni(0, PREPARED_STATE, 40,
      preparedBoard(), PREPARED_NEXT, adaLeaders()));
    const kept = await web.storedText(page);
    const exported = await web.exportFile(browser, page, path.join(scratch, 'first'));
    if (exported) assert.equal(exported.toString('latin1'), kept, 'the export is the kept text');
    assert.equal(savedGame(kept).score, 40);

    const damaged = kept.replace(/SaveData1=(.)/, (_, letter) => `SaveData1=${letter === 'A' ? 'B' : 'A'}`);
    const long = kept.replace(/\r\n/g, '\n') + ';\n'.repeat(14000);
    for (const [text, refusal] of [[damaged, 'The game in progress in this file is damaged'],
      [long, 'This file is too large for a Brimzo settings file']]) {
      await importFile(page, scratch, Buffer.from(text, 'latin1'));
      await page.waitForSelector('#dialog-0[open]');
      assert.equal(await page.$eval('#dialog-0 p', p => p.textContent), `${refusal}: nothing was changed.`);
      await page.keyboard.press('Enter');
      await page.waitForSelector('#dialog-0:not([open])');
    }
    assert.equal(await web.storedText(page), kept);

    await web.click(page, 434 + 2 * 60 + 30, 120); // Groups: a new game
    await web.eventually(async () => savedGame(await web.storedText(page)).mode === 2, 'a new game kept');
    const dealt = await web.storedText(page);
    const marked = (mark, encoding) => Buffer.concat([Buffer.from(mark), Buffer.from(kept, encoding)]);
    for (const [bytes, answer] of [[marked([0xef, 0xbb, 0xbf], 'utf8'), 'Cancel'],
      [marked([0xff, 0xfe], 'utf16le'), 'OK']]) {
      await importFile(page, scratch, bytes);
      await page.waitForSelector('#dialog-0[open]');
      assert.equal(await page.$eval('#dialog-0 p', p => p.textContent), 'The game in progress, the ' +
        'leader tables of all three modes and the options will be replaced by those of this file. Replace them?');
      const button = `#dialog-0 button[data-id="${answer === 'OK' ? 1 : 2}"]`;
      if (answer === 'OK') {
        await page.evaluate(() => { window.before = true; });
        await page.click(button);
        await page.waitForFunction(() => !window.before);
      } else {
        await page.click(button);
        await page.waitForSelector('#dialog-0:not([open])');
        assert.equal(await web.storedText(page), dealt, 'declined: nothing changed');
      }
    }
    await web.waitForFirstFrame(page);
    assert.equal(await web.storedText(page), kept);
    const again = await web.exportFile(browser, page, path.join(scratch, 'second'));
    if (again) assert.ok(again.equals(exported), 'exported again byte for byte');
  },

  // Options names the row whose chosen wave file a page cannot keep, shows the alternative
  // skin's description whole, and its choices land in brimzo.ini under the keys the Windows
  // program writes (the second row is the slot of the key "WrongMove"); the About box's links
  // are reached with Tab.
  async dialogs({browser, url}) {
    const page = await web.openGame(browser, url,
      '[OPTIONS]\r\nSkin=meadow.png\r\n[SOUND]\r\nBallMovement=mine.wav\r\n');
    await page.keyboard.press('F5');
    await page.waitForSelector('#dialog-1000[open]');
    assert.equal(await page.$eval('#lost-sounds', p => p.hidden ? '' : p.textContent),
      'Choose again: Ball Movement. A browser keeps the name of a chosen wave file, not the ' +
      'file: its standard sound plays until then.');
    const description = await page.$eval('#dialog-1000 [data-id="701"]', p =>
      [p.textContent, p.scrollHeight <= p.clientHeight]);
    assert.deepEqual(description, ['Meadow: a light green board for daytime play. Drawn from code for Brimzo.', true]);
    await page.click('#dialog-1000 [data-id="102"]');
    await page.click('#dialog-1000 [data-id="601"]');
    await page.$eval('#dialog-1000 [data-id="501"]', field => { field.value = ''; });
    await page.type('#dialog-1000 [data-id="501"]', '50');
    await page.keyboard.press('Enter');
    await page.waitForSelector('#dialog-1000:not([open])');
    const chosen = ['SelectedBall', 'ShapeComplete', 'BallMovement', 'WrongMove', 'Skin',
      'AnimationSpeed'];
    await web.eventually(async () => {
      const text = await web.storedText(page) ?? '';
      return chosen.map(key => web.iniValue(text, 'OPTIONS', key)).join(' ') ===
        '1 1 1 0 brimzo.png 50';
    }, 'the options in brimzo.ini');
    await page.keyboard.down('Shift');
    await page.keyboard.press('F1');
    await page.keyboard.up('Shift');
    await page.waitForSelector('#dialog-1001[open]');
    const reached = [];
    for (let k = 0; k < 3; k++) {
      await page.keyboard.press('Tab');
      reached.push(await page.evaluate(() => document.activeElement.dataset.id));
    }
    assert.deepEqual(reached, ['12321', '12322', '1']);
  },

  // Storage filled up before the game starts (here at 127.0.0.1), or site data blocked (here
  // for localhost): the game starts all the same and says so once, plays on, and Export gives
  // the game it holds.
  async storage({browser, url, scratch}) {
    const blocked = [url.replace('127.0.0.1', 'localhost'), false, /keeps nothing for this page/];
    for (const [address, fill, words] of [[url, true, /storage for this page is full/],
      ...web.can('blocking', 'the site whose data is blocked') ? [blocked] : []]) {
      const page = await browser.newPage();
      if (fill) {
        await page.goto(`${url}help.html`);
        await page.evaluate(() => {
          for (let size = 1 << 20, n = 0; size >= 1; size >>= 1) {
            try {
              for (;;) localStorage.setItem(`${n++}`, 'x'.repeat(size));
            } catch {
              // full for this size: a smaller one may still fit
            }
          }
        });
      }
      await page.goto(address);
      await page.waitForSelector('#dialog-0[open]');
      assert.match(await page.$eval('#dialog-0 p', p => p.textContent), words);
      await page.keyboard.press('Enter');
      await web.click(page, 434 + 2 * 60 + 30, 120); // Groups: a new game
      const folder = path.join(scratch, fill ? 'full' : 'blocked');
      if (web.can('download', 'the export of the game held')) {
        await exportUntil(browser, page, folder, text => savedGame(text).mode === 2, 'the new game exported');
      }
      assert.equal(await page.$('#dialog-0[open]'), null, 'told only once');
      await page.close();
    }
  },

  // On a plain-HTTP host, which has no Web Locks, a second tab of the game says it is open
  // elsewhere and leaves the first one's leaders alone; a copy of the game at another path of
  // the host plays beside it with a file of its own. The first took over the file that all
  // copies shared in earlier versions.
  async plain_host({browser, url}) {
    if (!web.can('hostNames', 'the plain-HTTP host')) return;
    const host = url.replace('127.0.0.1', 'brimzo.test');
    const leaders = adaLeaders();
    const first = await browser.newPage();
    await first.goto(`${host}help.html`);
    await first.evaluate(text => localStorage.setItem('brimzo.ini', text), leaders);
    await first.goto(host);
    await web.waitForFirstFrame(first);
    const kept = await web.storedText(first);
    assert.equal(web.iniValue(kept, 'LEADERS', 'Data'), web.iniValue(leaders, 'LEADERS', 'Data'));
    const second = await browser.newPage();
    await second.goto(host);
    await second.waitForSelector('#notice:not([hidden])');
    assert.match(await second.$eval('#notice-text', p => p.textContent), /open in another tab/);
    const copy = await web.openGame(browser, `${host}second/`);
    await web.eventually(async () => await web.storedText(copy) !== null, 'the copy keeps its game');
    assert.equal(web.iniValue(await web.storedText(copy), 'LEADERS', 'Data'), web.model(args,
      'model.encode_leader_tables(tables)[0]', {tables: Array(3).fill(Array(10).fill('Brimzo!  00100'))}));
    assert.equal(await web.storedText(first), kept);
  },

  // A second build, the first's files with the style sheet changed. While a page of the first
  // is open, its service worker takes the second whole, and the page keeps the files it started
  // with. Once it is closed, a new page comes wholly from the second build's set, asking the
  // server for none of its files, the first's set is gone, and the set of the copy of the game at another
  // path is left alone. (One window: a page closes as the window leaves it.)
  async update({browser, url, scratch, server}) {
    const sets = page => page.evaluate(() => navigator.serviceWorker.ready.then(() => caches.keys()));
    const page = await web.openGame(browser, `${url}second/`);
    await sets(page);
    await page.goto(url);
    await web.waitForFirstFrame(page);
    await sets(page);
    await page.reload(); // now served by the first build's worker
    await web.waitForFirstFrame(page);
    const stage = path.join(scratch, 'stage');
    fs.cpSync(args.stage, stage, {recursive: true});
    fs.appendFileSync(path.join(stage, 'brimzo.css'), '/* the second build */\n');
    server.folder = path.join(scratch, 'dist');
    execFileSync('python3', [new URL('../../scripts/web_dist.py', import.meta.url).pathname, stage, server.folder]);
    await page.evaluate(() => navigator.serviceWorker.getRegistration().then(registration => registration.update()));
    await web.eventually(() => page.evaluate(() => navigator.serviceWorker.getRegistration()
      .then(registration => registration.waiting !== null)), 'the second build kept');
    assert.equal(await page.evaluate(() => fetch('./').then(response => response.text())),
      fs.readFileSync(path.join(args.dist, 'index.html'), 'utf8'));
    await page.goto(`${url}second/`);
    await web.eventually(() => page.evaluate(() => navigator.serviceWorker.getRegistration('../')
      .then(registration => registration.waiting === null && registration.active.state === 'activated')),
    'the second build serving');

    const asked = server.asked.length;
    await page.goto(url);
    await web.waitForFirstFrame(page);
    await page.evaluate(() => window.brimzo.allFiles());
    // (WebKit asks for the worker's script again, as a browser may, to look for a newer one)
    assert.deepEqual(server.asked.slice(asked).filter(name => name !== '/service-worker.js'), [],
      'all from the second build\'s set');
    const style = await page.$eval('link[rel="stylesheet"]', link => new URL(link.href).pathname.slice(1));
    assert.ok(fs.existsSync(path.join(server.folder, style)) && !fs.existsSync(path.join(args.dist, style)),
      `${style} is the second build's`);
    // the copy's set is its own, whichever build it came from (a visit there may update it)
    const build = /const BUILD = '(\w+)'/.exec(fs.readFileSync(path.join(server.folder, 'service-worker.js'), 'utf8'))[1];
    // a visit to the copy may have begun taking the second build, which keeps both its sets
    // until it serves
    await web.eventually(() => page.evaluate(() => navigator.serviceWorker.getRegistration('second/')
      .then(registration => !registration.installing && !registration.waiting)), 'the copy settled');
    const now = await sets(page);
    const ours = now.filter(name => !name.startsWith(`brimzo ${url}second/ `));
    assert.deepEqual([now.length, ours], [2, [`brimzo ${url} ${build}`]]);
    const kept = await page.evaluate(async name => (await (await caches.open(name)).keys())
      .map(request => new URL(request.url).pathname.slice(1)), ours[0]);
    assert.deepEqual(kept.sort(), fs.readdirSync(server.folder)
      .filter(name => name !== 'service-worker.js' && !/\.(br|gz)$/.test(name)).sort());
  },

  // The picture in windows of every size. On a phone, upright or on its side, it fits the
  // screen whole, nothing scrolls, and a tap reaches each corner cell: the ball at (0, 0) goes
  // round by (8, 0) and (8, 8) to (0, 8). On a desktop screen of 1.5 screen pixels to a page
  // pixel, every pixel of the game is a square of 3 x 3 screen pixels of its own colour.
  async window_sizes({browser, url, scratch}) {
    if (!web.can('phone', 'the phone and the screen of 1.5 pixels')) return;
    const board = Array(81).fill(EMPTY);
    board[at(0, 0)] = 3;
    const ini = savedGameIni(0, 1, 0, board, [[4, 4, 1], [3, 5, 2], [5, 3, 4]],
      '[OPTIONS]\r\nAnimationSpeed=1000\r\n');
    for (const [width, height, shown] of [[390, 844, [390, 292.5]], [844, 390, [520, 390]]]) {
      const page = await web.openGame(browser, url, ini,
        {width, height, deviceScaleFactor: 3, isMobile: true, hasTouch: true});
      const [left, top, ...size] = await web.pictureBox(page);
      assert.deepEqual(size, shown);
      assert.ok(left >= 0 && top >= 0 && left + size[0] <= width && top + size[1] <= height, 'all on the screen');
      assert.deepEqual(await page.evaluate(() => [document.scrollingElement.scrollWidth,
        document.scrollingElement.scrollHeight]), [width, height], 'nothing to scroll');
      for (const [from, to] of [[[0, 0], [8, 0]], [[8, 0], [8, 8]], [[8, 8], [0, 8]]]) {
        await web.tapCell(page, ...from);
        await web.tapCell(page, ...to);
        await web.eventually(async () => savedGame(await web.storedText(page)).board[at(...to)] === 3,
          `${width} x ${height}: the ball tapped to ${to}`);
      }
      await page.close();
    }

    const page = await web.openGame(browser, url, undefined, {width: 1300, height: 1000, deviceScaleFactor: 1.5});
    const [left, top, width, height] = await web.pictureBox(page);
    assert.deepEqual([width * 1.5, height * 1.5], [1920, 1440]);
    const game = await web.canvasPixels(page);
    for (const [x, y] of [[0, 0], [600, 440]]) { // 40 x 40 pixels at two opposite corners
      const file = path.join(scratch, `${x}.png`);
      await page.screenshot({path: file, clip: {x: left + 2 * x, y: top + 2 * y, width: 80, height: 80}});
      const shot = await web.pngPixels(page, file);
      const wrong = shot.pixels.findIndex((value, i) => value !== game[3 * (640 * (y + Math.floor(i / 360 / 3)) +
        x + Math.floor(i / 3 % 120 / 3)) + i % 3]);
      assert.equal(wrong, -1, `screen pixel ${Math.floor(wrong / 3) % 120}, ${Math.floor(wrong / 360)} from ${x}, ${y}`);
    }
  },
};

await web.withBrowser(args, environment => cases[args.name](environment));
console.log(`${args.name}: passed`);
