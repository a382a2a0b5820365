// The web page in the system's chromium: menu, episode 1 on the canvas sliding between its ticks,
// keys, a sound, a message box with the world moving behind it, Esc, and the progress and the
// settings kept in localStorage across a reload.
// Usage: node browser.mjs SITE_DIR [SCREENSHOT_DIR]
import { createServer } from 'node:http';
import { readFile, mkdtemp } from 'node:fs/promises';
import { tmpdir } from 'node:os';
import { join, extname } from 'node:path';
import puppeteer from 'puppeteer-core';

const [site, shots] = process.argv.slice(2);
const types = { '.html': 'text/html', '.js': 'text/javascript', '.css': 'text/css', '.wasm': 'application/wasm' };
const server = createServer((req, res) => {
  const file = join(site, new URL(req.url, 'http://x').pathname.replace(/\/$/, '/index.html'));
  readFile(file).then((b) => res.writeHead(200, { 'Content-Type': types[extname(file)] || 'application/octet-stream' }).end(b))
    .catch(() => res.writeHead(404).end());
});
await new Promise((r) => server.listen(0, '127.0.0.1', r));
const browser = await puppeteer.launch({
  executablePath: '/usr/bin/chromium', userDataDir: await mkdtemp(join(tmpdir(), 'skyrend-chromium-')),
  args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
         '--disable-component-update', '--disable-sync', '--window-size=1400,1100'], defaultViewport: { width: 1400, height: 1100 },
});
let failed = 0;
const check = (ok, what) => { console.log(`${ok ? 'ok  ' : 'FAIL'} ${what}`); if (!ok) failed++; };
const page = await browser.newPage();
page.on('pageerror', (e) => check(false, `page error: ${e.message}`));
const sleep = (ms) => new Promise((r) => setTimeout(r, ms));
const shot = (name) => shots && page.screenshot({ path: join(shots, name) });
const canvas = () => page.$eval('#field', (c) => c.toDataURL());
const screenVar = (name, value) => page.evaluate((n, v) => skyPage.screenVar(n, v), name, value);
const texts = (sel) => page.$$eval(sel, (es) => es.map((e) => e.textContent.trim()));
const menuUp = () => page.waitForFunction(() => window.skyMenuPainted && !document.querySelector('#menu').hidden);

await page.goto(`http://127.0.0.1:${server.address().port}/`);
await menuUp();
console.log(`first painted menu after ${Math.round(await page.evaluate(() => window.skyMenuPainted))} ms`);
const buttons = await texts('#menu button');
check(['Epizóda 1', 'Epizóda 2', 'Pravidlá', 'About', 'Ukončiť'].every((c) => buttons.includes(c)), `menu buttons ${buttons}`);
check((await texts('#Check1')).includes('Hudba'), 'music check box');
check((await texts('#Check2')).includes('Zvuky') && (await page.$eval('#Check2 input', (c) => c.checked)), '"Zvuky" is ticked');
await shot('menu.png');

await page.click('#Command1');
await page.waitForSelector('#screen:not([hidden])');
await sleep(300);
const first = await canvas();
const colours = await page.$eval('#field', (c) => new Set(c.getContext('2d').getImageData(0, 0, 669, 515).data.filter((_, i) => i % 4 === 1)).size);
check(colours > 20, `the scenery is drawn (${colours} shades of green)`);
await sleep(300);
check((await canvas()) !== first, 'the scenery moves');
// Drawn between the ticks: the picture changes on (almost) every display frame, not at 18.2 Hz.
const moving = await page.evaluate(() => new Promise((done) => {
  const g = document.querySelector('#field').getContext('2d');
  let last = null, frames = 0, moved = 0;
  const look = () => {
    const now = g.getImageData(0, 0, 669, 515).data;
    if (last && ++frames && now.some((v, i) => v !== last[i])) moved++;
    last = now;
    if (frames < 20) requestAnimationFrame(look); else done(moved / frames);
  };
  requestAnimationFrame(look);
}));
check(moving >= 0.9, `motion between consecutive frames (${Math.round(moving * 100)} %)`);
const sounds = await page.evaluate(() => skyPage.soundsPlayed());
const tilt = await screenVar('tilt'), bombs = await screenVar('bombs');
await page.keyboard.press('ArrowUp');
await page.keyboard.press('Space');
await sleep(100);
check((await screenVar('tilt')) !== tilt, `the arrow keys fly (tilt ${tilt} -> ${await screenVar('tilt')})`);
check((await screenVar('bombs')) === bombs - 1, 'Space drops a bomb');
check((await page.evaluate(() => skyPage.soundsPlayed())) > sounds, 'the bomb is heard');
await shot('episode1.png');
check(await page.evaluate(() => scrollY === 0), 'the keys do not scroll the page');
await page.keyboard.press('Escape');
await menuUp();
check(true, 'Esc leaves the episode');

await page.click('#Check1 input');  // the music switched: a progress change the browser keeps
const music = await page.$eval('#Check1 input', (c) => c.checked);
await page.click('#Command1');
await page.waitForSelector('#screen:not([hidden])');
await screenVar('fuel', 1);
await page.waitForSelector('dialog[open]');
const boxed = await canvas();
await sleep(400);
check((await canvas()) !== boxed, 'the world moves behind the message box');
check((await texts('dialog[open] .title'))[0] === 'Nedostatok paliva', 'the box has its title');
await shot('messagebox.png');
await page.click('dialog[open] button');
await menuUp();

const stored = await page.evaluate(() => localStorage.getItem('skyrend/new.dat'));
check(/^([^\r\n]*\r\n){6}$/.test(stored) && stored.split('\r\n')[5] === (music ? '1' : '0'), `localStorage holds six CR LF lines ${JSON.stringify(stored)}`);
await page.click('#Check2 input');  // a setting, not progress
await page.reload();
await menuUp();
check((await page.$eval('#Check1 input', (c) => c.checked)) === music, 'after a reload the music switch is as left');
check(!(await page.$eval('#Check2 input', (c) => c.checked)) && (await page.evaluate(() => localStorage.getItem('skyrend/new.dat'))) === stored,
  '"Zvuky" stays unticked after a reload, the progress untouched');
check((await page.$eval('#Label2', (l) => l.textContent)) === `Naj skóre: ${stored.split('\r\n')[3]}`, 'the best score label');
await browser.close();
server.close();
console.log(`browser: ${failed ? 'FAILED' : 'all passed'}`);
process.exit(failed ? 1 : 0);
