// The browser version in headless Chromium in the middle of a game, for the README:
// node scripts/web_shot.mjs --dist D --chromium B --model M --out picture.png
import * as web from '../tests/web/helper.mjs';

const args = web.options();
const [board, next] = web.model(args, `(lambda r, board: (
    [board.__setitem__(r.below(81), r.below(7)) for _ in range(26)],
    board, model.choose_next_balls(board, r))[1:])(model.Random(2026), [model.EMPTY] * 81)`);
const [first, second] = web.model(args, 'model.encode_saved_game(0, 5, 137, board, next)',
  {board, next});
const [data, crc] = web.model(args, 'model.encode_leader_tables(tables)', {tables: [
  ['Ada      00412', 'Lin      00318', 'Grace    00230', 'Kim      00150',
    ...Array(6).fill('Brimzo!  00100')],
  Array(10).fill('Brimzo!  00100'), Array(10).fill('Brimzo!  00100')]});
const ini = `[GAME]\r\nSaveData1=${first}\r\nSaveData2=${second}\r\n` +
  `[LEADERS]\r\nData=${data}\r\nCRC=${crc}\r\n`;

await web.withBrowser(args, async ({browser, url}) => {
  const page = await web.openGame(browser, url, ini);
  await page.setViewport({width: 672, height: 536});
  const ball = board.findIndex(colour => colour !== -1);
  await web.clickCell(page, ball % 9, Math.floor(ball / 9));
  await page.mouse.move(...await web.pagePoint(page, 500, 120)); // the Squares button lit
  await new Promise(resolve => setTimeout(resolve, 250));
  await page.screenshot({path: args.out});
});
