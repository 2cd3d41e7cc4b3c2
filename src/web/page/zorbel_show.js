// The Zorbel show on a canvas, from the wasm module (zorbel.js): loading
// the module and the speech font, putting folders into the module's file
// system, and running a show on a canvas. Any page may use it; index.html
// adds the controls of the show page.
"use strict";

// Texts are single-byte Windows text: the 0x80 to 0x9F row of code page
// 1252, the rest as Latin-1.
const ZORBEL_CP1252 = [
  0x20ac, 0x81, 0x201a, 0x0192, 0x201e, 0x2026, 0x2020, 0x2021, 0x02c6, 0x2030, 0x0160,
  0x2039, 0x0152, 0x8d, 0x017d, 0x8f, 0x90, 0x2018, 0x2019, 0x201c, 0x201d, 0x2022,
  0x2013, 0x2014, 0x02dc, 0x2122, 0x0161, 0x203a, 0x0153, 0x9d, 0x017e, 0x0178,
];
const ZORBEL_FONT_FAMILY = "Zorbel Comic";

function zorbelChar(byte) {
  return String.fromCharCode(byte >= 0x80 && byte < 0xa0 ? ZORBEL_CP1252[byte - 0x80] : byte);
}

// The speech text for the module: each byte's advance, rounded as a
// hinted font's, and lines drawn white on black into a one-byte-a-pixel
// mask, which the module writes into its pictures as white pixels.
class ZorbelText {
  constructor(family) {
    this.family = family;
    this.canvas = document.createElement("canvas");
    this.ctx = this.canvas.getContext("2d", { willReadFrequently: true });
    this.advances = new Map(); // em size -> advances of the 256 bytes
  }

  font(emSize) {
    return `bold ${emSize}px "${this.family}"`;
  }

  advancesAt(emSize) {
    let table = this.advances.get(emSize);
    if (!table) {
      this.ctx.font = this.font(emSize);
      table = new Int32Array(256);
      for (let b = 32; b < 256; b++) table[b] = Math.round(this.ctx.measureText(zorbelChar(b)).width);
      this.advances.set(emSize, table);
    }
    return table;
  }

  width(bytes, emSize) {
    const table = this.advancesAt(emSize);
    let w = 0;
    for (const b of bytes) w += table[b];
    return w;
  }

  mask(bytes, emSize, left, baseline, out, width, height) {
    const table = this.advancesAt(emSize);
    if (this.canvas.width < width) this.canvas.width = width;
    if (this.canvas.height < height) this.canvas.height = height;
    const ctx = this.ctx;
    ctx.fillStyle = "#000";
    ctx.fillRect(0, 0, width, height);
    ctx.font = this.font(emSize);
    ctx.fillStyle = "#fff";
    ctx.textBaseline = "alphabetic";
    let x = left;
    for (const b of bytes) {
      ctx.fillText(zorbelChar(b), x, baseline);
      x += table[b];
    }
    const data = ctx.getImageData(0, 0, width, height).data;
    for (let i = 0, j = 0; i < out.length; i++, j += 4) out[i] = data[j] >= 128 ? 1 : 0;
  }
}

// The loaded module with its font: what every show of a page shares.
class Zorbel {
  // options.base: where zorbel.js's folder is; options.log: the log path.
  static async load(options = {}) {
    const base = options.base || "";
    if (typeof WebAssembly !== "object") throw new Error("no WebAssembly");
    const fontData = await zorbelFetch(base + "fonts/ComicNeue-Bold.otf");
    const face = new FontFace(ZORBEL_FONT_FAMILY, fontData, { weight: "bold" });
    await face.load();
    document.fonts.add(face);
    const system = zorbelSystemComicSans();
    const module = await createZorbelModule({
      locateFile: (name) => base + name,
      print: (text) => console.log(text),
      printErr: (text) => console.warn(text),
    });
    return new Zorbel(module, new Uint8Array(fontData), system, options.log || "/log/error.log");
  }

  // system: the cell of "Comic Sans MS" where the system has it, else null.
  constructor(module, fontBytes, system, logPath) {
    this.module = module;
    this.FS = module.FS;
    this.logPath = logPath;
    this.soundOn = false;
    this.sounds = []; // the paths asked for, for the tests and the log panel
    const c = (name, ret, args) => module.cwrap(name, ret, args);
    this.api = {
      openLog: c("zorbel_open_log", null, ["string"]),
      useFont: c("zorbel_use_font", "number", ["number", "number"]),
      useFontCell: c("zorbel_use_font_cell", "number", ["number", "number", "number"]),
      newShow: c("zorbel_new_show", "number", []),
      freeShow: c("zorbel_free_show", null, ["number"]),
      set: c("zorbel_set", "number", ["number", "string", "number"]),
      get: c("zorbel_get", "number", ["number", "string"]),
      setFolder: c("zorbel_set_folder", null, ["number", "string"]),
      start: c("zorbel_start", "number", ["number", "number", "number", "number", "number"]),
      resize: c("zorbel_resize", null, ["number", "number", "number"]),
      tick: c("zorbel_tick", "number", ["number", "number"]),
      due: c("zorbel_due", "number", ["number"]),
      next: c("zorbel_next", null, ["number"]),
      present: c("zorbel_present", "number", ["number"]),
      pixels: c("zorbel_pixels", "number", ["number"]),
      shotArea: c("zorbel_shot_area", "number", ["number"]),
      scale: c("zorbel_scale", "number", ["number"]),
    };
    module.zorbelText = new ZorbelText(system ? "Comic Sans MS" : ZORBEL_FONT_FAMILY);
    this.fontFamily = module.zorbelText.family;
    module.zorbelSound = (path) => this.playSound(path);
    const at = module._malloc(fontBytes.length);
    module.HEAPU8.set(fontBytes, at);
    if (!this.api.useFont(at, fontBytes.length)) console.warn("the speech font is no font");
    module._free(at);
    if (system) this.api.useFontCell(system.unitsPerEm, system.ascent, system.total);
    this.makeFolders(this.logPath.replace(/\/[^/]*$/, ""));
    this.api.openLog(this.logPath);
  }

  // The numbers the module left at a pointer: a rectangle and a flag.
  rect(pointer) {
    const v = new Int32Array(this.module.HEAPU8.buffer, pointer, 5);
    return { x: v[0], y: v[1], width: v[2], height: v[3], flag: v[4] !== 0 };
  }

  makeFolders(path) {
    let at = "";
    for (const part of path.split("/").filter((p) => p)) {
      at += "/" + part;
      if (!this.FS.analyzePath(at).exists) this.FS.mkdir(at);
    }
  }

  removeFolder(path) {
    if (!this.FS.analyzePath(path).exists) return;
    for (const name of this.FS.readdir(path)) {
      if (name === "." || name === "..") continue;
      const entry = path + "/" + name;
      if (this.FS.isDir(this.FS.stat(entry).mode)) this.removeFolder(entry);
      else this.FS.unlink(entry);
    }
    this.FS.rmdir(path);
  }

  // Replaces the folder by these files: [{path: "a/b.pcx", data: Uint8Array}],
  // paths relative to the folder.
  writeFolder(folder, files) {
    this.removeFolder(folder);
    this.makeFolders(folder);
    for (const file of files) {
      const parts = file.path.split("/").filter((p) => p && p !== "." && p !== "..");
      if (parts.length === 0) continue;
      this.makeFolders([folder, ...parts.slice(0, -1)].join("/"));
      this.FS.writeFile([folder, ...parts].join("/"), file.data);
    }
  }

  // The log as the saver writes it (CR LF lines).
  logText() {
    try {
      return this.FS.readFile(this.logPath, { encoding: "binary" }).reduce(
        (s, b) => s + zorbelChar(b),
        "",
      );
    } catch (e) {
      return "";
    }
  }

  playSound(path) {
    const file = path.replace(/\\/g, "/");
    this.sounds.push(file);
    if (!this.soundOn) return;
    let data;
    try {
      data = this.FS.readFile(file);
    } catch (e) {
      return; // silence, as the savers
    }
    // The savers play WAV files only; anything else is silence too.
    const tag = (at) => String.fromCharCode(...data.subarray(at, at + 4));
    if (data.length <= 44 || tag(0) !== "RIFF" || tag(8) !== "WAVE") return;
    const url = URL.createObjectURL(new Blob([data]));
    const audio = new Audio(url);
    audio.addEventListener("ended", () => URL.revokeObjectURL(url));
    audio.play().catch(() => URL.revokeObjectURL(url));
  }
}

// The cell of bold "Comic Sans MS" where the system has it (as the savers
// take it first), from the canvas's font box at an em of 1000 pixels; null
// where it has not, or only as another name of the bundled font.
function zorbelSystemComicSans() {
  const ctx = document.createElement("canvas").getContext("2d");
  const probe = "mmmmmmmmmmlliWWQ@#&";
  const width = (family) => {
    ctx.font = `bold 72px ${family}`;
    return ctx.measureText(probe).width;
  };
  const comic = width('"Comic Sans MS", monospace');
  const others = ["monospace", '"Comic Sans MS", serif', `"${ZORBEL_FONT_FAMILY}", monospace`];
  if (others.some((family) => width(family) === comic)) return null;
  ctx.font = 'bold 1000px "Comic Sans MS"';
  const box = ctx.measureText("M");
  const ascent = Math.round(box.fontBoundingBoxAscent);
  const total = ascent + Math.round(box.fontBoundingBoxDescent);
  return ascent > 0 && total > ascent ? { unitsPerEm: 1000, ascent, total } : null;
}

async function zorbelFetch(url) {
  const response = await fetch(url);
  if (!response.ok) throw new Error(`${url}: ${response.status}`);
  return response.arrayBuffer();
}

// The files of a folder the page serves, listed in its files.json.
async function zorbelFetchFolder(url) {
  const names = JSON.parse(new TextDecoder().decode(await zorbelFetch(url + "/files.json")));
  return Promise.all(
    names.map(async (name) => ({ path: name, data: new Uint8Array(await zorbelFetch(url + "/" + name)) })),
  );
}

// One show on a canvas: the show's 100 ms beat, woken only when a tick can
// change the screen, and the module's pixels put on the canvas.
class ZorbelShow {
  constructor(zorbel, canvas) {
    this.zorbel = zorbel;
    this.api = zorbel.api;
    this.canvas = canvas;
    this.ctx = canvas.getContext("2d", { alpha: false });
    this.handle = this.api.newShow();
    this.timer = null;
    this.lastTick = 0;
    this.steps = 0; // items shown, for the tests and the benchmarks
  }

  set(name, value) {
    return this.api.set(this.handle, name, value >>> 0);
  }

  get(name) {
    return this.api.get(this.handle, name);
  }

  // Starts the show on the folder, seeded with the time or the seed given.
  start(folder, seed) {
    this.api.setFolder(this.handle, folder);
    const loaded = this.api.start(
      this.handle,
      this.canvas.width,
      this.canvas.height,
      seed === undefined ? 0 : 1,
      seed === undefined ? 0 : seed >>> 0,
    );
    this.stepped();
    return loaded === 1;
  }

  // The canvas got a new size: the next item at the new scale.
  resize() {
    this.api.resize(this.handle, this.canvas.width, this.canvas.height);
    this.stepped();
  }

  next() {
    this.api.next(this.handle);
    this.stepped();
  }

  stepped() {
    this.lastTick = performance.now();
    this.steps++;
    this.paint();
    this.schedule(this.api.due(this.handle));
  }

  schedule(ticks) {
    clearTimeout(this.timer);
    this.timer = null;
    if (ticks <= 0) return; // no tick will change anything: sleep
    const wait = Math.max(0, this.lastTick + ticks * 100 - performance.now());
    this.timer = setTimeout(() => {
      this.lastTick += ticks * 100;
      if (performance.now() - this.lastTick >= 100) this.lastTick = performance.now();
      const due = this.api.tick(this.handle, ticks);
      this.steps++;
      this.paint();
      this.schedule(due);
    }, wait);
  }

  paint() {
    const r = this.zorbel.rect(this.api.present(this.handle));
    if (r.flag) {
      this.ctx.fillStyle = "#000";
      this.ctx.fillRect(0, 0, this.canvas.width, this.canvas.height);
    }
    if (r.width <= 0 || r.height <= 0) {
      if (r.flag && this.onPaint) this.onPaint();
      return;
    }
    const pixels = new Uint8ClampedArray(
      this.zorbel.module.HEAPU8.buffer,
      this.api.pixels(this.handle),
      r.width * r.height * 4,
    );
    this.ctx.putImageData(new ImageData(pixels, r.width, r.height), r.x, r.y);
    if (this.onPaint) this.onPaint();
  }

  // The PNG F1 saves: the item last drawn, as the canvas shows it; null
  // while a popup shows or when there is no show.
  async screenshot() {
    const r = this.zorbel.rect(this.api.shotArea(this.handle));
    if (r.width <= 0 || r.height <= 0) return null;
    const shot = document.createElement("canvas");
    shot.width = r.width;
    shot.height = r.height;
    shot.getContext("2d").drawImage(this.canvas, r.x, r.y, r.width, r.height, 0, 0, r.width, r.height);
    return new Promise((resolve) => shot.toBlob(resolve, "image/png"));
  }

  stop() {
    clearTimeout(this.timer);
    this.timer = null;
  }

  free() {
    this.stop();
    this.api.freeShow(this.handle);
    this.handle = 0;
  }
}
