// Starts the page's modules (main.js and those it imports). Opened as a file, the page may fetch
// nothing, not even them: this plain script, which a browser runs from a file all the same,
// says how to serve it instead.
'use strict';

if (location.protocol === 'file:') {
  document.getElementById('notice-text').textContent = 'Brimzo cannot run from a file opened in ' +
    'the browser: its folder must be served. In the folder of index.html, run\n' +
    'python3 -m http.server 8000\nand open http://127.0.0.1:8000/';
  document.getElementById('again').hidden = true;
  document.getElementById('notice').hidden = false;
} else {
  import('./main.js');
}
