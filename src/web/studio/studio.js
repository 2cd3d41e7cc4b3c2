// Zorbel Studio: the data folder's files, the template in a code editor with
// the checker's findings at their lines, and the strip the saver would draw,
// redrawn as the author types. The checker and the strip come from the
// wasm module (studio_engine.cpp); files live in its in-memory folder.
"use strict";

const kFolder = "/data";
const kSeedMax = 4294967295;

// Windows-1252, the bytes the savers read: decoded by the browser, encoded
// through the reverse of that table.
const cp1252 = new TextDecoder("windows-1252");
const cp1252Bytes = (() => {
  const map = new Map();
  const all = new Uint8Array(256).map((_, i) => i);
  const chars = cp1252.decode(all);
  for (let i = 0; i < 256; ++i) map.set(chars.charCodeAt(i), i);
  return map;
})();

// Text to bytes with the file's line ends; characters the savers cannot
// read become "?", and are counted.
function encodeText(text, lineEnd) {
  const joined = lineEnd === "\n" ? text : text.replace(/\n/g, lineEnd);
  const bytes = new Uint8Array(joined.length);
  let lost = 0;
  for (let i = 0; i < joined.length; ++i) {
    const b = cp1252Bytes.get(joined.charCodeAt(i));
    if (b === undefined) ++lost;
    bytes[i] = b === undefined ? 63 : b;
  }
  return { bytes, lost };
}

function lineEndOf(bytes) {
  let crlf = 0, lf = 0, cr = 0;
  for (let i = 0; i < bytes.length; ++i) {
    if (bytes[i] === 13) {
      if (bytes[i + 1] === 10) { ++crlf; ++i; } else ++cr;
    } else if (bytes[i] === 10) ++lf;
  }
  if (cr > crlf && cr > lf) return "\r";
  return crlf >= lf && crlf > 0 ? "\r\n" : "\n";
}

function kindOf(name) {
  const lower = name.toLowerCase();
  if (/\.(pcx|bmp)$/.test(lower)) return "picture";
  if (/\.wav$/.test(lower)) return "sound";
  if (lower === "error.log") return "log";
  return "text";
}

// A strip template holds a strip header; what else is text is comics.ini,
// a log or a note.
function isTemplate(bytes) {
  return cp1252.decode(bytes).includes("[cartoon");
}

const $ = (id) => document.getElementById(id);

const studio = {
  engine: null,
  editor: null,
  files: [],          // names in the folder, sorted
  open: null,         // {name, original bytes, lineEnd, dirty}
  edits: new Map(),   // name -> {original, lineEnd, text} of files changed and not saved
  findings: [],
  template: null,     // the template whose strip is shown
  strip: "",
  seed: 1,
  lastPreview: null,
  directory: null,    // a folder handle the browser lets the page write into
  pending: false,
  timings: [],        // ms from an edit to strip and findings on screen
};

function setStatus(text) { $("status").textContent = text; }

// --- the address: template, strip and seed of the sample data ----------
function readAddress() {
  const params = new URLSearchParams(location.hash.slice(1));
  const seed = params.has("seed") ? Number(params.get("seed")) : NaN;
  return {
    template: params.get("template"),
    strip: params.get("strip") || "",
    seed: Number.isInteger(seed) && seed >= 0 && seed <= kSeedMax ? seed : null,
  };
}

function writeAddress() {
  if (!studio.template) return;
  const params = new URLSearchParams();
  params.set("template", studio.template);
  if (studio.strip) params.set("strip", studio.strip);
  params.set("seed", String(studio.seed));
  history.replaceState(null, "", "#" + params.toString());
}

// --- files ---------------------------------------------------------------
function countsByFile() {
  const counts = new Map();
  for (const f of studio.findings) {
    const key = f.file.toLowerCase();
    const c = counts.get(key) || { error: 0, warning: 0 };
    c[f.severity] += 1;
    counts.set(key, c);
  }
  return counts;
}

function showFiles() {
  const counts = countsByFile();
  const list = $("file-list");
  list.textContent = "";
  for (const name of studio.files) {
    const li = document.createElement("li");
    li.className = kindOf(name) + (studio.open && studio.open.name === name ? " open" : "");
    li.dataset.name = name;
    const label = document.createElement("span");
    label.className = "name";
    label.textContent = name + (studio.edits.has(name) ? " •" : "");
    li.append(label);
    const c = counts.get(name.toLowerCase());
    for (const kind of ["error", "warning"]) {
      if (!c || !c[kind]) continue;
      const badge = document.createElement("span");
      badge.className = "count " + kind;
      badge.textContent = c[kind];
      badge.title = c[kind] + " " + kind + (c[kind] > 1 ? "s" : "");
      li.append(badge);
    }
    li.addEventListener("click", () => openFile(name));
    list.append(li);
  }
}

function openFile(name) {
  const kind = kindOf(name);
  if (kind === "sound") return;
  if (kind === "picture") {
    showPicture(name);
    return;
  }
  const edit = studio.edits.get(name);
  const original = edit ? edit.original : studio.engine.read(name);
  const text = edit ? edit.text : cp1252.decode(original);
  studio.open = { name, original, lineEnd: edit ? edit.lineEnd : lineEndOf(original) };
  $("file-name").textContent = name;
  studio.loading = true;
  studio.editor.load(text);
  studio.loading = false;
  $("dirty").hidden = !edit;
  $("save").disabled = false;
  $("save-to-folder").hidden = !studio.directory;
  if (name.toLowerCase() !== "comics.ini" && isTemplate(original)) {
    if (studio.template !== name) {
      studio.template = name;
      studio.strip = "";
    }
  }
  showFiles();
  showFindings();
  redraw();
}

// --- findings ------------------------------------------------------------
function showFindings() {
  const list = $("findings");
  list.textContent = "";
  const open = studio.open ? studio.open.name.toLowerCase() : "";
  const mine = studio.findings.filter((f) => f.file.toLowerCase() === open);
  const others = studio.findings.filter((f) => f.file.toLowerCase() !== open);
  for (const f of [...mine, ...others]) {
    const li = document.createElement("li");
    li.className = f.severity;
    const where = document.createElement("span");
    where.className = "where";
    where.textContent = f.file + ":" + f.line + ": ";
    li.append(where, document.createTextNode(f.message));
    li.addEventListener("click", () => {
      if (!studio.open || studio.open.name.toLowerCase() !== f.file.toLowerCase()) {
        const name = studio.files.find((n) => n.toLowerCase() === f.file.toLowerCase());
        if (!name || kindOf(name) !== "text") return;
        openFile(name);
      }
      if (f.line > 0) studio.editor.goToLine(f.line);
    });
    list.append(li);
  }
  $("summary").textContent = studio.summary || "No findings: the savers read this folder cleanly.";
  if (studio.editor) studio.editor.setFindings(mine);
}

// --- the preview ---------------------------------------------------------
function showStripChoices(strips) {
  const select = $("strip-choice");
  const names = ["", ...strips];
  if (select.dataset.names === JSON.stringify(names) && select.value === studio.strip) return;
  select.textContent = "";
  for (const name of names) {
    const option = document.createElement("option");
    option.value = name;
    option.textContent = name || "(any, as the saver picks)";
    select.append(option);
  }
  select.dataset.names = JSON.stringify(names);
  select.value = studio.strip;
}

function drawImage(image) {
  const canvas = $("strip");
  canvas.width = image.width;
  canvas.height = image.height;
  canvas.getContext("2d").putImageData(image, 0, 0);
}

function showPreviewError(message) {
  const box = $("preview-error");
  box.hidden = !message;
  box.textContent = message || "";
}

function showPicture(name) {
  const shown = studio.engine.screen(name, studio.seed);
  if (shown.image) drawImage(shown.image);
  showPreviewError(shown.error);
  $("texts").textContent = "";
  $("choices").textContent = shown.description || "";
  studio.lastPreview = null;
}

function showTexts(preview) {
  const list = $("texts");
  list.textContent = "";
  for (const box of preview.boxes) {
    const li = document.createElement("li");
    li.textContent = "panel " + (box.panel + 1) + ": " + box.text;
    li.title = "line " + box.line;
    li.addEventListener("click", () => goToTemplateLine(box.line));
    list.append(li);
  }
  $("choices").textContent = preview.strip
    ? 'strip "' + preview.strip + '" seed ' + preview.seed + preview.choices
    : "";
}

function previewStrip() {
  if (!studio.template) return;
  const preview = studio.engine.preview(studio.template, studio.strip, studio.seed);
  studio.lastPreview = preview;
  showStripChoices(preview.strips);
  if (preview.image) drawImage(preview.image);
  showPreviewError(preview.error);
  showTexts(preview);
  $("seed").value = String(studio.seed);
  writeAddress();
}

// In comics.ini the line of the cursor chooses: a picture listed there is
// shown as on the screen, a template listed there gives its strips.
function redraw() {
  if (studio.open && studio.open.name.toLowerCase() === "comics.ini") {
    const line = studio.editor.lineText(studio.editor.cursorLine());
    const listed = pictureOnLine(line);
    if (listed) {
      showPicture(listed);
      return;
    }
    const named = studio.files.find((n) => n.toLowerCase() === line.replace(/#.*/, "").trim().toLowerCase());
    if (named && named !== studio.template && kindOf(named) === "text" && isTemplate(studio.engine.read(named))) {
      studio.template = named;
      studio.strip = "";
    }
  }
  previewStrip();
}

// The picture a line of comics.ini lists, as a name of the folder; none for
// section words, templates and comments.
function pictureOnLine(line) {
  const match = /^\s*([^"#]*?\.(?:pcx|bmp))(?=\s|$)/i.exec(line);
  if (!match) return null;
  const wanted = match[1].toLowerCase();
  return studio.files.find((n) => n.toLowerCase() === wanted) || match[1];
}

function goToTemplateLine(line) {
  if (!line || !studio.template) return;
  if (!studio.open || studio.open.name !== studio.template) openFile(studio.template);
  studio.editor.goToLine(line);
}

// A click on a speech box of the strip: the line its text came from; on a
// panel elsewhere, the line of its picture.
function clickStrip(event) {
  const preview = studio.lastPreview;
  if (!preview || preview.error) return;
  const canvas = $("strip");
  const rect = canvas.getBoundingClientRect();
  const x = ((event.clientX - rect.left) * canvas.width) / rect.width;
  const y = ((event.clientY - rect.top) * canvas.height) / rect.height;
  const box = preview.boxes.find(
    (b) => x >= b.area[0] - 4 && x < b.area[0] + b.area[2] + 4 &&
           y >= b.area[1] - 4 && y < b.area[1] + b.area[3] + 4);
  if (box) {
    goToTemplateLine(box.line);
    return;
  }
  const panel = preview.panels.find((p) => x >= p.x && x < p.x + p.width);
  if (panel) goToTemplateLine(panel.line);
}

// --- editing -------------------------------------------------------------
function editorChanged(text) {
  if (studio.loading || !studio.open) return;
  const name = studio.open.name;
  const started = performance.now();
  studio.edits.set(name, { original: studio.open.original, lineEnd: studio.open.lineEnd, text });
  $("dirty").hidden = false;
  const { bytes, lost } = encodeText(text, studio.open.lineEnd);
  studio.engine.write(name, bytes);
  studio.lost = lost;
  if (studio.pending) return;
  studio.pending = true;
  // One check and one strip per frame, however fast the keys come.
  requestAnimationFrame(() => {
    studio.pending = false;
    // What was typed stays in the editor and in studio.edits whatever fails.
    try {
      recheck();
      redraw();
    } catch (e) {
      showPreviewError("The studio stumbled over this text: " + e.message);
    }
    studio.timings.push(performance.now() - started);
    showFiles();
  });
}

function recheck() {
  const result = studio.engine.check();
  const lost = studio.lost > 0 && studio.open;
  // The same findings need no new marks: the editor moves them with the text.
  const same = !lost && !studio.lostShown && JSON.stringify(result.findings) === JSON.stringify(studio.findings);
  studio.lostShown = lost;
  studio.findings = result.findings;
  studio.summary = result.summary;
  if (same) return;
  if (lost) {
    studio.findings.unshift({
      file: studio.open.name, line: 0, severity: "warning",
      message: studio.lost + " character(s) cannot be written in Windows-1252, the savers' " +
               "encoding: Save writes \"?\" in their place",
    });
  }
  showFindings();
}

// In comics.ini the line of the cursor chooses what the preview shows; in
// the template shown, the strip the cursor stands in.
function cursorMoved(line) {
  if (!studio.open) return;
  if (studio.open.name.toLowerCase() === "comics.ini") {
    redraw();
    return;
  }
  if (studio.open.name !== studio.template) return;
  for (let n = line; n >= 1; --n) {
    const header = /^\s*\[cartoon.([^\]#]*)\]/.exec(studio.editor.lineText(n));
    if (!header) continue;
    if (header[1] !== studio.strip) {
      studio.strip = header[1];
      previewStrip();
    }
    return;
  }
}

// --- saving --------------------------------------------------------------
function currentBytes() {
  const name = studio.open.name;
  const edit = studio.edits.get(name);
  return edit ? encodeText(edit.text, edit.lineEnd).bytes : studio.open.original;
}

function markSaved(bytes) {
  studio.edits.delete(studio.open.name);
  studio.open.original = bytes;
  $("dirty").hidden = true;
  showFiles();
}

function download(blob, name) {
  const a = document.createElement("a");
  a.href = URL.createObjectURL(blob);
  a.download = name;
  document.body.append(a);
  a.click();
  a.remove();
  setTimeout(() => URL.revokeObjectURL(a.href), 10000);
}

function saveDownload() {
  if (!studio.open) return;
  const bytes = currentBytes();
  download(new Blob([bytes], { type: "application/octet-stream" }), studio.open.name);
  markSaved(bytes);
  setStatus("Saved " + studio.open.name + " (" + bytes.length + " bytes, Windows-1252)");
}

async function saveToFolder() {
  if (!studio.open || !studio.directory) return;
  const bytes = currentBytes();
  try {
    const handle = await studio.directory.getFileHandle(studio.open.name, { create: true });
    const out = await handle.createWritable();
    await out.write(bytes);
    await out.close();
    markSaved(bytes);
    setStatus("Wrote " + studio.open.name + " into the folder");
  } catch (e) {
    setStatus("Could not write " + studio.open.name + ": " + e.message + "; use Save to download it");
  }
}

function savePng() {
  const canvas = $("strip");
  const name = studio.lastPreview && studio.lastPreview.strip
    ? studio.template.replace(/\.[^.]*$/, "") + "-" + studio.lastPreview.strip + "-" + studio.seed
    : "zorbel-" + studio.seed;
  canvas.toBlob((blob) => download(blob, name.replace(/[\\/:*?"<>| ]/g, "_") + ".png"), "image/png");
}

// --- a folder of one's own -----------------------------------------------
function confirmLosing() {
  return studio.edits.size === 0 ||
    confirm("Changes to " + [...studio.edits.keys()].join(", ") + " are not saved. Open the other folder anyway?");
}

function useFolder(files, label, directory) {
  studio.engine.replaceFolder(files);
  studio.edits.clear();
  studio.directory = directory || null;
  studio.open = null;
  studio.template = null;
  $("folder-name").textContent = label;
  start(null);
}

async function pickFolder() {
  if (!confirmLosing()) return;
  if (!window.showDirectoryPicker) {
    $("folder-input").click();
    return;
  }
  try {
    const directory = await showDirectoryPicker({ mode: "readwrite" });
    const files = [];
    for await (const [name, handle] of directory.entries()) {
      if (handle.kind !== "file") continue;
      files.push({ name, bytes: new Uint8Array(await (await handle.getFile()).arrayBuffer()) });
    }
    useFolder(files, directory.name, directory);
  } catch (e) {
    if (e.name !== "AbortError") setStatus("Could not open the folder: " + e.message);
  }
}

async function filesFromList(list) {
  const files = [];
  for (const file of list) {
    const parts = (file.webkitRelativePath || file.name).split("/");
    if (parts.length > 2) continue;  // the savers read the folder itself only
    files.push({ name: parts[parts.length - 1], bytes: new Uint8Array(await file.arrayBuffer()) });
  }
  return files;
}

async function dropped(event) {
  event.preventDefault();
  if (!confirmLosing()) return;
  const items = [...event.dataTransfer.items].map((i) => i.webkitGetAsEntry && i.webkitGetAsEntry());
  const folder = items.find((e) => e && e.isDirectory);
  if (!folder) {
    useFolder(await filesFromList(event.dataTransfer.files), "dropped files");
    return;
  }
  const entries = await new Promise((resolve, reject) => folder.createReader().readEntries(resolve, reject));
  const files = [];
  for (const entry of entries) {
    if (!entry.isFile) continue;
    const file = await new Promise((resolve, reject) => entry.file(resolve, reject));
    files.push({ name: entry.name, bytes: new Uint8Array(await file.arrayBuffer()) });
  }
  useFolder(files, folder.name);
}

// --- the engine: the wasm module (the show page's Zorbel) with the studio's
// calls, and the data folder in its file system ---------------------------
async function createStudioEngine(folder) {
  const zorbel = await Zorbel.load({ log: "/log/error.log" });
  const sample = await zorbelFetchFolder("data/sample");
  const m = zorbel.module;
  const api = {
    create: m.cwrap("studio_new", "number", ["string"]),
    check: m.cwrap("studio_check", "number", ["number"]),
    preview: m.cwrap("studio_preview", "number", ["number", "string", "string", "number"]),
    screen: m.cwrap("studio_screen", "number", ["number", "string", "number"]),
    pixels: m.cwrap("studio_pixels", "number", ["number"]),
    changed: m.cwrap("studio_changed", null, ["number", "string"]),
  };
  const withImage = (result) => {
    if (result.width > 0 && result.height > 0) {
      const bytes = new Uint8ClampedArray(m.HEAPU8.buffer, api.pixels(handle), result.width * result.height * 4);
      result.image = new ImageData(new Uint8ClampedArray(bytes), result.width, result.height);
    }
    return result;
  };
  // The module's answers keep the files' bytes: Windows-1252.
  const answer = (at) => JSON.parse(cp1252.decode(m.HEAPU8.subarray(at, m.HEAPU8.indexOf(0, at))));
  const handle = api.create(folder);
  if (!handle) throw new Error("no memory for the studio");
  const path = (name) => folder + "/" + name;
  zorbel.writeFolder(folder, sample);
  return {
    zorbel,
    files() {
      return zorbel.FS.readdir(folder)
        .filter((n) => n !== "." && n !== ".." && zorbel.FS.isFile(zorbel.FS.stat(path(n)).mode))
        .sort((a, b) => a.toLowerCase().localeCompare(b.toLowerCase()));
    },
    read: (name) => zorbel.FS.readFile(path(name)),
    write(name, bytes) {
      zorbel.FS.writeFile(path(name), bytes);
      api.changed(handle, name);
    },
    replaceFolder(files) {
      zorbel.writeFolder(folder, files.map((f) => ({ path: f.name, data: f.bytes })));
      api.changed(handle, "");
    },
    check: () => answer(api.check(handle)),
    preview: (template, strip, seed) => withImage(answer(api.preview(handle, template, strip, seed >>> 0))),
    screen: (picture, seed) => withImage(answer(api.screen(handle, picture, seed >>> 0))),
  };
}

// --- start ---------------------------------------------------------------
function start(address) {
  studio.files = studio.engine.files();
  const templates = studio.files.filter((n) => kindOf(n) === "text" && isTemplate(studio.engine.read(n)));
  const wanted = address && address.template &&
    studio.files.find((n) => n.toLowerCase() === address.template.toLowerCase());
  studio.template = wanted || templates[0] || null;
  studio.strip = (address && address.strip) || "";
  studio.seed = address && address.seed !== null ? address.seed : 1 + Math.floor(Math.random() * 1e6);
  recheck();
  const first = studio.template || studio.files.find((n) => n.toLowerCase() === "comics.ini");
  if (first) openFile(first);
  else showFiles();
}

function bindControls() {
  $("open-folder").addEventListener("click", pickFolder);
  $("folder-input").addEventListener("change", async (e) => {
    const files = await filesFromList(e.target.files);
    const first = e.target.files[0];
    useFolder(files, first && first.webkitRelativePath ? first.webkitRelativePath.split("/")[0] : "your folder");
    e.target.value = "";
  });
  $("save").addEventListener("click", saveDownload);
  $("save-to-folder").addEventListener("click", saveToFolder);
  $("png").addEventListener("click", savePng);
  $("strip").addEventListener("click", clickStrip);
  $("strip-choice").addEventListener("change", (e) => { studio.strip = e.target.value; previewStrip(); });
  const step = (by) => {
    studio.seed = (studio.seed + by + kSeedMax + 1) % (kSeedMax + 1);
    previewStrip();
  };
  // The generator makes every seed odd, so a seed and the one after it
  // make the same strip: the arrows step by two, as the renderer counts.
  $("seed-down").addEventListener("click", () => step(-2));
  $("seed-up").addEventListener("click", () => step(2));
  $("another").addEventListener("click", () => { studio.seed = Math.floor(Math.random() * kSeedMax); previewStrip(); });
  $("seed").addEventListener("change", (e) => {
    const v = Number(e.target.value);
    if (Number.isInteger(v) && v >= 0 && v <= kSeedMax) { studio.seed = v; previewStrip(); }
  });
  window.addEventListener("keydown", (e) => {
    if ((e.ctrlKey || e.metaKey) && e.key === "s") { e.preventDefault(); saveDownload(); }
  });
  window.addEventListener("beforeunload", (e) => {
    if (studio.edits.size === 0) return;
    e.preventDefault();
    e.returnValue = "";
  });
  window.addEventListener("dragover", (e) => e.preventDefault());
  window.addEventListener("drop", dropped);
}

async function main() {
  bindControls();
  studio.editor = ZorbelEditor.create($("editor"), editorChanged, cursorMoved);
  try {
    studio.engine = await createStudioEngine(kFolder);
  } catch (e) {
    setStatus("");
    showPreviewError("The studio could not start: " + e.message);
    throw e;
  }
  start(readAddress());
  // From the page's opening, as the browser counts it.
  studio.readyAt = performance.now();
  document.body.dataset.ready = "1";
  setStatus("Ready in " + Math.round(studio.readyAt) + " ms");
}

window.zorbelStudio = studio;
window.addEventListener("error", (e) => setStatus("Error: " + e.message));
main();
