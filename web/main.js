// The page around the game, started by brimzo.js. It decodes the skins for the game, hands the
// game every event of the page through one queue (pointer, keys, bounce timer, dialogs,
// imports), shows what the game draws, plays its sounds, and keeps the text of brimzo.ini in the
// browser's local storage. The game calls the functions of `page` (web/*.cpp); the page calls the game only as
// it closes. Each concern is a module of its own beside this one.
import {ansiBytes, copyOut, textAt} from './codepage.js';
import * as dialogs from './dialogs.js';
import {allFiles, fetchTheRest, located, needSkin, skin, skinNames, skinPixels} from './files.js';
import './input.js';
import {eventBytes, fields, nextEvent, post} from './queue.js';
import {enterFullScreen, leaveFullScreen, present} from './screen.js';
import {publish, takeSharedCode} from './share.js';
import {playWave} from './sound.js';
import {keep, saved, store, storedBytes} from './storage.js';
import {Storage, EventKind} from './tables.js';
import {playAlone} from './tabs.js';
import {allowImport} from './transfer.js';

const TIMER_MINIMUM = 10; // Windows runs no timer more often

let timer = 0;
function setBounceTimer(period) {
  clearInterval(timer);
  timer = setInterval(() => post({kind: EventKind.Tick}), Math.max(TIMER_MINIMUM, period));
}

let releaseLock = () => {};
const notice = document.getElementById('notice');
const again = document.getElementById('again');
function showNotice(text, button) {
  document.getElementById('notice-text').textContent = text;
  again.textContent = button;
  again.hidden = !button;
  notice.hidden = false;
}
again.addEventListener('click', () => location.reload());

const page = {
  firstFrameAt: null, // when the first picture was shown, for measurements
  nextEvent,
  never: () => new Promise(() => {}),
  fields,
  clock: () => Math.floor(performance.now()) >>> 0, // wraps at 2^32 as the game expects
  utcTime() {
    const now = new Date();
    return [now.getUTCHours(), now.getUTCMinutes(), now.getUTCSeconds(), now.getUTCMilliseconds()];
  },
  localDate() {
    const now = new Date();
    return [now.getFullYear(), now.getMonth() + 1, now.getDate()];
  },
  publish,
  eventBytes,
  textAt,
  ansiBytes,
  copyOut,
  present(...frame) {
    present(...frame);
    if (page.firstFrameAt === null) {
      page.firstFrameAt = performance.now();
      fetchTheRest();
    }
  },
  playWave,
  setBounceTimer,
  fullScreenEnabled: () => document.fullscreenEnabled === true,
  enterFullScreen,
  leaveFullScreen,
  ...dialogs,
  storedBytes,
  store,
  // The page starts again from the file it keeps; nothing of this game is saved over it.
  replaceWith(bytes) {
    if (keep(bytes) !== Storage.Kept) return false;
    location.reload();
    return true;
  },
  openHelp: () => window.open('help.html', '_blank', 'noopener'),
  needSkin,
  skin,
  skinNames,
  skinPixels,
  allFiles,
  stopped() {
    clearInterval(timer);
    allowImport(false);
    showNotice(saved.kept ? 'Brimzo has ended. Your game, leaders and options are kept in this browser.'
      : 'Brimzo has ended. This browser did not keep your game, leaders and options: ' +
        'Export brimzo.ini still saves them in a file until the page is closed.', 'Play again');
    releaseLock();
  },
};
window.brimzo = page;

let game = null;
async function start() {
  game = await createBrimzoCore({page, noInitialRun: true, locateFile: located});
  takeSharedCode();
  game.callMain([]);
}

// Closing the page ends the session, which settles a name being asked for; a page the browser
// brings back from its cache starts again from what it kept.
addEventListener('pagehide', () => game?._PageClosing());
addEventListener('pageshow', event => { if (event.persisted) location.reload(); });

function run() {
  start().then(() => allowImport(true),
    error => showNotice(`Brimzo could not start: ${error}`, 'Try again'));
  return new Promise(resolve => { releaseLock = resolve; });
}

playAlone(run, () => showNotice('Brimzo is open in another tab or window of this browser: ' +
  'play it there, or close it and try again.', 'Try again'));
