// The game's own files: the skins and the sounds, fetched from the page's folder.
import {SKINS} from './skins.js';
import {decodeWave} from './sound.js';

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

// A skin is a picture that the browser decodes (scripts/web_skins.py), kept here under the name
// the game knows, with the sheet's description; the game copies its pixels into its sheet.
const skins = new Map();

async function decodePicture(bytes) {
  const bitmap = await createImageBitmap(new Blob([bytes]),
    {colorSpaceConversion: 'none', premultiplyAlpha: 'none'});
  const canvas = document.createElement('canvas');
  Object.assign(canvas, {width: bitmap.width, height: bitmap.height});
  const context = canvas.getContext('2d', {willReadFrequently: true});
  context.drawImage(bitmap, 0, 0);
  return context.getImageData(0, 0, bitmap.width, bitmap.height);
}

// A skin the game needs is in its folder once this settles. The name comes from the settings
// file: only the game's own files are fetched, never an address a file names. A picture that
// did not come, or that the browser cannot decode, is missing.
export async function needSkin(name) {
  const skin = SKINS.find(listed => listed.name === name);
  const bytes = skin && await fetched(skin.picture);
  if (!bytes || skins.has(name)) return;
  try {
    const picture = await decodePicture(bytes);
    const description = skin.description === null ? null
      : Uint8Array.from(skin.description, char => char.charCodeAt(0));
    skins.set(name, {width: picture.width, height: picture.height, rgba: picture.data, description});
  } catch {
    // not a picture this browser decodes
  }
}

// The skins in the game's folder, in the order they came; their pixels into the game's sheet,
// blue-green-red, each row starting at a multiple of 4 bytes.
export const skinNames = () => [...skins.keys()];
export const skin = name => skins.get(name);
export function skinPixels(name, heap, pixels, stride) {
  const {width, height, rgba} = skins.get(name);
  for (let row = 0; row < height; row++) {
    let to = pixels + row * stride;
    for (let from = row * width * 4, end = from + width * 4; from < end; from += 4, to += 3) {
      heap[to] = rgba[from + 2];
      heap[to + 1] = rgba[from + 1];
      heap[to + 2] = rgba[from];
    }
  }
}

// Once they are all in, the game's service worker keeps them for visits without a network
// (where the page has one: served over https, or from this machine).
let theRest = null;
export function fetchTheRest() {
  theRest = Promise.all([...SKINS.map(listed => needSkin(listed.name)), ...WAVES.map(async name => {
    const bytes = await fetched(name);
    if (bytes) await decodeWave(name, bytes);
  })]);
  theRest.then(() => navigator.serviceWorker?.register('service-worker.js')).catch(() => {});
}
export const allFiles = () => theRest; // Options lists the skins in the game's folder
