// Plays the web page in Debian's headless Chromium by keyboard: after every step the page's
// screen model must equal vaultmoor-transcript's for the same actions, and the canvas at
// zoom 1 the desktop window's golden images. The aria-live texts go to build-web/aria-live.txt.
import assert from 'node:assert/strict';
import { execFileSync, spawn } from 'node:child_process';
import { mkdtempSync, readFileSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import path from 'node:path';
import { test } from 'node:test';
import { fileURLToPath } from 'node:url';
import puppeteer from 'puppeteer-core';

const root = path.resolve(fileURLToPath(import.meta.url), '../../..');
// '!new' is File > New Game (Alt+F, N); any other step is typed into the box, then Enter.
const steps = ['!new', '', 'get bible', 'push floor', 'go south', 'anything at all',
  '!new', '', 'eat food', 'y'];
// Golden images of the window's screen, by the number of steps played.
const golden = { 0: 'title.png', 3: 'cell-bible.png', 6: 'end.png' };

const expected = execFileSync(path.join(root, 'build/bin/vaultmoor-transcript'), ['--json'],
  { input: steps.join('\n') + '\n' }).toString().trim().split('\n')
  .map((line) => Object.fromEntries(Object.entries(JSON.parse(line)).filter(([k]) => k !== 'action')));

// Bytes of a canvas of the page (RGBA) that differ from a PNG file, or -1 for another size.
function differingPixels(page, file, id = 'canvas') {
  return page.evaluate(async (png, id) => {
    const blob = await (await fetch(`data:image/png;base64,${png}`)).blob();
    const image = await createImageBitmap(blob, { colorSpaceConversion: 'none' });
    const canvas = document.getElementById(id);
    if (canvas.width !== image.width || canvas.height !== image.height) return -1;
    const want = new OffscreenCanvas(image.width, image.height).getContext('2d');
    want.drawImage(image, 0, 0);
    const a = want.getImageData(0, 0, image.width, image.height).data;
    const b = canvas.getContext('2d').getImageData(0, 0, image.width, image.height).data;
    return a.filter((v, i) => v !== b[i]).length;
  }, readFileSync(path.join(root, 'tests/ui/golden', file)).toString('base64'), id);
}

const alt = async (page, key) => {
  for (const [how, k] of [['down', 'Alt'], ['press', key], ['up', 'Alt']]) await page.keyboard[how](k);
};

test('a game in the page by keyboard: a death, the end screen, a way out, Exit', async () => {
  const server = spawn('python3', ['-u', '-m', 'http.server', '0', '--bind', '127.0.0.1'],
    { cwd: path.join(root, 'build-web/site'), stdio: ['ignore', 'pipe', 'ignore'] });
  const browser = await puppeteer.launch({
    executablePath: '/usr/bin/chromium', headless: true, defaultViewport: { width: 700, height: 420 },
    userDataDir: mkdtempSync(path.join(tmpdir(), 'vaultmoor-chromium-')),
    args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking',
      '--disable-component-update', '--disable-sync', '--no-first-run'],
  });
  try {
    const [, port] = /port (\d+)/.exec(String(await new Promise((ok) => server.stdout.once('data', ok))));
    const page = await browser.newPage();
    await page.goto(`http://127.0.0.1:${port}/`);
    await page.waitForSelector('body[data-ready]');
    assert.equal(await page.title(), 'Vaultmoor v1.0');
    await alt(page, 'KeyI');
    assert.equal(await differingPixels(page, 'instructions.png', 'dialogCanvas'), 0);
    await alt(page, 'KeyC');
    const spoken = [];
    for (let i = 0; i <= steps.length; i++) {
      if (i > 0 && steps[i - 1] === '!new') {
        await alt(page, 'KeyF');
        await page.keyboard.press('KeyN');
      } else if (i > 0) {
        await page.keyboard.type(steps[i - 1]);
        await page.keyboard.press('Enter');
      }
      assert.deepEqual(await page.evaluate(() => window.vaultmoor.model()), expected[i], `step ${i}`);
      if (golden[i]) assert.equal(await differingPixels(page, golden[i]), 0, golden[i]);
      spoken.push(`${i ? JSON.stringify(steps[i - 1]) : 'start'} => ${await page.$eval('#news', (e) => e.textContent)}`);
      if (steps[i - 1] === 'anything at all') assert.match(spoken.at(-1), /=> The End\n?$/);
      if (i === 7) {
        // Up/Down walk the commands entered; past the newest the typed line comes back.
        for (const key of ['ArrowUp', 'ArrowUp']) await page.keyboard.press(key);
        assert.equal(await page.$eval('#txtBox', (e) => e.value), 'go south');
        for (const key of ['ArrowDown', 'ArrowDown']) await page.keyboard.press(key);
        assert.equal(await page.$eval('#txtBox', (e) => e.value), '');
      }
    }
    writeFileSync(path.join(root, 'build-web/aria-live.txt'), spoken.join('\n') + '\n');
    await alt(page, 'KeyF');
    await page.keyboard.press('KeyX');
    assert.equal(await page.$eval('#news', (e) => e.textContent), await page.$eval('#ended', (e) => e.textContent));
  } finally {
    await browser.close();
    server.kill();
  }
});
