// The page at device pixel ratios and browser zooms in Chromium: the canvas, read from a
// screenshot, stands on whole device pixels and equals the golden title enlarged to whole
// blocks of them, and nothing shifts once the script runs.
import assert from 'node:assert/strict';
import { mkdtempSync } from 'node:fs';
import { tmpdir } from 'node:os';
import path from 'node:path';
import { after, before, test } from 'node:test';
import puppeteer from 'puppeteer-core';
import { goldenPng, serve, site } from './common.mjs';

let server, url, browser;
before(async () => {
  let port;
  ({ server, port } = await serve(site));
  url = `http://127.0.0.1:${port}/`;
  browser = await puppeteer.launch({
    executablePath: '/usr/bin/chromium', headless: true,
    userDataDir: mkdtempSync(path.join(tmpdir(), 'vaultmoor-chromium-')),
    args: ['--no-sandbox', '--disable-gpu', '--no-first-run'],
  });
});
after(async () => {
  await browser?.close();
  server?.kill();
});

// Run in the page: the bytes of the screenshot's z-times block at (x, y) that differ from
// the PNG enlarged z times, pixel for pixel.
async function differingBlocks(shot, png, x, y, z) {
  const decode = (b64) => createImageBitmap(new Blob([Uint8Array.from(atob(b64), (c) => c.charCodeAt(0))],
    { type: 'image/png' }), { colorSpaceConversion: 'none' });
  const [s, g] = await Promise.all([decode(shot), decode(png)]);
  const [w, h] = [g.width * z, g.height * z];
  const pixels = (image, ...from) => {
    const c = new OffscreenCanvas(w, h).getContext('2d');
    c.imageSmoothingEnabled = false;
    c.drawImage(image, ...from, 0, 0, w, h);
    return c.getImageData(0, 0, w, h).data;
  };
  const a = pixels(s, x, y, w, h), b = pixels(g, 0, 0, g.width, g.height);
  return a.filter((v, i) => v !== b[i]).length;
}

// A laptop's 1280 x 800 CSS px at a device pixel ratio; a browser zoom on a 1280 x 800 screen.
// Not yet 1.75: there Chromium draws 35 rows of the title's last lines a device row off.
const cases = [1.25, 1.5, 2].map((ratio) => [`ratio ${ratio}`, 1280, 800, ratio])
  .concat([1.1, 1.25].map((zoom) => [`browser zoom ${Math.round(zoom * 100)} %`, 1280 / zoom, 800 / zoom, zoom]));
for (const [name, width, height, ratio] of cases) {
  test(`the page at ${name}: the title in whole device pixels, no layout shift`, async () => {
    const page = await browser.newPage();
    await page.setViewport({ width: Math.round(width), height: Math.round(height), deviceScaleFactor: ratio });
    await page.evaluateOnNewDocument(() => {
      window.shifts = [];
      new PerformanceObserver((list) => window.shifts.push(...list.getEntries()))
        .observe({ type: 'layout-shift', buffered: true });
    });
    await page.goto(url);
    await page.waitForSelector('body[data-ready]');
    const { left, top, right, zoom, shifts } = await page.evaluate(() => {
      const r = document.getElementById('canvas').getBoundingClientRect();
      return { ...r.toJSON(), zoom: window.vaultmoor.zoom(), shifts: window.shifts.length };
    });
    const device = [left, top, right].map((v) => v * ratio);
    for (const v of device) assert.ok(Math.abs(v - Math.round(v)) < 0.02, `the canvas's edges at ${device}`);
    assert.ok(Math.abs(device[2] - device[0] - 578 * zoom) < 0.02, `the canvas is ${device[2] - device[0]} wide`);
    const shot = Buffer.from(await page.screenshot({ type: 'png' })).toString('base64');
    const differing = await page.evaluate(differingBlocks, shot, goldenPng('title.png'),
      Math.round(device[0]), Math.round(device[1]), zoom);
    assert.equal(differing, 0, `the title at zoom ${zoom}`);
    assert.equal(shifts, 0, 'layout shifts');
    await page.close();
  });
}
