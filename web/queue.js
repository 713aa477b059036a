// The one queue of the page's events. The game takes an event when it waits for one, so an
// event that comes during an animation waits its turn. As Windows does, only one timer tick
// waits at a time, and the pointer's last position replaces a move not yet taken.
import {EventKind} from './tables.js';

const queue = [];
let wakeGame = null;
let current = {};

export function post(event) {
  const last = queue[queue.length - 1];
  if (event.kind === EventKind.Tick && queue.some(waiting => waiting.kind === EventKind.Tick)) return;
  if (event.kind === EventKind.PointerMove && last && last.kind === EventKind.PointerMove) {
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

export function nextEvent() {
  return new Promise(resolve => {
    const take = () => {
      current = queue.shift();
      resolve(current);
    };
    if (queue.length) take(); else wakeGame = take;
  });
}

// The fields of a WebEvent (web/web.h), and the text of the event the game took last.
export const fields = event => [event.kind, event.a || 0, event.b || 0];
export const eventBytes = () => current.bytes || new Uint8Array(0);
