// The program's stored files (settings, places, the record, the report) and the last picked
// text and template, kept in this page's own storage; storage that is full or switched off
// keeps nothing and says so to the caller.

const prefix = 'tavori:';
const utf8 = new TextDecoder('utf-8');
const encoder = new TextEncoder();

function storage() {
  try {
    return window.localStorage;
  } catch {
    return null;  // storage switched off for this site
  }
}

// The stored file's UTF-8 bytes, or null when it is missing or longer than `limit`.
export function readStored(name, limit) {
  let text = null;
  try {
    text = storage()?.getItem(prefix + name) ?? null;
  } catch {
    return null;
  }
  if (text === null) return null;
  const bytes = encoder.encode(text);
  return bytes.length > limit ? null : bytes;
}

export function readStoredText(name) {
  const bytes = readStored(name, Infinity);
  return bytes === null ? null : utf8.decode(bytes);
}

// One setItem: the whole value or, past the quota, nothing.
export function writeStored(name, bytes) {
  try {
    storage().setItem(prefix + name, utf8.decode(bytes));
    return true;
  } catch {
    return false;
  }
}

// Bytes as a string of one character per byte, which storage holds exactly.
function byteString(bytes) {
  let text = '';
  for (let at = 0; at < bytes.length; at += 0x8000) {
    text += String.fromCharCode.apply(null, bytes.subarray(at, at + 0x8000));
  }
  return text;
}

// The file picked last for `kind` ("text" or "template"), so a restart opens it again; a file
// the storage cannot hold is not kept, and the one before it is dropped.
export function keepPicked(kind, path, bytes) {
  const store = storage();
  if (store === null) return;
  try {
    store.removeItem(`${prefix}picked-${kind}`);
    store.setItem(`${prefix}picked-${kind}`, JSON.stringify({ path, bytes: byteString(bytes) }));
  } catch {
    // Over the quota: the restart falls back to the program's own file.
  }
}

export function pickedFiles() {
  const files = [];
  for (const kind of ['text', 'template']) {
    try {
      const kept = JSON.parse(storage()?.getItem(`${prefix}picked-${kind}`) ?? 'null');
      if (kept && typeof kept.path === 'string' && typeof kept.bytes === 'string') {
        files.push({ path: kept.path, bytes: Uint8Array.from(kept.bytes, (c) => c.charCodeAt(0) & 0xff) });
      }
    } catch {
      // A damaged entry is passed over.
    }
  }
  return files;
}
