// The web page's side of the game: the menu, rules and about panels as HTML, the playfield on a
// canvas, message boxes as <dialog>s, Web Audio music and sound effects, the progress and the
// player's settings in localStorage. The game itself runs in the WebAssembly core (page.cpp);
// this script decides no rule.
'use strict';
var skyPage = (() => {
  const kProgressKey = 'skyrend/new.dat';
  // The player's settings, no part of the progress: { sounds: true|false }.
  const kSettingsKey = 'skyrend/settings';
  // ?classic-motion draws the ticks as they fall; by default the world slides between them.
  const smoothMotion = !new URLSearchParams(location.search).has('classic-motion');
  const kWidth = 669, kHeight = 515;
  const $ = (id) => document.getElementById(id);
  const canvas = $('field'), ctx = canvas.getContext('2d');
  let M, layout, boxScale = 1, running = false, quitting = false, boxDepth = 0, nextBox = 1, menuState = {};
  const images = [], boxes = {};

  const hex = (c) => '#' + (c & 0xffffff).toString(16).padStart(6, '0');
  const fontPx = (pt) => Math.max(1, Math.round(pt * 96 / 72) - 1);  // as the desktop's caption font
  const font = (pt, bold) => `${bold ? 'bold ' : ''}${fontPx(pt)}px "DejaVu Sans", Verdana, sans-serif`;
  const place = (el, l, t, w, h) => Object.assign(el.style, { left: l + 'px', top: t + 'px', width: w + 'px', height: h + 'px' });
  const el = (tag, cls, text) => { const e = document.createElement(tag); if (cls) e.className = cls; if (text) e.textContent = text; return e; };

  // A picture of the core as a canvas of its own size.
  function image(id) {
    if (!images[id]) {
      const p = M._sky_image(id), w = M.HEAPU32[p >> 2], h = M.HEAPU32[(p >> 2) + 1];
      const c = document.createElement('canvas');
      c.width = w; c.height = h;
      c.getContext('2d').putImageData(new ImageData(new Uint8ClampedArray(M.HEAPU8.slice(p + 8, p + 8 + w * h * 4).buffer), w, h), 0, 0);
      images[id] = c;
    }
    return images[id];
  }
  const copyOf = (id) => { const c = image(id).cloneNode(); c.getContext('2d').drawImage(image(id), 0, 0); return c; };

  // The whole scale that fits the browser window (the desktop's rule for full screen).
  function fitScale(w, h, extra) {
    return Math.max(1, Math.floor(Math.min(innerWidth / w, (innerHeight - extra) / h)));
  }
  function fit() {
    const full = document.fullscreenElement === $('screen');
    const k = fitScale(kWidth, kHeight, full ? 0 : 20);
    canvas.style.width = kWidth * k + 'px';
    canvas.style.height = kHeight * k + 'px';
    $('screen').querySelector('.title').style.zoom = k;
    const m = layout ? fitScale(layout.menu.size[0], layout.menu.size[1], 20) : 1;
    for (const id of ['menu', 'rules', 'about']) $(id).style.zoom = m;
    boxScale = $('screen').hidden ? m : k;  // message boxes as large as the window they stand over
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
            box.addEventListener('click', () => { settings.sounds = box.checked; saveSettings(); });
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
    $('Label5').title = 'Aktuálna verzia hry.';
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
    p.style.left = Math.max(0, (innerWidth - p.offsetWidth * (p.style.zoom || 1)) / 2 / (p.style.zoom || 1)) + 'px';
    p.style.top = Math.max(0, (innerHeight - p.offsetHeight * (p.style.zoom || 1)) / 2 / (p.style.zoom || 1)) + 'px';
    (p.querySelector('#cmdOK') || p.querySelector('.x')).focus();
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

  // The playfield: the core's scene, bottom up (see sky_scene in page.cpp).
  function paint() {
    if (!running || $('screen').hidden) return;
    const p = M._sky_scene() >> 2, H = M.HEAP32, end = p + H[p];
    const texts = M.UTF8ToString(M._sky_scene_texts()).split('\n');
    ctx.fillStyle = '#fff';
    ctx.fillRect(0, 0, kWidth, kHeight);
    for (let i = p + 2; i < end;) {
      switch (H[i]) {
        case 1: ctx.drawImage(image(H[i + 1]), H[i + 2], H[i + 3]); i += 4; break;
        case 2: {
          const [, round, l, t, w, h, filled, fill, bordered, border] = H.subarray(i, i + 10);
          i += 10;
          if (w <= 0 || h <= 0) break;
          ctx.beginPath();
          if (round) ctx.roundRect(l + 0.5, t + 0.5, w - 1, h - 1, Math.min(w, h) / 4);
          else ctx.rect(l + 0.5, t + 0.5, w - 1, h - 1);
          if (filled) { ctx.fillStyle = hex(fill); round ? ctx.fill() : ctx.fillRect(l, t, w, h); }
          if (bordered) { ctx.strokeStyle = hex(border); ctx.lineWidth = 1; ctx.stroke(); }
          break;
        }
        case 3: {
          const [, x1, y1, x2, y2, color, width] = H.subarray(i, i + 7);
          i += 7;
          const off = width % 2 ? 0.5 : 0;
          ctx.strokeStyle = hex(color); ctx.lineWidth = Math.max(1, width); ctx.lineCap = 'square';
          ctx.beginPath(); ctx.moveTo(x1 + off, y1 + off); ctx.lineTo(x2 + off, y2 + off); ctx.stroke();
          break;
        }
        case 4: {
          const [, l, t, w, h, color, align, pt, bold, text] = H.subarray(i, i + 10);
          i += 10;
          ctx.save();
          ctx.beginPath(); ctx.rect(l, t, w, h); ctx.clip();
          ctx.font = font(pt / 100, bold); ctx.fillStyle = hex(color); ctx.textBaseline = 'top';
          ctx.textAlign = ['left', 'center', 'right'][align];
          ctx.fillText(texts[text], [l, l + w / 2, l + w][align], t);
          ctx.restore();
          break;
        }
        default: i = end;
      }
    }
    if (H[p + 1]) {  // paused: a dimmed band with the word over the scene
      const size = Math.max(24, Math.floor(kHeight / 7)), band = Math.floor(size * 1.5);
      ctx.fillStyle = 'rgba(0,0,0,0.47)';
      ctx.fillRect(0, (kHeight - band) >> 1, kWidth, band);
      ctx.font = `bold ${size}px "DejaVu Sans", sans-serif`; ctx.textAlign = 'center'; ctx.textBaseline = 'middle';
      ctx.lineWidth = Math.max(2, size / 12); ctx.strokeStyle = '#000'; ctx.fillStyle = '#fff'; ctx.lineJoin = 'round';
      ctx.strokeText('Pauza', kWidth / 2, kHeight / 2); ctx.fillText('Pauza', kWidth / 2, kHeight / 2);
    }
  }

  const settings = (() => {
    let saved = {};
    try { saved = JSON.parse(localStorage.getItem(kSettingsKey)) || {}; } catch (e) { }  // broken: the defaults
    return { sounds: saved.sounds !== false };
  })();
  function saveSettings() { try { localStorage.setItem(kSettingsKey, JSON.stringify(settings)); } catch (e) { } }

  // Music: Web Audio may only start after the player's first click or key.
  const music = { ctx: null, buffer: null, source: null, open: false, playingSince: -1 };
  function startMusic() {
    if (!music.ctx || !music.buffer || music.playingSince < 0 || music.source) return;
    const offset = (performance.now() - music.playingSince) / 1000;
    if (offset >= music.buffer.duration) return;
    music.source = music.ctx.createBufferSource();
    music.source.buffer = music.buffer;
    music.source.connect(music.ctx.destination);
    music.source.start(0, offset);
  }
  function unlockAudio() {
    if (music.ctx) return;
    try { music.ctx = new AudioContext({ latencyHint: 'interactive' }); } catch (e) { return; }  // no sound here: silence
    const load = (file) => fetch(file).then((r) => r.arrayBuffer()).then((b) => music.ctx.decodeAudioData(b));
    load('Music.flac').then((buf) => { music.buffer = buf; startMusic(); }).catch(() => {});
    load('Sounds.flac').then((buf) => { effects.buffer = buf; }).catch(() => {});
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

  // Message boxes: the core waits in waitBox, frame by frame, until the player answers.
  const kOk = 1, kYes = 6, kNo = 7, kQuestion = 36, kInformation = 64;
  function openBox(text, title, style) {
    const id = nextBox++, d = el('dialog', 'box'), body = el('div', 'body'), buttons = el('div', 'buttons');
    const box = boxes[id] = { answer: 0, waiter: null };
    if (style === kQuestion || style === kInformation) body.append(el('span', 'icon ' + (style === kQuestion ? 'q' : 'i'), style === kQuestion ? '?' : 'i'));
    body.append(el('p', null, text));
    d.append(el('div', 'title', title), body, buttons);
    const answer = (a) => {
      if (box.answer) return;
      box.answer = a;
      d.close(); d.remove(); --boxDepth;
      if (box.waiter) box.waiter(a);
    };
    const choices = style === kQuestion ? [['Yes', kYes], ['No', kNo]] : [['OK', kOk]];
    for (const [caption, a] of choices) {
      const b = el('button', null, caption);
      b.addEventListener('click', () => answer(a));
      buttons.append(b);
    }
    // Esc closes a box with only OK; a question needs its answer.
    d.addEventListener('cancel', (e) => { e.preventDefault(); if (style !== kQuestion) answer(kOk); });
    d.style.zoom = boxScale;
    document.body.append(d);
    ++boxDepth;
    d.showModal();
    buttons.firstChild.focus();
    return id;
  }
  function waitBox(id) {
    const box = boxes[id];
    return new Promise((resolve) => {
      if (box.answer) { delete boxes[id]; return resolve(box.answer); }
      box.waiter = (a) => { delete boxes[id]; resolve(a); };
      requestAnimationFrame(() => { if (!box.answer) { box.waiter = null; resolve(0); } });
    });
  }

  // What the core tells the page.
  function fromGame(what, arg) {
    switch (what) {
      case 'menuState': menuState = JSON.parse(arg); if (!$('menu').hidden) syncMenu(); break;
      case 'storeProgress': try { localStorage.setItem(kProgressKey, arg); } catch (e) { } break;
      case 'paint': paint(); break;
      case 'music': musicCommand(arg); break;
      case 'cue': playCue(+arg); break;
      case 'showMenu': $('menu').hidden = false; syncMenu(); document.title = layout.menu.caption; break;
      case 'hideMenu': $('menu').hidden = true; break;
      case 'screenOpened':
        $('screen').hidden = false; $('screen').querySelector('.title span').textContent = arg; document.title = arg;
        fit(); break;
      case 'screenClosed':
        $('screen').hidden = true; if (document.fullscreenElement) document.exitFullscreen(); fit(); break;
      case 'showRules': showPanel('rules'); break;
      case 'showAbout': $('about-Label1').textContent = arg; showPanel('about'); break;
      case 'closeAbout': closePanel('about'); break;
      case 'openUrl': window.open(arg, '_blank', 'noopener'); break;
      case 'quit': quitting = true; break;
    }
  }

  // Inputs reach the game only while no message box holds it.
  function input(f) { if (running && boxDepth === 0) f(); }
  const click = (name) => input(() => { M.stringToUTF8(name, M._sky_text(), 64); M._sky_click(); });

  function frame() {
    requestAnimationFrame(frame);
    if (!running || boxDepth > 0) return;
    if (quitting) return stop();
    if (M._sky_frame() && boxDepth === 0) paint();
    if (!window.skyMenuPainted && !$('menu').hidden) window.skyMenuPainted = performance.now();
  }
  function stop() {
    running = quitting = false;
    M._sky_stop();
    for (const id of ['menu', 'screen', 'rules', 'about']) $(id).hidden = true;
    $('closed').hidden = false;
  }
  function begin() {
    $('closed').hidden = true;
    let saved = null;
    try { saved = localStorage.getItem(kProgressKey); } catch (e) { }
    M.ccall('sky_start', null, ['string', 'number'], [saved, smoothMotion ? 1 : 0]);
    running = true;
  }

  const keyCodes = { ArrowLeft: 37, ArrowUp: 38, ArrowRight: 39, ArrowDown: 40, ' ': 32, Escape: 27, Enter: 13,
                     Backspace: 8, Tab: 9, Shift: 16, Control: 17, Alt: 18 };
  function keyDown(e) {
    unlockAudio();
    if (boxDepth > 0 || !running) return;
    if (e.key === 'Escape') for (const id of ['rules', 'about']) if (!$(id).hidden) { closePanel(id); return; }
    if ($('screen').hidden || e.ctrlKey || e.metaKey) return;  // the browser's own shortcuts stay
    const k = e.key.length === 1 ? e.key.toUpperCase() : e.key;
    const code = keyCodes[k] || (/^[0-9A-Z]$/.test(k) ? k.charCodeAt(0) : 0);
    if (code || k === 'F11') e.preventDefault();  // arrows and Space fly, they do not scroll the page
    if (k === 'F11') { if (!e.repeat) toggleFull(); return; }
    if (k === 'P') { if (!e.repeat) input(() => M._sky_pause(0)); return; }
    input(() => M._sky_key(code));  // any other key still reaches the game, as code 0
  }
  function toggleFull() {
    if (document.fullscreenElement) document.exitFullscreen();
    else $('screen').requestFullscreen().catch(() => {});
  }

  function start(module) {
    M = module;
    layout = JSON.parse(M.UTF8ToString(M._sky_layout()));
    buildMenu();
    buildPanels();
    const icon = el('link'); icon.rel = 'icon'; icon.href = image(layout.menu.icon).toDataURL(); document.head.append(icon);
    $('menu').querySelector('.title').textContent = layout.menu.caption;
    $('loading').hidden = true;
    fit();
    addEventListener('resize', fit);
    document.addEventListener('fullscreenchange', fit);
    addEventListener('keydown', keyDown);
    addEventListener('pointerdown', unlockAudio);
    $('full').addEventListener('click', toggleFull);
    $('screen').querySelector('.x').addEventListener('click', () => input(() => M._sky_close()));
    $('closed').addEventListener('click', begin);
    document.addEventListener('visibilitychange', () => input(() => M._sky_pause(document.hidden ? 1 : 2)));
    begin();
    requestAnimationFrame(frame);
  }

  // For the page's tests: a screen variable, read or set.
  const screenVar = (name, value) => M.ccall('sky_var', 'number', ['string', 'number', 'number'], [name, value === undefined ? 0 : 1, value || 0]);
  // ... and how many sound effects have started.
  const soundsPlayed = () => effects.played;
  return { start, fromGame, openBox, waitBox, paint, screenVar, soundsPlayed };
})();
