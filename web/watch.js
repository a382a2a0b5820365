// The page playing a recorded game: one dropped on the page, picked with the file button (phones
// have no dragging), or carried in the address after #watch= (made by `skyrend --share FILE`).
// The core plays it and says what the bar shows (page.cpp, watch.cpp); this draws the bar under
// the playfield and turns its clicks into the watch's actions. Its keys are the core's (page.js
// hands every key to the core first).
'use strict';
var skyWatch = (() => {
  const kMark = '#watch=';
  // The viewer's actions as the core numbers them (replay::WatchAction).
  const kAct = { pause: 1, slower: 2, faster: 3, back: 4, leave: 5 };
  const $ = (id) => document.getElementById(id);
  let M = null, active = false, ticker = 0, retry = 0, shown = '';
  // What waits to be played: { code } from the address, { bytes } from a file.
  let pending = location.hash.startsWith(kMark) ? { code: location.hash.slice(kMark.length) } : null;
  const say = (name) => (M ? M.ccall('sky_say', 'string', ['string'], [name]) : '');

  const el = (tag, id, text) => { const e = document.createElement(tag); if (id) e.id = id; if (text) e.textContent = text; return e; };
  const button = (id, text, action) => {
    const b = el('button', id, text);
    b.addEventListener('click', () => act(action));
    return b;
  };

  // The page's controls: the bar, the file button (also while the game is played from the menu),
  // the drop hint and a line for what went wrong.
  const picker = el('input', 'watch-file');
  Object.assign(picker, { type: 'file', accept: '.replay,text/plain', hidden: true });
  const bar = el('div', 'watchbar');
  bar.setAttribute('role', 'toolbar');
  bar.hidden = true;
  const open = el('button', 'watch-open');
  open.addEventListener('click', () => picker.click());
  const drop = el('div', 'watch-drop');
  drop.hidden = true;
  const note = el('div', 'watch-note');
  note.setAttribute('role', 'alert');
  note.hidden = true;
  const parts = {
    back: button('watch-back', '⟲', kAct.back),
    pause: button('watch-pause', '❚❚', kAct.pause),
    slower: button('watch-slower', '−', kAct.slower),
    speed: el('span', 'watch-speed'),
    faster: button('watch-faster', '+', kAct.faster),
    leave: button('watch-leave', '✕', kAct.leave),
    row: el('div', 'watch-row'),  // where a narrow bar breaks its line
    clock: el('span', 'watch-clock'),
    track: el('div', 'watch-track'),
    state: el('span', 'watch-state'),
    keys: el('div', 'watch-keys'),
  };
  parts.track.append(el('div', 'watch-done'));
  parts.state.setAttribute('aria-live', 'polite');
  bar.append(...Object.values(parts));

  // What the core says the bar shows (see sky_watch_state), or null when nothing is watched.
  const state = () => (active ? JSON.parse(M.UTF8ToString(M._sky_watch_state())) : null);
  function act(a) {
    if (!active) return;
    if (M._sky_watch_act(a)) leave(); else update();
  }
  // The bar stands right under the window that shows (the playfield or the menu), as on the
  // desktop, or at the foot of the page when there is no room.
  function place() {
    const shown = ['screen', 'menu'].map($).find((w) => w && !w.hidden);
    const foot = innerHeight - bar.offsetHeight;
    const top = `${Math.max(0, Math.round(shown ? Math.min(shown.getBoundingClientRect().bottom, foot) : foot))}px`;
    if (bar.style.top !== top) bar.style.top = top;
  }
  function update() {
    const s = state();
    if (!s) return;
    place();
    const key = JSON.stringify(s);
    if (key === shown) return;  // the bar is written only when it changes
    shown = key;
    parts.clock.textContent = s.clock;
    parts.state.textContent = s.state;
    parts.speed.textContent = s.speed;
    parts.keys.textContent = s.keys;
    parts.track.firstChild.style.width = `${s.end > 0 ? Math.min(100, (100 * s.at) / s.end) : 100}%`;
    parts.slower.disabled = !!s.slowest;
    parts.faster.disabled = !!s.fastest;
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

  // Plays what waits, when the core is there: true when a recording now plays. While the game
  // waits in a message box, it is tried again a moment later.
  function take(module) {
    M = module || M;
    clearTimeout(retry);
    if (!pending || !M) return active;
    const { code, bytes } = pending;
    const data = bytes || new TextEncoder().encode(code);
    const at = M._sky_watch_buffer(data.length);
    if (!at) { pending = null; tell(M.UTF8ToString(M._sky_watch_said())); return active; }
    M.HEAPU8.set(data, at);
    const r = M._sky_watch_open(bytes ? 0 : 1);
    if (r < 0) {
      retry = setTimeout(() => { if (take() && window.skyPage) skyPage.begin(); }, 250);
      return active;
    }
    pending = null;
    if (!r) { tell(M.UTF8ToString(M._sky_watch_said())); return active; }
    note.hidden = true;
    active = true;
    document.body.classList.add('watching');
    bar.hidden = false;
    shown = '';
    update();
    clearInterval(ticker);
    ticker = setInterval(update, 100);
    dispatchEvent(new Event('resize'));  // the page makes room for the bar
    place();
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
    if (!f || !M) return;
    if (!M._sky_watch_fits(f.size)) { tell(M.UTF8ToString(M._sky_watch_said())); return; }
    f.arrayBuffer().then((buf) => {
      pending = { bytes: new Uint8Array(buf) };
      if (take() && window.skyPage) skyPage.begin();
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

  addEventListener('resize', () => { if (active) place(); });
  // The room the bar takes under the playfield (page.js keeps it free).
  const room = () => (active ? bar.offsetHeight || 0 : 0);

  document.addEventListener('DOMContentLoaded', () => document.body.append(bar, open, picker, drop, note));
  if (document.readyState !== 'loading') document.body.append(bar, open, picker, drop, note);

  // For the page (page.js): whether a recording waits or plays, and the core once it is there.
  return {
    take, room, label, update, leave, active: () => active,
    // For the page's tests: the watched game's state as the desktop's headless replay prints it,
    // and the bar's as the core says it.
    final: () => (active ? M.UTF8ToString(M._sky_watch_final()) : ''),
    state,
  };
})();
