// The page: draws what the game (WebAssembly) lays out and forwards the player's keys.
import Vaultmoor from './vaultmoor.js';

const $ = (id) => document.getElementById(id);
const atlas = new Image();
atlas.src = 'font.png';
const [wasm] = await Promise.all([Vaultmoor(), atlas.decode()]);
const design = wasm.design();
const game = new wasm.Game();
const box = $('txtBox'), enterButton = $('cmdEnter'), dialog = $('dialog');
let zoom = 1, dialogId = -1;

// The atlas is white ink: one copy in each colour the screens use.
const inks = new Map();
function ink([r, g, b]) {
  const key = `rgb(${r},${g},${b})`;
  if (!inks.has(key)) {
    const c = document.createElement('canvas');
    c.width = atlas.width;
    c.height = atlas.height;
    const x = c.getContext('2d');
    x.drawImage(atlas, 0, 0);
    x.globalCompositeOperation = 'source-in';
    x.fillStyle = key;
    x.fillRect(0, 0, c.width, c.height);
    inks.set(key, c);
  }
  return inks.get(key);
}

// Black, then each label's lines cut at its own edge; glyph cells without their blank
// top row, so lines stand 12 pixels apart as in the window.
function paint(canvas, width, height, labels) {
  canvas.width = width * zoom;
  canvas.height = height * zoom;
  canvas.style.width = `${(width * zoom) / devicePixelRatio}px`;
  const c = canvas.getContext('2d');
  c.imageSmoothingEnabled = false;
  c.setTransform(zoom, 0, 0, zoom, 0, 0);
  c.fillStyle = '#000';
  c.fillRect(0, 0, width, height);
  const cols = design.atlasColumns;
  for (const l of labels) {
    const glyphs = ink(l.colour);
    c.save();
    c.beginPath();
    c.rect(l.left, l.top, l.width, l.height);
    c.clip();
    for (const line of l.lines) {
      line.slots.forEach((s, i) => {
        if (s >= 0) c.drawImage(glyphs, (s % cols) * 8, Math.floor(s / cols) * 13 + 1, 8, 12,
                                line.x + i * 8, line.y, 8, 12);
      });
    }
    c.restore();
  }
}

// A control at its design place, in CSS pixels.
function place(el, r) {
  const px = (n) => `${(n * zoom) / devicePixelRatio}px`;
  Object.assign(el.style, { left: px(r.left), top: px(r.top), width: px(r.width),
    height: px(r.height), fontSize: px(12) });
}

function refresh() {
  const m = game.model();
  paint($('canvas'), design.width, design.height, game.screen());
  $('review').replaceChildren(...game.review().split('\n').filter((t) => t)
    .map((t) => Object.assign(document.createElement('p'), { textContent: t })));
  if (box.value !== m.txtBox.text) box.value = m.txtBox.text;
  box.hidden = !m.txtBox.visible;
  enterButton.hidden = !m.cmdEnter.visible;
  if (!box.hidden && !dialog.open) box.focus();
}

function say(text) {
  $('news').textContent = text;
}

// The largest whole-number zoom at which the screen fits the browser window; counted in
// device pixels, so that every screen pixel is a whole square of them.
function fit() {
  const room = (innerHeight - $('menubar').offsetHeight) * devicePixelRatio;
  zoom = Math.max(1, Math.floor(Math.min(innerWidth * devicePixelRatio / design.width,
    room / design.height)));
  place(box, design.txtBox);
  place(enterButton, design.cmdEnter);
  if (game.running()) refresh();
  if (dialog.open) showDialog(dialogId);
}

function enter() {
  if (!game.running() || !game.inputShown()) return;
  game.enter(box.value);
  refresh();
  say(game.news());
}

function newGame() {
  game.newGame(box.value);
  refresh();
  say(game.news());
}

function exit() {
  game.exit();
  closeMenus();
  if (dialog.open) dialog.close();
  for (const id of ['menubar', 'screen']) $(id).hidden = true;
  $('review').replaceChildren();
  $('ended').hidden = false;
  say($('ended').textContent);
}

function showDialog(id) {
  const d = wasm.dialog(id);
  dialogId = id;
  $('dialogTitle').textContent = d.caption;
  paint($('dialogCanvas'), d.width, d.height, d.labels);
  $('dialogText').textContent = d.text;
  place($('cmdClose'), d.close);
  if (!dialog.open) dialog.showModal();
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
  m.lastElementChild.hidden = false;
  m.firstElementChild.setAttribute('aria-expanded', 'true');
  m.querySelector('[role=menu] button').focus();
}
function act(item) {
  closeMenus();
  if (item.dataset.act === 'new') newGame();
  else if (item.dataset.act === 'exit') exit();
  else if (item.dataset.dialog) showDialog(Number(item.dataset.dialog));
}
for (const m of menus) {
  m.firstElementChild.onclick = () => (m.lastElementChild.hidden ? openMenu(m) : closeMenus());
}
for (const item of document.querySelectorAll('[data-act], [data-dialog]')) {
  item.onclick = () => act(item);
}
document.addEventListener('click', (e) => e.target.closest('.menu') || closeMenus());

document.addEventListener('keydown', (e) => {
  const letter = e.code.startsWith('Key') ? e.code.slice(3).toLowerCase() : '';
  if (dialog.open && e.altKey && letter === 'c') dialog.close();
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
  } else if (letter === 'e' && !enterButton.hidden) {
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

addEventListener('resize', fit);
fit();
performance.mark('vaultmoor-first-screen');
// For the page's own test: the screen model as the game holds it.
window.vaultmoor = { model: () => game.model() };
document.body.dataset.ready = 'true';
// Offline: the service worker keeps this build's files.
navigator.serviceWorker?.register('sw.js').catch((e) => console.warn('No offline play:', e));
