// The pointer and the keys, into the game's queue.
import {dialogOpen} from './dialogs.js';
import {post} from './queue.js';
import {canvas, pointAt} from './screen.js';
import {allowSound, switchSound} from './sound.js';
import {ControlHeld, EventKind, Key, KeyCodes, ShiftHeld} from './tables.js';

// No mouse events follow: their default would take the focus from a dialog the click opened.
// So the click takes the keys back itself from a page button that had them.
canvas.addEventListener('pointerdown', event => {
  event.preventDefault();
  document.activeElement?.blur();
  if (event.button !== 0) return;
  allowSound();
  post({kind: EventKind.PointerDown, ...pointAt(event)});
});
canvas.addEventListener('pointermove', event => post({kind: EventKind.PointerMove, ...pointAt(event)}));
canvas.addEventListener('contextmenu', event => event.preventDefault());

// The page's controls for keys of the game: a hint, a move taken back, the demo.
for (const [id, key, modifiers] of [['hint', Key.H, 0], ['undo', Key.Z, ControlHeld], ['watch', Key.W, 0]]) {
  document.getElementById(id).addEventListener('click', () => {
    allowSound();
    post({kind: EventKind.KeyDown, a: key, b: modifiers});
  });
}

// The game's keys while no dialog is open and no control of the page has the focus; the
// browser does not act on them then (F5 does not reload, F1 opens the game's help). Alt+Enter
// is F11, as the window takes it. A key lets sounds play as a click does.
document.addEventListener('keydown', event => {
  const code = event.code === 'NumpadEnter' ? 'Enter' : event.code;
  const altEnter = event.altKey && code === 'Enter';
  const key = altEnter ? Key.F11 : KeyCodes.indexOf(code);
  if (key < 0 || dialogOpen() || (event.altKey && !altEnter) || event.metaKey ||
      event.target.closest('button, input, a')) return;
  event.preventDefault();
  allowSound();
  const modifiers = altEnter ? 0 : (event.shiftKey ? ShiftHeld : 0) | (event.ctrlKey ? ControlHeld : 0);
  if (key === Key.M && !modifiers) switchSound();
  else post({kind: EventKind.KeyDown, a: key, b: modifiers});
});
