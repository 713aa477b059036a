// Two tabs would each save their own leaders over the other's: the game runs in one of them.
// Web Locks tell where the browser has them; a page on a plain-HTTP host has none, and one
// whose site data is blocked may not use them, so its tabs ask each other instead.
import {STORAGE_KEY} from './storage.js';

const LOCK_NAME = `brimzo ${STORAGE_KEY}`;
const ASKING_TIME = 250; // milliseconds for a tab that plays to answer

export function playAlone(play, refuse) {
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
