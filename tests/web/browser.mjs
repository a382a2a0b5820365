// The web page in the system's chromium, played as players would: at a desk with keys, on a
// phone held either way with fingers, with a gamepad, in two tabs, in English, with storage that
// is huge or refuses, and offline on a second visit. Prints the page's figures: its size, the
// first painted menu, the first note after the first click, the main thread's cost idle and in play.
// Usage: node browser.mjs SITE_DIR [SCREENSHOT_DIR]   (the desktop tools' wave files lie in SITE_DIR/..)
import { createServer } from 'node:http';
import { readFile, readdir, mkdtemp } from 'node:fs/promises';
import { createHash } from 'node:crypto';
import { gzipSync } from 'node:zlib';
import { tmpdir } from 'node:os';
import { join, extname } from 'node:path';
import puppeteer from 'puppeteer-core';

const [site, shots] = process.argv.slice(2);
const types = { '.html': 'text/html', '.js': 'text/javascript', '.css': 'text/css', '.wasm': 'application/wasm' };
const fetched = [];
const server = createServer((req, res) => {
  const path = new URL(req.url, 'http://x').pathname, file = path.replace(/\/$/, '/index.html');
  fetched.push(path);
  readFile(join(site, file)).then((b) => res.writeHead(200, { 'Content-Type': types[extname(file)] || 'application/octet-stream' }).end(b))
    .catch(() => { fetched.push(`404 ${path}`); res.writeHead(404).end(); });
});
await new Promise((r) => server.listen(0, '127.0.0.1', r));
const url = `http://127.0.0.1:${server.address().port}/`;
const browser = await puppeteer.launch({
  executablePath: '/usr/bin/chromium', userDataDir: await mkdtemp(join(tmpdir(), 'skyrend-chromium-')),
  args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
         '--disable-component-update', '--disable-sync', '--autoplay-policy=no-user-gesture-required', '--window-size=1400,1100'],
  defaultViewport: { width: 1400, height: 1100 },
});
let failed = 0;
const check = (ok, what) => { console.log(`${ok ? 'ok  ' : 'FAIL'} ${what}`); if (!ok) failed++; };
const sleep = (ms) => new Promise((r) => setTimeout(r, ms));

// A page of its own (a fresh browser context: its own storage and locks unless shared), with the
// languages the browser asks for and whatever else the script must meet first.
async function open({ context, langs = ['sk-SK', 'sk'], before, viewport } = {}) {
  const ctx = context || await browser.createBrowserContext();
  const page = await ctx.newPage();
  page.on('pageerror', (e) => check(false, `page error: ${e.message}`));
  await page.evaluateOnNewDocument((l) => Object.defineProperty(navigator, 'languages', { get: () => l }), langs);
  if (before) await page.evaluateOnNewDocument(before);
  if (viewport) await page.emulate({ viewport, userAgent: await browser.userAgent() });
  await page.goto(url);
  return page;
}
const menuUp = (page) => page.waitForFunction(() => window.skyMenuPainted && !document.querySelector('#menu').hidden);
const screenUp = (page) => page.waitForSelector('#screen:not([hidden])');
const screenVar = (page, name, value) => page.evaluate((n, v) => skyPage.screenVar(n, v), name, value);
const texts = (page, sel) => page.$$eval(sel, (es) => es.map((e) => e.textContent.trim()));
const look = (page, frames) => page.evaluate((n) => skyPage.look(n), frames);  // the playfield: shades, checksum, frames moved
const shot = (page, name) => shots && page.screenshot({ path: join(shots, name) });
const stored = (page) => page.evaluate(() => localStorage.getItem('skyrend/new.dat'));
const rect = (page, sel) => page.$eval(sel, (e) => { const r = e.getBoundingClientRect(); return { l: r.left, t: r.top, r: r.right, b: r.bottom, w: r.width, h: r.height }; });
// Main-thread time (ms) per second over ten seconds, as the browser's own metrics count it.
async function cost(page) {
  const cdp = await page.createCDPSession();
  await cdp.send('Performance.enable');
  const busy = async () => (await cdp.send('Performance.getMetrics')).metrics.find((m) => m.name === 'TaskDuration').value;
  const from = await busy();
  await sleep(10000);
  return Math.round((await busy() - from) * 1000 / 10 * 10) / 10;
}

// The site: small, and the audio made in the page byte for byte as the desktop's tools make it.
let size = 0;
for (const f of await readdir(site)) size += gzipSync(await readFile(join(site, f)), { level: 9 }).length;
console.log(`site with gzip: ${Math.round(size / 1024)} KB`);
check(size <= 400 * 1024, 'the site is at most 400 KB with gzip');
const sha = async (f) => createHash('sha256').update(await readFile(join(site, '..', f))).digest('hex');

// At the desk.
const a = await open();
await menuUp(a);
console.log(`first painted menu after ${Math.round(await a.evaluate(() => window.skyMenuPainted))} ms`);
const buttons = await texts(a, '#menu button');
check(['Epizóda 1', 'Epizóda 2', 'Pravidlá', 'About', 'Ukončiť'].every((c) => buttons.includes(c)), `menu buttons ${buttons}`);
check((await texts(a, '#Check2')).includes('Zvuky') && (await a.$eval('#Check2 input', (c) => c.checked)), '"Zvuky" is ticked');
check(await a.$$eval('button, input, canvas#field, #Image1', (es) => es.every((e) => (e.getAttribute('aria-label') || e.textContent.trim() || e.closest('label')?.textContent.trim()))),
  'every control has an accessible name');
await shot(a, 'menu.png');
console.log(`idle menu: ${await cost(a)} ms/s of main-thread time`);

await a.click('#Command4');  // the rules, then an episode started from under them
await a.waitForSelector('#rules:not([hidden])');
await a.$eval('#Command1', (b) => b.click());
await screenUp(a);
check(await a.$eval('#rules', (p) => p.hidden), 'the rules close when an episode starts');
await a.waitForFunction(() => skyPage.audioStats().firstNoteAt > 0, { timeout: 5000 }).catch(() => {});
const audio = await a.evaluate(() => skyPage.audioStats());
console.log(`first note ${Math.round(audio.firstNoteAt - audio.clickedAt)} ms after the first click`);
check(audio.sha256.music === await sha('Music.wav') && audio.sha256.sounds === await sha('Sounds.wav'), 'the music and the effects are the desktop\'s bytes');
check(!fetched.some((f) => /\.(flac|wav|ogg|mp3)$/.test(f)), 'no audio is fetched');
await sleep(300);
const first = await look(a, 21);
check(first.shades > 20, `the scenery is drawn (${first.shades} shades of green)`);
// Drawn between the ticks: the picture changes on most display frames, not only at the 18.2 Hz
// ticks (a third of the frames at 60 Hz; fewer frames change on a busy machine).
let watched;
do { await sleep(200); watched = await look(a); } while (watched.left > 0);
const moving = watched.moved / 20;
check(moving >= 0.5, `the scenery moves on ${Math.round(moving * 100)} % of the frames`);
const sounds = await a.evaluate(() => skyPage.soundsPlayed());
const tilt = await screenVar(a, 'tilt'), bombs = await screenVar(a, 'bombs');
await a.keyboard.press('ArrowUp');
await a.keyboard.press('Space');
await sleep(100);
check((await screenVar(a, 'tilt')) !== tilt && (await screenVar(a, 'bombs')) === bombs - 1, 'the arrow keys fly, Space drops a bomb');
check((await a.evaluate(() => skyPage.soundsPlayed())) > sounds && await a.evaluate(() => scrollY === 0), 'the bomb is heard, the page does not scroll');
await a.evaluate(() => document.addEventListener('keydown', (e) => { window.keptF12 = e.key === 'F12' && e.defaultPrevented; }, { once: true }));
await a.keyboard.press('F12');
check(await a.evaluate(() => window.keptF12 === false), 'F12 is the browser\'s (its developer tools), not the game\'s');
await shot(a, 'episode1.png');
const paused = () => a.evaluate(() => skyPage.paused());
await a.keyboard.press('F1');
check(!(await a.$eval('#help', (h) => h.hidden)) && await paused() && (await texts(a, '#help h3')).length === 5 &&
  (await texts(a, '#help .title span'))[0] === 'Pomoc – Epizóda 1', 'F1 shows the game\'s help page over a paused game');
await a.keyboard.press('F1');
check((await a.$eval('#help', (h) => h.hidden)) && !(await paused()), 'F1 again: back to the game, running');
await a.evaluate(() => dispatchEvent(new Event('blur')));
const blurred = await paused();
await a.evaluate(() => dispatchEvent(new Event('focus')));
check(blurred && !(await paused()), 'leaving the window pauses the game, coming back resumes it');
await screenVar(a, 'fuel', 100000);
console.log(`play: ${await cost(a)} ms/s of main-thread time`);
// A key held down to fly answers no box that opens meanwhile; a fresh press does.
await a.keyboard.down('Space');
await screenVar(a, 'fuel', 1);
await a.waitForSelector('dialog[open]');
const boxed = await look(a);
await a.keyboard.up('Space');
await sleep(400);
check((await look(a)).sum !== boxed.sum && (await texts(a, 'dialog[open] .title'))[0] === 'Nedostatok paliva', 'the world moves behind the box');
check((await a.$$('dialog[open]')).length === 1, 'Space held into the box does not answer it');
await shot(a, 'messagebox.png');
await a.keyboard.press('Enter');
await menuUp(a);
// A landing with damage asks for a repair: Space held into the question answers nothing, Esc answers No.
await a.click('#Command1');
await screenUp(a);
for (const [name, value] of [['score', 55], ['damage', 1], ['tilt', 0], ['climbRate', 0], ['speed', 1],
  ['dravik.Top', 352], ['letisko.Left', 40], ['vletisko.Left', 100]]) await screenVar(a, name, value);
await a.keyboard.down('Space');
await a.waitForSelector('dialog[open]');
for (let i = 0; i < 3; i++) { await a.keyboard.down('Space'); await sleep(30); }  // its repeats
await a.keyboard.up('Space');
await sleep(100);
check((await texts(a, 'dialog[open] button')).join() === 'Áno,Nie', 'Space held into "Oprava" does not answer it');
await a.keyboard.press('Escape');
await a.waitForFunction(() => !document.querySelector('dialog[open]'));
check((await screenVar(a, 'score')) === 55 && (await screenVar(a, 'damage')) === 1, `Esc answers the question No (score ${await screenVar(a, 'score')})`);
await sleep(50);  // a key pressed again within 15 ms of its release is the keyboard repeating it
await a.keyboard.press('Escape');
await menuUp(a);

// Progress: kept across a reload, and in one tab at a time; a second tab waits, then takes over.
await a.click('#Check1 input');  // the music switched: a progress change the browser keeps
const music = await a.$eval('#Check1 input', (c) => c.checked);
const saved = await stored(a);
check(/^([^\r\n]*\r\n){6}$/.test(saved) && saved.split('\r\n')[5] === (music ? '1' : '0'), `localStorage holds six CR LF lines ${JSON.stringify(saved)}`);
await a.click('#Check2 input');  // a setting, not progress
await a.reload();
await menuUp(a);
check((await a.$eval('#Check1 input', (c) => c.checked)) === music && !(await a.$eval('#Check2 input', (c) => c.checked)),
  'after a reload the music and the sounds are as left');
const b = await open({ context: a.browserContext() });
await b.waitForSelector('#tabs:not([hidden])');
check((await texts(b, '#tabs span'))[0].includes('inej karte') && await b.$eval('#menu', (m) => m.hidden), 'a second tab says the game is played elsewhere');
const lines = saved.split('\r\n');
await b.evaluate((t) => localStorage.setItem('skyrend/new.dat', t), ['True', '1', '0', '25', ...lines.slice(4)].join('\r\n'));
await a.bringToFront();
await a.click('#Check1 input');  // the first tab writes: what the other stored stays
const merged = (await stored(a)).split('\r\n');
check(merged[0] === 'True' && merged[3] === '25' && merged[5] === (music ? '0' : '1'), `a write keeps what another tab stored ${JSON.stringify(merged)}`);
await b.bringToFront();
await b.click('#tabs button');
await menuUp(b);
await a.waitForSelector('#tabs:not([hidden])');
check((await a.$eval('#menu', (m) => m.hidden)) && (await b.$eval('#Label2', (l) => l.textContent)) === 'Naj skóre: 25', 'taking over stops the first tab, the second has its progress');
await b.close();
await a.bringToFront();
await a.evaluate(() => localStorage.setItem('skyrend/new.dat', 'x'.repeat(1300000)));
await a.reload();
await menuUp(a);
check((await a.$eval('#Label2', (l) => l.textContent)) === 'Naj skóre: 0', 'a huge stored value is cut short and the page plays');

// Storage that refuses: a notice, and the game plays on.
for (const [what, method, words] of [['write', 'setItem', 'uložiť'], ['read', 'getItem', 'čítať']]) {
  const p = await open({ before: `Storage.prototype.${method} = () => { throw new DOMException('no', 'SecurityError'); };` });
  await menuUp(p);
  if (what === 'write') await p.click('#Check1 input');
  await p.waitForSelector('#notice:not([hidden])', { timeout: 3000 }).catch(() => {});
  check((await texts(p, '#notice span'))[0]?.includes(words), `storage that refuses to ${what} shows a notice`);
  await p.browserContext().close();
}

// In English when the browser asks for it, and Slovak again once switched (remembered).
const en = await open({ langs: ['en-US', 'en'] });
await menuUp(en);
check(await en.evaluate(() => document.documentElement.lang === 'en' && document.querySelector('#lang').textContent === 'Slovensky') &&
  (await texts(en, '#menu button')).includes('Episode 1'), 'English from the browser\'s languages, the menu too');
await en.click('#lang');
await menuUp(en);
check(await en.evaluate(() => document.documentElement.lang === 'sk'), 'the language switch is remembered');
await en.browserContext().close();

// A phone, upright and turned, and the smallest screen: all of the playfield and the dashboard
// on it, controls for fingers beside or under it, several at once.
const phone = await open({ viewport: { width: 390, height: 844, isMobile: true, hasTouch: true } });
await menuUp(phone);
const inside = async (sel, w, h) => { const r = await rect(phone, sel); return r.l >= -1 && r.t >= -1 && r.r <= w + 1 && r.b <= h + 1; };  // to the pixel
check(await inside('#menu', 390, 844), 'the menu fits an upright phone');
await phone.tap('#Command1');
await screenUp(phone);
for (const [w, h] of [[390, 844], [844, 390], [320, 480], [480, 320]]) {
  await phone.setViewport({ width: w, height: h, isMobile: true, hasTouch: true });
  await sleep(200);
  const field = await rect(phone, '#field');
  const pads = await phone.$$eval('#pad button', (bs) => bs.map((b) => { const r = b.getBoundingClientRect(); return { l: r.left, t: r.top, r: r.right, b: r.bottom, w: r.width, h: r.height }; }));
  const clear = pads.every((p) => p.w >= 44 && p.h >= 44 && p.l >= 0 && p.t >= 0 && p.r <= w && p.b <= h && (p.r <= field.l || p.l >= field.r || p.b <= field.t || p.t >= field.b));
  check(await inside('#screen', w, h) && pads.length === 8 && clear, `${w}x${h}: the playfield fits (${(field.w / 669).toFixed(2)}x), 8 controls of 44 px or more beside it`);
  if (w === 390 || w === 844) await shot(phone, `phone-${w}x${h}.png`);
}
const cdp = await phone.createCDPSession();
const touch = async (type, points) => cdp.send('Input.dispatchTouchEvent', { type, touchPoints: points });
const centre = async (sel) => { const r = await rect(phone, sel); return { x: (r.l + r.r) / 2, y: (r.t + r.b) / 2 }; };
const speed = await screenVar(phone, 'speed'), bombs2 = await screenVar(phone, 'bombs');
const faster = { ...(await centre('#pad-faster')), id: 1 }, fire = { ...(await centre('#pad-fire')), id: 2 };
await touch('touchStart', [faster]);
await sleep(800);  // held: it repeats
await touch('touchStart', [faster, fire]);
await touch('touchEnd', [faster]);
await touch('touchEnd', []);
await sleep(100);
check((await screenVar(phone, 'speed')) >= speed + 3 && (await screenVar(phone, 'bombs')) === bombs2 - 1, `hold "faster" and tap "fire" (speed ${speed} -> ${await screenVar(phone, 'speed')})`);
await screenVar(phone, 'fuel', 1);
await phone.waitForSelector('dialog[open]');
check((await rect(phone, 'dialog[open] button')).h >= 44, 'a box\'s buttons are fingers\' size');
await phone.tap('dialog[open] button');
await menuUp(phone);
check(true, 'a tap answers the box');
await phone.browserContext().close();

// A gamepad (the standard mapping): the d-pad flies, A fires and answers, Start pauses.
const pad = await open({
  before: () => {
    window.skyPad = { connected: true, mapping: 'standard', index: 0, id: 'test', axes: [0, 0, 0, 0], buttons: Array.from({ length: 17 }, () => ({ pressed: false, value: 0 })) };
    navigator.getGamepads = () => [window.skyPad];
  },
});
await menuUp(pad);
const button = async (i, down) => { await pad.evaluate((k, d) => { skyPad.buttons[k].pressed = d; }, i, down); await sleep(100); };
const pressButton = async (i) => { await button(i, true); await button(i, false); };
await pad.evaluate(() => dispatchEvent(new Event('gamepadconnected')));
await pad.focus('#Command1');
await pressButton(0);
await screenUp(pad);
const tilt2 = await screenVar(pad, 'tilt'), bombs3 = await screenVar(pad, 'bombs');
await pressButton(12);
await pressButton(0);
check((await screenVar(pad, 'tilt')) === tilt2 + 1 && (await screenVar(pad, 'bombs')) === bombs3 - 1, 'the d-pad flies, A drops a bomb');
await pressButton(9);
const padPaused = await pad.evaluate(() => skyPage.paused());
await pressButton(9);
await pressButton(3);
const padHelp = await pad.$eval('#help', (h) => !h.hidden);
await pressButton(3);
check(padPaused && padHelp && !(await pad.evaluate(() => skyPage.paused())), 'Start pauses and resumes, Y shows the help and takes it away');
await button(0, true);  // held into the box: no answer
await screenVar(pad, 'fuel', 1);
await pad.waitForSelector('dialog[open]');
await button(0, false);
const stillOpen = (await pad.$$('dialog[open]')).length === 1;
await pressButton(0);
await menuUp(pad);
check(stillOpen, 'A held into a box answers nothing, a fresh A answers it');
await pad.browserContext().close();

// Offline: the service worker keeps the site, so a second visit plays with the network gone.
await a.evaluate(() => navigator.serviceWorker.ready);
check(!fetched.some((f) => f.startsWith('404')), `nothing missing on the server ${fetched.filter((f) => f.startsWith('404'))}`);
server.closeAllConnections();
await new Promise((r) => server.close(r));
await a.reload();
await menuUp(a);
check(true, 'with the server gone, a reload plays from the browser\'s copy');
await browser.close();
console.log(`browser: ${failed ? 'FAILED' : 'all passed'}`);
process.exit(failed ? 1 : 0);
