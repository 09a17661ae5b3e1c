// Plays the web page in Debian's headless Chromium by keyboard, then on phones and tablets
// by touch, and in Firefox ESR: after every step the page's screen model must equal
// vaultmoor-transcript's for the same actions, and the canvas at zoom 1 the desktop window's
// golden images. The first screen, before the WebAssembly runs, must be the one the page then
// shows, where it then shows it. The aria-live texts go to build-web/aria-live.txt, the
// screenshots to build-web/shots/.
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { mkdirSync, readFileSync, writeFileSync } from 'node:fs';
import path from 'node:path';
import { after, before, test } from 'node:test';
import { differingBytes, golden, goldenPng, launch, model, root, serve, short, shownTexts, site, steps, transcript }
  from './common.mjs';

const expected = transcript(steps);
// Bytes of a canvas of the page (RGBA) that differ from a golden image, or -1 for another size.
const differingPixels = (page, file, id = 'canvas') => page.evaluate(differingBytes, goldenPng(file), id);

const alt = async (page, key) => {
  for (const [how, k] of [['down', 'Alt'], ['press', key], ['up', 'Alt']]) await page.keyboard[how](k);
};

let server, url, browser;
before(async () => {
  mkdirSync(path.join(root, 'build-web/shots'), { recursive: true });
  let port;
  ({ server, port } = await serve(site));
  url = `http://127.0.0.1:${port}/`;
  browser = await launch();
});
after(() => browser?.close().finally(() => server?.kill()));

async function open(b, device, prepare) {
  const page = await b.newPage();
  page.on('pageerror', (e) => console.error(`the page: ${e.message}`));
  if (device) await page.emulate(device);
  if (prepare) await page.evaluateOnNewDocument(...prepare);
  await page.goto(url).then(() => page.waitForSelector('body[data-ready]'));
  return page;
}

test('a game in the page by keyboard: a death, the end screen, a way out, Exit', async () => {
  const page = await open(browser);
  assert.equal(await page.title(), 'Vaultmoor v1.0');
  // The box's web font draws each glyph as the painter's, pixel for pixel, at 13 px.
  assert.deepEqual(await page.evaluate(async (glyphs) => {
    const c = new OffscreenCanvas(8, 13).getContext('2d');
    Object.assign(c, { font: `13px ${getComputedStyle(document.getElementById('txtBox')).fontFamily}`,
      fillStyle: '#fff' });
    return Object.entries(glyphs).filter(([g, rows]) => {
      c.clearRect(0, 0, 8, 13);
      c.fillText(g, 0, 11);
      const mine = c.getImageData(0, 0, 8, 13).data;
      return rows.some((bits, y) => [...Array(8).keys()].some((x) =>
        (mine[(y * 8 + x) * 4 + 3] > 127) !== Boolean(bits & (0x80 >> x))));
    }).map(([g]) => g);
  }, JSON.parse(readFileSync(path.join(root, 'build-web/glyphs.json')))), []);
  await alt(page, 'KeyI');
  assert.equal(await differingPixels(page, 'instructions.png', 'dialogCanvas'), 0);
  await alt(page, 'KeyC');
  // Every text put into a live region, and where.
  await page.evaluate(() => {
    const log = new MutationObserver((records) => window.newsLog.push(...records.flatMap((r) =>
      [...r.addedNodes].map((n) => ({ region: r.target.id, text: n.data })))));
    for (const id of ['news0', 'news1']) log.observe(document.getElementById(id), { childList: true });
    window.newsLog = [];
  });
  const spoken = [];
  let region = null;
  for (let i = 0; i <= steps.length; i++) {
    if (i > 0 && steps[i - 1] === '!new') await alt(page, 'KeyF').then(() => page.keyboard.press('KeyN'));
    else if (i > 0) await page.keyboard.type(steps[i - 1]).then(() => page.keyboard.press('Enter'));
    assert.deepEqual(await model(page), expected[i], `step ${i}`);
    if (golden[i]) assert.equal(await differingPixels(page, golden[i]), 0, golden[i]);
    // Each piece of news, a reply equal to the one before too, is one new text node in a
    // live region that was empty, and the other region is emptied: announced, and once.
    const news = await page.evaluate(() => ({ added: window.newsLog.splice(0),
      now: ['news0', 'news1'].map((id) => document.getElementById(id).textContent) }));
    if (i > 0) {
      assert.equal(news.added.length, 1, `step ${i}: ${JSON.stringify(news.added)}`);
      const [{ region: to, text }] = news.added;
      assert.notEqual(to, region, `step ${i}: the same region twice`);
      assert.deepEqual(news.now, to === 'news0' ? [text, ''] : ['', text], `step ${i}`);
      region = to;
      spoken.push(`${JSON.stringify(steps[i - 1])} => ${text}`);
    }
    if (steps[i - 1] === 'anything at all') assert.match(spoken.at(-1), /=> The End\n?$/);
    if (i === 1) {
      // The command box comes first in the tab order, before the menu bar.
      assert.equal(await page.evaluate(() => [...document.querySelectorAll('input, button, [tabindex]')]
        .filter((e) => e.checkVisibility() && e.tabIndex >= 0)
        .sort((x, y) => (x.tabIndex || 1e9) - (y.tabIndex || 1e9))[0].id), 'txtBox');
    }
  }
  writeFileSync(path.join(root, 'build-web/aria-live.txt'), spoken.join('\n') + '\n');
  await alt(page, 'KeyF').then(() => page.keyboard.press('KeyX'));
  assert.deepEqual((await page.evaluate(() => window.newsLog.splice(0))).map((n) => n.text),
    [await page.$eval('#ended', (e) => e.textContent)]);
  await page.close();
});

// Phones and a tablet, touch emulated. Each plays the short game by taps and typing; at every
// step nothing is wider than the viewport, every shown label is inside it, the layout is the
// exact screen at one CSS pixel or more to a screen pixel where 578 px fit and the reading
// layout elsewhere, and the targets are a finger's size.
const phones = { 'android-360': [360, 800, 3], 'iphone-390': [390, 844, 3], 'android-412': [412, 915, 2.625],
  'landscape-844': [844, 390, 3], 'tablet-768': [768, 1024, 2] };
const ua = 'Mozilla/5.0 (Linux; Android 14) AppleWebKit/537.36 (KHTML, like Gecko) Chrome/156.0 Mobile Safari/537.36';
// A step of a game by mouse or by touch: '!new' or '!exit' from the File menu, else a line
// typed and Enter.
async function act(page, step, touch) {
  const press = (q) => (touch ? page.tap(q) : page.click(q));
  if (step.startsWith('!')) return press('#menubar [aria-haspopup]').then(() => press(`[data-act=${step.slice(1)}]`));
  await page.keyboard.type(step);
  return touch ? page.tap('#cmdEnter') : page.keyboard.press('Enter');
}
const settle = (page) => page.evaluate(() => new Promise((ok) => requestAnimationFrame(() => setTimeout(ok))));
const resize = (page, viewport) => page.setViewport(viewport).then(() => settle(page));

async function checkLayout(page, width, name, touch = true) {
  const l = await page.evaluate(() => {
    const rect = (e) => e.checkVisibility() && e.getBoundingClientRect().toJSON();
    const canvas = document.getElementById('canvas').getBoundingClientRect(), doc = document.documentElement;
    const texts = [...document.querySelectorAll('#reading p, #prompt:not([hidden])')], d = document.getElementById('dialog');
    return { reading: window.vaultmoor.reading(), scale: canvas.width / 578, texts: texts.map((e) => e.textContent),
      shown: (window.vaultmoor.reading() ? texts : [document.getElementById('canvas')]).map((e) => e.getBoundingClientRect().toJSON()),
      fill: Math.max(canvas.width / doc.clientWidth, canvas.bottom / doc.clientHeight), scrollWidth: doc.scrollWidth,
      clientWidth: doc.clientWidth, clientHeight: doc.clientHeight, dialog: d.open && [rect(d), d.scrollHeight - d.clientHeight],
      pitch: parseFloat(getComputedStyle(document.getElementById('reading')).lineHeight),
      targets: ['#txtBox', '#cmdEnter', '#cmdClose', '#menubar > button', '#menubar .menu > button', '[role=menu] button']
        .flatMap((q) => [...document.querySelectorAll(q)]).map(rect).filter(Boolean),
      boxText: parseFloat(getComputedStyle(document.getElementById('txtBox')).fontSize) };
  });
  assert.ok(l.scrollWidth <= l.clientWidth, `${name}: ${l.scrollWidth} px wide in ${l.clientWidth}`);
  assert.equal(l.reading, width < 578, name);
  if (l.reading) assert.ok(l.pitch >= 16, `${name}: lines ${l.pitch} px apart`);
  else assert.ok(l.scale >= 1 && (!touch || l.fill >= 0.8), `${name}: ${l.scale} CSS px to a screen pixel, ${l.fill} filled`);
  for (const r of l.shown) {
    assert.ok(r.left >= 0 && r.right <= l.clientWidth, `${name}: a label across ${r.left}..${r.right}`);
    if (!l.reading) assert.ok(r.top >= 0 && r.bottom <= l.clientHeight, `${name}: a label down ${r.top}..${r.bottom}`);
  }
  if (l.dialog) {
    const [r, hidden] = l.dialog;
    assert.ok(r.left >= 0 && r.right <= l.clientWidth && r.top >= 0 && r.bottom <= l.clientHeight && hidden <= 1,
      `${name}: the dialog at ${JSON.stringify(r)}, ${hidden} px out of sight`);
  }
  if (!touch) return l;
  for (const r of l.targets) {
    assert.ok(r.width >= 44 && r.height >= 44, `${name}: a target of ${r.width} x ${r.height}`);
    assert.ok(r.left >= 0 && r.right <= l.clientWidth, `${name}: a target across ${r.left}..${r.right}`);
  }
  assert.ok(l.boxText >= 16, `${name}: box text of ${l.boxText} px`);
  return l;
}

test('phones and tablets by touch: each size fits, and the short game plays', async () => {
  const want = transcript(short);
  for (const [name, [width, height, ratio]] of Object.entries(phones)) {
    const viewport = { width, height, deviceScaleFactor: ratio, isMobile: true, hasTouch: true };
    const page = await open(browser, { viewport, userAgent: ua });
    await checkLayout(page, width, `${name} title`);
    for (const [what, open, close] of [['Instructions', '#menubar > button', '#cmdClose'], ['About menu', '#menubar .menu:last-child > button']]) {
      await page.tap(open).then(() => checkLayout(page, width, `${name} ${what}`));
      await page.tap(close ?? open);
    }
    for (let i = 0; i < short.length; i++) {
      if (short[i] === '!new') {
        await page.tap('#menubar [aria-haspopup]').then(() => checkLayout(page, width, `${name} File menu`));
        await page.tap('[data-act=new]');
        // A tap on the screen, not on the box, puts the focus in the box.
        await page.evaluate(() => document.activeElement.blur()).then(() => page.tap(width < 578 ? '#reading' : '#canvas'));
        assert.equal(await page.evaluate(() => document.activeElement.id), 'txtBox', `${name}: tap`);
      } else await act(page, short[i], true);
      assert.deepEqual(await model(page), want[i + 1], `${name} step ${i + 1}`);
      const l = await checkLayout(page, width, `${name} step ${i + 1}`);
      if (l.reading) assert.deepEqual([...l.texts].sort(), shownTexts(want[i + 1]).sort(), `${name} step ${i + 1}: the text`);
      if (short[i] === '') await page.screenshot({ path: path.join(root, `build-web/shots/${name}.png`) });
      if (short[i] !== 'eat food') continue;
      // The on-screen keyboard: the viewport cut to 45 % while the box has the focus.
      const before = await page.evaluate(() => [window.vaultmoor.zoom(), window.vaultmoor.reading()]);
      await resize(page, { ...viewport, height: Math.round(height * 0.45) });
      const kb = await page.evaluate(() => {
        const top = (q) => document.querySelector(q)?.getBoundingClientRect().toJSON();
        return { box: top('#txtBox'), bar: top('#bar'), reply: top('#reading [data-index="12"]'),
          pitch: parseFloat(getComputedStyle(document.getElementById('reading')).lineHeight),
          focus: document.activeElement.id, now: [window.vaultmoor.zoom(), window.vaultmoor.reading()], high: innerHeight };
      });
      assert.deepEqual(kb.now, before, `${name}: the keyboard changed the zoom or the layout`);
      assert.equal(kb.focus, 'txtBox');
      assert.ok(kb.box.top >= 0 && kb.box.bottom <= kb.high, `${name}: the box at ${kb.box.top}..${kb.box.bottom} of ${kb.high}`);
      if (before[1]) assert.ok(kb.reply.top >= 0 && kb.reply.top + kb.pitch <= kb.bar.top, `${name}: the reply at ${kb.reply.top}`);
      if (before[1]) await page.screenshot({ path: path.join(root, `build-web/shots/${name}-keyboard.png`) });
      await resize(page, viewport);
    }
    // Turned sideways, a phone has room for the exact screen.
    await resize(page, { ...viewport, width: height, height: width });
    await checkLayout(page, height, `${name} turned`);
    await page.close();
  }
});

// The title at zoom 1 as in the window, then the short game in a window too narrow for the
// screen: the reading layout.
test('Firefox ESR: the short game by mouse and keyboard', async () => {
  const want = transcript(short);
  const firefox = await launch({ browser: 'firefox', executablePath: '/usr/bin/firefox-esr', args: [] });
  try {
    const page = await open(firefox);
    assert.deepEqual(await model(page), want[0], 'start');
    assert.equal(await differingPixels(page, 'title.png'), 0, 'title.png');
    await alt(page, 'KeyI').then(() => shows(page, 'dialogCanvas', 'instructions.png', {}, 'Firefox'));
    await page.keyboard.press('Escape');
    await resize(page, { width: 360, height: 640 });
    for (let i = 0; i < short.length; i++) {
      await act(page, short[i]);
      // A reload mid-game brings it back.
      if (i === 2) await page.reload().then(() => page.waitForSelector('body[data-ready]'));
      assert.deepEqual(await model(page), want[i + 1], `step ${i + 1}`);
      await checkLayout(page, 360, `Firefox step ${i + 1}`, false);
    }
    await page.screenshot({ path: path.join(root, 'build-web/shots/firefox-360.png') });
  } finally {
    await firefox.close();
  }
});

// The page as its HTML and style sheet draw it, its scripts held back: where each part of the
// screen stands, and what it shows. The same, once the WebAssembly runs, or something shifted;
// the canvas and a dialog's on whole device pixels at every ratio and browser zoom.
async function firstScreen(page) {
  return page.evaluate(() => {
    const shown = (e) => e.checkVisibility();
    const rect = (e) => { const r = e.getBoundingClientRect(); return [r.left, r.top, r.width, r.height]; };
    const canvas = document.getElementById('canvas');
    return { canvas: shown(canvas) && rect(canvas),
      reading: [...document.querySelectorAll('#reading p, #prompt')].filter(shown).map((e) => ({ index: e.dataset.index,
        text: e.textContent, classes: e.className, heard: e.getAttribute('aria-hidden') !== 'true', at: rect(e) })),
      menubar: [...document.querySelectorAll('#menubar [role=menuitem]')].map((e) => [e.id, e.textContent, e.dataset.key, shown(e) && rect(e)]) };
  });
}

// Device pixel ratios drawn at random each run (Park and Miller's generator), from a seed
// printed: VAULTMOOR_SEED=... draws them again.
const seed = Number(process.env.VAULTMOOR_SEED || 1 + (Date.now() % 2147483646));
let drawn = seed;
const random = () => (drawn = (drawn * 48271) % 2147483647) / 2147483647;
const touch = { isMobile: true, hasTouch: true };
const sizes = { 'computer-1280': { width: 1280, height: 800 }, 'phone-390': { width: 390, height: 844, deviceScaleFactor: 3, ...touch },
  // Phones held sideways; a laptop's scale times a browser's zoom; a browser's zoom of 110 %.
  'phone-915-ratio-2.625': { width: 915, height: 412, deviceScaleFactor: 2.625, ...touch },
  'phone-851-ratio-2.75': { width: 851, height: 393, deviceScaleFactor: 2.75, ...touch },
  ...Object.fromEntries([1.25, 1.333, 1.75, 1.875].map((r) => [`computer-ratio-${r}`, { width: 1280, height: 800, deviceScaleFactor: r }])),
  'browser-zoom-110': { width: 1164, height: 727, deviceScaleFactor: 1.100000023841858 },
  // Any ratio from 0.5 to 5, on a screen of at most 2560 device pixels across.
  ...Object.fromEntries([0, 1, 2, 3].map(() => Math.round(500 + 4500 * random()) / 1000).map((r) => [`random-ratio-${r}`,
    { width: Math.max(640, Math.round(Math.min(1280, 2560 / r))), height: Math.max(400, Math.round(Math.min(800, 1600 / r))), deviceScaleFactor: r }])) };
console.log(`the first screen at ratios drawn at random: ${Object.keys(sizes).filter((n) => n.startsWith('random'))} (VAULTMOOR_SEED=${seed})`);
// The RGB bytes of a PNG, cut to a rectangle or enlarged to whole blocks (ImageMagick).
const rgb = (png, ...how) => execFileSync('convert', ['png:-', ...how, '-depth', '8', 'rgb:-'], { input: png, maxBuffer: 1 << 26 });
// The screenshot where a canvas stands: on whole device pixels, its golden image with each
// screen pixel a whole block of them (a dialog's down to its Close button, the page's own).
// A page without scripts may show its image a few frames late: looked at again, to `tries`.
async function shows(page, id, file, { deviceScaleFactor: ratio = 1 }, name, tries = 1) {
  const [left, top, width, high] = await page.evaluate((id) => {
    const [r, close] = [id, 'cmdClose'].map((e) => document.getElementById(e).getBoundingClientRect());
    return [r.left, r.top, r.width, id === 'canvas' ? r.height : close.top - r.top - 4];
  }, id);
  const golden = Buffer.from(goldenPng(file), 'base64'), [x, y] = [left * ratio, top * ratio];
  const zoom = Math.round((width * ratio) / golden.readUInt32BE(16)), crop = `${Math.round(width * ratio)}x${Math.floor((high * ratio) / zoom + 0.01) * zoom}`;
  assert.ok(Math.abs(x - Math.round(x)) + Math.abs(y - Math.round(y)) < 0.002, `${name}: ${id} at ${x}, ${y}`);
  const want = rgb(golden, '-scale', `${zoom * 100}%`, '-crop', `${crop}+0+0`);
  const shot = async () => rgb(Buffer.from(await page.screenshot()), '-crop', `${crop}+${Math.round(x)}+${Math.round(y)}`);
  while (--tries > 0 && !want.equals(await shot())) await new Promise((ok) => setTimeout(ok, 100));
  assert.ok(want.equals(await shot()), `${name}: ${file} at zoom ${zoom}`);
}

const shots = ['computer-1280', 'phone-390', 'phone-915-ratio-2.625', 'computer-ratio-1.875'];
test('the first screen comes with the HTML: the title and the menu bar, where the page then shows them', async () => {
  const title = transcript([])[0];
  for (const [name, viewport] of Object.entries(sizes)) {
    const still = await browser.newPage();
    await still.emulate({ viewport, userAgent: viewport.isMobile ? ua : await browser.userAgent() });
    await still.setBypassServiceWorker(true).then(() => still.setRequestInterception(true));
    // All but first.js, which runs before the first paint.
    still.on('request', (r) => (/(main|vaultmoor)\.(js|wasm)$/.test(new URL(r.url()).pathname) ? r.abort() : r.continue()));
    await still.goto(url).then(() => still.evaluate(() => document.fonts.ready));
    const before = await firstScreen(still);
    if (shots.includes(name)) await still.screenshot({ path: path.join(root, `build-web/shots/first-${name}.png`) });
    // The title's image under the canvas (the background the HTML gives it), as the window paints it.
    if (before.canvas) await shows(still, 'canvas', 'title.png', viewport, `${name}: the first screen`);
    else {
      // The reading layout: each label the title shows, with its text, and no other.
      assert.deepEqual(before.reading.filter((p) => p.index).map((p) => [Number(p.index), p.text]).sort((a, b) => a[0] - b[0]),
        title.labels.flatMap((l, i) => (l.visible && l.caption ? [[i, l.caption.replaceAll('&&', '&').replaceAll('\r', '\n')]] : [])), name);
    }
    await still.close();
    // With JavaScript off (the browser's setting), the title as the first paint shows it, and why no game.
    if (name === 'computer-1280' || name === 'computer-ratio-1.25') {
      const off = await browser.newPage();
      await off.emulate({ viewport, userAgent: await browser.userAgent() }).then(() => off.setJavaScriptEnabled(false)).then(() => off.goto(url));
      await shows(off, 'canvas', 'title.png', viewport, `${name}: JavaScript off`, 20);
      assert.match(await off.$eval('main', (e) => e.innerText), /\n\nThis game needs JavaScript and WebAssembly\.$/, name);
      await off.close();
    }

    const page = await open(browser, { viewport, userAgent: viewport.isMobile ? ua : await browser.userAgent() });
    assert.deepEqual(await firstScreen(page), before, `${name}: the running page`);
    // A screen reader finds the screen's text in the page once, in either layout.
    const heard = (n) => [...(n.name && n.role !== 'InlineTextBox' ? [n.name] : []), ...(n.children ?? []).flatMap(heard)];
    assert.equal(heard(await page.accessibility.snapshot({ interestingOnly: false })).filter((n) => n.includes('SCENARIOS:')).length, 1, name);
    if (before.canvas) await shows(page, 'canvas', 'title.png', viewport, name);
    // Drawn anew by the script (a resize redraws), the same.
    await page.evaluate(() => dispatchEvent(new Event('resize')));
    assert.deepEqual(await firstScreen(page), before, `${name}: drawn by the script`);
    // Nothing moved while the page loaded.
    assert.deepEqual(await page.evaluate(() => new Promise((ok) => {
      new PerformanceObserver((list) => ok(list.getEntries().map((e) => e.value))).observe({ type: 'layout-shift', buffered: true });
      requestAnimationFrame(() => setTimeout(() => ok([])));
    })), [], `${name}: layout shifts`);
    // A dialog at the screen's zoom, on device pixels too.
    if (before.canvas) await alt(page, 'KeyI').then(() => shows(page, 'dialogCanvas', 'instructions.png', viewport, name));
    // The browser zoomed to 120 %: placed anew.
    const zoomed = { width: 1067, height: 667, deviceScaleFactor: 1.6 }, again = (id, file) => shows(page, id, file, zoomed, `${name} zoomed`);
    if (name === 'computer-ratio-1.333') await resize(page, zoomed).then(() => again('dialogCanvas', 'instructions.png')).then(() => page.keyboard.press('Escape')).then(() => again('canvas', 'title.png'));
    await page.close();
  }
});

// The game in progress outlives the page, on a phone turned sideways, by touch: a reload brings
// back the model, the screen, what is heard and the history, and the game plays on as the
// transcript's; an end screen until Exit. Only the tab keeps it, or the installed app. Kept
// data that cannot be played gives the title, and is removed.
test('a reload brings the game in progress back', async () => {
  const want = transcript(steps), errors = [];
  const tab = async (prepare, i) => {
    const p = await open(browser, { viewport: { ...sizes['phone-390'], width: 844, height: 390 }, userAgent: ua }, prepare);
    assert.deepEqual(await model(p), want[i], String(prepare?.[0]));
    return p;
  };
  // The installed app's window (CDP's media emulation leaves display-mode out).
  const standalone = [() => (window.matchMedia = ((media) => (m) => (m === '(display-mode: standalone)' ? { matches: true }
    : media(m)))(matchMedia.bind(window)))];
  const page = await tab(null, 0);
  page.on('pageerror', (e) => errors.push(e.message));
  const kept = () => page.evaluate(() => sessionStorage.getItem('vaultmoor-game'));
  const reload = async (i, file) => {
    await page.reload().then(() => page.waitForSelector('body[data-ready]'));
    assert.deepEqual(await model(page), want[i], `reloaded at step ${i}`);
    if (file) assert.equal(await differingPixels(page, file), 0, file);
  };
  const screen = async () => [await page.evaluate(() => [window.vaultmoor.model(), document.getElementById('canvas')
    .toDataURL(), ...['review', 'news0', 'news1'].map((id) => document.getElementById(id).textContent)]),
  await ['ArrowUp', 'ArrowUp', 'ArrowUp', 'ArrowDown', 'ArrowDown', 'ArrowDown'].reduce(async (walk, key) =>
    [...await walk, await page.keyboard.press(key).then(() => page.$eval('#txtBox', (e) => e.value))], [])];
  const play = async (from, to) => {
    for (let i = from; i < to; i++) await act(page, steps[i], true).then(async () => assert.deepEqual(await model(page), want[i + 1], `step ${i + 1}`));
  };
  assert.equal(await page.evaluate(() => getComputedStyle(document.documentElement).overscrollBehaviorY), 'contain');
  await play(0, 5);
  // Up/Down walk the commands entered (no empty one, none twice); past the newest the typed line.
  const [[...before], walk] = await screen(), good = await kept();
  assert.deepEqual(walk, ['get bible', 'look door', 'look door', 'get bible', '', '']);
  // Until the game is back, not the title: with the game's script held back, a black screen.
  const held = await browser.newPage();
  await held.evaluateOnNewDocument((k) => sessionStorage.setItem('vaultmoor-game', k), good);
  await held.setBypassServiceWorker(true).then(() => held.setRequestInterception(true));
  held.on('request', (r) => (r.url().endsWith('/main.js') ? r.abort() : r.continue()));
  await held.goto(url);
  assert.ok(rgb(Buffer.from(await held.screenshot({ clip: await held.$eval('#canvas', (e) => e.getBoundingClientRect().toJSON()) })))
    .every((v) => v === 0), 'the title while the game comes back');
  await held.close();
  await reload(5, golden[5]);
  // Heard as at load: the screen's text, and no news.
  assert.deepEqual(await screen(), [[...before.slice(0, 3), '', ''], walk]);
  await page.screenshot({ path: path.join(root, 'build-web/shots/restored-844.png') });
  // A second tab starts on the title. What the turns wrote, before any pagehide, brings the game
  // back there: all a crashed renderer leaves (CDP's Page.crash takes this Chromium down whole).
  await (await tab(null, 0)).close();
  await (await tab([(k) => sessionStorage.setItem('vaultmoor-game', k), good], 5)).close();
  await play(5, 8);
  const dead = await kept();
  await reload(8, golden[8]);
  await play(8, steps.length);
  await act(page, '!exit', true);
  assert.equal(await kept(), null, 'after Exit');
  await reload(0, golden[0]);
  // Junk, a copy cut short, a turn the game never had, megabytes: the title, and none kept.
  for (const junk of ['junk', good.slice(0, good.length / 2), dead.replace(/end\n$/, 'c look\nend\n'),
    `${good.split('\n')[0]}\n${'c look\n'.repeat(500_000)}end\n`]) {
    await page.evaluate((k) => sessionStorage.setItem('vaultmoor-game', k), junk);
    await reload(0);
    assert.equal(await kept(), null, junk.slice(0, 40));
  }
  assert.deepEqual(errors, []);
  await page.close();
  // The installed app keeps it on the device across its windows, and when frozen keeps it anew.
  const first = await tab(standalone, 0);
  await act(first, '!new', true);
  await first.evaluate(() => localStorage.clear());
  const cdp = await first.createCDPSession();
  for (const state of ['frozen', 'active']) await cdp.send('Page.setWebLifecycleState', { state });
  assert.ok(await first.evaluate(() => localStorage.getItem('vaultmoor-game')), 'kept as it froze');
  await first.close();
  await act(await tab(standalone, 1), '!exit', true);
});
