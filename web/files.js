// The game's own files: the skins and the sounds, fetched from the page's folder.
import {decodeWave} from './sound.js';

export const SKINS = ['brimzo.png', 'meadow.png'];
const WAVES = ['jump.wav', 'cantmove.wav', 'move.wav', 'destroy.wav'];

// The build names each file by its content (scripts/web_dist.py), so that no cache can pair one
// build's files with another's; the game knows its own by their plain names.
const LOCATIONS = {};
export const located = name => LOCATIONS[name] ?? name;

// Each of the game's files is fetched once: the skin in use before the first frame, the rest
// after it. A file that did not come is missing from the game's folder, as a file can be
// beside the Windows program; the game then says so itself.
const fetches = new Map();
export function fetched(name) {
  if (!fetches.has(name)) {
    fetches.set(name, fetch(located(name))
      .then(async response => response.ok ? new Uint8Array(await response.arrayBuffer()) : null)
      .catch(() => null));
  }
  return fetches.get(name);
}

// A skin the game needs is in its folder once this settles. The name comes from the settings
// file: only the game's own files are fetched, never an address a file names.
let folder = null;
export const useFolder = fileSystem => { folder = fileSystem; };
export async function needSkin(name) {
  const bytes = SKINS.includes(name) ? await fetched(name) : null;
  if (bytes && !folder.analyzePath(name).exists) folder.writeFile(name, bytes);
}

// Once they are all in, the game's service worker keeps them for visits without a network
// (where the page has one: served over https, or from this machine).
let theRest = null;
export function fetchTheRest() {
  theRest = Promise.all([...SKINS.map(needSkin), ...WAVES.map(async name => {
    const bytes = await fetched(name);
    if (bytes) await decodeWave(name, bytes);
  })]);
  theRest.then(() => navigator.serviceWorker?.register('service-worker.js')).catch(() => {});
}
export const allFiles = () => theRest; // Options lists the skins in the game's folder
