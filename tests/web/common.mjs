// What the page's browser tests share: the games they play, the transcript tool's models for
// them, the golden images and a server for the site.
import { execFileSync, spawn } from 'node:child_process';
import { mkdtempSync, readFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import puppeteer from 'puppeteer-core';

export const root = path.resolve(fileURLToPath(import.meta.url), '../../..');
export const site = path.join(root, 'build-web/site');
// '!new' is File > New Game; any other step is typed into the box, then Enter.
export const steps = ['!new', '', 'look door', 'look door', 'get bible', 'push floor', 'go south',
  'anything at all', '!new', '', 'eat food', 'y'];
// Golden images of the window's screen, by the number of steps played.
export const golden = { 0: 'title.png', 5: 'cell-bible.png', 8: 'end.png' };
// The short game of the phones, Firefox and WebKit: the supper's file, the escape.
export const short = ['!new', '', 'eat food', 'y'];

// The models vaultmoor-transcript gives after each action, the first before any.
export const transcript = (actions) => execFileSync(path.join(root, 'build/bin/vaultmoor-transcript'),
  ['--json'], { input: actions.join('\n') + '\n' }).toString().trim().split('\n')
  .map((line) => Object.fromEntries(Object.entries(JSON.parse(line)).filter(([k]) => k !== 'action')));

// Debian's headless Chromium (or, by options, Firefox ESR) with a profile of its own.
export const launch = (options) => puppeteer.launch({ executablePath: '/usr/bin/chromium', headless: true,
  defaultViewport: { width: 700, height: 420 }, userDataDir: mkdtempSync(path.join(tmpdir(), 'vaultmoor-browser-')),
  args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking', '--disable-component-update',
    '--disable-sync', '--no-first-run'], ...options });
// The screen model of a page in puppeteer; the labels a model shows, as the page's text.
export const model = (page) => page.evaluate(() => window.vaultmoor.model());
export const shownTexts = (m) => [...m.labels, m.lblPressEnter].filter((l) => l.visible && l.caption)
  .map((l) => l.caption.replaceAll('&&', '&').replaceAll('\r', '\n'));

export const goldenPng = (file) => readFileSync(path.join(root, 'tests/ui/golden', file)).toString('base64');

// Run in the page: the bytes of a canvas (RGBA) that differ from a PNG given in base64, or -1
// for another size. The PNG is decoded from a Blob: the page's CSP allows no data: fetch.
export async function differingBytes(png, id) {
  const bytes = Uint8Array.from(atob(png), (c) => c.charCodeAt(0));
  const image = await createImageBitmap(new Blob([bytes], { type: 'image/png' }), { colorSpaceConversion: 'none' });
  const canvas = document.getElementById(id);
  if (canvas.width !== image.width || canvas.height !== image.height) return -1;
  const want = document.createElement('canvas');
  Object.assign(want, { width: image.width, height: image.height });
  const w = want.getContext('2d');
  w.drawImage(image, 0, 0);
  const a = w.getImageData(0, 0, image.width, image.height).data;
  const b = canvas.getContext('2d').getImageData(0, 0, image.width, image.height).data;
  return a.filter((v, i) => v !== b[i]).length;
}

// python3's server for a folder, on a given port (0: any free one); resolves to it and its port.
export async function serve(dir, port = 0) {
  const server = spawn('python3', ['-u', '-m', 'http.server', String(port), '--bind', '127.0.0.1'],
    { cwd: dir, stdio: ['ignore', 'pipe', 'ignore'] });
  const [, bound] = /port (\d+)/.exec(String(await new Promise((ok) => server.stdout.once('data', ok))));
  return { server, port: bound };
}
export const stop = (server) => new Promise((ok) => server.once('exit', ok).kill());
