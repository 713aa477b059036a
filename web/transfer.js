// Export downloads what the game saved last (what the browser keeps, before it has saved); an
// import goes to the game to judge, only while the game runs, which takes the file.
import {codePageText} from './codepage.js';
import {post} from './queue.js';
import {saved, storedBytes} from './storage.js';
import {EventKind} from './tables.js';

const READ_LIMIT = 1 << 20; // more than any settings file: the game judges the size

document.getElementById('export').addEventListener('click', () => {
  const bytes = saved.bytes || storedBytes();
  if (!bytes) return;
  const link = document.createElement('a');
  link.href = URL.createObjectURL(new Blob([bytes], {type: 'application/octet-stream'}));
  link.download = 'brimzo.ini';
  link.click();
  setTimeout(() => URL.revokeObjectURL(link.href), 60000);
});

const importInput = document.getElementById('import-file');
const importButton = document.getElementById('import');
importButton.addEventListener('click', () => {
  importInput.value = '';
  importInput.click();
});
importInput.addEventListener('change', async () => {
  const file = importInput.files[0];
  if (!file) return;
  const bytes = new Uint8Array(await file.slice(0, READ_LIMIT).arrayBuffer());
  post({kind: EventKind.Import, bytes: codePageText(bytes)});
});

export const allowImport = allowed => { importButton.disabled = !allowed; };
