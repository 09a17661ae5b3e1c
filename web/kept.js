// Run before the first paint: where a game kept by this tab (or by the installed app) will
// come back, the title is not shown while the game loads. main.js keeps it under this key.
try {
  const key = 'vaultmoor-game';
  const app = matchMedia('(display-mode: standalone)').matches;
  if (sessionStorage.getItem(key) !== null || (app && localStorage.getItem(key) !== null))
    document.documentElement.dataset.kept = '';
} catch {
  // No storage: nothing was kept.
}
