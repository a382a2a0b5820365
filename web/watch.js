// The page playing a recorded game: one dropped on the page, picked with the file button (phones
// have no dragging), or carried in the address after #watch= (made by `skyrend --share FILE`).
// The core plays it (watch.cpp); this is the bar under it: pause and resume, slower and faster
// from 1/4x to 8x, 10 s back, the clock and the recording's end, and the way back to the game.
'use strict';
var skyWatch = (() => {
  const kMark = '#watch=';
  const kSpeeds = ['¼×', '½×', '1×', '2×', '4×', '8×'];
  // The longest recording the core reads (its kLongestText).
  const kLongest = 4 << 20;
  const $ = (id) => document.getElementById(id);
  let M = null, active = false, ticker = 0, shown = '';
  // What waits to be played: { code } from the address, { bytes } from a file.
  let pending = location.hash.startsWith(kMark) ? { code: location.hash.slice(kMark.length) } : null;
  const say = (name) => (M ? M.ccall('sky_say', 'string', ['string'], [name]) : '');

  const el = (tag, id, text) => { const e = document.createElement(tag); if (id) e.id = id; if (text) e.textContent = text; return e; };
  const button = (id, text, action) => { const b = el('button', id, text); b.addEventListener('click', action); return b; };

  // The page's controls: the bar, the file button (also while the game is played from the menu),
  // the drop hint and a line for what went wrong.
  const picker = el('input', 'watch-file');
  Object.assign(picker, { type: 'file', accept: '.replay,text/plain', hidden: true });
  const bar = el('div', 'watchbar');
  bar.setAttribute('role', 'toolbar');
  bar.hidden = true;
  const open = button('watch-open', '', () => picker.click());
  const drop = el('div', 'watch-drop');
  drop.hidden = true;
  const note = el('div', 'watch-note');
  note.setAttribute('role', 'alert');
  note.hidden = true;
  const parts = {
    back: button('watch-back', '⟲ 10 s', () => act(() => M._sky_watch_back())),
    slower: button('watch-slower', '−', () => act(() => M._sky_watch_speed(state().speed - 1))),
    speed: el('span', 'watch-speed', '1×'),
    faster: button('watch-faster', '+', () => act(() => M._sky_watch_speed(state().speed + 1))),
    pause: button('watch-pause', '❚❚', () => act(() => M._sky_watch_pause(state().paused ? 0 : 1))),
    clock: el('span', 'watch-clock', '0:00'),
    track: el('div', 'watch-track'),
    end: el('span', 'watch-end', '0:00'),
    leave: button('watch-leave', '✕', leave),
  };
  parts.track.append(el('div', 'watch-done'));
  bar.append(...Object.values(parts));

  function state() {
    return active ? JSON.parse(M.UTF8ToString(M._sky_watch_state())) || { speed: 2, paused: 0 } : { speed: 2, paused: 0 };
  }
  function act(f) { if (active) { f(); update(); } }
  const clock = (ms) => { const s = Math.floor(ms / 1000); return `${Math.floor(s / 60)}:${String(s % 60).padStart(2, '0')}`; };
  function update() {
    if (!active) return;
    const s = state();
    const key = [s.clock, s.end, s.speed, s.paused, s.finished].join();
    if (key === shown) return;  // the bar is written only when it changes
    shown = key;
    parts.clock.textContent = clock(s.clock);
    parts.end.textContent = s.finished ? `${clock(s.end)} · ${say('ShareEnded')}` : clock(s.end);
    parts.track.firstChild.style.width = `${s.end > 0 ? Math.min(100, (100 * s.clock) / s.end) : 100}%`;
    parts.speed.textContent = kSpeeds[s.speed];
    parts.slower.disabled = s.speed <= 0;
    parts.faster.disabled = s.speed >= kSpeeds.length - 1;
    parts.pause.textContent = s.paused ? '▶' : '❚❚';
    const name = say(s.paused ? 'ShareResume' : 'SharePause');
    parts.pause.title = name; parts.pause.setAttribute('aria-label', name);
    parts.pause.disabled = !!s.finished;
    bar.classList.toggle('finished', !!s.finished);
  }
  function label(module) {
    M = module || M;
    for (const [id, name] of [['back', 'ShareBack'], ['slower', 'ShareSlower'], ['faster', 'ShareFaster'], ['leave', 'ShareLeave']]) {
      parts[id].title = say(name); parts[id].setAttribute('aria-label', say(name));
    }
    bar.setAttribute('aria-label', say('ShareWatching'));
    open.textContent = say('ShareOpen');
    picker.setAttribute('aria-label', say('ShareOpen'));
    drop.textContent = say('ShareDrop');
    shown = '';
  }

  // Plays what waits, when the core is there: true when a recording now plays.
  function take(module) {
    M = module || M;
    if (!pending || !M) return active;
    const { code, bytes } = pending;
    pending = null;
    const data = bytes || new TextEncoder().encode(code);
    const at = M._sky_watch_buffer(data.length);
    if (!at) { tell(say('ShareUnplayable').replace('%1', `> ${kLongest} B`)); return active; }
    M.HEAPU8.set(data, at);
    if (!M._sky_watch_open(bytes ? 0 : 1)) { tell(M.UTF8ToString(M._sky_watch_said())); return active; }
    note.hidden = true;
    active = true;
    document.body.classList.add('watching');
    bar.hidden = false;
    shown = '';
    update();
    clearInterval(ticker);
    ticker = setInterval(update, 100);
    dispatchEvent(new Event('resize'));  // the page makes room for the bar
    return true;
  }
  function tell(text) {
    note.textContent = text;
    note.hidden = false;
  }
  // Back to the game: the page again without the recording.
  function leave() {
    location.replace(location.pathname + location.search);
  }

  // A file from the picker or dropped: read up to the core's bound, then played at once.
  function file(f) {
    if (!f) return;
    if (document.querySelector('dialog[open]')) return;  // the game waits for a box's answer
    if (f.size > kLongest) { tell(say('ShareUnplayable').replace('%1', `> ${kLongest} B`)); return; }
    f.arrayBuffer().then((buf) => {
      pending = { bytes: new Uint8Array(buf) };
      if (M && take() && window.skyPage) skyPage.begin();
    });
  }
  picker.addEventListener('change', () => { file(picker.files[0]); picker.value = ''; });
  const carries = (e) => [...(e.dataTransfer?.types || [])].includes('Files');
  addEventListener('dragover', (e) => { if (!carries(e)) return; e.preventDefault(); drop.hidden = false; });
  addEventListener('dragleave', (e) => { if (!e.relatedTarget) drop.hidden = true; });
  addEventListener('drop', (e) => {
    drop.hidden = true;
    if (!carries(e)) return;
    e.preventDefault();
    file(e.dataTransfer.files[0]);
  });
  // A new address with another recording (pasted over this one) plays it.
  addEventListener('hashchange', () => {
    if (!location.hash.startsWith(kMark)) return;
    pending = { code: location.hash.slice(kMark.length) };
    if (M && take() && window.skyPage) skyPage.begin();
  });

  // The bar's keys, before the game hears them: Space or P pause, - and + the speed, Left or
  // Backspace 10 s back, Esc back to the game.
  addEventListener('keydown', (e) => {
    if (!active || e.ctrlKey || e.metaKey || e.altKey) return;
    const acts = {
      ' ': () => parts.pause.click(), p: () => parts.pause.click(), P: () => parts.pause.click(),
      '-': () => parts.slower.click(), '+': () => parts.faster.click(), '=': () => parts.faster.click(),
      ArrowLeft: () => parts.back.click(), Backspace: () => parts.back.click(), Escape: leave,
    };
    if (!acts[e.key]) return;
    e.preventDefault();
    e.stopImmediatePropagation();
    if (!e.repeat || e.key === '-' || e.key === '+') acts[e.key]();
  }, true);

  // The room the bar takes under the playfield (page.js keeps it free).
  const room = () => (active ? bar.offsetHeight || 0 : 0);

  document.addEventListener('DOMContentLoaded', () => document.body.append(bar, open, picker, drop, note));
  if (document.readyState !== 'loading') document.body.append(bar, open, picker, drop, note);

  // For the page (page.js): whether a recording waits or plays, and the core once it is there.
  return {
    take, room, label, active: () => active,
    // For the page's tests: the watched game's state as the desktop's headless replay prints it.
    final: () => (active ? M.UTF8ToString(M._sky_watch_final()) : ''),
    state,
  };
})();
