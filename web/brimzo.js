// The page around the game. It puts the skins into the game's folder, hands the game every
// event of the page through one queue (pointer, bounce timer, dialogs, imports), shows what the
// game draws, plays its sounds, and keeps the text of brimzo.ini in the browser's local storage.
// The game calls the functions of `page` (web/*.cpp); the page calls the game only as it
// closes.
'use strict';

(() => {
// Each copy of the game on a host keeps its own file, under the path of its folder. Earlier
// they all kept one under a shared name: the first copy to start takes that one over.
const FOLDER_PATH = location.pathname.replace(/[^/]*$/, '');
const STORAGE_KEY = `${FOLDER_PATH}brimzo.ini`;
const SHARED_KEY = 'brimzo.ini';
const FOLDER = '/brimzo';
const SKINS = ['brimzo.png', 'meadow.png'];
const WAVES = ['jump.wav', 'cantmove.wav', 'move.wav', 'destroy.wav'];
const WIDTH = 640;
const HEIGHT = 480;
const EVENT = {pointerDown: 1, pointerMove: 2, tick: 3, fullScreenLeft: 4, command: 5, import: 6,
  keyDown: 7, sharedCode: 8};
// The game's keys (shell/keys.h), in its order, by the place of the key on the keyboard.
const KEYS = ['ArrowLeft', 'ArrowRight', 'ArrowUp', 'ArrowDown', 'Space', 'Enter', 'Escape', 'F1',
  'F5', 'F11', 'Digit1', 'Digit2', 'Digit3', 'KeyM', 'KeyD'];
const TIMER_MINIMUM = 10; // Windows runs no timer more often
const READ_LIMIT = 1 << 20; // more than any settings file: the game judges the size

const canvas = document.getElementById('screen');
const context = canvas.getContext('2d');
const picture = context.createImageData(WIDTH, HEIGHT);
const stage = document.getElementById('stage');
const main = document.querySelector('main');

// The one queue. The game takes an event when it waits for one, so an event that comes during
// an animation waits its turn. As Windows does, only one timer tick waits at a time, and the
// pointer's last position replaces a move not yet taken.
const queue = [];
let wakeGame = null;
let current = {};

function post(event) {
  const last = queue[queue.length - 1];
  if (event.kind === EVENT.tick && queue.some(waiting => waiting.kind === EVENT.tick)) return;
  if (event.kind === EVENT.pointerMove && last && last.kind === EVENT.pointerMove) {
    queue[queue.length - 1] = event;
    return;
  }
  queue.push(event);
  if (wakeGame) {
    const wake = wakeGame;
    wakeGame = null;
    wake();
  }
}

function nextEvent() {
  return new Promise(resolve => {
    const take = () => {
      current = queue.shift();
      resolve(current);
    };
    if (queue.length) take(); else wakeGame = take;
  });
}

// The game's strings are bytes in Windows' Western code page, as in its brimzo.ini.
const HIGH = '\u20ac\x81\u201a\u0192\u201e\u2026\u2020\u2021\u02c6\u2030\u0160\u2039\u0152\x8d' +
  '\u017d\x8f\x90\u2018\u2019\u201c\u201d\u2022\u2013\u2014\u02dc\u2122\u0161\u203a\u0153\x9d' +
  '\u017e\u0178';

function ansiText(bytes) {
  let text = '';
  for (const byte of bytes) text += byte >= 0x80 && byte < 0xa0 ? HIGH[byte - 0x80] : String.fromCharCode(byte);
  return text;
}

// A character the code page lacks is '?', as Windows writes it, or the given byte.
function ansiBytes(text, lacking = 0x3f) {
  return Uint8Array.from(text, char => {
    const high = HIGH.indexOf(char);
    const code = char.codePointAt(0);
    return high >= 0 ? 0x80 + high : code < 0x100 ? code : lacking;
  });
}

// Local storage holds text: the file's bytes are kept one a character. A browser that blocks
// the page's site data refuses to open it at all; one whose storage is full refuses the file.
const KEPT = 0;
const BLOCKED = 1;
const FULL = 2;
const storedString = bytes => Array.from(bytes, byte => String.fromCharCode(byte)).join('');
function storedBytes() {
  try {
    const text = localStorage.getItem(STORAGE_KEY) ?? localStorage.getItem(SHARED_KEY);
    return text === null ? null : Uint8Array.from(text, char => char.charCodeAt(0));
  } catch {
    return null;
  }
}

function keep(bytes) {
  try {
    localStorage.setItem(STORAGE_KEY, storedString(bytes));
    localStorage.removeItem(SHARED_KEY);
    return KEPT;
  } catch (error) {
    return error.name === 'QuotaExceededError' ? FULL : BLOCKED;
  }
}

// What the game saved last, whether the browser kept it or not: Export gives this.
let saved = null;
let savedKept = true;
function store(bytes) {
  saved = bytes;
  const kept = keep(bytes);
  savedKept = kept === KEPT;
  return kept;
}

// The picture: the game's rows are blue-green-red, each starting at a multiple of 4 bytes.
function present(heap, pixels, stride, x, y, width, height) {
  const out = picture.data;
  for (let row = y; row < y + height; row++) {
    let from = pixels + row * stride + x * 3;
    let to = (row * WIDTH + x) * 4;
    for (let end = to + width * 4; to < end; to += 4, from += 3) {
      out[to] = heap[from + 2];
      out[to + 1] = heap[from + 1];
      out[to + 2] = heap[from];
      out[to + 3] = 255;
    }
  }
  context.putImageData(picture, 0, 0, x, y, width, height);
  if (page.firstFrameAt === null) {
    page.firstFrameAt = performance.now();
    fetchTheRest();
  }
}

// The picture as large as the room the page leaves it, at a whole number of screen pixels per
// game pixel, sharp, when that comes to at least SHARP of the largest size that fits; else at
// that size, smoothed (a fraction would make some pixels one screen pixel wider than others).
// The page's buttons go beside the picture or below it, whichever leaves the picture larger.
const SHARP = 0.9;
function screenPixelsPerPixel(room, ratio) {
  const fit = Math.min(room.width * ratio / WIDTH, room.height * ratio / HEIGHT);
  const whole = Math.floor(fit);
  return whole >= 1 && whole >= SHARP * fit ? whole : fit;
}

// The largest offset up to the given one that is a whole number of both page and screen pixels.
function wholeOnScreen(offset, ratio) {
  for (let page = Math.floor(offset); page > 0; page--) {
    if (Number.isInteger(Math.round(page * ratio * 1e6) / 1e6)) return page;
  }
  return 0;
}

// Placed on whole screen pixels too, or its rows and columns would straddle them.
function fitScreen() {
  const ratio = devicePixelRatio || 1;
  const layouts = document.fullscreenElement ? [main.className] : ['beside', 'below'];
  const rooms = layouts.map(layout => {
    main.className = layout;
    return stage.getBoundingClientRect();
  });
  const scales = rooms.map(room => screenPixelsPerPixel(room, ratio));
  const best = scales.indexOf(Math.max(...scales));
  const [room, scale] = [rooms[best], scales[best]];
  const cssPixels = (length, roomLength) =>
    [length * scale / ratio, wholeOnScreen((roomLength - length * scale / ratio) / 2, ratio)];
  const [width, left] = cssPixels(WIDTH, room.width);
  const [height, top] = cssPixels(HEIGHT, room.height);
  main.className = layouts[best];
  canvas.classList.toggle('smooth', !Number.isInteger(scale));
  Object.assign(canvas.style, {width: `${width}px`, height: `${height}px`, marginLeft: `${left}px`,
    marginTop: `${top}px`});
}

// A window moved to a screen of another pixel density changes the ratio without a resize.
function watchPixelRatio() {
  matchMedia(`(resolution: ${devicePixelRatio}dppx)`).addEventListener('change', () => {
    fitScreen();
    watchPixelRatio();
  }, {once: true});
}

// Sounds, as Windows plays a wave file: one at a time, either cutting off the one that plays or
// playing nothing while one plays. A file that is no wave plays nothing.
const sounds = new Map(); // file name in lower case -> decoded sound
const offered = new Set(); // every file this visit has had, sound or not, in lower case
let audio = null;
let playing = null;

function audioContext() {
  if (!audio && window.AudioContext) audio = new AudioContext();
  return audio;
}

async function decodeWave(name, bytes) {
  const key = name.toLowerCase();
  offered.add(key);
  sounds.delete(key);
  try {
    sounds.set(key, await audioContext().decodeAudioData(bytes.slice().buffer));
  } catch {
    // not a sound this browser can play
  }
}

function stopSound() {
  if (!playing) return;
  playing.onended = null;
  playing.stop();
  playing = null;
}

// Sound on or off for the whole page in one step (its button, or M), kept in this browser for
// each copy of the game; the choice of each sound in brimzo.ini stays as it is.
const SOUND_KEY = `${FOLDER_PATH}brimzo sound`;
const soundButton = document.getElementById('sound');
let silent = false;
try {
  silent = localStorage.getItem(SOUND_KEY) === 'off';
} catch {
  // site data blocked: the sound is on for each visit
}
const showSound = () => { soundButton.textContent = silent ? 'Sound: off' : 'Sound: on'; };
function switchSound() {
  silent = !silent;
  try {
    localStorage.setItem(SOUND_KEY, silent ? 'off' : 'on');
  } catch {
    // kept for this visit only
  }
  if (silent) stopSound();
  showSound();
}
soundButton.addEventListener('click', switchSound);
showSound();

// A file this visit has not had plays the standard sound of its slot, as Windows plays its
// default sound for a missing file.
function playWave(name, standard, cutOff) {
  if (silent || !audio || audio.state !== 'running' || (playing && !cutOff)) return;
  stopSound();
  const sound = sounds.get((offered.has(name.toLowerCase()) ? name : standard).toLowerCase());
  if (!sound) return;
  const source = audio.createBufferSource();
  source.buffer = sound;
  source.connect(audio.destination);
  source.onended = () => { if (playing === source) playing = null; };
  source.start();
  playing = source;
}

let timer = 0;
function setBounceTimer(period) {
  clearInterval(timer);
  timer = setInterval(() => post({kind: EVENT.tick}), Math.max(TIMER_MINIMUM, period));
}

// Full screen is the browser's, on the stage; a refusal, or the player's own way out of it
// (Escape), leaves it for the game too.
function enterFullScreen() {
  if (!document.fullscreenElement) {
    stage.requestFullscreen().catch(() => post({kind: EVENT.fullScreenLeft}));
  }
}

function leaveFullScreen() {
  if (document.fullscreenElement) document.exitFullscreen().catch(() => {});
}

document.addEventListener('fullscreenchange', () => {
  fitScreen();
  if (!document.fullscreenElement) post({kind: EVENT.fullScreenLeft});
});

// The dialogs: the game fills and reads their controls by id and waits for their commands.
const openDialogs = [];
const dialogOf = templateId => document.getElementById(`dialog-${templateId}`);
const item = (templateId, id) => dialogOf(templateId).querySelector(`[data-id="${id}"]`);

// Centred on the game, wherever the page shows it, but never off the page's top left.
function openDialog(templateId) {
  const dialog = dialogOf(templateId);
  openDialogs.push(dialog);
  dialog.showModal();
  const box = canvas.getBoundingClientRect();
  const centre = (start, size, own) => `${Math.max(0, Math.round(start + (size - own) / 2))}px`;
  dialog.style.left = centre(box.left, box.width, dialog.offsetWidth);
  dialog.style.top = centre(box.top, box.height, dialog.offsetHeight);
  if (document.activeElement?.type === 'text') document.activeElement.select();
}

function closeDialog(templateId) {
  const dialog = dialogOf(templateId);
  openDialogs.splice(openDialogs.indexOf(dialog), 1);
  dialog.close();
}

// A page keeps the name of a chosen wave file, not the file: Options names the rows whose file
// this visit has not had.
function noteLostSound(checkBox, name) {
  item(1000, checkBox).closest('label').classList.toggle('lost', !offered.has(name.toLowerCase()));
  const lost = Array.from(dialogOf(1000).querySelectorAll('label.lost'), label => label.textContent);
  const note = document.getElementById('lost-sounds');
  note.hidden = !lost.length;
  note.textContent = `Choose again: ${lost.join(', ')}. A browser keeps the name of a chosen ` +
    'wave file, not the file: its standard sound plays until then.';
}

function setItemText(templateId, id, text) {
  const control = item(templateId, id);
  if (control.tagName === 'INPUT') control.value = text; else control.textContent = text;
}

// A question has Cancel beside OK, and its own sign.
function setMessage(text, caption, question) {
  const dialog = dialogOf(0);
  dialog.querySelector('header').textContent = caption;
  dialog.querySelector('p').textContent = text;
  dialog.querySelector('.stop').textContent = question ? '?' : '\u00d7';
  dialog.classList.toggle('question', question);
  item(0, 2).hidden = !question;
}

function focusLost(templateId) {
  const focus = document.activeElement;
  return !focus || focus.disabled || !dialogOf(templateId).contains(focus);
}

// Tab goes round a dialog's controls, as in a Windows dialog, rather than out of the page.
function tabAround(dialog, event) {
  const stops = Array.from(dialog.querySelectorAll('button, input, a[href]'))
    .filter(control => !control.disabled && !control.hidden);
  const [last, first] = event.shiftKey ? [stops[0], stops.at(-1)] : [stops.at(-1), stops[0]];
  if (document.activeElement !== last) return;
  event.preventDefault();
  first.focus();
}

// Enter is Ok (the form's submit button); Escape is the cancel command, which each dialog
// answers in its own way. A dialog the browser closes by itself opens again.
for (const dialog of document.querySelectorAll('dialog')) {
  const templateId = Number(dialog.dataset.template);
  const command = (id, bytes) => post({kind: EVENT.command, a: id, b: templateId, bytes});
  dialog.addEventListener('click', event => {
    const button = event.target.closest('button[data-id]');
    if (!button || button.type === 'submit') return;
    const id = Number(button.dataset.id);
    if ('wave' in button.dataset) chooseWave(id); else command(id);
  });
  dialog.querySelector('form').addEventListener('submit', event => {
    event.preventDefault();
    command(1);
  });
  dialog.addEventListener('keydown', event => {
    if (event.key === 'Tab') tabAround(dialog, event);
    if (event.key !== 'Escape') return;
    event.preventDefault();
    command(2);
  });
  dialog.addEventListener('cancel', event => event.preventDefault());
  dialog.addEventListener('close', () => { if (openDialogs.includes(dialog)) dialog.showModal(); });
}

// Only digits go into the speed field, as in the Windows field.
document.querySelector('#dialog-1000 input.number').addEventListener('input', event => {
  event.target.value = event.target.value.replace(/[^0-9]/g, '');
});

// A Change button asks for the file first; the game hears of it once a file is chosen.
const waveInput = document.getElementById('wave-file');
let waveCommand = 0;
function chooseWave(id) {
  waveCommand = id;
  waveInput.value = '';
  waveInput.click();
}

waveInput.addEventListener('change', async () => {
  const file = waveInput.files[0];
  if (!file) return;
  const bytes = ansiBytes(file.name);
  await decodeWave(ansiText(bytes), new Uint8Array(await file.arrayBuffer()));
  post({kind: EVENT.command, a: waveCommand, b: 1000, bytes});
});

// Export downloads what the game saved last (what the browser keeps, before it has saved);
// an import goes to the game to judge.
document.getElementById('export').addEventListener('click', () => {
  const bytes = saved || storedBytes();
  if (!bytes) return;
  const link = document.createElement('a');
  link.href = URL.createObjectURL(new Blob([bytes], {type: 'application/octet-stream'}));
  link.download = 'brimzo.ini';
  link.click();
  setTimeout(() => URL.revokeObjectURL(link.href), 60000);
});

// Import only while the game runs, which takes the file.
const importInput = document.getElementById('import-file');
const importButton = document.getElementById('import');
importButton.addEventListener('click', () => {
  importInput.value = '';
  importInput.click();
});
importInput.addEventListener('change', async () => {
  const file = importInput.files[0];
  if (!file) return;
  post({kind: EVENT.import, bytes: codePageText(new Uint8Array(await file.slice(0, READ_LIMIT).arrayBuffer()))});
});

// The Windows program reads a file that starts with a byte order mark as UTF-8 or UTF-16 text
// in its code page (and keeps writing it so); the game here takes that same text.
const MARKS = [['utf-8', [0xef, 0xbb, 0xbf]], ['utf-16le', [0xff, 0xfe]], ['utf-16be', [0xfe, 0xff]]];
function codePageText(bytes) {
  const [encoding, mark] = MARKS.find(([, marks]) => marks.every((byte, i) => bytes[i] === byte)) || [];
  return encoding ? ansiBytes(new TextDecoder(encoding).decode(bytes.subarray(mark.length))) : bytes;
}

// Sharing: the game tells the page its code and the daily result after every event, so that the
// controls answer at once, within the click that lets a page write the clipboard. On a phone
// the system's share sheet takes the link.
const shared = {code: '', result: ''};
const shareStatus = document.getElementById('share-status');

let statusTimer = 0;
function showStatus(text) {
  shareStatus.textContent = text;
  shareStatus.hidden = false;
  clearTimeout(statusTimer);
  statusTimer = setTimeout(() => { shareStatus.hidden = true; }, 10000);
}

async function copyText(text, done) {
  try {
    await navigator.clipboard.writeText(text);
    showStatus(`${done}: ${text}`);
  } catch {
    showStatus(`Copy this: ${text}`);
  }
}

document.getElementById('share').addEventListener('click', () => {
  const link = `${location.href.split('#')[0]}#${shared.code}`;
  if (navigator.share && matchMedia('(pointer: coarse)').matches) {
    navigator.share({title: 'Brimzo', url: link}).catch(() => {});
  } else {
    copyText(link, 'Link copied');
  }
});
document.getElementById('result').addEventListener('click', () => copyText(shared.result, 'Copied'));
document.getElementById('daily').addEventListener('click', () =>
  post({kind: EVENT.keyDown, a: KEYS.indexOf('KeyD'), b: 2}));

// A link's part from its '#' goes to the game once, which judges it as a pasted link, and
// leaves the address, so that a reload does not ask again.
function takeSharedCode() {
  const code = location.hash;
  if (!code) return;
  history.replaceState(null, '', location.pathname + location.search);
  post({kind: EVENT.sharedCode, bytes: ansiBytes(code)});
}
addEventListener('hashchange', takeSharedCode);

// The pointer on the game's own 640 x 480 pixels, however large the page shows them.
function pointAt(event) {
  const box = canvas.getBoundingClientRect();
  const x = Math.floor((event.clientX - box.left) * WIDTH / box.width);
  const y = Math.floor((event.clientY - box.top) * HEIGHT / box.height);
  return {a: Math.min(WIDTH - 1, Math.max(0, x)), b: Math.min(HEIGHT - 1, Math.max(0, y))};
}

// No mouse events follow: their default would take the focus from a dialog the click opened.
// So the click takes the keys back itself from a page button that had them.
canvas.addEventListener('pointerdown', event => {
  event.preventDefault();
  document.activeElement?.blur();
  if (event.button !== 0) return;
  audioContext()?.resume();
  post({kind: EVENT.pointerDown, ...pointAt(event)});
});
canvas.addEventListener('pointermove', event => post({kind: EVENT.pointerMove, ...pointAt(event)}));
canvas.addEventListener('contextmenu', event => event.preventDefault());

// The game's keys while no dialog is open and no control of the page has the focus; the
// browser does not act on them then (F5 does not reload, F1 opens the game's help). Alt+Enter
// is F11, as the window takes it. A key lets sounds play as a click does.
document.addEventListener('keydown', event => {
  const code = event.code === 'NumpadEnter' ? 'Enter' : event.code;
  const altEnter = event.altKey && code === 'Enter';
  const key = altEnter ? KEYS.indexOf('F11') : KEYS.indexOf(code);
  if (key < 0 || openDialogs.length || (event.altKey && !altEnter) || event.metaKey ||
      event.target.closest('button, input, a')) return;
  event.preventDefault();
  audioContext()?.resume();
  const modifiers = altEnter ? 0 : (event.shiftKey ? 1 : 0) | (event.ctrlKey ? 2 : 0);
  if (code === 'KeyM' && !modifiers) switchSound();
  else post({kind: EVENT.keyDown, a: key, b: modifiers});
});
addEventListener('resize', fitScreen);
fitScreen();
watchPixelRatio();

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
  fields: event => [event.kind, event.a || 0, event.b || 0],
  clock: () => Math.floor(performance.now()) >>> 0, // wraps at 2^32 as the game expects
  utcTime() {
    const now = new Date();
    return [now.getUTCHours(), now.getUTCMinutes(), now.getUTCSeconds(), now.getUTCMilliseconds()];
  },
  localDate() {
    const now = new Date();
    return [now.getFullYear(), now.getMonth() + 1, now.getDate()];
  },
  publish(code, result) {
    Object.assign(shared, {code, result});
    document.getElementById('share').disabled = false;
    document.getElementById('result').disabled = !result;
  },
  eventBytes: () => current.bytes || new Uint8Array(0),
  textAt(heap, address) {
    return ansiText(heap.subarray(address, heap.indexOf(0, address)));
  },
  // Into a buffer of the game: at most size - 1 bytes and a zero; the whole length, -1 for none.
  copyOut(heap, bytes, address, size) {
    if (size <= 0) return bytes ? bytes.length : -1;
    const count = bytes ? Math.min(bytes.length, size - 1) : 0;
    if (bytes) heap.set(bytes.subarray(0, count), address);
    heap[address + count] = 0;
    return bytes ? bytes.length : -1;
  },
  present,
  playWave,
  setBounceTimer,
  fullScreenEnabled: () => document.fullscreenEnabled === true,
  enterFullScreen,
  leaveFullScreen,
  openDialog,
  closeDialog,
  setItemText,
  noteLostSound,
  // A character of no code page byte becomes one that no field's rule takes ('?' would pass
  // as a name).
  itemBytes: (templateId, id) => ansiBytes(item(templateId, id).value, 0x81),
  item,
  focusLost,
  setMessage,
  storedBytes,
  store,
  // The page starts again from the file it keeps; nothing of this game is saved over it.
  replaceWith(bytes) {
    if (keep(bytes) !== KEPT) return false;
    location.reload();
    return true;
  },
  openHelp: () => window.open('help.html', '_blank', 'noopener'),
  needSkin,
  allFiles: () => theRest, // Options lists the skins in the game's folder
  stopped() {
    clearInterval(timer);
    importButton.disabled = true;
    showNotice(savedKept ? 'Brimzo has ended. Your game, leaders and options are kept in this browser.'
      : 'Brimzo has ended. This browser did not keep your game, leaders and options: ' +
        'Export brimzo.ini still saves them in a file until the page is closed.', 'Play again');
    releaseLock();
  },
};
window.brimzo = page;

// The build names each file by its content (scripts/web_dist.py), so that no cache can pair one
// build's files with another's; the game knows its own by their plain names.
const LOCATIONS = {};
const located = name => LOCATIONS[name] ?? name;

// Each of the game's files is fetched once: the skin in use before the first frame, the rest
// after it. A file that did not come is missing from the game's folder, as a file can be
// beside the Windows program; the game then says so itself.
const fetches = new Map();
function fetched(name) {
  if (!fetches.has(name)) {
    fetches.set(name, fetch(located(name))
      .then(async response => response.ok ? new Uint8Array(await response.arrayBuffer()) : null)
      .catch(() => null));
  }
  return fetches.get(name);
}

// A skin the game needs is in its folder once this settles. The name comes from the settings
// file: only the game's own files are fetched, never an address a file names.
let game = null;
async function needSkin(name) {
  const bytes = SKINS.includes(name) ? await fetched(name) : null;
  if (bytes && !game.FS.analyzePath(name).exists) game.FS.writeFile(name, bytes);
}

// Once they are all in, the game's service worker keeps them for visits without a network
// (where the page has one: served over https, or from this machine).
let theRest = null;
function fetchTheRest() {
  theRest = Promise.all([...SKINS.map(needSkin), ...WAVES.map(async name => {
    const bytes = await fetched(name);
    if (bytes) await decodeWave(name, bytes);
  })]);
  theRest.then(() => navigator.serviceWorker?.register('service-worker.js')).catch(() => {});
}

// A new player starts with the standard skin: it comes along with the game's code.
async function start() {
  if (storedBytes() === null) fetched(SKINS[0]);
  game = await createBrimzoCore({page, noInitialRun: true, locateFile: located});
  game.FS.mkdir(FOLDER);
  game.FS.chdir(FOLDER);
  takeSharedCode();
  game.callMain([]);
}

// Closing the page ends the session, which settles a name being asked for; a page the browser
// brings back from its cache starts again from what it kept.
addEventListener('pagehide', () => game?._PageClosing());
addEventListener('pageshow', event => { if (event.persisted) location.reload(); });

function run() {
  start().then(() => { importButton.disabled = false; },
    error => showNotice(`Brimzo could not start: ${error}`, 'Try again'));
  return new Promise(resolve => { releaseLock = resolve; });
}

// Two tabs would each save their own leaders over the other's: the game runs in one of them.
// Web Locks tell where the browser has them; a page on a plain-HTTP host has none, and one
// whose site data is blocked may not use them, so its tabs ask each other instead.
const LOCK_NAME = `brimzo ${STORAGE_KEY}`;
const ASKING_TIME = 250; // milliseconds for a tab that plays to answer

function playAlone(play, refuse) {
  try {
    navigator.locks.request(LOCK_NAME, {ifAvailable: true}, lock => lock ? play() : refuse())
      .catch(() => askOtherTabs(play, refuse));
  } catch {
    askOtherTabs(play, refuse);
  }
}

// A tab that plays answers every tab that asks; of two that ask at once, the one that drew the
// smaller number gives way.
function askOtherTabs(play, refuse) {
  let channel;
  try {
    channel = new BroadcastChannel(LOCK_NAME);
  } catch {
    play();
    return;
  }
  const number = Math.random();
  let state = 'asking';
  channel.onmessage = ({data}) => {
    if (state === 'asking' && (data.playing || data.asking > number)) {
      state = 'refused';
      channel.close();
      refuse();
    } else if (state !== 'refused' && data.asking !== undefined) {
      channel.postMessage({playing: true});
    }
  };
  channel.postMessage({asking: number});
  setTimeout(() => {
    if (state !== 'asking') return;
    state = 'playing';
    play().then(() => channel.close());
  }, ASKING_TIME);
}

// Opened as a file, the page may fetch nothing, not even the game.
if (location.protocol === 'file:') {
  showNotice('Brimzo cannot run from a file opened in the browser: its folder must be served. ' +
    'In the folder of index.html, run\npython3 -m http.server 8000\nand open http://127.0.0.1:8000/',
  null);
} else {
  playAlone(run, () => showNotice('Brimzo is open in another tab or window of this browser: ' +
    'play it there, or close it and try again.', 'Try again'));
}
})();
