// The web page's side of the game: the menu, rules and about panels as HTML, the playfield on a
// canvas, message boxes as <dialog>s, Web Audio music and sound effects made in a worker, the
// progress and the player's settings in localStorage, one tab playing at a time, keys, touch
// controls and gamepads. The game itself runs in the WebAssembly core (page.cpp); this script
// decides no rule.
'use strict';
var skyPage = (() => {
  const kProgressKey = 'skyrend/new.dat';
  // The player's settings, no part of the progress: { sounds: true|false, lang: 'sk'|'en',
  // classicMotion: true|false }.
  const kSettingsKey = 'skyrend/settings';
  // The most of a stored value that is ever read: the desktop's bound on its progress file.
  const kMaxStored = 24588;
  const kWidth = 669, kHeight = 515;
  const $ = (id) => document.getElementById(id);
  const canvas = $('field'), ctx = () => canvas.getContext('2d');
  let M, layout, boxScale = 1, running = false, quitting = false, boxDepth = 0, nextBox = 1, menuState = {};
  let helpShown = false;
  const images = [], boxes = {}, openBoxes = [];

  // The page's words, from the game's catalogue in the game's language (see label), by their
  // names there.
  const kWords = { closed: 'PageClosed', busy: 'PageBusy', lost: 'PageLost', takeOver: 'PageTakeOver',
                   storageRead: 'PageStorageRead', storageWrite: 'PageStorageWrite', close: 'SetClose',
                   full: 'KeyFullScreen', field: 'PageField', version: 'MenuVersionTip', web: 'PageWeb', pause: 'Pause',
                   lang: 'PageOtherLanguage', langName: 'SetLanguage' };
  const T = {};
  const say = (name) => M.ccall('sky_say', 'string', ['string'], [name]);

  const hex = (c) => '#' + (c & 0xffffff).toString(16).padStart(6, '0');
  const fontPx = (pt) => Math.max(1, Math.round(pt * 96 / 72) - 1);  // as the desktop's caption font
  const font = (pt, bold) => `${bold ? 'bold ' : ''}${fontPx(pt)}px "DejaVu Sans", Verdana, sans-serif`;
  const place = (el, l, t, w, h) => Object.assign(el.style, { left: l + 'px', top: t + 'px', width: w + 'px', height: h + 'px' });
  const el = (tag, cls, text) => { const e = document.createElement(tag); if (cls) e.className = cls; if (text) e.textContent = text; return e; };

  // A picture of the core: its pixels, and as a canvas of its own size.
  function imagePixels(id) {
    const p = M._sky_image(id), w = M.HEAPU32[p >> 2], h = M.HEAPU32[(p >> 2) + 1];
    return { w, h, pixels: new Uint8ClampedArray(M.HEAPU8.slice(p + 8, p + 8 + w * h * 4).buffer) };
  }
  function image(id) {
    if (!images[id]) {
      const { w, h, pixels } = imagePixels(id), c = document.createElement('canvas');
      c.width = w; c.height = h;
      c.getContext('2d').putImageData(new ImageData(pixels, w, h), 0, 0);
      images[id] = c;
    }
    return images[id];
  }
  const copyOf = (id) => { const c = image(id).cloneNode(); c.getContext('2d').drawImage(image(id), 0, 0); return c; };

  // The scale that fits a window into the room the browser gives it: whole steps from 1 up (the
  // desktop's rule for full screen), any smaller one below (a phone), smoothly drawn there.
  function fitScale(w, h, roomW, roomH) {
    const k = Math.min(roomW / w, roomH / h);
    return k >= 1 ? Math.floor(k) : Math.max(0.1, k);
  }
  function fit() {
    const full = document.fullscreenElement === $('screen'), touch = pad.shown(), wide = innerWidth > innerHeight;
    document.body.classList.toggle('pad', touch);
    document.body.classList.toggle('wide', wide);
    const side = touch && wide ? pad.room(true) : 0, under = touch && !wide ? pad.room(false) : 0;
    Object.assign(document.body.style, { paddingLeft: side + 'px', paddingRight: side + 'px', paddingBottom: under + 'px' });
    const bar = window.skyWatch ? skyWatch.room() : 0;  // a recording's watch bar (watch.js)
    if (bar) document.body.style.paddingBottom = under + bar + 'px';
    const roomW = innerWidth - 2 * side, roomH = innerHeight - under - bar;
    const k = fitScale(kWidth, kHeight, roomW, roomH - (full ? 0 : 20));
    canvas.style.width = kWidth * k + 'px';
    canvas.style.height = kHeight * k + 'px';
    canvas.classList.toggle('small', k < 1);
    $('screen').querySelector('.title').style.zoom = Math.max(1, k);
    $('screen').style.width = kWidth * k + 'px';
    if (touch) pad.place(wide);
    if (layout) {
      // A window's frame: its border and its title bar.
      const m = fitScale(layout.menu.size[0] + 2, layout.menu.size[1] + 20, innerWidth, innerHeight);
      $('menu').style.zoom = m;
      for (const id of ['rules', 'about']) $(id).style.zoom = fitScale(layout[id].size[0] + 2, layout[id].size[1] + 20, innerWidth, innerHeight);
      if (helpShown || !$('help').hidden) $('help').style.zoom = Math.max(0.5, Math.min(1, k * 1.6));
      // Message boxes as large as the window they stand over, and never smaller than drawn.
      boxScale = Math.max(1, $('screen').hidden ? m : k);
    }
    for (const id of ['rules', 'about']) if (!$(id).hidden) centre($(id));
  }

  // Windows of HTML: the menu, the rules and the about screen, from the core's layout.
  function buildWindow(id, spec) {
    const w = $(id), client = w.querySelector('.client');
    (w.querySelector('.title span') || w.querySelector('.title')).textContent = spec.caption;
    place(client, 0, 0, spec.size[0], spec.size[1]);
    client.style.position = 'relative';
    return client;
  }
  function infoLabels(client, labels) {
    for (const [name, text, l, t, w, h, pt, bold, color] of labels) {
      const e = el('div', 'info', text);
      e.id = `${client.parentNode.id}-${name}`;
      place(e, l, t, w, h);
      Object.assign(e.style, { font: font(pt, bold), color: hex(color) });
      client.append(e);
    }
  }
  function infoLines(client, lines) {
    const c = el('canvas');
    c.width = client.clientWidth || parseInt(client.style.width); c.height = parseInt(client.style.height);
    place(c, 0, 0, c.width, c.height);
    const g = c.getContext('2d');
    for (const [x1, y1, x2, y2, color, width] of lines) {
      g.strokeStyle = hex(color); g.lineWidth = width;
      g.beginPath(); g.moveTo(x1, y1 + width / 2); g.lineTo(x2, y2 + width / 2); g.stroke();
    }
    client.append(c);
  }
  function buildMenu() {
    const client = buildWindow('menu', layout.menu), parts = {};
    const controls = layout.menu.controls;
    // Pictures lie under everything, frames come before the controls inside them.
    const passOf = (kind) => (kind === 'picture' || kind === 'frame' ? kind : 'rest');
    for (const pass of ['picture', 'frame', 'rest']) {
      for (const [name, kind, parent, caption, l, t, w, h, pic] of controls) {
        if (passOf(kind) !== pass) continue;
        let e;
        if (kind === 'picture') e = copyOf(pic);
        else if (kind === 'frame') { e = el('div', 'frame'); e.append(el('span', 'caption', caption)); }
        else if (kind === 'button') {
          e = el('button', null, caption);
          e.addEventListener('click', () => click(name));
        } else if (kind === 'label') e = el('div', 'mlabel', caption);
        else {
          e = el('label'); const box = el('input'); box.type = 'checkbox';
          // "Zvuky" is the page's own switch; the music's is the game's.
          if (name === 'Check2') {
            box.checked = settings.sounds;
            box.addEventListener('click', () => saveSetting('sounds', box.checked));
          } else box.addEventListener('click', () => input(() => M._sky_check(box.checked ? 1 : 0)));
          e.append(box, caption);
        }
        e.id = name;
        place(e, l, t, w, h);
        (parts[parent] || client).append(e);
        if (kind === 'frame') parts[name] = e;
      }
    }
    $('Image1').addEventListener('click', () => click('Image1'));
    Object.assign($('Label5').style, { textAlign: 'right', font: font(8.25, true) });
    $('Label5').title = T.version;
    Object.assign($('Image1'), { tabIndex: 0, title: T.web });
    $('Image1').setAttribute('role', 'link'); $('Image1').setAttribute('aria-label', T.web);
  }
  function buildPanels() {
    const rules = buildWindow('rules', layout.rules);
    const bg = copyOf(layout.rules.background);
    place(bg, 0, 0, bg.width, bg.height);
    rules.append(bg);
    infoLines(rules, layout.rules.lines);
    infoLabels(rules, layout.rules.labels);
    const about = buildWindow('about', layout.about);
    for (const [l, t, w, h, pic] of layout.about.pictures) {
      const c = copyOf(pic);
      place(c, l + Math.max(0, (w - c.width) >> 1), t + Math.max(0, (h - c.height) >> 1), c.width, c.height);
      about.append(c);
    }
    infoLines(about, layout.about.lines);
    infoLabels(about, layout.about.labels);
    layout.about.buttons.forEach(([name, caption, l, t, w, h], i) => {
      const b = el('button', null, caption);
      b.id = name;
      place(b, l, t, w, h);
      b.addEventListener('click', () => input(() => M._sky_about_click(i)));
      about.append(b);
    });
    for (const id of ['rules', 'about']) $(id).querySelector('.x').addEventListener('click', () => closePanel(id));
  }
  // The design font, one pixel smaller at a time until the wrapped text fits inside its box
  // (DejaVu Sans runs wider than the face the boxes were measured for).
  function fitText(e) {
    for (let px = parseInt(e.style.fontSize); px > 6 && (e.scrollHeight > e.clientHeight || e.scrollWidth > e.clientWidth); --px)
      e.style.fontSize = px - 1 + 'px';
  }
  function showPanel(id) {
    const p = $(id);
    p.hidden = false;
    p.querySelectorAll('.info').forEach(fitText);
    centre(p);
    (p.querySelector('#cmdOK') || p.querySelector('.x')).focus();
  }
  function centre(p) {
    const z = +p.style.zoom || 1;
    p.style.left = Math.max(0, (innerWidth - p.offsetWidth * z) / 2 / z) + 'px';
    p.style.top = Math.max(0, (innerHeight - p.offsetHeight * z) / 2 / z) + 'px';
  }
  // Back to the menu: it is the active window again.
  function closePanel(id) {
    if ($(id).hidden) return;
    $(id).hidden = true;
    input(() => M._sky_activate());
  }

  function syncMenu() {
    for (const n of ['Label1', 'Label2', 'Label3', 'Label4', 'Label5']) $(n).textContent = menuState[n];
    $('Command2').disabled = !menuState.Command2;
    $('Check1').querySelector('input').checked = menuState.Check1 === 1;
  }

  // The playfield: the core's scene, bottom up (see sky_scene in page.cpp), drawn by painter.js
  // in a worker of its own when the browser can hand the canvas over, else here.
  const painting = (() => {
    let worker = null, local = null, looked = null, ticked = null;
    const sent = new Set();
    try {
      const off = canvas.transferControlToOffscreen();
      worker = new Worker('paint-worker.js');
      worker.postMessage({ canvas: off }, [off]);
      worker.onmessage = ({ data }) => {
        if (data.frame && ticked) ticked();
        if (data.look && looked) { looked(data.look); looked = null; }
      };
    } catch (e) { worker = null; }
    const painter = () => local || (local = skyPainter(ctx(), image));
    return {
      paint(H, texts, pause) {
        if (!worker) return painter().paint(H, texts, pause);
        for (let i = 2; i < H[0];) {  // the pictures the worker does not have yet go first
          const kind = H[i];
          if (kind === 1 && !sent.has(H[i + 1])) {
            const id = H[i + 1], { w, h, pixels } = imagePixels(id);
            sent.add(id);
            worker.postMessage({ image: id, w, h, pixels }, [pixels.buffer]);
          }
          i += kind === 1 ? 4 : kind === 3 ? 7 : kind === 2 || kind === 4 ? 10 : H[0];
        }
        worker.postMessage({ scene: H, texts, pause }, [H.buffer]);
      },
      // The next display frame, once: the worker's while the playfield shows (the page's own
      // would cost its thread more), else the page's; a frame that never comes is not waited for.
      nextFrame(f) {
        if (ticked) return;
        const go = ticked = () => { if (ticked !== go) return; ticked = null; f(); };
        if (!worker || $('screen').hidden) requestAnimationFrame(go);
        else { worker.postMessage({ tick: true }); setTimeout(go, 250); }
      },
      look(n) {
        if (!worker) return Promise.resolve(painter().look(n));
        return new Promise((done) => { looked = done; worker.postMessage({ look: n }); });
      },
    };
  })();
  function paint() {
    if (!running || $('screen').hidden) return;
    const p = M._sky_scene() >> 2;
    painting.paint(M.HEAP32.slice(p, p + M.HEAP32[p]), M.UTF8ToString(M._sky_scene_texts()).split('\n'), T.pause);
  }

  // Storage: every value read is cut at kMaxStored; a browser that refuses gets a notice, once.
  function readStored(key) {
    const v = localStorage.getItem(key);
    return v === null ? null : v.slice(0, kMaxStored + 1);
  }
  function readSettings() {
    try {
      const s = JSON.parse(readStored(kSettingsKey));
      if (s && typeof s === 'object') return s;
    } catch (e) { }  // broken or unreadable: the defaults
    return {};
  }
  const settings = (() => {
    const saved = readSettings();
    // ?classic-motion draws the ticks as they fall (and is remembered); by default the world slides between them.
    const query = new URLSearchParams(location.search);
    const classicMotion = query.has('classic-motion') ? query.get('classic-motion') !== '0' : saved.classicMotion === true;
    return { sounds: saved.sounds !== false, lang: typeof saved.lang === 'string' ? saved.lang : '', classicMotion };
  })();
  // A setting changes: the others as stored now (another tab may have changed them), this one new.
  function saveSetting(name, value) {
    settings[name] = value;
    try {
      const s = readSettings();
      s[name] = value;
      localStorage.setItem(kSettingsKey, JSON.stringify(s));
    } catch (e) { notice('storageWrite'); }
  }
  if (settings.classicMotion !== (readSettings().classicMotion === true)) saveSetting('classicMotion', settings.classicMotion);

  function notice(what) {
    const n = $('notice');
    if (!n.hidden && n.dataset.what === what) return;
    n.dataset.what = what;
    n.querySelector('span').textContent = T[what] || '';  // (before the game has loaded: see label)
    n.hidden = false;
  }
  // The core reads the progress (a write first reads it again): its length, -1 for none, -2 unreadable.
  function storedProgress(buf, size) {
    let v;
    try { v = readStored(kProgressKey); } catch (e) { notice('storageRead'); return -2; }
    return v === null ? -1 : M.stringToUTF8(v, buf, size);
  }
  function storeProgress(text) {
    try { localStorage.setItem(kProgressKey, text); return true; } catch (e) { notice('storageWrite'); return false; }
  }

  // The music and the effects are made from their recipes in a worker once the menu shows (the
  // wave files the desktop plays); Web Audio may only start after the player's first click or key.
  const music = { ctx: null, buffer: null, source: null, open: false, playingSince: -1 };
  const audio = { synth: false, wav: {}, sha256: {}, clickedAt: -1, firstNoteAt: -1, musicStarts: 0 };
  function startSynth() {
    if (audio.synth) return;
    audio.synth = true;
    try {
      new Worker('synth-worker.js').onmessage = ({ data }) => {
        if (data.name === 'error') return;  // no music, no effects: the game plays on in silence
        audio.wav[data.name] = data.wav;
        audio.sha256[data.name] = data.sha256;
        buffersFromWaves();
      };
    } catch (e) { }
  }
  // A 16-bit PCM wave file as an AudioBuffer.
  function waveBuffer(wav) {
    const v = new DataView(wav.buffer, wav.byteOffset, wav.byteLength);
    const channels = v.getUint16(22, true), rate = v.getUint32(24, true);
    let at = 12;
    while (at + 8 <= v.byteLength && v.getUint32(at, false) !== 0x64617461) at += 8 + v.getUint32(at + 4, true);  // 'data'
    const frames = Math.floor(Math.min(v.getUint32(at + 4, true), v.byteLength - at - 8) / 2 / channels);
    const b = music.ctx.createBuffer(channels, frames, rate);
    const pcm = new Int16Array(wav.buffer.slice(wav.byteOffset + at + 8, wav.byteOffset + at + 8 + frames * 2 * channels));
    for (let c = 0; c < channels; ++c) {
      const out = b.getChannelData(c);
      for (let i = 0; i < frames; ++i) out[i] = pcm[i * channels + c] / 32768;
    }
    return b;
  }
  function buffersFromWaves() {
    if (!music.ctx) return;
    if (!music.buffer && audio.wav.music) { music.buffer = waveBuffer(audio.wav.music); startMusic(); }
    if (!effects.buffer && audio.wav.sounds) effects.buffer = waveBuffer(audio.wav.sounds);
  }
  function startMusic() {
    if (!music.ctx || !music.buffer || music.playingSince < 0 || music.source) return;
    const offset = (performance.now() - music.playingSince) / 1000;
    if (offset >= music.buffer.duration) return;
    music.source = music.ctx.createBufferSource();
    music.source.buffer = music.buffer;
    music.source.connect(music.ctx.destination);
    music.source.start(0, offset);
    audio.musicStarts++;
    if (audio.firstNoteAt < 0) audio.firstNoteAt = performance.now();
  }
  function unlockAudio() {
    if (music.ctx) return;
    audio.clickedAt = performance.now();
    try { music.ctx = new AudioContext({ latencyHint: 'interactive' }); } catch (e) { return; }  // no sound here: silence
    buffersFromWaves();
  }
  function musicCommand(cmd) {
    if (cmd === 'Open' && !music.open) { music.open = true; music.playingSince = -1; }
    else if (cmd === 'Play' && music.open && music.playingSince < 0) { music.playingSince = performance.now(); startMusic(); }
    else if (cmd === 'Close' && music.open) {
      if (music.source) { music.source.stop(); music.source = null; }
      music.open = false; music.playingSince = -1;
    }
  }

  // Sound effects: cue i is second i of Sounds.flac (it ends in silence well before the second
  // is out). Up to eight at once, a ninth stops the oldest; they sit under the music as rendered.
  const effects = { buffer: null, voices: [], played: 0 };
  function playCue(i) {
    if (!settings.sounds || !music.ctx || !effects.buffer || i + 1 > effects.buffer.duration) return;
    if (effects.voices.length >= 8) effects.voices.shift().stop();
    const v = music.ctx.createBufferSource();
    v.buffer = effects.buffer;
    v.connect(music.ctx.destination);
    v.onended = () => { const k = effects.voices.indexOf(v); if (k >= 0) effects.voices.splice(k, 1); };
    v.start(0, i, 1);
    effects.voices.push(v);
    effects.played++;
  }

  // Message boxes: the core waits in waitBox, frame by frame, until the player answers. The core
  // gives the buttons and the default one, and says what each key does meanwhile (see key). A box
  // of a watched recording only shows (the watch bar stays at hand) until the core closes it.
  const kQuestion = 36, kInformation = 64;
  function openBox(text, title, style, layout, watched) {
    const id = nextBox++, d = el('dialog', 'box'), body = el('div', 'body'), buttons = el('div', 'buttons');
    const box = boxes[id] = { answer: 0, waiter: null };
    if (style === kQuestion || style === kInformation) body.append(el('span', 'icon ' + (style === kQuestion ? 'q' : 'i'), style === kQuestion ? '?' : 'i'));
    body.append(el('p', null, text));
    d.append(el('div', 'title', title), body, buttons);
    d.setAttribute('aria-label', title);
    const answer = box.answerWith = (a) => {
      if (box.answer) return;
      box.answer = a;
      openBoxes.splice(openBoxes.indexOf(box), 1);
      d.close(); d.remove(); --boxDepth;
      if (box.waiter) box.waiter(a);
    };
    let first = null;
    for (const [a, caption] of layout.buttons) {
      const b = el('button', null, caption);
      b.addEventListener('click', () => answer(a));
      b.disabled = watched;
      buttons.append(b);
      if (a === layout.default) first = b;
    }
    d.addEventListener('cancel', (e) => e.preventDefault());  // Esc is the core's to answer
    openBoxes.push(box);
    d.style.zoom = boxScale;
    document.body.append(d);
    ++boxDepth;
    if (watched) { d.classList.add('watched'); d.show(); return id; }
    d.showModal();
    (first || buttons.firstChild).focus();
    pad.boxOpened();
    return id;
  }
  // The core closed a watched box (the recording's answer came).
  function closeBox(id) {
    const box = boxes[id];
    if (!box) return;
    box.answerWith(-1);
    delete boxes[id];
  }
  function waitBox(id) {
    const box = boxes[id];
    return new Promise((resolve) => {
      if (box.answer) { delete boxes[id]; return resolve(box.answer); }
      box.waiter = (a) => { delete boxes[id]; resolve(a); };
      requestAnimationFrame(() => { pad.poll(); if (!box.answer) { box.waiter = null; resolve(0); } });
    });
  }

  // What the core tells the page.
  function fromGame(what, arg) {
    switch (what) {
      case 'menuState': menuState = JSON.parse(arg); if (!$('menu').hidden) syncMenu(); break;
      case 'paint': paint(); break;
      case 'closeBox': closeBox(+arg); break;
      case 'music': musicCommand(arg); break;
      case 'cue': playCue(+arg); break;
      case 'showMenu': $('menu').hidden = false; syncMenu(); document.title = layout.menu.caption; break;
      case 'hideMenu': $('menu').hidden = true; break;
      case 'screenOpened':
        for (const id of ['rules', 'about']) $(id).hidden = true;  // an episode is no place for them
        $('screen').hidden = false; $('screen').querySelector('.title span').textContent = arg; document.title = arg;
        fit(); break;
      case 'screenClosed':
        showHelp(false);
        $('screen').hidden = true; if (document.fullscreenElement) document.exitFullscreen(); fit(); break;
      case 'showRules': showPanel('rules'); break;
      case 'showAbout': $('about-Label1').textContent = arg; showPanel('about'); break;
      case 'closeAbout': closePanel('about'); break;
      case 'openUrl': window.open(arg, '_blank', 'noopener'); break;
      case 'quit': quitting = true; break;
    }
  }

  // Inputs reach the game only while no message box holds it.
  function input(f) { if (running && boxDepth === 0) { f(); wake(); } }
  const click = (name) => input(() => { M.stringToUTF8(name, M._sky_text(), 64); M._sky_click(); });
  const playing = () => running && !$('screen').hidden;

  // The game's keys, whichever hand presses them (a keyboard, the touch controls, a gamepad), by
  // their names in the core (game/keys.h); what each does is the core's to say. Returns the
  // core's word (see sky_press in page.cpp) and acts on it: a box answered, full screen, the help.
  const kRepeatDelay = 500, kRepeatEvery = 33;  // a held touch control or gamepad button repeats so
  const kPass = 1, kAnswer = 3, kGame = 256, kFull = 512, kHelp = 1024, kHelpShown = 2048, kWatch = 4096, kLeave = 8192;
  function key(name, down, repeat, ms) {
    if (!running) return 0;
    M.stringToUTF8(name, M._sky_key_name(), 32);
    const r = M._sky_press(down ? 1 : 0, repeat ? 1 : 0, ms);
    if ((r & 3) === kAnswer && openBoxes.length) openBoxes[openBoxes.length - 1].answerWith((r >> 4) & 15);
    if (r & kFull) toggleFull();
    if (r & kHelp) showHelp((r & kHelpShown) !== 0);
    if (r & kGame) wake();
    if (r & kLeave) skyWatch.leave(); else if (r & kWatch) skyWatch.update();
    return r;
  }
  function showHelp(on) {
    helpShown = on;
    if (on) buildHelp();
    $('help').hidden = !on;
    if (on) fit();
  }
  // The core's help page of the open episode, in the game's language.
  function buildHelp() {
    const page = JSON.parse(M.UTF8ToString(M._sky_help(0)));
    $('help').querySelector('.title span').textContent = page.title;
    const columns = [el('div', 'column'), el('div', 'column')];
    for (const [heading, column, rows] of page.sections) {
      const c = columns[column] || columns[0];
      c.append(el('h3', null, heading));
      for (const [k, text, step] of rows) {
        const r = el('div', step ? 'row step' : 'row');
        if (k) r.append(el('b', null, step ? k + '.' : k));
        r.append(el('span', null, text));
        c.append(r);
      }
    }
    const cols = el('div', 'columns');
    cols.append(...columns);
    $('help').querySelector('.client').replaceChildren(cols, el('p', 'hint', page.close));
  }

  // Touch controls over the page while an episode runs, and gamepads; both press keys (see key).
  const pad = (() => {
    const kControls = [['up', 'Up', '▲', 'KeyNoseUp'], ['down', 'Down', '▼', 'KeyNoseDown'], ['faster', 'Right', '»', 'KeyFaster'],
                       ['slower', 'Left', '«', 'KeySlower'], ['fire', 'Space', '●', 'KeyFire'], ['pause', 'P', 'Ⅱ', 'KeyPause'],
                       ['help', 'F1', '?', 'KeyHelp'], ['leave', 'Esc', '✕', 'KeyLeave']];
    const held = new Map();  // key -> { next, sources }
    let touch = navigator.maxTouchPoints > 0 || matchMedia('(any-pointer: coarse)').matches, gamepads = false;
    // A press or a repeat; outside the flight (the menu, a panel, a box) a gamepad's moves the focus.
    function send(name, repeat, sources) {
      const r = key(name, true, repeat, performance.now());
      if (sources.has('pad') && ((r & 3) === kPass || (!(r & 3) && !(r & kGame)))) navigate(name);
    }
    function press(name, source) {
      let h = held.get(name);
      if (!h) { h = { next: performance.now() + kRepeatDelay, sources: new Set([source]) }; held.set(name, h); send(name, false, h.sources); }
      h.sources.add(source);
    }
    function release(name, source) {
      const h = held.get(name);
      if (h && h.sources.delete(source) && h.sources.size === 0) { held.delete(name); key(name, false, false, performance.now()); }
    }
    function build() {
      const root = $('pad');
      for (const [name, key, symbol, label] of kControls) {
        const b = el('button', null, symbol);
        b.id = 'pad-' + name; b.type = 'button'; b.setAttribute('aria-label', say(label)); b.title = say(label);
        b.addEventListener('pointerdown', (e) => { e.preventDefault(); b.setPointerCapture?.(e.pointerId); b.classList.add('on'); press(key, e.pointerId); });
        const up = (e) => { b.classList.remove('on'); release(key, e.pointerId); };
        for (const t of ['pointerup', 'pointercancel', 'lostpointercapture']) b.addEventListener(t, up);
        b.addEventListener('contextmenu', (e) => e.preventDefault());
        root.append(b);
      }
      addEventListener('pointerdown', (e) => { if (e.pointerType === 'touch' && !touch) { touch = true; fit(); } }, true);
      addEventListener('gamepadconnected', () => { gamepads = true; wake(); });
    }
    // Where the controls stand: beside the playfield when the screen lies wide, under it when tall.
    const kSize = 48, kGap = 8;
    function place(wide) {
      const at = (name, x, y, h) => Object.assign($('pad-' + name).style, { left: x + 'px', top: y + 'px', height: (h || kSize) + 'px' });
      const W = innerWidth, H = innerHeight, s = kSize + kGap, right = W - kGap - kSize;
      if (wide) {
        at('pause', kGap, kGap); at('help', kGap, kGap + s); at('up', kGap, H - 2 * s); at('down', kGap, H - s);
        at('leave', right, kGap); at('faster', right, H - 3 * s); at('slower', right, H - 2 * s); at('fire', right, H - s);
      } else {
        const top = H - 2 * s;
        at('up', kGap, top); at('down', kGap, top + s); at('pause', kGap + s, top); at('help', kGap + s, top + s); at('leave', kGap + 2 * s, top);
        at('faster', right - s, top); at('slower', right - s, top + s); at('fire', right, top, kSize + s);
      }
    }
    // The controls' band: a column on either side of the playfield, or two rows under it.
    const room = (wide) => (wide ? kSize + 2 * kGap : 2 * (kSize + kGap) + kGap);
    // Once a display frame: held controls repeat, gamepads are read.
    function poll() {
      const now = performance.now();
      for (const [name, h] of held) if (now >= h.next) { h.next = Math.max(h.next + kRepeatEvery, now - kRepeatEvery); send(name, true, h.sources); }
      if (gamepads) readGamepads();
    }
    // The standard mapping: d-pad 12-15 or the left stick, A (0) fire, Back (8) leave, Start (9) pause,
    // Y (3) or Guide (16) the help, as on the desktop.
    // Before an episode and in a box the d-pad moves between the buttons and A presses one.
    const kButtons = [[12, 'Up'], [13, 'Down'], [14, 'Left'], [15, 'Right'], [0, 'Space'], [8, 'Esc'], [9, 'P'], [3, 'F1'], [16, 'F1']];
    let lastPads = new Set();
    function readGamepads() {
      const down = new Set();
      for (const g of navigator.getGamepads ? navigator.getGamepads() : []) {
        if (!g || !g.connected) continue;
        for (const [i, key] of kButtons) if (g.buttons[i]?.pressed) down.add(key);
        const [x = 0, y = 0] = g.axes;
        if (y < -0.5) down.add('Up'); if (y > 0.5) down.add('Down');
        if (x < -0.5) down.add('Left'); if (x > 0.5) down.add('Right');
      }
      for (const k of down) if (!lastPads.has(k)) press(k, 'pad');
      for (const k of lastPads) if (!down.has(k)) release(k, 'pad');
      lastPads = down;
    }
    // A gamepad outside the flight: focus moves to the previous or the next button, A presses it,
    // Back closes a panel (a box's Esc is the core's).
    function navigate(key) {
      const layer = [...document.querySelectorAll('dialog[open]')].pop() || [...document.querySelectorAll('.panel:not([hidden])')].pop() || $('menu');
      const items = [...layer.querySelectorAll('button:not([disabled]), input:not([disabled])')].filter((e) => e.offsetParent);
      const at = items.indexOf(document.activeElement);
      if (key === 'Space') { if (at >= 0) items[at].click(); else items[0]?.focus(); }
      else if (key === 'Esc') closePanels();
      else if (key !== 'P' && key !== 'F1' && items.length) items[(at + (key === 'Up' || key === 'Left' ? items.length - 1 : 1)) % items.length].focus();
    }
    return {
      build, place, room, poll, shown: () => touch && playing(), busy: () => gamepads || held.size > 0,
      // Fingers on the controls are lifted as a box covers them (a gamepad's buttons stay as held).
      boxOpened() {
        for (const [name, h] of [...held]) {
          if (h.sources.has('pad')) h.sources = new Set(['pad']);
          else { held.delete(name); key(name, false, false, performance.now()); }
        }
      },
    };
  })();

  // A display frame at a time while anything moves; with only the menu up and nothing due, the
  // page sleeps until the next timer or the player's next input.
  const sleep = { on: false, timer: 0, slept: false };
  function frame() {
    if (sleep.on) return;
    pad.poll();
    if (running && boxDepth === 0) {
      if (quitting) stop();
      else if (M._sky_frame(sleep.slept ? 1 : 0) && boxDepth === 0) paint();
      sleep.slept = false;
      if (!window.skyMenuPainted && !$('menu').hidden) {
        window.skyMenuPainted = performance.now();
        startSynth();  // the audio is made once the menu stands: it does not hold the menu back
      }
    }
    const idle = boxDepth > 0 ? 0 : running ? M._sky_idle_ms() : 60000;
    if (idle > 50 && !pad.busy()) {
      sleep.on = sleep.slept = true;
      sleep.timer = setTimeout(wake, idle - 20);
    } else painting.nextFrame(frame);
  }
  function wake() {
    clearTimeout(sleep.timer);
    if (!sleep.on) return;
    sleep.on = false;
    painting.nextFrame(frame);
  }
  function stop() {
    running = quitting = false;
    M._sky_stop();
    for (const id of ['menu', 'screen', 'rules', 'about', 'help']) $(id).hidden = true;
    $('closed').hidden = false;
    fit();
  }
  function begin() {
    $('closed').hidden = true;
    $('tabs').hidden = true;
    if (!window.skyWatch || !skyWatch.active()) M._sky_start(settings.classicMotion ? 0 : 1);
    running = true;
    wake();
  }

  // One tab plays at a time: the page that holds the lock runs the game; another says so and
  // may take the game over, which stops it in the first (its progress is already stored).
  const kTakeOver = 'skyrend/take-over';
  // This tab's word to itself across the reload that takes over: set, or read and cleared.
  function takingOver(set) {
    try {
      if (set) return sessionStorage.setItem(kTakeOver, '1');
      const was = sessionStorage.getItem(kTakeOver) === '1';
      sessionStorage.removeItem(kTakeOver);
      return was;
    } catch (e) { return false; }
  }
  function claim(steal) {
    // A recording plays without the lock: watching stores nothing.
    if (!navigator.locks || (window.skyWatch && skyWatch.take(M))) { begin(); return; }
    navigator.locks.request('skyrend/play', steal ? { steal: true } : { ifAvailable: true }, (lock) => {
      if (!lock) { tabsNotice('busy'); return null; }
      begin();
      return new Promise(() => {});  // held as long as this page plays
    }).catch(() => lost());
  }
  function tabsNotice(what) {
    $('tabs').querySelector('span').textContent = T[what];
    $('tabs').hidden = false;
    $('loading').hidden = true;
  }
  function lost() {
    running = false;
    for (const id of ['menu', 'screen', 'rules', 'about', 'help', 'closed']) $(id).hidden = true;
    for (const d of document.querySelectorAll('dialog[open]')) d.close();
    if (music.source) { music.source.stop(); music.source = null; }
    music.playingSince = -1;
    tabsNotice('lost');
    fit();
  }
  function takeOver() {
    if (M._sky_started()) {  // this page played before: it starts afresh, from the progress as stored
      takingOver(true);
      location.reload();
    } else claim(true);
  }

  // The browser's keys by the game's names for them (game/keys.h).
  const kKeyNames = { ArrowLeft: 'Left', ArrowUp: 'Up', ArrowRight: 'Right', ArrowDown: 'Down', ' ': 'Space', Escape: 'Esc',
                      Enter: 'Enter', Backspace: 'Backspace', Tab: 'Tab', '+': '+', '-': '-', '=': '=' };
  function keyName(e) {
    const k = e.key.length === 1 ? e.key.toUpperCase() : e.key;
    if (kKeyNames[k]) return kKeyNames[k];
    if (/^([0-9A-Z]|F[0-9]{1,2})$/.test(k)) return k;
    return (e.code || k || '?').replace(/[^!-~]/g, '').slice(0, 24) || '?';
  }
  // Every key goes to the core first, before a box or the page hears it.
  function keyEvent(e) {
    const down = e.type === 'keydown';
    if (down) unlockAudio();
    if (down && e.key === 'F1') e.preventDefault();  // the game's help, not the browser's
    if (!running) return;
    const watching = window.skyWatch && skyWatch.active();
    if (down && boxDepth === 0 && e.key === 'Escape' && !watching && closePanels()) return;
    const r = key(keyName(e), down, e.repeat, e.timeStamp);
    if (r & kWatch) { e.preventDefault(); e.stopPropagation(); return; }  // the watch bar's key
    if ((r & 3) === kPass) return;  // the box's own: focus, Enter, Space on its buttons
    if (r & 3) { e.preventDefault(); e.stopPropagation(); return; }  // held since before the box opened, or its answer
    // Arrows and Space fly, they do not scroll the page; the browser's own shortcuts stay.
    if ((r & kGame) && !e.ctrlKey && !e.metaKey && !e.altKey) e.preventDefault();
  }
  // Esc over the rules or the about panel closes it; whether one was open.
  function closePanels() {
    const open = ['rules', 'about'].filter((id) => !$(id).hidden);
    open.forEach(closePanel);
    return open.length > 0;
  }
  function toggleFull() {
    if (document.fullscreenElement) document.exitFullscreen();
    else $('screen').requestFullscreen().catch(() => {});
  }

  // The page's words and the names of its controls, in the game's language.
  function label() {
    for (const [word, name] of Object.entries(kWords)) T[word] = say(name);
    document.documentElement.lang = settings.lang;
    $('closed').textContent = T.closed;
    $('full').title = T.full; $('full').setAttribute('aria-label', T.full);
    for (const x of document.querySelectorAll('.x')) { x.title = T.close; x.setAttribute('aria-label', T.close); }
    canvas.setAttribute('aria-label', T.field);
    $('tabs').querySelector('button').textContent = T.takeOver;
    $('lang').textContent = T.lang; $('lang').setAttribute('aria-label', `${T.langName}: ${T.lang}`);
    const n = $('notice');
    if (!n.hidden) n.querySelector('span').textContent = T[n.dataset.what];
  }

  function start(module) {
    M = module;
    const wanted = navigator.languages || [navigator.language || ''];
    settings.lang = M.ccall('sky_choose_language', 'string', ['string', 'string'], [settings.lang, wanted.join('\n')]);
    label();
    if (window.skyWatch) skyWatch.label(M);
    layout = JSON.parse(M.UTF8ToString(M._sky_layout()));
    buildMenu();
    buildPanels();
    pad.build();
    $('menu').querySelector('.title').textContent = layout.menu.caption;
    $('loading').hidden = true;
    fit();
    addEventListener('resize', fit);
    document.addEventListener('fullscreenchange', fit);
    addEventListener('keydown', keyEvent, true);
    addEventListener('keyup', keyEvent, true);
    addEventListener('pointerdown', unlockAudio);
    $('full').addEventListener('click', toggleFull);
    $('screen').querySelector('.x').addEventListener('click', () => input(() => M._sky_close()));
    $('help').querySelector('.x').addEventListener('click', () => { key('F1', true, false, performance.now()); key('F1', false, false, performance.now()); });
    $('notice').querySelector('.x').addEventListener('click', () => { $('notice').hidden = true; });
    $('closed').addEventListener('click', begin);
    $('tabs').querySelector('button').addEventListener('click', takeOver);
    $('lang').addEventListener('click', () => {
      saveSetting('lang', settings.lang === 'en' ? 'sk' : 'en');
      if (M._sky_started()) takingOver(true);
      location.reload();
    });
    // As on the desktop: leaving the page (another window, another tab) pauses the game, coming back resumes it.
    const away = (gone) => { if (running) { M._sky_focus(gone ? 0 : 1, performance.now()); wake(); } };
    document.addEventListener('visibilitychange', () => away(document.hidden));
    addEventListener('blur', () => away(true));
    addEventListener('focus', () => away(false));
    claim(takingOver(false));
    painting.nextFrame(frame);
  }

  if ('serviceWorker' in navigator && location.protocol !== 'file:') navigator.serviceWorker.register('sw.js').catch(() => {});

  // For the page's tests: a screen variable, read or set; how many sound effects have started; the audio's figures.
  const screenVar = (name, value) => M.ccall('sky_var', 'number', ['string', 'number', 'number'], [name, value === undefined ? 0 : 1, value || 0]);
  const soundsPlayed = () => effects.played;
  const audioStats = () => ({ sha256: audio.sha256, clickedAt: audio.clickedAt, firstNoteAt: audio.firstNoteAt, musicStarts: audio.musicStarts });
  const paused = () => M._sky_paused() === 1;
  // ... and what the playfield shows (see look in painter.js).
  const look = (frames) => painting.look(frames);
  return { start, begin, fromGame, openBox, waitBox, paint, screenVar, soundsPlayed, audioStats, paused, look, storedProgress, storeProgress };
})();
