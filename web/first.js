// Run before the first paint, and again by main.js: the screen's zoom and place, which need the
// device pixel ratio (a style sheet cannot know it); and whether a kept game is coming back.
{
  const root = document.documentElement;
  // The screen's size and the command box's top, in screen pixels (index.html).
  const [width, height, boxTop] = root.dataset.screen.split(' ').map(Number);
  const coarse = () => matchMedia('(pointer: coarse)').matches;
  // The room the page has, in CSS pixels: the visual viewport at the page's own scale, never
  // more than the layout viewport, which the page's content cannot widen.
  const room = () => {
    const v = visualViewport;
    return [Math.min(root.clientWidth, v ? v.width * v.scale : Infinity),
      Math.min(root.clientHeight, v ? v.height * v.scale : Infinity)];
  };
  // The zoom for a picture in a room: the largest whole number of device pixels to a screen
  // pixel that fits (at least 1), so every screen pixel is a whole square of them. On a touch
  // screen, where that fills less than about four fifths of the room, the largest that fits (to
  // 1/10000, so that the browser's rounding never takes it past the edge).
  const zoomFor = (w, h, [roomW, roomH]) => {
    const most = Math.min(roomW / w, roomH / h) * devicePixelRatio, whole = Math.floor(most);
    return coarse() && whole < 0.8 * most ? Math.floor(most * 1e4) / 1e4 : Math.max(1, whole);
  };
  // The screen's zoom below the menu bar (the style sheet's --bar): set with the device pixel
  // ratio for the style sheet, which scales and places the canvas by them. Gives the zoom.
  const place = () => {
    const [w, h] = room(), bar = parseFloat(getComputedStyle(root).getPropertyValue('--bar'));
    let high = h - bar;
    // A touch screen's box grows down from its top to 44 px: room for it below too.
    if (coarse()) high = Math.min(high, ((high - 44) * height) / boxTop);
    const z = zoomFor(width, height, [w, high]);
    root.style.setProperty('--r', devicePixelRatio);
    root.style.setProperty('--z', z);
    return z;
  };
  self.vaultmoorScreen = { room, zoomFor, place };
  place();

  // Where a game kept by this tab (or by the installed app) will come back, the title is not
  // shown while the game loads. main.js keeps it under this key.
  try {
    const key = 'vaultmoor-game';
    const app = matchMedia('(display-mode: standalone)').matches;
    if (sessionStorage.getItem(key) !== null || (app && localStorage.getItem(key) !== null)) root.dataset.kept = '';
  } catch {
    // No storage: nothing was kept.
  }
}
