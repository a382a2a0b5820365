// Recordings shared from the desktop, watched in the page in the system's chromium: the address
// `skyrend --share` prints plays each recorded game to the very state the desktop's headless
// replay ends in, its boxes shown for their recorded time; the watch bar and its keys pause,
// change speed and go 10 s back, in the game's words, and the music plays on; a dropped or picked
// file plays too; a damaged address says so and leaves the game to play; watching stores nothing.
// Usage: node watch.mjs SITE_DIR DESKTOP_SKYREND [SCREENSHOT_DIR]
import { createServer } from 'node:http';
import { readFile, readdir, mkdtemp } from 'node:fs/promises';
import { execFileSync } from 'node:child_process';
import { tmpdir } from 'node:os';
import { join, extname, dirname } from 'node:path';
import { fileURLToPath } from 'node:url';
import puppeteer from 'puppeteer-core';

const [site, desktop, shots] = process.argv.slice(2);
const replays = join(dirname(fileURLToPath(import.meta.url)), '..', 'replays');
const types = { '.html': 'text/html', '.js': 'text/javascript', '.css': 'text/css', '.wasm': 'application/wasm' };
const server = createServer((req, res) => {
  const file = new URL(req.url, 'http://x').pathname.replace(/\/$/, '/index.html');
  readFile(join(site, file)).then((b) => res.writeHead(200, { 'Content-Type': types[extname(file)] || 'application/octet-stream' }).end(b))
    .catch(() => res.writeHead(404).end());
});
await new Promise((r) => server.listen(0, '127.0.0.1', r));
const url = `http://127.0.0.1:${server.address().port}/`;
const browser = await puppeteer.launch({
  executablePath: '/usr/bin/chromium', userDataDir: await mkdtemp(join(tmpdir(), 'skyrend-watch-')),
  args: ['--headless', '--no-sandbox', '--disable-gpu', '--no-first-run', '--disable-background-networking',
         '--autoplay-policy=no-user-gesture-required'],
  defaultViewport: { width: 1280, height: 1024 },
});
let failed = 0;
const check = (ok, what) => { console.log(`${ok ? 'ok  ' : 'FAIL'} ${what}`); if (!ok) failed++; };
const sleep = (ms) => new Promise((r) => setTimeout(r, ms));
const desktopRun = (...args) => execFileSync(desktop, args, { encoding: 'utf8', env: { ...process.env, QT_QPA_PLATFORM: 'offscreen' } });

async function open(address, viewport, lang = 'sk') {
  const page = await (await browser.createBrowserContext()).newPage();
  page.on('pageerror', (e) => check(false, `page error: ${e.message}`));
  await page.evaluateOnNewDocument((l) => Object.defineProperty(navigator, 'languages', { get: () => [l] }), lang);
  if (viewport) await page.emulate({ viewport, userAgent: await browser.userAgent() });
  await page.goto(address);
  return page;
}
const state = (page) => page.evaluate(() => skyWatch.state());
const barUp = (page) => page.waitForSelector('#watchbar:not([hidden])', { timeout: 30000 });
// At 8x to the recording's end, then the game's state as the headless replay prints it.
async function playOut(page) {
  for (let i = 0; i < 3; i++) await page.click('#watch-faster');
  await page.waitForFunction(() => skyWatch.state().finished, { timeout: 120000, polling: 200 });
  return page.evaluate(() => skyWatch.final());
}

// While the recording's box stands: the first and the last clock seen, and its text.
const boxSeen = (page) => page.evaluate(() => new Promise((done) => {
  let first = -1, last = -1, text = '';
  (function poll() {
    const box = document.querySelector('dialog.box.watched[open]');
    if (box) { if (first < 0) first = skyWatch.state().at; last = skyWatch.state().at; text = box.textContent; }
    if (box || (first < 0 && !skyWatch.state().finished)) requestAnimationFrame(poll); else done({ first, last, text });
  })();
}));

// Every stored recording: from the desktop's --share to the same end as the desktop's replay.
const files = (await readdir(replays)).filter((f) => f.endsWith('.replay')).sort();
let first = null;
for (const f of files) {
  const address = desktopRun('--share', join(replays, f), '--page', url).trim();
  const expected = desktopRun('--replay', join(replays, f), '--scenario-out');
  check(address.startsWith(`${url}#watch=`), `${f}: --share prints the page's address (${address.length} characters)`);
  const page = await open(address);
  await barUp(page);
  // A recorded box: "T answer WORD OPENED", closed at T.
  const box = (await readFile(join(replays, f), 'utf8')).match(/^(\d+) answer \w+ (\d+)$/m);
  const shown = box ? boxSeen(page) : null;
  const final = await playOut(page);
  check(final === expected, `${f}: the page ends as the desktop's replay${final === expected ? '' : `:\n${final}\n---\n${expected}`}`);
  if (box) {
    const [opened, closed] = [Math.floor(box[2] / 1000), Math.floor(box[1] / 1000)], s = await shown;
    check(s.text.length > 0 && s.first >= opened && s.first - opened < 1000 && s.last <= closed && closed - s.last < 1000,
      `${f}: the recorded box stands while the clock runs from ${s.first} to ${s.last} ms (recorded ${opened} to ${closed})`);
  }
  const said = await page.waitForFunction(() => document.querySelector('#watch-state').textContent === 'Koniec záznamu', { timeout: 3000 })
    .then(() => true, () => false);
  check(said, `${f}: the bar says the recording ended`);
  check(await page.evaluate(() => localStorage.getItem('skyrend/new.dat')) === null, `${f}: watching stored no progress`);
  if (!first) first = { address, page }; else await page.close();
}

// The bar in English, its buttons and its keys: pause holds the clock, speed steps, 10 s back
// lands 10 s earlier and the music plays on; Esc goes back to the game.
{
  const longest = files.find((f) => f.startsWith('ep1_birds'));
  const page = await open(desktopRun('--share', join(replays, longest), '--page', url).trim(), null, 'en-GB');
  await barUp(page);
  const words = () => page.evaluate(() => ['#watch-state', '#watch-keys', '#watch-clock', '#watch-speed']
    .map((s) => document.querySelector(s).textContent).concat(document.querySelector('#watch-pause').title));
  check(JSON.stringify(await words()) === JSON.stringify(['Playing', 'Space pause  ← back 10 s  +/− speed  Esc menu', '0:00 / 1:25', '1×', 'Pause']),
    `the bar's words in English: ${JSON.stringify(await words())}`);
  for (let i = 0; i < 3; i++) await page.keyboard.press('+');
  check((await page.$eval('#watch-speed', (e) => e.textContent)) === '8×' && await page.$eval('#watch-faster', (b) => b.disabled), '+ goes faster up to 8x');
  // Paused past 50 s: 10 s back plays again through the menu's music restart at 39.75 s.
  await page.waitForFunction(() => skyWatch.state().at > 44000, { timeout: 60000, polling: 100 });
  await page.keyboard.press('-'); await page.keyboard.press('ArrowDown');
  await page.waitForFunction(() => skyWatch.state().at > 50000, { timeout: 60000, polling: 50 });
  await page.click('#watch-pause');
  const held = (await state(page)).at;
  await sleep(600);
  const [said, , clock] = await words();
  check((await state(page)).at === held && said === 'Paused' && clock.endsWith(' / 1:25'), `paused, the clock stands at ${held} ms: ${said} ${clock}`);
  if (shots) await page.screenshot({ path: join(shots, 'pagewatch-desktop-en.png') });
  const music = await page.waitForFunction(() => skyPage.audioStats().musicStarts, { timeout: 20000 }).then((h) => h.jsonValue(), () => 0);
  await page.click('#watch-back');
  const back = (await state(page)).at;
  await page.keyboard.press('ArrowLeft');
  const back2 = (await state(page)).at;
  check(back === held - 10000 && back2 === held - 20000, `10 s back with the bar, then with Left: ${held} -> ${back} -> ${back2} ms`);
  await sleep(300);
  const after = await page.evaluate(() => skyPage.audioStats().musicStarts);
  check(music > 0 && after === music, `the music plays on across the jumps (started ${music} times, then ${after})`);
  for (let i = 0; i < 6; i++) await page.click('#watch-slower');
  check((await page.$eval('#watch-speed', (e) => e.textContent)) === '¼×' && await page.$eval('#watch-slower', (b) => b.disabled), 'slower stops at 1/4x');
  await page.keyboard.press('Space');
  await sleep(800);
  const crept = (await state(page)).at - back2;
  check(!(await state(page)).paused && crept > 50 && crept < 400, `Space resumes at 1/4x: ${crept} ms of game in 800 ms`);
  await Promise.all([page.waitForNavigation(), page.keyboard.press('Escape')]);
  await page.waitForSelector('#menu:not([hidden])');
  check(!page.url().includes('#watch=') && await page.$eval('#watchbar', (e) => e.hidden), 'Esc leaves the recording for the game');
  await page.close();
}

// A file dropped on the page, and one picked (a phone's way), while the game is on its menu.
{
  const page = await open(url);
  await page.waitForSelector('#menu:not([hidden])');
  const text = await readFile(join(replays, files[0]), 'utf8');
  await page.evaluate((t) => {
    const dt = new DataTransfer();
    dt.items.add(new File([t], 'dropped.replay'));
    window.dispatchEvent(new DragEvent('drop', { dataTransfer: dt, bubbles: true, cancelable: true }));
  }, text);
  await barUp(page);
  check(true, 'a dropped recording plays');
  await page.close();
  const phone = await open(url, { width: 390, height: 844, isMobile: true, hasTouch: true, deviceScaleFactor: 1 });
  await phone.waitForSelector('#menu:not([hidden])');
  const picker = await phone.$('#watch-file');
  await picker.uploadFile(join(replays, files.find((f) => f.startsWith('ep2'))));
  await barUp(phone);
  await phone.click('#watch-faster'); await phone.click('#watch-faster');
  await phone.waitForFunction(() => !document.querySelector('#screen').hidden && skyWatch.state().at > 12000, { timeout: 60000, polling: 100 });
  const bar = await phone.$eval('#watchbar', (e) => e.getBoundingClientRect().toJSON());
  const field = await phone.$eval('#field', (e) => e.getBoundingClientRect().toJSON());
  const buttons = await phone.$$eval('#watchbar button', (bs) => bs.map((b) => b.getBoundingClientRect()).map((r) => Math.min(r.width, r.height)));
  check(bar.bottom <= 844 && bar.top >= field.bottom - 0.5 && bar.width <= 390, `phone: the bar under the playfield, on the screen (${Math.round(bar.top)}..${Math.round(bar.bottom)})`);
  check(Math.min(...buttons) >= 44, `phone: the bar's buttons are finger-sized (${Math.min(...buttons)} px)`);
  await phone.click('#watch-pause');
  if (shots) await phone.screenshot({ path: join(shots, 'pagewatch-phone-sk.png') });
  await phone.close();
}

// The desktop's look of the bar, mid-game; then a damaged address: said, and the game plays.
{
  await first.page.close();
  const page = await open(first.address);
  await barUp(page);
  await page.click('#watch-faster'); await page.click('#watch-faster');
  await page.waitForFunction(() => !document.querySelector('#screen').hidden && skyWatch.state().at > 40000, { timeout: 60000, polling: 100 });
  await page.click('#watch-pause');
  if (shots) await page.screenshot({ path: join(shots, 'pagewatch-desktop-sk.png') });
  await page.close();
  const cut = await open(first.address.slice(0, -6));
  await cut.waitForSelector('#menu:not([hidden])');
  const said = await cut.$eval('#watch-note', (e) => (e.hidden ? '' : e.textContent));
  check(said.includes('skrátená'), `a cut address says so: "${said}"`);
  check(await cut.$eval('#watchbar', (e) => e.hidden), 'and the game plays instead');
  await cut.close();
}

await browser.close();
server.close();
console.log(failed ? `watch: ${failed} failed` : 'watch: passed');
process.exit(failed ? 1 : 0);
