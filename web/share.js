// Sharing: the game tells the page its code and the daily result after every event, so that the
// controls answer at once, within the click that lets a page write the clipboard. On a phone
// the system's share sheet takes the link.
import {ansiBytes} from './codepage.js';
import {post} from './queue.js';
import {ControlHeld, EventKind, Key} from './tables.js';

const shared = {code: '', result: ''};
const shareStatus = document.getElementById('share-status');
const shareButton = document.getElementById('share');
const resultButton = document.getElementById('result');

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

export function publish(code, result) {
  Object.assign(shared, {code, result});
  shareButton.disabled = false;
  resultButton.disabled = !result;
}

shareButton.addEventListener('click', () => {
  const link = `${location.href.split('#')[0]}#${shared.code}`;
  if (navigator.share && matchMedia('(pointer: coarse)').matches) {
    navigator.share({title: 'Brimzo', url: link}).catch(() => {});
  } else {
    copyText(link, 'Link copied');
  }
});
resultButton.addEventListener('click', () => copyText(shared.result, 'Copied'));
document.getElementById('daily').addEventListener('click', () =>
  post({kind: EventKind.KeyDown, a: Key.D, b: ControlHeld}));

// A link's part from its '#' goes to the game once, which judges it as a pasted link, and
// leaves the address, so that a reload does not ask again.
export function takeSharedCode() {
  const code = location.hash;
  if (!code) return;
  history.replaceState(null, '', location.pathname + location.search);
  post({kind: EventKind.SharedCode, bytes: ansiBytes(code)});
}
addEventListener('hashchange', takeSharedCode);
