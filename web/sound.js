// Sounds, as Windows plays a wave file: one at a time, either cutting off the one that plays or
// playing nothing while one plays. A file that is no wave plays nothing.
import {FOLDER_PATH} from './storage.js';

const sounds = new Map(); // file name in lower case -> decoded sound
const offered = new Set(); // every file this visit has had, sound or not, in lower case
let audio = null;
let playing = null;

function audioContext() {
  if (!audio && window.AudioContext) audio = new AudioContext();
  return audio;
}

// A click or a key lets the page's sounds play.
export const allowSound = () => audioContext()?.resume();

export const hadFile = name => offered.has(name.toLowerCase());

export async function decodeWave(name, bytes) {
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
export function switchSound() {
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
export function playWave(name, standard, cutOff) {
  if (silent || !audio || audio.state !== 'running' || (playing && !cutOff)) return;
  stopSound();
  const sound = sounds.get((hadFile(name) ? name : standard).toLowerCase());
  if (!sound) return;
  const source = audio.createBufferSource();
  source.buffer = sound;
  source.connect(audio.destination);
  source.onended = () => { if (playing === source) playing = null; };
  source.start();
  playing = source;
}
