// The page in WebKit (WebKitGTK's MiniBrowser through WebKitWebDriver, on its own Xvfb): the
// short game in the reading layout at a phone's width (in an iframe: the window is never
// narrower than 447 px), and offline after one visit the long game with its golden images and
// the transcript's models, reloaded in the middle. WebKitWebDriver has no headless mode and no console
// log, so the page's errors are gathered in the page.
import assert from 'node:assert/strict';
import { spawn } from 'node:child_process';
import { cpSync, mkdtempSync, writeFileSync } from 'node:fs';
import { createServer } from 'node:net';
import { tmpdir } from 'node:os';
import path from 'node:path';
import { after, before, test } from 'node:test';
import webdriver from 'selenium-webdriver';
import { differingBytes, golden, goldenPng, serve, short, shownTexts, site, steps, stop, transcript } from './common.mjs';

const { Builder, By, Key, until } = webdriver;
const freePort = () => new Promise((ok) => {
  const s = createServer().listen(0, '127.0.0.1', () => s.close(ok.bind(null, s.address().port)));
});

let xvfb, driver, server, url;
before(async () => {
  // A display of its own: Xvfb picks a free one and names it once it takes connections.
  xvfb = spawn('Xvfb', ['-displayfd', '1', '-screen', '0', '1280x1024x24', '-nolisten', 'tcp'],
    { stdio: ['ignore', 'pipe', 'ignore'] });
  const display = String(await new Promise((ok) => xvfb.stdout.once('data', ok))).trim();
  const port = await freePort();
  // Without a display the driver hangs.
  driver = spawn('WebKitWebDriver', [`--port=${port}`], { env: { ...process.env, DISPLAY: `:${display}` }, stdio: 'ignore' });
  driver.url = `http://127.0.0.1:${port}`;
  // The site, and beside it a host page without its CSP, holding it in a frame 390 px wide.
  const dir = mkdtempSync(path.join(tmpdir(), 'vaultmoor-webkit-'));
  cpSync(site, dir, { recursive: true });
  writeFileSync(path.join(dir, 'phone.html'), '<!doctype html><iframe id="phone" src="./" width="390" height="844" style="border: 0"></iframe>\n');
  let served;
  ({ server, port: served } = await serve(dir));
  url = `http://127.0.0.1:${served}/`;
});
after(() => [server, driver, xvfb].forEach((p) => p?.kill()));

// One browser session; it is always quit, or the driver refuses the next one.
async function session(play) {
  let browser;
  for (let tries = 0; !browser; tries++) {
    try {
      browser = await new Builder().usingServer(driver.url).withCapabilities({
        browserName: 'MiniBrowser',
        'webkitgtk:browserOptions': { binary: '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser', args: ['--automation'] },
      }).build();
    } catch (e) {
      // The driver and the X server are still starting.
      if (tries === 50) throw e;
      await new Promise((ok) => setTimeout(ok, 200));
    }
  }
  try {
    await play(browser);
  } finally {
    await browser.quit();
  }
}

// Loads the page (in the frame if one is given), waits for it to run, and gathers its errors.
async function load(browser, frame) {
  if (frame) await browser.switchTo().frame(await browser.wait(until.elementLocated(By.css(frame)), 10_000));
  await browser.wait(() => browser.executeScript('return document.body.dataset.ready === "true"'), 10_000);
  await browser.executeScript(`window.errors = [];
    addEventListener('error', (e) => window.errors.push(String(e.message)));
    addEventListener('unhandledrejection', (e) => window.errors.push(String(e.reason)));`);
}
const model = (browser) => browser.executeScript('return window.vaultmoor.model()');
const differing = (browser, file, id = 'canvas') => browser.executeScript(differingBytes, goldenPng(file), id);
async function play(browser, step) {
  if (step !== '!new') return browser.findElement(By.id('txtBox')).sendKeys(step, Key.ENTER);
  for (const q of ['#menubar [aria-haspopup]', '[data-act=new]']) await browser.findElement(By.css(q)).click();
}

test('WebKit: the short game at a phone\'s width; after one visit, offline, the long game, reloaded', { timeout: 240_000 }, async () => {
  const [want, wantLong] = [transcript(short), transcript(steps)];
  // A server of its own, stopped once the service worker has the page.
  const { server: own, port } = await serve(site);
  await session(async (browser) => {
    await browser.get(`${url}phone.html`);
    await load(browser, '#phone');
    assert.equal(await browser.executeScript('return window.vaultmoor.reading()'), true);
    for (let i = 0; i < short.length; i++) {
      await play(browser, short[i]);
      assert.deepEqual(await model(browser), want[i + 1], `step ${i + 1}`);
      const texts = await browser.executeScript(`return [...document.querySelectorAll('#reading p, #prompt:not([hidden])')]
        .map((e) => e.textContent)`);
      assert.deepEqual([...texts].sort(), shownTexts(want[i + 1]).sort(), `step ${i + 1}: the reading layout's text`);
      assert.ok(await browser.executeScript('return document.documentElement.scrollWidth <= innerWidth'), `step ${i + 1}`);
    }
    assert.deepEqual(await browser.executeScript('return window.errors'), []);
    await browser.switchTo().defaultContent();
    await browser.get(`http://127.0.0.1:${port}/`);
    await load(browser);
    await browser.executeAsyncScript(`const done = arguments[0];
      navigator.serviceWorker.ready.then(() => navigator.serviceWorker.controller ? done()
        : navigator.serviceWorker.addEventListener('controllerchange', done));`);
    await stop(own);
    const reload = () => browser.navigate().refresh().then(() => load(browser));
    await reload();
    await browser.findElement(By.css('#menubar > button')).click();
    assert.equal(await differing(browser, 'instructions.png', 'dialogCanvas'), 0, 'instructions.png');
    await browser.findElement(By.id('cmdClose')).click();
    for (let i = 0; i <= steps.length; i++) {
      if (i > 0) await play(browser, steps[i - 1]);
      if (i === 5) await reload();  // the game in progress comes back
      assert.deepEqual(await model(browser), wantLong[i], `step ${i}`);
      if (golden[i]) assert.equal(await differing(browser, golden[i]), 0, golden[i]);
    }
    assert.deepEqual(await browser.executeScript('return window.errors'), []);
  });
});
