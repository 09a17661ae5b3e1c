// The page offline: after one visit the service worker keeps the build; a second build at the
// same address replaces the first whole, and a reload with no network and no server plays it,
// every file loaded being the second build's, under the page's CSP, which refuses an inline
// script.
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { appendFileSync, cpSync, mkdtempSync, readFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import path from 'node:path';
import { test } from 'node:test';
import { differingBytes, goldenPng, launch, model, root, serve, site, stop, transcript } from './common.mjs';

// The screen model after File > New Game, as vaultmoor-transcript plays it.
const [, afterNew] = transcript(['!new']);

// Every file the page loads, by name: its bytes and whether the service worker gave it.
function record(page) {
  const loaded = new Map();
  page.on('response', (r) => {
    const name = new URL(r.url()).pathname.slice(1) || 'index.html';
    if (r.status() === 200) loaded.set(name, { body: r.buffer(), fromWorker: r.fromServiceWorker() });
  });
  return loaded;
}

// Each file loaded came from the worker and is the one in the folder, and the page drew its
// title screen like the window's and plays New Game.
async function assertPlays(page, loaded, dir) {
  await page.waitForSelector('body[data-ready]');
  for (const name of ['index.html', 'main.js', 'style.css', 'vaultmoor.js', 'vaultmoor.wasm', 'screen.woff2']) assert.ok(loaded.has(name), name);
  for (const [name, { body, fromWorker }] of loaded) {
    assert.ok(fromWorker && (await body).equals(readFileSync(path.join(dir, name))), `${name} of this build, from the worker`);
  }
  assert.equal(await page.evaluate(differingBytes, goldenPng('title.png'), 'canvas'), 0);
  // The page's CSP holds: an inline script is refused, and never runs.
  assert.deepEqual(await page.evaluate(() => new Promise((ok) => {
    document.addEventListener('securitypolicyviolation', (e) => setTimeout(() =>
      ok([e.effectiveDirective, window.inlineScriptRan ?? false])), { once: true });
    document.head.append(Object.assign(document.createElement('script'), { textContent: 'window.inlineScriptRan = true;' }));
  })), ['script-src-elem', false]);
  for (const [how, k] of [['down', 'Alt'], ['press', 'KeyF'], ['up', 'Alt'], ['press', 'KeyN']]) await page.keyboard[how](k);
  assert.deepEqual(await model(page), afterNew);
}

const caches = (page) => page.evaluate(() => caches.keys());
// Looks for a new build; resolves to how its worker ends: 'activated' or 'redundant'.
const update = (page) => page.evaluate(async () => {
  const registration = await navigator.serviceWorker.getRegistration();
  await registration.update();
  const worker = registration.installing;
  while (!['activated', 'redundant'].includes(worker.state)) await new Promise((ok) => worker.addEventListener('statechange', ok, { once: true }));
  return worker.state === 'redundant' || worker === navigator.serviceWorker.controller ? worker.state : 'not in control';
});
const buildOf = (dir) => /const CACHE = `\$\{PREFIX\}(\w+)`/.exec(readFileSync(path.join(dir, 'sw.js')))[1];

test('a visit keeps the page for offline play; a new build replaces it whole', async () => {
  let { server, port } = await serve(site);
  const browser = await launch({ protocolTimeout: 60_000 });
  try {
    const page = await browser.newPage();
    await page.goto(`http://127.0.0.1:${port}/`).then(() => page.waitForSelector('body[data-ready]'));
    await page.evaluate(async () => (await navigator.serviceWorker.ready) && (navigator.serviceWorker.controller
      || new Promise((ok) => navigator.serviceWorker.addEventListener('controllerchange', ok))));
    // Installable, with icons of the sizes the manifest gives; the maskable one's art inside
    // the middle 80 % circle that every mask keeps.
    const { installabilityErrors } = await (await page.createCDPSession()).send('Page.getInstallabilityErrors');
    assert.deepEqual(installabilityErrors, []);
    assert.deepEqual(await page.evaluate(async () => {
      const { icons } = await (await fetch('manifest.webmanifest')).json();
      return Promise.all(icons.map(async ({ src, sizes, purpose }) => {
        const image = await createImageBitmap(await (await fetch(src)).blob());
        const c = new OffscreenCanvas(image.width, image.height).getContext('2d');
        c.drawImage(image, 0, 0);
        const { data, width } = c.getImageData(0, 0, image.width, image.height);
        const outside = [...Array(width * width).keys()].filter((i) => data[i * 4] + data[i * 4 + 1] + data[i * 4 + 2]
          && Math.hypot(i % width + 0.5 - width / 2, Math.floor(i / width) + 0.5 - width / 2) > 0.4 * width);
        return `${src} ${image.width}x${image.height}${purpose ? ` ${purpose}, art outside: ${outside.length}` : ''}`;
      }));
    }), ['icon-192.png 192x192', 'icon-512.png 512x512', 'icon-maskable.png 512x512 maskable, art outside: 0']);

    const first = buildOf(site);
    assert.deepEqual(await caches(page), [`vaultmoor / ${first}`]);
    await page.evaluate(() => { window.firstBuild = true; });

    // A second build: a changed main.js and a changed .wasm (a custom section at its end),
    // stamped as the build stamps it, served at the same address.
    const rebuild = (from, note, wasm) => {
      const dir = mkdtempSync(path.join(tmpdir(), 'vaultmoor-site-'));
      cpSync(from, dir, { recursive: true });
      appendFileSync(path.join(dir, 'main.js'), `// ${note}\n`);
      if (wasm) appendFileSync(path.join(dir, 'vaultmoor.wasm'), Buffer.from([0, 5, 4, 0x6e, 0x65, 0x78, 0x74]));
      execFileSync('cmake', ['-D', `SITE=${dir}`, '-P', path.join(root, 'web/precache.cmake')]);
      return dir;
    };
    const swap = async (dir) => stop(server).then(async () => ({ server } = await serve(dir, port)));
    const next = rebuild(site, 'the next build', true);
    assert.notEqual(buildOf(next), first);
    await swap(next);

    // The open page finds it; it takes over once whole, and the page goes on running.
    assert.equal(await update(page), 'activated');
    assert.ok(await page.evaluate(() => window.firstBuild));
    assert.deepEqual(await caches(page), [`vaultmoor / ${buildOf(next)}`]);

    // A build half laid out: a third build's worker beside the second build's main.js. It is
    // turned down, and the second build stays.
    const half = rebuild(next, 'a third build');
    cpSync(path.join(next, 'main.js'), path.join(half, 'main.js'));
    await swap(half);
    assert.equal(await update(page), 'redundant');
    assert.deepEqual(await caches(page), [`vaultmoor / ${buildOf(next)}`]);

    // No network, no server and no HTTP cache: a reload plays the second build, all of it.
    await stop(server);
    await page.setOfflineMode(true);
    await (await page.createCDPSession()).send('Network.clearBrowserCache');
    const loaded = record(page);
    await page.reload();
    await assertPlays(page, loaded, next);
  } finally {
    await browser.close();
    server.kill();
  }
});
