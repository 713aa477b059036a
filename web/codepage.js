// The game's strings are bytes in Windows' Western code page, as in its brimzo.ini.
const HIGH = '\u20ac\x81\u201a\u0192\u201e\u2026\u2020\u2021\u02c6\u2030\u0160\u2039\u0152\x8d' +
  '\u017d\x8f\x90\u2018\u2019\u201c\u201d\u2022\u2013\u2014\u02dc\u2122\u0161\u203a\u0153\x9d' +
  '\u017e\u0178';

export function ansiText(bytes) {
  let text = '';
  for (const byte of bytes) text += byte >= 0x80 && byte < 0xa0 ? HIGH[byte - 0x80] : String.fromCharCode(byte);
  return text;
}

// A character the code page lacks is '?', as Windows writes it, or the given byte.
export function ansiBytes(text, lacking = 0x3f) {
  return Uint8Array.from(text, char => {
    const high = HIGH.indexOf(char);
    const code = char.codePointAt(0);
    return high >= 0 ? 0x80 + high : code < 0x100 ? code : lacking;
  });
}

// The Windows program reads a file that starts with a byte order mark as UTF-8 or UTF-16 text
// in its code page (and keeps writing it so); the game here takes that same text.
const MARKS = [['utf-8', [0xef, 0xbb, 0xbf]], ['utf-16le', [0xff, 0xfe]], ['utf-16be', [0xfe, 0xff]]];
export function codePageText(bytes) {
  const [encoding, mark] = MARKS.find(([, marks]) => marks.every((byte, i) => bytes[i] === byte)) || [];
  return encoding ? ansiBytes(new TextDecoder(encoding).decode(bytes.subarray(mark.length))) : bytes;
}

// The game's zero-ended string at an address of its memory.
export const textAt = (heap, address) => ansiText(heap.subarray(address, heap.indexOf(0, address)));

// Into a buffer of the game: at most size - 1 bytes and a zero; the whole length, -1 for none.
export function copyOut(heap, bytes, address, size) {
  if (size <= 0) return bytes ? bytes.length : -1;
  const count = bytes ? Math.min(bytes.length, size - 1) : 0;
  if (bytes) heap.set(bytes.subarray(0, count), address);
  heap[address + count] = 0;
  return bytes ? bytes.length : -1;
}
