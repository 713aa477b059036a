// The dialogs: the game fills and reads their controls by id and waits for their commands.
import {ansiBytes, ansiText} from './codepage.js';
import {post} from './queue.js';
import {canvas} from './screen.js';
import {decodeWave, hadFile} from './sound.js';
import {CancelCommand, EventKind, MessageBoxTemplate, OkCommand} from './tables.js';

// Each control's place and size in dialog units, as the style sheet reads them (the page's
// policy lets no style into its markup).
for (const control of document.querySelectorAll('dialog [data-place], dialog [data-size]')) {
  const names = control.dataset.place ? ['--x', '--y', '--w', '--h'] : ['--w', '--h'];
  const values = (control.dataset.place ?? control.dataset.size).split(' ');
  names.forEach((name, i) => control.style.setProperty(name, values[i]));
}

const openDialogs = [];
const dialogOf = templateId => document.getElementById(`dialog-${templateId}`);
export const item = (templateId, id) => dialogOf(templateId).querySelector(`[data-id="${id}"]`);
export const dialogOpen = () => openDialogs.length > 0;

// Centred on the game, wherever the page shows it, but never off the page's top left.
export function openDialog(templateId) {
  const dialog = dialogOf(templateId);
  openDialogs.push(dialog);
  dialog.showModal();
  const box = canvas.getBoundingClientRect();
  const centre = (start, size, own) => `${Math.max(0, Math.round(start + (size - own) / 2))}px`;
  dialog.style.left = centre(box.left, box.width, dialog.offsetWidth);
  dialog.style.top = centre(box.top, box.height, dialog.offsetHeight);
  if (document.activeElement?.type === 'text') document.activeElement.select();
}

export function closeDialog(templateId) {
  const dialog = dialogOf(templateId);
  openDialogs.splice(openDialogs.indexOf(dialog), 1);
  dialog.close();
}

// A page keeps the name of a chosen wave file, not the file: Options names the rows whose file
// this visit has not had.
export function noteLostSound(templateId, checkBox, name) {
  item(templateId, checkBox).closest('label').classList.toggle('lost', !hadFile(name));
  const lost = Array.from(dialogOf(templateId).querySelectorAll('label.lost'), label => label.textContent);
  const note = document.getElementById('lost-sounds');
  note.hidden = !lost.length;
  note.textContent = `Choose again: ${lost.join(', ')}. A browser keeps the name of a chosen ` +
    'wave file, not the file: its standard sound plays until then.';
}

export function setItemText(templateId, id, text) {
  const control = item(templateId, id);
  if (control.tagName === 'INPUT') control.value = text; else control.textContent = text;
}

// A character of no code page byte becomes one that no field's rule takes ('?' would pass as
// a name).
export const itemBytes = (templateId, id) => ansiBytes(item(templateId, id).value, 0x81);

// A question has Cancel beside OK, and its own sign.
export function setMessage(text, caption, question) {
  const dialog = dialogOf(MessageBoxTemplate);
  dialog.querySelector('header').textContent = caption;
  dialog.querySelector('p').textContent = text;
  dialog.querySelector('.stop').textContent = question ? '?' : '\u00d7';
  dialog.classList.toggle('question', question);
  item(MessageBoxTemplate, CancelCommand).hidden = !question;
}

export function focusLost(templateId) {
  const focus = document.activeElement;
  return !focus || focus.disabled || !dialogOf(templateId).contains(focus);
}

// Tab goes round a dialog's controls, as in a Windows dialog, rather than out of the page.
function tabAround(dialog, event) {
  const stops = Array.from(dialog.querySelectorAll('button, input, a[href]'))
    .filter(control => !control.disabled && !control.hidden);
  const [last, first] = event.shiftKey ? [stops[0], stops.at(-1)] : [stops.at(-1), stops[0]];
  if (document.activeElement !== last) return;
  event.preventDefault();
  first.focus();
}

// A Change button asks for the file first; the game hears of it once a file is chosen.
const waveInput = document.getElementById('wave-file');
let waveCommand = null;
function chooseWave(templateId, id) {
  waveCommand = {templateId, id};
  waveInput.value = '';
  waveInput.click();
}

waveInput.addEventListener('change', async () => {
  const file = waveInput.files[0];
  if (!file) return;
  const bytes = ansiBytes(file.name);
  await decodeWave(ansiText(bytes), new Uint8Array(await file.arrayBuffer()));
  post({kind: EventKind.Command, a: waveCommand.id, b: waveCommand.templateId, bytes});
});

// Enter presses the focused button, as in a Windows dialog, and is Ok (the form's submit button)
// anywhere else but on a link. It acts on the key itself: once the panel of a download (Export)
// has had the focus, Firefox still gives the page its keys but no longer acts on Enter by itself.
function enter(event) {
  if (event.isComposing || event.target.closest('a')) return;
  event.preventDefault();
  const button = event.target.closest('button');
  if (button) button.click(); else event.currentTarget.querySelector('form').requestSubmit();
}

// Escape is the cancel command, which each dialog answers in its own way. A dialog the browser
// closes by itself opens again.
for (const dialog of document.querySelectorAll('dialog')) {
  const templateId = Number(dialog.dataset.template);
  const command = id => post({kind: EventKind.Command, a: id, b: templateId});
  dialog.addEventListener('click', event => {
    const button = event.target.closest('button[data-id]');
    if (!button || button.type === 'submit') return;
    const id = Number(button.dataset.id);
    if ('wave' in button.dataset) chooseWave(templateId, id); else command(id);
  });
  dialog.querySelector('form').addEventListener('submit', event => {
    event.preventDefault();
    command(OkCommand);
  });
  dialog.addEventListener('keydown', event => {
    if (event.key === 'Tab') tabAround(dialog, event);
    if (event.key === 'Enter') enter(event);
    if (event.key !== 'Escape') return;
    event.preventDefault();
    command(CancelCommand);
  });
  dialog.addEventListener('cancel', event => event.preventDefault());
  dialog.addEventListener('close', () => { if (openDialogs.includes(dialog)) dialog.showModal(); });
}

// Only digits go into a number field, as in the Windows field.
for (const field of document.querySelectorAll('dialog input.number')) {
  field.addEventListener('input', () => { field.value = field.value.replace(/[^0-9]/g, ''); });
}
