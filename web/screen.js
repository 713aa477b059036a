// What the game draws, on the canvas, as large as the page leaves room for; the pointer on the
// game's own pixels; full screen.
import {post} from './queue.js';
import {EventKind} from './tables.js';

export const WIDTH = 640;
export const HEIGHT = 480;
export const canvas = document.getElementById('screen');
const context = canvas.getContext('2d');
const picture = context.createImageData(WIDTH, HEIGHT);
const stage = document.getElementById('stage');
const main = document.querySelector('main');

// The game's rows are blue-green-red, each starting at a multiple of 4 bytes.
export function present(heap, pixels, stride, x, y, width, height) {
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
export function fitScreen() {
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

addEventListener('resize', fitScreen);
fitScreen();
watchPixelRatio();

// The pointer on the game's own 640 x 480 pixels, however large the page shows them.
export function pointAt(event) {
  const box = canvas.getBoundingClientRect();
  const x = Math.floor((event.clientX - box.left) * WIDTH / box.width);
  const y = Math.floor((event.clientY - box.top) * HEIGHT / box.height);
  return {a: Math.min(WIDTH - 1, Math.max(0, x)), b: Math.min(HEIGHT - 1, Math.max(0, y))};
}

// Full screen is the browser's, on the stage; a refusal, or the player's own way out of it
// (Escape), leaves it for the game too.
export function enterFullScreen() {
  if (!document.fullscreenElement) {
    stage.requestFullscreen().catch(() => post({kind: EventKind.FullScreenLeft}));
  }
}

export function leaveFullScreen() {
  if (document.fullscreenElement) document.exitFullscreen().catch(() => {});
}

document.addEventListener('fullscreenchange', () => {
  fitScreen();
  if (!document.fullscreenElement) post({kind: EventKind.FullScreenLeft});
});
