// The show page: the show on a canvas filling the window, its keys and
// buttons, the settings kept in this browser, a folder of the user's own
// (picked or dropped; it stays in the browser), and the log.
"use strict";

const SETTING_NAMES = [
  "Time Delay", "Display Logo", "Logo Frames",
  "Use Pellow", "Per Pellow", "Use ZB", "Per ZB",
  "Use Random", "Per Random", "Use Original", "Per Original", "Use Official", "Per Official",
  "Use Toasty", "Per Toasty", "Use Sound", "Scale",
];
const STORE_KEY = "zorbel.settings";
const SAMPLE = "/data/sample";
const OWN = "/data/own";

const $ = (id) => document.getElementById(id);
const params = new URLSearchParams(location.search);

// Test and demo hooks: a fixed seed, a fixed canvas size (WxH device
// pixels) instead of the window's.
const seed = params.has("seed") ? Number(params.get("seed")) : undefined;
const fixedSize = /^(\d+)x(\d+)$/.exec(params.get("size") || "");

const page = { ready: null, zorbel: null, show: null, folder: SAMPLE, defaults: {} };
window.zorbelPage = page;

function say(text) {
  $("message").textContent = text;
  $("message").hidden = !text;
}

function storedSettings() {
  try {
    return JSON.parse(localStorage.getItem(STORE_KEY) || "{}") || {};
  } catch (e) {
    return {};
  }
}

function applySettings(values) {
  for (const name of SETTING_NAMES) {
    const v = name in values ? values[name] : page.defaults[name];
    if (Number.isInteger(v) && v >= 0) page.show.set(name, v);
  }
}

function buildSettingsPanel() {
  const fields = $("settings-fields");
  fields.textContent = "";
  for (const name of SETTING_NAMES) {
    const id = "setting-" + name.replace(/ /g, "-");
    const label = document.createElement("label");
    label.htmlFor = id;
    label.textContent = name === "Scale" ? "Scale (0: automatic)" : name;
    const input = document.createElement("input");
    input.id = id;
    input.dataset.name = name;
    if (isSwitch(name)) {
      input.type = "checkbox";
      input.checked = page.show.get(name) !== 0;
    } else {
      input.type = "number";
      input.min = "0";
      input.step = "1";
      input.value = page.show.get(name);
    }
    input.addEventListener("change", settingChanged);
    fields.append(label, input);
  }
}

function isSwitch(name) {
  return name.startsWith("Use ") || name === "Display Logo";
}

function settingChanged(event) {
  const input = event.target;
  const value = input.type === "checkbox" ? Number(input.checked) : Number(input.value);
  if (!Number.isInteger(value) || value < 0 || value > 0xffffffff) {
    input.value = page.show.get(input.dataset.name);
    return;
  }
  const values = storedSettings();
  values[input.dataset.name] = value;
  localStorage.setItem(STORE_KEY, JSON.stringify(values));
  restart();
}

// The show starts again on the current folder with the settings as they
// are now, as a saver does when it starts.
function restart() {
  applySettings(storedSettings());
  page.zorbel.api.openLog(page.zorbel.logPath);
  const loaded = page.show.start(page.folder, seed);
  refreshLog();
  // Without a catalogue the show puts up only its reason; the page says it in words too.
  if (loaded) say("");
  else if (!page.zorbel.FS.analyzePath(page.folder + "/comics.ini").exists)
    say("This folder has no comics.ini, the list of its comics, so there is nothing to show.");
  else say("The comics.ini of this folder could not be read, so there is nothing to show.");
}

function layOutCanvas(width, height) {
  const canvas = page.show.canvas;
  if (canvas.width === width && canvas.height === height) return;
  canvas.width = width;
  canvas.height = height;
  page.show.resize();
}

// The canvas at device pixels, following the window and full screen.
function followWindow(canvas) {
  if (fixedSize) {
    canvas.width = Number(fixedSize[1]);
    canvas.height = Number(fixedSize[2]);
    canvas.style.width = canvas.width / devicePixelRatio + "px";
    canvas.style.height = canvas.height / devicePixelRatio + "px";
    return;
  }
  const size = () => [Math.round(innerWidth * devicePixelRatio), Math.round(innerHeight * devicePixelRatio)];
  [canvas.width, canvas.height] = size();
  let pending = null;
  const observer = new ResizeObserver((entries) => {
    const box = entries[0].devicePixelContentBoxSize;
    const [w, h] = box ? [box[0].inlineSize, box[0].blockSize] : size();
    clearTimeout(pending);
    pending = setTimeout(() => page.show && layOutCanvas(w, h), 100);
  });
  observer.observe(canvas);
}

function refreshLog() {
  const text = page.zorbel.logText();
  if ($("log-text").textContent !== text) $("log-text").textContent = text;
}

function download(blob, name) {
  const url = URL.createObjectURL(blob);
  const a = document.createElement("a");
  a.href = url;
  a.download = name;
  document.body.append(a);
  a.click();
  a.remove();
  setTimeout(() => URL.revokeObjectURL(url), 1000);
}

let shotNumber = 0;
async function saveShot() {
  const png = await page.show.screenshot();
  if (!png) return;
  download(png, `shot${String(shotNumber++).padStart(4, "0")}.png`);
}

function toggleFullScreen() {
  if (document.fullscreenElement) document.exitFullscreen();
  else document.documentElement.requestFullscreen().catch(() => {});
}

function togglePanel(id, button) {
  const panel = $(id);
  panel.hidden = !panel.hidden;
  $(button).setAttribute("aria-expanded", String(!panel.hidden));
  if (id === "log") refreshLog();
}

// The picked or dropped files go into the module's file system, the show
// goes on from that folder at once.
function showOwnFolder(files) {
  if (files.length === 0) return;
  page.zorbel.writeFolder(OWN, files);
  page.folder = OWN;
  restart();
}

// Paths relative to the folder picked: the folder's own name goes.
async function filesOfPicker(fileList) {
  return Promise.all(
    Array.from(fileList, async (file) => ({
      path: (file.webkitRelativePath || file.name).split("/").slice(1).join("/") || file.name,
      data: new Uint8Array(await file.arrayBuffer()),
    })),
  );
}

async function entryFiles(entry, prefix, out) {
  if (entry.isFile) {
    const file = await new Promise((ok, fail) => entry.file(ok, fail));
    out.push({ path: prefix + entry.name, data: new Uint8Array(await file.arrayBuffer()) });
    return;
  }
  const reader = entry.createReader();
  for (;;) {
    const batch = await new Promise((ok, fail) => reader.readEntries(ok, fail));
    if (batch.length === 0) break;
    for (const child of batch) await entryFiles(child, prefix + entry.name + "/", out);
  }
}

// A dropped folder gives its files; dropped files are a folder of their own.
async function filesOfDrop(items) {
  const entries = Array.from(items, (item) => item.webkitGetAsEntry && item.webkitGetAsEntry()).filter((e) => e);
  const out = [];
  if (entries.length === 1 && entries[0].isDirectory) {
    await entryFiles(entries[0], "", out);
    return out.map((f) => ({ path: f.path.split("/").slice(1).join("/"), data: f.data }));
  }
  for (const entry of entries) await entryFiles(entry, "", out);
  return out;
}

function wireControls() {
  $("next").onclick = () => page.show.next();
  $("shot").onclick = saveShot;
  $("full").onclick = toggleFullScreen;
  $("open-settings").onclick = () => togglePanel("settings", "open-settings");
  $("close-settings").onclick = () => togglePanel("settings", "open-settings");
  $("open-log").onclick = () => togglePanel("log", "open-log");
  $("close-log").onclick = () => togglePanel("log", "open-log");
  $("download-log").onclick = () =>
    download(new Blob([page.zorbel.FS.readFile(page.zorbel.logPath)], { type: "text/plain" }), "error.log");
  $("defaults").onclick = () => {
    localStorage.removeItem(STORE_KEY);
    restart();
    buildSettingsPanel();
  };
  $("sample").onclick = () => {
    page.folder = SAMPLE;
    restart();
  };
  $("folder").addEventListener("change", async (event) => {
    showOwnFolder(await filesOfPicker(event.target.files));
    event.target.value = "";
  });
  page.show.canvas.addEventListener("dblclick", toggleFullScreen);

  document.addEventListener("keydown", (event) => {
    // Keys in the panels are theirs, and Return on a button presses it.
    const on = (selector) => event.target.closest && event.target.closest(selector);
    if (on("input, .panel") || (event.key === "Enter" && on("button, label"))) return;
    if (event.key === "Enter" || event.key === "ArrowRight") {
      page.show.next();
    } else if (event.key === "F1") {
      saveShot();
    } else if (event.key === "f" || event.key === "F") {
      toggleFullScreen();
    } else {
      return;
    }
    event.preventDefault();
  });

  // Browsers let a page make sound only after the user has done something.
  const soundOn = () => {
    page.zorbel.soundOn = true;
    $("sound-note").hidden = true;
  };
  document.addEventListener("pointerdown", soundOn, { once: true });
  document.addEventListener("keydown", soundOn, { once: true });

  let idle = null;
  const wake = () => {
    $("bar").classList.remove("idle");
    clearTimeout(idle);
    idle = setTimeout(() => $("bar").classList.add("idle"), 3000);
  };
  document.addEventListener("pointermove", wake);
  wake();

  let depth = 0;
  document.addEventListener("dragenter", (e) => {
    e.preventDefault();
    depth++;
    $("drop").hidden = false;
  });
  document.addEventListener("dragleave", () => {
    if (--depth <= 0) $("drop").hidden = true;
  });
  document.addEventListener("dragover", (e) => e.preventDefault());
  document.addEventListener("drop", async (e) => {
    e.preventDefault();
    depth = 0;
    $("drop").hidden = true;
    showOwnFolder(await filesOfDrop(e.dataTransfer.items));
  });
}

// Another folder of the file system with these settings (stored as the
// panel stores them): for the tests and for pages that drive this one.
page.play = (folder, settings) => {
  localStorage.setItem(STORE_KEY, JSON.stringify(settings));
  page.folder = folder;
  restart();
  buildSettingsPanel();
};

async function main() {
  if (typeof WebAssembly !== "object" || typeof WebAssembly.instantiate !== "function") {
    say("This browser cannot run WebAssembly, which the Zorbel show needs: please open the page in a browser that can.");
    $("bar").hidden = true;
    return;
  }
  const [zorbel, sample] = await Promise.all([Zorbel.load(), zorbelFetchFolder("data/sample")]);
  page.zorbel = zorbel;
  zorbel.writeFolder(SAMPLE, sample);
  const canvas = $("screen");
  followWindow(canvas);
  page.show = new ZorbelShow(zorbel, canvas);
  for (const name of SETTING_NAMES) page.defaults[name] = page.show.get(name);
  page.show.onPaint = () => {
    if (!$("log").hidden) refreshLog();
  };
  wireControls();
  restart();
  buildSettingsPanel();
  // When the first item reached the screen, from the start of the page's
  // loading (for bench/web_bench.py).
  requestAnimationFrame(() => (page.firstItemMs = performance.now()));
}

page.ready = main().catch((error) => {
  console.error(error);
  say("The show could not start: " + error.message);
  throw error;
});
