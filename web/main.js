// The page: shows what the game (WebAssembly) paints and forwards the player's keys. The
// first screen, the menu bar and the buttons' captions come with the HTML.
const $ = (id) => document.getElementById(id);
// A new task, so that no one task keeps the page busy long.
const breath = () => new Promise((ok) => setTimeout(ok));

// The first screen is the HTML's: the game loads once that is painted in the screen's font,
// so that on a slow network its 90 KB do not hold the first screen back.
await document.fonts.load('16px "Vaultmoor Screen"');
if (PerformanceObserver.supportedEntryTypes?.includes('paint')) {
  await new Promise((ok) => new PerformanceObserver((_, o) => ok(o.disconnect()))
    .observe({ type: 'paint', buffered: true }));
}
await new Promise((ok) => requestAnimationFrame(() => requestAnimationFrame(ok)));
await breath();
const { default: Vaultmoor } = await import('./vaultmoor.js');
const module = await Vaultmoor();
await breath();

// The game's C interface (vaultmoor_web.cpp): a text argument in, an answer out, as bytes,
// text or JSON; what to ask is numbered as there.
const encoder = new TextEncoder(), decoder = new TextDecoder();
function ask(what, text = '', n = 0) {
  const bytes = encoder.encode(text);
  module.HEAPU8.set(bytes, module._vm_input(bytes.length));
  const size = module._vm_run(what, n), at = module._vm_output();
  return module.HEAPU8.slice(at, at + size);
}
const [DESIGN, NEW_GAME, ENTER, EXIT, RUNNING, INPUT_SHOWN, NEWS, REVIEW, HISTORY_UP, HISTORY_DOWN,
  MODEL, PIXELS, READING, DIALOG, DIALOG_PIXELS, KEPT, RESTORE] = Array.from({ length: 17 }, (_, i) => i);
const text = (...a) => decoder.decode(ask(...a));
const json = (...a) => JSON.parse(text(...a));
const wasm = { dialog: (id) => ({ ...json(DIALOG, '', id), pixels: ask(DIALOG_PIXELS, '', id) }) };
const game = {
  newGame: (typed) => ask(NEW_GAME, typed), enter: (line) => json(ENTER, line), exit: () => ask(EXIT),
  running: () => json(RUNNING), inputShown: () => json(INPUT_SHOWN), news: () => text(NEWS),
  review: () => text(REVIEW), historyUp: (typed) => json(HISTORY_UP, typed) ?? undefined,
  historyDown: () => json(HISTORY_DOWN) ?? undefined, model: () => json(MODEL),
  pixels: () => ask(PIXELS), reading: () => json(READING), kept: () => text(KEPT),
  restore: (kept) => json(RESTORE, kept),
};
const design = json(DESIGN);
const box = $('txtBox'), enterButton = $('cmdEnter'), dialog = $('dialog');
const root = document.documentElement, coarse = matchMedia('(pointer: coarse)');
// The reading layout where the room is narrower than the screen: the style sheet's query.
const narrow = matchMedia(`not all and (min-width: ${design.width}px)`);
const closeKey = $('cmdClose').dataset.key;
// zoom: device pixels to a screen pixel; reading: the screen as page text, for narrow rooms.
let zoom = 1, reading = false, fitted = null, dialogId = -1;

// The room, the zoom for a picture in it, and the screen's zoom set for the style sheet: first.js,
// which sets it before the first paint.
const { room, zoomFor, place: placeScreen } = self.vaultmoorScreen;

// The painter's image (RGBA, at zoom 1) on a canvas of its size; the style sheet scales it to
// the screen's zoom, or to a dialog's z device pixels a screen pixel.
function show(canvas, rgba, width, height, z) {
  canvas.width = width;
  canvas.height = height;
  if (z) for (const [name, value] of [['--w', width], ['--h', height], ['--z', z]]) canvas.style.setProperty(name, value);
  canvas.getContext('2d').putImageData(new ImageData(new Uint8ClampedArray(rgba.buffer), width, height), 0, 0);
}

// A control at its design place, in CSS pixels; on a touch screen at least a finger's
// size (44 px, growing right and down) and with text of 16 px or more.
function place(el, r, z, text = 12) {
  const px = (n) => (n * z) / devicePixelRatio;
  const least = coarse.matches ? 44 : 0;
  Object.assign(el.style, { left: `${px(r.left)}px`, top: `${px(r.top)}px`,
    width: `${Math.max(least, px(r.width))}px`, height: `${Math.max(least, px(r.height))}px`,
    fontSize: `${Math.max(coarse.matches ? 16 : 0, px(text))}px` });
}

// Room below a picture of `height` screen pixels for a control grown to 44 px past its edge.
function grownBelow(container, r, height, z) {
  const below = ((r.top - height) * z) / devicePixelRatio + 44;
  container.style.paddingBottom = coarse.matches && below > 0 ? `${below}px` : '';
}

// The reading layout: the labels shown, in reading order, as page text; the prompt in the
// bar. Their colour, alignment and size are classes of the style sheet.
function paintReading() {
  const labels = game.reading();
  const text = (el, l) => {
    el.textContent = l.lines.join('\n');
    el.className = l.classes;
    // Banners and the ruled line: one line, cut at the edge, and not read out.
    if (l.decorative) el.setAttribute('aria-hidden', 'true');
    else el.removeAttribute('aria-hidden');
    return el;
  };
  $('reading').replaceChildren(...labels.filter((l) => l.index >= 0).map((l) => {
    const p = text(document.createElement('p'), l);
    p.dataset.index = l.index;
    return p;
  }));
  const prompt = labels.find((l) => l.index < 0);
  $('prompt').hidden = !prompt;
  if (prompt) text($('prompt'), prompt);
}

// The layout shown is drawn; the first time, the HTML's text of the first screen stays.
let fresh = true;
function draw() {
  const m = game.model();
  if (!reading) show($('canvas'), game.pixels(), design.width, design.height);
  else if (!fresh) paintReading();
  if (!fresh) {
    $('review').replaceChildren(...game.review().split('\n').filter((t) => t)
      .map((t) => Object.assign(document.createElement('p'), { textContent: t })));
  }
  fresh = false;
  if (box.value !== m.txtBox.text) box.value = m.txtBox.text;
  box.hidden = !m.txtBox.visible;
  enterButton.hidden = !m.cmdEnter.visible;
  $('bar').hidden = box.hidden && enterButton.hidden && $('prompt').hidden;
}

function refresh() {
  draw();
  if (reading) scrollTo(0, 0);
  if (!box.hidden && !dialog.open) box.focus();
  keepInView();
}

// With the on-screen keyboard up: the box in view, and in the reading layout the first
// line of the newest text (the reply, else the first label) above the bar. Computers
// never scroll.
function keepInView() {
  if (box.hidden || document.activeElement !== box || !(reading || coarse.matches)) return;
  const v = visualViewport, top = v ? v.offsetTop : 0, bottom = top + (v ? v.height : innerHeight);
  if (reading) {
    const first = $('reading').querySelector('[data-index="12"]') || $('reading').firstElementChild;
    const line = first && parseFloat(getComputedStyle(first).lineHeight);
    const r = first && first.getBoundingClientRect();
    if (r && (r.top < top || r.top + line > Math.min(bottom, $('bar').getBoundingClientRect().top))) {
      scrollBy(0, r.top - top);
    }
  }
  const b = box.getBoundingClientRect();
  if (b.top < top || b.bottom > bottom) box.scrollIntoView({ block: 'nearest' });
}

// Two live regions taken in turn: each piece of news is a new text in a region that was
// empty, so a reply equal to the one before it is announced again, and once.
let newsAt = 0;
function say(text) {
  $(`news${newsAt}`).textContent = '';
  newsAt = 1 - newsAt;
  $(`news${newsAt}`).textContent = text;
}

// The exact screen where the room is as wide as the screen at one CSS pixel to a screen
// pixel; the reading layout where it is narrower.
function fit() {
  fitted = room();
  zoom = placeScreen();
  reading = narrow.matches;
  if (reading) {
    for (const el of [box, enterButton, $('screen')]) el.removeAttribute('style');
  } else {
    place(box, design.txtBox, zoom, 13);
    place(enterButton, design.cmdEnter, zoom);
    grownBelow($('screen'), design.txtBox, design.height, zoom);
  }
  if (game.running()) draw();
  if (dialog.open) showDialog(dialogId);
}

// A resize while the box has the focus on a touch screen, only shorter: the on-screen
// keyboard came up. The zoom and the layout stay; the box stays in view.
function resized() {
  const [w, h] = room();
  const keyboard = coarse.matches && fitted && w === fitted[0] && h < fitted[1] &&
    document.activeElement === box;
  if (!keyboard) fit();
  liftBar();
  keepInView();
}

// Where the keyboard only covers the page (the layout viewport keeps its height), the
// reading layout's bar rides above it, at the bottom of what can be seen.
function liftBar() {
  const v = visualViewport, below = v ? root.clientHeight - v.offsetTop - v.height : 0;
  $('bar').style.bottom = reading && below > 0 ? `${below}px` : '';
}

// The game in progress, kept so that a reload, a discarded tab or a crashed page brings it
// back: in the tab, and in the installed app on the device too. The game says what to keep
// (nothing after Exit); a storage that is full or refused only means it is not kept.
const KEY = 'vaultmoor-game'; // first.js looks there before the first paint
const stores = () => [() => sessionStorage,
  ...(matchMedia('(display-mode: standalone)').matches ? [() => localStorage] : [])];
function store(how) {
  for (const s of stores()) {
    try {
      how(s());
    } catch {
      try { s().removeItem(KEY); } catch { /* not kept */ }
    }
  }
}
// A page removes only what it kept: another window of the app may keep a game of its own.
let keeping = false;
function keep() {
  const kept = game.kept();
  if (kept || keeping) store((s) => (kept ? s.setItem(KEY, kept) : s.removeItem(KEY)));
  keeping = Boolean(kept);
}
// At load: the kept game, if the game takes it; anything else is removed. The game reads at
// most 256 KiB (KeptGame::MostBytes), so more is not even handed to it.
function restore() {
  let kept = null;
  store((s) => (kept ??= s.getItem(KEY)));
  if (kept === null) return false;
  if (kept.length <= 262144 && game.restore(kept)) return (keeping = true);
  store((s) => s.removeItem(KEY));
  return false;
}

function enter() {
  if (!game.running() || !game.inputShown()) return;
  game.enter(box.value);
  keep();
  refresh();
  say(game.news());
}

function newGame() {
  game.newGame(box.value);
  keep();
  refresh();
  say(game.news());
}

function exit() {
  game.exit();
  keep();
  closeMenus();
  if (dialog.open) dialog.close();
  for (const id of ['menubar', 'screen']) $(id).hidden = true;
  $('review').replaceChildren();
  $('ended').hidden = false;
  say($('ended').textContent);
}

// On a computer a dialog takes the screen's zoom; elsewhere the zoom that fits the room.
function showDialog(id) {
  const d = wasm.dialog(id);
  dialogId = id;
  const [w, h] = room();
  const z = reading || coarse.matches ? zoomFor(d.width, d.height, [w - 40, h - 70]) : zoom;
  $('dialogTitle').textContent = d.caption;
  show($('dialogCanvas'), d.pixels, d.width, d.height, z);
  $('dialogText').textContent = d.text;
  place($('cmdClose'), d.close, z);
  grownBelow($('dialog').querySelector('.face'), d.close, d.height, z);
  if (!dialog.open) dialog.showModal();
  // Centred by the browser, it may stand between whole CSS px: moved onto them, where the style
  // sheet takes its picture on to device pixels from.
  dialog.style.margin = '';
  const at = dialog.getBoundingClientRect();
  dialog.style.margin = `${Math.round(at.top)}px auto auto ${Math.round(at.left)}px`;
  const face = $('dialogCanvas').parentElement.getBoundingClientRect();
  $('dialogCanvas').style.setProperty('--x', `${face.left}px`);
  $('dialogCanvas').style.setProperty('--y', `${face.top}px`);
}
$('cmdClose').onclick = () => dialog.close();
dialog.onclose = () => box.hidden || box.focus();

// The menu bar: Alt and the underlined letter, arrows inside a menu, Escape to leave.
const menus = [...document.querySelectorAll('.menu')];
function closeMenus() {
  for (const m of menus) {
    m.lastElementChild.hidden = true;
    m.firstElementChild.setAttribute('aria-expanded', 'false');
  }
}
function openMenu(m) {
  closeMenus();
  const list = m.lastElementChild;
  list.hidden = false;
  // A menu that would stick out past the right edge (on a phone) moves left.
  list.style.left = '';
  const over = list.getBoundingClientRect().right - root.clientWidth;
  if (over > 0) list.style.left = `${-over}px`;
  m.firstElementChild.setAttribute('aria-expanded', 'true');
  m.querySelector('[role=menu] button').focus();
}
function act(item) {
  closeMenus();
  if (item.dataset.act === 'new') newGame();
  else if (item.dataset.act === 'exit') exit();
  else if (item.dataset.act === 'dialog') showDialog(Number(item.dataset.dialog));
}
for (const m of menus) {
  m.firstElementChild.onclick = () => (m.lastElementChild.hidden ? openMenu(m) : closeMenus());
}
for (const item of document.querySelectorAll('[data-act]')) {
  item.onclick = () => act(item);
}
document.addEventListener('click', (e) => e.target.closest('.menu') || closeMenus());

document.addEventListener('keydown', (e) => {
  const letter = e.code.startsWith('Key') ? e.code.slice(3).toLowerCase() : '';
  if (dialog.open && e.altKey && letter === closeKey) dialog.close();
  if (!game.running() || dialog.open) return;
  const open = menus.find((m) => !m.lastElementChild.hidden);
  if (open && !e.altKey) {
    const items = [...open.querySelectorAll('[role=menu] button')];
    const at = items.indexOf(document.activeElement);
    const hit = items.find((b) => b.dataset.key === letter);
    if (e.key === 'Escape') {
      closeMenus();
      box.hidden || box.focus();
    } else if (e.key === 'ArrowDown' || e.key === 'ArrowUp') {
      items[(at + (e.key === 'ArrowDown' ? 1 : items.length - 1)) % items.length].focus();
    } else if (hit) {
      act(hit);
    } else {
      return;
    }
    e.preventDefault();
    return;
  }
  if (!e.altKey || e.ctrlKey || !letter) return;
  const top = [...$('menubar').children].map((c) => c.querySelector('button') || c)
    .find((b) => b.dataset.key === letter);
  if (top) {
    const menu = top.closest('.menu');
    if (menu) openMenu(menu);
    else act(top);
  } else if (letter === enterButton.dataset.key && !enterButton.hidden) {
    enter();
  } else {
    return;
  }
  e.preventDefault();
});

box.addEventListener('keydown', (e) => {
  if (e.altKey || e.ctrlKey) return;
  let line;
  if (e.key === 'Enter') enter();
  else if (e.key === 'ArrowUp') line = game.historyUp(box.value);
  else if (e.key === 'ArrowDown') line = game.historyDown();
  else return;
  if (line !== undefined) box.value = line;
  e.preventDefault();
});
enterButton.onclick = enter;
// A tap anywhere on the screen puts the focus in the box, and the keyboard comes up.
$('screen').addEventListener('click', (e) => e.target === enterButton || box.hidden || box.focus());

addEventListener('resize', resized);
// Another device pixel ratio (a browser's zoom, another monitor), with or without a resize.
(function ratioChanges() {
  matchMedia(`(resolution: ${devicePixelRatio}dppx)`).addEventListener('change', () => {
    resized();
    ratioChanges();
  }, { once: true });
})();
visualViewport?.addEventListener('resize', resized);
visualViewport?.addEventListener('scroll', liftBar);
addEventListener('pagehide', keep);
document.addEventListener('freeze', keep);
document.addEventListener('visibilitychange', () => document.hidden && keep());
await breath();
// A game brought back is drawn whole, as the first screen is: heard once, with no news.
const restored = restore();
fresh = !restored;
fit();
if (restored) refresh();
delete root.dataset.kept;
performance.mark('vaultmoor-first-screen');
// For the page's own test: the screen model as the game holds it, the zoom and the layout.
window.vaultmoor = { model: () => game.model(), zoom: () => zoom, reading: () => reading };
document.body.dataset.ready = 'true';
// Offline: the service worker keeps this build's files.
navigator.serviceWorker?.register('sw.js').catch((e) => console.warn('No offline play:', e));
