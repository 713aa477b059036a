// The text of brimzo.ini in the browser's local storage. Each copy of the game on a host keeps
// its own file, under the path of its folder. Earlier they all kept one under a shared name:
// the first copy to start takes that one over.
import {Storage} from './tables.js';

export const FOLDER_PATH = location.pathname.replace(/[^/]*$/, '');
export const STORAGE_KEY = `${FOLDER_PATH}brimzo.ini`;
const SHARED_KEY = 'brimzo.ini';

// Local storage holds text: the file's bytes are kept one a character. A browser that blocks
// the page's site data refuses to open it at all; one whose storage is full refuses the file.
const storedString = bytes => Array.from(bytes, byte => String.fromCharCode(byte)).join('');
export function storedBytes() {
  try {
    const text = localStorage.getItem(STORAGE_KEY) ?? localStorage.getItem(SHARED_KEY);
    return text === null ? null : Uint8Array.from(text, char => char.charCodeAt(0));
  } catch {
    return null;
  }
}

export function keep(bytes) {
  try {
    localStorage.setItem(STORAGE_KEY, storedString(bytes));
    localStorage.removeItem(SHARED_KEY);
    return Storage.Kept;
  } catch (error) {
    return error.name === 'QuotaExceededError' ? Storage.Full : Storage.Blocked;
  }
}

// What the game saved last, whether the browser kept it or not: Export gives this.
export const saved = {bytes: null, kept: true};
export function store(bytes) {
  const kept = keep(bytes);
  Object.assign(saved, {bytes, kept: kept === Storage.Kept});
  return kept;
}
