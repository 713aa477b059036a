// Keeps one build of the game in the browser, so that it starts and plays with no network. The
// build writes the list of its files into this script (scripts/web_dist.py), so a new build is
// a new worker, which the browser installs beside the old one. It takes the new set only whole:
// every file fetched, past the browser's cache, and its bytes checked against the list before
// any is kept; a file that fails keeps none, and the next visit tries again. The new worker
// serves once no page of the old one is left open, so a page keeps the files it started with,
// and then deletes the old set.
'use strict';

const FILES = []; // every file of the build but this one, with the SHA-256 of its bytes
const BUILD = '';
// Each copy of the game on a host keeps a set of its own, under the folder it is served from.
const OURS = `brimzo ${registration.scope} `;
const SET = OURS + BUILD;

const hex = bytes => Array.from(new Uint8Array(bytes), byte => byte.toString(16).padStart(2, '0')).join('');

async function keepBuild() {
  const files = await Promise.all(FILES.map(async ([name, hash]) => {
    const response = await fetch(name, {cache: 'no-cache'});
    const bytes = await response.arrayBuffer();
    if (!response.ok || hex(await crypto.subtle.digest('SHA-256', bytes)) !== hash) {
      throw new Error(`${name} is not this build's`);
    }
    // kept as a response of its own: one that came by a redirection (a host that sends
    // index.html to its folder's address) may not answer the opening of a page
    return [name, new Response(bytes, {headers: response.headers})];
  }));
  const set = await caches.open(SET);
  try {
    await Promise.all(files.map(([name, response]) => set.put(name, response)));
  } catch (error) {
    await caches.delete(SET);
    throw error;
  }
}

self.addEventListener('install', event => event.waitUntil(keepBuild()));

self.addEventListener('activate', event => event.waitUntil(caches.keys().then(names =>
  Promise.all(names.filter(name => name.startsWith(OURS) && name !== SET).map(name => caches.delete(name))))));

// The folder's own address is its index.html. What the set lacks (another copy of the game
// below this one, say) comes from the network.
self.addEventListener('fetch', event => {
  const url = new URL(event.request.url);
  if (event.request.method !== 'GET' || url.origin !== location.origin) return;
  url.search = '';
  const name = url.href === registration.scope ? 'index.html' : url.href;
  event.respondWith(caches.open(SET)
    .then(set => set.match(new URL(name, registration.scope)))
    .then(kept => kept ?? fetch(event.request)));
});
