// Renders the music and the sound effects off the page's thread: the same wave files the desktop
// plays, made here from their recipes. Posts { name, wav, sha256 } for 'music' and 'sounds'.
'use strict';
importScripts('synth.js');
createSynth().then(async (M) => {
  for (const [name, render] of [['music', M._sky_music_wav], ['sounds', M._sky_sounds_wav]]) {
    const p = render(), wav = M.HEAPU8.slice(p, p + M._sky_wav_size());
    let sha256 = '';
    try {
      sha256 = [...new Uint8Array(await crypto.subtle.digest('SHA-256', wav))].map((b) => b.toString(16).padStart(2, '0')).join('');
    } catch (e) { }  // no digest outside a secure context: only the tests ask for it
    postMessage({ name, wav, sha256 }, [wav.buffer]);
  }
}).catch((e) => postMessage({ name: 'error', message: String(e) }));
